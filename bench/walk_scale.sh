#!/usr/bin/env bash
# How the folder walk scales: wide and very large trees against rm -rf, peak memory on a
# small and a large tree, and many small files against find + shred. Each pair is run in
# one run, the side that goes first alternating round by round; medians and ratios printed.
# A benchmark, never run as a test:
#   bash bench/walk_scale.sh [--profile] [BUILD_DIR] [ROUNDS] [SCALE]
# SCALE divides every entry count (default 1), so a quick trial can use smaller trees.
# --profile (or PROFILE=1) also runs strace -c -f once on zurizede-cli over the small-files tree.
# BASELINE=PATH adds another zurizede-cli binary (an earlier build) to every pair, in the same
# rotation, with its time and ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
profile=${PROFILE:-0}
args=()
for a in "$@"; do
  if [ "$a" = --profile ]; then profile=1; else args+=("$a"); fi
done
build=${args[0]:-build/release}
rounds=${args[1]:-3}
scale=${args[2]:-1}
[[ $rounds =~ ^[1-9][0-9]*$ && $scale =~ ^[1-9][0-9]*$ ]] ||
  { echo "usage: bash bench/walk_scale.sh [--profile] [BUILD_DIR] [ROUNDS] [SCALE]" >&2; exit 2; }
cli="$build/app/zurizede-cli"
[ -x "$cli" ] || { cmake -S . -B "$build" >/dev/null; cmake --build "$build" -j "$(nproc)"; }
work="$build/walk-scale-work"
rm -rf "$work"; mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
# The user's own settings must not change what is measured.
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"

seconds() { local s e; s=$(date +%s.%N); "$@" >/dev/null 2>&1; e=$(date +%s.%N); awk -v s="$s" -v e="$e" 'BEGIN{printf "%.3f\n", e-s}'; }
median() { sort -n | awk '{a[NR]=$1} END{print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{ if (b > 0) printf "%.2f", a/b; else printf "n/a" }'; }
count() { local n=$(( $1 / scale )); echo $(( n > 0 ? n : 1 )); }

# gen DIR FOLDERS FILES SIZE: DIR holding FOLDERS folders of FILES files of SIZE random bytes
# each (FILES 0: only the empty folders), then sync so the setup's writeback is not measured.
gen() {
  python3 - "$@" <<'EOF'
import os, sys
top, folders, files, size = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
os.mkdir(top)
flags = os.O_WRONLY | os.O_CREAT | os.O_EXCL
for d in range(folders):
    sub = os.path.join(top, "d%06d" % d)
    os.mkdir(sub)
    for f in range(files):
        fd = os.open(os.path.join(sub, "f%06d" % f), flags, 0o600)
        if size:
            os.write(fd, os.urandom(size))
        os.close(fd)
EOF
  sync
}

# One side of a pair on a fresh tree: build it (untimed), time the command, check it is gone.
side() {
  local spec=$1 cmd=$2 t
  rm -rf "$work/tree"
  # shellcheck disable=SC2086
  gen "$work/tree" $spec
  t=$(seconds sh -c "$cmd")
  [ ! -e "$work/tree" ] || { echo "not removed by: $cmd" >&2; exit 1; }
  echo "$t"
}

# pair NAME "FOLDERS FILES SIZE" TARGET THEIRS_LABEL "OURS..." "THEIRS..."
pair() {
  local name=$1 spec=$2 target=$3 label=$4 ours=$5 theirs=$6 a=() b=() c=() i k ma mb mc
  local base=${BASELINE:+${ours/"$q"/$(printf %q "$BASELINE")}} sides=2
  [ -z "$base" ] || sides=3
  for i in $(seq 1 "$rounds"); do
    for k in $(seq 0 $((sides - 1))); do
      case $(((k + i) % sides)) in
        0) a+=("$(side "$spec" "$ours")") ;;
        1) b+=("$(side "$spec" "$theirs")") ;;
        2) c+=("$(side "$spec" "$base")") ;;
      esac
    done
  done
  ma=$(printf '%s\n' "${a[@]}" | median); mb=$(printf '%s\n' "${b[@]}" | median)
  printf '%-46s zurizede-cli %8.3f s   %-11s %8.3f s   ratio %s (target <= %s)\n' \
    "$name" "$ma" "$label" "$mb" "$(ratio "$ma" "$mb")" "$target"
  if [ -n "$base" ]; then
    mc=$(printf '%s\n' "${c[@]}" | median)
    printf '%-46s baseline     %8.3f s   ratio to %s %s, ours to baseline %s\n' \
      "" "$mc" "$label" "$(ratio "$mc" "$mb")" "$(ratio "$ma" "$mc")"
  fi
}

# Peak resident set size in KiB of zurizede-cli -y -q on a fresh tree, median of ROUNDS.
peak() {
  local spec=$1 r=() out="$work/time.txt" kib
  for _ in $(seq 1 "$rounds"); do
    rm -rf "$work/tree"
    # shellcheck disable=SC2086
    gen "$work/tree" $spec
    /usr/bin/time -v -o "$out" "$cli" -y -q "$work/tree" >/dev/null 2>&1 || true
    [ ! -e "$work/tree" ] || { echo "not removed by zurizede-cli ($spec)" >&2; exit 1; }
    kib=$(awk -F': *' '/Maximum resident set size/{print $2}' "$out")
    [ -n "$kib" ] || { echo "no peak memory in /usr/bin/time output" >&2; exit 1; }
    r+=("$kib")
  done
  printf '%s\n' "${r[@]}" | median
}

q=$(printf %q "$cli") t=$(printf %q "$work/tree")
wide=$(count 100000); fewer=$(count 20000); files_b=$(count 10000); small_b=$(count 1000)
files_d=$(count 100)
echo "medians of $rounds rounds, the side going first alternating; scale 1/$scale"
for n in "$fewer" "$wide"; do
  pair "$n empty folders in one folder" "$n 0 0" 1.2 "rm -rf" "$q -y -q $t" "rm -rf $t"
done
pair "$((100 * files_b)) entries: 100 x $files_b empty files" "100 $files_b 0" 1.5 "rm -rf" \
  "$q -y -q $t" "rm -rf $t"
pair "$((100 * files_d)) 4 KiB files in 100 folders (-m 0 | -n1)" "100 $files_d 4096" 1.0 "find+shred" \
  "$q -y -q -m 0 $t" \
  "find $t -type f -exec shred -n1 --remove=unlink {} + && rm -r $t"

ms=$(peak "10 $small_b 0"); ml=$(peak "100 $files_b 0")
printf '%-46s %d entries %8d KiB   %d entries %8d KiB   ratio %s (target <= 1.10)\n' \
  "peak memory, zurizede-cli -y -q" "$((10 * small_b))" "$ms" "$((100 * files_b))" "$ml" \
  "$(ratio "$ml" "$ms")"

if [ "$profile" = 1 ]; then
  rm -rf "$work/tree"
  gen "$work/tree" 100 "$files_d" 4096
  echo "== strace -c -f: zurizede-cli -y -q -m 0 on $((100 * files_d)) 4 KiB files in 100 folders"
  strace -c -f -o "$work/strace.txt" "$cli" -y -q -m 0 "$work/tree" >/dev/null 2>&1 || true
  cat "$work/strace.txt"
fi
