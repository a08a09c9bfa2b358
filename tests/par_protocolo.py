#!/usr/bin/env python3
"""An outside peer for the real board's note server, written from the wire protocol alone.

    par_protocolo.py conversar <port> <VersionPinaco.h>   talks to the running board
    par_protocolo.py archivos <board folder> <yyyy-mm-dd> checks what the board left on disk,
                                                          the date being the day the run began

Messages are bare Windows-1252 texts, one per send, and the peer waits for each answer
before it sends the next one; every answer is compared byte for byte. The address book the
driver writes allows 127.0.0.2 and refuses 127.0.0.3; 127.0.0.9 has no entry of its own.
"""
import datetime
import re
import socket
import sys
import time

PERMITIDO = "127.0.0.2"
RECHAZADO = "127.0.0.3"
DESCONOCIDO = "127.0.0.9"
NOMBRES = {PERMITIDO: "Almacén", RECHAZADO: "Sótano"}
PUERTO_LIBRETA = 2222
PUERTO_ANUNCIADO = 4321

ESPERA = 5.0  # longest wait for an answer or for the close
SILENCIO = 1.0  # how long "no answer" is watched
RESTO = 0.1  # after a whole answer, how long extra bytes are looked for

TEXTO = "Café con ñandú\r\nmañana é"
CAMPOS = [  # (message, value as it must come back in the notes file)
    ("DAY_EXPIRES:", "24"),
    ("MONTH_EXPIRES:", "12"),
    ("YEAR_EXPIRES:", "2099"),
    ("FONT_STYLE:", "1010"),
    ("FONT_NAME:", "DejaVu Sans"),
    ("FONT_SIZE:", "14"),
    ("FONT_COLOR:", str(0x00336699)),
    ("WIDTH:", "220"),
    ("HEIGHT:", "160"),
    ("TOP:", "50"),
    ("LEFT:", "40"),
    ("TEXT:", TEXTO),
]
CAMPO = dict(CAMPOS)

# Refused senders: every one of these, alone on a fresh connection, gets "NOT_ALLOWED" and
# a closed connection.
REFUSABLES = ["HOLA", "VERSION", "ACTUALIZE_MY_SERVER_PORT:5555", "NOTA_BEGIN",
              "DAY_EXPIRES:3", "TEXT:x", "NOTA_END", "basura"]
REFUSABLES_DESCONOCIDO = ["HOLA", "NOTA_BEGIN"]

MESES = [b"Ene", b"Feb", b"Mar", b"Abr", b"May", b"Jun",
         b"Jul", b"Ago", b"Sep", b"Oct", b"Nov", b"Dic"]


def cp(texto):
    return texto.encode("cp1252")


def repetidos(veces):
    return cp(f"({veces} intentos más en el último minuto)")


class Fallo(Exception):
    pass


def esperado_y_llegado(que, esperado, llegado):
    return Fallo(f"{que}\n  esperado: {esperado!r}\n  llegado:  {llegado!r}")


def conectar(puerto, origen):
    try:
        return socket.create_connection(("127.0.0.1", puerto), timeout=ESPERA,
                                        source_address=(origen, 0))
    except OSError as e:
        raise Fallo(f"no se pudo conectar desde {origen}: {e}")


def leer(s, cuantos, plazo):
    """Reads until `cuantos` bytes came, the peer closed, or `plazo` seconds went by.
    Returns (bytes, closed)."""
    llegado = b""
    fin = time.monotonic() + plazo
    while len(llegado) < cuantos:
        queda = fin - time.monotonic()
        if queda <= 0:
            return llegado, False
        s.settimeout(queda)
        try:
            trozo = s.recv(4096)
        except socket.timeout:
            return llegado, False
        except ConnectionResetError:
            return llegado, True
        if not trozo:
            return llegado, True
        llegado += trozo
    return llegado, False


