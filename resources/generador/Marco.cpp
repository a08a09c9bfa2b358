// The frame is painted whole on a model board, then cut into its pieces, so that the bevel
// runs on unbroken where one piece meets the next.
#include "Generador.h"
#include "RegionesMarco.h"
#include "SuperficieAmbar.h"

#include <cmath>

namespace Generador {
namespace {

constexpr int kEscala = 3; // samples per picture pixel, for smooth curves
constexpr QSize kModelo{600, 450};
constexpr double kHuecoHerramienta = 24.5; // the toolbar buttons are 44 across
constexpr double kHuecoVentana = 16.5;     // the window buttons are 30 across
constexpr int kTramo = 40;                 // length of a bar picture; the board stretches it

void MarcarRegion(CampoAltura& campo, const QRegion& region) {
    for (const QRect& r : region)
        for (int y = r.top() * campo.escala; y < (r.bottom() + 1) * campo.escala; ++y)
            for (int x = r.left() * campo.escala; x < (r.right() + 1) * campo.escala; ++x)
                campo.dentro[campo.Indice(x, y)] = 1;
}

// Diagonal ridges across the board's bottom-right corner, so the grip reads as one.
void RayarAgarradera(CampoAltura& campo, QPointF esquina) {
    for (int y = 0; y < campo.alto; ++y)
        for (int x = 0; x < campo.ancho; ++x) {
            const double dx = esquina.x() - campo.PX(x), dy = esquina.y() - campo.PY(y);
            if (dx > kGrosorBarra || dy > kGrosorBarra || !campo.dentro[campo.Indice(x, y)])
                continue;
            for (double s : {7.5, 11.5, 15.5}) {
                const double u = (dx + dy - s) / 0.9;
                campo.altura[campo.Indice(x, y)] += float(1.1 * std::exp(-u * u));
            }
        }
}

QImage PintarTablero(int tipo, int ratio) {
    const int escala = kEscala * ratio;
    CampoAltura campo(kModelo.width() * escala, kModelo.height() * escala, escala);
    MarcarRegion(campo, RegionMarco(kModelo, tipo));
    AlzarDesdeBorde(campo);
    const PiezasMarco m = ColocarPiezas(kModelo, tipo);
    for (int i = 0; i < 4; ++i)
        HundirHueco(campo, m.panel1.topLeft() + QPointF(10 + 50 * i + 22, 8 + 22),
                    kHuecoHerramienta);
    for (int i = 0; i < 3; ++i)
        HundirHueco(campo, m.chart3.topLeft() + QPointF(14 + 33 * i + 15, 8 + 15), kHuecoVentana);
    RayarAgarradera(campo, QPointF(kModelo.width(), kModelo.height()));
    return Sombrear(campo, kVerdeOculto, ratio);
}

// The part of the board under zona; what lies outside the piece's outline turns green. Both
// are in logical pixels: a finer picture is cut to the same outline.
QImage Recortar(const QImage& tablero, QRect zona, const QRegion& region) {
    const int ratio = qRound(tablero.devicePixelRatio());
    QImage img = Lienzo(zona.width(), zona.height(), ratio, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QPoint logico = zona.topLeft() + QPoint(x / ratio, y / ratio);
            const QPoint p = zona.topLeft() * ratio + QPoint(x, y);
            img.setPixel(x, y, region.contains(logico) ? tablero.pixel(p) : kVerdeOculto.rgb());
        }
    return img;
}

void GuardarPiezasSuperiores(const QImage& tablero, int tipo) {
    const PiezasMarco m = ColocarPiezas(kModelo, tipo);
    Guardar(Recortar(tablero, m.panel1, RegionPanel1(tipo).translated(m.panel1.topLeft())),
            QString("img1%1.png").arg(tipo));
    const QRect tramo(m.barraSuperior.center().x() - 22, 0, 45, m.barraSuperior.height());
    Guardar(Recortar(tablero, tramo, tramo), QString("img2%1.png").arg(tipo));
    // The picture sits centred in its 118 x 52 piece, one pixel in from each side.
    const QRect dibujo(m.chart3.topLeft() + QPoint(1, 1), m.chart3.size() - QSize(2, 2));
    Guardar(Recortar(tablero, dibujo, RegionChart3(tipo).translated(m.chart3.topLeft())),
            QString("img3%1.png").arg(tipo));
}

// The sides and the bottom corners are the same for both types.
void GuardarPiezasInferiores(const QImage& tablero) {
    const PiezasMarco m = ColocarPiezas(kModelo, 1);
    const int w = kModelo.width(), h = kModelo.height(), g = kGrosorBarra;
    const QRect izquierda(0, h / 2, g, kTramo), derecha(w - g, h / 2, g, kTramo),
        inferior(w / 2, h - g, kTramo, g);
    Guardar(Recortar(tablero, izquierda, izquierda), "barra_izquierda.png");
    Guardar(Recortar(tablero, derecha, derecha), "barra_derecha.png");
    Guardar(Recortar(tablero, inferior, inferior), "barra_inferior.png");
    Guardar(Recortar(tablero, m.chart6, RegionChart6().translated(m.chart6.topLeft())),
            "esquina.png");
    Guardar(Recortar(tablero, m.chart8, RegionChart8().translated(m.chart8.topLeft())),
            "agarradera_pinaco.png");
}

} // namespace

void GenerarMarco(int ratio) {
    const QImage tipo1 = PintarTablero(1, ratio);
    GuardarPiezasSuperiores(tipo1, 1);
    GuardarPiezasSuperiores(PintarTablero(2, ratio), 2);
    GuardarPiezasInferiores(tipo1);
}

} // namespace Generador
