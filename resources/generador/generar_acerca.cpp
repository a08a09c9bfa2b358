// Paints the about box's pictures at every pixel ratio. Run by hand after changing a drawing;
// its output under resources/acerca is committed:  pinaco_generar_acerca <folder>
#include "Salida.h"
#include "config/MascaraAcerca.h"

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>

namespace {

using namespace Generador;

// Where the note and the cork lie in the background; the hole is cut from that picture.
const QRectF kNota(49.5, 94.5, 167, 222);
const QRect kRoto(171, 272, 81, 69);
const int kMarco = 12;

QPainterPath InteriorMarco() {
    // The cork's edge, its top-right corner bevelled like the window's outline.
    QPainterPath camino;
    const double l = kMarco, t = kMarco, r = 267 - kMarco, b = 356 - kMarco;
    camino.moveTo(l, t);
    camino.lineTo(r - 12, t);
    camino.quadTo(r, t, r, t + 12);
    camino.lineTo(r, b);
    camino.lineTo(l, b);
    camino.closeSubpath();
    return camino;
}

void PintarCorcho(QPainter& p, const QRect& zona) {
    p.fillRect(zona, QColor(0xC8, 0x94, 0x58));
    QRandomGenerator rnd(2004);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 2600; ++i) {
        const double x = zona.left() + rnd.bounded(double(zona.width()));
        const double y = zona.top() + rnd.bounded(double(zona.height()));
        const double r = 0.6 + rnd.bounded(1.5);
        const int tono = rnd.bounded(50);
        const QColor c = rnd.bounded(3) == 0
                             ? QColor(0xEC, 0xC4 - tono / 2, 0x88 - tono / 2, 150)
                             : QColor(0x8E - tono, 0x5A - tono / 2, 0x28 - tono / 3, 140);
        p.setBrush(c);
        p.drawEllipse(QPointF(x, y), r, r * (0.6 + rnd.bounded(0.6)));
    }
}

void PintarChincheta(QPainter& p, QPointF centro) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(centro + QPointF(2.5, 3), 7.5, 6.5);
    QRadialGradient g(centro + QPointF(-2.5, -2.5), 9);
    g.setColorAt(0, QColor(0xFF, 0x9A, 0x8A));
    g.setColorAt(0.45, QColor(0xE0, 0x1A, 0x14));
    g.setColorAt(1, QColor(0x80, 0x06, 0x04));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x60, 0x04, 0x02), 0.8));
    p.drawEllipse(centro, 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(centro + QPointF(-2.6, -2.8), 1.8, 1.3);
}

QImage Fondo(int ratio) {
    QImage img = Lienzo(267, 356, ratio);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRegion mascara = MascaraAcerca();
    p.setClipRegion(mascara);

    // Amber frame with a bevel: lit from the top left.
    QLinearGradient ambar(0, 0, 267, 356);
    ambar.setColorAt(0, QColor(0xF4, 0xB8, 0x3C));
    ambar.setColorAt(0.5, QColor(0xE0, 0x98, 0x24));
    ambar.setColorAt(1, QColor(0xB8, 0x70, 0x10));
    p.fillRect(0, 0, 267, 356, ambar);
    QRandomGenerator veta(77);
    for (int i = 0; i < 90; ++i) {
        const double y = veta.bounded(356.0);
        p.setPen(QPen(QColor(0x9A, 0x5A, 0x08, 40 + veta.bounded(40)), 0.8));
        p.drawLine(QPointF(0, y), QPointF(267, y + veta.bounded(6.0) - 3));
    }
    QPainterPath borde;
    borde.addRegion(mascara);
    borde = borde.simplified();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x6A, 0x3C, 0x04), 2));
    p.drawPath(borde);
    p.setPen(QPen(QColor(255, 236, 170, 150), 1));
    p.drawLine(QPointF(1.5, 1.5), QPointF(243, 1.5));
    p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 354));

    const QPainterPath interior = InteriorMarco();
    p.save();
    p.setClipPath(interior, Qt::IntersectClip);
    PintarCorcho(p, QRect(kMarco, kMarco, 267 - 2 * kMarco, 356 - 2 * kMarco));
    // The frame's shadow on the cork, along the top and the left.
    QLinearGradient sombraArriba(0, kMarco, 0, kMarco + 7);
    sombraArriba.setColorAt(0, QColor(40, 20, 0, 120));
    sombraArriba.setColorAt(1, QColor(40, 20, 0, 0));
    p.fillRect(QRect(0, kMarco, 267, 7), sombraArriba);
    QLinearGradient sombraIzda(kMarco, 0, kMarco + 7, 0);
    sombraIzda.setColorAt(0, QColor(40, 20, 0, 120));
    sombraIzda.setColorAt(1, QColor(40, 20, 0, 0));
    p.fillRect(QRect(kMarco, 0, 7, 356), sombraIzda);

    // The note, a little shadow beneath it, flat where the texts lie.
    for (int i = 4; i >= 1; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 15, 0, 22));
        p.drawRoundedRect(kNota.translated(2.5, 3).adjusted(-i * 0.7, -i * 0.7, i * 0.7, i * 0.7),
                          2 + i, 2 + i);
    }
    p.setBrush(QColor(0xFF, 0xF6, 0xB4));
    p.setPen(QPen(QColor(0xD8, 0xC4, 0x6C), 1));
    p.drawRect(kNota);
    QLinearGradient cola(0, kNota.top(), 0, kNota.top() + 16);
    cola.setColorAt(0, QColor(0xE8, 0xD4, 0x78, 120));
    cola.setColorAt(1, QColor(0xE8, 0xD4, 0x78, 0));
    p.fillRect(QRectF(kNota.left() + 0.5, kNota.top() + 0.5, kNota.width() - 1, 16), cola);
    PintarChincheta(p, QPointF(kNota.center().x(), kNota.top() + 7.5));
    p.restore();

    // The frame's inner edge: dark below the light.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x70, 0x40, 0x06), 1.2));
    p.drawPath(interior);
    p.setPen(QPen(QColor(255, 230, 160, 110), 1));
    p.drawPath(interior.translated(1.2, 1.2));
    return img;
}

