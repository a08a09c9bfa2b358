#include "net/ControlAbuso.h"

ControlAbuso::ControlAbuso(ListaIP& lista, Reloj reloj) : lista_(lista), reloj_(std::move(reloj)) {}

std::optional<CambioPermiso> ControlAbuso::ControlarAbuso(const QString& ip,
                                                          const ReglasAbuso& reglas) {
    nodoListaIP* entrada = lista_.BuscarIP(ip);
    if (!reglas.HabilitarNumMaxNotas || !entrada)
        return std::nullopt;
    const QDateTime ahora = reloj_();
    const nodoListaNotaRecibida llegada{FechaTexto(ahora.date()), HoraTexto(ahora.time())};
    QList<nodoListaNotaRecibida>& llegadas = entrada->NotasRecibidas;
    llegadas.append(llegada);
    if (llegadas.size() <= reglas.NumMaxNotas)
        return std::nullopt;
    const qint64 segundos =
        SegundosEntre(llegada.Fecha, llegada.Hora, llegadas.first().Fecha, llegadas.first().Hora);
    llegadas.removeFirst();
    if (segundos >= reglas.NumMinSegundos)
        return std::nullopt;
    entrada->Permitido = false;
    if (reglas.Modo.RetiroTemporal) {
        entrada->FechaRetiro = llegada.Fecha;
        entrada->HoraRetiro = llegada.Hora;
    } else if (reglas.Modo.RetiroPermanente) {
        entrada->FechaRetiro = llegada.Fecha;
        entrada->HoraRetiro.clear();
    }
    return CambioPermiso{llegada.Fecha, llegada.Hora, entrada->IP, entrada->Nombre};
}

ResultadoRestitucion ControlAbuso::RestituirTemporales(int retiroTemporalMinutos) {
    const QDateTime ahora = reloj_();
    const QString fecha = FechaTexto(ahora.date());
    const QString hora = HoraTexto(ahora.time());
    ResultadoRestitucion resultado;
    for (nodoListaIP& entrada : lista_.Entradas()) {
        if (entrada.Permitido || entrada.FechaRetiro.isEmpty() || entrada.HoraRetiro.isEmpty())
            continue;
        resultado.Pendiente = true;
        if (SegundosEntre(fecha, hora, entrada.FechaRetiro, entrada.HoraRetiro) <
            qint64(retiroTemporalMinutos) * 60)
            continue;
        resultado.Restituidos.append({fecha, hora, entrada.IP, entrada.Nombre});
        entrada.FechaRetiro.clear();
        entrada.HoraRetiro.clear();
        entrada.Permitido = true;
    }
    return resultado;
}
