// The rules the note dialogs follow, on records alone.
#include "core/NotasCaducadas.h"
#include "core/OrdenNotas.h"

#include "tests/NotasFalsas.h"

#include <QtTest>

class TestReglasNotas : public QObject {
    Q_OBJECT
private slots:
    void organizar_data();
    void organizar();
    void caducadas_data();
    void caducadas();
};

void TestReglasNotas::organizar_data() {
    QTest::addColumn<bool>("porCreacion");
    QTest::addColumn<bool>("ascendente");
    QTest::addColumn<QStringList>("esperado"); // head first
    // The January note is due in a later year on an earlier day and month; the others tie.
    QTest::newRow("creación asc") << true << true << QStringList{"enero", "febrero", "marzo"};
    QTest::newRow("creación desc") << true << false << QStringList{"marzo", "febrero", "enero"};
    QTest::newRow("límite asc, iguales en su orden")
        << false << true << QStringList{"marzo", "febrero", "enero"};
    QTest::newRow("límite desc, iguales en su orden")
        << false << false << QStringList{"enero", "marzo", "febrero"};
}

void TestReglasNotas::organizar() {
    QFETCH(bool, porCreacion);
    QFETCH(bool, ascendente);
    const QList<DatosNota> notas = {NotaConFechas("marzo", QDate(2001, 3, 3), QDate(2001, 6, 1)),
                                    NotaConFechas("enero", QDate(2001, 1, 1), QDate(2002, 1, 1)),
                                    NotaConFechas("febrero", QDate(2001, 2, 2), QDate(2001, 6, 1))};
    QStringList orden;
    for (const qsizetype i : OrdenOrganizado(notas, porCreacion, ascendente))
        orden.append(notas[i].Texto);
    QTEST(orden, "esperado");
}

void TestReglasNotas::caducadas_data() {
    QTest::addColumn<QList<QDate>>("limites");
    QTest::addColumn<QList<bool>>("caducadas");
    const QDate hoy(2026, 3, 4);
    QTest::newRow("ninguna") << QList<QDate>{} << QList<bool>{};
    QTest::newRow("mañana, el año que viene")
        << QList<QDate>{hoy.addDays(1), QDate(2027, 1, 1)} << QList<bool>{false, false};
    QTest::newRow("hoy, tras una de mañana")
        << QList<QDate>{hoy.addDays(1), hoy} << QList<bool>{false, true};
    // A zero date, as a sender may leave it, is long past.
    QTest::newRow("ayer, sin fecha")
        << QList<QDate>{hoy.addDays(-1), QDate()} << QList<bool>{true, true};
}

// Due today or earlier; the dialog opens when any note is.
void TestReglasNotas::caducadas() {
    QFETCH(QList<QDate>, limites);
    QFETCH(QList<bool>, caducadas);
    const QDate hoy(2026, 3, 4);
    QList<RegistroNota> notas;
    QList<bool> vistas;
    for (const QDate& limite : limites) {
        notas.append({notas.size(), NotaConFechas("x", hoy, limite)});
        vistas.append(NotaCaducada(notas.last().Datos, hoy));
    }
    QCOMPARE(vistas, caducadas);
    QCOMPARE(HayNotasCaducadas(notas, hoy), caducadas.contains(true));
}

QTEST_MAIN(TestReglasNotas)
#include "test_reglasnotas.moc"
