#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that what a desktop needs is in place
# and that the installed programs find their resources there.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
home=$(mktemp -d)
trap 'rm -rf "$prefix" "$home"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/zurizede bin/zurizede-cli "share/zurizede/Zurizede Defaults.plist" \
         "share/zurizede/ORBA Zurizede Readme.pdf" share/applications/zurizede.desktop \
         share/icons/hicolor/scalable/apps/zurizede.svg; do
  [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
entry="$prefix/share/applications/zurizede.desktop"
grep -qx 'Type=Application' "$entry"
grep -qx 'Exec=zurizede %F' "$entry"
grep -qx 'Icon=zurizede' "$entry"
grep -q '^MimeType=.*inode/directory;' "$entry"
grep -q '^MimeType=.*application/octet-stream;' "$entry"
head -c 4 "$prefix/share/zurizede/ORBA Zurizede Readme.pdf" | grep -q '%PDF'

# The installed terminal front end reads the installed defaults: it asks first, and with
# no terminal to ask, shreds nothing.
echo keep > "$home/file"
if XDG_CONFIG_HOME="$home/config" "$prefix/bin/zurizede-cli" "$home/file" </dev/null 2>/dev/null; then
  echo "the installed zurizede-cli shredded without consent"; exit 1
fi
[ "$(cat "$home/file")" = keep ]
XDG_CONFIG_HOME="$home/config" "$prefix/bin/zurizede-cli" -y -q "$home/file" </dev/null
[ ! -e "$home/file" ]
echo "install OK"
