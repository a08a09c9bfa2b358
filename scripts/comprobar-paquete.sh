#!/usr/bin/env bash
# Makes the Debian package and checks it: lintian finds no error nor warning in it and no
# missing hardening, the install tree validates as desktop entry and AppStream metadata, and
# the package holds exactly the files a user's desktop needs.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
"$raiz/scripts/setup.sh" dpkg-dev desktop-file-utils appstream lintian
"$raiz/scripts/paquete.sh"

arbol=$(mktemp -d)
trap 'rm -rf "$arbol"' EXIT
DESTDIR="$arbol" cmake --install "$raiz/build-paquete" >/dev/null
desktop-file-validate "$arbol/usr/share/applications/pinaco.desktop"
appstreamcli validate --no-net --explain "$arbol/usr/share/metainfo/es.morvanti.pinaco.metainfo.xml"

esperado=$(cat <<'LISTA'
./usr/bin/pinaco
./usr/share/applications/pinaco.desktop
./usr/share/doc/pinaco/changelog.gz
./usr/share/doc/pinaco/copyright
./usr/share/icons/hicolor/128x128/apps/pinaco.png
./usr/share/icons/hicolor/16x16/apps/pinaco.png
./usr/share/icons/hicolor/22x22/apps/pinaco.png
./usr/share/icons/hicolor/256x256/apps/pinaco.png
./usr/share/icons/hicolor/32x32/apps/pinaco.png
./usr/share/icons/hicolor/48x48/apps/pinaco.png
./usr/share/icons/hicolor/64x64/apps/pinaco.png
./usr/share/icons/hicolor/scalable/apps/pinaco.svg
./usr/share/man/man1/pinaco.1.gz
./usr/share/metainfo/es.morvanti.pinaco.metainfo.xml
LISTA
)
paquete=$(ls "$raiz"/build-paquete/pinaco_*.deb)
# Some hardening tags are only of level info, so those fail the check by name.
informe=$(lintian --fail-on error,warning --display-info "$paquete") || {
    echo "lintian: $informe" >&2
    exit 1
}
if grep -E '^[A-Z]: pinaco[^:]*: hardening-' <<<"$informe" >&2; then
    echo "Al programa del paquete le falta protección (hardening)." >&2
    exit 1
fi
contenido=$(dpkg-deb -c "$paquete" | awk '{print $6}' | grep -v '/$' | sort)
if [ "$contenido" != "$esperado" ]; then
    echo "El paquete no tiene los archivos esperados:" >&2
    diff <(echo "$esperado") <(echo "$contenido") >&2
    exit 1
fi
# The libraries the program links, and Qt's Spanish texts, are dependencies of the package.
depende=$(dpkg-deb -f "$paquete" Depends)
for biblioteca in libqt6widgets6 libqt6network6 libqt6multimedia6 libc6 qt6-translations-l10n; do
    if ! grep -q "$biblioteca" <<<"$depende"; then
        echo "Falta la dependencia $biblioteca: $depende" >&2
        exit 1
    fi
done
echo "Paquete comprobado: $(basename "$paquete")"
echo "Depends: $depende"