// A pill shaped button face; the pressed one sits lower, darker and without its shadow.
QImage Aceptar(bool apretado, int ratio) {
    QImage img = Lienzo(114, 45, ratio);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double baja = apretado ? 1.5 : 0;
    const QRectF pildora(2.5, 2.5 + baja, 108, 37);
    const double radio = pildora.height() / 2;
    if (!apretado) {
        p.setPen(Qt::NoPen);
        for (int i = 3; i >= 1; --i) {
            p.setBrush(QColor(40, 20, 0, 35));
            p.drawRoundedRect(pildora.translated(0, 1.5 + i * 0.8), radio, radio);
        }
    }
    QLinearGradient g(0, pildora.top(), 0, pildora.bottom());
    if (apretado) {
        g.setColorAt(0, QColor(0xA8, 0x62, 0x08));
        g.setColorAt(0.5, QColor(0xD0, 0x88, 0x18));
        g.setColorAt(1, QColor(0xE8, 0xA8, 0x34));
    } else {
        g.setColorAt(0, QColor(0xFF, 0xDC, 0x78));
        g.setColorAt(0.5, QColor(0xF0, 0xA8, 0x28));
        g.setColorAt(1, QColor(0xC8, 0x7C, 0x10));
    }
    p.setBrush(g);
    p.setPen(QPen(QColor(0x7A, 0x44, 0x02), 1.3));
    p.drawRoundedRect(pildora, radio, radio);
    if (apretado) {
        // Sunk: the upper rim throws a shadow inside.
        p.setPen(QPen(QColor(60, 30, 0, 110), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(pildora.adjusted(1.5, 1.5, -1.5, -1.5), radio - 1.5, radio - 1.5);
    } else {
        QLinearGradient brillo(0, pildora.top(), 0, pildora.center().y());
        brillo.setColorAt(0, QColor(255, 255, 255, 170));
        brillo.setColorAt(1, QColor(255, 255, 255, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(brillo);
        p.drawRoundedRect(pildora.adjusted(8, 2.5, -8, -pildora.height() / 2 + 1), 9, 9);
    }
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(15);
    p.setFont(f);
    const QRectF texto = pildora.translated(apretado ? 1 : 0, apretado ? 1 : 0);
    p.setPen(apretado ? QColor(255, 220, 150, 90) : QColor(255, 245, 210, 200));
    p.drawText(texto.translated(0, 1), Qt::AlignCenter, QStringLiteral("Aceptar"));
    p.setPen(QColor(0x4A, 0x26, 0x00));
    p.drawText(texto, Qt::AlignCenter, QStringLiteral("Aceptar"));
    return img;
}

enum class Ojos { Centro, Dcha, Izda, Cerrados };

// The monster is drawn four times larger and scaled down, so its few pixels stay smooth.
QImage Moztro(Ojos ojos, int ratio) {
    const int k = 4;
    QImage grande = Lienzo(36 * k, 32 * k, ratio);
    QPainter p(&grande);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(k, k);
    const QColor tinta(0x10, 0x22, 0x66);
    const QPen contorno(tinta, 0.9);

    p.setPen(contorno);
    p.setBrush(QColor(0xF8, 0xCC, 0x1C));
    p.drawEllipse(QPointF(11, 29), 5.5, 2.5);
    p.drawEllipse(QPointF(25, 29), 5.5, 2.5);

    QRadialGradient piel(QPointF(13, 13), 20);
    piel.setColorAt(0, QColor(0x7C, 0xB8, 0xFF));
    piel.setColorAt(0.6, QColor(0x34, 0x6C, 0xE0));
    piel.setColorAt(1, QColor(0x1A, 0x3C, 0xA0));
    p.setBrush(piel);
    p.drawEllipse(QPointF(4.5, 19.5), 3, 2.2);
    p.drawEllipse(QPointF(31.5, 19.5), 3, 2.2);
    p.drawEllipse(QPointF(18, 18), 14, 10.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xB0, 0xD8, 0xFF, 120));
    p.drawEllipse(QPointF(18, 22.5), 7.5, 4.5);

    // A wide grin with one fang.
    p.setPen(QPen(tinta, 0.9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(0x50, 0x08, 0x20));
    QPainterPath boca;
    boca.moveTo(12.5, 16.5);
    boca.quadTo(18, 22.5, 23.5, 16.5);
    boca.quadTo(18, 18.5, 12.5, 16.5);
    p.drawPath(boca);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    QPolygonF colmillo({QPointF(15.3, 17.5), QPointF(17.3, 17.9), QPointF(16.2, 19.6)});
    p.drawPolygon(colmillo);

    const QPointF izquierdo(10.5, 7.5), derecho(21.5, 7.5);
    p.setPen(contorno);
    for (const QPointF& c : {izquierdo, derecho}) {
        if (ojos == Ojos::Cerrados) {
            p.setBrush(QColor(0x44, 0x80, 0xF0));
            p.drawEllipse(c, 5.2, 5.6);
            p.setPen(QPen(tinta, 1.1, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            QPainterPath parpado;
            parpado.moveTo(c + QPointF(-3.6, 0.4));
            parpado.quadTo(c + QPointF(0, 3.2), c + QPointF(3.6, 0.4));
            p.drawPath(parpado);
            p.setPen(contorno);
            continue;
        }
        p.setBrush(Qt::white);
        p.drawEllipse(c, 5.2, 5.6);
        const double dx = ojos == Ojos::Dcha ? 2.4 : ojos == Ojos::Izda ? -2.4 : 0;
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x0C, 0x0C, 0x1C));
        p.drawEllipse(QPointF(c.x() + dx, 8.5), 1.55, 1.4);
        p.restore();
    }
    p.end();
    QImage img =
        grande.scaled(QSize(36, 32) * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    img.setDevicePixelRatio(ratio);
    return img;
}

// The part of a variant that differs from the plain monster, cut to the given place.
QImage Diferencia(const QImage& base, const QImage& variante, const QRect& zona) {
    const int ratio = qRound(base.devicePixelRatio());
    QImage img = Lienzo(zona.width(), zona.height(), ratio);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QPoint q = zona.topLeft() * ratio + QPoint(x, y);
            if (base.pixel(q) != variante.pixel(q))
                img.setPixel(x, y, variante.pixel(q));
        }
    return img;
}

QImage Bocadillo(int ratio) {
    QImage img = Lienzo(120, 63, ratio);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath globo;
    globo.addRoundedRect(QRectF(2.5, 1.5, 114, 45), 17, 17);
    QPainterPath cola;
    cola.moveTo(18, 40);
    cola.quadTo(14, 52, 4, 60);
    cola.quadTo(22, 55, 34, 44);
    cola.closeSubpath();
    globo = globo.united(cola).simplified();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 20, 0, 60));
    p.drawPath(globo.translated(1.5, 2));
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x28, 0x30, 0x50), 1.4));
    p.drawPath(globo);
    return img;
}

