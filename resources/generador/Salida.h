#pragma once
// The pictures the generators paint and where they are written. Every picture is painted in
// logical pixels at each pixel ratio, and written under Qt's naming for that ratio.
#include <QImage>
#include <QString>

namespace Generador {

// The pixel ratios every picture is painted at.
inline constexpr int kRatios[] = {1, 2};

// The output folder, made when missing.
void FijarCarpeta(const QString& carpeta);

// Writes a picture into the output folder: nombre, or its "@2x" twin for a picture of ratio 2.
void Guardar(const QImage& img, const QString& nombre);

// Whether some picture could not be written.
bool HuboFallos();

// A transparent picture of w x h logical pixels at the given ratio, painted in logical pixels.
QImage Lienzo(int w, int h, int ratio,
              QImage::Format formato = QImage::Format_ARGB32_Premultiplied);

} // namespace Generador
