// The send dialog against a scripted peer on loopback: the bytes it writes, the log, the
// boxes and the controls at every ending of a send or a check; its list; and a note sent to
// a note server of this same process. The wire bytes are written here from the protocol's
// description.
#include "net/ServidorNotas.h"
#include "notes/FrmEnviarNotaRed.h"
#include "notes/Mensaje.h"

#include "tests/DialogosPrueba.h"
#include "tests/ParGuionado.h"
#include "tests/TableroRedFalso.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

DatosNota NotaDePrueba() {
    DatosNota n;
    n.DayExpires = 24;
    n.MonthExpires = 12;
    n.YearExpires = 2026;
    n.FontStyle = fsBold | fsUnderline;
    n.FontName = QStringLiteral("DejaVu Sans");
    n.FontSize = 9;
    n.FontColor = 255;
    n.Left = 40;
    n.Top = -3;
    n.Texto = QStringLiteral("Llamar a José\r\nmañana");
    return n;
}

QByteArrayList Campos() {
    return QByteArray("DAY_EXPIRES:24|MONTH_EXPIRES:12|YEAR_EXPIRES:2026|FONT_STYLE:1010|"
                      "FONT_NAME:DejaVu Sans|FONT_SIZE:9|FONT_COLOR:255|WIDTH:120|HEIGHT:160|"
                      "TOP:-3|LEFT:40|TEXT:Llamar a Jos\xe9\r\nma\xf1"
                      "ana")
        .split('|');
}

// The whole transfer, "CIAO" included.
QByteArrayList Transferencia(const QByteArrayList& antesDeNota = {}) {
    return QByteArrayList{"HOLA", "VERSION"} + antesDeNota + QByteArrayList{"NOTA_BEGIN"} +
           Campos() + QByteArrayList{"NOTA_END", "CIAO"};
}

struct Dialogo {
    ListaIP libreta;
    std::unique_ptr<TfrmEnviarNotaRed> d;
    int terminados = 0;

    explicit Dialogo(const QList<std::tuple<QString, QString, qint32>>& entradas,
                     std::optional<qint32> puertoPropio = {},
                     const DatosNota& nota = NotaDePrueba()) {
        for (const auto& [ip, nombre, puerto] : entradas)
            libreta.AddIP(ip, nombre, true, puerto);
        d = std::make_unique<TfrmEnviarNotaRed>(libreta, nota, puertoPropio, nullptr);
        d->Client.EsperaConexionMs = 300;
        d->Client.EsperaRespuestaMs = 300;
        QObject::connect(&d->Client, &ClienteNotas::Terminado, [this] { ++terminados; });
    }
    QStringList Columna(int c) const { return ::Columna(d->ListView, c); }
    bool Habilitado() const {
        return d->btnEnviar->isEnabled() && d->BitBtnCancel->isEnabled() &&
               d->mnuListViewEnviar->isEnabled() && d->mnuListViewComprobar->isEnabled();
    }
    void Esperar(int antes) const { QTRY_VERIFY_WITH_TIMEOUT(terminados > antes, 3000); }
};

} // namespace

class TestEnviarNota : public QObject {
    Q_OBJECT
private slots:
    void terminaciones_data();
    void terminaciones();
    void listaOrdenYEnviosImposibles();
    void segundoEnvioPregunta();
    void alPropioServidor();
};

