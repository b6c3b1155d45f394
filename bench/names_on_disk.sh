#!/usr/bin/env bash
# How many copies of a shredded tree's names stay on an ext4 file system, inside its journal
# and outside it: zurizede-cli (one row for each binary given), srm -r from secure-delete and
# rm -rf, each on a fresh loop-mounted image holding the same 50 files of 4 KiB in 5 folders.
# The methods take turns, the first one changing round by round; medians printed. As root,
# in a mount namespace of its own; a benchmark, never run as a test:
#   bash bench/names_on_disk.sh [ROUNDS] [ZURIZEDE_CLI...]
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "needs root to mount an image" >&2; exit 2; }
if [ -z "${NAMES_ON_DISK_PRIVATE:-}" ]; then
  NAMES_ON_DISK_PRIVATE=1 exec unshare -m --propagation private bash "$0" "$@"
fi
rounds=${1:-3}
[[ $rounds =~ ^[1-9][0-9]*$ ]] ||
  { echo "usage: bash bench/names_on_disk.sh [ROUNDS] [ZURIZEDE_CLI...]" >&2; exit 2; }
shift || true
clis=("$@")
if [ ${#clis[@]} -eq 0 ]; then
  clis=(build/release/app/zurizede-cli)
  [ -x "${clis[0]}" ] || { cmake -S . -B build/release >/dev/null; cmake --build build/release -j2; }
fi
if ! command -v srm >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get -o APT::Sandbox::User=root install -y -qq \
    --no-install-recommends secure-delete >/dev/null
fi
work=$(mktemp -d)
trap 'umount "$work/mnt" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir "$work/mnt"
export XDG_CONFIG_HOME="$work/config"  # the user's own settings must not change the run
marker=Kq7vQ-payroll

# shred_once COMMAND...: a fresh image with the tree, COMMAND run on the tree's top folder,
# then "copies-inside-the-journal copies-outside seconds".
shred_once() {
  local img="$work/ext4.img" mnt="$work/mnt" top s e f i
  rm -f "$img"
  truncate -s 64M "$img"
  mkfs.ext4 -q -F -b 4096 "$img"
  mount -o loop "$img" "$mnt"
  top="$mnt/$marker-top"
  mkdir "$top"
  for f in 1 2 3 4 5; do
    mkdir "$top/$marker-folder-$f"
    for i in $(seq 1 10); do
      head -c 4096 /dev/urandom >"$top/$marker-folder-$f/$marker-quarterly-report-$f-$i.ods"
    done
  done
  sync
  s=$(date +%s.%N)
  "$@" "$top" >/dev/null 2>&1 || true
  e=$(date +%s.%N)
  [ ! -e "$top" ] || { echo "not removed by: $*" >&2; exit 1; }
  umount "$mnt"
  debugfs -R "blocks <8>" "$img" 2>/dev/null | tr -s ' ' '\n' >"$work/journal"
  { grep -obaF "$marker" "$img" || true; } | cut -d: -f1 >"$work/found"
  awk -v bs=4096 -v t="$(awk -v s="$s" -v e="$e" 'BEGIN{printf "%.2f", e-s}')" '
    NR == FNR { if ($1 != "") journal[$1] = 1; next }
    { if (int($1 / bs) in journal) inside++; else outside++ }
    END { printf "%d %d %s\n", inside, outside, t }' "$work/journal" "$work/found"
}

median() { sort -n | awk '{a[NR]=$1} END{print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

labels=() commands=()
for c in "${clis[@]}"; do labels+=("zurizede-cli -y -q -m 0 ($c)"); commands+=("$c -y -q -m 0"); done
labels+=("srm -r" "rm -rf"); commands+=("srm -r" "rm -rf")
n=${#commands[@]}
declare -A results
for r in $(seq 0 $((rounds - 1))); do
  for k in $(seq 0 $((n - 1))); do
    m=$(((k + r) % n))
    # shellcheck disable=SC2086
    results[$m]+="$(shred_once ${commands[$m]})"$'\n'
  done
done

echo "copies of 56 names (50 files, 5 folders, the top) on ext4; medians of $rounds rounds"
printf '%-60s %8s %8s %8s\n' method journal outside seconds
for m in $(seq 0 $((n - 1))); do
  col() { printf '%s' "${results[$m]}" | awk -v c="$1" 'NF{print $c}' | median; }
  printf '%-60s %8s %8s %8s\n' "${labels[$m]}" "$(col 1)" "$(col 2)" "$(col 3)"
done
