#!/usr/bin/env bash
# Builds the program in Release and makes the Debian package in build-paquete/.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
"$raiz/scripts/setup.sh"
carpeta="$raiz/build-paquete"
cmake -S "$raiz" -B "$carpeta" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DPINACO_TESTS=OFF -DPINACO_BENCH=OFF
cmake --build "$carpeta" --target pinaco -j"$(nproc)"
(cd "$carpeta" && cpack -G DEB)
ls "$carpeta"/pinaco_*.deb
