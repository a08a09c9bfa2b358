// The round button faces: an amber disc, raised or sunk, with its symbol on top.
#include "Generador.h"
#include "SuperficieAmbar.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <cmath>
#include <functional>
#include <numbers>

namespace Generador {
namespace {

constexpr int kEscala = 4;
const QColor kPanelVentana(0xC3, 0x85, 0x00); // behind the window buttons
const QColor kFondoHueco(0x40, 0x24, 0x00);   // the socket around a toolbar button
const QColor kAmarillo(0xFF, 0xEE, 0x78);
const QColor kTinta(0x3C, 0x20, 0x00);

using Simbolo = std::function<void(QPainter&)>;

QImage Disco(int lado, bool apretado, const QColor& fondo, int ratio) {
    CampoAltura campo(lado * kEscala * ratio, lado * kEscala * ratio, kEscala * ratio);
    const double radio = lado / 2.0;
    for (int y = 0; y < campo.alto; ++y)
        for (int x = 0; x < campo.ancho; ++x) {
            const float borde = float(radio - std::hypot(campo.PX(x) - radio, campo.PY(y) - radio));
            if (borde <= 0)
                continue;
            const int i = campo.Indice(x, y);
            campo.dentro[i] = 1;
            campo.altura[i] = apretado ? -0.8f * PerfilBisel(borde) : PerfilBisel(borde);
            campo.tono[i] = apretado ? 0.88f : 1.0f;
        }
    return Sombrear(campo, fondo, ratio);
}

QImage Cara(int lado, bool apretado, const QColor& fondo, const Simbolo& simbolo, int ratio) {
    QImage img =
        Disco(lado, apretado, fondo, ratio).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (apretado)
        p.translate(1, 1);
    simbolo(p);
    return img;
}

// Engraved ink: a light lip below and to the right, as the light falls into the groove.
void Grabar(QPainter& p, const QPainterPath& forma) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xEE, 0xB0, 200));
    p.drawPath(forma.translated(0.9, 0.9));
    p.setBrush(kTinta);
    p.drawPath(forma);
}

QPainterPath Marco(const QRectF& fuera, const QRectF& hueco) {
    QPainterPath r;
    r.addRect(fuera);
    QPainterPath h;
    h.addRect(hueco);
    return r.subtracted(h);
}

void LineasTexto(QPainter& p, const QRectF& zona, int lineas) {
    p.setPen(QPen(QColor(0x80, 0x70, 0x40), 1.1, Qt::SolidLine, Qt::RoundCap));
    const double paso = zona.height() / (lineas - 1);
    for (int l = 0; l < lineas; ++l) {
        const double largo = zona.width() * (l == lineas - 1 ? 0.6 : 1.0);
        const double y = zona.top() + l * paso;
        p.drawLine(QPointF(zona.left(), y), QPointF(zona.left() + largo, y));
    }
}

QPainterPath Engranaje(QPointF c, double rFuera, double rDentro, int dientes, double rEje) {
    QPolygonF contorno;
    const double paso = 2 * std::numbers::pi / dientes;
    for (int i = 0; i < dientes; ++i) {
        const double a = i * paso;
        for (auto [da, r] :
             {std::pair{-0.30, rDentro}, {-0.17, rFuera}, {0.17, rFuera}, {0.30, rDentro}})
            contorno << c + QPointF(std::cos(a + da * paso * 1.6), std::sin(a + da * paso * 1.6)) *
                                r;
    }
    QPainterPath g;
    g.addPolygon(contorno);
    g.closeSubpath();
    QPainterPath eje;
    eje.addEllipse(c, rEje, rEje);
    return g.subtracted(eje);
}

void SimboloAdd(QPainter& p) {
    p.translate(22, 23);
    p.rotate(-7);
    NotaAmarilla(p, {21, 21}, kAmarillo);
    LineasTexto(p, QRectF(-6.5, -2, 13, 8), 3);
    CabezaChincheta(p, QPointF(0, -7), 3.8, QColor(0x20, 0x50, 0xE0));
}

void SimboloConf(QPainter& p) {
    p.translate(-1.5, -1.5);
    const QRectF ventana(10, 11, 19, 18);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRect(ventana.translated(1.2, 1.5));
    p.setPen(QPen(QColor(0x50, 0x50, 0x60), 0.9));
    p.setBrush(QColor(0xF6, 0xF4, 0xEC));
    p.drawRect(ventana);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x48, 0xB0));
    p.drawRect(QRectF(ventana.left() + 0.5, ventana.top() + 0.5, ventana.width() - 1, 3.5));
    LineasTexto(p, QRectF(13, 18.5, 8, 6), 3);
    const QPainterPath rueda = Engranaje(QPointF(28.5, 28.5), 8, 6, 8, 2.3);
    QRadialGradient acero(QPointF(26, 26), 9);
    acero.setColorAt(0, QColor(0xF0, 0xF2, 0xF4));
    acero.setColorAt(1, QColor(0x78, 0x80, 0x88));
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(rueda.translated(1, 1.3));
    p.setPen(QPen(QColor(0x38, 0x3C, 0x44), 0.9));
    p.setBrush(acero);
    p.drawPath(rueda);
}

