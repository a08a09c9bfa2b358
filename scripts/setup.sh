#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the board need, when missing;
# other packages named as arguments too.
set -euo pipefail
paquetes=(cmake g++ make pkg-config clang
          qt6-base-dev qt6-multimedia-dev qt6-image-formats-plugins qt6-qpa-plugins
          libgl-dev fonts-dejavu-core qt6-translations-l10n xvfb xauth xdotool openbox python3 "$@")
faltan=()
for p in "${paquetes[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${faltan[@]}"
fi
