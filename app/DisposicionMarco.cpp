#include "app/DisposicionMarco.h"

#include <QPolygon>

namespace {

// left, top, right, bottom with right and bottom excluded.
QRect R(int l, int t, int r, int b) {
    return QRect(l, t, r - l, b - t);
}

} // namespace

int AltoBarraSuperior(int tipoPinaco) {
    return tipoPinaco == 2 ? 43 : 13;
}

DisposicionMarco CalcularMarco(int W, int H, int tipoPinaco) {
    DisposicionMarco m;
    m.Image2 = QRect(kTamPanel1.width(), 0, W - kTamPanel1.width() - (kTamChart3.width() - 2),
                     AltoBarraSuperior(tipoPinaco));
    m.Chart3 = QRect(QPoint(m.Image2.left() + m.Image2.width() - 1, -1), kTamChart3);
    m.Image4 = QRect(0, kTamPanel1.height(), kGrosorBarra,
                     H - kTamPanel1.height() - (kTamChart6.height() - 2));
    const int topImage5 = m.Chart3.top() + m.Chart3.height() - 1;
    m.Image5 = QRect(W - kGrosorBarra, topImage5, kGrosorBarra,
                     H - (kTamChart3.height() - 2) - (kTamChart8.height() - 2));
    m.Chart6 = QRect(QPoint(-1, m.Image4.top() + m.Image4.height() - 1), kTamChart6);
    m.Image7 = QRect(m.Chart6.left() + m.Chart6.width() - 1, H - kGrosorBarra,
                     W - (kTamChart6.width() - 2) - (kTamChart8.width() - 2), kGrosorBarra);
    m.Chart8 = QRect(
        QPoint(m.Image7.left() + m.Image7.width() - 1, m.Image5.top() + m.Image5.height() - 1),
        kTamChart8);
    return m;
}

QRegion RegionPanel1(int tipoPinaco) {
    QRegion r(tipoPinaco == 2 ? R(0, 0, 215, 43) : R(0, 0, 210, 40));
    r += R(0, 40, 210, 43);
    r += R(0, 43, 209, 45);
    r += R(0, 45, 208, 47);
    for (int k = 0; k <= 7; ++k)
        r += R(0, 45 + k, 208 - k, 47 + k);
    r += R(0, 54, 199, 55);
    r += R(0, 55, 198, 56);
    r += R(0, 56, 196, 57);
    r += R(0, 57, 193, 58);
    r += R(161, 0, 215, 13);
    r += R(161, 13, 213, 14);
    r += R(161, 14, 212, 15);
    r += R(161, 15, 211, 16);
    r += R(0, 58, 16, 59);
    r += R(0, 59, 15, 60);
    r += R(0, 60, 14, 61);
    r += R(0, 61, 13, 65);
    return r;
}

QRegion RegionChart3(int tipoPinaco) {
    QRegion r(tipoPinaco == 2 ? R(1, 1, 117, 44) : R(7, 1, 117, 30));
    r += R(8, 30, 117, 33);
    r += R(9, 33, 117, 35);
    r += R(10, 35, 117, 37);
    for (int k = 0; k <= 3; ++k)
        r += R(11 + k, 37 + k, 117, 38 + k);
    r += R(16, 41, 117, 42);
    for (int k = 0; k <= 1; ++k)
        r += R(18 + k, 42 + k, 117, 43 + k);
    r += R(1, 1, 7, 14);
    for (int k = 0; k <= 2; ++k)
        r += R(4 + k, 14 + k, 7, 15 + k);
    for (int k = 0; k <= 2; ++k)
        r += R(101 + k, 44 + k, 117, 45 + k);
    r += R(104, 47, 117, 51);
    return r;
}

QRegion RegionChart6() {
    const QRegion caja = R(1, 1, kTamChart6.width() - 1, kTamChart6.height() - 1);
    const QPolygon corte({{14, 1}, {22, 1}, {22, 9}, {18, 9}, {14, 5}});
    return caja.subtracted(QRegion(corte, Qt::WindingFill));
}

QRegion RegionChart8() {
    const QRegion caja = R(1, 1, kTamChart8.width() - 1, kTamChart8.height() - 1);
    const QPolygon corte({{1, 1}, {14, 1}, {14, 5}, {4, 15}, {1, 15}});
    return caja.subtracted(QRegion(corte, Qt::WindingFill));
}
