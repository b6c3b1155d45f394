#!/usr/bin/env bash
# Installs what is missing, builds ORBA Zurizede, installs it for this user (the window,
# zurizede-cli, the desktop entry, the icon and the file managers' menus under ~/.local, or
# under $ZURIZEDE_PREFIX), and starts the window with the given paths.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
prefix=${ZURIZEDE_PREFIX:-$HOME/.local}
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)"
cmake --install build/release --prefix "$prefix" >/dev/null
command -v update-desktop-database >/dev/null &&
  update-desktop-database -q "$prefix/share/applications" 2>/dev/null || true
echo "Installed under $prefix: bin/zurizede, bin/zurizede-cli, the desktop entry, the icon" \
  "and \"Shred with ORBA Zurizede\" for the file managers."
exec "$prefix/bin/zurizede" "$@"
