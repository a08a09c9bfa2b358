#pragma once
// The organizer's order without the dialog.
#include "core/DatosNota.h"

#include <QList>
#include <QtGlobal>

struct FechaNota {
    quint8 Dia = 0;
    quint8 Mes = 0;
    qint32 Anio = 0;
};

// Indices of the dates in their new order; equal dates keep their order in both directions.
QList<qsizetype> OrdenEstablePorFecha(const QList<FechaNota>& fechas, bool ascendente);

// The notes given head to tail in the organizer's order, as indices into them: by creation or
// due date, the first to end topmost.
QList<qsizetype> OrdenOrganizado(const QList<DatosNota>& notas, bool PorCreacion, bool Ascendente);
