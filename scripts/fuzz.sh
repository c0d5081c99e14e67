#!/usr/bin/env bash
# Builds the libFuzzer programs (clang, ASan + UBSan, build-fuzz/) and, for each target of
# fuzz/bersagli.def, replays its committed regression inputs, then fuzzes it for a bounded
# time starting from its committed seeds. A finding is copied into fuzz/regressions/TARGET/
# (commit it, with a test in the ordinary suite) and fails the run.
#   scripts/fuzz.sh [TARGET...]      FUZZ_SECONDS=10 per target by default; 0 only replays.
# .ci/run calls it after ./test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/dipendenze.sh fuzz

SECONDI="${FUZZ_SECONDS:-10}"
BUILD="${FUZZ_BUILD:-build-fuzz}"
if [ $# -gt 0 ]; then
  BERSAGLI=("$@")
else
  mapfile -t BERSAGLI < <(sed -n 's/^BERSAGLIO(\([A-Za-z0-9_]*\)).*/\1/p' fuzz/bersagli.def)
fi

echo "== fuzzing: compilazione (clang, libFuzzer + ASan + UBSan)"
# Warnings are errors in the ordinary build; clang's own extra ones must not stop fuzzing.
cmake -S . -B "$BUILD" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMELODORA_FUZZ=ON -DMELODORA_TESTS=OFF -DMELODORA_WERROR=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target fuzz_tutti >/dev/null

LAVORO="$(mktemp -d)"
trap 'rm -rf "$LAVORO"' EXIT
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

esito=0
for t in "${BERSAGLI[@]}"; do
  programma="$BUILD/fuzz/fuzz_$t"
  registro="$LAVORO/$t.log"
  mkdir -p "$LAVORO/$t" "fuzz/corpus/$t"
  regressioni=()
  if [ -d "fuzz/regressions/$t" ]; then
    mapfile -t regressioni < <(find "fuzz/regressions/$t" -type f | sort)
  fi
  if [ ${#regressioni[@]} -gt 0 ]; then
    if ! "$programma" "${regressioni[@]}" >"$registro" 2>&1; then
      echo "fuzz_$t: un input di fuzz/regressions/$t/ fallisce di nuovo"
      tail -40 "$registro"
      esito=1
      continue
    fi
  fi
  if [ "$SECONDI" -le 0 ]; then
    # libFuzzer reads a time limit of 0 as none at all: 0 here means replay only.
    "$programma" -runs=0 "fuzz/corpus/$t" >"$registro" 2>&1 || { echo "fuzz_$t: un seme fallisce"; tail -40 "$registro"; esito=1; }
    echo "fuzz_$t: ${#regressioni[@]} regressioni e i semi ripassati"
    continue
  fi
  # New inputs go to a scratch folder, so the committed seeds stay as they are.
  if "$programma" -max_total_time="$SECONDI" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$LAVORO/$t-" "$LAVORO/$t" "fuzz/corpus/$t" >"$registro" 2>&1; then
    echo "fuzz_$t: ${#regressioni[@]} regressioni ripassate, $(grep -o 'Done [0-9]* runs' "$registro" \
      | tail -1 | cut -d' ' -f2) esecuzioni in ${SECONDI} s, nessun problema"
  else
    echo "fuzz_$t: TROVATO UN PROBLEMA"
    tail -60 "$registro"
    mkdir -p "fuzz/regressions/$t"
    for a in "$LAVORO/$t-"*; do
      [ -e "$a" ] || continue
      cp "$a" "fuzz/regressions/$t/"
      echo "input salvato in fuzz/regressions/$t/$(basename "$a")"
    done
    esito=1
  fi
done
exit $esito
