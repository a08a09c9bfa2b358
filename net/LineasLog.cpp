#include "net/LineasLog.h"

#include "core/MarcasTiempo.h"

namespace {

QString NombreEntreParentesis(const QString& nombre) {
    return QStringLiteral("  (") + nombre + u')';
}

QString NombreSiLoHay(const QString& nombre) {
    return nombre.isEmpty() ? QString() : NombreEntreParentesis(nombre);
}

} // namespace

QString LineaNotaRecibida(const DatosNota& nota, const OpcionesLog& opciones) {
    const QString mes = nota.MonthCreated >= 1 && nota.MonthCreated <= 12
                            ? NombreMes[nota.MonthCreated]
                            : QString();
    QString linea = (nota.DayCreated < 10 ? QStringLiteral("(0") : QStringLiteral("(")) +
                    QString::number(nota.DayCreated) + u'-' + mes + u'-' +
                    QString::number(nota.YearCreated) + QStringLiteral("  ") + nota.ReceivedTime +
                    QStringLiteral(")  Recibida Nota de: ") + nota.ReceivedFromIP;
    if (opciones.LogWithSenderName)
        linea += NombreEntreParentesis(nota.ReceivedFromUser);
    if (opciones.LogWithNotaText)
        linea +=
            QStringLiteral("  TEXTO: ") + ReemplazarCaracter(nota.Texto, u'\r', u' ').remove(u'\n');
    return linea;
}

QString LineaIntentoNoPermitido(const QDateTime& momento, const QString& ip,
                                const QString& nombre) {
    return MarcaLog(momento) + QStringLiteral(">>> INTENTO DE ACCESO DESDE IP NO PERMITIDO: ") +
           ip + NombreSiLoHay(nombre);
}

QString LineaIntentosRepetidos(const QDateTime& momento, const QString& ip, const QString& nombre,
                               qint64 veces) {
    if (ip.isEmpty())
        return MarcaLog(momento) +
               QStringLiteral(">>> INTENTOS DE ACCESO DESDE OTRAS IPs NO PERMITIDAS: %1 en el "
                              "último minuto")
                   .arg(veces);
    return LineaIntentoNoPermitido(momento, ip, nombre) +
           QStringLiteral("  (%1 intentos más en el último minuto)").arg(veces);
}

QString LineaRetiro(const CambioPermiso& retiro, const ModoRetiro& modo) {
    QString linea = PrefijoLog(retiro.Fecha, retiro.Hora) + QStringLiteral(">>> RETIRADO PERMISO ");
    if (modo.RetiroPermanente)
        linea += QStringLiteral("PERMANENTEMENTE ");
    if (modo.RetiroTemporal)
        linea += QStringLiteral("TEMPORALMENTE (%1 minutos ) ").arg(modo.RetiroTemporalMinutos);
    return linea + QStringLiteral("A ") + retiro.IP + NombreSiLoHay(retiro.Nombre);
}

QString LineaRestitucion(const CambioPermiso& restitucion) {
    return PrefijoLog(restitucion.Fecha, restitucion.Hora) +
           QStringLiteral(">>> RESTITUIDO PERMISO A ") + restitucion.IP +
           NombreSiLoHay(restitucion.Nombre);
}

QString LineaPendienteEntregada(const QDateTime& momento, const QString& ip,
                                const QString& nombre) {
    return MarcaLog(momento) + QStringLiteral("Nota pendiente entregada a: ") + ip +
           NombreSiLoHay(nombre);
}

QString LineaPendienteAbandonada(const QDateTime& momento, const QString& ip, const QString& nombre,
                                 const QString& motivo) {
    return MarcaLog(momento) + QStringLiteral("Nota pendiente no entregada a: ") + ip +
           NombreSiLoHay(nombre) + QStringLiteral("  ") + motivo;
}
