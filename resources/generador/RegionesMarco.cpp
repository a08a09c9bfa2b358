#include "RegionesMarco.h"

#include <QPolygon>

namespace Generador {
namespace {

// Rectangles are given as left, top, right, bottom with right and bottom excluded.
QRect Rc(int izq, int arriba, int der, int abajo) {
    return QRect(izq, arriba, der - izq, abajo - arriba);
}

// The grip and the corner: their rectangle less one bevelled notch.
QRegion RectanguloSinMuesca(QSize tam, const QPolygon& muesca) {
    return QRegion(Rc(1, 1, tam.width() - 1, tam.height() - 1)) - QRegion(muesca, Qt::WindingFill);
}

} // namespace

QRegion RegionPanel1(int tipo) {
    QRegion r = tipo == 1 ? Rc(0, 0, 210, 40) : Rc(0, 0, 215, 43);
    r += Rc(0, 40, 210, 43);
    r += Rc(0, 43, 209, 45);
    r += Rc(0, 45, 208, 47);
    for (int k = 0; k <= 7; ++k)
        r += Rc(0, 45 + k, 208 - k, 47 + k);
    r += Rc(0, 54, 199, 55);
    r += Rc(0, 55, 198, 56);
    r += Rc(0, 56, 196, 57);
    r += Rc(0, 57, 193, 58);
    r += Rc(161, 0, 215, 13);
    r += Rc(161, 13, 213, 14);
    r += Rc(161, 14, 212, 15);
    r += Rc(161, 15, 211, 16);
    r += Rc(0, 58, 16, 59);
    r += Rc(0, 59, 15, 60);
    r += Rc(0, 60, 14, 61);
    r += Rc(0, 61, 13, 65);
    return r;
}

QRegion RegionChart3(int tipo) {
    QRegion r = tipo == 1 ? Rc(7, 1, 117, 30) : Rc(1, 1, 117, 44);
    r += Rc(8, 30, 117, 33);
    r += Rc(9, 33, 117, 35);
    r += Rc(10, 35, 117, 37);
    for (int k = 0; k <= 3; ++k)
        r += Rc(11 + k, 37 + k, 117, 38 + k);
    r += Rc(16, 41, 117, 42);
    for (int k = 0; k <= 1; ++k)
        r += Rc(18 + k, 42 + k, 117, 43 + k);
    r += Rc(1, 1, 7, 14);
    for (int k = 0; k <= 2; ++k)
        r += Rc(4 + k, 14 + k, 7, 15 + k);
    for (int k = 0; k <= 2; ++k)
        r += Rc(101 + k, 44 + k, 117, 45 + k);
    r += Rc(104, 47, 117, 51);
    return r;
}

QRegion RegionChart6() {
    return RectanguloSinMuesca(kChart6, QPolygon({{14, 1}, {22, 1}, {22, 9}, {18, 9}, {14, 5}}));
}

QRegion RegionChart8() {
    return RectanguloSinMuesca(kChart8, QPolygon({{1, 1}, {14, 1}, {14, 5}, {4, 15}, {1, 15}}));
}

PiezasMarco ColocarPiezas(QSize tablero, int tipo) {
    const int w = tablero.width(), h = tablero.height(), g = kGrosorBarra;
    PiezasMarco m;
    m.panel1 = QRect(QPoint(0, 0), kPanel1);
    m.barraSuperior = QRect(m.panel1.right() + 1, 0, w - kPanel1.width() - (kChart3.width() - 2),
                            AltoBarraSuperior(tipo));
    m.chart3 = QRect(QPoint(m.barraSuperior.right(), -1), kChart3);
    m.barraIzquierda = QRect(0, kPanel1.height(), g, h - kPanel1.height() - (kChart6.height() - 2));
    m.barraDerecha =
        QRect(w - g, m.chart3.bottom(), g, h - (kChart3.height() - 2) - (kChart8.height() - 2));
    m.chart6 = QRect(QPoint(-1, m.barraIzquierda.bottom()), kChart6);
    m.barraInferior =
        QRect(m.chart6.right(), h - g, w - (kChart6.width() - 2) - (kChart8.width() - 2), g);
    m.chart8 = QRect(QPoint(m.barraInferior.right(), m.barraDerecha.bottom()), kChart8);
    return m;
}

QRegion RegionMarco(QSize tablero, int tipo) {
    const PiezasMarco m = ColocarPiezas(tablero, tipo);
    QRegion r = RegionPanel1(tipo).translated(m.panel1.topLeft());
    r += RegionChart3(tipo).translated(m.chart3.topLeft());
    r += RegionChart6().translated(m.chart6.topLeft());
    r += RegionChart8().translated(m.chart8.topLeft());
    for (const QRect& barra : {m.barraSuperior, m.barraIzquierda, m.barraDerecha, m.barraInferior})
        r += barra;
    return r & QRect(QPoint(0, 0), tablero);
}

} // namespace Generador
