// When the autosave falls, driven tick by tick.
#include "core/Autoguardado.h"

#include <QThread>
#include <QtTest>

namespace {

QList<int> Cada(int desde, int paso, int hasta) {
    QList<int> segundos;
    for (int s = desde; s <= hasta; s += paso)
        segundos.append(s);
    return segundos;
}

} // namespace

class TestAutoguardado : public QObject {
    Q_OBJECT
private slots:
    void ningunCambioEsperaMasDe300_data();
    void ningunCambioEsperaMasDe300();
    void elRelojLlevaLaCuenta();
};

void TestAutoguardado::ningunCambioEsperaMasDe300_data() {
    QTest::addColumn<QList<int>>("cambios");
    QTest::addColumn<QList<int>>("entrantes");
    QTest::addColumn<int>("hasta");
    QTest::addColumn<QList<int>>("guardados");
    QTest::newRow("300 s de calma tras un cambio")
        << QList<int>{0} << QList<int>{} << 700 << QList<int>{300};
    QTest::newRow("un cambio cada 120 s")
        << Cada(0, 120, 480) << QList<int>{} << 700 << QList<int>{300, 660};
    QTest::newRow("NOTA_BEGIN cada 20 s")
        << QList<int>{} << Cada(0, 20, 280) << 300 << Cada(30, 40, 300);
    QTest::newRow("NOTA_BEGIN con un cambio pendiente")
        << QList<int>{0} << QList<int>{280} << 400 << QList<int>{300};
    QTest::newRow("NOTA_BEGIN solo") << QList<int>{} << QList<int>{0} << 400 << QList<int>{30};
    QTest::newRow("la nota recibida creada tras NOTA_BEGIN")
        << QList<int>{10} << QList<int>{0} << 400 << QList<int>{30};
}

// A save 300 s after the first unsaved change at the latest; the start of an incoming note
// brings it to 30 s later when that is sooner.
void TestAutoguardado::ningunCambioEsperaMasDe300() {
    QFETCH(QList<int>, cambios);
    QFETCH(QList<int>, entrantes);
    QFETCH(int, hasta);
    QFETCH(QList<int>, guardados);
    QTimer reloj;
    Autoguardado autoguardado(reloj);
    int segundo = 0;
    QList<int> vistos;
    connect(&autoguardado, &Autoguardado::GuardadoDebido, this, [&] { vistos.append(segundo); });
    while (segundo < hasta) {
        if (cambios.contains(segundo))
            autoguardado.Cambio();
        if (entrantes.contains(segundo))
            autoguardado.NotaEntrante();
        ++segundo;
        autoguardado.Tic();
    }
    QCOMPARE(vistos, guardados);
    QCOMPARE(reloj.isActive(), autoguardado.Pendiente());
}

// The tick source brings the save; changes faster than a tick leave it running as it was.
void TestAutoguardado::elRelojLlevaLaCuenta() {
    QTimer reloj;
    reloj.setTimerType(Qt::PreciseTimer);
    Autoguardado autoguardado(reloj);
    autoguardado.Cambio();
    QThread::msleep(200);
    autoguardado.Cambio();
    autoguardado.NotaEntrante();
    QVERIFY(reloj.isActive());
    QVERIFY(reloj.remainingTime() < 900);
    QSignalSpy debido(&autoguardado, &Autoguardado::GuardadoDebido);
    reloj.start(1);
    QVERIFY(debido.wait());
    QVERIFY(!autoguardado.Pendiente());
}

QTEST_GUILESS_MAIN(TestAutoguardado)
#include "test_autoguardado.moc"
