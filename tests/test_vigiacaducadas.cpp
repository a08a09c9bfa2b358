// Notes that come due while the board runs: the rule at each change of date, and the watch
// that looks at the clock.
#include "core/VigiaCaducadas.h"

#include "tests/NotasFalsas.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>
#include <algorithm>

namespace {

const QDate kDia(2030, 3, 10);

// Due kDia + dias; the id is the day, a second note of the day gets 100 more.
QList<RegistroNota> Notas() {
    QList<RegistroNota> notas;
    for (int dias : {-2, -1, 0, 1, 2, 3, 1})
        notas.append({IdNota(dias + (notas.size() == 6 ? 100 : 0)),
                      NotaConFechas(QString::number(dias), kDia.addDays(-9), kDia.addDays(dias))});
    return notas;
}

using Anuncios = QList<QList<IdNota>>;

} // namespace

class TestVigiaCaducadas : public QObject {
    Q_OBJECT
private slots:
    void regla_data();
    void regla();
    void medianocheAnunciaConElReloj();
    void relojMiradoTrasDormir();
    void detenidaNoAnuncia();
};

void TestVigiaCaducadas::regla_data() {
    QTest::addColumn<QList<int>>("dias"); // the dates the clock tells, one look each
    QTest::addColumn<Anuncios>("anuncios");
    QTest::newRow("medianoche") << QList<int>{1} << Anuncios{{1, 101}};
    QTest::newRow("dos dias adelante") << QList<int>{2} << Anuncios{{1, 2, 101}};
    QTest::newRow("un anio adelante") << QList<int>{400} << Anuncios{{1, 2, 3, 101}};
    QTest::newRow("mismo dia dos veces") << QList<int>{1, 1} << Anuncios{{1, 101}, {}};
    QTest::newRow("dia a dia") << QList<int>{1, 2, 3, 4} << Anuncios{{1, 101}, {2}, {3}, {}};
    QTest::newRow("reloj atrasado") << QList<int>{-1} << Anuncios{{}};
    // What the start-up showed that day is not shown again.
    QTest::newRow("atrasado y vuelta al dia") << QList<int>{-1, 0} << Anuncios{{}, {}};
    QTest::newRow("atrasado y luego medianoche")
        << QList<int>{-1, 0, 1} << Anuncios{{}, {}, {1, 101}};
    QTest::newRow("adelante, atrasado y adelante")
        << QList<int>{1, 0, 1} << Anuncios{{1, 101}, {}, {}};
    QTest::newRow("adelante, atrasado y mas adelante")
        << QList<int>{1, 0, 2} << Anuncios{{1, 101}, {}, {1, 2, 101}};
    // Another day: what falls due then is announced, though the start-up had shown it.
    QTest::newRow("atrasado dos y adelante uno") << QList<int>{-2, -1} << Anuncios{{}, {-1}};
}

void TestVigiaCaducadas::regla() {
    QFETCH(QList<int>, dias);
    QFETCH(Anuncios, anuncios);
    const QList<RegistroNota> notas = Notas();
    EstadoVigia estado = EstadoInicial(kDia, RecorrerRegistros([&] { return notas; }));
    Anuncios vistos;
    for (int dias : dias) {
        DecisionVigia decision =
            DecidirCaducadas(estado, kDia.addDays(dias), RecorrerRegistros([&] { return notas; }));
        QCOMPARE(decision.Estado.UltimaComprobada, kDia.addDays(dias));
        estado = decision.Estado;
        QList<IdNota> ids = decision.Anunciar;
        std::sort(ids.begin(), ids.end());
        vistos.append(ids);
    }
    QCOMPARE(vistos, anuncios);
}

// A clock running a little before midnight: the midnight timer alone announces the new day,
// and arms itself for the next one.
void TestVigiaCaducadas::medianocheAnunciaConElReloj() {
    QElapsedTimer corrido;
    corrido.start();
    const QDateTime inicio(kDia, QTime(23, 59, 59, 800));
    VigiaCaducadas vigia(RecorrerRegistros([] { return Notas(); }));
    vigia.FijarReloj([&] { return inicio.addMSecs(corrido.elapsed()); });
    vigia.Iniciar(kDia);
    vigia.TimerReloj.stop();
    QSignalSpy anuncios(&vigia, &VigiaCaducadas::NotasCaducadas);
    QVERIFY(anuncios.wait(2000));
    QCOMPARE(anuncios.at(0).at(0).value<QList<IdNota>>(), (QList<IdNota>{1, 101}));
    QCOMPARE(vigia.UltimaComprobada(), kDia.addDays(1));
    QVERIFY(vigia.TimerMedianoche.interval() > 23 * 3600 * 1000);
}

// Two days asleep: the periodic look finds both days, once; a note added meanwhile counts.
void TestVigiaCaducadas::relojMiradoTrasDormir() {
    QDateTime ahora(kDia, QTime(22, 0));
    QList<RegistroNota> notas = Notas();
    VigiaCaducadas vigia(RecorrerRegistros([&] { return notas; }));
    vigia.FijarReloj([&] { return ahora; });
    vigia.Iniciar(kDia);
    notas.append({7, NotaConFechas("nueva", kDia, kDia.addDays(2))});
    QSignalSpy anuncios(&vigia, &VigiaCaducadas::NotasCaducadas);
    vigia.TimerReloj.setInterval(5);
    QTest::qWait(30);
    QCOMPARE(anuncios.count(), 0);
    ahora = QDateTime(kDia.addDays(2), QTime(9, 30));
    QVERIFY(anuncios.wait(1000));
    QCOMPARE(anuncios.at(0).at(0).value<QList<IdNota>>(), (QList<IdNota>{1, 2, 101, 7}));
    QTest::qWait(30);
    QCOMPARE(anuncios.count(), 1);
    QCOMPARE(vigia.TimerMedianoche.interval(), (14 * 3600 + 30 * 60) * 1000 + 50);
}

void TestVigiaCaducadas::detenidaNoAnuncia() {
    QDateTime ahora(kDia, QTime(22, 0));
    VigiaCaducadas vigia(RecorrerRegistros([] { return Notas(); }));
    vigia.FijarReloj([&] { return ahora; });
    QSignalSpy anuncios(&vigia, &VigiaCaducadas::NotasCaducadas);
    ahora = ahora.addDays(1);
    // Not started yet: the board is still loading.
    vigia.Comprobar();
    vigia.Iniciar(kDia);
    vigia.Detener();
    QVERIFY(!vigia.TimerMedianoche.isActive() && !vigia.TimerReloj.isActive());
    vigia.Comprobar();
    QCOMPARE(anuncios.count(), 0);
    vigia.Iniciar(kDia);
    vigia.Comprobar();
    QCOMPARE(anuncios.count(), 1);
}

QTEST_GUILESS_MAIN(TestVigiaCaducadas)
#include "test_vigiacaducadas.moc"
