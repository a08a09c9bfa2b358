// Starts the real program as a user would, in a folder of its own.
#include "tests/ArchivosPrueba.h"

#include <QtTest>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

class TestPrograma : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void segundoArranqueEntregaYSale();
    void senalNoBorraNada_data();
    void senalNoBorraNada();
    void otraSesionNoTocaLosArchivos();

private:
    // Another session, or another user: a runtime folder the single-instance check of the
    // first board does not see, and settings of its own in "<sesion>/config".
    QProcess* Arrancar(const QString& sesion = {},
                       QProcess::ProcessChannelMode canales = QProcess::ForwardedErrorChannel);
    // Notes, address book and settings of a board that has run before.
    void Preparar();
    bool EsperarEscucha();
    QString Runtime(const char* extension) const {
        return FRuntime->filePath(QString("pinaco-%1.%2").arg(getuid()).arg(extension));
    }

    std::unique_ptr<QTemporaryDir> FCarpeta, FConfig, FRuntime;
    QString FPrograma;
    QList<QProcess*> FProcesos;
};

void TestPrograma::init() {
    FCarpeta = std::make_unique<QTemporaryDir>();
    FConfig = std::make_unique<QTemporaryDir>();
    FRuntime = std::make_unique<QTemporaryDir>();
    QFile::setPermissions(FRuntime->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // A copy of the program, so that its data files land in the test's folder.
    FPrograma = FCarpeta->filePath("pinaco");
    QVERIFY(QFile::copy(qEnvironmentVariable("PINACO_BIN"), FPrograma));
    QFile::setPermissions(FPrograma, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestPrograma::cleanup() {
    qDeleteAll(FProcesos); // a process still running is killed and waited for
    FProcesos.clear();
}

QProcess* TestPrograma::Arrancar(const QString& sesion, QProcess::ProcessChannelMode canales) {
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", sesion.isEmpty() ? FConfig->path() : sesion + "/config");
    env.insert("XDG_RUNTIME_DIR", sesion.isEmpty() ? FRuntime->path() : sesion);
    env.insert("XDG_DATA_HOME", FConfig->filePath("data"));
    p->setProcessEnvironment(env);
    p->setWorkingDirectory(FCarpeta->path());
    p->setProcessChannelMode(canales);
    p->start(FPrograma, {});
    FProcesos.append(p);
    return p;
}

// Until the board's single-instance socket is there; a plain file of that name is not it.
bool TestPrograma::EsperarEscucha() {
    const QByteArray socket = QFile::encodeName(Runtime("sock"));
    struct stat datos {};
    return QTest::qWaitFor(
        [&] { return stat(socket.constData(), &datos) == 0 && S_ISSOCK(datos.st_mode); }, 15000);
}

// What a board killed without warning leaves, a lock naming a dead process and the socket
// file, does not stop a start; a second start hands over and ends; the first ends at SIGTERM.
void TestPrograma::segundoArranqueEntregaYSale() {
    const pid_t muerto = fork();
    if (muerto == 0)
        _exit(0);
    QCOMPARE(waitpid(muerto, nullptr, 0), muerto);
    EscribirBytes(Runtime("lock"), QByteArray::number(muerto) + "\npinaco\n" +
                                       QSysInfo::machineHostName().toUtf8() + "\n");
    EscribirBytes(Runtime("sock"), "");

    QProcess* primero = Arrancar();
    QVERIFY(EsperarEscucha());
    QProcess* segundo = Arrancar();
    QVERIFY(segundo->waitForFinished(10000));
    QCOMPARE(segundo->exitStatus(), QProcess::NormalExit);
    QCOMPARE(segundo->exitCode(), 0);
    QTest::qWait(200);
    QCOMPARE(primero->state(), QProcess::Running);
    ::kill(pid_t(primero->processId()), SIGTERM);
    QVERIFY(primero->waitForFinished(10000));
    QCOMPARE(primero->exitStatus(), QProcess::NormalExit);
    QCOMPARE(primero->exitCode(), 0);
}

// Whenever a stop signal comes, before, during or after the start-up has read the files,
// what the board stores afterwards is what it read: never its defaults.
void TestPrograma::senalNoBorraNada_data() {
    QTest::addColumn<int>("senal");
    QTest::addColumn<int>("demora"); // ms after the start; -1: once it listens
    for (const int demora : {0, 20, 50, 80, 95, 110, 125, 140, 160, 200, 300})
        QTest::addRow("SIGTERM %d ms", demora) << SIGTERM << demora;
    for (const auto& [senal, nombre] : {std::pair{SIGINT, "SIGINT"}, {SIGHUP, "SIGHUP"}})
        QTest::addRow("%s once listening", nombre) << senal << -1;
}

namespace {

const QByteArray kNotas = "PINACO_NOTAS_BD_3.0\r\n40\r\n70\r\n120\r\n160\r\n2\r\n1\r\n2\r\n"
                          "2024\r\n4\r\n5\r\n2999\r\n0000\r\nDejaVu Sans\r\n9\r\n0\r\n"
                          "\r\n\r\n\r\n1\r\nComprar pan\r\n";
const QByteArray kLibreta = "10.0.0.7\r\nOficina\r\n2223\r\n1\r\n"
                            "*.*.*.*\r\n(Desconocido)\r\n2222\r\n0\r\n";
const std::pair<const char*, const char*> kAjustes[] = {
    {"TipoPinaco", "2"},  {"LastLeft", "100"},   {"LastTop", "90"},
    {"LastWidth", "500"}, {"LastHeight", "400"}, {"ServerActivo", "0"}};

} // namespace

void TestPrograma::Preparar() {
    EscribirBytes(FCarpeta->filePath("pinaco.DAT"), kNotas);
    EscribirBytes(FCarpeta->filePath("pinaco.NET"), kLibreta);
    QSettings guardados(FConfig->filePath("Morvanti/Pinaco.conf"), QSettings::IniFormat);
    for (const auto& [clave, valor] : kAjustes)
        guardados.setValue(clave, valor);
}

void TestPrograma::senalNoBorraNada() {
    QFETCH(int, senal);
    QFETCH(int, demora);
    Preparar();
    const QString conf = FConfig->filePath("Morvanti/Pinaco.conf");

    QProcess* p = Arrancar();
    QVERIFY(p->waitForStarted());
    if (demora < 0)
        QVERIFY(EsperarEscucha());
    QTest::qSleep(qMax(demora, 0));
    ::kill(pid_t(p->processId()), senal);
    QVERIFY(p->waitForFinished(10000));
    // A signal that beats the handlers ends the program before it has touched anything.
    if (p->exitStatus() == QProcess::NormalExit || demora < 0) {
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
    }
    QCOMPARE(LeerBytes(FCarpeta->filePath("pinaco.DAT")), kNotas);
    QCOMPARE(LeerBytes(FCarpeta->filePath("pinaco.NET")), kLibreta);
    QSettings guardados(conf, QSettings::IniFormat);
    for (const auto& [clave, valor] : kAjustes)
        QCOMPARE(guardados.value(clave).toString(), QString(valor));
}

// A board of another session on the same files says they are in use and ends without
// writing anything, its settings included.
void TestPrograma::otraSesionNoTocaLosArchivos() {
    Preparar();
    const QString notas = FCarpeta->filePath("pinaco.DAT");
    Arrancar();
    QVERIFY(EsperarEscucha());
    // Listening says little under load: the lock is what the second board meets.
    QVERIFY(QTest::qWaitFor([&] { return QFile::exists(notas + ".lock"); }, 10000));
    const QStringList archivos = QDir(FCarpeta->path()).entryList(QDir::Files);

    QTemporaryDir otraSesion;
    QProcess* segundo = Arrancar(otraSesion.path(), QProcess::SeparateChannels);
    const QByteArray ruta = QFileInfo(notas).canonicalFilePath().toUtf8();
    QByteArray errores;
    QVERIFY(QTest::qWaitFor(
        [&] { return (errores += segundo->readAllStandardError()).contains(ruta); }, 15000));
    ::kill(pid_t(segundo->processId()), SIGTERM); // in place of the user's OK
    QVERIFY(segundo->waitForFinished(10000));
    QCOMPARE(segundo->exitStatus(), QProcess::NormalExit);
    QVERIFY(segundo->exitCode() != 0);
    QCOMPARE(QDir(FCarpeta->path()).entryList(QDir::Files), archivos);
    QCOMPARE(LeerBytes(notas), kNotas);
    QVERIFY(!QFile::exists(otraSesion.filePath("config")));
}

QTEST_GUILESS_MAIN(TestPrograma)
#include "test_programa.moc"
