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

private:
    QProcess* Arrancar();
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

QProcess* TestPrograma::Arrancar() {
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", FConfig->path());
    env.insert("XDG_RUNTIME_DIR", FRuntime->path());
    env.insert("XDG_DATA_HOME", FConfig->filePath("data"));
    p->setProcessEnvironment(env);
    p->setWorkingDirectory(FCarpeta->path());
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
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

void TestPrograma::senalNoBorraNada() {
    QFETCH(int, senal);
    QFETCH(int, demora);
    const QByteArray notas = "PINACO_NOTAS_BD_3.0\r\n40\r\n70\r\n120\r\n160\r\n2\r\n1\r\n2\r\n"
                             "2024\r\n4\r\n5\r\n2999\r\n0000\r\nDejaVu Sans\r\n9\r\n0\r\n"
                             "\r\n\r\n\r\n1\r\nComprar pan\r\n";
    const QByteArray libreta = "10.0.0.7\r\nOficina\r\n2223\r\n1\r\n"
                               "*.*.*.*\r\n(Desconocido)\r\n2222\r\n0\r\n";
    EscribirBytes(FCarpeta->filePath("pinaco.DAT"), notas);
    EscribirBytes(FCarpeta->filePath("pinaco.NET"), libreta);
    const QString conf = FConfig->filePath("Morvanti/Pinaco.conf");
    const std::pair<const char*, const char*> ajustes[] = {
        {"TipoPinaco", "2"},  {"LastLeft", "100"},   {"LastTop", "90"},
        {"LastWidth", "500"}, {"LastHeight", "400"}, {"ServerActivo", "0"}};
    {
        QSettings guardados(conf, QSettings::IniFormat);
        for (const auto& [clave, valor] : ajustes)
            guardados.setValue(clave, valor);
    }

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
    QCOMPARE(LeerBytes(FCarpeta->filePath("pinaco.DAT")), notas);
    QCOMPARE(LeerBytes(FCarpeta->filePath("pinaco.NET")), libreta);
    QSettings guardados(conf, QSettings::IniFormat);
    for (const auto& [clave, valor] : ajustes)
        QCOMPARE(guardados.value(clave).toString(), QString(valor));
}

QTEST_GUILESS_MAIN(TestPrograma)
#include "test_programa.moc"
