#pragma once
// The about box's outline: its whole picture minus a cut top-right corner. Shared by the
// window and by the program that paints its background, so the frame follows the cut.
#include <QRegion>

inline QRegion MascaraAcerca() {
    struct Corte {
        int izquierda, arriba, derecha, abajo; // right and bottom excluded
    };
    static constexpr Corte cortes[] = {
        {245, 0, 267, 1},   {249, 1, 267, 2},   {251, 2, 267, 3},   {253, 3, 267, 4},
        {255, 4, 267, 5},   {256, 5, 267, 6},   {257, 6, 267, 7},   {258, 7, 267, 8},
        {259, 8, 267, 9},   {260, 9, 267, 10},  {261, 10, 267, 11}, {262, 11, 267, 12},
        {263, 12, 267, 14}, {264, 14, 267, 16}, {265, 16, 267, 18}, {266, 18, 267, 22},
    };
    QRegion region(0, 0, 267, 356);
    for (const Corte& c : cortes)
        region -= QRegion(c.izquierda, c.arriba, c.derecha - c.izquierda, c.abajo - c.arriba);
    return region;
}
