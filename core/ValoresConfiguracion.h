#pragma once
// What the configuration dialog stores from the text of its fields.
#include <QString>

// The number a field holds, or porDefecto when its text is empty, holds anything but the
// digits 0 to 9, or is too large for a 32-bit integer.
int NumeroDeCampo(const QString& texto, int porDefecto);

// The note server's port of a field: a number from 1025 to 9999, else the default port.
int PuertoServidorDeCampo(const QString& texto);

// The log file name stored at OK: the field, or porDefecto when logging is on and the field
// is empty.
QString NombreLogDeCampo(const QString& texto, bool crearLog, const QString& porDefecto);
