#include "net/Protocolo.h"
#include "net/SesionNota.h"
#include "storage/ArchivoNotas.h"

#include <QBuffer>

#include <QtTest>

namespace {

// A message sent by a sender that is refused at that moment starts with "~"; "-" stands for
// no answer.
QByteArrayList Dialogo(SesionNota& sesion, const QByteArrayList& mensajes,
                       const nodoListaIP* entrada = nullptr, const ModoRetiro& modo = {}) {
    QByteArrayList respuestas;
    for (QByteArray m : mensajes) {
        const bool permitido = !m.startsWith('~');
        if (!permitido)
            m.remove(0, 1);
        const QByteArray r = sesion.Procesar(m, {permitido, entrada}, modo).Respuesta;
        respuestas << (r.isEmpty() ? QByteArray("-") : r);
    }
    return respuestas;
}

const QByteArrayList kCampos = {"DAY_EXPIRES:7",   "MONTH_EXPIRES:12", "YEAR_EXPIRES:2026",
                                "FONT_STYLE:1010", "FONT_NAME:Arial",  "FONT_SIZE:14",
                                "FONT_COLOR:255",  "WIDTH:120",        "HEIGHT:160",
                                "TOP:30",          "LEFT:40",          "TEXT:uno\r\ndos"};

QByteArrayList Repetido(const QByteArray& m, int veces) {
    QByteArrayList l;
    for (int i = 0; i < veces; ++i)
        l << m;
    return l;
}

} // namespace

class TestSesionNota : public QObject {
    Q_OBJECT
private slots:
    void respuestas_data();
    void respuestas();
    void ciao_data();
    void ciao();
    void acciones();
    void notaCreada_data();
    void notaCreada();
    void conexionesNoSeMezclan();
    void notaRecibidaSiempreSeGuarda();
};

void TestSesionNota::respuestas_data() {
    QTest::addColumn<QByteArrayList>("mensajes");
    QTest::addColumn<QByteArrayList>("respuestas");
    QTest::newRow("transferencia completa")
        << (QByteArrayList{"HOLA", "VERSION", "ACTUALIZE_MY_SERVER_PORT:2300", "NOTA_BEGIN"} +
            kCampos + QByteArrayList{"NOTA_END", "CIAO"})
        << (QByteArrayList{"HOLA_ACK", "VERSION_ID:Pinaco v1.4o", "YOUR_SERVER_PORT_ACTUALIZED",
                           "READY"} +
            Repetido("DATA_RECEIVED", 12) + QByteArrayList{"NOTA_CREATED", "CIAO_ACK"});
    QTest::newRow("campo fuera de una nota")
        << QByteArrayList{"DAY_EXPIRES:5", "NOTA_END", "NOTA_BEGIN", "NOTA_END", "TEXT:x"}
        << QByteArrayList{"UNKNOWN", "UNKNOWN", "READY", "NOTA_CREATED", "UNKNOWN"};
    QTest::newRow("dos mensajes en una lectura")
        << QByteArrayList{"VERSIONNOTA_BEGIN", "HOLA ", "hola", ""}
        << QByteArrayList{"UNKNOWN", "UNKNOWN", "UNKNOWN", "UNKNOWN"};
    QTest::newRow("saludo y version en cualquier momento")
        << QByteArrayList{"NOTA_BEGIN", "HOLA", "VERSION", "TEXT:a", "NOTA_END"}
        << QByteArrayList{"READY", "HOLA_ACK", "VERSION_ID:Pinaco v1.4o", "DATA_RECEIVED",
                          "NOTA_CREATED"};
    QTest::newRow("numero no valido: sin respuesta")
        << QByteArrayList{"NOTA_BEGIN", "WIDTH:abc", "WIDTH:5", "NOTA_END"}
        << QByteArrayList{"READY", "-", "DATA_RECEIVED", "NOTA_CREATED"};
    QTest::newRow("refusado en todo menos CIAO")
        << QByteArrayList{"~HOLA",       "~VERSION",       "~ACTUALIZE_MY_SERVER_PORT:1",
                          "~NOTA_BEGIN", "~DAY_EXPIRES:1", "~NOTA_END",
                          "~XYZ",        "~CIAO"}
        << (Repetido("NOT_ALLOWED", 7) + QByteArrayList{"CIAO_ACK"});
    QTest::newRow("permiso perdido a mitad de nota")
        << QByteArrayList{"NOTA_BEGIN", "TEXT:a", "~TEXT:b", "~NOTA_END", "NOTA_END"}
        << QByteArrayList{"READY", "DATA_RECEIVED", "NOT_ALLOWED", "NOT_ALLOWED", "NOTA_CREATED"};
    QTest::newRow("refusado no empieza nota")
        << QByteArrayList{"~NOTA_BEGIN", "TEXT:a"} << QByteArrayList{"NOT_ALLOWED", "UNKNOWN"};
    QTest::newRow("CIAO termina la nota")
        << QByteArrayList{"NOTA_BEGIN", "CIAO", "TEXT:x", "NOTA_END"}
        << QByteArrayList{"READY", "CIAO_ACK", "UNKNOWN", "UNKNOWN"};
}

