#!/usr/bin/env bash
# One random pass over 1 GiB by zurizede-cli (mode 0) against writing the same file with
# zeros by dd, whole processes, alternated, medians and their ratio. A benchmark, never a
# test:  bash bench/random_pass.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
rounds=${2:-5}
# shellcheck source=bench/common.sh
source bench/common.sh
zurizede=() dd=()
for _ in $(seq "$rounds"); do
  head -c 1073741824 /dev/zero > "$work/f"; sync
  dd+=("$(seconds "dd if=/dev/zero of='$work/f' bs=4M count=256 conv=notrunc,fdatasync")")
  zurizede+=("$(seconds "'$cli' -y -q -m 0 '$work/f'")")
done
z=$(printf '%s\n' "${zurizede[@]}" | median)
d=$(printf '%s\n' "${dd[@]}" | median)
awk -v z="$z" -v d="$d" 'BEGIN { printf "zurizede-cli -m 0: %.2f s  dd zeros: %.2f s  ratio %.2f\n", z, d, z / d }'
