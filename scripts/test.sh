#!/usr/bin/env bash
# Builds and runs the whole test suite headless. With --sanitize, in a separate build with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
"$raiz/scripts/setup.sh"
carpeta="$raiz/build"
opciones=(-DCMAKE_BUILD_TYPE=Debug)
if [ "${1:-}" = "--sanitize" ]; then
    carpeta="$raiz/build-sanitize"
    opciones+=(-DPINACO_SANITIZE=ON -DPINACO_BENCH=OFF)
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S "$raiz" -B "$carpeta" "${opciones[@]}"
cmake --build "$carpeta" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd "$carpeta" && ctest --output-on-failure -j"$(nproc)"
