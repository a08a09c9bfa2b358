#include "net/ClienteNotas.h"

#include "core/Cp1252.h"
#include "net/Protocolo.h"

#include <QHostAddress>
#include <QTcpSocket>

using namespace Protocolo;

namespace {

const QString kLineaSinServidor =
    QStringLiteral("ERROR: No se encuentró Servidor en la máquina remota.");
const QString kSinServidorRemoto = QStringLiteral("No se encontró Servidor en el equipo Remoto.");
const QString kEnviadaCorrectamente = QStringLiteral("La Nota se envió correctamente.");
const QString kNoPermitido =
    QStringLiteral("No le está permitido enviar Notas a la máquina remota.");
const QString kSinServidor = QStringLiteral("No se encontró Servidor en la máquina remota.");
const QString kLineaSinRespuesta = QStringLiteral("ERROR: No se recibe respuesta del Servidor.");
const AvisoEnvio kAvisoSinRespuesta{
    QStringLiteral("TimeOut"),
    QStringLiteral("La comunicación se estableció con éxito,\rpero no se recibe respuesta alguna."),
    IconoMensaje::Error};
const QString kLimiteSobrepasado =
    QStringLiteral("\rHa sobrepasado el límite de Notas-por-unidad-de-tiempo del equipo remoto.\r"
                   "Se le ha retirado el permiso ");

QString Resto(const QByteArray& mensaje, const char* clave) {
    return Cp1252::Decodificar(QByteArrayView(mensaje).sliced(qstrlen(clave)));
}

} // namespace

ClienteNotas::ClienteNotas(QObject* parent) : QObject(parent) {
    TimerTimeOut.setSingleShot(true);
    connect(&TimerTimeOut, &QTimer::timeout, this, &ClienteNotas::TimerTimeOutTimer);
}

ClienteNotas::~ClienteNotas() {
    if (FSocket)
        FSocket->disconnect(this);
    delete FSocket;
}

bool ClienteNotas::Enviar(const DestinoEnvio& destino, const DatosNota& nota,
                          std::optional<qint32> puertoPropio) {
    if (Ocupado())
        return true;
    std::optional<QList<QByteArray>> campos = MensajesCampos(nota);
    if (!campos)
        return false;
    FCampos = std::move(*campos);
    FPuertoPropio = puertoPropio;
    Empezar(destino, Modo::Envio);
    return true;
}

void ClienteNotas::Comprobar(const DestinoEnvio& destino) {
    Empezar(destino, Modo::Comprobacion);
}

void ClienteNotas::ComprobarHost(const DestinoEnvio& destino) {
    Empezar(destino, Modo::ComprobacionHost);
}

void ClienteNotas::Empezar(const DestinoEnvio& destino, Modo modo) {
    if (Ocupado())
        return;
    FModo = modo;
    FEstado = Estado::Conectando;
    FResultado = ResultadoEnvio::Inalcanzable;
    FLog.clear();
    if (FModo != Modo::ComprobacionHost)
        Linea(QStringLiteral("Estableciendo comunicación con %1...").arg(destino.Nombre));
    const QHostAddress direccion(destino.IP);
    if (direccion.protocol() != QAbstractSocket::IPv4Protocol) {
        FalloAlAbrir();
        return;
    }
    FSocket = new QTcpSocket(this);
    connect(FSocket, &QTcpSocket::connected, this, &ClienteNotas::AlConectar);
    connect(FSocket, &QTcpSocket::readyRead, this, &ClienteNotas::AlLeer);
    // Only this attempt's own socket can end it; a refused connection ends it at once.
    connect(FSocket, &QTcpSocket::errorOccurred, this, &ClienteNotas::TimerTimeOutTimer);
    TimerTimeOut.start(EsperaConexionMs);
    FSocket->connectToHost(
        direccion, quint16(destino.Puerto >= 0 && destino.Puerto <= 65535 ? destino.Puerto : 0));
}

// Nothing to connect to: the attempt fails at once.
void ClienteNotas::FalloAlAbrir() {
    switch (FModo) {
    case Modo::Envio:
        Acabar(false, kLineaSinServidor,
               {QStringLiteral("Error!"), kSinServidorRemoto, IconoMensaje::Error});
        break;
    case Modo::Comprobacion:
        Acabar(false, kSinServidorRemoto,
               {QStringLiteral("Resultado:"), kSinServidorRemoto, IconoMensaje::Informacion});
        break;
    case Modo::ComprobacionHost:
        Acabar(false, {}, {QStringLiteral("Resultado:"), kSinServidor, IconoMensaje::Informacion});
        break;
    }
}

void ClienteNotas::AlConectar() {
    if (FModo == Modo::Comprobacion)
        Linea(QStringLiteral("Comunicación establecida."));
    EnviarMensaje(kHola, Estado::EsperaHolaAck);
}

