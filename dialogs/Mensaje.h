#pragma once
// Every message box of the program goes through here, so tests can answer in place of a person.
#include "core/IconoMensaje.h"

#include <QMessageBox>
#include <functional>

struct PeticionMensaje {
    QString Titulo;
    QString Texto; // lines separated by CR, as the program writes them
    IconoMensaje Icono;
    QMessageBox::StandardButtons Botones;
    QMessageBox::StandardButton PorDefecto;
};

using RespondedorMensajes = std::function<QMessageBox::StandardButton(const PeticionMensaje&)>;

QMessageBox::StandardButton
MostrarMensaje(QWidget* owner, const QString& titulo, const QString& texto, IconoMensaje icono,
               QMessageBox::StandardButtons botones = QMessageBox::Ok,
               QMessageBox::StandardButton porDefecto = QMessageBox::NoButton);

// A dialog, a box or a menu is open: what the board brings up unasked waits until it closes,
// and retries after kEsperaDialogoMs.
bool DialogoAbierto();
inline constexpr int kEsperaDialogoMs = 250;

// Replaces the modal box; an empty function brings the box back.
void FijarRespondedorMensajes(RespondedorMensajes respondedor);
