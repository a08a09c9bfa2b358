// The send dialog against a scripted peer on loopback.
#include "net/ServidorNotas.h"
#include "notes/FrmEnviarNotaRed.h"

#include "tests/DialogosPrueba.h"
#include "tests/ParGuionado.h"
#include "tests/TableroRedFalso.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <malloc.h>

// Freed memory is spoilt at once, so that an object used after its release fails at once,
// inside Qt as well, where the sanitizer does not look.
extern "C" const char* __asan_default_options() {
    return "max_free_fill_size=65536:free_fill_byte=165";
}

namespace {

const int kMemoriaLiberadaEstropeada = mallopt(M_PERTURB, 165);

// The other fields' encodings are the session's test; the default colour is a system one.
const QString kTexto = QStringLiteral("Llamar a José\r\nen Peñón");

QByteArrayList Transferencia(const QByteArrayList& antesDeNota = {}) {
    return QByteArrayList{"HOLA", "VERSION"} + antesDeNota + QByteArrayList{"NOTA_BEGIN"} +
           QByteArray("DAY_EXPIRES:0|MONTH_EXPIRES:0|YEAR_EXPIRES:0|FONT_STYLE:0000|FONT_NAME:|"
                      "FONT_SIZE:8|FONT_COLOR:-2147483640|WIDTH:120|HEIGHT:160|TOP:0|LEFT:0|"
                      "TEXT:Llamar a Jos\xe9\r\nen Pe\xf1\xf3n")
               .split('|') +
           QByteArrayList{"NOTA_END", "CIAO"};
}

struct Dialogo {
    ListaIP libreta;
    std::unique_ptr<TfrmEnviarNotaRed> d;
    int terminados = 0;

