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
    : QObject(parent), FTablero(tablero), FLibreta(libreta),
      FReloj(reloj ? std::move(reloj) : Reloj([] { return QDateTime::currentDateTime(); })),
      FLog(registroPorDefecto), FAbuso(std::make_unique<ControlAbuso>(libreta, FReloj)),
      FServidor(new QTcpServer(this)) {
    connect(FServidor, &QTcpServer::newConnection, this, &ServidorNotas::NuevaConexion);
    connect(&TimerRetiroTemporal, &QTimer::timeout, this, &ServidorNotas::TimerRetiroTemporalTimer);
    auto inicio = std::make_shared<QElapsedTimer>();
    inicio->start();
    FRelojMs = [inicio] { return inicio->elapsed(); };
    FRevision.setInterval(kRevisionMs);
    connect(&FRevision, &QTimer::timeout, this, &ServidorNotas::RevisarConexiones);
    connect(&TimerRechazos, &QTimer::timeout, this, &ServidorNotas::TimerRechazosTimer);
}

ServidorNotas::~ServidorNotas() {
    Desactivar();
    EscribirRechazosContados();
}

bool ServidorNotas::Activar(quint16 puerto) {
    if (FServidor->isListening() && puerto == FPuerto)
        return true;
    FServidor->close();
    FPuerto = puerto;
    return FServidor->listen(QHostAddress::AnyIPv4, puerto);
}

void ServidorNotas::DejarDeEscuchar() {
    FServidor->close();
}

void ServidorNotas::Desactivar() {
    FServidor->close();
    while (!FConexiones.empty())
        Cerrar(FConexiones.back().get(), nullptr);
}

bool ServidorNotas::Activo() const {
    return FServidor->isListening();
}

quint16 ServidorNotas::Puerto() const {
    return FServidor->serverPort();
}

void ServidorNotas::NuevaConexion() {
    while (QTcpSocket* socket = FServidor->nextPendingConnection()) {
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
        c->Abierta = c->UltimoAceptado = FRelojMs();
        c->Espera.setSingleShot(true);
        connect(&c->Espera, &QTimer::timeout, this, [this, c] { Despachar(c); });
        connect(socket, &QTcpSocket::readyRead, this, [this, c] { AlLeer(c); });
        connect(socket, &QTcpSocket::errorOccurred, this, [c](QAbstractSocket::SocketError e) {
            c->Sesion.ErrorDeSocket();
            if (e != QAbstractSocket::RemoteHostClosedError)
                Avisar(c->IP, c->Socket->errorString());
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, c] { Quitar(c); });
        FConexiones.push_back(std::move(conexion));
    }
    if (!FConexiones.empty() && !FRevision.isActive())
        FRevision.start();
}

const char* ServidorNotas::Admitir(const QString& ip) {
    const auto deLaDireccion =
        std::count_if(FConexiones.begin(), FConexiones.end(),
                      [&](const auto& c) { return c->IP == ip && c->CerrandoDesde < 0; });
    if (deLaDireccion >= kMaxPorDireccion)
        return "demasiadas conexiones desde esta dirección";
    if (int(FConexiones.size()) < kMaxConexiones)
        return nullptr;
    // Refused addresses must not keep the permitted ones out of a full server.
    Conexion* sitio = FLibreta.IPPermitida(ip) ? Desalojable() : nullptr;
    if (!sitio)
        return "demasiadas conexiones";
    Cerrar(sitio, "cede su sitio a un remitente permitido");
    return nullptr;
}

