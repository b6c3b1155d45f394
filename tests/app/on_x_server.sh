#!/usr/bin/env bash
# Runs a command on a real X server with a window manager (Xvfb and openbox), for what the
# offscreen platform cannot show: painting, focus, signals with a dialog open. Exits 77
# (skipped) with a reason where no X server can start.
set -u
for tool in Xvfb openbox xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is missing; scripts/setup.sh installs it"
    exit 77
  fi
done
work=$(mktemp -d)
cleanup() {
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null
  [ -n "${server:-}" ] && kill "$server" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# Xvfb writes the number of the display it took once it accepts clients.
Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp 5>"$work/display" 2>"$work/server.log" &
server=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
if ! [ -s "$work/display" ]; then
  echo "skipped: no X server could start here:"
  cat "$work/server.log"
  exit 77
fi
export DISPLAY=":$(head -n1 "$work/display")"
unset QT_QPA_PLATFORM
openbox --sm-disable >"$work/wm.log" 2>&1 &
wm=$!
# The window manager is up once it names itself on the root window.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
"$@"
