#include "net/ServidorNotas.h"

#include "net/ControlAbuso.h"
#include "net/LineasLog.h"
#include "net/Protocolo.h"
#include "net/SesionNota.h"
#include "net/TableroRed.h"
#include "storage/ListaIP.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
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

QString NombreDe(const nodoListaIP* entrada) {
    return entrada ? entrada->Nombre : QString();
}

} // namespace

struct ServidorNotas::Conexion {
    QTcpSocket* Socket = nullptr;
    QString IP;
    SesionNota Sesion;
    QByteArray Pendiente;
    QTimer Espera;
    qint64 Abierta = 0;
    qint64 UltimoAceptado = 0; // the last accepted message, or the opening
    qint64 CerrandoDesde = -1; // the polite close after a refusal began then
};

ServidorNotas::ServidorNotas(TableroRed& tablero, ListaIP& libreta,
                             const QString& registroPorDefecto, Reloj reloj, QObject* parent)
    : QObject(parent), tablero_(tablero), libreta_(libreta),
      reloj_(reloj ? std::move(reloj) : Reloj([] { return QDateTime::currentDateTime(); })),
      log_(registroPorDefecto), abuso_(std::make_unique<ControlAbuso>(libreta, reloj_)),
      servidor_(new QTcpServer(this)) {
    connect(servidor_, &QTcpServer::newConnection, this, &ServidorNotas::NuevaConexion);
    connect(&TimerRetiroTemporal, &QTimer::timeout, this, &ServidorNotas::TimerRetiroTemporalTimer);
    auto inicio = std::make_shared<QElapsedTimer>();
    inicio->start();
    relojMs_ = [inicio] { return inicio->elapsed(); };
    revision_.setInterval(kRevisionMs);
    connect(&revision_, &QTimer::timeout, this, &ServidorNotas::RevisarConexiones);
    connect(&TimerRechazos, &QTimer::timeout, this, &ServidorNotas::TimerRechazosTimer);
}

ServidorNotas::~ServidorNotas() {
    Desactivar();
}

bool ServidorNotas::Activar(quint16 puerto) {
    if (servidor_->isListening() && puerto == puerto_)
        return true;
    servidor_->close();
    puerto_ = puerto;
    return servidor_->listen(QHostAddress::AnyIPv4, puerto);
}

void ServidorNotas::DejarDeEscuchar() {
    servidor_->close();
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
        const QString ip = TextoIP(socket->peerAddress());
        if (const char* motivo = Admitir(ip)) {
            Avisar(ip, QString::fromUtf8(motivo));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto conexion = std::make_unique<Conexion>();
        Conexion* c = conexion.get();
        c->Socket = socket;
        c->IP = ip;
        c->Abierta = c->UltimoAceptado = relojMs_();
        c->Espera.setSingleShot(true);
        connect(&c->Espera, &QTimer::timeout, this, [this, c] { Despachar(c); });
        connect(socket, &QTcpSocket::readyRead, this, [this, c] { AlLeer(c); });
        connect(socket, &QTcpSocket::errorOccurred, this, [c](QAbstractSocket::SocketError e) {
            c->Sesion.ErrorDeSocket();
            if (e != QAbstractSocket::RemoteHostClosedError)
                Avisar(c->IP, c->Socket->errorString());
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, c] { Quitar(c); });
        conexiones_.push_back(std::move(conexion));
    }
    if (!conexiones_.empty() && !revision_.isActive())
        revision_.start();
}

const char* ServidorNotas::Admitir(const QString& ip) {
    const auto deLaDireccion =
        std::count_if(conexiones_.begin(), conexiones_.end(),
                      [&](const auto& c) { return c->IP == ip && c->CerrandoDesde < 0; });
    if (deLaDireccion >= kMaxPorDireccion)
        return "demasiadas conexiones desde esta dirección";
    if (int(conexiones_.size()) < kMaxConexiones)
        return nullptr;
    // Refused addresses must not keep the permitted ones out of a full server.
    Conexion* sitio = libreta_.IPPermitida(ip) ? Desalojable() : nullptr;
    if (!sitio)
        return "demasiadas conexiones";
    Cerrar(sitio, "cede su sitio a un remitente permitido");
    return nullptr;
}

