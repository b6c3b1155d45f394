#!/usr/bin/env bash
# The window while it works, on Xvfb with a stand-in window manager:
#  - how long it takes to answer the desktop's _NET_WM_PING (every 50 ms) while one large
#    file is shredded in eleven passes;
#  - how long Stop takes when that file is in its fourth pass.
# A benchmark, never run as a test:   bash bench/responsiveness.sh [BUILD_DIR] [SIZE_MIB]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build/release}" && pwd)
size=${2:-2048}
gui="$build/app/zurizede"
latency="$build/bench/stop_latency"
[ -x "$gui" ] && [ -x "$latency" ] || cmake --build "$build" -j "$(nproc)"
if ! /usr/bin/python3 -c "import Xlib" 2>/dev/null; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq python3-xlib >/dev/null
fi
work="$build/bench-responsive"
rm -rf "$work"; mkdir -p "$work/config/ORBA" "$work/run"; chmod 700 "$work/run"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
printf '[General]\nshredWarning=0\nshredLogging=0\nshredMode=2\n' > "$work/config/ORBA/Zurizede.conf"
Xvfb :94 -screen 0 1280x800x24 >/dev/null 2>&1 & xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
export DISPLAY=:94

big() { head -c "$((size << 20))" /dev/urandom > "$work/big"; sync; }

echo "== _NET_WM_PING while a ${size} MiB file is shredded in eleven passes (30 s)"
big
/usr/bin/python3 bench/ping_probe.py 30 > "$work/ping" & probe=$!
sleep 0.5
QT_QPA_PLATFORM=xcb "$gui" "$work/big" >/dev/null 2>&1 & pid=$!
wait "$probe"
cat "$work/ping"
kill -TERM "$pid"; wait "$pid" || true

echo "== Stop in the fourth pass"
rm -f "$work/big"; big
QT_QPA_PLATFORM=offscreen "$latency" "$work/big"
