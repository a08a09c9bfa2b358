#pragma once
// The organizer's order without the dialog.
#include <QList>
#include <QtGlobal>

class TableroNotas;

struct FechaNota {
    quint8 Dia = 0;
    quint8 Mes = 0;
    qint32 Anio = 0;
};

// Indices of the dates in their new order; equal dates keep their order in both directions.
QList<qsizetype> OrdenEstablePorFecha(const QList<FechaNota>& fechas, bool ascendente);

// Orders the board's notes by creation or due date: the first ends topmost, the last at the
// bottom; positions and sizes stay. Marks the notes as changed.
void OrganizarNotas(TableroNotas& tablero, bool PorCreacion, bool Ascendente);
