#pragma once
// The sending side of the protocol: one note sent to a board, or a host check, each on a
// socket of its own that is released once its events have returned. Every wait for the
// peer is bounded. What the user is told comes out as the lines of a small log and as
// boxes; a box never opens inside a socket's handler but once it has returned, so neither
// the answers nor the time-outs that come while it is open run beneath a live handler.
#include "core/IconoMensaje.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTcpSocket>
#include <QTimer>
#include <optional>

struct AvisoEnvio {
    QString Titulo;
    QString Texto; // lines separated by CR
    IconoMensaje Icono;
};

struct DestinoEnvio {
    QString IP;
    qint32 Puerto = 0; // as the address book has it; one out of range reaches nobody
    QString Nombre;    // as the address book names it, for the log
};

class ClienteNotas : public QObject {
    Q_OBJECT
public:
    explicit ClienteNotas(QObject* parent = nullptr);
    ~ClienteNotas() override;

    // campos: the twelve field messages of the note. puertoPropio: the own ServerPort when
    // the receiver is to record it.
    void Enviar(const DestinoEnvio& destino, const QList<QByteArray>& campos,
                std::optional<qint32> puertoPropio);
    void Comprobar(const DestinoEnvio& destino);
    // The shorter check of the settings: no log, no closing request, the version answer ends it.
    void ComprobarHost(const DestinoEnvio& destino);

    bool Ocupado() const { return socket_ != nullptr; }
    const QStringList& Log() const { return log_; }

    int EsperaConexionMs = 2000;
    int EsperaRespuestaMs = 3000;

signals:
    void LogCambiado();
    // The attempt is over: the controls come back. entregada: the peer took the note.
    void Terminado(bool entregada);
    void Aviso(const AvisoEnvio& aviso);

private:
    // What the time-out of each wait means: 0 connecting, 1 greeting sent, 2 whole note sent
    // (in the settings' check: version asked).
    enum Fase { Conectando = 0, Saludado = 1, NotaEnviada = 2, VersionPedida = 2 };
    enum class Espera { Nada, Conexion, HolaAck, Version, Puerto, Ready, Dato, Creada, CiaoAck };
    enum class Modo { Envio, Comprobacion, ComprobacionHost };

    void Empezar(const DestinoEnvio& destino, Modo modo);
    void AlConectar();
    void AlLeer();
    void LeerEnvio(const QByteArray& mensaje);
    void LeerComprobacion(const QByteArray& mensaje);
    void LeerComprobacionHost(const QByteArray& mensaje);
    void TimeOutComprobacionHost();
    void EnviarMensaje(const QByteArray& mensaje, Espera espera);
    void EnviarSiguienteCampo();
    void TimerTimeOutTimer();
    // Closes and releases the socket; the controls come back.
    void Terminar(bool entregada);
    // Ends the attempt, then logs the line (if any) and asks for the box.
    void Acabar(bool entregada, const QString& linea, const AvisoEnvio& aviso);
    // The box comes from the event loop: a box's own loop run inside a socket's handler would
    // let the guard release that socket beneath it.
    void Avisar(const AvisoEnvio& aviso);

    void Linea(const QString& linea);
    void CambiarLinea(int indice, const QString& linea);

    QPointer<QTcpSocket> socket_;
    QTimer TimerTimeOut;
    Modo modo_ = Modo::Envio;
    int fase_ = Conectando;
    Espera espera_ = Espera::Nada;
    QList<QByteArray> campos_;
    int CampoEnviado = 0;
    std::optional<qint32> puertoPropio_;
    QStringList log_;
};