void TestSesionNota::respuestas() {
    QFETCH(QByteArrayList, mensajes);
    QFETCH(QByteArrayList, respuestas);
    SesionNota sesion;
    QCOMPARE(Dialogo(sesion, mensajes), respuestas);
}

void TestSesionNota::ciao_data() {
    QTest::addColumn<bool>("conEntrada");
    QTest::addColumn<bool>("permitido");
    QTest::addColumn<QString>("fechaRetiro");
    QTest::addColumn<bool>("permanente");
    QTest::addColumn<bool>("temporal");
    QTest::addColumn<QByteArray>("respuesta");
    const QString fecha = QStringLiteral("05-01-2000");
    QTest::newRow("sin entrada propia")
        << false << false << "" << true << false << QByteArray("CIAO_ACK");
    QTest::newRow("entrada permitida")
        << true << true << fecha << true << false << QByteArray("CIAO_ACK");
    QTest::newRow("retirado para siempre")
        << true << false << fecha << true << false << QByteArray("CIAO_ACK_NOT_ALLOWED_ANYMORE");
    QTest::newRow("retirado por minutos")
        << true << false << fecha << false << true << QByteArray("CIAO_ACK_NOT_ALLOWED_FOR:7");
    QTest::newRow("retirado, ningun modo")
        << true << false << fecha << false << false << QByteArray("-");
    QTest::newRow("quitado a mano") << true << false << "" << true << true << QByteArray("-");
}

void TestSesionNota::ciao() {
    QFETCH(bool, conEntrada);
    QFETCH(bool, permitido);
    QFETCH(QString, fechaRetiro);
    QFETCH(bool, permanente);
    QFETCH(bool, temporal);
    QFETCH(QByteArray, respuesta);
    nodoListaIP entrada;
    entrada.Permitido = permitido;
    entrada.FechaRetiro = fechaRetiro;
    const ModoRetiro modo{permanente, temporal, 7};
    // The answer is the same whether a wildcard admits the sender or nothing does.
    for (const QByteArray& ciao : {QByteArray("CIAO"), QByteArray("~CIAO")}) {
        SesionNota sesion;
        QCOMPARE(Dialogo(sesion, {ciao}, conEntrada ? &entrada : nullptr, modo),
                 QByteArrayList{respuesta});
    }
}

void TestSesionNota::acciones() {
    nodoListaIP entrada;
    SesionNota sesion;
    const Remitente propio{true, &entrada};
    const Remitente comodin{true, nullptr};
    const ModoRetiro modo;

    ResultadoMensaje r = sesion.Procesar("ACTUALIZE_MY_SERVER_PORT:2300", propio, modo);
    QCOMPARE(r.Accion, AccionSesion::GuardarPuerto);
    QCOMPARE(r.Puerto, 2300);
    r = sesion.Procesar("ACTUALIZE_MY_SERVER_PORT:x", propio, modo);
    QCOMPARE(r.Accion, AccionSesion::ValorNoNumerico);
    QVERIFY(r.Respuesta.isEmpty());
    // Only an entry of its own would store the number, so a wildcard sender's is never read.
    r = sesion.Procesar("ACTUALIZE_MY_SERVER_PORT:x", comodin, modo);
    QCOMPARE(r.Accion, AccionSesion::Ninguna);
    QCOMPARE(r.Respuesta, QByteArray("YOUR_SERVER_PORT_ACTUALIZED"));

    QCOMPARE(sesion.Procesar("NOTA_BEGIN", comodin, modo).Accion, AccionSesion::NotaEmpezada);
    QVERIFY(sesion.RecibiendoNota());
    QCOMPARE(sesion.Procesar("FONT_SIZE:z", comodin, modo).Accion, AccionSesion::ValorNoNumerico);
    QCOMPARE(sesion.Procesar("HOLA", {false, nullptr}, modo).Accion,
             AccionSesion::RegistrarRechazo);
    QCOMPARE(sesion.Procesar("CIAO", {false, nullptr}, modo).Accion, AccionSesion::Ninguna);
    QVERIFY(!sesion.RecibiendoNota());

    sesion.Procesar("NOTA_BEGIN", comodin, modo);
    sesion.ErrorDeSocket();
    QCOMPARE(sesion.Procesar("NOTA_END", comodin, modo).Respuesta, QByteArray("UNKNOWN"));
}

