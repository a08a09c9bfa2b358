#pragma once
// The board's part in receiving a note.
#include "core/DatosNota.h"

class TableroRed {
public:
    virtual ~TableroRed() = default;

    // A note has begun to arrive: the autosave waits for it a little longer.
    virtual void NotaEmpezada() = 0;
    // Places the filled received note among the others and puts it on the board there,
    // shaded and shown. Gives back the record as it lies on the board.
    virtual DatosNota ColocarNotaRecibida(const DatosNota& nota) = 0;
    // After the answer: the sound, and the tray icon's blink while the board sits in the tray.
    virtual void NotaEntregada() = 0;
};
