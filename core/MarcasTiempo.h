#pragma once
// Moments as the note server keeps them: a date text "dd-mm-yyyy" and a time text
// "hh:mm:ss", and the log's date prefix made from them.
#include <QDateTime>
#include <QString>
#include <functional>

// Where the server takes "now" from; tests give their own.
using Reloj = std::function<QDateTime()>;

QString FechaTexto(const QDate& fecha); // "05-01-2000"
QString HoraTexto(const QTime& hora);   // "14:03:22"

// Seconds from moment 2 to moment 1, read by character position; 0 when moment 1 is not
// later. Days are calendar days, leap days included.
qint64 SegundosEntre(const QString& fecha1, const QString& hora1, const QString& fecha2,
                     const QString& hora2);

// "(05-Ene-2000  14:03:22)  " from a date and a time text.
QString PrefijoLog(const QString& fecha, const QString& hora);
QString MarcaLog(const QDateTime& momento);
