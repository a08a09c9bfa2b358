#!/usr/bin/env bash
# Two real boards, headless. A was closed with a note waiting for B in its pinaco.PEN; once
# B is on and A starts again, A delivers it by itself: B gets it once, A's log tells of it
# and A's outbox file is gone. Then A starts with a damaged outbox file: the file is set
# aside as pinaco.PEN.dañado, byte for byte, and A tells why.
#   pendientes_tablero.sh <pinaco binary>
set -euo pipefail
export LC_ALL=C
programa=$(realpath "$1")
fallo() {
    echo "FALLO: $*" >&2
    exit 1
}
source "$(dirname "$0")/../scripts/pantalla-virtual.sh"
empezar_trabajo

puertoB=$(puerto_libre 6500)
comunes='AvisoNotaCaducada=0
IconInTray=0
MinimizeToTray=0'
A=$trabajo/A B=$trabajo/B
preparar_tablero "$B" "$comunes
ServerActivo=1
ServerPort=$puertoB
CrearArchivoLog=1
LogFilename=" "127.0.0.1\r\nTablero A\r\n2222\r\n1\r\n"
preparar_tablero "$A" "$comunes
ServerActivo=0
CrearArchivoLog=1
LogFilename=" "127.0.0.1\r\nTablero B\r\n$puertoB\r\n1\r\n"
# Waiting since an hour ago, due a minute ago.
desde=$(date -u -d '-1 hour' +%Y-%m-%dT%H:%M:%S.000Z)
proximo=$(date -u -d '-1 minute' +%Y-%m-%dT%H:%M:%S.000Z)
printf 'PINACO_PENDIENTES_1.0\r\n1\r\n127.0.0.1\r\n%s\r\nTablero B\r\n%s\r\n%s\r\n4\r\n' \
    "$puertoB" "$desde" "$proximo" >"$A/pinaco.PEN"
printf '60\r\n80\r\n150\r\n120\r\n0\r\n7\r\n12\r\n2026\r\n31\r\n12\r\n2099\r\n0000\r\nDejaVu Sans\r\n10\r\n0\r\n\r\n\r\n\r\n1\r\nEsperaba a B\r\nFIN\r\n' \
    >>"$A/pinaco.PEN"

arrancar_tablero "$B" QT_QPA_PLATFORM=offscreen
pidB=$arrancado
for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$puertoB") 2>/dev/null && break; sleep 0.1; done
arrancar_tablero "$A" QT_QPA_PLATFORM=offscreen
pidA=$arrancado
for _ in $(seq 150); do [ -e "$A/pinaco.PEN" ] || break; sleep 0.1; done
[ ! -e "$A/pinaco.PEN" ] || fallo "A no entregó la nota pendiente"
sleep 1
parar "$pidA"
parar "$pidB"
recibidas=$(grep -c "Recibida Nota de: 127.0.0.1  (Tablero A)" "$B/pinaco.LOG" || true)
[ "$recibidas" = 1 ] || fallo "B recibió $recibidas notas"
grep -q "Esperaba a B" "$B/pinaco.DAT" || fallo "B no guardó la nota"
grep -qF "Nota pendiente entregada a: 127.0.0.1  (Tablero B)" "$A/pinaco.LOG" ||
    fallo "A: registro: $(cat "$A/pinaco.LOG" 2>/dev/null)"
echo "ok: A entrega al arrancar la nota que esperaba a B"

printf 'PINACO_PENDIENTES_1.0\r\n2\r\n127.0.0.1\r\n' >"$A/pinaco.PEN"
arrancar_tablero "$A" QT_QPA_PLATFORM=offscreen
pidA=$arrancado
copia="$A/pinaco.PEN.dañado"
for _ in $(seq 100); do [ -e "$copia" ] && grep -q "dañado" "$A/salida.txt" && break; sleep 0.1; done
cmp -s "$copia" "$A/pinaco.PEN" || fallo "A no apartó el archivo dañado"
grep -qF "Las notas pendientes de envío no se pudieron leer: el archivo está dañado. (Se ha guardado una copia en: $copia)" \
    "$A/salida.txt" || fallo "A: $(cat "$A/salida.txt")"
parar "$pidA"
echo "ok: A aparta el archivo dañado y lo dice"
