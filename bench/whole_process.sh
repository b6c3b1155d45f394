#!/usr/bin/env bash
# Whole processes against their shred equivalents, each pair run alternately, medians and
# ratios printed. A benchmark, never run as a test:
#   bash bench/whole_process.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
rounds=${2:-5}
cli="$build/app/zurizede-cli"
bench="$build/bench/overwrite_bench"
[ -x "$cli" ] && [ -x "$bench" ] || { cmake -S . -B "$build" >/dev/null; cmake --build "$build" -j "$(nproc)"; }
work="$build/bench-work"
rm -rf "$work"; mkdir -p "$work"
# The user's own settings must not change what is measured.
export XDG_CONFIG_HOME="$work/config"

seconds() { local s e; s=$(date +%s.%N); "$@" >/dev/null 2>&1; e=$(date +%s.%N); awk -v s="$s" -v e="$e" 'BEGIN{printf "%.3f\n", e-s}'; }
median() { sort -n | awk '{a[NR]=$1} END{print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
big() { head -c 1073741824 /dev/zero > "$work/1GiB"; sync; }
tree() { "$bench" tree "$work/tree"; }

# pair NAME SETUP "OURS..." "THEIRS..."
pair() {
  local name=$1 setup=$2 ours=$3 theirs=$4 a=() b=()
  for _ in $(seq 1 "$rounds"); do
    $setup; a+=("$(seconds sh -c "$ours")")
    $setup; b+=("$(seconds sh -c "$theirs")")
  done
  local ma mb
  ma=$(printf '%s\n' "${a[@]}" | median); mb=$(printf '%s\n' "${b[@]}" | median)
  printf '%-44s zurizede-cli %7.3f s   shred %7.3f s   ratio %.2f\n' "$name" "$ma" "$mb" \
    "$(awk -v a="$ma" -v b="$mb" 'BEGIN{print a/b}')"
}

echo "medians of $rounds alternated rounds"
pair "1 GiB file, one random pass (-m 0 | -n1)" big \
  "'$cli' -y -q -m 0 '$work/1GiB'" "shred -n1 --remove=unlink '$work/1GiB'"
pair "10,000 files in 100 folders (-m 0 | -n1)" tree \
  "'$cli' -y -q -m 0 '$work/tree'" \
  "find '$work/tree' -type f -exec shred -n1 --remove=unlink {} + && rm -r '$work/tree'"
pair "1 GiB file, four passes (-m 1 | -n3 -z)" big \
  "'$cli' -y -q -m 1 '$work/1GiB'" "shred -n3 -z --remove=unlink '$work/1GiB'"
rm -rf "$work"
