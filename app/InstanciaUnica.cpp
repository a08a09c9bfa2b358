#include "app/InstanciaUnica.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <unistd.h>

namespace {

const QByteArray kPeticion = QByteArray::number(InstanciaUnica::kMensajeMostrar, 16) + '\n';
// A board that can use the token asks for it after the request, so an older board, which
// takes the request alone, never sees a token.
const QByteArray kPreguntaTestigo = QByteArrayLiteral("XDG_ACTIVATION_TOKEN?\n");
constexpr qsizetype kLargoTestigo = 255;
// More than a token's line waiting is no second start of ours.
constexpr qsizetype kMaximoPendiente = kLargoTestigo + 1;

// Tokens are opaque, but printable; nothing else goes into the environment.
bool TestigoValido(const QByteArray& testigo) {
    return !testigo.isEmpty() && testigo.size() <= kLargoTestigo &&
           std::all_of(testigo.begin(), testigo.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

// The board's line within the wait, or nothing.
QByteArray LeerLinea(QLocalSocket& socket) {
    const QDeadlineTimer plazo(InstanciaUnica::kEsperaTestigoMs);
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > kMaximoPendiente ||
            !socket.waitForReadyRead(int(plazo.remainingTime())))
            return {};
    }
    return socket.readLine();
}

QString CarpetaPorUsuario(const QString& carpeta) {
    if (!carpeta.isEmpty())
        return carpeta;
    // The runtime folder is private to the user; the temp folder is shared, hence the uid.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

QString Base(const QString& carpeta) {
    return CarpetaPorUsuario(carpeta) + QStringLiteral("/pinaco-%1").arg(getuid());
}

} // namespace

InstanciaUnica::InstanciaUnica(QString carpeta, QObject* parent)
    : QObject(parent), FNombre(Base(carpeta) + QStringLiteral(".sock")),
      FCerrojo(Base(carpeta) + QStringLiteral(".lock")) {
    // Only a dead holder makes the lock stale, never its age: a board runs for days.
    FCerrojo.setStaleLockTime(0);
}

InstanciaUnica::~InstanciaUnica() {
    if (FServidor)
        FServidor->close();
}

bool InstanciaUnica::EnviarMostrar(const QByteArray& testigo) const {
    QLocalSocket socket;
    socket.connectToServer(FNombre);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(kPeticion);
    const bool enviado = socket.waitForBytesWritten(1000);
    // A board that asks nothing closes the connection; an older one lets the wait run out.
    if (enviado && TestigoValido(testigo) && LeerLinea(socket) == kPreguntaTestigo) {
        socket.write(testigo + '\n');
        socket.waitForBytesWritten(1000);
    }
    socket.disconnectFromServer();
    return enviado;
}

bool InstanciaUnica::Iniciar(const QByteArray& testigo) {
    // A board that is still starting holds the lock but does not listen yet: ask again a
    // few times before giving up.
    for (int intento = 0; intento < 20; ++intento) {
        if (EnviarMostrar(testigo))
            return false;
        if (FCerrojo.tryLock(0)) {
            QLocalServer::removeServer(FNombre); // left behind by a board that crashed
            FServidor = std::make_unique<QLocalServer>();
            FServidor->setSocketOptions(QLocalServer::UserAccessOption);
            connect(FServidor.get(), &QLocalServer::newConnection, this,
                    &InstanciaUnica::LeerPeticion);
            if (!FServidor->listen(FNombre))
                qWarning("pinaco: no se puede escuchar en %s", qPrintable(FNombre));
            return true;
        }
        QThread::msleep(250);
    }
    return false;
}

void InstanciaUnica::LeerPeticion() {
    while (QLocalSocket* socket = FServidor->nextPendingConnection())
        Atender(socket);
}

void InstanciaUnica::Atender(QLocalSocket* socket) {
    enum class Paso { Peticion, Testigo, Hecho };
    const auto paso = std::make_shared<Paso>(Paso::Peticion);
    auto* espera = new QTimer(socket);
    espera->setSingleShot(true);
    espera->setInterval(kEsperaTestigoMs);

    // Once per connection: a request without a usable token still shows the board.
    const auto mostrar = [this, socket, paso](const QByteArray& testigo) {
        if (std::exchange(*paso, Paso::Hecho) == Paso::Hecho)
            return;
        socket->disconnectFromServer();
        emit PeticionMostrar(testigo);
    };
    // The request, then the token when asked for; anything else is ignored.
    const auto leer = [this, socket, paso, espera, mostrar] {
        while (*paso != Paso::Hecho) {
            if (socket->bytesAvailable() > kMaximoPendiente) {
                if (*paso == Paso::Testigo)
                    mostrar({});
                socket->abort();
                return;
            }
            if (!socket->canReadLine())
                return;
            const QByteArray linea = socket->readLine();
            if (*paso == Paso::Testigo) {
                const QByteArray testigo = linea.chopped(1);
                mostrar(TestigoValido(testigo) ? testigo : QByteArray());
            } else if (linea != kPeticion) {
                socket->abort();
                return;
            } else if (!FPedirTestigo) {
                mostrar({});
            } else {
                *paso = Paso::Testigo;
                socket->write(kPreguntaTestigo);
                espera->start();
            }
        }
    };
    connect(espera, &QTimer::timeout, this, [mostrar] { mostrar({}); });
    connect(socket, &QLocalSocket::readyRead, this, leer);
    connect(socket, &QLocalSocket::disconnected, this, [socket, paso, leer, mostrar] {
        leer();
        if (*paso == Paso::Testigo)
            mostrar({});
        socket->deleteLater();
    });
    leer();
}
