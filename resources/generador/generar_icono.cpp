// Paints the program's icon from the board's look: cork in the amber frame, a cream note
// and a red pushpin. One drawing in vectors gives every size of the icon theme and the
// scalable one. Run by hand; its output under resources/icono is committed:
//   pinaco_generar_icono <folder>
#include "Generador.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QSvgGenerator>

namespace {

// On a square of 256 units; the painter is scaled to the size wanted.
void PintarIcono(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    // The amber frame and the cork inside it.
    QLinearGradient ambar(0, 0, 256, 256);
    ambar.setColorAt(0, QColor(0xF0, 0xC0, 0x50));
    ambar.setColorAt(0.5, QColor(0xC8, 0x88, 0x18));
    ambar.setColorAt(1, QColor(0x90, 0x58, 0x08));
    p.setPen(QPen(QColor(0x60, 0x3C, 0x04), 4));
    p.setBrush(ambar);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 36, 36);
    QLinearGradient corcho(0, 28, 0, 228);
    corcho.setColorAt(0, QColor(0xDC, 0xB0, 0x78));
    corcho.setColorAt(1, QColor(0xC4, 0x94, 0x58));
    p.setPen(QPen(QColor(0x80, 0x50, 0x10), 2));
    p.setBrush(corcho);
    const QRectF dentro(28, 28, 200, 200);
    p.drawRoundedRect(dentro, 18, 18);
    // The cork's granules, few and large enough to survive the small sizes.
    QRandomGenerator rnd(1998);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
        const QPointF punto(40 + rnd.bounded(176.0), 40 + rnd.bounded(176.0));
        p.setBrush(QColor(0x8C, 0x5E, 0x30, 90 + rnd.bounded(80)));
        p.drawEllipse(punto, 1.5 + rnd.bounded(2.0), 1.5 + rnd.bounded(2.0));
    }
    // The note, turned a little, with lines of text.
    p.save();
    p.translate(132, 136);
    p.rotate(-6);
    Generador::NotaAmarilla(p, QSizeF(132, 140), QColor(0xFF, 0xFF, 0xE3));
    p.setPen(QPen(QColor(0x60, 0x60, 0x70), 7, Qt::SolidLine, Qt::RoundCap));
    for (int l = 0; l < 4; ++l)
        p.drawLine(QPointF(-46, -22 + l * 22), QPointF(l == 3 ? 10 : 46, -22 + l * 22));
    p.restore();
    Generador::CabezaChincheta(p, QPointF(126, 78), 20, QColor(0xD8, 0x18, 0x18));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString carpeta = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    Generador::FijarCarpeta(carpeta);
    // The theme's sizes are the icon's finer pictures too: no "@2x" twins.
    for (const int lado : {16, 22, 32, 48, 64, 128, 256}) {
        QImage img = Generador::Lienzo(lado, lado, 1);
        QPainter p(&img);
        p.scale(lado / 256.0, lado / 256.0);
        PintarIcono(p);
        p.end();
        Generador::Guardar(img, QStringLiteral("pinaco-%1.png").arg(lado));
    }
    QSvgGenerator svg;
    svg.setFileName(carpeta + "/pinaco.svg");
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("Pinaco"));
    QPainter p(&svg);
    PintarIcono(p);
    return Generador::HuboFallos() ? 1 : 0;
}
