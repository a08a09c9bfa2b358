#pragma once
// One board per user: a second start asks the running board to show itself and ends.
#include <QByteArray>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

class QLocalSocket;

class InstanciaUnica : public QObject {
    Q_OBJECT
public:
    // The request a second start sends; the number is the show message of the old handshake.
    static constexpr int kMensajeMostrar = 0x1400;
    // How long either end waits for the other's line about the activation token.
    static constexpr int kEsperaTestigoMs = 1000;

    // Folder of the lock and the socket; empty means the per-user runtime folder.
    explicit InstanciaUnica(QString carpeta = {}, QObject* parent = nullptr);
    ~InstanciaUnica() override;

    // True when this process is the board; false when a running board took the request.
    // testigo: the activation token this start was given, handed on to a board that asks.
    bool Iniciar(const QByteArray& testigo = {});

    // A board on a platform that comes forward only with a token asks a second start for one.
    void PedirTestigo(bool pedir) { FPedirTestigo = pedir; }

signals:
    // testigo is empty when the second start had none or was not asked.
    void PeticionMostrar(const QByteArray& testigo);

private:
    bool EnviarMostrar(const QByteArray& testigo) const;
    void LeerPeticion();
    void Atender(QLocalSocket* socket);

    QString FNombre;
    QLockFile FCerrojo;
    std::unique_ptr<QLocalServer> FServidor;
    bool FPedirTestigo = false;
};
