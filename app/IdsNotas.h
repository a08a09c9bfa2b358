#pragma once
// Ids for the board's notes while a dialog lists them as records: a note keeps its id, and a
// note made where a destroyed one was gets a new one.
#include "core/ListaNotas.h"
#include "core/RegistroNota.h"

#include <QHash>
#include <QPointer>

class TNota;

class IdsNotas {
public:
    QList<RegistroNota> Registros(const ListaNotas& notas);
    // Null once the note is destroyed.
    TNota* Nota(IdNota id) const;

private:
    QList<QPointer<TNota>> FNotas;
    QHash<const TNota*, IdNota> FIds;
};
