#include "app/PiezaMarco.h"

#include <QMouseEvent>
#include <QPainter>

PiezaMarco::PiezaMarco(Modo modo, QWidget* parent) : QWidget(parent), FModo(modo) {}

void PiezaMarco::setImagen(const QPixmap& imagen) {
    FImagen = imagen;
    update();
}

void PiezaMarco::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (FImagen.isNull())
        return;
    if (FModo == Modo::Estirada) {
        p.drawPixmap(rect(), FImagen);
    } else {
        const QSize s = FImagen.size() / FImagen.devicePixelRatio();
        p.drawPixmap((width() - s.width()) / 2, (height() - s.height()) / 2, FImagen);
    }
}

void PiezaMarco::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(event);
    else
        event->ignore();
}

void PiezaMarco::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove)
        OnMouseMove(event);
    else
        event->ignore();
}