// One closing already, else the oldest from an address refused now, else the idlest.
ServidorNotas::Conexion* ServidorNotas::Desalojable() {
    const qint64 ahora = relojMs_();
    Conexion *rechazada = nullptr, *ociosa = nullptr;
    for (const auto& p : conexiones_) {
        Conexion* c = p.get();
        if (c->CerrandoDesde >= 0)
            return c;
        if (!libreta_.IPPermitida(c->IP)) {
            if (!rechazada || c->Abierta < rechazada->Abierta)
                rechazada = c;
        } else if (ahora - c->UltimoAceptado >= kOciosaMs &&
                   (!ociosa || c->UltimoAceptado < ociosa->UltimoAceptado)) {
            ociosa = c;
        }
    }
    return rechazada ? rechazada : ociosa;
}

void ServidorNotas::RevisarConexiones() {
    const qint64 ahora = relojMs_();
    std::vector<std::pair<Conexion*, const char*>> vencidas;
    for (const auto& p : conexiones_) {
        const Conexion& c = *p;
        if (c.CerrandoDesde >= 0) {
            if (ahora - c.CerrandoDesde >= kCierreMs)
                vencidas.emplace_back(p.get(), nullptr);
        } else if (ahora - c.Abierta >= kVidaMaximaMs) {
            vencidas.emplace_back(p.get(), "abierta demasiado tiempo, conexión cerrada");
        } else if (ahora - c.UltimoAceptado >= kSilencioMs) {
            vencidas.emplace_back(p.get(), "sin actividad, conexión cerrada");
        }
    }
    // Closed ones are freed later, so the pointers hold.
    for (const auto& [c, motivo] : vencidas)
        Cerrar(c, motivo);
}

void ServidorNotas::AlLeer(Conexion* c) {
    if (c->CerrandoDesde >= 0) {
        c->Socket->readAll(); // it has had its last answer
        return;
    }
    c->Pendiente += c->Socket->readAll();
    if (c->Pendiente.size() > kMaxMensaje) {
        Cerrar(c, "mensaje de más de 1 MiB, conexión cerrada");
        return;
    }
    // A long message may come in several reads: it is taken whole once no more comes.
    if (c->Pendiente.size() > kUmbralTrozos)
        c->Espera.start(kEsperaTrozosMs);
    else
        Despachar(c);
}

void ServidorNotas::Despachar(Conexion* c) {
    c->Espera.stop();
    const QByteArray mensaje = std::exchange(c->Pendiente, {});
    if (mensaje.isEmpty())
        return;
    nodoListaIP* propia = libreta_.BuscarIP(c->IP);
    const Remitente remitente{libreta_.IPPermitida(c->IP, propia), propia,
                              libreta_.RegistroAbuso(c->IP, propia)};
    const ResultadoMensaje r = c->Sesion.Procesar(mensaje, remitente, reglas_.Abuso.Modo);
    // Only what a permitted sender says to the point keeps the connection open.
    if (remitente.Permitido && r.Respuesta != Protocolo::kUnknown &&
        r.Accion != AccionSesion::ValorNoNumerico)
        c->UltimoAceptado = relojMs_();
    switch (r.Accion) {
    case AccionSesion::GuardarPuerto:
        if (propia) {
            propia->Puerto = r.Puerto;
            emit LibretaCambiada();
        }
        break;
    case AccionSesion::PuertoRechazado:
        Avisar(c->IP, QStringLiteral(
                          "puerto no guardado (de 1 a 65535 y solo de una entrada con permiso): %1")
                          .arg(QString::fromLatin1(mensaje.left(60))));
        break;
    case AccionSesion::NotaEmpezada:
        tablero_.NotaEmpezada();
        break;
    case AccionSesion::CrearNota:
        CrearNota(c, r, propia);
        return;
    case AccionSesion::RegistrarRechazo:
        if (reglas_.CrearArchivoLog)
            RegistrarRechazo(c->IP, NombreDe(propia));
        break;
    case AccionSesion::ValorNoNumerico:
        Avisar(c->IP, QStringLiteral("un campo numérico no trae un número: %1")
                          .arg(QString::fromLatin1(mensaje.left(60))));
        break;
    case AccionSesion::Ninguna:
        break;
    }
    // After "CIAO" the exchange is over, and a refused sender has nothing more to say.
    Responder(c, r.Respuesta, !remitente.Permitido || mensaje == Protocolo::kCiao);
}

