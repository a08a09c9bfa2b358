// The drawings that several pictures share.
#include "Generador.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace Generador {

void CabezaChincheta(QPainter& p, QPointF centro, double radio, const QColor& color) {
    p.save();
    QRadialGradient g(centro - QPointF(radio * 0.28, radio * 0.42), radio * 1.39);
    g.setColorAt(0, color.lighter(170));
    g.setColorAt(0.45, color);
    g.setColorAt(1, color.darker(190));
    p.setBrush(g);
    p.setPen(QPen(color.darker(250), radio / 9));
    p.drawEllipse(centro, radio, radio);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(centro - QPointF(radio, radio * 1.2) * 0.35, radio * 0.28, radio * 0.21);
    p.restore();
}

void NotaAmarilla(QPainter& p, QSizeF tam, const QColor& papel) {
    const QRectF r(-tam.width() / 2, -tam.height() / 2, tam.width(), tam.height());
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRect(r.translated(1.2, 1.6));
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, papel.lighter(112));
    g.setColorAt(1, papel.darker(108));
    p.setBrush(g);
    p.setPen(QPen(papel.darker(220), 0.9));
    p.drawRect(r);
    p.restore();
}

void SinSuavizar(QPainter& p, const std::function<void()>& dibujar) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    if (p.device()->devicePixelRatio() > 1)
        p.translate(0.5, 0.5);
    dibujar();
    p.restore();
}

} // namespace Generador
