// A second start hands its request, and its activation token where the board asks for it,
// to the running board.
#include "app/InstanciaUnica.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>
#include <unistd.h>

class TestInstanciaUnica : public QObject {
    Q_OBJECT
private slots:
    void testigoAlTablero_data();
    void testigoAlTablero();
    void tableroAntiguoSoloRecibeLaPeticion();

private:
    // Runs a second start in a thread of its own, as the board answers on this one; true when
    // it handed over and ended.
    bool SegundoArranque(const QString& carpeta, const QByteArray& testigo) {
        bool entregado = false;
        std::unique_ptr<QThread> hilo(QThread::create([&] {
            InstanciaUnica segundo(carpeta);
            entregado = !segundo.Iniciar(testigo);
        }));
        hilo->start();
        if (!QTest::qWaitFor([&] { return hilo->isFinished(); }, 10000))
            qFatal("the second start hangs");
        return entregado;
    }
};

void TestInstanciaUnica::testigoAlTablero_data() {
    QTest::addColumn<bool>("pide");
    QTest::addColumn<QByteArray>("testigo");
    QTest::addColumn<QByteArray>("recibido");
    const QByteArray largo(300, 'a');
    QTest::newRow("pedido") << true << QByteArray("sway-1f3e_9:x") << QByteArray("sway-1f3e_9:x");
    QTest::newRow("sin testigo") << true << QByteArray() << QByteArray();
    QTest::newRow("no pedido") << false << QByteArray("kwin-12") << QByteArray();
    QTest::newRow("con espacio") << true << QByteArray("a b") << QByteArray();
    QTest::newRow("con salto") << true << QByteArray("a\nb") << QByteArray();
    QTest::newRow("demasiado largo") << true << largo << QByteArray();
}

void TestInstanciaUnica::testigoAlTablero() {
    QFETCH(bool, pide);
    QFETCH(QByteArray, testigo);
    QFETCH(QByteArray, recibido);
    QTemporaryDir carpeta;
    InstanciaUnica tablero(carpeta.path());
    tablero.PedirTestigo(pide);
    QVERIFY(tablero.Iniciar());
    QSignalSpy peticiones(&tablero, &InstanciaUnica::PeticionMostrar);

    QVERIFY(SegundoArranque(carpeta.path(), testigo));
    QTRY_COMPARE(peticiones.size(), 1);
    QCOMPARE(peticiones.at(0).at(0).toByteArray(), recibido);
    QTest::qWait(50);
    QCOMPARE(peticiones.size(), 1);
}

// A board of an older version reads one request line and answers nothing: that line must
// come alone, and the second start must not wait on it for long.
void TestInstanciaUnica::tableroAntiguoSoloRecibeLaPeticion() {
    QTemporaryDir carpeta;
    QLocalServer antiguo;
    QVERIFY(antiguo.listen(carpeta.filePath(QStringLiteral("pinaco-%1.sock").arg(getuid()))));
    QByteArray leido;
    connect(&antiguo, &QLocalServer::newConnection, this, [&] {
        QLocalSocket* s = antiguo.nextPendingConnection();
        connect(s, &QLocalSocket::readyRead, this, [&leido, s] { leido += s->readAll(); });
    });
    QElapsedTimer reloj;
    reloj.start();
    QVERIFY(SegundoArranque(carpeta.path(), "sway-1f3e"));
    QVERIFY(reloj.elapsed() < 5 * InstanciaUnica::kEsperaTestigoMs);
    QTest::qWait(50);
    QCOMPARE(leido, QByteArray::number(InstanciaUnica::kMensajeMostrar, 16) + '\n');
}

QTEST_GUILESS_MAIN(TestInstanciaUnica)
#include "test_instanciaunica.moc"