// One closing already, else the oldest from an address refused now, else the idlest.
ServidorNotas::Conexion* ServidorNotas::Desalojable() {
    const qint64 ahora = FRelojMs();
    Conexion *rechazada = nullptr, *ociosa = nullptr;
    for (const auto& p : FConexiones) {
        Conexion* c = p.get();
        if (c->CerrandoDesde >= 0)
            return c;
        if (!FLibreta.IPPermitida(c->IP)) {
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
    const qint64 ahora = FRelojMs();
    std::vector<std::pair<Conexion*, const char*>> vencidas;
    for (const auto& p : FConexiones) {
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
    nodoListaIP* propia = FLibreta.BuscarIP(c->IP);
    const Remitente remitente{FLibreta.IPPermitida(c->IP, propia), propia,
                              FLibreta.RegistroAbuso(c->IP, propia)};
    const ResultadoMensaje r = c->Sesion.Procesar(mensaje, remitente, FReglas.Abuso.Modo);
    // Only what a permitted sender says to the point keeps the connection open.
    if (remitente.Permitido && r.Respuesta != Protocolo::kUnknown &&
        r.Accion != AccionSesion::ValorNoNumerico)
        c->UltimoAceptado = FRelojMs();
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
        FTablero.NotaEmpezada();
        break;
    case AccionSesion::CrearNota:
        CrearNota(c, r, propia);
        return;
    case AccionSesion::RegistrarRechazo:
        if (FReglas.CrearArchivoLog)
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
    c->CerrandoDesde = FRelojMs();
    c->Espera.stop();
    c->Pendiente.clear();
    c->Socket->disconnectFromHost();
}

void ServidorNotas::CrearNota(Conexion* c, const ResultadoMensaje& r, nodoListaIP* propia) {
    const DatosNota creada =
        FTablero.ColocarNotaRecibida(NotaRecibida(r.Nota, FReloj(), c->IP, NombreDe(propia)));
    // A log that cannot be written is told on standard error; the transfer goes on.
    if (FReglas.CrearArchivoLog)
        EscribirLog(LineaNotaRecibida(creada, FReglas.Log));
    c->Socket->write(r.Respuesta);

    const ReglasAbuso& reglas = FReglas.Abuso;
    if (const std::optional<CambioPermiso> retiro = FAbuso->ControlarAbuso(c->IP, propia, reglas)) {
        emit LibretaCambiada();
        if (FReglas.CrearArchivoLog)
            EscribirLog(LineaRetiro(*retiro, reglas.Modo));
        if (reglas.Modo.RetiroTemporal)
            TimerRetiroTemporal.start(kRetiroTemporalMs);
    }
    FTablero.NotaEntregada();
}

void ServidorNotas::TimerRetiroTemporalTimer() {
    const ResultadoRestitucion r =
        FAbuso->RestituirTemporales(FReglas.Abuso.Modo.RetiroTemporalMinutos);
    if (FReglas.CrearArchivoLog)
        for (const CambioPermiso& restitucion : r.Restituidos)
            EscribirLog(LineaRestitucion(restitucion));
    if (!r.Restituidos.isEmpty())
        emit LibretaCambiada();
    if (!r.Pendiente)
        TimerRetiroTemporal.stop();
}

void ServidorNotas::RegistrarRechazo(const QString& ip, const QString& nombre) {
    if (FRechazos.Registrar(ip, FReloj()))
        EscribirLog(LineaIntentoNoPermitido(FReloj(), ip, nombre));
    if (!TimerRechazos.isActive())
        TimerRechazos.start(kRechazosMs);
}

void ServidorNotas::TimerRechazosTimer() {
    EscribirRechazosRepetidos(false);
    if (!FRechazos.Pendientes())
        TimerRechazos.stop();
}

void ServidorNotas::EscribirRechazosRepetidos(bool todos) {
    const QDateTime ahora = FReloj();
    for (const LimiteRechazos::Resumen& r : FRechazos.Vencidos(ahora, todos))
        if (FReglas.CrearArchivoLog)
            EscribirLog(LineaIntentosRepetidos(ahora, r.IP, FLibreta.NombreDeIP(r.IP), r.Veces));
}

void ServidorNotas::EscribirLog(const QString& linea) {
    FLog.EscribirLineaLog(FReglas.LogFilename, linea, FReglas.Propios);
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
    for (auto it = FConexiones.begin(); it != FConexiones.end(); ++it) {
        if (it->get() != c)
            continue;
        c->Socket->disconnect(this);
        c->Socket->deleteLater();
        c->Espera.stop();
        // Freed later: this may run inside one of the connection's own timer events.
        if (FRetiradas.empty())
            QMetaObject::invokeMethod(
                this, [this] { FRetiradas.clear(); }, Qt::QueuedConnection);
        FRetiradas.push_back(std::move(*it));
        FConexiones.erase(it);
        if (FConexiones.empty())
            FRevision.stop();
        return;
    }
}
