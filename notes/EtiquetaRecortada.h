#pragma once
// A one-line label for a text that may be longer than its room: the whole text when it fits,
// else its middle elided, and then the whole text as the tooltip. text() stays the whole.
#include <QLabel>

class EtiquetaRecortada : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // What is painted at the present width.
    QString TextoMostrado() const;
    // Any width will do: the text gives way, not the window.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};
