#include "SuperficieAmbar.h"

#include <QPointF>
#include <algorithm>
#include <cmath>

namespace Generador {
namespace {

constexpr double kInfinito = 1e12;

// Squared distances along one line: the lower envelope of parabolas rooted at each sample.
void Distancia1D(const std::vector<double>& f, std::vector<double>& d) {
    constexpr double kBorde = 1e30;
    const int n = static_cast<int>(f.size());
    std::vector<int> v(n);
    std::vector<double> z(n + 1);
    auto corte = [&f](int q, int p) {
        return ((f[q] + double(q) * q) - (f[p] + double(p) * p)) / (2.0 * (q - p));
    };
    int k = 0;
    v[0] = 0;
    z[0] = -kBorde;
    z[1] = kBorde;
    for (int q = 1; q < n; ++q) {
        double s = corte(q, v[k]);
        while (s <= z[k]) {
            --k;
            s = corte(q, v[k]);
        }
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = kBorde;
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < q)
            ++k;
        d[q] = double(q - v[k]) * (q - v[k]) + f[v[k]];
    }
}

// Maps a lighting level (1 = facing up) to the amber ramp, dark bronze to pale gold.
QColor Rampa(double luz) {
    struct Parada {
        double luz;
        int r, g, b;
    };
    static constexpr Parada kParadas[] = {{0.0, 0x3A, 0x1E, 0x00},
                                          {0.55, 0x8E, 0x56, 0x04},
                                          {1.0, 0xD6, 0x9A, 0x22},
                                          {1.3, 0xF4, 0xCC, 0x5E},
                                          {1.7, 0xFF, 0xF4, 0xC8}};
    luz = std::clamp(luz, 0.0, 1.7);
    int i = 0;
    while (luz > kParadas[i + 1].luz)
        ++i;
    const Parada &a = kParadas[i], &b = kParadas[i + 1];
    const double t = (luz - a.luz) / (b.luz - a.luz);
    auto mezcla = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QColor(mezcla(a.r, b.r), mezcla(a.g, b.g), mezcla(a.b, b.b));
}

// The colour of a surface with the given slopes: diffuse light from the top left on the amber
// ramp, plus a gloss as seen from straight above.
QRgb Iluminar(double gx, double gy, float tono) {
    constexpr double lx = -0.55, ly = -0.7, lz = 0.9;
    static const double ln = std::sqrt(lx * lx + ly * ly + lz * lz);
    static const double hx = lx / ln, hy = ly / ln, hz = lz / ln + 1;
    static const double hn = std::sqrt(hx * hx + hy * hy + hz * hz);
    const double nn = std::sqrt(gx * gx + gy * gy + 1);
    const double difusa = (-gx * lx - gy * ly + lz) / (nn * ln);
    const double brillo = std::pow(std::max(0.0, (-gx * hx - gy * hy + hz) / (nn * hn)), 40.0);
    QColor col = Rampa(difusa / (lz / ln) * tono);
    const float b = float(0.55 * brillo * tono);
    col.setRgbF(std::min(1.0f, col.redF() + b), std::min(1.0f, col.greenF() + b),
                std::min(1.0f, col.blueF() + b * 0.8f));
    return col.rgba();
}

} // namespace

CampoAltura::CampoAltura(int ancho_, int alto_, int escala_)
    : ancho(ancho_), alto(alto_), escala(escala_), altura(size_t(ancho_) * alto_, 0.0f),
      tono(size_t(ancho_) * alto_, 1.0f), dentro(size_t(ancho_) * alto_, 0) {}

std::vector<float> DistanciaAlBorde(const CampoAltura& c) {
    // One sample of margin all round so that the grid's border counts as outside.
    const int w = c.ancho + 2, h = c.alto + 2;
    std::vector<double> cuadrado(size_t(w) * h, 0.0);
    for (int y = 0; y < c.alto; ++y)
        for (int x = 0; x < c.ancho; ++x)
            cuadrado[size_t(y + 1) * w + x + 1] = c.dentro[c.Indice(x, y)] ? kInfinito : 0.0;
    std::vector<double> f, d;
    f.resize(h);
    d.resize(h);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y)
            f[y] = cuadrado[size_t(y) * w + x];
        Distancia1D(f, d);
        for (int y = 0; y < h; ++y)
            cuadrado[size_t(y) * w + x] = d[y];
    }
    f.resize(w);
    d.resize(w);
    for (int y = 0; y < h; ++y) {
        std::copy_n(cuadrado.begin() + size_t(y) * w, w, f.begin());
        Distancia1D(f, d);
        std::copy_n(d.begin(), w, cuadrado.begin() + size_t(y) * w);
    }
    std::vector<float> res(size_t(c.ancho) * c.alto, 0.0f);
    for (int y = 0; y < c.alto; ++y)
        for (int x = 0; x < c.ancho; ++x) {
            const double s = std::sqrt(cuadrado[size_t(y + 1) * w + x + 1]) - 0.5;
            res[c.Indice(x, y)] = float(std::max(0.0, s) / c.escala);
        }
    return res;
}

float PerfilBisel(float d) {
    constexpr float kRadio = 4.5f, kAlto = 3.2f;
    const float t = std::clamp(d / kRadio, 0.0f, 1.0f);
    return kAlto * std::sqrt(1.0f - (1.0f - t) * (1.0f - t)) + 2.4f * (1.0f - std::exp(-d / 7.0f));
}

void AlzarDesdeBorde(CampoAltura& campo) {
    const std::vector<float> d = DistanciaAlBorde(campo);
    for (size_t i = 0; i < d.size(); ++i)
        campo.altura[i] = campo.dentro[i] ? PerfilBisel(d[i]) : 0.0f;
}

void HundirHueco(CampoAltura& campo, QPointF centro, double radio) {
    for (int y = 0; y < campo.alto; ++y)
        for (int x = 0; x < campo.ancho; ++x) {
            const int i = campo.Indice(x, y);
            if (!campo.dentro[i])
                continue;
            const double dist = std::hypot(campo.PX(x) - centro.x(), campo.PY(y) - centro.y());
            const float fuera = float(dist - radio);
            if (fuera >= 0) {
                campo.altura[i] = std::min(campo.altura[i], PerfilBisel(fuera));
            } else {
                campo.altura[i] = -1.5f;
                campo.tono[i] = 0.4f;
            }
        }
}

QImage Sombrear(const CampoAltura& c, const QColor& fondo, int ratio) {
    QImage fino(c.ancho, c.alto, QImage::Format_ARGB32);
    auto alturaEn = [&c](int x, int y) {
        x = std::clamp(x, 0, c.ancho - 1);
        y = std::clamp(y, 0, c.alto - 1);
        return double(c.altura[c.Indice(x, y)]);
    };
    for (int y = 0; y < c.alto; ++y) {
        auto* fila = reinterpret_cast<QRgb*>(fino.scanLine(y));
        for (int x = 0; x < c.ancho; ++x) {
            const int i = c.Indice(x, y);
            const double gx = (alturaEn(x + 1, y) - alturaEn(x - 1, y)) * c.escala / 2;
            const double gy = (alturaEn(x, y + 1) - alturaEn(x, y - 1)) * c.escala / 2;
            fila[x] = c.dentro[i] ? Iluminar(gx, gy, c.tono[i]) : fondo.rgba();
        }
    }
    QImage img = c.escala == ratio
                     ? fino
                     : fino.scaled(c.ancho * ratio / c.escala, c.alto * ratio / c.escala,
                                   Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    img.setDevicePixelRatio(ratio);
    return img;
}

} // namespace Generador
