// The note server over loopback, beyond the session's test; a peer on 127.0.0.2 is a board.
#include "net/EscritorLog.h"
#include "net/LimiteRechazos.h"
#include "net/LineasLog.h"
#include "net/ServidorNotas.h"
#include "storage/CopiasSeguridad.h"

#include "tests/ArchivosPrueba.h"
#include "tests/ParCliente.h"
#include "tests/TableroRedFalso.h"

#include <QtTest>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

class TestServidorNotas : public QObject {
    Q_OBJECT
private slots:
    void init();
    void transferenciasSimultaneasNoSeMezclan();
    void limitesNoDetienenAlResto();
    void cierreTrasLaUltimaRespuesta();
    void silencioYVidaAcotados();
    void mensajePartidoSeJunta_data();
    void mensajePartidoSeJunta();
    void cienParesALaVez();
    void abusoRetiraYRestituye();
    void inundacionPorPatronRetiraSoloAlRemitente();
    void puertoDelRemitente();
    void relojEnDiaBisiesto();
    void lineasYEscritorDelLog();
    void rechazosUnaLineaPorMinuto();
    void logAcotado();
    void choqueDeLog_data();
    void choqueDeLog();

private:
    std::unique_ptr<QTemporaryDir> FCarpeta;
    std::unique_ptr<TableroQueAnota> FTablero;
    std::unique_ptr<ServidorNotas> FServidor;
    QDateTime FAhora;
    qint64 FMs = 0;
};

void TestServidorNotas::init() {
    FServidor.reset();
    FCarpeta = std::make_unique<QTemporaryDir>();
    FTablero = std::make_unique<TableroQueAnota>();
    FTablero->libreta.AddIP("*.*.*.*", "(Desconocido)", true, 2222);
    FTablero->propios = {
        FCarpeta->filePath("pinaco.DAT"),         FCarpeta->filePath("pinaco.NET"),
        FCarpeta->filePath("config/Pinaco.conf"), FCarpeta->filePath("pinaco.RET"),
        FCarpeta->filePath("pinaco.BOR"),         FCarpeta->filePath("pinaco.PEN")};
    FAhora = QDateTime(QDate(2000, 1, 5), QTime(14, 3, 22));
    FServidor = std::make_unique<ServidorNotas>(
        *FTablero, FTablero->libreta, FCarpeta->filePath("pinaco.LOG"), [this] { return FAhora; });
    FServidor->FijarReglas(FTablero->Reglas());
    FMs = 0;
    FServidor->FijarRelojMs([this] { return FMs; });
    QVERIFY(FServidor->Activar(0));
}

// Each connection keeps its own pending note; the port update lands in the sender's entry; a
// long text comes in several pieces and is answered once.
void TestServidorNotas::transferenciasSimultaneasNoSeMezclan() {
    FTablero->libreta.AddIP("127.0.0.2", "Oficina", true, 1);
    FTablero->ajustes.CrearArchivoLog = true; // a log that cannot be written stops no note
    FTablero->ajustes.LogFilename = FCarpeta->path();
    FServidor->FijarReglas(FTablero->Reglas());
    Par a("127.0.0.2", FServidor->Puerto());
    Par b("127.0.0.3", FServidor->Puerto());
    QSignalSpy cambios(FServidor.get(), &ServidorNotas::LibretaCambiada);
    QCOMPARE(a.Enviar("ACTUALIZE_MY_SERVER_PORT:2223"), QByteArray("YOUR_SERVER_PORT_ACTUALIZED"));
    QCOMPARE(FTablero->libreta.PuertoDeIP("127.0.0.2"), 2223);
    QCOMPARE(cambios.size(), 1);
    QCOMPARE(a.Enviar("NOTA_BEGIN"), QByteArray("READY"));
    QCOMPARE(a.Enviar("TEXT:Le\xF3n\r\nPe\xF1\xF3n"), QByteArray("DATA_RECEIVED"));
    QCOMPARE(b.Enviar("NOTA_BEGIN"), QByteArray("READY"));
    const QByteArray largo = "TEXT:" + QByteArray(300000, 'a') + "\r\nfin";
    for (qsizetype desde = 0; desde < largo.size(); desde += 100000) {
        b.write(largo.mid(desde, 100000));
        b.flush();
        QTest::qWait(10);
    }
    QCOMPARE(b.Enviar({}), QByteArray("DATA_RECEIVED"));
    QCOMPARE(b.Enviar({}, 200), QByteArray());
    QCOMPARE(b.Enviar("LEFT:300"), QByteArray("DATA_RECEIVED"));
    QCOMPARE(a.Enviar("NOTA_END"), QByteArray("NOTA_CREATED"));
    QCOMPARE(b.Enviar("NOTA_END"), QByteArray("NOTA_CREATED"));

    QVERIFY(FTablero->empezadas == 2 && FTablero->avisos == 2 && FTablero->creadas.size() == 2);
    const DatosNota &deA = FTablero->creadas[0], &deB = FTablero->creadas[1];
    QCOMPARE(deA.ReceivedFromIP + " " + deA.ReceivedFromUser + " " + deB.ReceivedFromIP,
             "127.0.0.2 Oficina 127.0.0.3");
    QCOMPARE(deA.Texto, QString::fromUtf8("León\r\nPeñón"));
    QCOMPARE(deB.Left, 300);
    QCOMPARE(deB.Texto.size(), largo.size() - 5);
}

