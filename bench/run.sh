#!/usr/bin/env bash
# Overwrite throughput, the cost of read-back verification, and the 10,000-file walk against
# dd and shred, on the same files in the build folder. A benchmark, never run as a test: bash bench/run.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
bench="$build/bench/overwrite_bench"
[ -x "$bench" ] || { cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null; cmake --build "$build" -j "$(nproc)"; }
work="$build/bench-work"
rm -rf "$work"; mkdir -p "$work"
file="$work/1GiB"
head -c 1073741824 /dev/zero > "$file"; sync

rate() {  # seconds for 1 GiB -> MB/s
  awk -v s="$1" -v p="${2:-1}" 'BEGIN { printf "%.0f MB/s", 1073.741824 * p / s }'
}
timed() { local s e; s=$(date +%s.%N); "$@" >/dev/null 2>&1; e=$(date +%s.%N); awk -v s="$s" -v e="$e" 'BEGIN{print e-s}'; }

echo "== overwriteFile on 1 GiB"
"$bench" file "$file"
echo "== the device's limit and the peer"
echo "dd zero, fdatasync: $(rate "$(timed dd if=/dev/zero of="$file" bs=1M count=1024 conv=notrunc,fdatasync)")"
echo "shred -n0 -z:       $(rate "$(timed shred -n0 -z "$file")")"
echo "shred -n1:          $(rate "$(timed shred -n1 "$file")")"
echo "read /dev/urandom:  $(rate "$(timed dd if=/dev/urandom of=/dev/null bs=1M count=1024)")"
rm -f "$file"

echo "== read-back verification on 512 MiB: each mode without and with it, 5 rounds alternated"
head -c 536870912 /dev/zero > "$work/512MiB"; sync
"$bench" verify "$work/512MiB" 5
rm -f "$work/512MiB"

make_tree() {
  mkdir -p "$1"
  for d in $(seq 1 100); do
    mkdir "$1/d$d"
    for f in $(seq 1 100); do head -c 4096 /dev/zero > "$1/d$d/f$f"; done
  done
  sync
}
echo "== 10,000 files of 4 KiB in 100 folders, mode 0"
make_tree "$work/tree"
/usr/bin/time -f "zurizede walk: %e s, peak %M KiB" "$bench" walk "$work/tree" 0
make_tree "$work/tree"
/usr/bin/time -f "find -exec shred -n1 --remove=unlink + rm -rf: %e s, peak %M KiB" \
  sh -c "find '$work/tree' -type f -exec shred -n1 --remove=unlink {} + && rm -rf '$work/tree'"
echo "== peak memory of the walk against the number of files"
for n in 10 100; do
  mkdir -p "$work/small"; for d in $(seq 1 "$n"); do mkdir "$work/small/d$d"; for f in $(seq 1 100); do head -c 4096 /dev/zero > "$work/small/d$d/f$f"; done; done
  /usr/bin/time -f "$((n * 100)) files: peak %M KiB" "$bench" walk "$work/small" 0 >/dev/null
done
rm -rf "$work"
