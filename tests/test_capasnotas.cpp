// The layers that hold the board's notes: stacking, clicks through, a bounded number of layers.
#include "app/CapasNotas.h"
#include "notes/Nota.h"

#include <QtTest>

namespace {

QWidget* Hijo(QWidget* padre, const QString& nombre, QRect donde) {
    auto* w = new QWidget(padre);
    w->setObjectName(nombre);
    w->setGeometry(donde);
    w->show();
    return w;
}

// A board with a cork and three frame pieces; its notes are named by their number.
struct Tablero {
    QWidget ventana;
    QWidget* corcho = Hijo(&ventana, "corcho", {0, 0, 400, 300});
    QList<QWidget*> piezas, notas;
    Tablero() { // painted whole, as the board's cork is
        for (int i = 0; i < 3; ++i)
            piezas << Hijo(&ventana, "p" + QString::number(i), {100 * i, 0, 50, 30});
        corcho->setAutoFillBackground(true);
        corcho->setPalette(QColor(200, 150, 90));
    }
    QWidget* Nota(QWidget* padre) {
        const int n = int(notas.size());
        return notas.emplace_back(Hijo(padre, QString::number(n), {n * 37 % 300, 30, 80, 100}));
    }
    // To the top, but beneath the last piece while that piece is at the top.
    void AlFrente(QWidget* nota) {
        nota->raise();
        const QObjectList& hijos = ventana.children();
        const bool debajo = hijos.size() > 1 && hijos[hijos.size() - 2] == piezas[2];
        if (debajo)
            nota->stackUnder(piezas[2]);
    }
};

} // namespace

class TestCapasNotas : public QObject {
    Q_OBJECT
private slots:
    void apilanComoHijosDelTablero();
    void clicsAtraviesanLaCapaVacia();
};

void TestCapasNotas::apilanComoHijosDelTablero() {
    // Random steps give the stacking of notes that are the board's children; piece 2 stays on top.
    Tablero modelo, tablero;
    CapasNotas capas(&tablero.ventana);
    capas.FijarEncima({tablero.piezas[2]});
    QRandomGenerator azar(8);
    const int cuantas = 3 * CapasNotas::kNotasPorCapa;
    const auto nombres = [](const QList<QWidget*>& widgets) {
        QStringList nombres;
        for (const QWidget* w : widgets)
            nombres.append(w->objectName());
        return nombres;
    };
    for (int paso = 0; paso < 3000; ++paso) {
        const int accion = paso < cuantas ? int(azar.bounded(2)) : int(azar.bounded(2, 5));
        const int i = int(azar.bounded(qMax<qsizetype>(1, modelo.notas.size())));
        if (accion == 0) { // a new note on top
            modelo.AlFrente(modelo.Nota(&modelo.ventana));
            tablero.Nota(capas.CapaArriba());
        } else if (accion == 1) { // a new note at the bottom
            modelo.Nota(&modelo.ventana)->lower();
            tablero.Nota(capas.CapaAbajo())->lower();
        } else if (accion == 2) {
            modelo.AlFrente(modelo.notas[i]);
            capas.AlFrente(tablero.notas[i]);
        } else if (accion == 3) {
            modelo.notas[i]->lower();
            capas.AlFondo(tablero.notas[i]);
        } else { // a piece to the front, then the cork to the back
            for (Tablero* t : {&modelo, &tablero}) {
                t->piezas[i % 3]->raise();
                t->corcho->lower();
            }
            capas.Compactar();
        }
        QCOMPARE(nombres(capas.Pila()),
                 nombres(modelo.ventana.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)));
    }
    // Neighbouring layers that would fit in one are one: a bounded number of layers.
    const qsizetype capasUsadas =
        tablero.ventana.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size() - 4;
    QVERIFY2(capasUsadas <= 2 * cuantas / CapasNotas::kNotasPorCapa + 4,
             qPrintable(QString::number(capasUsadas)));
}

void TestCapasNotas::clicsAtraviesanLaCapaVacia() {
    ModeloNotas modelo;
    Tablero tablero;
    QWidget& v = tablero.ventana;
    CapasNotas capas(&v);
    auto* nota = new TNota(capas.CapaArriba(), modelo, modelo.Agregar({}));
    nota->setGeometry(100, 100, 120, 160);
    nota->show();
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QCOMPARE(v.childAt(150, 150), nota);
    QCOMPARE(v.childAt(50, 150), tablero.corcho);
    // Moved, it takes the clicks where it went, above the pieces; its old place goes to the cork.
    nota->move(120, 10);
    QCOMPARE(v.childAt(130, 20), nota);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(v.childAt(150, 250), tablero.corcho);
    // On screen, a dragged note is painted where it goes and leaves no copy of itself behind.
    const auto enPantalla = [&v](QPoint punto) {
        QCoreApplication::processEvents();
        return v.screen()->grabWindow(v.winId()).toImage().pixelColor(punto);
    };
    const QColor corcho = enPantalla({30, 250});
    nota->move(150, 120);
    QVERIFY(enPantalla({230, 125}) != corcho);
    nota->move(250, 140);
    QCOMPARE(enPantalla({230, 125}), corcho);
    nota->hide();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(v.childAt(300, 200), tablero.corcho);
}

QTEST_MAIN(TestCapasNotas)
#include "test_capasnotas.moc"
