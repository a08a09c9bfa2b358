#pragma once
// Helpers shared by the drawings of the picture generator.
#include "Salida.h"

#include <QColor>
#include <QPointF>
#include <functional>

class QPainter;

namespace Generador {

// A round pushpin head seen from above, lit from the top left.
void CabezaChincheta(QPainter& p, QPointF centro, double radio, const QColor& color);

// A yellow sticky note of the given size centred on the origin, with a soft shadow.
void NotaAmarilla(QPainter& p, QSizeF tam, const QColor& papel);

// Aliased one-pixel lines fall on the pixels right of and below their points; on a finer
// picture they are centred on them instead. Draws dibujar aliased and moved to fall where it
// does at 1x.
void SinSuavizar(QPainter& p, const std::function<void()>& dibujar);

void GenerarMarco(int ratio);   // the frame pieces of both board types
void GenerarBotones(int ratio); // the toolbar and window button faces

} // namespace Generador
