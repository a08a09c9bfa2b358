#pragma once
// Copies that keep the user's data when the data file itself cannot: the recovery copy
// of a save that failed at shutdown, the original of a file a save would shorten, and
// a version some other writer left in the file.
#include "storage/ErrorArchivo.h"
#include "storage/EstadoArchivo.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Where the recovery copy of a data file goes, in the order tried: beside the file, in the
// per-user data folder, in the temporary folder.
QStringList RutasRecuperacion(const QString& ruta);

struct CopiaRecuperacion {
    QString Ruta;
    // The data file the copy was made over; none for a copy without a readable note of it.
    std::optional<EstadoArchivo> Base;
};
// The recovery copies that exist, in the order of RutasRecuperacion.
QList<CopiaRecuperacion> RecuperacionesExistentes(const QString& ruta);
// Saves at the first place that takes the copy, with a note beside it of the data file
// it stands for (none when that is not known); a place holding a copy not listed in `propias` is
// left alone. The copy's path, or empty when none did.
QString GuardarRecuperacion(const QString& ruta,
                            const std::function<ErrorArchivo(const QString&)>& guardar,
                            const std::optional<EstadoArchivo>& base, const QStringList& propias);
// The copy and its note.
void BorrarRecuperacion(const QString& copia);

// Copies the file as it is to "<ruta><sufijo>" (then "<sufijo>.2" and on when taken by a
// different file); the copy's path, or empty when it could not be made.
QString ConservarCopia(const QString& ruta, const QString& sufijo);
