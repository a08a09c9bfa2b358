#!/usr/bin/env bash
# Builds the board and starts it.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
"$raiz/scripts/setup.sh"
cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPINACO_TESTS=OFF
cmake --build "$raiz/build" -j"$(nproc)" --target pinaco
exec "$raiz/build/app/pinaco"
