#include "core/MarcasTiempo.h"
#include "net/ControlAbuso.h"
#include "net/SesionNota.h"

#include <QtTest>

namespace {

const QString kIP = QStringLiteral("192.168.0.7");

// A clock the test moves by hand.
struct RelojDePrueba {
    QDateTime ahora;
    Reloj reloj() {
        return [this] { return ahora; };
    }
};

ReglasAbuso Reglas(bool temporal) {
    ReglasAbuso reglas;
    reglas.HabilitarNumMaxNotas = true;
    reglas.Modo = {!temporal, temporal, 5};
    return reglas;
}

} // namespace

class TestControlAbuso : public QObject {
    Q_OBJECT
private slots:
    void segundosEntre_data();
    void segundosEntre();
    void ventanaDeslizante_data();
    void ventanaDeslizante();
    void soloSeCuentaLaEntradaPropia_data();
    void soloSeCuentaLaEntradaPropia();
    void restitucion_data();
    void restitucion();
};

void TestControlAbuso::segundosEntre_data() {
    QTest::addColumn<QString>("fecha1");
    QTest::addColumn<QString>("hora1");
    QTest::addColumn<QString>("fecha2");
    QTest::addColumn<QString>("hora2");
    QTest::addColumn<qint64>("segundos");
    QTest::newRow("mismo dia") << "05-01-2000"
                               << "14:03:22"
                               << "05-01-2000"
                               << "14:02:20" << qint64(62);
    QTest::newRow("medianoche") << "02-03-2004"
                                << "00:00:05"
                                << "01-03-2004"
                                << "23:59:55" << qint64(10);
    QTest::newRow("febrero bisiesto de 28 dias") << "01-03-2004"
                                                 << "00:00:30"
                                                 << "28-02-2004"
                                                 << "23:59:30" << qint64(60);
    QTest::newRow("fin de anio") << "01-01-2000"
                                 << "00:00:10"
                                 << "31-12-1999"
                                 << "23:59:50" << qint64(20);
    QTest::newRow("dos dias") << "03-01-2000"
                              << "12:00:00"
                              << "01-01-2000"
                              << "12:00:01" << qint64(172799);
    QTest::newRow("fin de mes de 30") << "01-05-2000"
                                      << "00:00:00"
                                      << "30-04-2000"
                                      << "00:00:00" << qint64(86400);
    QTest::newRow("reloj atrasado, mismo dia") << "05-01-2000"
                                               << "14:00:00"
                                               << "05-01-2000"
                                               << "14:00:01" << qint64(0);
    QTest::newRow("reloj atrasado un dia") << "04-01-2000"
                                           << "23:00:00"
                                           << "05-01-2000"
                                           << "01:00:00" << qint64(0);
    QTest::newRow("mismo momento") << "05-01-2000"
                                   << "14:00:00"
                                   << "05-01-2000"
                                   << "14:00:00" << qint64(0);
    QTest::newRow("setenta anios sin desborde") << "01-01-2070"
                                                << "00:00:00"
                                                << "01-01-2000"
                                                << "00:00:00" << qint64(70) * 365 * 86400;
}

void TestControlAbuso::segundosEntre() {
    QFETCH(QString, fecha1);
    QFETCH(QString, hora1);
    QFETCH(QString, fecha2);
    QFETCH(QString, hora2);
    QFETCH(qint64, segundos);
    QCOMPARE(SegundosEntre(fecha1, hora1, fecha2, hora2), segundos);
}

// Arrivals at offsets in seconds from a start moment; NumMaxNotas 5, NumMinSegundos 60.
void TestControlAbuso::ventanaDeslizante_data() {
    QTest::addColumn<QDateTime>("inicio");
    QTest::addColumn<QList<int>>("llegadas");
    QTest::addColumn<int>("retiradaEn"); // index of the arrival that withdraws, -1 none
    const QDateTime manana(QDate(2000, 1, 5), QTime(10, 0, 0));
    QTest::newRow("cinco en diez segundos") << manana << QList<int>{0, 2, 4, 6, 8} << -1;
    QTest::newRow("sexta antes de 60") << manana << QList<int>{0, 1, 2, 3, 4, 59} << 5;
    QTest::newRow("sexta a los 60") << manana << QList<int>{0, 1, 2, 3, 4, 60, 120} << -1;
    QTest::newRow("la ventana se desliza") << manana << QList<int>{0, 10, 20, 30, 40, 60, 65} << 6;
    QTest::newRow("reloj atrasado") << manana << QList<int>{0, 1, 2, 3, 4, -3600} << 5;
    QTest::newRow("cruzando medianoche") << QDateTime(QDate(2004, 2, 28), QTime(23, 59, 40))
                                         << QList<int>{0, 5, 10, 15, 20, 50} << 5;
    QTest::newRow("cruzando fin de anio, lenta") << QDateTime(QDate(1999, 12, 31), QTime(23, 59, 0))
                                                 << QList<int>{0, 5, 10, 15, 20, 60} << -1;
}

