#pragma once
// A round window button: a pressed face under a normal face. The maximise button holds a
// second pair (restore) and swaps between the two.
#include <QPixmap>
#include <QWidget>
#include <functional>

class BotonRedondo : public QWidget {
public:
    struct Caras {
        QPixmap Normal;
        QPixmap Apretado;
        QString Pista; // hint of the normal face
    };

    BotonRedondo(int diametro, const Caras& principal, QWidget* parent);
    void setAlterna(const Caras& alterna) { FAlterna = alterna; }
    // Which pair is in front: the main one (maximise) or the other one (restore).
    void MostrarAlterna(bool alterna);
    bool AlternaVisible() const { return FEnAlterna; }
    bool Apretado() const { return FApretado; }
    void setColorFondo(const QColor& color) { FFondo = color; }

    std::function<void(QMouseEvent*)> OnMouseDown;
    std::function<void(QMouseEvent*)> OnMouseUp;
    // The button's action without a mouse: Space, Enter, or a screen reader's press.
    std::function<void()> OnPulsar;
    void Pulsar();

    // The faces, brought to the front by the board's button rules.
    void MostrarApretado();
    void MostrarNormal();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Taken here, so that a wobble of the pointer never reaches the piece underneath.
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    const Caras& Actuales() const { return FEnAlterna ? FAlterna : FPrincipal; }

    Caras FPrincipal;
    Caras FAlterna;
    bool FEnAlterna = false;
    bool FApretado = false;
    bool FMarcaFoco = false;
    QColor FFondo;
};
