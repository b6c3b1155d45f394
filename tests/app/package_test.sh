#!/usr/bin/env bash
# Builds the Debian package from the build and checks what it holds and what it asks for.
set -euo pipefail
build=$1
version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/log" 2>&1 || { cat "$out/log"; exit 1; }
arch=$(dpkg --print-architecture)
deb="$out/zurizede_${version}_$arch.deb"

contents=$(dpkg-deb -c "$deb")
for f in bin/zurizede bin/zurizede-cli "share/zurizede/Zurizede Defaults.plist" \
         "share/zurizede/ORBA Zurizede Readme.pdf" \
         share/applications/com.example.Zurizede.desktop \
         share/metainfo/com.example.Zurizede.metainfo.xml \
         share/icons/hicolor/scalable/apps/zurizede.svg \
         share/man/man1/zurizede.1.gz share/man/man1/zurizede-cli.1.gz \
         share/man/de/man1/zurizede-cli.1.gz share/man/fr/man1/zurizede-cli.1.gz \
         share/bash-completion/completions/zurizede-cli \
         "share/nautilus/scripts/Shred with ORBA Zurizede" share/nemo/actions/zurizede.nemo_action \
         share/kio/servicemenus/zurizede.desktop share/file-manager/actions/zurizede.desktop; do
  grep -q " root/root .* \./usr/$f\$" <<<"$contents" || { echo "not in the package: $f"; exit 1; }
done

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package) $(field Version) $(field Architecture)" = "zurizede $version $arch" ]
[ "$(field Section)" = utils ]
[ -n "$(field Maintainer)" ]
[ -n "$(field Homepage)" ]
depends=$(field Depends | tr ',|' '\n\n' | sed -E 's/^ *([^ ]+).*/\1/')
for needed in libqt6core6 libqt6widgets6 libqt6network6 qt6-qpa-plugins; do
  grep -qx "$needed" <<<"$depends" || { echo "Depends lacks $needed:" $depends; exit 1; }
done
if grep -- '-dev$' <<<"$depends"; then echo "Depends names a -dev package"; exit 1; fi

# Unpacked, the menus name the window where the package puts it, and the programs run.
dpkg-deb -x "$deb" "$out/root"
for menu in nemo/actions/zurizede.nemo_action kio/servicemenus/zurizede.desktop \
            file-manager/actions/zurizede.desktop; do
  grep -qx 'Exec=/usr/bin/zurizede %F' "$out/root/usr/share/$menu" || { echo "$menu"; exit 1; }
done
grep -qx "bin='/usr/bin/zurizede'" "$out/root/usr/share/nautilus/scripts/Shred with ORBA Zurizede"
[ "$("$out/root/usr/bin/zurizede-cli" --version)" = "zurizede-cli $version" ]
echo "package OK"
