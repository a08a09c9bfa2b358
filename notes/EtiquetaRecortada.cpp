#include "notes/EtiquetaRecortada.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

QString EtiquetaRecortada::TextoMostrado() const {
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width(),
                                    Qt::TextSingleLine);
}

QSize EtiquetaRecortada::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral("……")),
            QLabel::minimumSizeHint().height()};
}

void EtiquetaRecortada::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    style()->drawItemText(&pintor, contentsRect(),
                          int(QStyle::visualAlignment(layoutDirection(), alignment())) |
                              Qt::TextSingleLine,
                          palette(), isEnabled(), TextoMostrado(), foregroundRole());
}

bool EtiquetaRecortada::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip || !toolTip().isEmpty())
        return QLabel::event(event);
    if (TextoMostrado() != text())
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    else
        QToolTip::hideText();
    return true;
}
