#pragma once
// A note put somewhere as a drag leaves it: on the screen and in its record.
#include "notes/Nota.h"

inline void Colocar(TNota* nota, QRect donde) {
    nota->setGeometry(donde);
    nota->GuardarGeometria();
}

inline void Colocar(TNota* nota, QPoint donde) {
    Colocar(nota, QRect(donde, nota->size()));
}
