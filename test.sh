#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test, the fuzz targets' committed regression inputs among them (the timed
# fuzzing is scripts/fuzz.sh). Arguments go to ctest (-R test_redazione, ...).
# The tests that play for real use a private sound server when pulseaudio is installed
# (scripts/dipendenze.sh says when it is installed); without it they skip those checks.
set -euo pipefail
cd "$(dirname "$0")"
RADICE="$(pwd)"
scripts/dipendenze.sh prova

# A private folder per run, so that two runs never stop each other's sound server.
export XDG_RUNTIME_DIR="$(mktemp -d "${TMPDIR:-/tmp}/melodora-test-xdg.XXXXXX")"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "== formato del codice"
find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror

echo "== compilazione (ASan + UBSan)"
# Ninja when there is one: it keeps both cores busy across the many test programs.
GENERATORE=()
if [ ! -f build-test/CMakeCache.txt ] && command -v ninja >/dev/null; then
  GENERATORE=(-G Ninja)
fi
# The benchmarks are left out: the tests do not need them (-DMELODORA_BENCH=ON builds them).
# Line tables only (-g1): the sanitizers' reports keep their file and line, and the build
# writes and links far less debug information.
cmake -S . -B build-test "${GENERATORE[@]}" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
  -DMELODORA_SANITIZE=ON -DMELODORA_WERROR=ON -DMELODORA_BENCH=OFF >/dev/null
cmake --build build-test -j"$(nproc)"

if command -v pulseaudio >/dev/null; then
  "$RADICE/scripts/suono.sh" avvia
  trap '"$RADICE/scripts/suono.sh" ferma; rm -rf "$XDG_RUNTIME_DIR"' EXIT
else
  echo "pulseaudio non c'è: le prove con il suono vero saltano i controlli sul flusso"
  trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi

echo "== test"
(cd build-test && ctest --output-on-failure -j"$(nproc)" "$@")