// A jagged hole torn through the cork (and the note's corner), cut from the background
// itself so its rim matches what lies around it; outside the rim it is transparent.
QImage Roto(const QImage& fondo) {
    const int ratio = qRound(fondo.devicePixelRatio());
    QImage img = fondo.copy(QRect(kRoto.topLeft() * ratio, kRoto.size() * ratio))
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QRandomGenerator rnd(404);
    const QPointF centro(46, 40);
    // A lumpy outline with teeth of uneven depth, so it looks torn rather than cut.
    auto contorno = [&](double escala, double dientes) {
        QPolygonF borde;
        const int puntos = 64;
        const double fase = rnd.bounded(2 * M_PI);
        for (int i = 0; i < puntos; ++i) {
            const double a = 2 * M_PI * i / puntos + rnd.bounded(0.08);
            const double bulto = 1 + 0.12 * std::sin(3 * a + fase) + 0.07 * std::sin(5 * a + 1);
            const double diente = i % 2 ? dientes * (0.4 + rnd.bounded(0.6)) : rnd.bounded(0.05);
            const double r = escala * bulto * (1 - diente);
            borde << centro + QPointF(std::cos(a) * 25 * r, std::sin(a) * 21 * r);
        }
        QPainterPath camino;
        camino.addPolygon(borde);
        camino.closeSubpath();
        return camino;
    };
    const QPainterPath fibras = contorno(1.12, 0.1);
    const QPainterPath hueco = contorno(1.0, 0.22);
    QPainterPath grietas;
    for (int i = 0; i < 5; ++i) {
        const double a = rnd.bounded(2 * M_PI);
        QPointF punto = centro + QPointF(std::cos(a) * 22, std::sin(a) * 18);
        grietas.moveTo(punto);
        for (int tramo = 0; tramo < 3; ++tramo) {
            const double giro = a + rnd.bounded(0.9) - 0.45;
            punto += QPointF(std::cos(giro), std::sin(giro)) * (2.5 + rnd.bounded(3.0));
            grietas.lineTo(punto);
        }
    }
    QPainterPath migas;
    for (int i = 0; i < 12; ++i) {
        const double a = rnd.bounded(2 * M_PI);
        const double r = 1.22 + rnd.bounded(0.3);
        const QPointF c = centro + QPointF(std::cos(a) * 25 * r, std::sin(a) * 21 * r);
        migas.addEllipse(c, 0.8 + rnd.bounded(0.9), 0.7 + rnd.bounded(0.6));
    }

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Torn fibres: a pale, ragged rim of uneven width, and cracks running out of it.
    p.setPen(QPen(QColor(0x3A, 0x20, 0x08, 210), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(grietas);
    p.setPen(QPen(QColor(0x9A, 0x6A, 0x36, 160), 0.8));
    p.setBrush(QColor(255, 246, 222, 175));
    p.drawPath(fibras);
    QRadialGradient oscuro(centro + QPointF(4, 5), 30);
    oscuro.setColorAt(0, QColor(0x04, 0x02, 0x01));
    oscuro.setColorAt(0.75, QColor(0x1A, 0x0E, 0x06));
    oscuro.setColorAt(1, QColor(0x40, 0x26, 0x12));
    p.setPen(QPen(QColor(0x2A, 0x16, 0x06), 0.8));
    p.setBrush(oscuro);
    p.drawPath(hueco);
    // The upper rim's shadow falls into the hole.
    p.setClipPath(hueco);
    p.setPen(QPen(QColor(0, 0, 0, 160), 5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hueco.translated(2.5, 3.5));
    p.setClipping(false);
    // Crumbs thrown out around it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7A, 0x48, 0x1C, 220));
    p.drawPath(migas);
    p.end();

    // Keep only the hole, its rim and the crumbs.
    QImage forma = Lienzo(kRoto.width(), kRoto.height(), ratio);
    QPainter m(&forma);
    m.setRenderHint(QPainter::Antialiasing);
    m.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m.setBrush(Qt::black);
    m.drawPath(fibras);
    m.setBrush(Qt::NoBrush);
    m.drawPath(grietas);
    m.setPen(Qt::NoPen);
    m.setBrush(Qt::black);
    m.drawPath(migas);
    m.end();
    QPainter recorte(&img);
    recorte.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    recorte.drawImage(0, 0, forma);
    return img;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    FijarCarpeta(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    for (const int ratio : kRatios) {
        const QImage fondo = Fondo(ratio);
        Guardar(fondo, QStringLiteral("fondo.png"));
        Guardar(Aceptar(false, ratio), QStringLiteral("aceptar_normal.png"));
        Guardar(Aceptar(true, ratio), QStringLiteral("aceptar_apretado.png"));

        // The eye pictures lie on the monster at these places (monster at 19,311 in the box).
        const QImage moztro = Moztro(Ojos::Centro, ratio);
        Guardar(moztro, QStringLiteral("moztro.png"));
        Guardar(Diferencia(moztro, Moztro(Ojos::Cerrados, ratio), QRect(5, 1, 22, 12)),
                QStringLiteral("moztro_parpadea.png"));
        Guardar(Diferencia(moztro, Moztro(Ojos::Dcha, ratio), QRect(4, 7, 24, 3)),
                QStringLiteral("moztro_ojos_dcha.png"));
        Guardar(Diferencia(moztro, Moztro(Ojos::Izda, ratio), QRect(4, 7, 24, 3)),
                QStringLiteral("moztro_ojos_izda.png"));

        Guardar(Bocadillo(ratio), QStringLiteral("bocadillo.png"));
        Guardar(Roto(fondo), QStringLiteral("roto.png"));
    }
    return HuboFallos() ? 1 : 0;
}
