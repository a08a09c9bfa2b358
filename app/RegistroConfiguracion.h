#pragma once
// Reading and writing the settings values, one per setting, with the repair of values
// that cannot be read. Knows nothing of windows.
#include "core/Configuracion.h"
#include "storage/ErrorArchivo.h"

#include <QString>

class QSettings;

namespace RegistroConfiguracion {

// The user's settings file, in the INI layout QSettings keeps on Linux. At the end of its
// symbolic links, so that a save writes the target and keeps the link.
QString RutaArchivo();

// The settings were saved before: this is not the first run.
bool Existe(const QSettings& registro);

// Reads every value into its variable. A value that is missing, no number or out of its
// bounds (a port outside 1 to 65535) is written back with its repair value while the
// variable keeps its default for this run.
// TipoPinaco keeps the low byte of the stored number, and anything but 1 or 2 is 1.
void Leer(QSettings& registro, Configuracion& config, EstadoVentana& estado);

// Writes every value: numbers as decimal text, booleans as 1 and 0. The stored left and top
// stay when the position is not known. An error when the file could not be written.
ErrorArchivo Escribir(QSettings& registro, const Configuracion& config,
                      const EstadoVentana& estado);

} // namespace RegistroConfiguracion
