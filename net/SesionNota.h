#pragma once
// The receiving side of one connection: takes one whole message and decides the answer and
// what the board must do. Each connection keeps its own pending note, so two boards that
// send at once never write into each other's note.
#include "core/DatosNota.h"
#include "net/LineasLog.h"
#include "storage/ListaIP.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>

// The sender of the message being handled, looked up once for every message.
struct Remitente {
    bool Permitido = false;               // IPPermitida now
    const nodoListaIP* Entrada = nullptr; // its own entry (exact lookup), if any
    const nodoListaIP* Abuso = nullptr;   // where flood control counts it (RegistroAbuso)
};

enum class AccionSesion {
    Ninguna,
    GuardarPuerto,    // Puerto of the sender's own entry := Puerto
    PuertoRechazado,  // a port that is no port, or for an entry without permission: told locally
    NotaEmpezada,     // the autosave falls 30 s later at most
    CrearNota,        // create the received note from Nota, then answer
    RegistrarRechazo, // log the refused attempt when the log is on, then answer
    ValorNoNumerico,  // a number field or port that is no number: told locally, no answer
};

struct ResultadoMensaje {
    AccionSesion Accion = AccionSesion::Ninguna;
    QByteArray Respuesta; // empty: the message gets no answer
    qint32 Puerto = 0;
    DatosNota Nota; // the pending fields, for CrearNota
};

// The answer to "CIAO" by the sender's own entry, or by its record by address when that
// holds a withdrawal; empty when it gets none.
QByteArray RespuestaCiao(const Remitente& remitente, const ModoRetiro& modo);

// The received note as it goes onto the board: a new note with the creation date, arrival
// time and sender, the pending due date, font, bounds and text, and the Net pushpin.
DatosNota NotaRecibida(const DatosNota& pendiente, const QDateTime& ahora, const QString& ip,
                       const QString& nombre);

class SesionNota {
public:
    ResultadoMensaje Procesar(QByteArrayView mensaje, const Remitente& remitente,
                              const ModoRetiro& modo);
    // A socket error ends the note being received; its fields stay until the next one.
    void ErrorDeSocket() { FRecibiendo = false; }

    bool RecibiendoNota() const { return FRecibiendo; }
    const DatosNota& NotaEntrante() const { return FPendiente; }

private:
    ResultadoMensaje ProcesarPermitido(QByteArrayView mensaje, const Remitente& remitente);

    bool FRecibiendo = false;
    DatosNota FPendiente;
};
