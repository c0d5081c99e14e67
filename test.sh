#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test. A private sound server runs for the tests that play for real.
set -euo pipefail
cd "$(dirname "$0")"
RADICE="$(pwd)"
scripts/dipendenze.sh

# A private folder per run, so that two runs never stop each other's sound server.
export XDG_RUNTIME_DIR="$(mktemp -d "${TMPDIR:-/tmp}/melodora-test-xdg.XXXXXX")"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "== formato del codice"
find src tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror

echo "== compilazione (ASan + UBSan)"
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DMELODORA_SANITIZE=ON -DMELODORA_WERROR=ON \
  -DMELODORA_BENCH=ON >/dev/null
cmake --build build-test -j"$(nproc)"

"$RADICE/scripts/suono.sh" avvia
trap '"$RADICE/scripts/suono.sh" ferma; rm -rf "$XDG_RUNTIME_DIR"' EXIT

# Each fuzz target for a bounded time (FUZZ_SECONDS, 30 by default), after its regressions.
echo "== fuzzing"
scripts/fuzz.sh

echo "== test"
(cd build-test && ctest --output-on-failure -j2 "$@")
