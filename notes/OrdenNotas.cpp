#include "notes/OrdenNotas.h"

#include "notes/Nota.h"
#include "notes/TableroNotas.h"
#include "notes/UnitComunes.h"

#include <algorithm>
#include <numeric>

QList<qsizetype> OrdenEstablePorFecha(const QList<FechaNota>& fechas, bool ascendente) {
    QList<qsizetype> orden(fechas.size());
    std::iota(orden.begin(), orden.end(), qsizetype(0));
    const int antes = ascendente ? -1 : 1;
    std::stable_sort(orden.begin(), orden.end(), [&](qsizetype a, qsizetype b) {
        const FechaNota& fa = fechas[a];
        const FechaNota& fb = fechas[b];
        return CompararFechas(fa.Dia, fa.Mes, fa.Anio, fb.Dia, fb.Mes, fb.Anio) == antes;
    });
    return orden;
}

void OrganizarNotas(TableroNotas& tablero, bool PorCreacion, bool Ascendente) {
    const QList<TNota*> notas(tablero.Notas().begin(), tablero.Notas().end());
    QList<FechaNota> fechas;
    fechas.reserve(notas.size());
    for (const TNota* nota : notas) {
        if (PorCreacion)
            fechas.append({nota->DayCreated(), nota->MonthCreated(), nota->YearCreated()});
        else
            fechas.append({nota->DayExpires(), nota->MonthExpires(), nota->YearExpires()});
    }
    QList<TNota*> orden;
    orden.reserve(notas.size());
    for (const qsizetype i : OrdenEstablePorFecha(fechas, Ascendente))
        orden.append(notas[i]);
    if (!orden.isEmpty())
        tablero.ReordenarNotas(orden);
    tablero.MarcarNotasCambiadas();
}
