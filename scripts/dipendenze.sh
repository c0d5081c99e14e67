#!/usr/bin/env bash
# Installs the Debian packages that are missing, in sets:
#
#   scripts/dipendenze.sh            to build and run the program (./run.sh)
#   scripts/dipendenze.sh prova      and what the tests, the package and the screenshots add
#                                    (./test.sh, scripts/screenshot.sh)
#   scripts/dipendenze.sh fuzz       and clang with libFuzzer (scripts/fuzz.sh)
#   scripts/dipendenze.sh --elenco [SET]   prints the set, one package a line, installs nothing
#
# A sound server is never installed on a user's machine: on a desktop it would replace the
# one that plays (pulseaudio displaces pipewire-pulse). Only a test machine, which CI marks
# with CI=true, gets the private PulseAudio that the tests playing for real use; elsewhere
# those tests use it when pulseaudio is already installed, and skip their stream checks when
# it is not.
set -euo pipefail

PROGRAMMA=(
  cmake make g++ qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins libasound2-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good fonts-liberation xdg-utils
  pkg-config libtag1-dev libicu-dev
)
PROVA=(
  clang-format fonts-dejavu-core poppler-utils sox libsox-fmt-mp3
  xvfb xauth imagemagick xdotool python3-pil python3-mutagen
  dpkg-dev file desktop-file-utils appstream ninja-build lld
)
SERVER_AUDIO=(pulseaudio pulseaudio-utils libasound2-plugins)
FUZZ=(clang libclang-rt-14-dev)

elenco=0
if [ "${1:-}" = "--elenco" ]; then
  elenco=1
  shift
fi
insieme="${1:-programma}"
PACCHETTI=("${PROGRAMMA[@]}")
case "$insieme" in
  programma) ;;
  prova)
    PACCHETTI+=("${PROVA[@]}")
    [ "${CI:-}" = "true" ] && PACCHETTI+=("${SERVER_AUDIO[@]}")
    ;;
  fuzz) PACCHETTI+=("${FUZZ[@]}") ;;
  *) echo "uso: $0 [--elenco] [programma|prova|fuzz]" >&2; exit 2 ;;
esac

if [ $elenco -eq 1 ]; then
  printf '%s\n' "${PACCHETTI[@]}"
  exit 0
fi

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