void TestEnviarNota::terminaciones_data() {
    QTest::addColumn<Guion>("guion");
    QTest::addColumn<bool>("comprobar");
    QTest::addColumn<int>("puertoPropio"); // 0: no port update; -1: nobody listens
    QTest::addColumn<QByteArrayList>("enviados");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("icono");
    QTest::addColumn<bool>("entregada");
    QTest::addColumn<QStringList>("log"); // its last lines
    const auto fila = [](const char* caso, const Guion& guion, const QByteArrayList& enviados,
                         const char* titulo, const QString& texto, IconoMensaje icono,
                         bool entregada, const QStringList& log, int puertoPropio = 0,
                         bool comprobar = false) {
        QTest::newRow(caso) << guion << comprobar << puertoPropio << enviados
                            << QString::fromUtf8(titulo) << texto << int(icono) << entregada << log;
    };
    const auto enviada = [&](const char* caso, const Guion& guion, const QString& masTexto = {},
                             int puertoPropio = 0, const QByteArrayList& antes = {}) {
        fila(caso, guion, Transferencia(antes),
             "Notificación:", "La Nota se envió correctamente." + masTexto,
             IconoMensaje::Informacion, true, {"Nota enviada correctamente."}, puertoPropio);
    };
    const QString sinRespuesta =
        "La comunicación se estableció con éxito,\rpero no se recibe respuesta alguna.";
    const QString errorSinRespuesta = "ERROR: No se recibe respuesta del Servidor.";
    const auto callado = [&](const char* caso, const Guion& guion, int enviados) {
        fila(caso, guion, Transferencia().first(enviados), "TimeOut", sinRespuesta,
             IconoMensaje::Error, false, {errorSinRespuesta});
    };
    const QString limite = "\rHa sobrepasado el límite de Notas-por-unidad-de-tiempo del equipo "
                           "remoto.\rSe le ha retirado el permiso ";

    fila("closing answer", {}, Transferencia(), "Notificación:", "La Nota se envió correctamente.",
         IconoMensaje::Informacion, true,
         {" ", "Estableciendo comunicación con Ana...",
          "Comunicación establecida.  (Versión: Pinaco v1.4o)", "Enviando datos.............. (OK)",
          "Nota enviada correctamente."});
    enviada("port update first", {}, {}, 2301, {"ACTUALIZE_MY_SERVER_PORT:2301"});
    enviada("withdrawn for good", {{"CIAO", "CIAO_ACK_NOT_ALLOWED_ANYMORE"}},
            limite + "permanentemente.");
    enviada("withdrawn for minutes", {{"CIAO", "CIAO_ACK_NOT_ALLOWED_FOR:5"}},
            limite + "durante los próximos 5 minutos.");
    enviada("no closing answer: on the board all the same", {{"CIAO", ""}});
    callado("greeting unanswered", {{"HOLA", ""}}, 1);
    callado("silent in the middle of the note", {{"TEXT:", ""}}, 15);
    callado("connection dropped in the middle of the note", {{"FONT_NAME:", kCerrar}}, 8);
    fila("refused", {{"HOLA", "NOT_ALLOWED"}}, {"HOLA"}, "¡Atención!",
         "No le está permitido enviar Notas a la máquina remota.", IconoMensaje::Exclamacion, false,
         {"ERROR: No le está permitido enviar Notas a la máquina remota."});
    fila("note end unanswered", {{"NOTA_END", ""}, {"CIAO", ""}}, Transferencia(), "",
         "La Nota se envió completa, pero el equipo remoto\rdejó de responder... No es seguro "
         "que la haya creado.",
         IconoMensaje::Informacion, false,
         {"ERROR: No se recibe respuesta del Servidor. Terminando conexión."});
    fila("no server", {}, {}, "¡Atención!", "No se encontró Servidor en la máquina remota.",
         IconoMensaje::Exclamacion, false,
         {"ERROR: No se encuentró Servidor en la máquina remota."}, -1);

    // The host check sends no note, and its boxes differ.
    fila("check: can send", {}, {"HOLA", "VERSION", "CIAO"}, "Resultado:",
         "Comunicación establecida satisfactoriamente.\rPuede enviarle Notas a este Sistema.\r\r"
         "(Versión del Pinaco remoto: Pinaco v1.4o)",
         IconoMensaje::Informacion, false,
         {"Estableciendo comunicación con Ana...", "Comunicación establecida.",
          "Puede enviarle Notas a este sistema.  (Versión Pinaco v1.4o)"},
         0, true);
    fila("check: refused", {{"HOLA", "NOT_ALLOWED"}}, {"HOLA"}, "Resultado:",
         "Comunicación establecida satisfactoriamente.\rNo le está permitido enviar Notas al "
         "equipo Remoto.",
         IconoMensaje::Informacion, false, {"No le está permitido enviar Notas al equipo Remoto."},
         0, true);
    fila("check: version unanswered", {{"VERSION", ""}}, {"HOLA", "VERSION"}, "TimeOut",
         sinRespuesta, IconoMensaje::Error, false, {errorSinRespuesta}, 0, true);
}

void TestEnviarNota::terminaciones() {
    QFETCH(Guion, guion);
    QFETCH(int, puertoPropio);
    QFETCH(QStringList, log);

    ParGuionado par(guion);
    quint16 puerto = par.Puerto();
    if (puertoPropio < 0) // nobody listens there any more
        par.servidor.close();
    Cajas cajas;
    Dialogo t({{"127.0.0.1", "Ana", puerto}},
              puertoPropio > 0 ? std::optional<qint32>(puertoPropio) : std::nullopt);
    // The box stays open until the peer's last answer has been handled beneath it.
    bool habilitadoBajoLaCaja = false;
    cajas.alMostrar = [&] {
        QVERIFY(QTest::qWaitFor([&] { return !t.d->Client.Ocupado(); }, 3000));
        habilitadoBajoLaCaja = t.Habilitado();
    };
    QFETCH(bool, comprobar);
    if (comprobar)
        t.d->mnuListViewComprobar->trigger();
    else
        t.d->btnEnviar->click();
    QVERIFY(!t.Habilitado());
    t.Esperar(0);
    QFETCH(QByteArrayList, enviados);
    QTRY_COMPARE(par.recibidos, enviados);
    QTest::qWait(50);
    QCOMPARE(t.terminados, 1); // the socket is released once
    QVERIFY(habilitadoBajoLaCaja);
    QCOMPARE(cajas.vistas.size(), 1);
    QTEST(cajas.vistas[0].Titulo, "titulo");
    QTEST(cajas.vistas[0].Texto, "texto");
    QTEST(int(cajas.vistas[0].Icono), "icono");
    QTEST(t.d->ListaEnviados().first().Entregada, "entregada");
    const QStringList escrito = t.d->Log->toPlainText().split('\n');
    QCOMPARE(escrito.mid(escrito.size() - log.size()), log);
}

