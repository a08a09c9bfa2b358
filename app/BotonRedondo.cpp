#include "app/BotonRedondo.h"

#include <QMouseEvent>
#include <QPainter>

BotonRedondo::BotonRedondo(int diametro, const Caras& principal, QWidget* parent)
    : QWidget(parent), FPrincipal(principal) {
    resize(diametro, diametro);
    setMask(QRegion(0, 0, diametro, diametro, QRegion::Ellipse));
    setToolTip(principal.Pista);
}

void BotonRedondo::MostrarAlterna(bool alterna) {
    FEnAlterna = alterna;
    FApretado = false;
    setToolTip(Actuales().Pista);
    update();
}

void BotonRedondo::MostrarApretado() {
    FApretado = true;
    update();
}

void BotonRedondo::MostrarNormal() {
    FApretado = false;
    update();
}

void BotonRedondo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (FFondo.isValid())
        p.fillRect(rect(), FFondo);
    const QPixmap& cara = FApretado ? Actuales().Apretado : Actuales().Normal;
    p.drawPixmap(rect(), cara);
}

void BotonRedondo::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(event);
}

void BotonRedondo::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp)
        OnMouseUp(event);
}

void BotonRedondo::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}
