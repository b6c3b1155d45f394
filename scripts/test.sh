#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build and once
# with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
for variant in release sanitize; do
  dir="build/$variant"
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
  [ "$variant" = sanitize ] && flags=(-DCMAKE_BUILD_TYPE=Debug -DZURIZEDE_SANITIZE=ON)
  cmake -S . -B "$dir" "${flags[@]}" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "== tests ($variant)"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 300
done
