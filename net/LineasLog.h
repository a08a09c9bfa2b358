#pragma once
// The lines of the received-notes log, without their line end.
#include "core/DatosNota.h"

#include <QDateTime>
#include <QString>

struct OpcionesLog {
    bool LogWithSenderName = true;
    bool LogWithNotaText = false;
};

// From the note's creation date, ReceivedTime, sender and, by the options, name and text.
QString LineaNotaRecibida(const DatosNota& nota, const OpcionesLog& opciones);
QString LineaIntentoNoPermitido(const QDateTime& momento, const QString& ip, const QString& nombre);
// The attempts of one address after its last line, counted; an empty ip stands for the
// addresses too many to follow one by one.
QString LineaIntentosRepetidos(const QDateTime& momento, const QString& ip, const QString& nombre,
                               qint64 veces);

// A sender's permission withdrawn or given back, at a moment.
struct CambioPermiso {
    QString Fecha; // "dd-mm-yyyy"
    QString Hora;  // "hh:mm:ss"
    QString IP;
    QString Nombre;
};
struct ModoRetiro {
    bool RetiroPermanente = true;
    bool RetiroTemporal = false;
    int RetiroTemporalMinutos = 5;
};
QString LineaRetiro(const CambioPermiso& retiro, const ModoRetiro& modo);
QString LineaRestitucion(const CambioPermiso& restitucion);

// A note that waited for a board that was off: delivered at last, or given up and why.
QString LineaPendienteEntregada(const QDateTime& momento, const QString& ip, const QString& nombre);
QString LineaPendienteAbandonada(const QDateTime& momento, const QString& ip, const QString& nombre,
                                 const QString& motivo);
