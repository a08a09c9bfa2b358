#pragma once
// Which notes have come due, and the stepping over them, without the dialog.
#include "core/RegistroNota.h"

#include <QDate>
#include <QtGlobal>
#include <functional>

// Due today or earlier.
bool FechaCaducada(quint8 dia, quint8 mes, qint32 anio, QDate hoy);
bool NotaCaducada(const DatosNota& nota, QDate hoy);
// Whether the dialog has anything to show.
bool HayNotasCaducadas(const QList<RegistroNota>& notas, QDate hoy);

// Index of the nearest expired entry from desde on, stepping by paso (-1 towards the
// first, +1 towards the last), or -1; desde may lie outside 0..cuenta-1.
qsizetype BuscarCaducada(qsizetype cuenta, qsizetype desde, int paso,
                         const std::function<bool(qsizetype)>& caducada);

// What the dialog shows: a note index with its two neighbours, or nothing (indice -1).
struct VistaCaducada {
    qsizetype Indice = -1;
    bool HayAnterior = false;
    bool HaySiguiente = false;
    bool operator==(const VistaCaducada&) const = default;
};

// The entry with whether expired ones lie before and after it; nothing outside the range.
VistaCaducada VistaEn(qsizetype cuenta, qsizetype indice,
                      const std::function<bool(qsizetype)>& caducada);
// The first expired entry, as the dialog opens.
VistaCaducada PrimeraCaducada(qsizetype cuenta, const std::function<bool(qsizetype)>& caducada);
// One step from the shown entry; nothing when there is none that way.
VistaCaducada PasoCaducada(qsizetype cuenta, qsizetype actual, int paso,
                           const std::function<bool(qsizetype)>& caducada);
// After the entry at borrada was taken out (cuenta is the new count): the next one towards
// the last, or else the previous one, or nothing.
VistaCaducada TrasBorrarCaducada(qsizetype cuenta, qsizetype borrada,
                                 const std::function<bool(qsizetype)>& caducada);
