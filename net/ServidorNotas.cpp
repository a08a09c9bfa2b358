#include "net/ServidorNotas.h"

#include "net/ControlAbuso.h"
#include "net/LineasLog.h"
#include "net/SesionNota.h"
#include "net/TableroRed.h"
#include "storage/ListaIP.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <cstdio>

namespace {

// The dotted IPv4 text, also for an IPv4-mapped IPv6 address.
QString TextoIP(const QHostAddress& direccion) {
    bool esIPv4 = false;
    const quint32 ipv4 = direccion.toIPv4Address(&esIPv4);
    return esIPv4 ? QHostAddress(ipv4).toString() : direccion.toString();
}

void Avisar(const QString& ip, const QString& que) {
    std::fprintf(stderr, "pinaco: servidor de notas, %s: %s\n", qPrintable(ip), qPrintable(que));
}

ModoRetiro ModoDe(const Configuracion& c) {
    return {c.RetiroPermanente, c.RetiroTemporal, c.RetiroTemporalMinutos};
}

} // namespace

struct ServidorNotas::Conexion {
    QTcpSocket* Socket = nullptr;
    QString IP;
    SesionNota Sesion;
    QByteArray Pendiente;
    QTimer Espera;
    QTimer Silencio;
    QElapsedTimer UltimaLectura;
};

ServidorNotas::ServidorNotas(TableroRed& tablero, const QString& registroPorDefecto, Reloj reloj,
                             QObject* parent)
    : QObject(parent), tablero_(tablero),
      reloj_(reloj ? std::move(reloj) : Reloj([] { return QDateTime::currentDateTime(); })),
      log_(registroPorDefecto), abuso_(std::make_unique<ControlAbuso>(tablero.Libreta(), reloj_)),
      servidor_(new QTcpServer(this)) {
    connect(servidor_, &QTcpServer::newConnection, this, &ServidorNotas::NuevaConexion);
    connect(&TimerRetiroTemporal, &QTimer::timeout, this, &ServidorNotas::TimerRetiroTemporalTimer);
    connect(&TimerRechazos, &QTimer::timeout, this, &ServidorNotas::TimerRechazosTimer);
}

ServidorNotas::~ServidorNotas() {
    Desactivar();
}

bool ServidorNotas::Activar(quint16 puerto) {
    return servidor_->isListening() || servidor_->listen(QHostAddress::AnyIPv4, puerto);
}

void ServidorNotas::Desactivar() {
    servidor_->close();
    while (!conexiones_.empty())
        Cerrar(conexiones_.back().get(), nullptr);
}

bool ServidorNotas::Activo() const {
    return servidor_->isListening();
}

quint16 ServidorNotas::Puerto() const {
    return servidor_->serverPort();
}

