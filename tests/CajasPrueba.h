#pragma once
// The message boxes answered in place of a person, and kept.
#include "notes/Mensaje.h"

#include <QStringList>
#include <functional>

struct Cajas {
    QList<PeticionMensaje> vistas;
    QMessageBox::StandardButton respuesta = QMessageBox::Ok;
    std::function<void()> alMostrar; // runs while the box is open
    Cajas() {
        FijarRespondedorMensajes([this](const PeticionMensaje& p) {
            vistas << p;
            if (alMostrar)
                alMostrar();
            return respuesta;
        });
    }
    ~Cajas() { FijarRespondedorMensajes({}); }
    QStringList Textos() const {
        QStringList textos;
        for (const PeticionMensaje& p : vistas)
            textos << p.Texto;
        return textos;
    }
};
