// The receiving end of the protocol: the answers, the fields read and the note made of them.
#include "net/Protocolo.h"
#include "net/SesionNota.h"
#include "storage/ArchivoNotas.h"

#include <QtTest>

namespace {

// Messages and answers separated by "|"; "~" starts a message from a refused sender, "-" is no
// answer. "nota" gets the fields of the last note created, as the board fills it in.
QByteArray Dialogo(SesionNota& sesion, const QByteArray& mensajes,
                   const nodoListaIP* entrada = nullptr, const ModoRetiro& modo = {},
                   QByteArray* nota = nullptr) {
    QByteArrayList respuestas;
    for (QByteArray m : mensajes.split('|')) {
        const bool permitido = !m.startsWith('~');
        if (!permitido)
            m.remove(0, 1);
        const ResultadoMensaje r = sesion.Procesar(m, {permitido, entrada}, modo);
        respuestas << (r.Respuesta.isEmpty() ? QByteArray("-") : r.Respuesta);
        if (nota && r.Accion == AccionSesion::CrearNota) {
            const DatosNota creada = NotaRecibida(r.Nota, {}, {}, {});
            *nota = Protocolo::MensajesCampos(creada).value().join('|');
        }
    }
    return respuestas.join('|');
}

const QByteArray kCampos =
    "DAY_EXPIRES:7|MONTH_EXPIRES:12|YEAR_EXPIRES:2026|FONT_STYLE:1010|FONT_NAME:Arial|"
    "FONT_SIZE:14|FONT_COLOR:255|WIDTH:120|HEIGHT:160|TOP:30|LEFT:40|TEXT:uno\r\ndos\r\n";

// The fields of a received note where only these ("|"-separated) came.
QByteArray Solo(const QByteArray& llegados) {
    const QByteArray nota = "DAY_EXPIRES:0|MONTH_EXPIRES:0|YEAR_EXPIRES:0|FONT_STYLE:0000|"
                            "FONT_NAME:MS Sans Serif|FONT_SIZE:11|FONT_COLOR:0|WIDTH:0|HEIGHT:0|"
                            "TOP:0|LEFT:0|TEXT:";
    QByteArrayList campos = nota.split('|');
    for (const QByteArray& campo : llegados.split('|'))
        for (QByteArray& c : campos)
            if (!campo.isEmpty() && c.startsWith(campo.left(campo.indexOf(':') + 1)))
                c = campo;
    return campos.join('|');
}

void Fila(const char* caso, const QByteArray& mensajes, const QByteArray& respuestas,
          const QByteArray& nota = {}) {
    QTest::newRow(caso) << mensajes << respuestas << nota;
}

} // namespace

class TestSesionNota : public QObject {
    Q_OBJECT
private slots:
    void respuestas_data();
    void respuestas();
    void ciao();
    void puertoDelRemitente();
    void acciones();
    void notaRecibidaSiempreSeGuarda();
};

