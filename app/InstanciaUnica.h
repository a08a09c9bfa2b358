#pragma once
// One board per user: a second start asks the running board to show itself and ends.
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

class InstanciaUnica : public QObject {
    Q_OBJECT
public:
    // The request a second start sends; the number is the show message of the old handshake.
    static constexpr int kMensajeMostrar = 0x1400;

    // Folder of the lock and the socket; empty means the per-user runtime folder.
    explicit InstanciaUnica(QString carpeta = {}, QObject* parent = nullptr);
    ~InstanciaUnica() override;

    // True when this process is the board; false when a running board took the request.
    bool Iniciar();

signals:
    void PeticionMostrar();

private:
    bool EnviarMostrar() const;
    void LeerPeticion();

    QString FNombre;
    QLockFile FCerrojo;
    std::unique_ptr<QLocalServer> FServidor;
};
