#pragma once
// Moves a widget with the mouse until the button is released, wherever the mouse events
// go meanwhile; stands in for the system's interactive move of a window.
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>

class ArrastreRaton : public QObject {
public:
    // Starts at once; alTerminar runs after the release, unless the widget is gone.
    static void Iniciar(QWidget* widget, QPoint globalInicial, std::function<void()> alTerminar);
    // For a whole window: once the pointer has really moved, the window system takes over
    // the move where it can. Until then a click stays a click, so double-clicks still work.
    static void IniciarVentana(QWidget* ventana, QPoint globalInicial);
    static bool EnCurso();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ArrastreRaton(QWidget* widget, QPoint globalInicial, std::function<void()> alTerminar,
                  bool esVentana);
    void Terminar();

    QPointer<QWidget> FWidget;
    QPoint FInicioRaton;
    QPoint FInicioWidget;
    std::function<void()> FAlTerminar;
    bool FMoviendo = false;
};
