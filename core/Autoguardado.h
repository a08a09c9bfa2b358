#pragma once
// When the notes are due on disk. A save falls 300 ticks after the first unsaved change,
// however many changes follow it; the start of an incoming note brings it to 30 ticks
// later at most. Nothing moves a due save further away, so no change waits longer.
#include <QObject>

class QTimer;

class Autoguardado : public QObject {
    Q_OBJECT
public:
    static constexpr int kTicksAutoguardado = 300;
    static constexpr int kTicksNotaEntrante = 270;

    // reloj: the tick source, run at one tick a second while a save is pending.
    explicit Autoguardado(QTimer& reloj, QObject* parent = nullptr);

    void Cambio();
    void NotaEntrante();
    // The notes are on disk (or will not be saved by the countdown): nothing pending.
    void Guardado();
    void Tic();

    bool Pendiente() const { return FPendiente; }
    // Ticks towards the save, which falls when it reaches kTicksAutoguardado.
    int Contador() const { return FContador; }

signals:
    void GuardadoDebido();

private:
    void Armar(int contador);

    QTimer& FReloj;
    int FContador = 0;
    bool FPendiente = false;
};