void TestControlAbuso::ventanaDeslizante() {
    QFETCH(QDateTime, inicio);
    QFETCH(QList<int>, llegadas);
    QFETCH(int, retiradaEn);
    for (const bool temporal : {false, true}) {
        ListaIP lista;
        lista.AddIP(kIP, QStringLiteral("Oficina"), true, 2222);
        RelojDePrueba reloj;
        ControlAbuso control(lista, reloj.reloj());
        int retirada = -1;
        for (int i = 0; i < llegadas.size() && retirada < 0; ++i) {
            reloj.ahora = inicio.addSecs(llegadas[i]);
            if (control.ControlarAbuso(kIP, Reglas(temporal)))
                retirada = i;
        }
        QCOMPARE(retirada, retiradaEn);
        const nodoListaIP& entrada = *lista.BuscarIP(kIP);
        QCOMPARE(entrada.Permitido, retiradaEn < 0);
        QVERIFY(entrada.NotasRecibidas.size() <= 5);
        if (retiradaEn < 0)
            continue;
        // Both modes record the moment, so the sender hears why at its CIAO; only a
        // temporary one keeps the time the restoration counts from.
        QCOMPARE(entrada.FechaRetiro, FechaTexto(reloj.ahora.date()));
        QCOMPARE(entrada.HoraRetiro, temporal ? HoraTexto(reloj.ahora.time()) : QString());
        QCOMPARE(
            RespuestaCiao(&entrada, Reglas(temporal).Modo),
            QByteArray(temporal ? "CIAO_ACK_NOT_ALLOWED_FOR:5" : "CIAO_ACK_NOT_ALLOWED_ANYMORE"));
    }
}

void TestControlAbuso::soloSeCuentaLaEntradaPropia_data() {
    QTest::addColumn<bool>("habilitado");
    QTest::addColumn<QString>("ipPropia");
    QTest::addColumn<bool>("retirado");
    QTest::newRow("control apagado") << false << kIP << false;
    QTest::newRow("entrada propia") << true << kIP << true;
    QTest::newRow("solo el comodin la admite") << true << QStringLiteral("10.0.0.1") << false;
}

void TestControlAbuso::soloSeCuentaLaEntradaPropia() {
    QFETCH(bool, habilitado);
    QFETCH(QString, ipPropia);
    QFETCH(bool, retirado);
    ListaIP lista;
    lista.AddIP(ipPropia, QString(), true, 2222);
    lista.AddIP(kIPComodin, kNombreComodin, true, 2222);
    RelojDePrueba reloj{QDateTime(QDate(2000, 1, 5), QTime(10, 0, 0))};
    ControlAbuso control(lista, reloj.reloj());
    ReglasAbuso reglas = Reglas(false);
    reglas.HabilitarNumMaxNotas = habilitado;
    for (int i = 0; i < 10; ++i)
        control.ControlarAbuso(kIP, reglas);
    QCOMPARE(!lista.BuscarIP(ipPropia)->Permitido, retirado);
    QVERIFY(lista.IPPermitida(kIP)); // the accepted wildcard still admits it
    for (const nodoListaIP& entrada : lista.Entradas())
        if (entrada.IP != kIP)
            QVERIFY(entrada.NotasRecibidas.isEmpty() && entrada.Permitido);
}

// A withdrawal at 23:58:00 on 31-12-1999 with 5 minutes; a tick at some seconds later.
void TestControlAbuso::restitucion_data() {
    QTest::addColumn<bool>("temporal");
    QTest::addColumn<int>("segundosDespues");
    QTest::addColumn<bool>("restituido");
    QTest::newRow("temporal, 285 s") << true << 285 << false;
    QTest::newRow("temporal, 300 s, otro anio") << true << 300 << true;
    QTest::newRow("temporal, reloj atrasado") << true << -600 << false;
    QTest::newRow("permanente, un dia") << false << 86400 << false;
}

void TestControlAbuso::restitucion() {
    QFETCH(bool, temporal);
    QFETCH(int, segundosDespues);
    QFETCH(bool, restituido);
    ListaIP lista;
    lista.AddIP(QStringLiteral("10.0.0.2"), QString(), false, 2222); // withdrawn by hand
    lista.AddIP(kIP, QStringLiteral("Oficina"), true, 2222);
    const QDateTime retiro(QDate(1999, 12, 31), QTime(23, 58, 0));
    RelojDePrueba reloj{retiro};
    ControlAbuso control(lista, reloj.reloj());
    for (int i = 0; i < 6; ++i)
        control.ControlarAbuso(kIP, Reglas(temporal));
    QVERIFY(!lista.PermisoExactoIP(kIP));

    reloj.ahora = retiro.addSecs(segundosDespues);
    const ResultadoRestitucion tick = control.RestituirTemporales(5);
    QCOMPARE(lista.PermisoExactoIP(kIP), restituido);
    QCOMPARE(tick.Restituidos.size(), restituido ? 1 : 0);
    QCOMPARE(tick.Pendiente, temporal); // a restored entry still counts this tick
    QVERIFY(!lista.PermisoExactoIP(QStringLiteral("10.0.0.2")));
    if (restituido) {
        QCOMPARE(tick.Restituidos[0].Fecha, QStringLiteral("01-01-2000"));
        QCOMPARE(tick.Restituidos[0].Hora, QStringLiteral("00:03:00"));
        QCOMPARE(tick.Restituidos[0].Nombre, QStringLiteral("Oficina"));
        QVERIFY(lista.BuscarIP(kIP)->FechaRetiro.isEmpty());
        // The next tick finds nothing pending: the timer stops.
        QVERIFY(!control.RestituirTemporales(5).Pendiente);
    }
}

QTEST_GUILESS_MAIN(TestControlAbuso)
#include "test_controlabuso.moc"
