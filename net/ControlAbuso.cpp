#include "net/ControlAbuso.h"

ControlAbuso::ControlAbuso(ListaIP& lista, Reloj reloj) : FLista(lista), FReloj(std::move(reloj)) {}

std::optional<CambioPermiso> ControlAbuso::ControlarAbuso(const QString& ip, nodoListaIP* propia,
                                                          const ReglasAbuso& reglas) {
    if (!reglas.HabilitarNumMaxNotas)
        return std::nullopt;
    // A sender admitted through a pattern is counted alone: withdrawing the pattern would
    // shut out every other address it covers.
    nodoListaIP* entrada = propia && propia->Permitido ? propia : &FLista.PorPatron().Registro(ip);
    const QDateTime ahora = FReloj();
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
    return CambioPermiso{llegada.Fecha, llegada.Hora, ip, propia ? propia->Nombre : QString()};
}

ResultadoRestitucion ControlAbuso::RestituirTemporales(int retiroTemporalMinutos) {
    const QDateTime ahora = FReloj();
    const QString fecha = FechaTexto(ahora.date());
    const QString hora = HoraTexto(ahora.time());
    ResultadoRestitucion resultado;
    const auto revisar = [&](nodoListaIP& entrada, const QString& nombre) {
        if (entrada.Permitido || entrada.FechaRetiro.isEmpty() || entrada.HoraRetiro.isEmpty())
            return;
        resultado.Pendiente = true;
        if (SegundosEntre(fecha, hora, entrada.FechaRetiro, entrada.HoraRetiro) <
            qint64(retiroTemporalMinutos) * 60)
            return;
        resultado.Restituidos.append({fecha, hora, entrada.IP, nombre});
        entrada.FechaRetiro.clear();
        entrada.HoraRetiro.clear();
        entrada.Permitido = true;
    };
    for (nodoListaIP& entrada : FLista.Entradas())
        revisar(entrada, entrada.Nombre);
    FLista.PorPatron().ParaCada(
        [&](nodoListaIP& registro) { revisar(registro, FLista.NombreDeIP(registro.IP)); });
    return resultado;
}
