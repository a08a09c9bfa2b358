#include "RegionesMarco.h"

namespace Generador {

PiezasMarco ColocarPiezas(QSize tablero, int tipo) {
    const DisposicionMarco d = CalcularMarco(tablero.width(), tablero.height(), tipo);
    return {QRect(QPoint(0, 0), kPanel1),
            d.Image2,
            d.Chart3,
            d.Image4,
            d.Image5,
            d.Chart6,
            d.Image7,
            d.Chart8};
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