def intercambio(s, mensaje, respuesta):
    """Sends one message and checks the whole answer; None means no answer at all."""
    enviado = cp(mensaje)
    try:
        s.sendall(enviado)
    except OSError as e:
        raise Fallo(f"al enviar {enviado!r}: {e}")
    if respuesta is None:
        llegado, _ = leer(s, 1, SILENCIO)
        if llegado:
            raise esperado_y_llegado(f"respuesta a {enviado!r}", b"", llegado)
        return
    esperado = cp(respuesta)
    llegado, cerrada = leer(s, len(esperado), ESPERA)
    if llegado == esperado and not cerrada:
        # The answer has no terminator: anything right behind it would be a second answer.
        extra, cerrada = leer(s, 1, RESTO)
        llegado += extra
    if llegado != esperado:
        como = " (conexión cerrada)" if cerrada else ""
        raise esperado_y_llegado(f"respuesta a {enviado!r}{como}", esperado, llegado)


def cerrada_por_el_tablero(s, tras):
    llegado, cerrada = leer(s, 1, ESPERA)
    if llegado or not cerrada:
        raise esperado_y_llegado(f"tras {tras!r}, la conexión cerrada por el tablero", b"",
                                 llegado if llegado else b"(conexion abierta)")


def conversar(puerto, version):
    nota = [(clave + valor, "DATA_RECEIVED") for clave, valor in CAMPOS]
    # (what, sender, exchanges, board closes the connection after the last one)
    guiones = [
        ("lo que no se entiende", PERMITIDO, [
            ("NOTA_END", "UNKNOWN"),
            ("DAY_EXPIRES:5", "UNKNOWN"),
            ("basura ñ\x7f", "UNKNOWN"),
            ("hola", "UNKNOWN"),
            ("HOLA ", "UNKNOWN"),
            ("NOTA_BEGIN", "READY"),
            ("FONT_SIZE:grande", None),  # not a number: no answer
            ("CIAO", "CIAO_ACK"),
        ], False),
        ("CIAO cierra la nota abierta", PERMITIDO, [
            ("TEXT:suelto", "UNKNOWN"),
            ("NOTA_END", "UNKNOWN"),
            ("CIAO", "CIAO_ACK"),
        ], False),
        ("una nota entera", PERMITIDO, [
            ("HOLA", "HOLA_ACK"),
            ("VERSION", "VERSION_ID:" + version),
            (f"ACTUALIZE_MY_SERVER_PORT:{PUERTO_ANUNCIADO}", "YOUR_SERVER_PORT_ACTUALIZED"),
            ("NOTA_BEGIN", "READY"),
            *nota,
            ("NOTA_END", "NOTA_CREATED"),
            ("DAY_EXPIRES:1", "UNKNOWN"),
            ("NOTA_END", "UNKNOWN"),
            ("CIAO", "CIAO_ACK"),
        ], False),
        *[(f"{RECHAZADO} rechazado: {m}", RECHAZADO, [(m, "NOT_ALLOWED")], True)
          for m in REFUSABLES],
        (f"{RECHAZADO} sin permiso ni retiro: CIAO", RECHAZADO, [("CIAO", None)], False),
        *[(f"{DESCONOCIDO} sin entrada: {m}", DESCONOCIDO, [(m, "NOT_ALLOWED")], True)
          for m in REFUSABLES_DESCONOCIDO],
        (f"{DESCONOCIDO} sin entrada: CIAO", DESCONOCIDO, [("CIAO", "CIAO_ACK")], False),
    ]
    fallos = 0
    try:
        # A peer that connects and says nothing, and one that sends a half message and
        # falls silent, hold up no other sender.
        with conectar(puerto, PERMITIDO) as callado, conectar(puerto, PERMITIDO) as mudo:
            mudo.sendall(b"NOTA_BEG")
            with conectar(puerto, PERMITIDO) as s:
                intercambio(s, "HOLA", "HOLA_ACK")
                intercambio(s, "CIAO", "CIAO_ACK")
        print("ok: los callados no detienen a nadie")
    except Fallo as e:
        fallos += 1
        print(f"FALLO: los callados no detienen a nadie: {e}", file=sys.stderr)
    for que, origen, pasos, cierra in guiones:
        try:
            with conectar(puerto, origen) as s:
                for mensaje, respuesta in pasos:
                    intercambio(s, mensaje, respuesta)
                if cierra:
                    cerrada_por_el_tablero(s, pasos[-1][0])
            print(f"ok: {que}")
        except Fallo as e:
            fallos += 1
            print(f"FALLO: {que} ({origen}): {e}", file=sys.stderr)
    return fallos


