#pragma once
// Copies that keep the user's data when the data file itself cannot: the recovery copy
// of a save that failed at shutdown, and the original of a file a save would shorten.
#include "storage/ErrorArchivo.h"

#include <QString>
#include <QStringList>
#include <functional>

// Where the recovery copy of a data file goes, in the order tried: beside the file, in the
// per-user data folder, in the temporary folder.
QStringList RutasRecuperacion(const QString& ruta);
// The first recovery copy that exists, or empty.
QString RecuperacionExistente(const QString& ruta);
// Saves at the first place that takes the copy; the copy's path, or empty when none did.
QString GuardarRecuperacion(const QString& ruta,
                            const std::function<ErrorArchivo(const QString&)>& guardar);
void BorrarRecuperaciones(const QString& ruta);

// Copies the file as it is to "<ruta>.original" (".original.2" and on when taken by a
// different file); the copy's path, or empty when it could not be made.
QString ConservarOriginal(const QString& ruta);
