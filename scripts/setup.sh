#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Lumina needs.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-speech-dev qt6-declarative-dev
  qt6-l10n-tools libqt6svg6
  # Translations: CMake's Qt6LinguistTools package; Qt's own Japanese texts.
  qt6-tools-dev qt6-translations-l10n
  qt6-qpa-plugins libqt6texttospeech6 qt6-speech-flite-plugin qt6-speech-speechd-plugin
  speech-dispatcher speech-dispatcher-espeak-ng speech-dispatcher-audio-plugins espeak-ng
  pulseaudio pulseaudio-utils
  libgl-dev libxkbcommon-dev
  libfluidsynth-dev fluid-soundfont-gm
  # FluidSynth's CMake package names its program, so the build needs it; the
  # small soundfont is the one the build tree ships (cmake/Assets.cmake).
  fluidsynth timgm6mb-soundfont
  # Sound: MP3 decoding through GStreamer; a private sound server for the test
  # that plays for real; the MP3 encoder of tools/make_sample_sounds.py; Qt's
  # window-system header for the test that queues input during a sound.
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  pulseaudio pulseaudio-utils lame
  qt6-base-private-dev
  libfreetype-dev zlib1g-dev
  libzint-dev
  fonts-dseg fonts-dotgothic16 xfonts-shinonome fonts-ipafont-gothic fonts-ipafont-mincho
  fontconfig
  clang libclang-rt-14-dev
  xvfb xauth imagemagick
  openbox xdotool x11-utils
  desktop-file-utils appstream dpkg-dev file
  # lumina-fare video: GStreamer's encoders and muxers (H.264 in -ugly, AAC in
  # -libav), espeak-ng's library for offline speech, ffprobe for the checks.
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev gstreamer1.0-plugins-ugly
  gstreamer1.0-libav gstreamer1.0-tools libespeak-ng-dev ffmpeg
  # lumina-fare import: GTFS feeds come as zip files.
  libzip-dev
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
