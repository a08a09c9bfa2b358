#pragma once
// A note record with the id its board knows it by, for the dialogs that list the notes.
#include "core/DatosNota.h"

#include <QList>
#include <functional>

// Ids are never reused within a run, so whoever holds one cannot reach another note after
// its own is gone.
using IdNota = qint64;
inline constexpr IdNota kSinNota = -1;

struct RegistroNota {
    IdNota Id = kSinNota;
    DatosNota Datos;
};

// The board's notes as they are now, topmost first; an id stays with its note.
using LeerRegistros = std::function<QList<RegistroNota>()>;
// Each note in turn, topmost first, without a copy of the whole board.
using VisitaNota = std::function<void(IdNota id, const DatosNota& datos)>;
using RecorrerNotas = std::function<void(const VisitaNota& visita)>;
inline RecorrerNotas RecorrerRegistros(LeerRegistros leer) {
    return [leer = std::move(leer)](const VisitaNota& visita) {
        for (const RegistroNota& nota : leer())
            visita(nota.Id, nota.Datos);
    };
}
// Acts on the note of that id, when it is still on the board.
using AccionNota = std::function<void(IdNota id)>;