// What NOTA_END hands over: the defaults where no field came, the last value where one
// came twice, and nothing from before a second NOTA_BEGIN.
void TestSesionNota::notaCreada_data() {
    QTest::addColumn<QByteArrayList>("mensajes");
    QTest::addColumn<QByteArrayList>("camposEsperados");
    const QByteArrayList porDefecto = {"DAY_EXPIRES:0",
                                       "MONTH_EXPIRES:0",
                                       "YEAR_EXPIRES:0",
                                       "FONT_STYLE:0000",
                                       "FONT_NAME:MS Sans Serif",
                                       "FONT_SIZE:11",
                                       "FONT_COLOR:0",
                                       "WIDTH:0",
                                       "HEIGHT:0",
                                       "TOP:0",
                                       "LEFT:0",
                                       "TEXT:"};
    QTest::newRow("sin campos") << QByteArrayList{"NOTA_BEGIN", "NOTA_END"} << porDefecto;
    QTest::newRow("todos") << (QByteArrayList{"NOTA_BEGIN"} + kCampos + QByteArrayList{"NOTA_END"})
                           << kCampos;
    QTest::newRow("NOTA_BEGIN dos veces")
        << (QByteArrayList{"NOTA_BEGIN"} + kCampos + QByteArrayList{"NOTA_BEGIN", "NOTA_END"})
        << porDefecto;
    QByteArrayList ultimo = porDefecto;
    ultimo[11] = "TEXT:dos";
    QTest::newRow("gana el ultimo")
        << QByteArrayList{"NOTA_BEGIN", "TEXT:uno", "TEXT:dos", "NOTA_END"} << ultimo;
}

void TestSesionNota::notaCreada() {
    QFETCH(QByteArrayList, mensajes);
    QFETCH(QByteArrayList, camposEsperados);
    SesionNota sesion;
    ResultadoMensaje r;
    for (const QByteArray& m : mensajes)
        r = sesion.Procesar(m, {true, nullptr}, {});
    QCOMPARE(r.Accion, AccionSesion::CrearNota);
    QCOMPARE(Protocolo::MensajesCampos(r.Nota).value(), camposEsperados);
    QVERIFY(!sesion.RecibiendoNota());

    DatosNota nota;
    RellenarNotaRecibida(nota, r.Nota, QDateTime(QDate(2000, 1, 5), QTime(14, 3, 22)),
                         QStringLiteral("192.168.0.7"), QStringLiteral("Oficina"));
    QCOMPARE(Protocolo::MensajesCampos(nota).value(), camposEsperados);
    QCOMPARE(nota.ColorChincheta, TColorChincheta::Net);
    QCOMPARE(QList<int>({nota.DayCreated, nota.MonthCreated, nota.YearCreated}),
             QList<int>({5, 1, 2000}));
    QCOMPARE(nota.ReceivedTime, QStringLiteral("14:03:22"));
    QCOMPARE(nota.ReceivedFromIP, QStringLiteral("192.168.0.7"));
    QCOMPARE(nota.ReceivedFromUser, QStringLiteral("Oficina"));
}

void TestSesionNota::conexionesNoSeMezclan() {
    SesionNota a;
    SesionNota b;
    QCOMPARE(Dialogo(a, {"NOTA_BEGIN", "TEXT:de A"}), QByteArrayList({"READY", "DATA_RECEIVED"}));
    QCOMPARE(Dialogo(b, {"NOTA_BEGIN", "TEXT:de B"}), QByteArrayList({"READY", "DATA_RECEIVED"}));
    QCOMPARE(a.Procesar("NOTA_END", {true, nullptr}, {}).Nota.Texto, QStringLiteral("de A"));
    QCOMPARE(Dialogo(b, {"CIAO", "NOTA_END"}), QByteArrayList({"CIAO_ACK", "UNKNOWN"}));
}

// Any byte a sender puts in the two text fields leaves a note the notes file can hold.
void TestSesionNota::notaRecibidaSiempreSeGuarda() {
    QByteArray todos;
    for (int b = 0; b < 256; ++b)
        todos += char(b);
    SesionNota sesion;
    const QByteArrayList respuestas =
        Dialogo(sesion, {"NOTA_BEGIN", "FONT_NAME:" + todos, "TEXT:" + todos + todos});
    QCOMPARE(respuestas, QByteArrayList({"READY", "DATA_RECEIVED", "DATA_RECEIVED"}));
    const ResultadoMensaje fin = sesion.Procesar("NOTA_END", {true, nullptr}, {});
    DatosNota nota;
    RellenarNotaRecibida(nota, fin.Nota, QDateTime(QDate(2000, 1, 5), QTime(14, 3, 22)),
                         QStringLiteral("127.0.0.2"), QString());

    QBuffer archivo;
    archivo.open(QIODevice::WriteOnly);
    QCOMPARE(EscribirArchivoNotas(archivo, {nota}), ErrorArchivo::Ninguno);
    const ResultadoCargaNotas leidas = LeerArchivoNotas(archivo.data());
    QCOMPARE(leidas.Error, ErrorArchivo::Ninguno);
    QCOMPARE(leidas.Notas.size(), 1);
    QCOMPARE(leidas.Notas[0].FontName, nota.FontName);
    QCOMPARE(nota.FontName.size(), 256 - 1);
    QVERIFY(!nota.FontName.contains(u'\r') && !nota.FontName.contains(u'\n'));
    QCOMPARE(nota.Texto.size(), 2 * (256 - 1));
}

QTEST_GUILESS_MAIN(TestSesionNota)
#include "test_sesionnota.moc"
