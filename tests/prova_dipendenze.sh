#!/usr/bin/env bash
# On a machine with nothing installed, what would ./run.sh and ./test.sh ask apt for? apt,
# dpkg-query and sudo are stand-ins here, so nothing is installed for real.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
finto="$(mktemp -d)"
trap 'rm -rf "$finto"' EXIT
cat >"$finto/dpkg-query" <<'FINE'
#!/bin/sh
exit 1
FINE
cat >"$finto/apt-get" <<'FINE'
#!/bin/sh
[ "$1" = update ] && exit 0
for a in "$@"; do case "$a" in -*|install) ;; *) echo "$a" ;; esac; done >>"$RICHIESTI"
FINE
printf '#!/bin/sh\nexec "$@"\n' >"$finto/sudo"
chmod +x "$finto"/*

# The packages each script would install: its own call of dipendenze.sh, as written in it.
richiesti() { # SCRIPT [CI]
  local chiamata
  chiamata=$(grep -m1 -E '^[[:space:]]*scripts/dipendenze.sh' "$radice/$1")
  RICHIESTI="$finto/$1.txt" CI="${2:-}" PATH="$finto:$PATH" \
    bash -c "cd '$radice' && $chiamata" >/dev/null
  sort -u "$finto/$1.txt"
}

errori=0
sbaglio() { echo "ERRORE: $*"; errori=1; }

esecuzione=$(richiesti run.sh)
prova=$(richiesti test.sh)
prova_ci=$(richiesti test.sh true)

# What only the tests use: none of it on the machine of someone who just runs the program,
# and never a sound server.
for p in pulseaudio pulseaudio-utils libasound2-plugins clang clang-format sox xvfb \
  imagemagick poppler-utils xdotool python3-mutagen appstream dpkg-dev ccache lld; do
  grep -qx "$p" <<<"$esecuzione" && sbaglio "run.sh installerebbe $p"
done
for p in cmake g++ qt6-base-dev qt6-multimedia-dev libasound2-dev gstreamer1.0-plugins-base \
  gstreamer1.0-plugins-good fonts-liberation xdg-utils libtag1-dev; do
  grep -qx "$p" <<<"$esecuzione" || sbaglio "run.sh non installerebbe $p"
done
# The test run adds to the program's set and takes nothing away from it.
comm -23 <(echo "$esecuzione") <(echo "$prova") | grep . && sbaglio "test.sh non installa tutto ciò che installa run.sh"
for p in libtag1-dev python3-mutagen clang-format xvfb appstream lld; do
  grep -qx "$p" <<<"$prova" || sbaglio "test.sh non installerebbe $p"
done
grep -qx pulseaudio <<<"$prova" && sbaglio "test.sh installerebbe pulseaudio fuori da una macchina di prova"
grep -qx pulseaudio <<<"$prova_ci" || sbaglio "test.sh con CI=true non installerebbe pulseaudio"
grep -qx ccache <<<"$prova_ci" && sbaglio "ccache non serve alle prove"
echo "run.sh: $(wc -l <<<"$esecuzione") pacchetti; test.sh: $(wc -l <<<"$prova") ($(wc -l <<<"$prova_ci") con CI=true)"
exit $errori
