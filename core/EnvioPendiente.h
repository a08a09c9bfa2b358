#pragma once
// A note that waits for a board that was off, and when to try it again. The pauses grow
// after each failure and then stay at a quarter of an hour, for a week from the first one.
#include "core/DatosNota.h"

#include <QDateTime>
#include <QString>
#include <optional>

struct EnvioPendiente {
    quint64 Id = 0; // in memory only, to name an entry while others come and go
    DatosNota Nota; // as it was when it was queued
    QString IP;
    qint32 Puerto = 0;
    QString Nombre;  // as the address book named the target
    QDateTime Desde; // the first failure
    QDateTime Proximo;
    qint32 Intentos = 0; // failed attempts so far, the first one included

    bool operator==(const EnvioPendiente&) const = default;
};

namespace ReglaReintentos {

inline constexpr qint64 kDiasMaximos = 7;

// The pause after the given number of failed attempts (1 for the first failure).
qint64 PausaTrasFallosSegundos(qint32 fallos);
// The moment after which no attempt is made any more.
QDateTime Limite(const QDateTime& desde);
// When to try again after `fallos` failures, the last at `ahora`; the last attempt falls on
// the limit itself. Nothing once the limit is reached: the note is given up.
std::optional<QDateTime> ProximoIntento(const QDateTime& desde, qint32 fallos,
                                        const QDateTime& ahora);

} // namespace ReglaReintentos
