#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test. A private sound server runs for the tests that play for real.
set -euo pipefail
cd "$(dirname "$0")"
scripts/dipendenze.sh

export XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/melodora-test-xdg"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "== formato del codice"
find src tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror

echo "== compilazione (ASan + UBSan)"
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DMELODORA_SANITIZE=ON -DMELODORA_WERROR=ON \
  -DMELODORA_BENCH=ON >/dev/null
cmake --build build-test -j"$(nproc)"

scripts/suono.sh avvia
trap 'scripts/suono.sh ferma' EXIT

echo "== test"
cd build-test
ctest --output-on-failure -j2 "$@"
cd ..

# Each fuzz target for a bounded time (FUZZ_SECONDS, 30 by default), after its regressions.
echo "== fuzzing"
scripts/fuzz.sh
