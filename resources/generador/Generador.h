#pragma once
// Helpers shared by the drawings of the picture generator.
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QString>

class QPainter;

namespace Generador {

// Writes a picture into the output folder under the given file name.
void Guardar(const QImage& img, const QString& nombre);

// A transparent picture to paint on.
QImage Lienzo(int w, int h);

// A round pushpin head seen from above, lit from the top left.
void CabezaChincheta(QPainter& p, QPointF centro, double radio, const QColor& color);

// A yellow sticky note of the given size centred on the origin, with a soft shadow.
void NotaAmarilla(QPainter& p, QSizeF tam, const QColor& papel);

void GenerarMarco();   // the frame pieces of both board types
void GenerarBotones(); // the toolbar and window button faces

} // namespace Generador
