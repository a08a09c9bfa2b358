// Paints the board's pictures at every pixel ratio. Run by hand after changing a drawing; its
// output under resources/imagenes is committed:  pinaco_generar_imagenes <folder>
#include "Generador.h"

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>

namespace {

using namespace Generador;

// Light tan cork with a diagonal grain and dark granules; tiles without seams because
// every mark is drawn again one tile away.
QImage Corcho(int ratio) {
    const int w = 238, h = 262;
    QImage img = Lienzo(w, h, ratio, QImage::Format_RGB32);
    img.fill(QColor(0xD2, 0xA6, 0x6E));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRandomGenerator rnd(1998);
    auto repetido = [&](auto dibujar) {
        for (int dx : {-w, 0, w})
            for (int dy : {-h, 0, h})
                dibujar(dx, dy);
    };
    for (int i = 0; i < 1400; ++i) {
        const double x = rnd.bounded(w), y = rnd.bounded(h);
        const double largo = 2 + rnd.bounded(7.0);
        const int tono = rnd.bounded(60);
        QColor c = rnd.bounded(2) ? QColor(0xB8 - tono, 0x86 - tono / 2, 0x4E - tono / 3, 150)
                                  : QColor(0xE6, 0xC2 - tono / 3, 0x8C - tono / 3, 120);
        p.setPen(QPen(c, 1 + rnd.bounded(1.6)));
        repetido([&](int dx, int dy) {
            p.drawLine(QPointF(x + dx, y + dy), QPointF(x + dx + largo, y + dy + largo * 0.8));
        });
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 900; ++i) {
        const double x = rnd.bounded(w), y = rnd.bounded(h), r = 0.5 + rnd.bounded(1.4);
        const int tono = rnd.bounded(70);
        p.setBrush(QColor(0x8C - tono, 0x5E - tono / 2, 0x30 - tono / 3, 170));
        repetido([&](int dx, int dy) { p.drawEllipse(QPointF(x + dx, y + dy), r, r); });
    }
    return img;
}

// A round pushpin head seen from above at a slant, with its shadow.
QImage Chincheta(const QColor& color, bool red, int ratio) {
    QImage img = Lienzo(19, 19, ratio);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(QPointF(10.5, 11.5), 7, 6.5);
    CabezaChincheta(p, QPointF(9, 9), 7.2, color);
    if (red) {
        // The network pin carries a small white arc of waves.
        p.setPen(QPen(Qt::white, 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5, 5, 8, 8), 30 * 16, 120 * 16);
        p.drawArc(QRectF(7.5, 7.5, 3, 3), 30 * 16, 120 * 16);
    }
    return img;
}

QImage Agarradera(int ratio) {
    QImage img = Lienzo(12, 12, ratio);
    QPainter p(&img);
    SinSuavizar(p, [&p] {
        for (int k = 0; k < 3; ++k) {
            const int d = 3 + 4 * k;
            p.setPen(QColor(0xFF, 0xFF, 0xFF));
            p.drawLine(11, 11 - d, 11 - d, 11);
            p.setPen(QColor(0xA0, 0x98, 0x70));
            p.drawLine(11, 12 - d, 12 - d, 11);
        }
    });
    return img;
}

// Grey outline of a pinned note with a folded corner; the second face adds a small yellow
// note with a red pin. The outlines are drawn without smoothing to stay crisp at 16 pixels.
QImage IconoBandeja(bool conNota, int ratio) {
    QImage img = Lienzo(16, 16, ratio);
    QPainter p(&img);
    SinSuavizar(p, [&p] {
        p.setPen(QColor(0x50, 0x50, 0x50));
        p.setBrush(QColor(0xEE, 0xEE, 0xEE));
        p.drawPolygon(QPolygon({{1, 2}, {12, 2}, {12, 11}, {9, 14}, {1, 14}}));
        p.setBrush(QColor(0xB8, 0xB8, 0xB8));
        p.drawPolygon(QPolygon({{12, 11}, {9, 11}, {9, 14}}));
        p.setPen(QColor(0x90, 0x90, 0x90));
        for (int y : {6, 8, 10})
            p.drawLine(3, y, y == 10 ? 7 : 10, y);
    });
    p.setRenderHint(QPainter::Antialiasing);
    CabezaChincheta(p, QPointF(6.5, 3), 2.4, QColor(0x70, 0x70, 0x70));
    if (conNota) {
        SinSuavizar(p, [&p] {
            p.setPen(QColor(0x68, 0x50, 0x00));
            p.setBrush(QColor(0xFF, 0xE0, 0x30));
            p.drawRect(8, 8, 7, 7);
        });
        CabezaChincheta(p, QPointF(11.5, 11), 2, QColor(0xE0, 0x10, 0x10));
    }
    return img;
}

// The strip at the left of the dialogs: amber-gold with the board's grain and a row of
// small pinned notes, tall enough for every dialog.
QImage FranjaDialogo(int ratio) {
    const int w = 70, h = 480;
    QImage img = Lienzo(w, h, ratio, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fondo(0, 0, w, 0);
    fondo.setColorAt(0, QColor(0xB0, 0x70, 0x10));
    fondo.setColorAt(0.5, QColor(0xE8, 0xB0, 0x40));
    fondo.setColorAt(1, QColor(0xA0, 0x64, 0x0C));
    p.fillRect(QRect(0, 0, w, h), fondo);
    QRandomGenerator rnd(2004);
    for (int i = 0; i < 500; ++i) {
        const double x = rnd.bounded(w), y = rnd.bounded(h);
        p.setPen(QPen(QColor(0x80, 0x50, 0x08, 60), 1));
        p.drawLine(QPointF(x, y), QPointF(x + 4, y + 3));
    }
    const QColor pines[] = {QColor(0xD8, 0x18, 0x18), QColor(0x20, 0x40, 0xD0),
                            QColor(0x20, 0xA0, 0x30), QColor(0x90, 0x30, 0xB0)};
    for (int k = 0; k < 6; ++k) {
        const double y = 24 + k * 76;
        p.save();
        p.translate(35, y + 24);
        p.rotate(k % 2 ? 6 : -5);
        p.setPen(QPen(QColor(0, 0, 0, 60), 1));
        p.setBrush(QColor(0, 0, 0, 50));
        p.drawRect(QRectF(-20, -22, 44, 50));
        p.setPen(QPen(QColor(0xC8, 0xC0, 0x90), 1));
        p.setBrush(QColor(0xFF, 0xFF, 0xE3));
        p.drawRect(QRectF(-22, -24, 44, 50));
        p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
        for (int l = 0; l < 4; ++l)
            p.drawLine(QPointF(-15, -6 + l * 8), QPointF(15 - (l % 2) * 8, -6 + l * 8));
        p.restore();
        p.drawImage(QPointF(26, y - 6), Chincheta(pines[k % 4], false, ratio));
    }
    return img;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    FijarCarpeta(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const QColor colores[] = {QColor(0xD8, 0x18, 0x18), QColor(0x20, 0xA0, 0x30),
                              QColor(0x20, 0x40, 0xD0), QColor(0x20, 0xC8, 0xD8),
                              QColor(0xF0, 0xD0, 0x10), QColor(0x90, 0x30, 0xB0),
                              QColor(0xF0, 0x80, 0x10)};
    for (const int ratio : kRatios) {
        Guardar(Corcho(ratio), "corcho.png");
        for (int i = 0; i < 7; ++i)
            Guardar(Chincheta(colores[i], i == 6, ratio), QString("chincheta%1.png").arg(i));
        Guardar(Agarradera(ratio), "agarradera.png");
        Guardar(IconoBandeja(false, ratio), "bandeja0.png");
        Guardar(IconoBandeja(true, ratio), "bandeja1.png");
        Guardar(FranjaDialogo(ratio), "franja.jpg");
        GenerarMarco(ratio);
        GenerarBotones(ratio);
    }
    return HuboFallos() ? 1 : 0;
}
