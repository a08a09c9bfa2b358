#pragma once
// What the note dialogs may do to the board's notes; the board implements it.
#include "core/ListaNotas.h"

#include <QList>

class QWidget;
class TNota;

class TableroNotas {
public:
    virtual ~TableroNotas() = default;

    // Topmost first; the first is the current note.
    virtual const ListaNotas& Notas() const = 0;
    // Brings the note to the front and makes it the current note.
    virtual void NotaAlFrente(TNota* nota) = 0;
    // Brings the note to the front of the stacking order only.
    virtual void SubirNota(TNota* nota) = 0;
    // Restarts the autosave countdown.
    virtual void MarcarNotasCambiadas() = 0;
    // Takes the note off the board and destroys it once control returns to the event loop.
    virtual void BorrarNota(TNota* nota) = 0;
    // New list order, topmost first, and the same stacking on the board; same notes only.
    virtual void ReordenarNotas(const QList<TNota*>& orden) = 0;
    // The board's window, owner of the dialogs.
    virtual QWidget* Ventana() = 0;
};
