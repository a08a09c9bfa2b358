#pragma once
// Where the board may lie among the screens of the desktop, on plain rectangles.
#include <QList>
#include <QRect>

// The screen whose area holds the most of the board, or -1 when the board lies on none.
int PantallaDelTablero(const QRect& tablero, const QList<QRect>& pantallas);

// The stored bounds brought onto a screen: on the screen the board lies on, its top-left
// corner is kept within that screen so that at least 50 pixels of it show and its size
// within the free area; a board on no screen (a monitor that has gone) comes back onto
// the first screen. Sizes below the minimum grow to it.
QRect TableroVisible(const QRect& tablero, const QList<QRect>& pantallas, QSize minimo);
