// The note server over real loopback sockets, against a board that only records, and the
// lines of its log. Every 127.x.y.z address is this machine: a peer bound to 127.0.0.2 is a
// second board. The wire and log bytes are written here from the protocol's description,
// not taken from the code.
#include "net/EscritorLog.h"
#include "net/LineasLog.h"
#include "net/ServidorNotas.h"
#include "net/SesionNota.h"
#include "net/TableroRed.h"
#include "storage/ListaIP.h"

#include "tests/ArchivosPrueba.h"
#include "tests/TableroRedFalso.h"

#include <QTcpSocket>
#include <QtTest>

namespace {

// A board on the other end, from its own loopback address, in lock step.
class Par {
public:
    Par(const QString& local, quint16 puerto) {
        socket_.bind(QHostAddress(local));
        socket_.connectToHost(QHostAddress::LocalHost, puerto);
        socket_.waitForConnected(2000);
    }
    // The answer to one message; empty when none comes within the time.
    QByteArray Enviar(const QByteArray& mensaje, int ms = 2000) {
        socket_.write(mensaje);
        return Respuesta(ms);
    }
    QByteArray Respuesta(int ms = 2000) {
        QDeadlineTimer plazo(ms);
        while (!plazo.hasExpired() && socket_.bytesAvailable() == 0 &&
               socket_.state() == QAbstractSocket::ConnectedState)
            QTest::qWait(2);
        return socket_.readAll();
    }
    bool Cerrado(int ms = 2000) {
        QDeadlineTimer plazo(ms);
        while (!plazo.hasExpired() && socket_.state() == QAbstractSocket::ConnectedState)
            QTest::qWait(5);
        return socket_.state() != QAbstractSocket::ConnectedState;
    }
    QTcpSocket& Socket() { return socket_; }

private:
    QTcpSocket socket_;
};

const QByteArray kTexto = "Reuni\xF3n ma\xF1"
                          "ana\r\nTraer el informe\r\nde Garc\xED"
                          "a";

QList<QByteArray> Campos(const QByteArray& texto) {
    return QByteArray("DAY_EXPIRES:9|MONTH_EXPIRES:12|YEAR_EXPIRES:2026|FONT_STYLE:1010|"
                      "FONT_NAME:DejaVu Serif|FONT_SIZE:12|FONT_COLOR:-2147483640|WIDTH:150|"
                      "HEIGHT:170|TOP:60|LEFT:45")
               .split('|') +
           QByteArrayList{"TEXT:" + texto};
}

DatosNota NotaRecibida(const QString& nombre, const QString& texto, int dia = 5) {
    DatosNota entrante;
    entrante.Texto = texto;
    DatosNota nota;
    RellenarNotaRecibida(nota, entrante, QDateTime(QDate(2000, 1, dia), QTime(14, 3, 22)),
                         QStringLiteral("192.168.0.7"), nombre);
    return nota;
}

} // namespace

class TestServidorNotas : public QObject {
    Q_OBJECT
private slots:
    void init();
    void transferenciaByteAByte();
    void rechazoRegistrado();
    void mensajesLargosEnTrozos();
    void limitesNoDetienenAlResto();
    void transferenciasSimultaneasNoSeMezclan();
    void abusoRetiraYRestituye();
    void lineasDelLog_data();
    void lineasDelLog();
    void escritorDelLog();

private:
    void Transferir(Par& par, const QByteArray& texto = kTexto);

    std::unique_ptr<QTemporaryDir> FCarpeta;
    std::unique_ptr<TableroQueAnota> FTablero;
    std::unique_ptr<ServidorNotas> FServidor;
    QDateTime FAhora;
};

void TestServidorNotas::init() {
    FServidor.reset();
    FCarpeta = std::make_unique<QTemporaryDir>();
    FTablero = std::make_unique<TableroQueAnota>();
    FTablero->libreta.AddIP("*.*.*.*", "(Desconocido)", true, 2222);
    FAhora = QDateTime(QDate(2000, 1, 5), QTime(14, 3, 22));
    FServidor = std::make_unique<ServidorNotas>(*FTablero, FCarpeta->filePath("pinaco.LOG"),
                                                [this] { return FAhora; });
    QVERIFY(FServidor->Activar(0));
}

void TestServidorNotas::Transferir(Par& par, const QByteArray& texto) {
    QCOMPARE(par.Enviar("NOTA_BEGIN"), QByteArray("READY"));
    for (const QByteArray& campo : Campos(texto))
        QCOMPARE(par.Enviar(campo), QByteArray("DATA_RECEIVED"));
    QCOMPARE(par.Enviar("NOTA_END"), QByteArray("NOTA_CREATED"));
}