// A sender past 1 MiB is cut off; one address holds a few connections at most; a full server
// makes room for a permitted peer by closing one that a refused address holds.
void TestServidorNotas::limitesNoDetienenAlResto() {
    ListaIP& libreta = FTablero->libreta;
    libreta.BuscarIP("*.*.*.*")->Permitido = false;
    for (const char* ip : {"127.0.0.2", "127.0.0.4", "127.0.0.5", "127.0.0.6"})
        libreta.AddIP(ip, "", true, 2222);
    Par tranquilo("127.0.0.2", FServidor->Puerto());
    Par inundador("127.0.0.4", FServidor->Puerto());
    QCOMPARE(inundador.Enviar("NOTA_BEGIN"), QByteArray("READY"));
    inundador.write("TEXT:" + QByteArray(ServidorNotas::kMaxMensaje, 'x'));
    QVERIFY(inundador.Cerrado());
    QCOMPARE(tranquilo.Enviar("HOLA"), QByteArray("HOLA_ACK"));

    std::vector<std::unique_ptr<Par>> muchos;
    for (int i = 0; i <= ServidorNotas::kMaxPorDireccion; ++i)
        muchos.push_back(std::make_unique<Par>("127.0.0.5", FServidor->Puerto()));
    QVERIFY(muchos.back()->Cerrado());
    QTRY_COMPARE(FServidor->Conexiones(), 1 + ServidorNotas::kMaxPorDireccion);
    QCOMPARE(muchos.front()->Enviar("HOLA"), QByteArray("HOLA_ACK"));
    muchos.clear();

    // Refused addresses that never speak fill the server.
    QTRY_COMPARE(FServidor->Conexiones(), 1);
    // Taken one by one: a blocking connect leaves the server no turn to accept.
    for (int i = 1; i < ServidorNotas::kMaxConexiones; ++i) {
        muchos.push_back(std::make_unique<Par>(
            QStringLiteral("127.0.2.%1").arg(i / ServidorNotas::kMaxPorDireccion + 1),
            FServidor->Puerto()));
        QTRY_COMPARE(FServidor->Conexiones(), i + 1);
    }
    Par rechazado("127.0.3.1", FServidor->Puerto());
    QVERIFY(rechazado.Cerrado());
    Par permitido("127.0.0.6", FServidor->Puerto());
    QCOMPARE(permitido.Enviar("HOLA"), QByteArray("HOLA_ACK"));
    QCOMPARE(tranquilo.Enviar("VERSION"), QByteArray("VERSION_ID:Pinaco v1.4o"));
    QCOMPARE(FServidor->Conexiones(), ServidorNotas::kMaxConexiones);
    QVERIFY(FTablero->creadas.isEmpty());
}