void SimboloOrg(QPainter& p) {
    const struct {
        double x, y, giro;
        int aclarado;
    } notas[] = {{17, 17, -12, 125}, {22, 21, 6, 112}, {26, 26, -3, 100}};
    for (const auto& n : notas) {
        p.save();
        p.translate(n.x, n.y);
        p.rotate(n.giro);
        NotaAmarilla(p, {17, 17}, kAmarillo.lighter(n.aclarado));
        p.restore();
    }
    p.save();
    p.translate(26, 26);
    p.rotate(-3);
    LineasTexto(p, QRectF(-5, -1, 10, 6), 3);
    p.restore();
    CabezaChincheta(p, QPointF(26, 20), 3, QColor(0xD8, 0x18, 0x18));
}

void SimboloBus(QPainter& p) {
    const QPointF centro(19, 19);
    const double radio = 8.5;
    QPen mango(QColor(0x3A, 0x22, 0x10), 5.2, Qt::SolidLine, Qt::RoundCap);
    p.setPen(QPen(QColor(0, 0, 0, 70), 5.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(27, 28), QPointF(34, 35));
    p.setPen(mango);
    p.drawLine(QPointF(25.8, 25.8), QPointF(33, 33));
    p.setPen(QPen(QColor(0x8A, 0x5A, 0x30), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(27, 26.2), QPointF(32.4, 31.6));
    QRadialGradient vidrio(centro - QPointF(3, 3), radio * 1.5);
    vidrio.setColorAt(0, QColor(0xF0, 0xFA, 0xFF, 235));
    vidrio.setColorAt(1, QColor(0x90, 0xC0, 0xE0, 220));
    p.setBrush(vidrio);
    p.setPen(QPen(QColor(0x40, 0x44, 0x4C), 2.8));
    p.drawEllipse(centro, radio, radio);
    p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 220), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centro.x() - 5.5, centro.y() - 5.5, 11, 11), 100 * 16, 70 * 16);
}

void SimboloMin(QPainter& p) {
    QPainterPath barra;
    barra.addRoundedRect(QRectF(9, 17.5, 12, 3.5), 1, 1);
    Grabar(p, barra);
}

void SimboloMax(QPainter& p) {
    Grabar(p, Marco(QRectF(8.5, 8.5, 13, 13), QRectF(10.3, 12, 9.4, 7.7)));
}

void SimboloRes(QPainter& p) {
    const QRectF atras(11.5, 7.5, 11, 10), delante(7.5, 12, 11, 10);
    QPainterPath tapa;
    tapa.addRect(delante);
    QPainterPath forma = Marco(atras, atras.adjusted(1.6, 3, -1.6, -1.6)).subtracted(tapa);
    Grabar(p, forma.united(Marco(delante, delante.adjusted(1.6, 3, -1.6, -1.6))));
}

void SimboloCerrar(QPainter& p) {
    QPainterPath aspas;
    aspas.moveTo(10, 10);
    aspas.lineTo(20, 20);
    aspas.moveTo(20, 10);
    aspas.lineTo(10, 20);
    QPainterPathStroker trazo;
    trazo.setWidth(3.4);
    trazo.setCapStyle(Qt::RoundCap);
    Grabar(p, trazo.createStroke(aspas).simplified());
}

} // namespace

void GenerarBotones(int ratio) {
    const struct {
        const char* nombre;
        int lado;
        Simbolo simbolo;
    } botones[] = {{"add", 44, SimboloAdd}, {"conf", 44, SimboloConf},    {"org", 44, SimboloOrg},
                   {"bus", 44, SimboloBus}, {"min", 30, SimboloMin},      {"max", 30, SimboloMax},
                   {"res", 30, SimboloRes}, {"cerrar", 30, SimboloCerrar}};
    for (const auto& b : botones) {
        const QColor fondo = b.lado == 30 ? kPanelVentana : kFondoHueco;
        for (bool apretado : {false, true})
            Guardar(Cara(b.lado, apretado, fondo, b.simbolo, ratio),
                    QString("boton_%1%2.png").arg(b.nombre, apretado ? "_apretado" : ""));
    }
}

} // namespace Generador
