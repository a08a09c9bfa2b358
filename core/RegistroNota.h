#pragma once
// A note record with the id its board knows it by, for the dialogs that list the notes.
#include "core/DatosNota.h"

#include <QList>
#include <functional>

struct RegistroNota {
    qint64 Id = -1;
    DatosNota Datos;
};

// The board's notes as they are now, topmost first; an id stays with its note.
using LeerRegistros = std::function<QList<RegistroNota>()>;
// Acts on the note of that id, when it is still on the board.
using AccionNota = std::function<void(qint64 id)>;