// A refused sender has its answer, then the connection is closed, as after "CIAO"; with the log
// on, one line for each refused message.
void TestServidorNotas::cierreTrasLaUltimaRespuesta() {
    FTablero->ajustes.CrearArchivoLog = true;
    FServidor->FijarReglas(FTablero->Reglas());
    FTablero->libreta.BuscarIP("*.*.*.*")->Permitido = false;
    FTablero->libreta.AddIP("127.0.0.2", "", true, 2222);
    Par permitido("127.0.0.2", FServidor->Puerto());
    for (int i = 1; i <= 20; ++i) {
        Par rechazado(QStringLiteral("127.0.4.%1").arg(i), FServidor->Puerto());
        QCOMPARE(rechazado.Enviar(i == 20 ? "CIAO" : "HOLA"),
                 QByteArray(i == 20 ? "CIAO_ACK" : "NOT_ALLOWED"));
        QVERIFY(rechazado.Cerrado());
    }
    QCOMPARE(permitido.Enviar("HOLA"), QByteArray("HOLA_ACK"));
    QTRY_COMPARE(FServidor->Conexiones(), 1);
    QCOMPARE(LeerBytes(FCarpeta->filePath("pinaco.LOG")).count("INTENTO DE ACCESO"), 19);
    QCOMPARE(permitido.Enviar("CIAO"), QByteArray("CIAO_ACK"));
    QVERIFY(permitido.Cerrado());
}

// Silence is counted from the last accepted message, and no connection lives for ever.
void TestServidorNotas::silencioYVidaAcotados() {
    Par hablador("127.0.0.2", FServidor->Puerto());
    Par charlatan("127.0.0.3", FServidor->Puerto());
    Par callado("127.0.0.4", FServidor->Puerto());
    QTRY_COMPARE(FServidor->Conexiones(), 3);
    for (FMs = 20000; FMs < ServidorNotas::kVidaMaximaMs; FMs += 20000) {
        QCOMPARE(hablador.Enviar("HOLA"), QByteArray("HOLA_ACK"));
        if (FMs < ServidorNotas::kSilencioMs)
            QCOMPARE(charlatan.Enviar("BLA"), QByteArray("UNKNOWN"));
        FServidor->RevisarConexiones();
        QCOMPARE(FServidor->Conexiones(), FMs < ServidorNotas::kSilencioMs ? 3 : 1);
    }
    QVERIFY(callado.Cerrado() && charlatan.Cerrado());
    QVERIFY(hablador.state() == QAbstractSocket::ConnectedState);
    FMs = ServidorNotas::kVidaMaximaMs;
    FServidor->RevisarConexiones();
    QVERIFY(hablador.Cerrado());
}

void TestServidorNotas::mensajePartidoSeJunta_data() {
    QTest::addColumn<QList<int>>("trozos");
    QTest::addColumn<int>("pausaMs");
    QTest::newRow("600+895 a 5 ms") << QList<int>{600, 895} << 5;
    QTest::newRow("1200+805 a 80 ms") << QList<int>{1200, 805} << 80;
    QTest::newRow("tres de 501 a 150 ms") << QList<int>{501, 501, 501} << 150;
}

// A long message that the network splits is taken whole and answered once.
void TestServidorNotas::mensajePartidoSeJunta() {
    QFETCH(QList<int>, trozos);
    QFETCH(int, pausaMs);
    Par par("127.0.0.2", FServidor->Puerto());
    QCOMPARE(par.Enviar("NOTA_BEGIN"), QByteArray("READY"));
    const int total = std::accumulate(trozos.begin(), trozos.end(), 0);
    const QByteArray mensaje = "TEXT:" + QByteArray(total - 5, 'a');
    for (int desde = 0; const int trozo : trozos) {
        if (desde > 0)
            QTest::qWait(pausaMs);
        par.write(mensaje.mid(desde, trozo));
        par.flush();
        desde += trozo;
    }
    QCOMPARE(par.Enviar({}), QByteArray("DATA_RECEIVED"));
    QCOMPARE(par.Enviar({}, 2 * ServidorNotas::kEsperaTrozosMs), QByteArray());
    QCOMPARE(par.Enviar("NOTA_END"), QByteArray("NOTA_CREATED"));
    QCOMPARE(FTablero->creadas.size(), 1);
    QCOMPARE(FTablero->creadas[0].Texto.size(), total - 5);
}

