#include "core/Autoguardado.h"

#include <QTimer>
#include <algorithm>

Autoguardado::Autoguardado(QTimer& reloj, QObject* parent) : QObject(parent), FReloj(reloj) {
    FReloj.setInterval(1000);
    FReloj.stop();
    connect(&FReloj, &QTimer::timeout, this, &Autoguardado::Tic);
}

void Autoguardado::Cambio() {
    if (!FPendiente)
        Armar(0);
}

void Autoguardado::NotaEntrante() {
    Armar(std::max(FContador, kTicksNotaEntrante));
}

void Autoguardado::Guardado() {
    FContador = 0;
    FPendiente = false;
    FReloj.stop();
}

void Autoguardado::Tic() {
    if (!FPendiente || ++FContador < kTicksAutoguardado)
        return;
    // Reset first: the receiver saves, or marks a change again when the save fails.
    Guardado();
    emit GuardadoDebido();
}

void Autoguardado::Armar(int contador) {
    FContador = contador;
    FPendiente = true;
    // Restarting a running timer would put its next tick off: a stream of changes
    // faster than a tick would stop the count.
    if (!FReloj.isActive())
        FReloj.start();
}
