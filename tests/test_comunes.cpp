#include "core/Cp1252.h"
#include "core/PantallasTablero.h"
#include "core/UnitComunes.h"

#include <QtTest>

class TestComunes : public QObject {
    Q_OBJECT
private slots:
    void fechas();
    void textos();
    void ipValida();
    void cp1252();
    void tableroEnPantalla_data();
    void tableroEnPantalla();
};

// Plain numbers, not calendar dates: a month 13 still compares. Flood control's test reads
// the three outcomes through the seconds between two moments.
void TestComunes::fechas() {
    QCOMPARE(CompararFechas(1, 13, 2004, 31, 12, 2004), 1);
    QCOMPARE(CompararFechas(31, 12, 1999, 1, 1, 2000), -1);
}

void TestComunes::textos() {
    // Lower-case acute vowels lose the accent; other accented letters stay as they are.
    QCOMPARE(Normalizar("Año señal áéíóú Á ü ç, z 9!"), QString("AÑO SEÑAL AEIOU Á ü ç, Z 9!"));
    QCOMPARE(int(MesDeTexto("aGo")), 8);
    for (const char* malo : {"Dic ", "Enero", "", "12"})
        QCOMPARE(int(MesDeTexto(malo)), 0);
    QVERIFY(EsNumero(QString()) && EsNumero("0123456789"));
    QVERIFY(!EsNumero("12a") && !EsNumero("-1") && !EsNumero("٣"));
}

void TestComunes::ipValida() {
    for (const QString& ip : QString("192.168.*.*;1..2.3;001.002.003.004;0*.1.1.1").split(';'))
        QVERIFY2(IPValida(ip), qPrintable(ip));
    for (const QString& ip : QString("192.168.1.256;1.2.3;1.2.3.4.5;1.2.3.a;;*1.1.1.1;**.1.1.1;"
                                     "1.1.1.99999999999999999999;1.1.1.1 ")
                                 .split(';'))
        QVERIFY2(!IPValida(ip), qPrintable(ip));
}

// Every byte through a file and back is the data files' tests; here the mapping and what
// cannot be stored.
void TestComunes::cp1252() {
    QCOMPARE(Cp1252::Decodificar("\x80\x81"), QStringView(u"€\u0081")); // undefined: itself
    for (const QString& malo : {QString("emoji 😀"), QString(QChar(0x0100))})
        QVERIFY2(!Cp1252::Codificar(malo).has_value(), qPrintable(malo));
    QCOMPARE(Cp1252::PrimeroNoGuardable("ab→c"), 2);
    QCOMPARE(Cp1252::PrimeroNoGuardable("Año €"), -1);
    // Windows-1252 holds Ctrl-Z, but it ends the data files.
    QCOMPARE(Cp1252::PrimeroNoGuardable(QString("ab\x1A")), 2);
}

QTEST_APPLESS_MAIN(TestComunes)
void TestComunes::tableroEnPantalla_data() {
    QTest::addColumn<QList<QRect>>("pantallas");
    QTest::addColumn<QRect>("guardado");
    QTest::addColumn<QRect>("visible");
    const QRect principal(0, 0, 1920, 1080), derecha(1920, 0, 1280, 1024),
        izquierda(-1280, 0, 1280, 1024);
    QTest::newRow("on the second screen: kept")
        << QList{principal, derecha} << QRect(2000, 100, 500, 400) << QRect(2000, 100, 500, 400);
    QTest::newRow("on a screen left of the first: kept")
        << QList{principal, izquierda} << QRect(-1000, 50, 500, 400) << QRect(-1000, 50, 500, 400);
    QTest::newRow("mostly on the second: that screen's rule")
        << QList{principal, derecha} << QRect(1800, 900, 500, 400) << QRect(1920, 900, 500, 400);
    QTest::newRow("its screen gone: onto the first")
        << QList{principal} << QRect(2000, 100, 500, 400) << QRect(1870, 100, 500, 400);
    QTest::newRow("too large and too small")
        << QList{derecha} << QRect(1920, 0, 5000, 10) << QRect(1920, 0, 1280, 300);
}

void TestComunes::tableroEnPantalla() {
    QFETCH(QList<QRect>, pantallas);
    QFETCH(QRect, guardado);
    QFETCH(QRect, visible);
    QCOMPARE(TableroVisible(guardado, pantallas, QSize(400, 300)), visible);
}

#include "test_comunes.moc"