void ServidorNotas::NuevaConexion() {
    while (QTcpSocket* socket = servidor_->nextPendingConnection()) {
        if (int(conexiones_.size()) >= kMaxConexiones) {
            Avisar(TextoIP(socket->peerAddress()), QStringLiteral("demasiadas conexiones"));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto conexion = std::make_unique<Conexion>();
        Conexion* c = conexion.get();
        c->Socket = socket;
        c->IP = TextoIP(socket->peerAddress());
        c->Espera.setSingleShot(true);
        c->Silencio.setSingleShot(true);
        connect(&c->Espera, &QTimer::timeout, this, [this, c] { Despachar(c); });
        // Armed once: a read only notes its moment, and the timer looks again when it runs out.
        connect(&c->Silencio, &QTimer::timeout, this, [this, c] {
            const qint64 resto = silencioMs_ - c->UltimaLectura.elapsed();
            if (resto > 0)
                c->Silencio.start(int(resto));
            else
                Cerrar(c, "sin actividad, conexión cerrada");
        });
        connect(socket, &QTcpSocket::readyRead, this, [this, c] { AlLeer(c); });
        connect(socket, &QTcpSocket::errorOccurred, this, [c](QAbstractSocket::SocketError e) {
            c->Sesion.ErrorDeSocket();
            if (e != QAbstractSocket::RemoteHostClosedError)
                Avisar(c->IP, c->Socket->errorString());
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, c] { Quitar(c); });
        c->UltimaLectura.start();
        c->Silencio.start(silencioMs_);
        conexiones_.push_back(std::move(conexion));
    }
}

void ServidorNotas::AlLeer(Conexion* c) {
    c->Pendiente += c->Socket->readAll();
    c->UltimaLectura.start();
    if (c->Pendiente.size() > kMaxMensaje) {
        Cerrar(c, "mensaje de más de 1 MiB, conexión cerrada");
        return;
    }
    // A long message may come in several reads: it is taken whole once no more comes.
    if (c->Pendiente.size() >= kUmbralTrozos)
        c->Espera.start(kEsperaTrozosMs);
    else
        Despachar(c);
}

void ServidorNotas::Despachar(Conexion* c) {
    c->Espera.stop();
    const QByteArray mensaje = std::exchange(c->Pendiente, {});
    if (mensaje.isEmpty())
        return;
    ListaIP& libreta = tablero_.Libreta();
    const Configuracion& ajustes = tablero_.Ajustes();
    const Remitente remitente{libreta.IPPermitida(c->IP), libreta.BuscarIP(c->IP)};
    const ResultadoMensaje r = c->Sesion.Procesar(mensaje, remitente, ModoDe(ajustes));
    switch (r.Accion) {
    case AccionSesion::GuardarPuerto:
        if (nodoListaIP* entrada = libreta.BuscarIP(c->IP)) {
            entrada->Puerto = r.Puerto;
            emit LibretaCambiada();
        }
        break;
    case AccionSesion::NotaEmpezada:
        tablero_.NotaEmpezada();
        break;
    case AccionSesion::CrearNota:
        CrearNota(c, r);
        return;
    case AccionSesion::RegistrarRechazo:
        if (ajustes.CrearArchivoLog)
            RegistrarRechazo(c->IP);
        break;
    case AccionSesion::ValorNoNumerico:
        Avisar(c->IP, QStringLiteral("un campo numérico no trae un número: %1")
                          .arg(QString::fromLatin1(mensaje.left(60))));
        break;
    case AccionSesion::Ninguna:
        break;
    }
    if (!r.Respuesta.isEmpty())
        c->Socket->write(r.Respuesta);
}

void ServidorNotas::CrearNota(Conexion* c, const ResultadoMensaje& r) {
    ListaIP& libreta = tablero_.Libreta();
    const Configuracion& ajustes = tablero_.Ajustes();
    const DatosNota creada =
        tablero_.CrearNotaRecibida(r.Nota, c->IP, libreta.NombreDeIP(c->IP), reloj_());
    // A log that cannot be written is told on standard error; the transfer goes on.
    if (ajustes.CrearArchivoLog)
        EscribirLog(
            LineaNotaRecibida(creada, {ajustes.LogWithSenderName, ajustes.LogWithNotaText}));
    if (ajustes.AvisoNotaRecibida)
        tablero_.SonidoNotaRecibida();
    c->Socket->write(r.Respuesta);

    const ReglasAbuso reglas{ajustes.HabilitarNumMaxNotas, ajustes.NumMaxNotas,
                             ajustes.NumMinSegundos, ModoDe(ajustes)};
    if (const std::optional<CambioPermiso> retiro = abuso_->ControlarAbuso(c->IP, reglas)) {
        emit LibretaCambiada();
        if (ajustes.CrearArchivoLog)
            EscribirLog(LineaRetiro(*retiro, reglas.Modo));
        if (ajustes.RetiroTemporal)
            TimerRetiroTemporal.start(kRetiroTemporalMs);
    }
    tablero_.AvisoBandeja();
}

void ServidorNotas::TimerRetiroTemporalTimer() {
    const Configuracion& ajustes = tablero_.Ajustes();
    const ResultadoRestitucion r = abuso_->RestituirTemporales(ajustes.RetiroTemporalMinutos);
    if (ajustes.CrearArchivoLog)
        for (const CambioPermiso& restitucion : r.Restituidos)
            EscribirLog(LineaRestitucion(restitucion));
    if (!r.Restituidos.isEmpty())
        emit LibretaCambiada();
    if (!r.Pendiente)
        TimerRetiroTemporal.stop();
}

void ServidorNotas::RegistrarRechazo(const QString& ip) {
    if (rechazos_.Registrar(ip, reloj_()))
        EscribirLog(LineaIntentoNoPermitido(reloj_(), ip, tablero_.Libreta().NombreDeIP(ip)));
    if (!TimerRechazos.isActive())
        TimerRechazos.start(kRechazosMs);
}

void ServidorNotas::TimerRechazosTimer() {
    const QDateTime ahora = reloj_();
    for (const LimiteRechazos::Resumen& r : rechazos_.Vencidos(ahora))
        if (tablero_.Ajustes().CrearArchivoLog)
            EscribirLog(
                LineaIntentosRepetidos(ahora, r.IP, tablero_.Libreta().NombreDeIP(r.IP), r.Veces));
    if (!rechazos_.Pendientes())
        TimerRechazos.stop();
}

void ServidorNotas::EscribirLog(const QString& linea) {
    log_.EscribirLineaLog(tablero_.Ajustes().LogFilename, linea, tablero_.ArchivosDelTablero());
}

void ServidorNotas::Cerrar(Conexion* c, const char* motivo) {
    if (motivo)
        Avisar(c->IP, QString::fromUtf8(motivo));
    QTcpSocket* socket = c->Socket;
    // Quitar runs from disconnected() when the socket was connected, else here.
    socket->disconnect(this);
    socket->abort();
    Quitar(c);
}

void ServidorNotas::Quitar(Conexion* c) {
    for (auto it = conexiones_.begin(); it != conexiones_.end(); ++it) {
        if (it->get() != c)
            continue;
        c->Socket->disconnect(this);
        c->Socket->deleteLater();
        c->Espera.stop();
        c->Silencio.stop();
        // Freed later: this may run inside one of the connection's own timer events.
        if (retiradas_.empty())
            QMetaObject::invokeMethod(
                this, [this] { retiradas_.clear(); }, Qt::QueuedConnection);
        retiradas_.push_back(std::move(*it));
        conexiones_.erase(it);
        return;
    }
}
