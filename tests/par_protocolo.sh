#!/usr/bin/env bash
# The real board, headless, with its note server on a free loopback port, talked to by the
# outside peer par_protocolo.py; after SIGTERM the peer reads the notes file, the address
# book and the log the board left.
#   [PYTHON=python3] par_protocolo.sh <pinaco binary> <generated VersionPinaco.h>
set -euo pipefail
export LC_ALL=C
programa=$(realpath "$1")
cabecera=$(realpath "$2")
aqui=$(dirname "$(realpath "$0")")
par="$aqui/par_protocolo.py"
python=${PYTHON:-python3}

fallo() {
    echo "FALLO: $*" >&2
    echo "--- salida del tablero:" >&2
    cat "$trabajo/tablero/salida.txt" >&2 2>/dev/null || true
    exit 1
}

source "$aqui/../scripts/pantalla-virtual.sh"
empezar_trabajo KILL

# A port nobody holds now; the board takes it a moment later.
puerto=$("$python" -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
inicio=$(date +%F)
tablero="$trabajo/tablero"
# The address book in Windows-1252: 127.0.0.2 "Almacén" allowed, 127.0.0.3 "Sótano" refused.
preparar_tablero "$tablero" "ServerActivo=1
ServerPort=$puerto
CrearArchivoLog=1
LogFilename=
LogWithSenderName=1
LogWithNotaText=1
HabilitarNumMaxNotas=0
AvisoNotaRecibida=0
AvisoNotaCaducada=0
IconInTray=0
MinimizeToTray=0
LastLeft=0
LastTop=0
LastWidth=600
LastHeight=450" '127.0.0.2\r\nAlmac\xe9n\r\n2222\r\n1\r\n127.0.0.3\r\nS\xf3tano\r\n2222\r\n0\r\n'

arrancar_tablero "$tablero" QT_QPA_PLATFORM=offscreen
pid=$arrancado
escucha=0
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || fallo "el tablero terminó al arrancar"
    if (exec 3<>"/dev/tcp/127.0.0.1/$puerto") 2>/dev/null; then escucha=1; break; fi
    sleep 0.1
done
[ "$escucha" = 1 ] || fallo "el tablero no escucha en el puerto $puerto"

estado=0
"$python" "$par" conversar "$puerto" "$cabecera" || estado=1

kill -TERM "$pid"
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fallo "el tablero no terminó tras SIGTERM"
[ -z "${DEPURAR:-}" ] || cp -r "$tablero" "$DEPURAR"

"$python" "$par" archivos "$tablero" "$inicio" || estado=1
[ "$estado" = 0 ] || fallo "el par de protocolo encontró diferencias"
