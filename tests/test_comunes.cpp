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
    void tableroEnPantalla();
};

// Plain numbers, not calendar dates: a month 13 still compares.
void TestComunes::fechas() {
    QCOMPARE(CompararFechas(1, 13, 2004, 31, 12, 2004), 1);
}

void TestComunes::textos() {
    // Lower-case acute vowels lose the accent; other accented letters stay as they are.
    QCOMPARE(Normalizar("Año señal áéíóú Á ü ç, z 9!"), QString("AÑO SEÑAL AEIOU Á ü ç, Z 9!"));
    QCOMPARE(int(MesDeTexto("aGo")), 8);
    QVERIFY(!MesDeTexto("Dic ") && !MesDeTexto("Enero") && !MesDeTexto("") && !MesDeTexto("12"));
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

// Every byte through a file and back, and what cannot be stored, are the data files' and the
// note editor's tests; here the mapping where it is not Latin-1.
void TestComunes::cp1252() {
    QCOMPARE(Cp1252::Decodificar("\x80\x81"), QStringView(u"€\u0081")); // undefined: itself
    QCOMPARE(Cp1252::PrimeroNoGuardable("Año €"), -1);
}

// Where a saved board shows on the screens there are now; 400 x 300 is its smallest size.
void TestComunes::tableroEnPantalla() {
    const QSize minimo(400, 300);
    QCOMPARE(TableroVisible(QRect(2000, 100, 500, 400), {QRect(0, 0, 1920, 1080)}, minimo),
             QRect(1870, 100, 500, 400));
    QCOMPARE(TableroVisible(QRect(1920, 0, 5000, 10), {QRect(1920, 0, 1280, 1024)}, minimo),
             QRect(1920, 0, 1280, 300));
}

QTEST_APPLESS_MAIN(TestComunes)
#include "test_comunes.moc"
