#!/usr/bin/env bash
# Builds the program in Release and makes the Debian package in build-paquete/.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
"$raiz/scripts/setup.sh" dpkg-dev
carpeta="$raiz/build-paquete"
# Debian's hardening flags, as a package built by Debian's own tools gets them.
cd "$raiz"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
cmake -S "$raiz" -B "$carpeta" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DPINACO_TESTS=OFF -DPINACO_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS"
cmake --build "$carpeta" --target pinaco documentos_paquete -j"$(nproc)"
(cd "$carpeta" && cpack -G DEB)
ls "$carpeta"/pinaco_*.deb