void TestSesionNota::respuestas_data() {
    QTest::addColumn<QByteArray>("mensajes");
    QTest::addColumn<QByteArray>("respuestas");
    QTest::addColumn<QByteArray>("nota");
    const QByteArray datos = QByteArray("|DATA_RECEIVED").repeated(12);
    Fila("transferencia completa",
         "HOLA|VERSION|ACTUALIZE_MY_SERVER_PORT:2300|NOTA_BEGIN|" + kCampos + "|NOTA_END|CIAO",
         "HOLA_ACK|VERSION_ID:Pinaco v1.4o|YOUR_SERVER_PORT_ACTUALIZED|READY" + datos +
             "|NOTA_CREATED|CIAO_ACK",
         kCampos);
    Fila("campo fuera de una nota", "DAY_EXPIRES:5|NOTA_END|NOTA_BEGIN|NOTA_END|TEXT:x",
         "UNKNOWN|UNKNOWN|READY|NOTA_CREATED|UNKNOWN", Solo(""));
    Fila("NOTA_BEGIN de nuevo empieza de cero; gana el ultimo",
         "NOTA_BEGIN|" + kCampos + "|NOTA_BEGIN|TEXT:uno|TEXT:dos|NOTA_END",
         "READY" + datos + "|READY|DATA_RECEIVED|DATA_RECEIVED|NOTA_CREATED", Solo("TEXT:dos"));
    Fila("dos mensajes en una lectura", "VERSIONNOTA_BEGIN|HOLA |hola|",
         "UNKNOWN|UNKNOWN|UNKNOWN|UNKNOWN");
    Fila("no es un numero, sin dos puntos, minusculas: la nota sigue",
         "NOTA_BEGIN|WIDTH:abc|FONT_COLOR:2147483656|FONT_SIZE: 12|YEAR_EXPIRES:20\x1A|"
         "DAY_EXPIRES|text:hola|WIDTH:5|NOTA_END",
         "READY|-|-|-|-|UNKNOWN|UNKNOWN|DATA_RECEIVED|NOTA_CREATED", Solo("WIDTH:5"));
    Fila("refusado en todo menos CIAO",
         "~HOLA|~VERSION|~ACTUALIZE_MY_SERVER_PORT:1|~NOTA_BEGIN|~DAY_EXPIRES:1|~NOTA_END|~XYZ|"
         "TEXT:a|~CIAO",
         QByteArray("NOT_ALLOWED|").repeated(7) + "UNKNOWN|CIAO_ACK");
    Fila("permiso perdido a mitad de nota", "NOTA_BEGIN|TEXT:a|~TEXT:b|~NOTA_END|NOTA_END",
         "READY|DATA_RECEIVED|NOT_ALLOWED|NOT_ALLOWED|NOTA_CREATED", Solo("TEXT:a"));
    Fila("CIAO termina la nota", "NOTA_BEGIN|CIAO|TEXT:x|NOTA_END",
         "READY|CIAO_ACK|UNKNOWN|UNKNOWN");
    // The day keeps its low 8 bits; a style letter other than "1" is 0, a fifth is ignored;
    // Ctrl-Z is dropped from the text and the font name, whose line breaks become blanks.
    Fila("campos raros",
         "NOTA_BEGIN|DAY_EXPIRES:300|FONT_STYLE:1x1Y1|TOP:-2147483648|TEXT:a\x1A\x1AZ\x1A|"
         "FONT_NAME:Ar\r\nial\x1A\n|NOTA_END",
         "READY" + QByteArray("|DATA_RECEIVED").repeated(5) + "|NOTA_CREATED",
         Solo("DAY_EXPIRES:44|FONT_STYLE:1010|TOP:-2147483648|TEXT:aZ|FONT_NAME:Ar  ial "));
}

void TestSesionNota::respuestas() {
    QFETCH(QByteArray, mensajes);
    SesionNota sesion;
    QByteArray creada;
    QTEST(Dialogo(sesion, mensajes, nullptr, {}, &creada), "respuestas");
    QTEST(creada, "nota");
    QVERIFY(!sesion.RecibiendoNota());
}

// The CIAO answers, the same whether a wildcard admits the sender or nothing does.
void TestSesionNota::ciao() {
    const auto ciao = [](const nodoListaIP* entrada, const ModoRetiro& modo) {
        SesionNota una, otra;
        const QByteArray r = Dialogo(una, "CIAO", entrada, modo);
        return Dialogo(otra, "~CIAO", entrada, modo) == r ? r : "<depende del permiso>";
    };
    nodoListaIP propia, retirada;
    propia.FechaRetiro = retirada.FechaRetiro = QStringLiteral("05-01-2000");
    propia.Permitido = true;
    QCOMPARE(ciao(&propia, {true, false, 7}), "CIAO_ACK");
    QCOMPARE(ciao(&retirada, {true, false, 7}), "CIAO_ACK_NOT_ALLOWED_ANYMORE");
    QCOMPARE(ciao(&retirada, {false, true, 7}), "CIAO_ACK_NOT_ALLOWED_FOR:7");
    QCOMPARE(ciao(&retirada, {false, false, 7}), "-");
    // A sender withdrawn by its own address while a pattern admits it is told so as well.
    SesionNota sesion;
    nodoListaIP sinPermiso;
    QCOMPARE(sesion.Procesar("CIAO", {false, nullptr, &retirada}, {true, false, 7}).Respuesta,
             "CIAO_ACK_NOT_ALLOWED_ANYMORE");
    QCOMPARE(sesion.Procesar("CIAO", {true, &sinPermiso, &propia}, {true, false, 7}).Respuesta, "");
}

