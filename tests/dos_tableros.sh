#!/usr/bin/env bash
# Two real boards on this machine. Board A runs under Xvfb and is driven as a user would:
# right-click on its note, "Enviar", Enter. Board B runs headless with its note server on.
# First B accepts A: B's notes file holds the note with the Net pin, A's address and the
# text byte for byte, and B's log tells of it. Then B refuses A: A's attempt ends with the
# refusal, B logs the attempt and creates nothing.
#   dos_tableros.sh <pinaco binary>
set -euo pipefail
export LC_ALL=C
programa=$(realpath "$1")

fallo() {
    echo "FALLO: $*" >&2
    # What the screen showed, to see what went wrong.
    if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
        import -window root "${TMPDIR:-/tmp}/dos_tableros_fallo.png" 2>/dev/null &&
            echo "pantalla: ${TMPDIR:-/tmp}/dos_tableros_fallo.png" >&2
    fi
    exit 1
}

source "$(dirname "$0")/../scripts/pantalla-virtual.sh"
empezar_trabajo
abrir_pantalla || fallo "no se pudo abrir la pantalla virtual"

puertoB=$(puerto_libre 6300)

ventana() { # title
    esperar_ventana "$1" >/dev/null || fallo "no apareció la ventana «$1»"
}

comunes='AvisoNotaCaducada=0
IconInTray=0
MinimizeToTray=0
NotasCanOverlapPinaco=1'
texto1=$'Llamar a Jos\xe9'
texto2=$'ma\xf1ana a las 9'

prueba() { # B permits A: 1 or 0
    local permitido=$1 A="$trabajo/A$1" B="$trabajo/B$1"
    preparar_tablero "$B" "$comunes
ServerActivo=1
ServerPort=$puertoB
CrearArchivoLog=1
LogWithSenderName=1
LogWithNotaText=1
LogFilename=" "127.0.0.1\r\nTablero A\r\n2222\r\n$permitido\r\n"
    preparar_tablero "$A" "$comunes
ServerActivo=0
LastLeft=100
LastTop=100
LastWidth=500
LastHeight=400" "127.0.0.1\r\nTablero B\r\n$puertoB\r\n1\r\n"
    # One note on A, due long after today.
    printf 'PINACO_NOTAS_BD_3.0\r\n60\r\n80\r\n150\r\n120\r\n0\r\n7\r\n12\r\n2026\r\n31\r\n12\r\n2099\r\n0000\r\nDejaVu Sans\r\n10\r\n0\r\n\r\n\r\n\r\n2\r\n%s\r\n%s\r\n' \
        "$texto1" "$texto2" >"$A/pinaco.DAT"

    local pidB pidA
    arrancar_tablero "$B" QT_QPA_PLATFORM=offscreen
    pidB=$arrancado
    for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$puertoB") 2>/dev/null && break; sleep 0.1; done
    arrancar_tablero "$A" QT_QPA_PLATFORM=xcb
    pidA=$arrancado
    ventana '^Pinaco$'
    sleep 0.5
    # The note lies at 60,80 on the board at 100,100.
    xdotool mousemove 235 240 click 3
    sleep 1.5
    xdotool key v
    ventana '^Enviar Nota por Red$'
    sleep 0.3
    xdotool key Return
    if [ "$permitido" = 1 ]; then
        ventana '^Notificaci.*:$'
    else
        ventana 'Atenci.*!$'
    fi
    xdotool key Return
    sleep 0.3
    xdotool key Escape
    sleep 0.3
    parar "$pidA"
    parar "$pidB"
    [ -z "${DEPURAR:-}" ] || cp -r "$B" "$DEPURAR"

    local notasB log
    # A loaded text keeps single CRs between its lines: both ends of line count.
    notasB=$(awk 'BEGIN { RS = "\r\n|\r" } { print }' "$B/pinaco.DAT" 2>/dev/null || true)
    log=$(cat "$B/pinaco.LOG" 2>/dev/null || true)
    if [ "$permitido" = 1 ]; then
        # The received note's record: pin 6 (Net) on line 5, the sender's address and name,
        # two text lines.
        mapfile -t lineas <<<"$notasB"
        [ "${lineas[0]}" = PINACO_NOTAS_BD_3.0 ] || fallo "B: cabecera ${lineas[0]}"
        [ "${lineas[5]}" = 6 ] || fallo "B: chincheta ${lineas[5]}, no Net"
        [ "${lineas[17]}" = 127.0.0.1 ] || fallo "B: remitente ${lineas[17]}"
        [ "${lineas[18]}" = "Tablero A" ] || fallo "B: nombre ${lineas[18]}"
        [ "${lineas[19]}" = 2 ] || fallo "B: líneas de texto ${lineas[19]}"
        [ "${lineas[20]}" = "$texto1" ] && [ "${lineas[21]}" = "$texto2" ] ||
            fallo "B: texto ${lineas[20]} / ${lineas[21]}"
        [ "${#lineas[@]}" = 22 ] || fallo "B: ${#lineas[@]} líneas, una nota esperada"
        grep -qF "Recibida Nota de: 127.0.0.1  (Tablero A)" <<<"$log" || fallo "B: registro: $log"
        grep -qF "TEXTO: $texto1 $texto2" <<<"$log" || fallo "B: texto del registro: $log"
    else
        [ -z "$notasB" ] || [ "$notasB" = PINACO_NOTAS_BD_3.0 ] || fallo "B creó algo: $notasB"
        grep -qF ">>> INTENTO DE ACCESO DESDE IP NO PERMITIDO: 127.0.0.1" <<<"$log" ||
            fallo "B: registro del rechazo: $log"
    fi
    if [ "$permitido" = 1 ]; then echo "ok: B acepta la nota de A"; else echo "ok: B rechaza a A"; fi
}

prueba 1
prueba 0
