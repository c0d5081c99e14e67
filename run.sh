#!/usr/bin/env bash
# Installs what is missing, builds, and starts Melodora.
set -euo pipefail
cd "$(dirname "$0")"
scripts/dipendenze.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMELODORA_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
exec ./build/melodora "$@"