// A sender's port is taken only when it is one, and only into an entry with permission; the
// answer keeps the peer in step either way.
void TestSesionNota::puertoDelRemitente() {
    const std::tuple<const char*, bool, AccionSesion> casos[] = {
        {"1", true, AccionSesion::GuardarPuerto},
        {"65535", true, AccionSesion::GuardarPuerto},
        {"0", true, AccionSesion::PuertoRechazado},
        {"-1", true, AccionSesion::PuertoRechazado},
        {"65536", true, AccionSesion::PuertoRechazado},
        {"2147483647", true, AccionSesion::PuertoRechazado},
        {"2300", false, AccionSesion::PuertoRechazado}}; // admitted by a pattern only
    for (const auto& [puerto, permitida, accion] : casos) {
        nodoListaIP entrada;
        entrada.Permitido = permitida;
        SesionNota sesion;
        const ResultadoMensaje r =
            sesion.Procesar(QByteArray("ACTUALIZE_MY_SERVER_PORT:") + puerto, {true, &entrada}, {});
        QCOMPARE(r.Accion, accion);
        QCOMPARE(r.Respuesta, QByteArray("YOUR_SERVER_PORT_ACTUALIZED"));
        if (accion == AccionSesion::GuardarPuerto)
            QCOMPARE(r.Puerto, QByteArray(puerto).toInt());
    }
}

void TestSesionNota::acciones() {
    nodoListaIP entrada;
    entrada.Permitido = true;
    SesionNota sesion;
    const Remitente comodin{true, nullptr};
    QCOMPARE(sesion.Procesar("ACTUALIZE_MY_SERVER_PORT:x", {true, &entrada}, {}).Accion,
             AccionSesion::ValorNoNumerico);
    // Only an entry of its own would store the number, so a wildcard sender's is never read.
    QCOMPARE(sesion.Procesar("ACTUALIZE_MY_SERVER_PORT:x", comodin, {}).Accion,
             AccionSesion::Ninguna);
    // A socket error drops the pending note.
    sesion.Procesar("NOTA_BEGIN", comodin, {});
    sesion.ErrorDeSocket();
    QCOMPARE(sesion.Procesar("NOTA_END", comodin, {}).Respuesta, QByteArray("UNKNOWN"));
}

// Any byte a sender puts in the two text fields leaves a note the notes file can hold.
void TestSesionNota::notaRecibidaSiempreSeGuarda() {
    QByteArray todos;
    for (int b = 0; b < 256; ++b)
        todos += char(b);
    SesionNota sesion;
    for (const QByteArray& m : {QByteArray("NOTA_BEGIN"), "FONT_NAME:" + todos, "TEXT:" + todos})
        sesion.Procesar(m, {true, nullptr}, {});
    const DatosNota nota =
        NotaRecibida(sesion.Procesar("NOTA_END", {true, nullptr}, {}).Nota,
                     QDateTime(QDate(2000, 1, 5), QTime(14, 3, 22)), "127.0.0.2", QString());
    QCOMPARE(nota.FontName.size() + nota.Texto.size(), 2 * 255);
    QCOMPARE(QDate(nota.YearCreated, nota.MonthCreated, nota.DayCreated).toString("dd-MM-yyyy ") +
                 nota.ReceivedTime,
             "05-01-2000 14:03:22");
    QBuffer archivo;
    archivo.open(QIODevice::WriteOnly);
    QCOMPARE(EscribirArchivoNotas(archivo, {nota}), ErrorArchivo::Ninguno);
    QCOMPARE(LeerArchivoNotas(archivo.data()).Notas.value(0).FontName, nota.FontName);
}

QTEST_GUILESS_MAIN(TestSesionNota)
#include "test_sesionnota.moc"
