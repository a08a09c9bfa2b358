#pragma once
// The font a note record is drawn and edited with.
#include "core/DatosNota.h"

#include <QFont>

QFont FuenteDeNota(const DatosNota& datos);

// A new note's font: the application's, by the name of the font really used.
void FuentePorDefecto(DatosNota& datos);