void ClienteNotas::AlLeer() {
    // The strict alternation makes all that one read brings one message.
    const QByteArray respuesta = FSocket->readAll();
    // The receiver weighs the permission at every message; the closing request is the one
    // it never refuses.
    if (respuesta == kNotAllowed && FEstado != Estado::EsperaCiaoAck) {
        Rechazado();
        return;
    }
    switch (FEstado) {
    case Estado::EsperaHolaAck:
        AlSaludo(respuesta);
        break;
    case Estado::EsperaVersion:
        AlVersion(respuesta);
        break;
    case Estado::EsperaPuerto:
        if (respuesta == kPuertoActualizado)
            EnviarMensaje(kNotaBegin, Estado::EsperaReady);
        break;
    case Estado::EsperaReady:
        AlReady(respuesta);
        break;
    case Estado::EsperaDato:
        AlDato(respuesta);
        break;
    case Estado::EsperaCreada:
        AlCrear(respuesta);
        break;
    case Estado::EsperaCiaoAck:
        AlDespedir(respuesta);
        break;
    case Estado::Libre:
    case Estado::Conectando:
        break;
    }
}

void ClienteNotas::AlSaludo(const QByteArray& respuesta) {
    if (respuesta != kHolaAck)
        return;
    if (FModo == Modo::Envio)
        Linea(QStringLiteral("Comunicación establecida."));
    EnviarMensaje(kVersion, Estado::EsperaVersion);
}

void ClienteNotas::AlVersion(const QByteArray& respuesta) {
    if (!respuesta.startsWith(kVersionId))
        return;
    const QString version = Resto(respuesta, kVersionId);
    switch (FModo) {
    case Modo::Envio:
        CambiarLinea(1, QStringLiteral("Comunicación establecida.  (Versión: %1)").arg(version));
        Linea(QStringLiteral("Enviando datos."));
        if (FPuertoPropio)
            EnviarMensaje(MensajeActualizarPuerto(*FPuertoPropio), Estado::EsperaPuerto);
        else
            EnviarMensaje(kNotaBegin, Estado::EsperaReady);
        break;
    case Modo::Comprobacion:
        Linea(QStringLiteral("Puede enviarle Notas a este sistema.  (Versión %1)").arg(version));
        EnviarMensaje(kCiao, Estado::EsperaCiaoAck);
        Avisar({QStringLiteral("Resultado:"),
                QStringLiteral("Comunicación establecida satisfactoriamente.\rPuede enviarle "
                               "Notas a este Sistema.\r\r(Versión del Pinaco remoto: %1)")
                    .arg(version),
                IconoMensaje::Informacion});
        break;
    case Modo::ComprobacionHost:
        Acabar(false, {},
               {QStringLiteral("Resultado:"),
                QStringLiteral("Puede enviar Notas a la máquina remota.\r"
                               "Versión del Pinaco remoto: %1")
                    .arg(version),
                IconoMensaje::Informacion});
        break;
    }
}

void ClienteNotas::AlReady(const QByteArray& respuesta) {
    if (respuesta != kReady)
        return;
    CampoEnviado = 1;
    EnviarSiguienteCampo();
}

void ClienteNotas::AlDato(const QByteArray& respuesta) {
    if (respuesta == kDataReceived)
        EnviarSiguienteCampo();
}

void ClienteNotas::AlCrear(const QByteArray& respuesta) {
    if (respuesta != kNotaCreated)
        return;
    Linea(QStringLiteral("Nota enviada correctamente."));
    FLog.prepend(QStringLiteral(" "));
    emit LogCambiado();
    EnviarMensaje(kCiao, Estado::EsperaCiaoAck);
}

void ClienteNotas::AlDespedir(const QByteArray& respuesta) {
    if (FModo != Modo::Envio) {
        if (respuesta == kCiaoAck)
            Terminar(false);
        return;
    }
    QString texto = kEnviadaCorrectamente;
    if (respuesta == kCiaoNoMas)
        texto += kLimiteSobrepasado + QStringLiteral("permanentemente.");
    else if (respuesta.startsWith(kCiaoNoPor))
        texto +=
            kLimiteSobrepasado +
            QStringLiteral("durante los próximos %1 minutos.").arg(Resto(respuesta, kCiaoNoPor));
    else if (respuesta != kCiaoAck)
        return;
    Acabar(true, {}, {QStringLiteral("Notificación:"), texto, IconoMensaje::Informacion});
}

QString ClienteNotas::TextoNoPermitido() {
    return kNoPermitido;
}

