#!/usr/bin/env bash
# Takes the README's screenshot of the main window with a card on display, under a
# private X server, from a throw-away folder with a small sample archive.
#
#   scripts/screenshot.sh [--scala N] [--display N] [CARTELLA_DI_BUILD]
#
# CARTELLA_DI_BUILD defaults to build/ (configured and built if needed). With --scala 2
# the window is drawn at 200% (QT_SCALE_FACTOR) and the picture is docs/screenshot-200.png;
# otherwise docs/screenshot.png. --display picks the X display number (default: the first
# free one).
set -euo pipefail
cd "$(dirname "$0")/.."
radice=$(pwd)

scala=1
schermo=""
build=build
while [ $# -gt 0 ]; do
  case "$1" in
    --scala) scala="${2:?manca il fattore di scala}"; shift 2 ;;
    --display) schermo="${2:?manca il numero del display}"; shift 2 ;;
    -h|--help) sed -n '2,11p' "$0"; exit 0 ;;
    -*) echo "opzione sconosciuta: $1" >&2; exit 2 ;;
    *) build="$1"; shift ;;
  esac
done
case "$scala" in
  1) uscita="$radice/docs/screenshot.png" ;;
  *[!0-9]*|'') echo "--scala vuole un numero intero" >&2; exit 2 ;;
  *) uscita="$radice/docs/screenshot-${scala}00.png" ;;
esac

scripts/dipendenze.sh

# ImageMagick 6 under its own names, in case another convert/import shadows it.
im_import=$(command -v import-im6.q16 || command -v import)
im_convert=$(command -v convert-im6.q16 || command -v convert)

costruisci() {
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMELODORA_TESTS=OFF || return
  fi
  cmake --build "$build" -j"$(nproc)" --target melodora melodora-cli
}
registro_build=$(mktemp)
if ! costruisci >"$registro_build" 2>&1; then
  cat "$registro_build" >&2; rm -f "$registro_build"; exit 1
fi
rm -f "$registro_build"

lavoro=$(mktemp -d "${TMPDIR:-/tmp}/melodora-schermata.XXXXXX")
xvfb_pid=""
prog_pid=""
pulisci() {
  set +e
  for pid in $prog_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$lavoro"
}
trap pulisci EXIT
trap 'exit 1' INT TERM

# The program finds its archive and its help file next to itself.
cp "$build/melodora" "$lavoro/melodora"
cp resources/Sonoria.hlp "$lavoro/Sonoria.hlp"
"$build/melodora-cli" --archive "$lavoro/Sonoria.sng" import scripts/schede-esempio.json >/dev/null
export XDG_RUNTIME_DIR="$lavoro/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A private X server, large enough for the window at the chosen scale.
larghezza=$((1024 * scala))
altezza=$((768 * scala))
if [ -n "$schermo" ]; then
  Xvfb ":$schermo" -screen 0 "${larghezza}x${altezza}x24" -nolisten tcp >"$lavoro/xvfb.log" 2>&1 &
  xvfb_pid=$!
else
  exec 3>"$lavoro/display"
  Xvfb -displayfd 3 -screen 0 "${larghezza}x${altezza}x24" -nolisten tcp >"$lavoro/xvfb.log" 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 100); do [ -s "$lavoro/display" ] && break; sleep 0.05; done
  schermo=$(tr -dc 0-9 <"$lavoro/display")
fi
export DISPLAY=":$schermo"
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.05; done
if ! kill -0 "$xvfb_pid" 2>/dev/null; then
  echo "Xvfb non è partito:" >&2; cat "$lavoro/xvfb.log" >&2; exit 1
fi

QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scala" "$lavoro/melodora" >"$lavoro/melodora.log" 2>&1 &
prog_pid=$!
finestra=$(timeout 20 xdotool search --sync --onlyvisible --name 'Melodora 1\.0' | head -n 1) || {
  echo "la finestra di Melodora non è comparsa:" >&2; cat "$lavoro/melodora.log" >&2; exit 1
}

# Show the first card ("Prima scheda", 32 x 32 at (262, 64) in the window), then leave the
# pointer outside the window so that no tooltip covers it.
x=$(((262 + 16) * scala))
y=$(((64 + 16) * scala))
xdotool mousemove --window "$finestra" "$x" "$y" click 1
sleep 0.3
xdotool mousemove "$((larghezza - 1))" "$((altezza - 1))"
sleep 1

eval "$(xdotool getwindowgeometry --shell "$finestra")"
mkdir -p "$(dirname "$uscita")"
"$im_import" -window root "$lavoro/schermo.png"
"$im_convert" "$lavoro/schermo.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip "$uscita"
echo "scritto $uscita (${WIDTH}x${HEIGHT})"
