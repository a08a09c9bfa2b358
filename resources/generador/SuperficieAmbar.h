#pragma once
// The amber-gold of the frame and the buttons: a height map lit from the top left, so that
// every piece shares one bevel and one light.
#include <QColor>
#include <QImage>
#include <vector>

namespace Generador {

// Heights in logical pixels over a grid finer than the picture (escala samples a logical pixel).
struct CampoAltura {
    CampoAltura(int ancho, int alto, int escala);
    int ancho, alto, escala;
    std::vector<float> altura;
    std::vector<float> tono;     // brightness factor, 1 on the open surface, less in hollows
    std::vector<uint8_t> dentro; // 1 where there is amber
    int Indice(int x, int y) const { return y * ancho + x; }
    // The centre of a sample in logical pixels.
    double PX(int x) const { return (x + 0.5) / escala; }
    double PY(int y) const { return (y + 0.5) / escala; }
};

// Distance in logical pixels from each sample inside to the nearest sample outside; the grid's
// own border counts as outside.
std::vector<float> DistanciaAlBorde(const CampoAltura& campo);

// The rounded bevel every edge shares: rises steeply from the edge, then a gentle cushion.
float PerfilBisel(float distancia);

// Heights from the distance to the edge: the bevelled surface, flat green where there is none.
void AlzarDesdeBorde(CampoAltura& campo);

// A round hollow of the given radius (logical pixels) sunk into the surface, its lip bevelled.
void HundirHueco(CampoAltura& campo, QPointF centro, double radio);

// Lights the field and returns its picture at the given pixel ratio; fondo where there is no
// amber.
QImage Sombrear(const CampoAltura& campo, const QColor& fondo, int ratio);

inline const QColor kVerdeOculto{0, 0xFF, 0}; // outside the outlines, never seen

} // namespace Generador
