#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Lumina needs.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-speech-dev qt6-declarative-dev
  qt6-l10n-tools libqt6svg6
  qt6-qpa-plugins libqt6texttospeech6 qt6-speech-flite-plugin qt6-speech-speechd-plugin
  libgl-dev libxkbcommon-dev
  libfluidsynth-dev fluid-soundfont-gm
  libfreetype-dev zlib1g-dev
  fonts-dseg fonts-dotgothic16 xfonts-shinonome fonts-ipafont-gothic fonts-ipafont-mincho
  fontconfig
  clang libclang-rt-14-dev
  xvfb xauth imagemagick
  desktop-file-utils appstream dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  SUDO=
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
