#pragma once
// The outlines the board cuts its frame pieces to, and where the pieces sit on a board of a
// given size; the pictures are drawn to fit them.
#include <QRect>
#include <QRegion>

namespace Generador {

// Outlines in the piece's own pixels; tipo is the board type, 1 or 2.
QRegion RegionPanel1(int tipo);
QRegion RegionChart3(int tipo);
QRegion RegionChart6();
QRegion RegionChart8();

inline constexpr QSize kPanel1{215, 65}, kChart3{118, 52}, kChart6{23, 23}, kChart8{28, 29};
inline constexpr int kGrosorBarra = 13;
inline int AltoBarraSuperior(int tipo) {
    return tipo == 1 ? 13 : 43;
}

// The frame pieces of a board of the given size, in board pixels.
struct PiezasMarco {
    QRect panel1, barraSuperior, chart3, barraIzquierda, barraDerecha, chart6, barraInferior,
        chart8;
};
PiezasMarco ColocarPiezas(QSize tablero, int tipo);

// The frame's whole outline on such a board: every piece with its cut applied.
QRegion RegionMarco(QSize tablero, int tipo);

} // namespace Generador
