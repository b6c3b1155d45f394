#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing; does nothing
# when everything is there already.
set -euo pipefail
packages=(g++ cmake make clang-format googletest libssl-dev libgtest-dev qt6-base-dev qt6-base-dev-tools
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
          xvfb xauth openbox x11-utils fonts-dejavu-core libgl1-mesa-dev coreutils time
          mount util-linux e2fsprogs btrfs-progs xfsprogs dmsetup
          desktop-file-utils appstream xdg-utils man-db groff-base
          bash-completion dpkg-dev file poppler-utils dbus-daemon dbus-bin
          at-spi2-core python3-pyatspi)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get -o APT::Sandbox::User=root update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o APT::Sandbox::User=root install -y -qq --no-install-recommends "${missing[@]}"
fi
