#include "app/BotonRedondo.h"

#include "notes/FocoVisible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

BotonRedondo::BotonRedondo(int diametro, const Caras& principal, QWidget* parent)
    : QWidget(parent), FPrincipal(principal) {
    resize(diametro, diametro);
    setMask(QRegion(0, 0, diametro, diametro, QRegion::Ellipse));
    setToolTip(principal.Pista);
    // Reached by Tab; a click does not take the focus from the note being worked on.
    setFocusPolicy(Qt::TabFocus);
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
    if (hasFocus() && FMarcaFoco) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.drawEllipse(QRectF(rect()).adjusted(2, 2, -2, -2));
    }
}

void BotonRedondo::Pulsar() {
    if (!OnPulsar)
        return;
    // The pressed face shows while the action runs, as under a click.
    MostrarApretado();
    QPointer<BotonRedondo> vivo(this);
    OnPulsar();
    if (vivo)
        MostrarNormal();
}

void BotonRedondo::keyPressEvent(QKeyEvent* event) {
    const bool pulsa = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                       event->key() == Qt::Key_Enter;
    if (!pulsa || event->modifiers() & ~Qt::KeypadModifier) {
        event->ignore();
        return;
    }
    Pulsar();
}

void BotonRedondo::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    FMarcaFoco = MarcaDeFocoVisible(this, event, FMarcaFoco);
    update();
}

void BotonRedondo::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
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