    explicit Dialogo(const QList<std::tuple<QString, QString, qint32>>& entradas,
                     std::optional<qint32> puertoPropio = {}, const QString& texto = kTexto) {
        for (const auto& [ip, nombre, puerto] : entradas)
            libreta.AddIP(ip, nombre, true, puerto);
        DatosNota nota;
        nota.Texto = texto;
        d = std::make_unique<TfrmEnviarNotaRed>(libreta, nota, puertoPropio, nullptr);
        d->Client.EsperaConexionMs = d->Client.EsperaRespuestaMs = 300;
        QObject::connect(&d->Client, &ClienteNotas::Terminado, [this] { ++terminados; });
    }
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
    void alPropioServidorYSegundoEnvio();
    void registroDesdeElPrincipio();
    void enviarMasTarde_data();
    void enviarMasTarde();
};

void TestEnviarNota::terminaciones_data() {
    QTest::addColumn<Guion>("guion");
    QTest::addColumn<bool>("comprobar");
    QTest::addColumn<int>("puertoPropio"); // 0: no port update; -1: nobody listens
    QTest::addColumn<QByteArrayList>("enviados");
    QTest::addColumn<bool>("entregada");
    QTest::addColumn<QStringList>("log"); // its last lines
    QTest::addColumn<QString>("texto");   // the box's, where the log does not tell the ending
    QTest::addColumn<int>("resultado");   // a ResultadoEnvio; -1 for a check
    using R = ResultadoEnvio;
    std::optional<R> resultado; // of the rows that follow
    const auto fila = [&resultado](const char* caso, const Guion& guion,
                                   const QByteArrayList& enviados, bool entregada,
                                   const QStringList& log = {}, const QString& texto = {},
                                   int puertoPropio = 0, bool comprobar = false) {
        QTest::newRow(caso) << guion << comprobar << puertoPropio << enviados << entregada << log
                            << texto << (comprobar || !resultado ? -1 : int(*resultado));
    };
    const QString sinRespuesta = "ERROR: No se recibe respuesta del Servidor.";
    const QString limite = "La Nota se envió correctamente.\rHa sobrepasado el límite de "
                           "Notas-por-unidad-de-tiempo del equipo remoto.\rSe le ha retirado el "
                           "permiso ";

    resultado = R::Entregada;
    fila("closing answer", {}, Transferencia(), true,
         {" ", "Estableciendo comunicación con Ana...",
          "Comunicación establecida.  (Versión: Pinaco v1.4o)", "Enviando datos.............. (OK)",
          "Nota enviada correctamente."});
    // Below, the log is compared only where neither the box nor what was sent tells the ending.
    fila("port update first; withdrawn for good", {{"CIAO", "CIAO_ACK_NOT_ALLOWED_ANYMORE"}},
         Transferencia({"ACTUALIZE_MY_SERVER_PORT:2301"}), true, {}, limite + "permanentemente.",
         2301);
    fila("withdrawn for minutes", {{"CIAO", "CIAO_ACK_NOT_ALLOWED_FOR:5"}}, Transferencia(), true,
         {}, limite + "durante los próximos 5 minutos.");
    resultado = R::Rechazada;
    fila("refused", {{"HOLA", "NOT_ALLOWED"}}, {"HOLA"}, false,
         {"ERROR: No le está permitido enviar Notas a la máquina remota."});
    resultado = R::Inalcanzable;
    fila("no server", {}, {}, false, {"ERROR: No se encuentró Servidor en la máquina remota."}, {},
         -1);

    // Every state that awaits an answer, given the answer of another state, silence or a
    // dropped connection: the other answer is not taken, so all three end as the state's
    // time-out does. Past "NOTA_CREATED" the note is on the peer's board.
    const QString sinAlguna =
        "La comunicación se estableció con éxito,\rpero no se recibe respuesta alguna.";
    const QByteArrayList conPuerto = Transferencia({"ACTUALIZE_MY_SERVER_PORT:2301"});
    const struct {
        const char* mensaje;
        QByteArray otra;
        QByteArrayList enviados; // up to the unanswered message
        bool entregada;
        QString linea;
        QString caja;
        int puertoPropio;
        R resultado;
    } estados[] = {
        {"HOLA",
         "VERSION_ID:Pinaco v1.4o",
         {"HOLA"},
         false,
         sinRespuesta,
         sinAlguna,
         0,
         R::Inalcanzable},
        {"VERSION",
         "HOLA_ACK",
         {"HOLA", "VERSION"},
         false,
         sinRespuesta,
         sinAlguna,
         0,
         R::Interrumpida},
        {"ACTUALIZE_MY_SERVER_PORT:", "READY", conPuerto.first(3), false, sinRespuesta, sinAlguna,
         2301, R::Interrumpida},
        {"NOTA_BEGIN", "NOTA_CREATED", Transferencia().first(3), false, sinRespuesta, sinAlguna, 0,
         R::Interrumpida},
        {"FONT_SIZE:", "READY", Transferencia().first(9), false, sinRespuesta, sinAlguna, 0,
         R::Interrumpida},
        {"NOTA_END", "READY", Transferencia().first(16), false,
         sinRespuesta + " Terminando conexión.",
         "La Nota se envió completa, pero el equipo remoto\rdejó de responder... No es seguro "
         "que la haya creado.",
         0, R::SinConfirmar},
        {"CIAO", "NOTA_CREATED", Transferencia(), true, "Nota enviada correctamente.",
         "La Nota se envió correctamente.", 0, R::Entregada},
    };
    for (const auto& e : estados)
        for (const QByteArray& respuesta : {e.otra, QByteArray(), kCerrar}) {
            // Told goodbye after silence at the note's end, unless the peer has gone.
            const bool adios = QByteArray(e.mensaje) == "NOTA_END" && respuesta != kCerrar;
            resultado = e.resultado;
            const QByteArray caso = e.mensaje + QByteArray(" answered ") +
                                    (respuesta.isEmpty() ? QByteArray("by silence") : respuesta);
            fila(caso.constData(), {{e.mensaje, respuesta}},
                 adios ? e.enviados + QByteArrayList{"CIAO"} : e.enviados, e.entregada, {e.linea},
                 e.caja, e.puertoPropio);
        }
    fila("check: can send", {}, {"HOLA", "VERSION", "CIAO"}, false,
         {"Estableciendo comunicación con Ana...", "Comunicación establecida.",
          "Puede enviarle Notas a este sistema.  (Versión Pinaco v1.4o)"},
         {}, 0, true);
    fila("check: refused", {{"HOLA", "NOT_ALLOWED"}}, {"HOLA"}, false,
         {"No le está permitido enviar Notas al equipo Remoto."}, {}, 0, true);
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
    // The box stays open past every guard; the peer's last answer is handled beneath it.
    bool habilitadoBajoLaCaja = false;
    cajas.alMostrar = [&] {
        MantenerAbierta(2 * t.d->Client.EsperaRespuestaMs + 100);
        habilitadoBajoLaCaja = t.Habilitado() && !t.d->Client.Ocupado();
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
    QTEST(t.d->ListaEnviados().first().Entregada, "entregada");
    const QStringList escrito = t.d->Log->toPlainText().split('\n');
    QCOMPARE(escrito.mid(escrito.size() - log.size()), log);
    QFETCH(QString, texto);
    if (!texto.isEmpty())
        QCOMPARE(cajas.vistas[0].Texto, texto);
    QFETCH(int, resultado);
    if (resultado >= 0)
        QCOMPARE(int(t.d->Client.Resultado()), resultado);
}

void TestEnviarNota::listaOrdenYEnviosImposibles() {
    // Wildcards are left out; by address first, with the network tab's keys.
    Dialogo t({{"10.0.0.20", "beatriz", 1}, {"10.0.*.*", "Todos", 1}, {"9.1.1.1", "ana", 1}});
    QCOMPARE(Columna(t.d->ListView, TfrmEnviarNotaRed::ColumnaIP),
             QStringList({"9.1.1.1", "10.0.0.20"}));

    // Only wildcards: nothing to pick, and sending asks for an address.
    Cajas cajas;
    Dialogo vacio({{"*.*.*.*", "(Desconocido)", 2222}});
    vacio.d->btnEnviar->click();
    QCOMPARE(cajas.vistas.size(), 1);
    QCOMPARE(cajas.vistas[0].Texto, "¡Debe especificar una dirección a la que enviar la Nota!");
    QVERIFY(vacio.Habilitado());

    // A note the wire cannot carry is not sent at all: never a substitute byte.
    ParGuionado par({});
    Dialogo noEnviable({{"127.0.0.1", "Ana", par.Puerto()}}, {}, QStringLiteral("ideograma 字"));
    noEnviable.d->btnEnviar->click();
    QCOMPARE(cajas.vistas.last().Texto, "La Nota contiene caracteres que no se pueden enviar.");
    QVERIFY(noEnviable.Habilitado());
    QTest::qWait(50);
    QVERIFY(par.recibidos.isEmpty());
}

// Client and server of one board on one thread; a stranger's connection that breaks meanwhile
// does not touch the attempt. Sending again asks first.
void TestEnviarNota::alPropioServidorYSegundoEnvio() {
    TableroQueAnota tablero;
    tablero.libreta.AddIP("127.0.0.1", "Yo", true, 0);
    ServidorNotas servidor(tablero, tablero.libreta, QString());
    QVERIFY(servidor.Activar(0));
    QTcpSocket extrano;
    extrano.connectToHost(QHostAddress::LocalHost, servidor.Puerto());
    QVERIFY(extrano.waitForConnected(2000));

    Cajas cajas;
    Dialogo t({{"127.0.0.1", "Yo", servidor.Puerto()}});
    t.d->btnEnviar->click();
    extrano.abort();
    t.Esperar(0);
    QVERIFY(t.d->ListaEnviados().first().Entregada);
    QCOMPARE(tablero.creadas.value(0).Texto, kTexto);
    // No: nothing starts, the log stays empty and the controls come back.
    cajas.respuesta = QMessageBox::No;
    t.d->btnEnviar->click();
    QCOMPARE(cajas.vistas.last().PorDefecto, QMessageBox::No);
    QVERIFY(t.d->Log->toPlainText().isEmpty());
    QVERIFY(t.Habilitado() && !t.d->Client.Ocupado());
    // Yes: sent again.
    cajas.respuesta = QMessageBox::Yes;
    t.d->btnEnviar->click();
    t.Esperar(1);
    QCOMPARE(tablero.creadas.size(), 2);
}

// Lines wider than the log are seen from their start, the newest one included.
void TestEnviarNota::registroDesdeElPrincipio() {
    ParGuionado par({});
    Cajas cajas;
    Dialogo t({{"127.0.0.1", QString(60, u'N'), par.Puerto()}});
    t.d->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.d.get()));
    t.d->mnuListViewComprobar->trigger();
    t.Esperar(0);
    const QScrollBar* barra = t.d->Log->horizontalScrollBar();
    QVERIFY(barra->maximum() > 0);
    QCOMPARE(barra->value(), 0);
    QVERIFY(t.d->Log->verticalScrollBar()->value() == t.d->Log->verticalScrollBar()->maximum());
}

