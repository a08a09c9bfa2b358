#pragma once
// Placement rules of the notes on the board, on plain rectangles.
#include "core/DatosNota.h"

#include <QList>
#include <QRect>
#include <span>

// A new note at X, Y of size W x H would sit on one of the notes.
bool PosicionOcupada(const QList<QRect>& notas, int X, int Y, int W, int H);

// First free position of a new note, starting at 40,70 and moving by 8,8.
QPoint PosicionLibre(const QList<QRect>& notas, int W, int H);

// Position and size of a note read from a file or the network kept within bounds: no
// overflow in the placement steps, no giant widget.
void AcotarGeometria(DatosNota& nota);

// The largest font size a received note keeps.
inline constexpr int kMaxFuenteRecibida = 144;

// The note pulled inside a board of the given size, with the top limit of the board type.
QRect DentroDelPinaco(QRect nota, int anchoPinaco, int altoPinaco, int tipoPinaco);

// The note A lies over some note of the list by its top or left edge.
bool Solapada(const QRect& A, std::span<const QRect> posteriores);

// A received note on a board of the given size and type, among the others: no larger than
// the room within the board's margins and with a font size a note can show (sizes and fonts
// of any real note are kept, the text stays whole), stepped 7 pixels down-right until it
// lies over none of them, then pulled inside. Its place comes from the sender: no free place
// is looked for.
DatosNota LugarNotaRecibida(DatosNota nota, std::span<const QRect> otras, QSize pinaco,
                            int tipoPinaco);

// The keyboard's order of the notes: by top edge, then left edge, then place in the list.
// The index of the note after (or before) actual in that order, or -1 past the end; with no
// actual, the first (or last) one. Null rectangles are notes that do not show: skipped.
qsizetype NotaSiguienteEnLectura(std::span<const QRect> notas, qsizetype actual, bool adelante);
