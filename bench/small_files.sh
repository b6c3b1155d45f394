#!/usr/bin/env bash
# 10,000 files of 4 KiB in 100 folders: zurizede-cli against find + shred (with as many passes
# as the mode) and rm -r, and rm -rf alone; whole processes, the sides taking turns round by
# round, medians; and the floor: one synced random pass, a rename and an unlink per file on 64
# threads with no checks (bench/shred_floor.cpp). BASELINE=PATH adds another zurizede-cli (an
# earlier build) to the rotation.
# A benchmark, never a test:  bash bench/small_files.sh [BUILD_DIR] [MODE] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
mode=${2:-0}
rounds=${3:-3}
# shellcheck source=bench/common.sh
source bench/common.sh
tree="$work/tree"
gen() {
  python3 - "$tree" <<'PY'
import os, sys
top = sys.argv[1]
os.mkdir(top)
for d in range(100):
    sub = os.path.join(top, "d%03d" % d)
    os.mkdir(sub)
    for f in range(100):
        fd = os.open(os.path.join(sub, "f%03d" % f), os.O_WRONLY | os.O_CREAT, 0o600)
        os.write(fd, os.urandom(4096))
        os.close(fd)
PY
  sync
}
passes=$([ "$mode" = 2 ] && echo "-n10 -z" || { [ "$mode" = 1 ] && echo "-n3 -z" || echo "-n1"; })
declare -A command=(
  [zurizede]="'$cli' -y -q -m $mode '$tree'"
  [shred]="find '$tree' -type f -exec shred $passes --remove=unlink {} + && rm -r '$tree'"
  [rm]="rm -rf '$tree'"
  [floor]="'$build/bench/shred_floor' '$tree'")
sides=(zurizede shred rm floor)
if [ -n "${BASELINE:-}" ]; then
  command[baseline]="'$BASELINE' -y -q -m $mode '$tree'"
  sides+=(baseline)
fi
declare -A times
for round in $(seq "$rounds"); do
  for k in "${!sides[@]}"; do
    side=${sides[$(((k + round) % ${#sides[@]}))]}
    rm -rf "$tree"; gen
    times[$side]+="$(seconds "${command[$side]}") "
    [ ! -e "$tree" ] || { echo "not removed by: ${command[$side]}" >&2; exit 1; }
  done
done
z=$(tr ' ' '\n' <<<"${times[zurizede]}" | grep . | median)
for side in "${sides[@]}"; do
  m=$(tr ' ' '\n' <<<"${times[$side]}" | grep . | median)
  awk -v s="$side" -v m="$m" -v z="$z" 'BEGIN { printf "%-9s %7.3f s   zurizede-cli / this %.2f\n", s, m, z / m }'
done
