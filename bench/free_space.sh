#!/usr/bin/env bash
# Filling free space: zurizede-cli --free-space against dd writing zeros (4 MiB, O_DIRECT)
# into one file until the disk is full, on the same loop-mounted ext4 image, alternated,
# medians and their ratio. For zurizede-cli: the whole process (its short measured write
# and syncfs included) and the fill's own rate from its account; and how long the file
# system stays full, from the account ("let go ... after the last write") and from outside,
# polling statvfs: from free space below 1% of the image until it is back above 99% of
# what it was. As root; a benchmark, never run as a test:
#   BUILD=build/release bash bench/free_space.sh [ROUNDS] [IMAGE_MIB]
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "needs root to mount an image" >&2; exit 2; }
build=${BUILD:-build/release}
rounds=${1:-5}
mib=${2:-2048}
# shellcheck source=bench/common.sh
source bench/common.sh
img="$work/ext4.img" mnt="$work/mnt" loop=
trap 'umount "$mnt" 2>/dev/null || true; [ -z "$loop" ] || losetup -d "$loop" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir "$mnt"
truncate -s "${mib}M" "$img"
mkfs.ext4 -q -F -b 4096 "$img"
# Direct I/O on the loop device: both sides' writes reach the disk under the image, not the
# host's page cache, which would flatter whichever side never syncs.
loop=$(losetup -f --show --direct-io=on "$img")
mount "$loop" "$mnt"
size=$((mib * 1048576))
now() { date +%s.%N; }
diff_s() { awk -v s="$1" -v e="$2" 'BEGIN { printf "%.3f", e - s }'; }
mbps() { awk -v b="$1" -v s="$2" 'BEGIN { printf "%.1f", b / s / 1e6 }'; }
# Each round starts with the host's writeback drained and no way for a FITRIM to punch
# holes in the image, so every round writes into blocks the image file already holds.
prepare() { echo 0 >"/sys/block/${loop#/dev/}/queue/discard_max_bytes"; sync; }
# What programs other than the filler see: f_bavail, polled every 2 ms; prints seconds
# from "below 1% of the image" to "back above 99% of the start".
poll='import os, sys, time
mnt, size, start = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
def avail(): s = os.statvfs(mnt); return s.f_bavail * s.f_frsize
full = None
while True:
    a, t = avail(), time.monotonic()
    if full is None and a < size / 100: full = t
    elif full is not None and a > start * 0.99: print(f"{t - full:.3f}"); break
    time.sleep(0.002)'
poller_stop() {  # the poller ends by itself once space is back; 5 s more at most
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || break; sleep 0.05; done
  kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true
}
# The first fill only allocates the sparse image's blocks; not counted.
prepare; dd if=/dev/zero of="$mnt/F" bs=4M oflag=direct 2>/dev/null || true; rm -f "$mnt/F"

dd_rate=() ddsync_rate=() whole_rate=() fill_rate=() let_go=() full=()
for r in $(seq "$rounds"); do
  for side in dd ddsync zurizede; do
    prepare
    # The poller runs on both sides, so that both carry its load.
    python3 -c "$poll" "$mnt" "$size" $(($(stat -f -c '%a * %S' "$mnt"))) >"$work/full" & p=$!
    if [ $side != zurizede ]; then
      # The same dd, and once more with an fsync at the end, as a wipe must end.
      sync_opt=; [ $side = dd ] || sync_opt=conv=fsync
      s=$(now); dd if=/dev/zero of="$mnt/F" bs=4M oflag=direct $sync_opt 2>/dev/null || true; e=$(now)
      b=$(stat -c %s "$mnt/F"); rm -f "$mnt/F"; poller_stop $p
      rate=$(mbps "$b" "$(diff_s "$s" "$e")")
      if [ $side = dd ]; then dd_rate+=("$rate"); else ddsync_rate+=("$rate"); fi
      echo "round $r $side: $rate MB/s ($b bytes in $(diff_s "$s" "$e") s)"
    else
      s=$(now); "$cli" --yes --free-space "$mnt" 2>"$work/err" >/dev/null || { cat "$work/err" >&2; exit 1; }
      e=$(now); poller_stop $p
      line=$(grep 'Written:' "$work/err") b=$(sed -E 's/.*\(([0-9,]+) bytes\).*/\1/; s/,//g' <<<"$line")
      whole_rate+=("$(mbps "$b" "$(diff_s "$s" "$e")")")
      fill_rate+=("$(sed -E 's/.* s \(([0-9.]+) ([kMG])B\/s\).*/\1 \2/' <<<"$line" |
        awk '{ print $1 * ($2 == "G" ? 1000 : $2 == "k" ? 0.001 : 1) }')")
      let_go+=("$(sed -nE 's/.*let go ([0-9.]+) s after the last write.*/\1/p' "$work/err")")
      full+=("$(cat "$work/full")")
      echo "round $r zurizede-cli: ${whole_rate[-1]} MB/s whole ($b bytes in $(diff_s "$s" "$e") s)," \
        "fill ${fill_rate[-1]} MB/s, let go ${let_go[-1]} s after the last write, full ${full[-1]:-?} s"
    fi
  done
done

med() { printf '%s\n' "$@" | grep . | median; }
max() { printf '%s\n' "$@" | grep . | sort -n | tail -1; }
d=$(med "${dd_rate[@]}") ds=$(med "${ddsync_rate[@]}") w=$(med "${whole_rate[@]}") f=$(med "${fill_rate[@]}")
echo "medians of $rounds rounds, ${mib} MiB ext4 image:"
awk -v d="$d" -v ds="$ds" -v w="$w" -v f="$f" 'BEGIN {
  printf "  dd zeros: %.1f MB/s, with fsync: %.1f MB/s\n", d, ds
  printf "  zurizede-cli whole process: %.1f MB/s (%.2f of dd, %.2f of dd with fsync)\n", w, w / d, w / ds
  printf "  zurizede-cli fill: %.1f MB/s (%.2f of dd, %.2f of dd with fsync)\n", f, f / d, f / ds }'
echo "  full after the last write (account): median $(med "${let_go[@]}") s, max $(max "${let_go[@]}") s"
echo "  full as other programs see it (statvfs): median $(med "${full[@]}") s, max $(max "${full[@]}") s"