// Twice in a row: the first hundred leave while the next come.
void TestServidorNotas::cienParesALaVez() {
    for (int vez = 1; vez <= 2; ++vez) {
        const ResultadoALaVez r = EnviarALaVez(FServidor->Puerto(), 100);
        QCOMPARE(r.Cortadas, 0);
        QCOMPARE(r.Entregadas, 100);
        QCOMPARE(FTablero->creadas.size(), 100 * vez);
    }
}

// The second note in the minute withdraws the permission for minutes, told at "CIAO"; the timer
// gives it back. Without a name the log is beside the data files, in their encoding.
void TestServidorNotas::abusoRetiraYRestituye() {
    Configuracion& ajustes = FTablero->ajustes;
    ajustes.HabilitarNumMaxNotas = ajustes.RetiroTemporal = ajustes.CrearArchivoLog =
        ajustes.LogWithNotaText = true;
    ajustes.RetiroPermanente = false;
    ajustes.NumMaxNotas = 1;
    // Only its own entry admits the sender: a permitted wildcard would admit it still.
    FTablero->libreta.BuscarIP("*.*.*.*")->Permitido = false;
    FTablero->libreta.AddIP("127.0.0.2", "Peñón", true, 2222);
    Par par("127.0.0.2", FServidor->Puerto());
    // Every change of a permission is told, so an open address list can follow it.
    QSignalSpy cambios(FServidor.get(), &ServidorNotas::LibretaCambiada);
    for (const bool conNombre : {true, false}) {
        ajustes.LogWithSenderName = conNombre;
        FServidor->FijarReglas(FTablero->Reglas());
        QCOMPARE(par.Enviar("NOTA_BEGIN"), QByteArray("READY"));
        QCOMPARE(par.Enviar("TEXT:uno\r\ndos\rtres\n\x80"), QByteArray("DATA_RECEIVED"));
        QCOMPARE(par.Enviar("NOTA_END"), QByteArray("NOTA_CREATED"));
    }
    QCOMPARE(cambios.size(), 1);
    QCOMPARE(par.Enviar("CIAO"), QByteArray("CIAO_ACK_NOT_ALLOWED_FOR:5"));
    QVERIFY(par.Cerrado());
    QCOMPARE(Par("127.0.0.2", FServidor->Puerto()).Enviar("HOLA"), QByteArray("NOT_ALLOWED"));
    QVERIFY(FServidor->TimerRetiroTemporal.isActive());
    FAhora = FAhora.addSecs(300);
    FServidor->TimerRetiroTemporalTimer();
    QVERIFY(FTablero->libreta.PermisoExactoIP("127.0.0.2"));
    FServidor->TimerRetiroTemporalTimer();
    QVERIFY(!FServidor->TimerRetiroTemporal.isActive());
    QCOMPARE(cambios.size(), 2);
    const QByteArray hora = "(05-Ene-2000  14:03:22)  ", quien = "127.0.0.2  (Pe\xF1\xF3n)\r\n";
    QCOMPARE(LeerBytes(FCarpeta->filePath("pinaco.LOG")),
             hora + "Recibida Nota de: 127.0.0.2  (Pe\xF1\xF3n)  TEXTO: uno dos tres\x80\r\n" +
                 hora + "Recibida Nota de: 127.0.0.2  TEXTO: uno dos tres\x80\r\n" + hora +
                 ">>> RETIRADO PERMISO TEMPORALMENTE (5 minutos ) A " + quien + hora +
                 ">>> INTENTO DE ACCESO DESDE IP NO PERMITIDO: " + quien +
                 "(05-Ene-2000  14:08:22)  >>> RESTITUIDO PERMISO A " + quien);
}

