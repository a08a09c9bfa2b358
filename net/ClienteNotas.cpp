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
    if (socket_)
        socket_->disconnect(this);
    delete socket_;
}

void ClienteNotas::Enviar(const DestinoEnvio& destino, const QList<QByteArray>& campos,
                          std::optional<qint32> puertoPropio) {
    campos_ = campos;
    puertoPropio_ = puertoPropio;
    Empezar(destino, Modo::Envio);
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
    modo_ = modo;
    fase_ = Conectando;
    log_.clear();
    if (modo_ != Modo::ComprobacionHost)
        Linea(QStringLiteral("Estableciendo comunicación con %1...").arg(destino.Nombre));
    const QHostAddress direccion(destino.IP);
    if (direccion.protocol() != QAbstractSocket::IPv4Protocol) {
        // Nothing to connect to: the attempt fails at once.
        if (modo_ == Modo::ComprobacionHost) {
            TimeOutComprobacionHost();
            return;
        }
        if (modo_ == Modo::Comprobacion)
            Acabar(false, kSinServidorRemoto,
                   {QStringLiteral("Resultado:"), kSinServidorRemoto, IconoMensaje::Informacion});
        else
            Acabar(false, kLineaSinServidor,
                   {QStringLiteral("Error!"), kSinServidorRemoto, IconoMensaje::Error});
        return;
    }
    socket_ = new QTcpSocket(this);
    connect(socket_, &QTcpSocket::connected, this, &ClienteNotas::AlConectar);
    connect(socket_, &QTcpSocket::readyRead, this, &ClienteNotas::AlLeer);
    // Only this attempt's own socket can end it; a refused connection ends it at once.
    connect(socket_, &QTcpSocket::errorOccurred, this, &ClienteNotas::TimerTimeOutTimer);
    espera_ = Espera::Conexion;
    TimerTimeOut.start(EsperaConexionMs);
    socket_->connectToHost(
        direccion, quint16(destino.Puerto >= 0 && destino.Puerto <= 65535 ? destino.Puerto : 0));
}

void ClienteNotas::AlConectar() {
    if (modo_ == Modo::Comprobacion)
        Linea(QStringLiteral("Comunicación establecida."));
    fase_ = Saludado;
    EnviarMensaje(kHola, Espera::HolaAck);
}

void ClienteNotas::AlLeer() {
    // The strict alternation makes all that one read brings one message.
    const QByteArray mensaje = socket_->readAll();
    switch (modo_) {
    case Modo::Envio:
        LeerEnvio(mensaje);
        break;
    case Modo::Comprobacion:
        LeerComprobacion(mensaje);
        break;
    case Modo::ComprobacionHost:
        LeerComprobacionHost(mensaje);
        break;
    }
}

void ClienteNotas::LeerEnvio(const QByteArray& mensaje) {
    if (mensaje == kNotAllowed) {
        Acabar(false, "ERROR: " + kNoPermitido,
               {QStringLiteral("¡Atención!"), kNoPermitido, IconoMensaje::Exclamacion});
    } else if (mensaje == kHolaAck) {
        Linea(QStringLiteral("Comunicación establecida."));
        EnviarMensaje(kVersion, Espera::Version);
    } else if (mensaje.startsWith(kVersionId)) {
        CambiarLinea(1, QStringLiteral("Comunicación establecida.  (Versión: %1)")
                            .arg(Resto(mensaje, kVersionId)));
        Linea(QStringLiteral("Enviando datos."));
        if (puertoPropio_)
            EnviarMensaje(MensajeActualizarPuerto(*puertoPropio_), Espera::Puerto);
        else
            EnviarMensaje(kNotaBegin, Espera::Ready);
    } else if (mensaje == kPuertoActualizado) {
        EnviarMensaje(kNotaBegin, Espera::Ready);
    } else if (mensaje == kReady) {
        CampoEnviado = 1;
        EnviarSiguienteCampo();
    } else if (mensaje == kDataReceived) {
        EnviarSiguienteCampo();
    } else if (mensaje == kNotaCreated) {
        Linea(QStringLiteral("Nota enviada correctamente."));
        log_.prepend(QStringLiteral(" "));
        emit LogCambiado();
        EnviarMensaje(kCiao, Espera::CiaoAck);
    } else if (mensaje == kCiaoAck || mensaje == kCiaoNoMas || mensaje.startsWith(kCiaoNoPor)) {
        QString texto = kEnviadaCorrectamente;
        if (mensaje == kCiaoNoMas)
            texto += kLimiteSobrepasado + QStringLiteral("permanentemente.");
        else if (mensaje != kCiaoAck)
            texto +=
                kLimiteSobrepasado +
                QStringLiteral("durante los próximos %1 minutos.").arg(Resto(mensaje, kCiaoNoPor));
        Acabar(true, {}, {QStringLiteral("Notificación:"), texto, IconoMensaje::Informacion});
    }
}

