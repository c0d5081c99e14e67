#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when missing.
set -euo pipefail
PACCHETTI=(
  cmake g++ make qt6-base-dev qt6-multimedia-dev libasound2-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  pulseaudio pulseaudio-utils libasound2-plugins
  fonts-dejavu-core fonts-liberation poppler-utils xvfb xauth imagemagick
  sox libsox-fmt-mp3 xdg-utils python3-pil clang-format xdotool
  clang libclang-rt-14-dev desktop-file-utils
  pkg-config libtag1-dev python3-mutagen
)
mancanti=()
for p in "${PACCHETTI[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || mancanti+=("$p")
done
if [ ${#mancanti[@]} -gt 0 ]; then
  echo "Installo: ${mancanti[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
fi