// Twenty notes at once from one address, with the log on; admitted by the wildcard, or by its
// own entry with a pattern that also covers it. Only that address loses its permission.
void TestServidorNotas::inundacionPorPatronRetiraSoloAlRemitente() {
    Configuracion& ajustes = FTablero->ajustes;
    ajustes.HabilitarNumMaxNotas = ajustes.CrearArchivoLog = true;
    FServidor->FijarReglas(FTablero->Reglas());
    ListaIP& libreta = FTablero->libreta;
    libreta.AddIP("127.0.0.7", "Propia", true, 2222);
    libreta.AddIP("127.0.0.*", "", true, 2222);
    for (const char* ip : {"127.0.1.5", "127.0.0.7"}) {
        Par par(ip, FServidor->Puerto());
        int creadas = 0;
        while (creadas < 20 && par.Nota())
            ++creadas;
        QCOMPARE(creadas, 6);
        QVERIFY(par.Cerrado()); // a refused sender is closed once answered
        QCOMPARE(Par(ip, FServidor->Puerto()).Enviar("HOLA"), QByteArray("NOT_ALLOWED"));
        QCOMPARE(Par(ip, FServidor->Puerto()).Enviar("CIAO"),
                 QByteArray("CIAO_ACK_NOT_ALLOWED_ANYMORE"));
        Par vecino(QString(ip).replace(".5", ".6").replace(".7", ".8"), FServidor->Puerto());
        QCOMPARE(vecino.Enviar("HOLA"), QByteArray("HOLA_ACK"));
    }
    QVERIFY(libreta.PermisoExactoIP("*.*.*.*") && libreta.PermisoExactoIP("127.0.0.*"));
    QVERIFY(!libreta.PermisoExactoIP("127.0.0.7"));
    const QByteArray log = LeerBytes(FCarpeta->filePath("pinaco.LOG"));
    QCOMPARE(log.count(">>> RETIRADO PERMISO PERMANENTEMENTE A 127.0.1.5\r\n"), 1);
    QCOMPARE(log.count(">>> RETIRADO PERMISO PERMANENTEMENTE A 127.0.0.7  (Propia)\r\n"), 1);
    QCOMPARE(log.count("Recibida Nota de:"), 12);
}

// A port the session refuses is not stored, nor one from an entry without permission; which
// ports are refused is the session's table. A stored one is in transferenciasSimultaneas.
void TestServidorNotas::puertoDelRemitente() {
    ListaIP& libreta = FTablero->libreta;
    libreta.AddIP("127.0.0.2", "Con permiso", true, 2222);
    libreta.AddIP("127.0.0.3", "Sin permiso", false, 2222); // the wildcard admits it
    const std::tuple<const char*, QByteArray, qint32> casos[] = {{"127.0.0.2", "0", 2222},
                                                                 {"127.0.0.3", "2300", 2222}};
    for (const auto& [ip, puerto, guardado] : casos) {
        Par par(ip, FServidor->Puerto());
        QCOMPARE(par.Enviar("ACTUALIZE_MY_SERVER_PORT:" + puerto),
                 QByteArray("YOUR_SERVER_PORT_ACTUALIZED"));
        QCOMPARE(libreta.PuertoDeIP(ip), guardado);
    }
}

// Six notes 14 s apart across 29 February 2028 keep the permission; a one-minute withdrawal
// just before that midnight is given back one minute later.
void TestServidorNotas::relojEnDiaBisiesto() {
    Configuracion& ajustes = FTablero->ajustes;
    ajustes.HabilitarNumMaxNotas = ajustes.RetiroTemporal = true;
    ajustes.RetiroPermanente = false;
    ajustes.RetiroTemporalMinutos = 1;
    FServidor->FijarReglas(FTablero->Reglas());
    FTablero->libreta.BuscarIP("*.*.*.*")->Permitido = false;
    FTablero->libreta.AddIP("127.0.0.2", "", true, 2222);
    FTablero->libreta.AddIP("127.0.0.3", "", true, 2222);
    Par par("127.0.0.2", FServidor->Puerto());
    FAhora = QDateTime(QDate(2028, 2, 29), QTime(23, 59, 20));
    for (int i = 0; i < 6; ++i, FAhora = FAhora.addSecs(14))
        QVERIFY(par.Nota());
    QCOMPARE(par.Enviar("HOLA"), QByteArray("HOLA_ACK"));

    Par otro("127.0.0.3", FServidor->Puerto());
    FAhora = QDateTime(QDate(2028, 2, 29), QTime(23, 59, 30));
    for (int i = 0; i < 6; ++i)
        otro.Nota();
    const auto hola = [&] { return Par("127.0.0.3", FServidor->Puerto()).Enviar("HOLA"); };
    QCOMPARE(hola(), QByteArray("NOT_ALLOWED"));
    FAhora = FAhora.addSecs(59);
    FServidor->TimerRetiroTemporalTimer();
    QCOMPARE(hola(), QByteArray("NOT_ALLOWED"));
    FAhora = FAhora.addSecs(1);
    FServidor->TimerRetiroTemporalTimer();
    QCOMPARE(hola(), QByteArray("HOLA_ACK"));
}