void TestEnviarNota::enviarMasTarde_data() {
    QTest::addColumn<Guion>("guion");
    QTest::addColumn<bool>("apagado");   // nobody listens
    QTest::addColumn<bool>("comprobar"); // a check, not a send
    QTest::addColumn<bool>("enlazado");  // the board takes notes for later
    QTest::addColumn<bool>("ofrecida");
    QTest::addColumn<int>("respuesta");
    const int si = QMessageBox::Yes, no = QMessageBox::No;
    QTest::newRow("apagado, si") << Guion{} << true << false << true << true << si;
    QTest::newRow("apagado, no") << Guion{} << true << false << true << true << no;
    QTest::newRow("sin saludo") << Guion{{"HOLA", ""}} << false << false << true << true << si;
    QTest::newRow("sin tablero que la guarde") << Guion{} << true << false << false << false << si;
    QTest::newRow("rechazada") << Guion{{"HOLA", "NOT_ALLOWED"}} << false << false << true << false
                               << si;
    QTest::newRow("interrumpida") << Guion{{"NOTA_BEGIN", ""}} << false << false << true << false
                                  << si;
    QTest::newRow("sin confirmar")
        << Guion{{"NOTA_END", ""}} << false << false << true << false << si;
    QTest::newRow("entregada") << Guion{} << false << false << true << false << si;
    QTest::newRow("comprobacion apagada") << Guion{} << true << true << true << false << si;
}

