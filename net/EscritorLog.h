#pragma once
// Appends lines to the received-notes log, opening and closing the file for each line so
// every line is on disk when the event that wrote it ends. A log that cannot be written
// never stops the server: the failure is told once per file name.
#include <QSet>
#include <QString>
#include <functional>

class EscritorLog {
public:
    using Aviso = std::function<void(const QString&)>;
    static void AvisoPorStderr(const QString& mensaje);

    // A relative LogFilename is taken from the folder of the data files.
    explicit EscritorLog(QString carpetaDatos, Aviso aviso = AvisoPorStderr);

    QString Ruta(const QString& logFilename) const;
    // The line in Windows-1252 with CR LF; false when it could not be written.
    bool EscribirLineaLog(const QString& logFilename, const QString& linea);

private:
    QString carpetaDatos_;
    Aviso aviso_;
    QSet<QString> fallidos_;
};
