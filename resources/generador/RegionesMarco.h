#pragma once
// Where the frame pieces sit on a board of a given size and the outline they are cut to,
// from the board's own layout code, so the pictures fit what the board shows.
#include "app/DisposicionMarco.h"

namespace Generador {

using ::AltoBarraSuperior;
using ::RegionChart3;
using ::RegionChart6;
using ::RegionChart8;
using ::RegionPanel1;

inline constexpr QSize kPanel1 = kTamPanel1, kChart3 = kTamChart3, kChart6 = kTamChart6,
                       kChart8 = kTamChart8;
inline constexpr int kGrosorBarra = ::kGrosorBarra;

// The frame pieces of a board of the given size, in board pixels.
struct PiezasMarco {
    QRect panel1, barraSuperior, chart3, barraIzquierda, barraDerecha, chart6, barraInferior,
        chart8;
};
PiezasMarco ColocarPiezas(QSize tablero, int tipo);

// The frame's whole outline on such a board: every piece with its cut applied.
QRegion RegionMarco(QSize tablero, int tipo);

} // namespace Generador
