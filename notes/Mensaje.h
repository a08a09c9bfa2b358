#pragma once
// Every message box of the program goes through here, so tests can answer in place of a person.
#include <QMessageBox>
#include <functional>

enum class IconoMensaje { Error, Exclamacion, Informacion, Pregunta };

struct PeticionMensaje {
    QString Titulo;
    QString Texto; // lines separated by CR, as the program writes them
    IconoMensaje Icono;
    QMessageBox::StandardButtons Botones;
};

using RespondedorMensajes = std::function<QMessageBox::StandardButton(const PeticionMensaje&)>;

QMessageBox::StandardButton MostrarMensaje(QWidget* owner, const QString& titulo,
                                           const QString& texto, IconoMensaje icono,
                                           QMessageBox::StandardButtons botones = QMessageBox::Ok);

// Replaces the modal box; an empty function brings the box back.
void FijarRespondedorMensajes(RespondedorMensajes respondedor);