void TestEnviarNota::listaOrdenYEnviosImposibles() {
    // Wildcards are left out; by address, then by name both ways (the keys are those of the
    // network tab's list, tested there), upper case first.
    Dialogo t({{"10.0.0.20", "beatriz", 1},
               {"10.0.*.*", "Todos", 1},
               {"10.0.0.3", "Carlos", 1},
               {"9.1.1.1", "ana", 1}});
    const int ip = TfrmEnviarNotaRed::ColumnaIP, nombre = TfrmEnviarNotaRed::ColumnaNombre;
    QCOMPARE(t.Columna(ip), QStringList({"9.1.1.1", "10.0.0.3", "10.0.0.20"}));
    t.d->ListViewColumnClick(nombre);
    QCOMPARE(t.Columna(nombre), QStringList({"Carlos", "ana", "beatriz"}));
    t.d->ListViewColumnClick(nombre);
    QCOMPARE(t.Columna(nombre), QStringList({"beatriz", "ana", "Carlos"}));

    // Only wildcards: nothing to pick, and sending asks for an address.
    Cajas cajas;
    Dialogo vacio({{"*.*.*.*", "(Desconocido)", 2222}});
    QCOMPARE(vacio.d->ListView->rowCount(), 0);
    vacio.d->btnEnviar->click();
    QCOMPARE(cajas.vistas.size(), 1);
    QCOMPARE(cajas.vistas[0].Texto, "¡Debe especificar una dirección a la que enviar la Nota!");
    QVERIFY(vacio.Habilitado());

    // A note the wire cannot carry is not sent at all: never a substitute byte.
    ParGuionado par({});
    DatosNota ideograma = NotaDePrueba();
    ideograma.Texto = QStringLiteral("ideograma 字");
    Dialogo noEnviable({{"127.0.0.1", "Ana", par.Puerto()}}, {}, ideograma);
    noEnviable.d->btnEnviar->click();
    QCOMPARE(cajas.vistas.last().Texto, "La Nota contiene caracteres que no se pueden enviar.");
    QVERIFY(noEnviable.Habilitado());
    QTest::qWait(50);
    QVERIFY(par.recibidos.isEmpty());
}

void TestEnviarNota::segundoEnvioPregunta() {
    ParGuionado par({});
    Cajas cajas;
    Dialogo t({{"127.0.0.1", "Ana", par.Puerto()}});
    t.d->btnEnviar->click();
    t.Esperar(0);
    // No: nothing is sent, the log stays empty and the controls come back.
    cajas.respuesta = QMessageBox::No;
    const qsizetype antes = par.recibidos.size();
    t.d->btnEnviar->click();
    QCOMPARE(cajas.vistas.last().Texto,
             "¡Ya ha enviado la Nota a este Sistema!\r¿Desea volver a enviársela?");
    QCOMPARE(cajas.vistas.last().PorDefecto, QMessageBox::No);
    QVERIFY(t.d->Log->toPlainText().isEmpty());
    QVERIFY(t.Habilitado());
    QTest::qWait(50);
    QCOMPARE(par.recibidos.size(), antes);
    // Yes: sent again, on a new connection.
    cajas.respuesta = QMessageBox::Yes;
    t.d->btnEnviar->click();
    t.Esperar(1);
    QTRY_COMPARE(par.recibidos.size(), 2 * antes);
}

void TestEnviarNota::alPropioServidor() {
    // Client and server of one board on one thread; a stranger's connection that breaks
    // meanwhile does not touch the attempt.
    TableroQueAnota tablero;
    tablero.libreta.AddIP("127.0.0.1", "Yo", true, 0);
    ServidorNotas servidor(tablero, QString());
    QVERIFY(servidor.Activar(0));
    QTcpSocket extrano;
    extrano.connectToHost(QHostAddress::LocalHost, servidor.Puerto());
    QVERIFY(extrano.waitForConnected(2000));

    Cajas cajas;
    Dialogo t({{"127.0.0.1", "Yo", servidor.Puerto()}});
    t.d->btnEnviar->click();
    extrano.abort();
    t.Esperar(0);
    QCOMPARE(cajas.vistas.size(), 1);
    QCOMPARE(cajas.vistas[0].Texto, "La Nota se envió correctamente.");
    QCOMPARE(tablero.creadas.value(0).Texto, NotaDePrueba().Texto);
}

QTEST_MAIN(TestEnviarNota)
#include "test_enviarnota.moc"
