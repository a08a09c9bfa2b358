#include "core/OrdenNotas.h"

#include "core/UnitComunes.h"

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

QList<qsizetype> OrdenOrganizado(const QList<DatosNota>& notas, bool PorCreacion, bool Ascendente) {
    QList<FechaNota> fechas;
    fechas.reserve(notas.size());
    for (const DatosNota& nota : notas) {
        if (PorCreacion)
            fechas.append({nota.DayCreated, nota.MonthCreated, nota.YearCreated});
        else
            fechas.append({nota.DayExpires, nota.MonthExpires, nota.YearExpires});
    }
    return OrdenEstablePorFecha(fechas, Ascendente);
}