void ClienteNotas::Rechazado() {
    FResultado = ResultadoEnvio::Rechazada;
    switch (FModo) {
    case Modo::Envio:
        Acabar(false, "ERROR: " + kNoPermitido,
               {QStringLiteral("¡Atención!"), kNoPermitido, IconoMensaje::Exclamacion});
        break;
    case Modo::Comprobacion: {
        const QString noPermitido =
            QStringLiteral("No le está permitido enviar Notas al equipo Remoto.");
        Acabar(false, noPermitido,
               {QStringLiteral("Resultado:"),
                QStringLiteral("Comunicación establecida satisfactoriamente.\r") + noPermitido,
                IconoMensaje::Informacion});
        break;
    }
    case Modo::ComprobacionHost:
        Acabar(false, {}, {QStringLiteral("Resultado:"), kNoPermitido, IconoMensaje::Informacion});
        break;
    }
}

void ClienteNotas::EnviarMensaje(const QByteArray& mensaje, Estado siguiente) {
    if (!FSocket || FSocket->state() != QAbstractSocket::ConnectedState)
        return;
    FEstado = siguiente;
    // Every answer is awaited for a bounded time, not only the greeting's.
    TimerTimeOut.start(EsperaRespuestaMs);
    FSocket->write(mensaje);
}

void ClienteNotas::EnviarSiguienteCampo() {
    const bool ultimo = CampoEnviado == kNumCampos + 1;
    if (ultimo)
        EnviarMensaje(kNotaEnd, Estado::EsperaCreada);
    else
        EnviarMensaje(FCampos.value(CampoEnviado - 1), Estado::EsperaDato);
    if (FLog.size() > 2)
        CambiarLinea(2, FLog[2] + (ultimo ? QStringLiteral(". (OK)") : QStringLiteral(".")));
    ++CampoEnviado;
}

void ClienteNotas::TimerTimeOutTimer() {
    if (!Ocupado())
        return;
    const bool host = FModo == Modo::ComprobacionHost;
    if (FEstado == Estado::EsperaCreada)
        FResultado = ResultadoEnvio::SinConfirmar;
    else if (FEstado != Estado::Conectando && FEstado != Estado::EsperaHolaAck)
        FResultado = ResultadoEnvio::Interrumpida;
    switch (FEstado) {
    case Estado::Conectando:
        if (host)
            Acabar(false, {},
                   {QStringLiteral("Resultado:"), kSinServidor, IconoMensaje::Informacion});
        else
            Acabar(false, kLineaSinServidor,
                   {QStringLiteral("¡Atención!"), kSinServidor, IconoMensaje::Exclamacion});
        break;
    case Estado::EsperaCreada: {
        // Whether the peer created the note is unknown; it is told goodbye all the same.
        if (FSocket->state() == QAbstractSocket::ConnectedState)
            FSocket->write(kCiao);
        Acabar(false, kLineaSinRespuesta + QStringLiteral(" Terminando conexión."),
               {QString(),
                QStringLiteral("La Nota se envió completa, pero el equipo remoto\r"
                               "dejó de responder... No es seguro que la haya creado."),
                IconoMensaje::Informacion});
        break;
    }
    case Estado::EsperaCiaoAck:
        // The result is known: after "NOTA_CREATED" the note is on the peer's board.
        if (FModo == Modo::Envio)
            Acabar(true, {},
                   {QStringLiteral("Notificación:"), kEnviadaCorrectamente,
                    IconoMensaje::Informacion});
        else
            Terminar(false);
        break;
    case Estado::EsperaVersion:
        // The settings' check asked only for the version: its silence ends it without a box.
        if (host) {
            Terminar(false);
            break;
        }
        [[fallthrough]];
    case Estado::EsperaHolaAck:
    case Estado::EsperaPuerto:
    case Estado::EsperaReady:
    case Estado::EsperaDato:
        Acabar(false, host ? QString() : kLineaSinRespuesta, kAvisoSinRespuesta);
        break;
    case Estado::Libre:
        break;
    }
}

void ClienteNotas::Terminar(bool entregada) {
    if (entregada)
        FResultado = ResultadoEnvio::Entregada;
    TimerTimeOut.stop();
    FEstado = Estado::Libre;
    if (QTcpSocket* socket = FSocket) {
        FSocket = nullptr;
        socket->disconnect(this);
        // What was written goes out before the connection closes.
        socket->flush();
        socket->disconnectFromHost();
        // Released once the event that got here has returned.
        socket->deleteLater();
    }
    emit Terminado(entregada);
}

void ClienteNotas::Acabar(bool entregada, const QString& linea, const AvisoEnvio& aviso) {
    Terminar(entregada);
    if (!linea.isEmpty())
        Linea(linea);
    Avisar(aviso);
}

void ClienteNotas::Avisar(const AvisoEnvio& aviso) {
    QMetaObject::invokeMethod(
        this, [this, aviso] { emit Aviso(aviso); }, Qt::QueuedConnection);
}

void ClienteNotas::Linea(const QString& linea) {
    FLog.append(linea);
    emit LogCambiado();
}

void ClienteNotas::CambiarLinea(int indice, const QString& linea) {
    if (indice >= FLog.size())
        return;
    FLog[indice] = linea;
    emit LogCambiado();
}
