#!/usr/bin/env bash
# The window's cost over the terminal front end: both whole processes shred the same tree
# of 10,000 files of 4 KiB in 100 folders in the same mode, alternated, medians printed.
# The window redraws its fields for every item, as it always does. It runs on Xvfb when
# there is one, else on the offscreen platform (ZURIZEDE_BENCH_PLATFORM=offscreen forces
# that). A benchmark, never run as a test:
#   bash bench/gui_vs_cli.sh [BUILD_DIR] [ROUNDS] [MODE]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build/release}" && pwd)
rounds=${2:-5}
mode=${3:-0}
cli="$build/app/zurizede-cli"
gui="$build/app/zurizede"
bench="$build/bench/overwrite_bench"
work="$build/bench-gui"
rm -rf "$work"; mkdir -p "$work/config/ORBA" "$work/run"; chmod 700 "$work/run"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
# No confirmation to answer, the mode chosen, no log: the same run for both.
printf '[General]\nshredWarning=0\nshredLogging=0\nshredMode=%s\n' "$mode" \
  > "$work/config/ORBA/Zurizede.conf"

platform="offscreen"
if [ "${ZURIZEDE_BENCH_PLATFORM:-xcb}" = xcb ] && command -v Xvfb >/dev/null; then
  Xvfb :93 -screen 0 1280x800x24 >/dev/null 2>&1 & xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  sleep 1; export DISPLAY=:93; platform="xcb"
fi

now() { date +%s.%N; }
since() { awk -v s="$1" -v e="$(now)" 'BEGIN{printf "%.3f\n", e-s}'; }
median() { sort -n | awk '{a[NR]=$1} END{print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

cli_run() {
  local s; s=$(now)
  "$cli" -q -m "$mode" "$work/tree" >/dev/null 2>&1
  since "$s"
}
# The window has no end of its own: it is asked to quit as soon as the tree is gone, and
# the time runs until the process has ended.
gui_run() {
  local s pid; s=$(now)
  QT_QPA_PLATFORM=$platform "$gui" "$work/tree" >/dev/null 2>&1 & pid=$!
  while [ -e "$work/tree" ]; do sleep 0.005; done
  kill -TERM "$pid"; wait "$pid" || true
  since "$s"
}

a=(); b=()
for _ in $(seq 1 "$rounds"); do
  "$bench" tree "$work/tree"; a+=("$(cli_run)")
  "$bench" tree "$work/tree"; b+=("$(gui_run)")
done
ma=$(printf '%s\n' "${a[@]}" | median); mb=$(printf '%s\n' "${b[@]}" | median)
printf 'medians of %s rounds, mode %s, window on %s\n' "$rounds" "$mode" "$platform"
printf 'zurizede-cli %.3f s   zurizede (window) %.3f s   ratio %.2f\n' "$ma" "$mb" \
  "$(awk -v a="$ma" -v b="$mb" 'BEGIN{print b/a}')"
rm -rf "$work"
