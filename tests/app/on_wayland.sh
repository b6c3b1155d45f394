#!/usr/bin/env bash
# Runs a command as a client of a Wayland compositor (weston, headless), for the window on
# the wayland platform: what on_x_server.sh shows on X11. Weston gets a runtime folder and a
# socket of its own, no configuration file of the user's (--no-config), never blanks or locks
# the screen while a test waits (--idle-time=0), and lets the tests take screenshots and read
# its scene graph (--debug). Exits 77 (skipped) with a reason where weston cannot start.
set -u
for tool in weston weston-debug weston-screenshooter; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is missing; scripts/setup.sh installs it"
    exit 77
  fi
done
if ! [ -e "$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null)/platforms/libqwayland-generic.so" ]; then
  echo "skipped: Qt's wayland platform is missing (qt6-wayland); scripts/setup.sh installs it"
  exit 77
fi
work=$(mktemp -d)
chmod 0700 "$work"
cleanup() {
  [ -n "${server:-}" ] && kill "$server" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$work
socket="zurizede-test-$$"
# Pixman renders the output for screenshots: with the headless backend's default renderer
# weston-screenshooter never returns. Weston 10 starts as root here; where it cannot, the
# log below says why.
weston --backend=headless-backend.so --use-pixman --width=1280 --height=800 --socket="$socket" \
  --no-config --idle-time=0 --debug >"$work/weston.log" 2>&1 &
server=$!
# The compositor is up once a client connects and gets its answer.
for _ in $(seq 100); do
  WAYLAND_DISPLAY=$socket timeout 5 weston-debug -l >/dev/null 2>&1 && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
if ! WAYLAND_DISPLAY=$socket timeout 5 weston-debug -l >/dev/null 2>&1; then
  echo "skipped: weston could not start here:"
  cat "$work/weston.log"
  exit 77
fi
# A path, not a name: windows the command starts with a runtime folder of their own still
# find the compositor.
export WAYLAND_DISPLAY=$work/$socket QT_QPA_PLATFORM=wayland
unset DISPLAY
"$@"
