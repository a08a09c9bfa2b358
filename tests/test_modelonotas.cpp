// The notes as records: the order the board stacks them in, and what each change signals.
#include "core/ModeloNotas.h"

#include <QSignalSpy>
#include <QtTest>

class TestModeloNotas : public QObject {
    Q_OBJECT
private slots:
    void operaciones_data();
    void operaciones();
    void registrosYGeometria();
};

void TestModeloNotas::operaciones_data() {
    // Three notes a, b, c are added first. Each step is an operation on the notes by letter;
    // "x" is an id no note has. The counts are of OrdenCambiado and Quitada after the adds.
    QTest::addColumn<QString>("pasos");
    QTest::addColumn<QString>("orden");
    QTest::addColumn<int>("cambiosDeOrden");
    QTest::addColumn<int>("quitadas");
    QTest::newRow("agregadas al final") << ""
                                        << "abc" << 0 << 0;
    QTest::newRow("al frente") << "frente:c"
                               << "cab" << 1 << 0;
    QTest::newRow("al frente la primera no cambia nada") << "frente:a"
                                                         << "abc" << 0 << 0;
    QTest::newRow("al frente una que no esta") << "frente:x"
                                               << "abc" << 0 << 0;
    QTest::newRow("la primera al fondo") << "fondo"
                                         << "bca" << 1 << 0;
    QTest::newRow("quitar") << "quitar:b"
                            << "ac" << 0 << 1;
    QTest::newRow("quitar dos veces") << "quitar:b quitar:b"
                                      << "ac" << 0 << 1;
    QTest::newRow("quitar todas") << "todas"
                                  << "" << 0 << 3;
    QTest::newRow("reordenar") << "orden:cab"
                               << "cab" << 1 << 0;
    QTest::newRow("el mismo orden no cambia nada") << "orden:abc"
                                                   << "abc" << 0 << 0;
    QTest::newRow("reordenar con una repetida") << "orden:aab"
                                                << "abc" << 0 << 0;
    QTest::newRow("reordenar con una de menos") << "orden:ab"
                                                << "abc" << 0 << 0;
    QTest::newRow("reordenar con una ajena") << "orden:abx"
                                             << "abc" << 0 << 0;
    QTest::newRow("reordenar con una quitada") << "quitar:c orden:cab"
                                               << "ab" << 0 << 1;
}

void TestModeloNotas::operaciones() {
    QFETCH(QString, pasos);
    QFETCH(QString, orden);
    QFETCH(int, cambiosDeOrden);
    QFETCH(int, quitadas);
    ModeloNotas modelo;
    QSignalSpy agregadas(&modelo, &ModeloNotas::Agregada);
    QHash<QChar, IdNota> ids{{'x', 999}};
    for (QChar letra : QStringLiteral("abc")) {
        DatosNota d;
        d.Texto = letra;
        ids[letra] = modelo.Agregar(d);
    }
    QCOMPARE(agregadas.count(), 3);
    QSignalSpy ordenes(&modelo, &ModeloNotas::OrdenCambiado);
    QSignalSpy quitas(&modelo, &ModeloNotas::Quitada);
    for (const QString& paso : pasos.split(' ', Qt::SkipEmptyParts)) {
        const QString op = paso.section(':', 0, 0);
        const QString arg = paso.section(':', 1);
        if (op == "frente")
            QCOMPARE(modelo.AlFrente(ids[arg[0]]), arg != "x");
        else if (op == "fondo")
            modelo.PrimeroAlFondo();
        else if (op == "quitar")
            modelo.Quitar(ids[arg[0]]);
        else if (op == "todas")
            modelo.QuitarTodas();
        else if (op == "orden") {
            QList<IdNota> nuevo;
            for (QChar letra : arg)
                nuevo << ids[letra];
            modelo.Reordenar(nuevo);
        }
    }
    QString visto;
    for (IdNota id : modelo.Orden())
        visto += modelo.Datos(id).Texto;
    QCOMPARE(visto, orden);
    QCOMPARE(modelo.Cuenta(), orden.size());
    QCOMPARE(ordenes.count(), cambiosDeOrden);
    QCOMPARE(quitas.count(), quitadas);
}

// What goes in comes out; a change that changes nothing is not one; a removed note's id is
// not given again.
void TestModeloNotas::registrosYGeometria() {
    ModeloNotas modelo;
    QSignalSpy cambiadas(&modelo, &ModeloNotas::Cambiada);
    DatosNota d;
    d.Texto = QStringLiteral("Llamar a Ana");
    const IdNota id = modelo.Agregar(d);
    QCOMPARE(modelo.Datos(id), d);
    QVERIFY(modelo.Cambiar(id, d));
    QCOMPARE(cambiadas.count(), 0);
    QVERIFY(modelo.CambiarGeometria(id, QRect(10, 20, 130, 170)));
    QCOMPARE(cambiadas.count(), 1);
    const DatosNota movida = modelo.Datos(id);
    QCOMPARE(QRect(movida.Left, movida.Top, movida.Width, movida.Height), QRect(10, 20, 130, 170));
    QCOMPARE(movida.Texto, d.Texto);
    const std::optional<DatosNota> quitada = modelo.Quitar(id);
    QVERIFY(quitada);
    QCOMPARE(*quitada, movida);
    QVERIFY(!modelo.Cambiar(id, d));
    QCOMPARE(modelo.Datos(id), DatosNota());
    QVERIFY(modelo.Agregar(d) != id);
}

QTEST_GUILESS_MAIN(TestModeloNotas)
#include "test_modelonotas.moc"