void TestEnviarNota::enviarMasTarde() {
    QFETCH(Guion, guion);
    QFETCH(bool, apagado);
    QFETCH(bool, enlazado);
    QFETCH(bool, ofrecida);
    QFETCH(int, respuesta);
    ParGuionado par(guion);
    const quint16 puerto = par.Puerto();
    if (apagado)
        par.servidor.close();
    ListaIP libreta;
    libreta.AddIP("127.0.0.1", "Ana", true, puerto);
    DatosNota nota;
    nota.Texto = kTexto;
    QList<std::pair<DestinoEnvio, DatosNota>> guardadas;
    TfrmEnviarNotaRed d(libreta, nota, {}, nullptr,
                        enlazado ? EnviarMasTarde([&](const DestinoEnvio& e, const DatosNota& n) {
                            guardadas.append({e, n});
                        })
                                 : EnviarMasTarde());
    d.Client.EsperaConexionMs = d.Client.EsperaRespuestaMs = 300;
    Cajas cajas;
    cajas.respuesta = QMessageBox::StandardButton(respuesta);
    QFETCH(bool, comprobar);
    if (comprobar)
        d.mnuListViewComprobar->trigger();
    else
        d.btnEnviar->click();
    QTRY_VERIFY_WITH_TIMEOUT(!cajas.vistas.isEmpty(), 3000);
    QTest::qWait(50);
    const QString pregunta = "¿Enviarla automáticamente cuando ese Pinaco esté disponible?";
    QCOMPARE(cajas.vistas.size(), ofrecida ? 2 : 1);
    QCOMPARE(cajas.Textos().contains(pregunta), ofrecida);
    if (ofrecida)
        QCOMPARE(cajas.vistas[1].Icono, IconoMensaje::Pregunta);
    QCOMPARE(guardadas.size(), ofrecida && respuesta == QMessageBox::Yes ? 1 : 0);
    if (!guardadas.isEmpty()) {
        QCOMPARE(guardadas[0].first.IP, QStringLiteral("127.0.0.1"));
        QCOMPARE(guardadas[0].first.Puerto, qint32(puerto));
        QCOMPARE(guardadas[0].first.Nombre, QStringLiteral("Ana"));
        QCOMPARE(guardadas[0].second, nota);
    }
}

QTEST_MAIN(TestEnviarNota)
#include "test_enviarnota.moc"
