#!/usr/bin/env bash
# Takes the pictures of every window for the README and the help file, under a private X
# server, from a throw-away folder with a small sample archive.
#
#   scripts/screenshot.sh [--scala N] [CARTELLA_DI_BUILD]
#
# Writes docs/schermate/{principale,ricerca,elenco-audio,volume,stampa,email,informazioni,
# guida}.png. With --scala 2 the windows are drawn at 200% (QT_SCALE_FACTOR) and only the
# main window is kept, as docs/screenshot-200.png. CARTELLA_DI_BUILD defaults to build/
# (configured and built if needed). The help file carries the pictures inside the program:
# rebuild after retaking them.
set -euo pipefail
cd "$(dirname "$0")/.."
radice=$(pwd)

scala=1
build=build
while [ $# -gt 0 ]; do
  case "$1" in
    --scala) scala="${2:?manca il fattore di scala}"; shift 2 ;;
    -h|--help) sed -n '2,11p' "$0"; exit 0 ;;
    -*) echo "opzione sconosciuta: $1" >&2; exit 2 ;;
    *) build="$1"; shift ;;
  esac
done
case "$scala" in
  *[!0-9]*|'') echo "--scala vuole un numero intero" >&2; exit 2 ;;
esac

scripts/dipendenze.sh prova
# ImageMagick 6 under its own name, in case another convert shadows it.
im_convert=$(command -v convert-im6.q16 || command -v convert)

costruisci() {
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMELODORA_TESTS=OFF || return
  fi
  cmake --build "$build" -j"$(nproc)" --target melodora-cli melodora_schermate
}
registro_build=$(mktemp)
if ! costruisci >"$registro_build" 2>&1; then
  cat "$registro_build" >&2; rm -f "$registro_build"; exit 1
fi
rm -f "$registro_build"

lavoro=$(mktemp -d "${TMPDIR:-/tmp}/melodora-schermate.XXXXXX")
xvfb_pid=""
pulisci() {
  set +e
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
  rm -rf "$lavoro"
}
trap pulisci EXIT
trap 'exit 1' INT TERM

# The program's folder: the help file and the sample archive.
mkdir "$lavoro/programma" "$lavoro/immagini"
cp resources/Sonoria.hlp "$lavoro/programma/Sonoria.hlp"
"$build/melodora-cli" --archive "$lavoro/programma/Sonoria.sng" import scripts/schede-esempio.json \
  >/dev/null
export XDG_RUNTIME_DIR="$lavoro/xdg" HOME="$lavoro"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A private X server, without a window manager: the pictures are the windows' own contents.
exec 3>"$lavoro/display"
Xvfb -displayfd 3 -screen 0 "$((1024 * scala))x$((768 * scala))x24" -nolisten tcp \
  >"$lavoro/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$lavoro/display" ] && break; sleep 0.05; done
if ! kill -0 "$xvfb_pid" 2>/dev/null || [ ! -s "$lavoro/display" ]; then
  echo "Xvfb non è partito:" >&2; cat "$lavoro/xvfb.log" >&2; exit 1
fi
export DISPLAY=":$(tr -dc 0-9 <"$lavoro/display")"

QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scala" \
  "$build/melodora_schermate" "$lavoro/programma" "$lavoro/immagini"

# Small files: a palette of at most 256 colours is plenty for these flat windows.
riduci() { "$im_convert" "$1" -strip -dither None -colors 256 "PNG8:$2"; }
if [ "$scala" = 1 ]; then
  mkdir -p docs/schermate
  for f in "$lavoro/immagini"/*.png; do
    riduci "$f" "docs/schermate/$(basename "$f")"
    echo "scritto docs/schermate/$(basename "$f")"
  done
else
  riduci "$lavoro/immagini/principale.png" "docs/screenshot-${scala}00.png"
  echo "scritto docs/screenshot-${scala}00.png"
fi