void TestServidorNotas::transferenciaByteAByte() {
    FTablero->libreta.AddIP("127.0.0.2", "Oficina", true, 1);
    Par par("127.0.0.2", FServidor->Puerto());
    QCOMPARE(par.Enviar("HOLA"), QByteArray("HOLA_ACK"));
    QCOMPARE(par.Enviar("VERSION"), QByteArray("VERSION_ID:Pinaco v1.4o"));
    QCOMPARE(par.Enviar("ACTUALIZE_MY_SERVER_PORT:2223"),
             QByteArray("YOUR_SERVER_PORT_ACTUALIZED"));
    QCOMPARE(FTablero->libreta.PuertoDeIP("127.0.0.2"), 2223);
    QCOMPARE(par.Enviar("DAY_EXPIRES:9"), QByteArray("UNKNOWN")); // outside a note
    Transferir(par);
    QCOMPARE(par.Enviar("CIAO"), QByteArray("CIAO_ACK"));

    QCOMPARE(FTablero->empezadas, 1);
    QCOMPARE(FTablero->avisos, 1);
    QCOMPARE(FTablero->creadas.size(), 1);
    const DatosNota& nota = FTablero->creadas[0];
    QCOMPARE(nota.ReceivedFromIP, QString("127.0.0.2"));
    QCOMPARE(nota.ReceivedFromUser, QString("Oficina"));
    QCOMPARE(nota.ReceivedTime, QString("14:03:22"));
    QCOMPARE(nota.ColorChincheta, TColorChincheta::Net);
    QCOMPARE(nota.Texto, QString::fromUtf8("Reunión mañana\r\nTraer el informe\r\nde García"));
    QCOMPARE(nota.FontStyle, quint8(fsBold | fsUnderline));
    QCOMPARE(nota.FontColor, 0x80000008u);
    QCOMPARE(QRect(nota.Left, nota.Top, nota.Width, nota.Height), QRect(45, 60, 150, 170));
}

void TestServidorNotas::rechazoRegistrado() {
    FTablero->libreta.Entradas().clear();
    FTablero->libreta.AddIP("127.0.0.3", "Vecino", false, 2222);
    FTablero->ajustes.CrearArchivoLog = true; // and no name: the one of the data files
    Par par("127.0.0.3", FServidor->Puerto());
    for (const char* mensaje : {"HOLA", "VERSION", "NOTA_BEGIN", "TEXT:x"})
        QCOMPARE(par.Enviar(mensaje), QByteArray("NOT_ALLOWED"));
    // Its own entry, without permission and without a withdrawal moment: no answer.
    QCOMPARE(par.Enviar("CIAO", 200), QByteArray());
    QVERIFY(FTablero->creadas.isEmpty());
    const QByteArray linea = "(05-Ene-2000  14:03:22)  >>> INTENTO DE ACCESO DESDE IP NO "
                             "PERMITIDO: 127.0.0.3  (Vecino)\r\n";
    QCOMPARE(LeerBytes(FCarpeta->filePath("pinaco.LOG")), linea.repeated(4));
}

// A long text comes in several pieces and is answered once; two short messages written
// together are one message the protocol does not know.
void TestServidorNotas::mensajesLargosEnTrozos() {
    Par par("127.0.0.2", FServidor->Puerto());
    QCOMPARE(par.Enviar("NOTA_BEGIN"), QByteArray("READY"));
    const QByteArray largo = "TEXT:" + QByteArray(300000, 'a') + "\r\nfin";
    for (qsizetype desde = 0; desde < largo.size(); desde += 100000) {
        par.Socket().write(largo.mid(desde, 100000));
        par.Socket().flush();
        QTest::qWait(10);
    }
    QCOMPARE(par.Respuesta(), QByteArray("DATA_RECEIVED"));
    QCOMPARE(par.Respuesta(200), QByteArray());
    QCOMPARE(par.Enviar("NOTA_END"), QByteArray("NOTA_CREATED"));
    QCOMPARE(par.Enviar("VERSIONNOTA_BEGIN"), QByteArray("UNKNOWN"));
    QCOMPARE(FTablero->creadas.size(), 1);
    QCOMPARE(FTablero->creadas[0].Texto.size(), largo.size() - 5);
}

