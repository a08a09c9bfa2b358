#pragma once
// One piece of the board's frame: a picture stretched over the piece or centred in it.
#include <QPixmap>
#include <QWidget>
#include <functional>

class PiezaMarco : public QWidget {
public:
    enum class Modo { Estirada, Centrada };

    PiezaMarco(Modo modo, QWidget* parent);
    void setImagen(const QPixmap& imagen);

    std::function<void(QMouseEvent*)> OnMouseDown;
    std::function<void(QMouseEvent*)> OnMouseMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    Modo FModo;
    QPixmap FImagen;
};
