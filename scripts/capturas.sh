#!/usr/bin/env bash
# Makes the README's screenshots again from the real program under Xvfb:
#   scripts/capturas.sh [pinaco binary]   (default: build/app/pinaco, built if missing)
# They go to docs/capturas/.
set -euo pipefail
export LC_ALL=C
raiz=$(cd "$(dirname "$0")/.." && pwd)
programa=${1:-$raiz/build/app/pinaco}
"$raiz/scripts/setup.sh" imagemagick
[ -x "$programa" ] || { cmake -S "$raiz" -B "$raiz/build" >/dev/null;
                        cmake --build "$raiz/build" --target pinaco -j"$(nproc)"; }
destino="$raiz/docs/capturas"
mkdir -p "$destino"
source "$raiz/scripts/pantalla-virtual.sh"
empezar_trabajo
abrir_pantalla 1024x700x24

# A board with a few notes of every kind, and an address book.
preparar_tablero "$trabajo" 'AvisoNotaCaducada=0
IconInTray=0
NotasCanOverlapPinaco=0
LastLeft=40
LastTop=30
LastWidth=640
LastHeight=480' '192.168.1.10\r\nAna (recepci\xf3n)\r\n2222\r\n1\r\n192.168.1.23\r\nCarlos\r\n2222\r\n1\r\n192.168.1.*\r\nOficina\r\n2222\r\n0\r\n*.*.*.*\r\n(Desconocido)\r\n2222\r\n0\r\n'
nota() { # left top width height pin due-day due-month text-lines... (received: ip name time)
    local l=$1 t=$2 w=$3 h=$4 pin=$5 dd=$6 mm=$7 ip=$8 nombre=$9 hora=${10}
    shift 10
    printf '%s\r\n' "$l" "$t" "$w" "$h" "$pin" 1 12 2026 "$dd" "$mm" 2026 0000 "DejaVu Sans" 10 0 \
        "$hora" "$ip" "$nombre" "$#" "$@"
}
{
    printf 'PINACO_NOTAS_BD_3.0\r\n'
    nota 330 90 170 150 6 20 12 192.168.1.10 $'Ana (recepci\xf3n)' 10:42:07 \
        $'Ha llamado el t\xe9cnico:' "viene el jueves" "a las 10."
    nota 60 80 190 140 0 24 12 "" "" "" "Comprar:" $'- caf\xe9' "- papel para la impresora"
    nota 280 280 180 130 2 31 12 "" "" "" "Enviar las facturas" $'antes de fin de a\xf1o'
    nota 80 270 160 120 4 26 12 "" "" "" $'Cumplea\xf1os de Luc\xeda'
} >"$trabajo/pinaco.DAT"

arrancar_tablero "$trabajo" QT_QPA_PLATFORM=xcb
tablero=$(esperar_ventana '^Pinaco$')
sleep 1
import -window "$tablero" "$destino/tablero.png"

# The send dialog of the note at 60,80.
xdotool mousemove 180 170 click 3
sleep 0.5
xdotool key v
dialogo=$(esperar_ventana '^Enviar Nota por Red$')
sleep 0.5
import -frame -window "$dialogo" "$destino/enviar.png"
xdotool key Escape
sleep 0.5

# The settings, on the address book.
xdotool mousemove 600 400 click 3
sleep 0.5
xdotool key c
dialogo=$(esperar_ventana '^Configuraci')
sleep 0.3
xdotool key ctrl+Tab
sleep 0.5
import -frame -window "$dialogo" "$destino/configuracion.png"
xdotool key Escape
echo "capturas en $destino"
ls "$destino"
