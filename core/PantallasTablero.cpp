#include "core/PantallasTablero.h"

#include <QtGlobal>

int PantallaDelTablero(const QRect& tablero, const QList<QRect>& pantallas) {
    int mejor = -1;
    qint64 mayor = 0;
    for (int i = 0; i < pantallas.size(); ++i) {
        const QRect comun = tablero.intersected(pantallas[i]);
        const qint64 area = qint64(comun.width()) * comun.height();
        if (area > mayor) {
            mayor = area;
            mejor = i;
        }
    }
    return mejor;
}

QRect TableroVisible(const QRect& tablero, const QList<QRect>& pantallas, QSize minimo) {
    if (pantallas.isEmpty())
        return tablero;
    const int i = PantallaDelTablero(tablero, pantallas);
    const QRect area = pantallas[qMax(i, 0)];
    const int ancho = qMax(minimo.width(), qMin(tablero.width(), area.width()));
    const int alto = qMax(minimo.height(), qMin(tablero.height(), area.height()));
    const int left = qBound(area.left(), tablero.left(), area.right() + 1 - 50);
    const int top = qBound(area.top(), tablero.top(), area.bottom() + 1 - 50);
    return QRect(left, top, ancho, alto);
}
