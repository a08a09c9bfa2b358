#include "net/SesionNota.h"

#include "core/UnitComunes.h"

#include "core/MarcasTiempo.h"
#include "net/Protocolo.h"

using namespace Protocolo;

namespace {

ResultadoMensaje Respuesta(const char* respuesta, AccionSesion accion = AccionSesion::Ninguna) {
    ResultadoMensaje r;
    r.Accion = accion;
    r.Respuesta = respuesta;
    return r;
}

} // namespace

QByteArray RespuestaCiao(const Remitente& remitente, const ModoRetiro& modo) {
    const nodoListaIP* entrada =
        remitente.Abuso && !remitente.Abuso->Permitido ? remitente.Abuso : remitente.Entrada;
    if (!entrada || entrada->Permitido)
        return kCiaoAck;
    if (entrada->FechaRetiro.isEmpty())
        return {};
    if (modo.RetiroPermanente)
        return kCiaoNoMas;
    if (modo.RetiroTemporal)
        return MensajeCiaoNoPermitidoPor(modo.RetiroTemporalMinutos);
    return {};
}

DatosNota NotaRecibida(const DatosNota& pendiente, const QDateTime& ahora, const QString& ip,
                       const QString& nombre) {
    DatosNota nota;
    const QDate hoy = ahora.date();
    nota.DayCreated = quint8(hoy.day());
    nota.MonthCreated = quint8(hoy.month());
    nota.YearCreated = hoy.year();
    nota.DayExpires = pendiente.DayExpires;
    nota.MonthExpires = pendiente.MonthExpires;
    nota.YearExpires = pendiente.YearExpires;
    nota.ReceivedTime = HoraTexto(ahora.time());
    nota.ReceivedFromIP = ip;
    nota.ReceivedFromUser = nombre;
    nota.FontStyle = pendiente.FontStyle;
    nota.FontName = pendiente.FontName;
    nota.FontSize = pendiente.FontSize;
    nota.FontColor = pendiente.FontColor;
    nota.Width = pendiente.Width;
    nota.Height = pendiente.Height;
    nota.Top = pendiente.Top;
    nota.Left = pendiente.Left;
    nota.Texto = pendiente.Texto;
    nota.ColorChincheta = TColorChincheta::Net;
    return nota;
}

ResultadoMensaje SesionNota::Procesar(QByteArrayView mensaje, const Remitente& remitente,
                                      const ModoRetiro& modo) {
    if (remitente.Permitido) {
        ResultadoMensaje r = ProcesarPermitido(mensaje, remitente);
        if (!r.Respuesta.isEmpty() || r.Accion != AccionSesion::Ninguna)
            return r;
    }
    if (mensaje == kCiao) {
        FRecibiendo = false;
        ResultadoMensaje r;
        r.Respuesta = RespuestaCiao(remitente, modo);
        return r;
    }
    if (remitente.Permitido)
        return Respuesta(kUnknown);
    return Respuesta(kNotAllowed, AccionSesion::RegistrarRechazo);
}

// The answers only a permitted sender gets; nothing for "CIAO" and unknown messages.
ResultadoMensaje SesionNota::ProcesarPermitido(QByteArrayView mensaje, const Remitente& remitente) {
    if (mensaje == kHola)
        return Respuesta(kHolaAck);
    if (mensaje == kVersion) {
        ResultadoMensaje r;
        r.Respuesta = MensajeVersionId();
        return r;
    }
    const QByteArrayView actualizar(kActualizarPuerto);
    if (mensaje.startsWith(actualizar)) {
        if (!remitente.Entrada)
            return Respuesta(kPuertoActualizado);
        // The answer keeps the peer in step; only a permitted entry takes a real port.
        if (!remitente.Entrada->Permitido)
            return Respuesta(kPuertoActualizado, AccionSesion::PuertoRechazado);
        const auto puerto = EnteroDeTexto(mensaje.sliced(actualizar.size()));
        if (!puerto)
            return Respuesta("", AccionSesion::ValorNoNumerico);
        if (*puerto < 1 || *puerto > 65535)
            return Respuesta(kPuertoActualizado, AccionSesion::PuertoRechazado);
        ResultadoMensaje r = Respuesta(kPuertoActualizado, AccionSesion::GuardarPuerto);
        r.Puerto = *puerto;
        return r;
    }
    if (mensaje == kNotaBegin) {
        FRecibiendo = true;
        FPendiente = NotaEntranteInicial();
        return Respuesta(kReady, AccionSesion::NotaEmpezada);
    }
    if (!FRecibiendo)
        return {};
    switch (GuardarCampo(mensaje, FPendiente)) {
    case LecturaCampo::Guardado:
        return Respuesta(kDataReceived);
    case LecturaCampo::NoNumerico:
        return Respuesta("", AccionSesion::ValorNoNumerico);
    case LecturaCampo::NoEsCampo:
        break;
    }
    if (mensaje == kNotaEnd) {
        FRecibiendo = false;
        ResultadoMensaje r = Respuesta(kNotaCreated, AccionSesion::CrearNota);
        r.Nota = FPendiente;
        return r;
    }
    return {};
}
