// Starts the real program as a user would, in a folder of its own.
#include <QtTest>
#include <csignal>
#include <unistd.h>

class TestPrograma : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void segundoArranqueEntregaYSale();
    void cerrojoHuerfanoNoImpideArrancar();
    void senalesCierranConEstadoCero_data();
    void senalesCierranConEstadoCero();
    void senalDuranteElArranqueNoBorraNada_data();
    void senalDuranteElArranqueNoBorraNada();

private:
    QProcess* Arrancar();
    bool EsperarEscucha();
    QString Socket() const { return FRuntime->filePath(QString("pinaco-%1.sock").arg(getuid())); }

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
    for (QProcess* p : FProcesos) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished();
        }
        delete p;
    }
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

bool TestPrograma::EsperarEscucha() {
    QDeadlineTimer plazo(15000);
    while (!plazo.hasExpired()) {
        if (QFileInfo(Socket()).exists())
            return true;
        QTest::qWait(50);
    }
    return false;
}

void TestPrograma::segundoArranqueEntregaYSale() {
    QProcess* primero = Arrancar();
    QVERIFY(primero->waitForStarted());
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

void TestPrograma::cerrojoHuerfanoNoImpideArrancar() {
    // What a board killed without warning leaves: a lock naming a dead process and the
    // socket file.
    QProcess muerto;
    muerto.start("true");
    QVERIFY(muerto.waitForFinished());
    const qint64 pidMuerto = muerto.processId();
    QFile cerrojo(FRuntime->filePath(QString("pinaco-%1.lock").arg(getuid())));
    QVERIFY(cerrojo.open(QIODevice::WriteOnly));
    cerrojo.write(QByteArray::number(pidMuerto) + "\npinaco\n" +
                  QSysInfo::machineHostName().toUtf8() + "\n");
    cerrojo.close();
    QFile socket(Socket());
    QVERIFY(socket.open(QIODevice::WriteOnly));
    socket.close();

    QProcess* primero = Arrancar();
    QVERIFY(primero->waitForStarted());
    QTest::qWait(500);
    QCOMPARE(primero->state(), QProcess::Running);
    QProcess* segundo = Arrancar();
    QVERIFY(segundo->waitForFinished(10000));
    QCOMPARE(segundo->exitCode(), 0);
    QCOMPARE(primero->state(), QProcess::Running);
    ::kill(pid_t(primero->processId()), SIGTERM);
    QVERIFY(primero->waitForFinished(10000));
    QCOMPARE(primero->exitCode(), 0);
}

void TestPrograma::senalesCierranConEstadoCero_data() {
    QTest::addColumn<int>("senal");
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void TestPrograma::senalesCierranConEstadoCero() {
    QFETCH(int, senal);
    QProcess* p = Arrancar();
    QVERIFY(EsperarEscucha());
    ::kill(pid_t(p->processId()), senal);
    QVERIFY(p->waitForFinished(10000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
}

// Whenever a stop signal comes, before, during or after the start-up has read the files,
// what the board stores afterwards is what it read: never its defaults.
void TestPrograma::senalDuranteElArranqueNoBorraNada_data() {
    QTest::addColumn<int>("senal");
    QTest::addColumn<int>("demora");
    for (const int demora : {0, 20, 50, 80, 95, 110, 125, 140, 160, 200, 300, 1000})
        QTest::addRow("SIGTERM %d ms", demora) << SIGTERM << demora;
    QTest::newRow("SIGINT 25 ms") << SIGINT << 25;
    QTest::newRow("SIGHUP 25 ms") << SIGHUP << 25;
}

void TestPrograma::senalDuranteElArranqueNoBorraNada() {
    QFETCH(int, senal);
    QFETCH(int, demora);
    const QByteArray notas = "PINACO_NOTAS_BD_3.0\r\n40\r\n70\r\n120\r\n160\r\n2\r\n1\r\n2\r\n"
                             "2024\r\n4\r\n5\r\n2999\r\n0000\r\nDejaVu Sans\r\n9\r\n0\r\n"
                             "\r\n\r\n\r\n1\r\nComprar pan\r\n";
    const QByteArray libreta = "10.0.0.7\r\nOficina\r\n2223\r\n1\r\n"
                               "*.*.*.*\r\n(Desconocido)\r\n2222\r\n0\r\n";
    const QString dat = FCarpeta->filePath("pinaco.DAT");
    const QString net = FCarpeta->filePath("pinaco.NET");
    for (const auto& [ruta, bytes] : {std::pair{dat, notas}, std::pair{net, libreta}}) {
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    const QString conf = FConfig->filePath("Morvanti/Pinaco.conf");
    {
        QSettings ajustes(conf, QSettings::IniFormat);
        for (const auto& [clave, valor] : {std::pair{"TipoPinaco", "2"},
                                           {"LastLeft", "100"},
                                           {"LastTop", "90"},
                                           {"LastWidth", "500"},
                                           {"LastHeight", "400"},
                                           {"ServerActivo", "0"}})
            ajustes.setValue(clave, valor);
    }

    QProcess* p = Arrancar();
    QVERIFY(p->waitForStarted());
    QTest::qSleep(demora);
    ::kill(pid_t(p->processId()), senal);
    QVERIFY(p->waitForFinished(10000));
    // A signal that beats the handlers ends the program before it has touched anything.
    if (p->exitStatus() == QProcess::NormalExit)
        QCOMPARE(p->exitCode(), 0);

    auto bytesDe = [](const QString& ruta) {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    QCOMPARE(bytesDe(dat), notas);
    QCOMPARE(bytesDe(net), libreta);
    QSettings ajustes(conf, QSettings::IniFormat);
    QCOMPARE(ajustes.value("TipoPinaco").toString(), QString("2"));
    QCOMPARE(ajustes.value("LastLeft").toString(), QString("100"));
    QCOMPARE(ajustes.value("LastTop").toString(), QString("90"));
}

QTEST_GUILESS_MAIN(TestPrograma)
#include "test_programa.moc"