void TestServidorNotas::lineasYEscritorDelLog() {
    // The lines the server's log above does not show.
    const DatosNota nota = NotaRecibida({}, FAhora, "192.168.0.7", "");
    QCOMPARE(LineaNotaRecibida(nota, {true, false}),
             "(05-Ene-2000  14:03:22)  Recibida Nota de: 192.168.0.7  ()");
    QCOMPARE(LineaRetiro({"09-08-2021", "08:00:01", "10.0.0.1", ""}, {true, false, 5}),
             "(09-Ago-2021  08:00:01)  >>> RETIRADO PERMISO PERMANENTEMENTE A 10.0.0.1");

    QTemporaryDir actual;
    const QString antes = QDir::currentPath();
    QDir::setCurrent(actual.path());
    QStringList avisos;
    EscritorLog escritor(FCarpeta->filePath("pinaco.LOG"),
                         [&](const QString& aviso) { avisos << aviso; });
    const ArchivosPropios& propios = FTablero->propios;

    // A relative name is beside the data files, whatever the current folder.
    QVERIFY(escritor.EscribirLineaLog("registro.txt", "uno", propios));
    QVERIFY(escritor.EscribirLineaLog(FCarpeta->filePath("registro.txt"), "dos", propios));
    QCOMPARE(LeerBytes(FCarpeta->filePath("registro.txt")), QByteArray("uno\r\ndos\r\n"));
    QVERIFY(!QFile::exists(actual.filePath("registro.txt")));

    // A failing name is told once, however many lines fail; another one is told again. A FIFO
    // is not opened: that would wait for a reader.
    QCOMPARE(::mkfifo(QFile::encodeName(FCarpeta->filePath("fifo")).constData(), 0600), 0);
    for (int i = 0; i < 3; ++i) {
        QVERIFY(!escritor.EscribirLineaLog("no/existe.log", "x", propios));
        QVERIFY(!escritor.EscribirLineaLog(FCarpeta->path(), "x", propios));
        QVERIFY(!escritor.EscribirLineaLog("fifo", "x", propios));
    }
    QCOMPARE(avisos.size(), 3);
    QVERIFY(avisos[0].contains(FCarpeta->filePath("no/existe.log")));

    // A name of the notes file goes to the default log instead, told once.
    EscribirBytes(propios.Notas, "PINACO_NOTAS_BD_3.0\r\n");
    for (const char* linea : {"tres", "cuatro"})
        QVERIFY(escritor.EscribirLineaLog("pinaco.DAT", linea, propios));
    QCOMPARE(LeerBytes(propios.Notas), QByteArray("PINACO_NOTAS_BD_3.0\r\n"));
    QCOMPARE(LeerBytes(FCarpeta->filePath("pinaco.LOG")), QByteArray("tres\r\ncuatro\r\n"));
    QCOMPARE(avisos.size(), 4);
    QVERIFY(avisos[3].contains(propios.Notas));
    QDir::setCurrent(antes);
}

