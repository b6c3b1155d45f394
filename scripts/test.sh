#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build and once
# with AddressSanitizer and UndefinedBehaviorSanitizer; the engine, walk and controller
# tests also once with ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# The code as .clang-format lays it out, every file of it.
find base engine platform controller app tests bench tools \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run -Werror
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
for variant in release thread sanitize; do
  dir="build/$variant"
  case $variant in
    release) flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo); target=all; only=() ;;
    thread) flags=(-DCMAKE_BUILD_TYPE=Debug -DZURIZEDE_TSAN=ON); target=zurizede_tests
            only=(-L core) ;;
    sanitize) flags=(-DCMAKE_BUILD_TYPE=Debug -DZURIZEDE_SANITIZE=ON); target=all; only=() ;;
  esac
  cmake -S . -B "$dir" "${flags[@]}" -DZURIZEDE_WERROR=ON >/dev/null
  cmake --build "$dir" -j "$jobs" --target "$target"
  echo "== tests ($variant)"
  TSAN_OPTIONS=halt_on_error=1 ctest --test-dir "$dir" --output-on-failure -j "$jobs" \
    --timeout 300 "${only[@]}"
done
