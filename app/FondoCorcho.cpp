#include "app/FondoCorcho.h"

#include <QMouseEvent>
#include <QPainter>

FondoCorcho::FondoCorcho(const QPixmap& tesela, QWidget* parent)
    : QWidget(parent), FTesela(tesela) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FondoCorcho::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.drawTiledPixmap(event->rect(), FTesela, event->rect().topLeft());
}

void FondoCorcho::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(event);
}

void FondoCorcho::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt folds the second press into the double-click; pass it on after the double-click
    // so the board's guard sees the press it expects.
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick();
    if (OnMouseDown)
        OnMouseDown(event);
}