// A refused host that keeps trying, from several connections, gets one line a minute with
// the count; each address its own; the timer stops once nothing is counted.
void TestServidorNotas::rechazosUnaLineaPorMinuto() {
    FTablero->ajustes.CrearArchivoLog = true;
    FServidor->FijarReglas(FTablero->Reglas());
    FTablero->libreta.BuscarIP("*.*.*.*")->Permitido = false;
    FTablero->libreta.AddIP("127.0.0.3", "Malo", false, 2222);
    // A refused sender is closed once answered: every attempt comes on a new connection.
    const auto atacar = [&](int veces) {
        for (int i = 0; i < veces; ++i)
            for (const char* ip : {"127.0.0.3", "127.0.0.3", "127.0.0.3", "127.0.0.4"}) {
                Par par(ip, FServidor->Puerto());
                QCOMPARE(par.Enviar("HOLA"), QByteArray("NOT_ALLOWED"));
                QVERIFY(par.Cerrado());
            }
    };
    atacar(10);
    const QString log = FCarpeta->filePath("pinaco.LOG");
    const QByteArray hora = "(05-Ene-2000  14:03:22)  ",
                     intento = ">>> INTENTO DE ACCESO DESDE IP NO PERMITIDO: ";
    QByteArray esperado =
        hora + intento + "127.0.0.3  (Malo)\r\n" + hora + intento + "127.0.0.4\r\n";
    QCOMPARE(LeerBytes(log), esperado);
    QVERIFY(FServidor->TimerRechazos.isActive());
    FAhora = FAhora.addSecs(59);
    FServidor->TimerRechazosTimer();
    QCOMPARE(LeerBytes(log), esperado);
    FAhora = FAhora.addSecs(1);
    FServidor->TimerRechazosTimer();
    const QByteArray hora2 = "(05-Ene-2000  14:04:22)  ";
    esperado +=
        hora2 + intento + "127.0.0.3  (Malo)  (29 intentos m\xE1s en el \xFAltimo minuto)\r\n";
    esperado += hora2 + intento + "127.0.0.4  (9 intentos m\xE1s en el \xFAltimo minuto)\r\n";
    const QByteArray escrito = LeerBytes(log);
    QCOMPARE(escrito.size(), esperado.size());
    QCOMPARE(escrito.count('\n'), 4);
    QVERIFY(escrito.contains("127.0.0.3  (Malo)  (29 intentos") &&
            escrito.contains("127.0.0.4  (9 intentos"));
    // Still trying: counted into the minute the count opened.
    atacar(1);
    QCOMPARE(LeerBytes(log).size(), esperado.size());
    FAhora = FAhora.addSecs(60);
    FServidor->TimerRechazosTimer();
    QCOMPARE(LeerBytes(log).count('\n'), 6);
    FAhora = FAhora.addSecs(60);
    FServidor->TimerRechazosTimer();
    QVERIFY(!FServidor->TimerRechazos.isActive());
    QCOMPARE(LeerBytes(log).count('\n'), 6);
    // Closing writes what the unfinished minute counted.
    atacar(1);
    QCOMPARE(LeerBytes(log).count('\n'), 8);
    FServidor.reset();
    QVERIFY(LeerBytes(log).endsWith(
        "127.0.0.3  (Malo)  (2 intentos m\xE1s en el \xFAltimo minuto)\r\n"));
    QCOMPARE(LeerBytes(log).count('\n'), 9);

    // Beyond the addresses followed one by one the attempts are counted together; a clock
    // set back ends the minute.
    LimiteRechazos limite;
    for (qsizetype i = 0; i <= LimiteRechazos::kMaxDirecciones; ++i)
        QCOMPARE(limite.Registrar(QString::number(i), FAhora), i < LimiteRechazos::kMaxDirecciones);
    QVERIFY(!limite.Registrar("0", FAhora));
    const QList<LimiteRechazos::Resumen> vencidos = limite.Vencidos(FAhora.addSecs(-1));
    QCOMPARE(vencidos.size(), 2);
    QVERIFY(limite.Registrar("1", FAhora));
    const auto otras = std::find_if(vencidos.begin(), vencidos.end(),
                                    [](const auto& r) { return r.IP.isEmpty(); });
    QVERIFY(otras != vencidos.end() && otras->Veces == 1);
    QCOMPARE(LineaIntentosRepetidos(FAhora, "", "", 7).mid(25),
             ">>> INTENTOS DE ACCESO DESDE OTRAS IPs NO PERMITIDAS: 7 en el último minuto");
}

