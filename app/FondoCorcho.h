#pragma once
// The cork background: one tile repeated over a surface as large as the screen.
#include <QPixmap>
#include <QWidget>
#include <functional>

class FondoCorcho : public QWidget {
public:
    FondoCorcho(const QPixmap& tesela, QWidget* parent);

    std::function<void(QMouseEvent*)> OnMouseDown;
    std::function<void()> OnDblClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPixmap FTesela;
};
