#pragma once
// What the note server needs of the board: the address book, the settings, and the
// board's part in receiving a note.
#include "core/Configuracion.h"
#include "core/DatosNota.h"
#include "net/EscritorLog.h"

#include <QDateTime>

class ListaIP;

class TableroRed {
public:
    virtual ~TableroRed() = default;

    virtual ListaIP& Libreta() = 0;
    virtual const Configuracion& Ajustes() const = 0;
    // The files the log never writes into.
    virtual ArchivosPropios ArchivosDelTablero() = 0;
    // A note has begun to arrive: the autosave waits for it a little longer.
    virtual void NotaEmpezada() = 0;
    // Puts the received note on the board: Net pushpin, moved off other notes, kept inside,
    // shaded, shown. Gives back the record as it lies on the board.
    virtual DatosNota CrearNotaRecibida(const DatosNota& pendiente, const QString& ip,
                                        const QString& nombre, const QDateTime& ahora) = 0;
    virtual void SonidoNotaRecibida() = 0;
    // After the answer: the tray icon blinks while the board sits in the tray.
    virtual void AvisoBandeja() = 0;
};
