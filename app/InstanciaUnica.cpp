#include "app/InstanciaUnica.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <unistd.h>

namespace {

const QByteArray kPeticion = QByteArray::number(InstanciaUnica::kMensajeMostrar, 16) + '\n';

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

bool InstanciaUnica::EnviarMostrar() const {
    QLocalSocket socket;
    socket.connectToServer(FNombre);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(kPeticion);
    const bool enviado = socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return enviado;
}

bool InstanciaUnica::Iniciar() {
    // A board that is still starting holds the lock but does not listen yet: ask again a
    // few times before giving up.
    for (int intento = 0; intento < 20; ++intento) {
        if (EnviarMostrar())
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
    while (QLocalSocket* socket = FServidor->nextPendingConnection()) {
        auto leer = [this, socket] {
            // Anything but the one request, or more than a line of it, is ignored.
            if (socket->bytesAvailable() > 64) {
                socket->abort();
                return;
            }
            if (socket->canReadLine() && socket->readLine() == kPeticion)
                emit PeticionMostrar();
        };
        connect(socket, &QLocalSocket::readyRead, this, leer);
        connect(socket, &QLocalSocket::disconnected, this, [socket, leer] {
            leer();
            socket->deleteLater();
        });
        leer();
    }
}