void TestServidorNotas::limitesNoDetienenAlResto() {
    Par tranquilo("127.0.0.2", FServidor->Puerto());
    Par inundador("127.0.0.4", FServidor->Puerto());
    QCOMPARE(inundador.Enviar("NOTA_BEGIN"), QByteArray("READY"));
    inundador.Socket().write("TEXT:" + QByteArray(ServidorNotas::kMaxMensaje, 'x'));
    QVERIFY(inundador.Cerrado());
    QCOMPARE(tranquilo.Enviar("HOLA"), QByteArray("HOLA_ACK"));

    std::vector<std::unique_ptr<Par>> muchos;
    QTRY_COMPARE(FServidor->Conexiones(), 1);
    for (int i = 1; i < ServidorNotas::kMaxConexiones; ++i) {
        muchos.push_back(std::make_unique<Par>("127.0.0.5", FServidor->Puerto()));
        QTRY_COMPARE(FServidor->Conexiones(), i + 1);
    }
    Par demasiado("127.0.0.6", FServidor->Puerto());
    QVERIFY(demasiado.Cerrado());
    muchos.clear();
    QTRY_COMPARE(FServidor->Conexiones(), 1);

    FServidor->FijarSilencio(100);
    Par callado("127.0.0.7", FServidor->Puerto());
    Par hablador("127.0.0.8", FServidor->Puerto());
    // Silence is counted from the last message: one that keeps talking stays open.
    for (int i = 0; i < 6; ++i) {
        QTest::qWait(50);
        QCOMPARE(hablador.Enviar("HOLA"), QByteArray("HOLA_ACK"));
    }
    QVERIFY(callado.Cerrado());
    QCOMPARE(tranquilo.Enviar("VERSION"), QByteArray("VERSION_ID:Pinaco v1.4o"));
    QVERIFY(FTablero->creadas.isEmpty());
}

void TestServidorNotas::transferenciasSimultaneasNoSeMezclan() {
    Par a("127.0.0.2", FServidor->Puerto());
    Par b("127.0.0.3", FServidor->Puerto());
    QCOMPARE(a.Enviar("NOTA_BEGIN"), QByteArray("READY"));
    QCOMPARE(a.Enviar("TEXT:de A"), QByteArray("DATA_RECEIVED"));
    QCOMPARE(b.Enviar("NOTA_BEGIN"), QByteArray("READY"));
    QCOMPARE(b.Enviar("LEFT:300"), QByteArray("DATA_RECEIVED"));
    QCOMPARE(a.Enviar("NOTA_END"), QByteArray("NOTA_CREATED"));
    QCOMPARE(b.Enviar("NOTA_END"), QByteArray("NOTA_CREATED"));
    QCOMPARE(FTablero->creadas.size(), 2);
    QCOMPARE(FTablero->creadas[0].Texto, QString("de A"));
    QCOMPARE(FTablero->creadas[0].Left, 0);
    QCOMPARE(FTablero->creadas[1].Texto, QString());
    QCOMPARE(FTablero->creadas[1].Left, 300);
}

// Flood control: the second note within the minute withdraws the permission; the sender
// hears it at "CIAO"; a temporary withdrawal is given back after its minutes.
void TestServidorNotas::abusoRetiraYRestituye() {
    Configuracion& ajustes = FTablero->ajustes;
    ajustes.HabilitarNumMaxNotas = true;
    ajustes.NumMaxNotas = 1;
    ajustes.CrearArchivoLog = true;
    ajustes.LogFilename = FCarpeta->filePath("registro.log");
    // Only its own entry admits the sender: a permitted wildcard would admit it still.
    FTablero->libreta.BuscarIP("*.*.*.*")->Permitido = false;
    FTablero->libreta.AddIP("127.0.0.2", "Oficina", true, 2222);
    for (const bool temporal : {false, true}) {
        ajustes.RetiroPermanente = !temporal;
        ajustes.RetiroTemporal = temporal;
        FTablero->libreta.BuscarIP("127.0.0.2")->Permitido = true;
        Par par("127.0.0.2", FServidor->Puerto());
        Transferir(par, "uno");
        Transferir(par, "dos");
        QCOMPARE(par.Enviar("CIAO"), temporal ? QByteArray("CIAO_ACK_NOT_ALLOWED_FOR:5")
                                              : QByteArray("CIAO_ACK_NOT_ALLOWED_ANYMORE"));
        QCOMPARE(par.Enviar("HOLA"), QByteArray("NOT_ALLOWED"));
        QCOMPARE(FServidor->TimerRetiroTemporal.isActive(), temporal);
        FAhora = FAhora.addSecs(400); // out of the flood window for the next round
    }
    FAhora = FAhora.addSecs(-400 + 299); // the temporary withdrawal is 299 s old
    FServidor->TimerRetiroTemporalTimer();
    QVERIFY(!FTablero->libreta.PermisoExactoIP("127.0.0.2"));
    FAhora = FAhora.addSecs(1);
    FServidor->TimerRetiroTemporalTimer();
    QVERIFY(FTablero->libreta.PermisoExactoIP("127.0.0.2"));
    FServidor->TimerRetiroTemporalTimer();
    QVERIFY(!FServidor->TimerRetiroTemporal.isActive());
    const QByteArray recibida = "Recibida Nota de: 127.0.0.2  (Oficina)\r\n";
    const QByteArray intento =
        ">>> INTENTO DE ACCESO DESDE IP NO PERMITIDO: 127.0.0.2  (Oficina)\r\n";
    const QByteArray primera = "(05-Ene-2000  14:03:22)  ", segunda = "(05-Ene-2000  14:10:02)  ";
    QCOMPARE(LeerBytes(ajustes.LogFilename),
             (primera + recibida).repeated(2) + primera +
                 ">>> RETIRADO PERMISO PERMANENTEMENTE A 127.0.0.2  (Oficina)\r\n" + primera +
                 intento + (segunda + recibida).repeated(2) + segunda +
                 ">>> RETIRADO PERMISO TEMPORALMENTE (5 minutos ) A 127.0.0.2  (Oficina)\r\n" +
                 segunda + intento +
                 "(05-Ene-2000  14:15:02)  >>> RESTITUIDO PERMISO A 127.0.0.2  (Oficina)\r\n");
}