void ServidorNotas::Responder(Conexion* c, const QByteArray& respuesta, bool cerrar) {
    if (!respuesta.isEmpty())
        c->Socket->write(respuesta);
    if (!cerrar)
        return;
    // Closed once the answer is out; a full server gives this place first.
    c->CerrandoDesde = relojMs_();
    c->Espera.stop();
    c->Pendiente.clear();
    c->Socket->disconnectFromHost();
}

void ServidorNotas::CrearNota(Conexion* c, const ResultadoMensaje& r, nodoListaIP* propia) {
    const DatosNota creada =
        tablero_.ColocarNotaRecibida(NotaRecibida(r.Nota, reloj_(), c->IP, NombreDe(propia)));
    // A log that cannot be written is told on standard error; the transfer goes on.
    if (reglas_.CrearArchivoLog)
        EscribirLog(LineaNotaRecibida(creada, reglas_.Log));
    c->Socket->write(r.Respuesta);

    const ReglasAbuso& reglas = reglas_.Abuso;
    if (const std::optional<CambioPermiso> retiro = abuso_->ControlarAbuso(c->IP, propia, reglas)) {
        emit LibretaCambiada();
        if (reglas_.CrearArchivoLog)
            EscribirLog(LineaRetiro(*retiro, reglas.Modo));
        if (reglas.Modo.RetiroTemporal)
            TimerRetiroTemporal.start(kRetiroTemporalMs);
    }
    tablero_.NotaEntregada();
}

void ServidorNotas::TimerRetiroTemporalTimer() {
    const ResultadoRestitucion r =
        abuso_->RestituirTemporales(reglas_.Abuso.Modo.RetiroTemporalMinutos);
    if (reglas_.CrearArchivoLog)
        for (const CambioPermiso& restitucion : r.Restituidos)
            EscribirLog(LineaRestitucion(restitucion));
    if (!r.Restituidos.isEmpty())
        emit LibretaCambiada();
    if (!r.Pendiente)
        TimerRetiroTemporal.stop();
}

void ServidorNotas::RegistrarRechazo(const QString& ip, const QString& nombre) {
    if (rechazos_.Registrar(ip, reloj_()))
        EscribirLog(LineaIntentoNoPermitido(reloj_(), ip, nombre));
    if (!TimerRechazos.isActive())
        TimerRechazos.start(kRechazosMs);
}

void ServidorNotas::TimerRechazosTimer() {
    const QDateTime ahora = reloj_();
    for (const LimiteRechazos::Resumen& r : rechazos_.Vencidos(ahora))
        if (reglas_.CrearArchivoLog)
            EscribirLog(LineaIntentosRepetidos(ahora, r.IP, libreta_.NombreDeIP(r.IP), r.Veces));
    if (!rechazos_.Pendientes())
        TimerRechazos.stop();
}

void ServidorNotas::EscribirLog(const QString& linea) {
    log_.EscribirLineaLog(reglas_.LogFilename, linea, reglas_.Propios);
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
        // Freed later: this may run inside one of the connection's own timer events.
        if (retiradas_.empty())
            QMetaObject::invokeMethod(
                this, [this] { retiradas_.clear(); }, Qt::QueuedConnection);
        retiradas_.push_back(std::move(*it));
        conexiones_.erase(it);
        if (conexiones_.empty())
            revision_.stop();
        return;
    }
}
