#include "core/NotasCaducadas.h"

#include "core/UnitComunes.h"

bool FechaCaducada(quint8 dia, quint8 mes, qint32 anio, QDate hoy) {
    return CompararFechas(dia, mes, anio, quint8(hoy.day()), quint8(hoy.month()), hoy.year()) <= 0;
}

bool NotaCaducada(const DatosNota& nota, QDate hoy) {
    return FechaCaducada(nota.DayExpires, nota.MonthExpires, nota.YearExpires, hoy);
}

bool HayNotasCaducadas(const QList<RegistroNota>& notas, QDate hoy) {
    for (const RegistroNota& nota : notas)
        if (NotaCaducada(nota.Datos, hoy))
            return true;
    return false;
}

qsizetype BuscarCaducada(qsizetype cuenta, qsizetype desde, int paso,
                         const std::function<bool(qsizetype)>& caducada) {
    if (paso == 0)
        return -1;
    for (qsizetype i = desde; i >= 0 && i < cuenta; i += paso)
        if (caducada(i))
            return i;
    return -1;
}

VistaCaducada VistaEn(qsizetype cuenta, qsizetype indice,
                      const std::function<bool(qsizetype)>& caducada) {
    if (indice < 0 || indice >= cuenta)
        return {};
    return {indice, BuscarCaducada(cuenta, indice - 1, -1, caducada) >= 0,
            BuscarCaducada(cuenta, indice + 1, 1, caducada) >= 0};
}

VistaCaducada PrimeraCaducada(qsizetype cuenta, const std::function<bool(qsizetype)>& caducada) {
    return VistaEn(cuenta, BuscarCaducada(cuenta, 0, 1, caducada), caducada);
}

VistaCaducada PasoCaducada(qsizetype cuenta, qsizetype actual, int paso,
                           const std::function<bool(qsizetype)>& caducada) {
    return VistaEn(cuenta, BuscarCaducada(cuenta, actual + paso, paso, caducada), caducada);
}

VistaCaducada TrasBorrarCaducada(qsizetype cuenta, qsizetype borrada,
                                 const std::function<bool(qsizetype)>& caducada) {
    qsizetype destino = BuscarCaducada(cuenta, borrada, 1, caducada);
    if (destino < 0)
        destino = BuscarCaducada(cuenta, borrada - 1, -1, caducada);
    return VistaEn(cuenta, destino, caducada);
}
