#pragma once
// The notes waiting to be sent, in a file of their own beside the data files, so that the
// notes file and the address book keep their layouts. A header line, the number of
// entries, then per entry its address, port, name, first failure, next attempt and
// failures, each on a line ended by CR LF (moments in UTC, ISO 8601 with milliseconds),
// followed by the note record as the notes file lays it out; a last line "FIN" shows that
// nothing was cut off.
#include "core/EnvioPendiente.h"
#include "storage/ErrorArchivo.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

inline constexpr char kCabeceraPendientes[] = "PINACO_PENDIENTES_1.0";

struct ResultadoCargaPendientes {
    QList<EnvioPendiente> Envios; // empty after an error: the file is not ours to trust
    ErrorArchivo Error = ErrorArchivo::Ninguno;
    bool Existe = false;
};

// Empty when a field holds a character the file cannot carry.
QByteArray BytesPendientes(const QList<EnvioPendiente>& envios);
// Nothing waiting removes the file.
ErrorArchivo GuardarPendientes(const QString& ruta, const QList<EnvioPendiente>& envios);

// Damage of any kind (a wrong header, a field out of place, a cut-off end) is
// ErrorArchivo::NumeroNoValido. Ids are handed out from 1.
ResultadoCargaPendientes LeerPendientes(QByteArrayView bytes);
// A missing file is no error and gives nothing to send.
ResultadoCargaPendientes CargarPendientes(const QString& ruta);
