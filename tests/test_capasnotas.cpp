// The layers that hold the board's notes: the same stacking as notes that are children of the
// board, clicks through where a layer has no note, and a bounded number of layers. That a
// board of many notes paints is in test_pinaco_notas.
#include "app/CapasNotas.h"
#include "notes/Nota.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// A board with a cork and frame pieces; its notes are named by their number.
struct Tablero {
    QWidget ventana;
    QWidget* corcho;
    QList<QWidget*> piezas;
    QList<QWidget*> notas;

    Tablero() {
        ventana.resize(400, 300);
        corcho = Hijo(&ventana, QStringLiteral("corcho"));
        corcho->setGeometry(ventana.rect());
        for (int i = 0; i < 3; ++i) {
            piezas.append(Hijo(&ventana, QStringLiteral("pieza%1").arg(i)));
            piezas.last()->setGeometry(100 * i, 0, 50, 30);
        }
    }
    static QWidget* Hijo(QWidget* padre, const QString& nombre) {
        auto* w = new QWidget(padre);
        w->setObjectName(nombre);
        w->show();
        return w;
    }
    QWidget* Nota(QWidget* padre) {
        QWidget* nota = Hijo(padre, QString::number(notas.size()));
        nota->setGeometry(int(notas.size() * 37 % 300), 30, 80, 100);
        notas.append(nota);
        return nota;
    }
};

QStringList Nombres(const QList<QWidget*>& widgets) {
    QStringList nombres;
    for (const QWidget* w : widgets)
        nombres.append(w->objectName());
    return nombres;
}

QList<QWidget*> HijosDe(const QWidget& ventana) {
    QList<QWidget*> hijos;
    for (QObject* o : ventana.children())
        if (auto* w = qobject_cast<QWidget*>(o))
            hijos.append(w);
    return hijos;
}

} // namespace

class TestCapasNotas : public QObject {
    Q_OBJECT
private slots:
    void apilanComoHijosDelTablero();
    void clicsAtraviesanLaCapaVacia();
};

void TestCapasNotas::apilanComoHijosDelTablero() {
    // The same steps on notes that are children of the board and on notes in layers, with
    // enough notes for several layers; the stacking must stay the same after every step.
    Tablero modelo, tablero;
    CapasNotas capas(&tablero.ventana);
    QRandomGenerator azar(8);
    const int cuantas = 3 * CapasNotas::kNotasPorCapa;
    for (int paso = 0; paso < 3000; ++paso) {
        const int accion = paso < cuantas ? int(azar.bounded(2)) : int(azar.bounded(2, 6));
        const int i = int(azar.bounded(qMax<qsizetype>(1, modelo.notas.size())));
        switch (accion) {
        case 0: // a new note on top
            modelo.Nota(&modelo.ventana)->raise();
            tablero.Nota(capas.CapaArriba());
            break;
        case 1: // a new note at the bottom
            modelo.Nota(&modelo.ventana)->lower();
            tablero.Nota(capas.CapaAbajo())->lower();
            break;
        case 2:
            modelo.notas[i]->raise();
            capas.AlFrente(tablero.notas[i]);
            break;
        case 3:
            modelo.notas[i]->lower();
            capas.AlFondo(tablero.notas[i]);
            break;
        case 4: // a piece to the front, then the cork to the back
        case 5:
            modelo.piezas[i % 3]->raise();
            tablero.piezas[i % 3]->raise();
            modelo.corcho->lower();
            tablero.corcho->lower();
            capas.Compactar();
            break;
        }
        QCOMPARE(Nombres(capas.Pila()), Nombres(HijosDe(modelo.ventana)));
    }
    // Neighbouring layers that would fit in one are one: a bounded number of layers.
    const qsizetype capasUsadas = HijosDe(tablero.ventana).size() - 4;
    QVERIFY2(capasUsadas <= 2 * cuantas / CapasNotas::kNotasPorCapa + 4,
             qPrintable(QString::number(capasUsadas)));
}

void TestCapasNotas::clicsAtraviesanLaCapaVacia() {
    Tablero tablero;
    CapasNotas capas(&tablero.ventana);
    auto* nota = new TNota(capas.CapaArriba());
    nota->setGeometry(100, 100, 120, 160);
    nota->show();
    tablero.ventana.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tablero.ventana));
    QWidget& v = tablero.ventana;
    QCOMPARE(v.childAt(150, 150), nota);
    QCOMPARE(v.childAt(50, 150), tablero.corcho);
    QCOMPARE(v.childAt(219, 100), tablero.corcho); // the note's cut corner
    QCOMPARE(v.childAt(110, 20), tablero.piezas[1]);
    // Moved, it takes the clicks where it went, above the pieces, and is painted there at
    // once; the old place goes back to the cork.
    nota->move(120, 10);
    QCOMPARE(v.childAt(130, 20), nota);
    QCOMPARE(v.grab().toImage().pixelColor(125, 40), nota->grab().toImage().pixelColor(5, 30));
    QCoreApplication::sendPostedEvents();
    QCOMPARE(v.childAt(150, 250), tablero.corcho);
    // At the bottom, beneath the cork and the pieces, and back.
    capas.AlFondo(nota);
    QCOMPARE(v.childAt(130, 20), tablero.piezas[1]);
    QCOMPARE(v.childAt(200, 60), tablero.corcho);
    capas.AlFrente(nota);
    QCOMPARE(v.childAt(130, 20), nota);
    nota->hide();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(v.childAt(200, 60), tablero.corcho);
}

QTEST_MAIN(TestCapasNotas)
#include "test_capasnotas.moc"