void TestServidorNotas::lineasDelLog_data() {
    QTest::addColumn<QString>("linea");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("nota, nombre y tres lineas")
        << LineaNotaRecibida(NotaRecibida("Peñón", "uno\r\ndos\rtres\n€", 25), {true, true})
        << QByteArray("(25-Ene-2000  14:03:22)  Recibida Nota de: 192.168.0.7  (Pe\xF1\xF3n)  "
                      "TEXTO: uno dos tres\x80");
    QTest::newRow("nombre vacio, sin texto")
        << LineaNotaRecibida(NotaRecibida("", "x"), {true, false})
        << QByteArray("(05-Ene-2000  14:03:22)  Recibida Nota de: 192.168.0.7  ()");
    QTest::newRow("solo texto") << LineaNotaRecibida(NotaRecibida("Ana", "x"), {false, true})
                                << QByteArray("(05-Ene-2000  14:03:22)  Recibida Nota de: "
                                              "192.168.0.7  TEXTO: x");
    QTest::newRow("retiro permanente, sin nombre")
        << LineaRetiro({"09-08-2021", "08:00:01", "10.0.0.1", ""}, {true, false, 5})
        << QByteArray("(09-Ago-2021  08:00:01)  >>> RETIRADO PERMISO PERMANENTEMENTE A 10.0.0.1");
}

// Byte for byte as it lands in the file, CR LF included.
void TestServidorNotas::lineasDelLog() {
    QFETCH(QString, linea);
    QFETCH(QByteArray, bytes);
    EscritorLog escritor(FCarpeta->path());
    QVERIFY(escritor.EscribirLineaLog(QStringLiteral("otro.log"), linea));
    QCOMPARE(LeerBytes(FCarpeta->filePath("otro.log")), bytes + "\r\n");
}

void TestServidorNotas::escritorDelLog() {
    QTemporaryDir actual;
    const QString antes = QDir::currentPath();
    QDir::setCurrent(actual.path());
    QStringList avisos;
    EscritorLog escritor(FCarpeta->path(), [&](const QString& aviso) { avisos << aviso; });

    // A relative name is beside the data files, whatever the current folder.
    QVERIFY(escritor.EscribirLineaLog("registro.txt", "uno"));
    QVERIFY(escritor.EscribirLineaLog(FCarpeta->filePath("registro.txt"), "dos"));
    QCOMPARE(LeerBytes(FCarpeta->filePath("registro.txt")), QByteArray("uno\r\ndos\r\n"));
    QVERIFY(!QFile::exists(actual.filePath("registro.txt")));

    // A failing name is told once, however many lines fail; another one is told again.
    for (int i = 0; i < 3; ++i) {
        QVERIFY(!escritor.EscribirLineaLog("no/existe.log", "x"));
        QVERIFY(!escritor.EscribirLineaLog(FCarpeta->path(), "x"));
    }
    QCOMPARE(avisos.size(), 2);
    QVERIFY(avisos[0].contains(FCarpeta->filePath("no/existe.log")));
    QDir::setCurrent(antes);
}

QTEST_GUILESS_MAIN(TestServidorNotas)
#include "test_servidornotas.moc"
