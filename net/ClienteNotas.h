#pragma once
// The sending side of the protocol: one note sent to a board, or a host check, each on a
// socket of its own that is released once its events have returned. The attempt is a state
// machine: each answer is taken by the state that awaits it, and any other answer is left
// to that state's time-out. Every wait for the peer is bounded. What the user is told comes
// out as the lines of a small log and as boxes; a box never opens inside a socket's handler
// but once it has returned, so neither the answers nor the time-outs that come while it is
// open run beneath a live handler.
#include "core/DatosNota.h"
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

// How an attempt ended, for whoever may try again later.
enum class ResultadoEnvio {
    Entregada,    // the peer took the note
    Inalcanzable, // no connection, or no answer to the greeting: the board may be off
    Rechazada,    // "NOT_ALLOWED": trying again cannot help
    Interrumpida, // silence after the greeting, before the note was complete
    SinConfirmar, // the whole note went, but whether the peer created it is unknown
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

    // puertoPropio: the own ServerPort when the receiver is to record it. False when the
    // note holds a character Windows-1252 cannot carry: then nothing starts, since no
    // substitute byte may go on the wire. An attempt already running is left alone.
    [[nodiscard]] bool Enviar(const DestinoEnvio& destino, const DatosNota& nota,
                              std::optional<qint32> puertoPropio);
    void Comprobar(const DestinoEnvio& destino);
    // The shorter check of the settings: no log, no closing request, the version answer ends it.
    void ComprobarHost(const DestinoEnvio& destino);

    bool Ocupado() const { return FSocket != nullptr; }
    // What the user reads of a refusal.
    static QString TextoNoPermitido();
    // How the last attempt ended; meaningful once Terminado has come.
    ResultadoEnvio Resultado() const { return FResultado; }
    const QStringList& Log() const { return FLog; }

    int EsperaConexionMs = 2000;
    int EsperaRespuestaMs = 3000;

signals:
    void LogCambiado();
    // The attempt is over: the controls come back. entregada: the peer took the note.
    void Terminado(bool entregada);
    void Aviso(const AvisoEnvio& aviso);

private:
    // What the attempt awaits. A note goes Conectando, EsperaHolaAck, EsperaVersion,
    // (EsperaPuerto), EsperaReady, EsperaDato twelve times, EsperaCreada, EsperaCiaoAck; a
    // check stops after the version, or after the closing answer in the send dialog.
    enum class Estado {
        Libre,
        Conectando,
        EsperaHolaAck,
        EsperaVersion,
        EsperaPuerto,
        EsperaReady,
        EsperaDato,
        EsperaCreada,
        EsperaCiaoAck,
    };
    enum class Modo { Envio, Comprobacion, ComprobacionHost };

    void Empezar(const DestinoEnvio& destino, Modo modo);
    void FalloAlAbrir();
    void AlConectar();
    void AlLeer();
    // One per state that awaits an answer; each takes only its own.
    void AlSaludo(const QByteArray& respuesta);
    void AlVersion(const QByteArray& respuesta);
    void AlReady(const QByteArray& respuesta);
    void AlDato(const QByteArray& respuesta);
    void AlCrear(const QByteArray& respuesta);
    void AlDespedir(const QByteArray& respuesta);
    void Rechazado();
    void EnviarMensaje(const QByteArray& mensaje, Estado siguiente);
    void EnviarSiguienteCampo();
    // Silence past the bound, or a socket error, in the present state.
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

    QPointer<QTcpSocket> FSocket;
    QTimer TimerTimeOut;
    Modo FModo = Modo::Envio;
    Estado FEstado = Estado::Libre;
    ResultadoEnvio FResultado = ResultadoEnvio::Inalcanzable;
    QList<QByteArray> FCampos;
    int CampoEnviado = 0; // the next of the twelve fields, then NOTA_END
    std::optional<qint32> FPuertoPropio;
    QStringList FLog;
};
