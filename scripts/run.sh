#!/usr/bin/env bash
# Installs what is missing, builds the application and starts it with the given paths.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)"
if [ -x build/release/app/zurizede ]; then
  exec build/release/app/zurizede "$@"
fi
echo "ORBA Zurizede: the shredding core is built and tested; the window is not built yet."