def version_de_cabecera(ruta):
    with open(ruta, encoding="utf-8") as f:
        m = re.search(r'kNombreVersionPinaco\[\]\s*=\s*"([^"]*)"', f.read())
    if not m:
        raise Fallo(f"{ruta}: sin kNombreVersionPinaco")
    return m.group(1)


def comprobar(fallos, que, esperado, llegado):
    if esperado != llegado:
        print(f"FALLO: {esperado_y_llegado(que, esperado, llegado)}", file=sys.stderr)
        fallos.append(que)


def leer_archivo(ruta):
    try:
        with open(ruta, "rb") as f:
            return f.read()
    except OSError as e:
        raise Fallo(f"no se pudo leer {ruta}: {e}")


def fechas_validas(inicio):
    """The dates a line written during this run may carry: the run may cross midnight."""
    hoy = datetime.date.today()
    return {inicio, hoy}


def prefijo_log(fecha):
    # "(dd-Mmm-yyyy  " then the time
    return b"(%02d-%s-%04d  " % (fecha.day, MESES[fecha.month - 1], fecha.year)


def archivos(carpeta, inicio):
    fallos = []
    # The notes file: header, then 19 lines per note and the note's text lines.
    notas = leer_archivo(f"{carpeta}/pinaco.DAT")
    lineas = notas.split(b"\r\n")
    comprobar(fallos, "cabecera de pinaco.DAT", b"PINACO_NOTAS_BD_3.0", lineas[0])
    if len(lineas) >= 21:
        r = lineas[1:20]
        for que, i in [("LEFT", 0), ("TOP", 1), ("WIDTH", 2), ("HEIGHT", 3)]:
            comprobar(fallos, f"nota: {que}", cp(CAMPO[que + ":"]), r[i])
        comprobar(fallos, "nota: chincheta (6, Net)", b"6", r[4])
        creada = [r[5], r[6], r[7]]
        hoy = [[b"%d" % f.day, b"%d" % f.month, b"%d" % f.year] for f in fechas_validas(inicio)]
        if creada not in hoy:
            comprobar(fallos, "nota: día, mes y año de creación", hoy[0], creada)
        for que, i in [("DAY_EXPIRES", 8), ("MONTH_EXPIRES", 9), ("YEAR_EXPIRES", 10),
                       ("FONT_STYLE", 11), ("FONT_NAME", 12), ("FONT_SIZE", 13),
                       ("FONT_COLOR", 14)]:
            comprobar(fallos, f"nota: {que}", cp(CAMPO[que + ":"]), r[i])
        if not re.fullmatch(rb"\d\d:\d\d:\d\d", r[15]):
            comprobar(fallos, "nota: hora de llegada hh:mm:ss", b"hh:mm:ss", r[15])
        comprobar(fallos, "nota: IP del remitente", cp(PERMITIDO), r[16])
        comprobar(fallos, "nota: nombre del remitente", cp(NOMBRES[PERMITIDO]), r[17])
        comprobar(fallos, "nota: líneas de texto", b"%d" % (1 + TEXTO.count("\r")), r[18])
        # The text ends the file: exactly one note, its bytes as they came.
        cuerpo = b"\r\n".join(lineas[20:])
        comprobar(fallos, "nota: texto hasta el final del archivo", cp(TEXTO) + b"\r\n", cuerpo)
    else:
        comprobar(fallos, "pinaco.DAT con una nota", b"(cabecera y una nota)", notas)

    # The address book, saved at exit: the announced port is recorded for the sender.
    libreta = leer_archivo(f"{carpeta}/pinaco.NET").split(b"\r\n")
    registros = {tuple(libreta[i:i + 4])[0]: tuple(libreta[i:i + 4])
                 for i in range(0, len(libreta) - 3, 4)}
    for ip, puerto, permiso in [(PERMITIDO, PUERTO_ANUNCIADO, b"1"),
                                (RECHAZADO, PUERTO_LIBRETA, b"0")]:
        comprobar(fallos, f"pinaco.NET: registro de {ip}",
                  (cp(ip), cp(NOMBRES[ip]), b"%d" % puerto, permiso),
                  registros.get(cp(ip)))

    # The log: the note's line, and the refusal line of each refused address; the refusals
    # that followed within the minute are summed up in one line, at the latest when the
    # board closes.
    log = leer_archivo(f"{carpeta}/pinaco.LOG")
    lineas = log.split(b"\r\n")
    comprobar(fallos, "pinaco.LOG termina en CR LF", b"", lineas[-1])
    prefijos = b"|".join(re.escape(prefijo_log(f)) for f in fechas_validas(inicio))
    marca = rb"(?:" + prefijos + rb")\d\d:\d\d:\d\d\)  "
    rechazo = b">>> INTENTO DE ACCESO DESDE IP NO PERMITIDO: "
    plano = cp(TEXTO).replace(b"\r", b" ").replace(b"\n", b"")
    esperadas = [
        ("nota recibida", b"Recibida Nota de: " + cp(PERMITIDO) + b"  ("
         + cp(NOMBRES[PERMITIDO]) + b")  TEXTO: " + plano),
        (f"rechazo de {RECHAZADO}",
         rechazo + cp(RECHAZADO) + b"  (" + cp(NOMBRES[RECHAZADO]) + b")"),
        (f"rechazo de {DESCONOCIDO}", rechazo + cp(DESCONOCIDO)),
        (f"rechazos repetidos de {RECHAZADO}",
         rechazo + cp(RECHAZADO) + b"  (" + cp(NOMBRES[RECHAZADO]) + b")  "
         + repetidos(len(REFUSABLES) - 1)),
        (f"rechazos repetidos de {DESCONOCIDO}",
         rechazo + cp(DESCONOCIDO) + b"  " + repetidos(len(REFUSABLES_DESCONOCIDO) - 1)),
    ]
    for que, cola in esperadas:
        patron = re.compile(marca + re.escape(cola))
        comprobar(fallos, f"pinaco.LOG: una línea de {que} ({cola!r})", 1,
                  sum(1 for l in lineas if patron.fullmatch(l)))
    comprobar(fallos, f"pinaco.LOG: líneas que nombran {PERMITIDO}", 1,
              sum(1 for l in lineas if cp(PERMITIDO) in l))
    if fallos:
        print(f"pinaco.LOG:\n  {log!r}", file=sys.stderr)
    return len(fallos)


def main():
    try:
        if sys.argv[1:2] == ["conversar"] and len(sys.argv) == 4:
            fallos = conversar(int(sys.argv[2]), version_de_cabecera(sys.argv[3]))
        elif sys.argv[1:2] == ["archivos"] and len(sys.argv) == 4:
            inicio = datetime.date.fromisoformat(sys.argv[3])
            fallos = archivos(sys.argv[2], inicio)
            if not fallos:
                print("ok: pinaco.DAT, pinaco.NET y pinaco.LOG")
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except Fallo as e:
        print(f"FALLO: {e}", file=sys.stderr)
        return 1
    return 1 if fallos else 0


if __name__ == "__main__":
    sys.exit(main())
