#pragma once
// The font a note record is drawn and edited with.
#include "core/DatosNota.h"

#include <QFont>

QFont FuenteDeNota(const DatosNota& datos);