void ClienteNotas::LeerComprobacion(const QByteArray& mensaje) {
    if (mensaje == kNotAllowed) {
        const QString noPermitido =
            QStringLiteral("No le está permitido enviar Notas al equipo Remoto.");
        Acabar(false, noPermitido,
               {QStringLiteral("Resultado:"),
                QStringLiteral("Comunicación establecida satisfactoriamente.\r") + noPermitido,
                IconoMensaje::Informacion});
    } else if (mensaje == kHolaAck) {
        EnviarMensaje(kVersion, Espera::Version);
    } else if (mensaje.startsWith(kVersionId)) {
        const QString version = Resto(mensaje, kVersionId);
        Linea(QStringLiteral("Puede enviarle Notas a este sistema.  (Versión %1)").arg(version));
        EnviarMensaje(kCiao, Espera::CiaoAck);
        Avisar({QStringLiteral("Resultado:"),
                QStringLiteral("Comunicación establecida satisfactoriamente.\rPuede enviarle "
                               "Notas a este Sistema.\r\r(Versión del Pinaco remoto: %1)")
                    .arg(version),
                IconoMensaje::Informacion});
    } else if (mensaje == kCiaoAck) {
        Terminar(false);
    }
}

void ClienteNotas::LeerComprobacionHost(const QByteArray& mensaje) {
    if (mensaje == kNotAllowed) {
        Acabar(false, {}, {QStringLiteral("Resultado:"), kNoPermitido, IconoMensaje::Informacion});
    } else if (mensaje == kHolaAck) {
        fase_ = VersionPedida;
        EnviarMensaje(kVersion, Espera::Version);
    } else if (mensaje.startsWith(kVersionId)) {
        Acabar(false, {},
               {QStringLiteral("Resultado:"),
                QStringLiteral("Puede enviar Notas a la máquina remota.\r"
                               "Versión del Pinaco remoto: %1")
                    .arg(Resto(mensaje, kVersionId)),
                IconoMensaje::Informacion});
    }
}

void ClienteNotas::TimeOutComprobacionHost() {
    // Silence after the version request ends the check without a box.
    if (fase_ == Conectando)
        Acabar(false, {}, {QStringLiteral("Resultado:"), kSinServidor, IconoMensaje::Informacion});
    else if (fase_ == Saludado)
        Acabar(false, {}, kAvisoSinRespuesta);
    else
        Terminar(false);
}

void ClienteNotas::EnviarMensaje(const QByteArray& mensaje, Espera espera) {
    if (!socket_ || socket_->state() != QAbstractSocket::ConnectedState)
        return;
    espera_ = espera;
    // Every answer is awaited for a bounded time, not only the greeting's.
    TimerTimeOut.start(EsperaRespuestaMs);
    socket_->write(mensaje);
}

void ClienteNotas::EnviarSiguienteCampo() {
    if (CampoEnviado < 1 || CampoEnviado > kNumCampos + 1)
        return;
    const bool ultimo = CampoEnviado == kNumCampos + 1;
    if (ultimo) {
        fase_ = NotaEnviada;
        EnviarMensaje(kNotaEnd, Espera::Creada);
    } else {
        EnviarMensaje(campos_.value(CampoEnviado - 1), Espera::Dato);
    }
    if (log_.size() > 2)
        CambiarLinea(2, log_[2] + (ultimo ? QStringLiteral(". (OK)") : QStringLiteral(".")));
    ++CampoEnviado;
}

void ClienteNotas::TimerTimeOutTimer() {
    if (!Ocupado())
        return;
    if (modo_ == Modo::ComprobacionHost) {
        TimeOutComprobacionHost();
        return;
    }
    if (espera_ == Espera::CiaoAck) {
        // The result is known: after "NOTA_CREATED" the note is on the peer's board.
        if (modo_ == Modo::Envio)
            Acabar(true, {},
                   {QStringLiteral("Notificación:"), kEnviadaCorrectamente,
                    IconoMensaje::Informacion});
        else
            Terminar(false);
        return;
    }
    switch (fase_) {
    case Conectando:
        Acabar(false, kLineaSinServidor,
               {QStringLiteral("¡Atención!"), kSinServidor, IconoMensaje::Exclamacion});
        break;
    case Saludado:
        Acabar(false, kLineaSinRespuesta, kAvisoSinRespuesta);
        break;
    default:
        EnviarMensaje(kCiao, Espera::Nada);
        Acabar(false, kLineaSinRespuesta + QStringLiteral(" Terminando conexión."),
               {QString(),
                QStringLiteral("La Nota se envió completa, pero el equipo remoto\r"
                               "dejó de responder... No es seguro que la haya creado."),
                IconoMensaje::Informacion});
        break;
    }
}

void ClienteNotas::Terminar(bool entregada) {
    TimerTimeOut.stop();
    espera_ = Espera::Nada;
    if (QTcpSocket* socket = socket_) {
        socket_ = nullptr;
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
    log_.append(linea);
    emit LogCambiado();
}

void ClienteNotas::CambiarLinea(int indice, const QString& linea) {
    if (indice >= log_.size())
        return;
    log_[indice] = linea;
    emit LogCambiado();
}
