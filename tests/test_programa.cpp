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

QTEST_GUILESS_MAIN(TestPrograma)
#include "test_programa.moc"