// A full log is set aside once as "<log>.1"; the last free room of the disk is never taken.
void TestServidorNotas::logAcotado() {
    qint64 libre = 1 << 30;
    QStringList avisos;
    EscritorLog escritor(FCarpeta->filePath("pinaco.LOG"),
                         [&](const QString& aviso) { avisos << aviso; },
                         {100, 1000, [&](const QString&) { return libre; }});
    const QString log = FCarpeta->filePath("registro.txt");
    for (int i = 0; i < 25; ++i)
        QVERIFY(escritor.EscribirLineaLog(log, QString("linea %1").arg(i, 2), FTablero->propios));
    QVERIFY(QFileInfo(log).size() <= 100 && QFileInfo(log + ".1").size() <= 100);
    QVERIFY(LeerBytes(log).endsWith("linea 24\r\n"));
    QVERIFY(!QFile::exists(log + ".2"));
    libre = 1002;
    QVERIFY(!escritor.EscribirLineaLog(log, "x", FTablero->propios));
    QVERIFY(!escritor.EscribirLineaLog(log, "y", FTablero->propios));
    QCOMPARE(avisos.size(), 1);
    QVERIFY(LeerBytes(log).endsWith("linea 24\r\n"));
}

void TestServidorNotas::choqueDeLog_data() {
    // The log's name: relative to the data folder, or in {datos} or {lejana} (the recovery
    // copy away from the file); the file it would write into, and what that is.
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("que"); // empty: the name is free
    QTest::addColumn<int>("dueno");   // 0 notes, 1 address book, 2 settings, 3 withdrawals,
                                      // 4 deleted notes, 5 notes waiting to be sent
    const auto fila = [](const char* nombre, const char* que = "", int dueno = 0) {
        QTest::newRow(nombre) << QString(nombre) << QString::fromUtf8(que) << dueno;
    };
    fila("pinaco.DAT", "el fichero de notas");
    fila("{datos}/pinaco.NET", "el fichero de direcciones", 1);
    fila("enlace.log", "el fichero de notas");        // a symbolic link to it
    fila("duro.log", "el fichero de direcciones", 1); // a hard link to it
    fila("otra/pinaco.DAT", "el fichero de notas");   // through a linked folder
    fila("pinaco.DAT.recuperacion", "la copia de recuperación del fichero de notas");
    fila("{lejana}", "la copia de recuperación del fichero de notas");
    fila("pinaco.NET.original", "la copia original del fichero de direcciones", 1);
    fila("pinaco.DAT.original.3", "una copia original del fichero de notas");
    fila("pinaco.NET.Ab12Cd", "un fichero de trabajo del fichero de direcciones", 1);
    fila("{datos}/config/Pinaco.conf", "el fichero de configuración", 2);
    fila("pinaco.RET.x1Y2z3", "un fichero de trabajo del fichero de direcciones retiradas", 3);
    fila("pinaco.BOR", "el fichero de notas borradas", 4);
    fila("pinaco.PEN.x1Y2z3", "un fichero de trabajo del fichero de notas pendientes de envío", 5);
    fila("pinaco.LOG");
    fila("pinaco.dat"); // another file where case counts
    fila("config/Pinaco.conf.log.txt/../otro.log");
}

void TestServidorNotas::choqueDeLog() {
    QFETCH(QString, nombre);
    QFETCH(QString, que);
    QFETCH(int, dueno);
    const ArchivosPropios& propios = FTablero->propios;
    EscribirBytes(propios.Notas, "notas");
    EscribirBytes(propios.Direcciones, "direcciones");
    QVERIFY(QFile::link(propios.Notas, FCarpeta->filePath("enlace.log")));
    QCOMPARE(::link(QFile::encodeName(propios.Direcciones).constData(),
                    QFile::encodeName(FCarpeta->filePath("duro.log")).constData()),
             0);
    QVERIFY(QFile::link(FCarpeta->path(), FCarpeta->filePath("otra")));
    nombre.replace("{datos}", FCarpeta->path())
        .replace("{lejana}", RutasRecuperacion(propios.Notas).last());

    const QString duenos[] = {propios.Notas,   propios.Direcciones, propios.Ajustes,
                              propios.Retiros, propios.Borradas,    propios.Pendientes};
    QCOMPARE(ChoqueDeLog(propios.RutaLog(nombre), propios),
             que.isEmpty() ? QString() : que + u' ' + duenos[dueno]);
}

QTEST_GUILESS_MAIN(TestServidorNotas)
#include "test_servidornotas.moc"
