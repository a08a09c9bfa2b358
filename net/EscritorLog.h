#pragma once
// Appends lines to the received-notes log, opening and closing the file for each line so
// every line is on disk when the event that wrote it ends. A log that cannot be written
// never stops the server: the failure is told once per file name. The log never writes
// into the board's own files.
#include <QSet>
#include <QString>
#include <functional>

// The files the board keeps its data and settings in.
struct ArchivosPropios {
    QString Notas;
    QString Direcciones;
    QString Ajustes;
    QString Retiros;
    QString Pendientes;
    // A relative log name lies in the folder of the data files.
    QString RutaLog(const QString& logFilename) const;
};

// What a log at rutaLog would write into, for the user ("el fichero de notas: <path>"), or
// empty: a data file, a recovery or original copy of one, another file a save of it keeps
// beside it ("<file>.<anything>"), the settings or withdrawals file or one of its own. Compared as
// the file system sees them: links followed, the same file under two names is one.
QString ChoqueDeLog(const QString& rutaLog, const ArchivosPropios& propios);

// Why no log can be appended at rutaLog (its folder missing or read-only, something other
// than a writable file there), or empty.
QString LogNoEscribible(const QString& rutaLog);

// A log grows to MaxBytes, then it becomes "<log>.1" (over the one before) and a new one
// begins. No line takes the last ReservaLibre bytes of its disk: the data files need them.
struct LimitesLog {
    qint64 MaxBytes = 8 << 20;
    qint64 ReservaLibre = 4 << 20;
    // The bytes free to this user in a folder; the file system's when not given.
    std::function<qint64(const QString& carpeta)> Libre;
};

class EscritorLog {
public:
    using Aviso = std::function<void(const QString&)>;
    static void AvisoPorStderr(const QString& mensaje);

    // registroPorDefecto: the log when LogFilename is empty, or names one of the board's own
    // files (told once).
    explicit EscritorLog(QString registroPorDefecto, Aviso aviso = AvisoPorStderr,
                         LimitesLog limites = {});

    // The line in Windows-1252 with CR LF; false when it could not be written.
    bool EscribirLineaLog(const QString& logFilename, const QString& linea,
                          const ArchivosPropios& propios);

private:
    QString Destino(const QString& logFilename, const ArchivosPropios& propios);
    void AvisarUnaVez(const QString& clave, const QString& mensaje);
    // Why the line cannot go into the file now (no room left, a full log that cannot be
    // set aside), or empty; a full log is set aside first.
    QString HacerSitio(const QString& ruta, qint64 bytes, const ArchivosPropios& propios);

    QString FRegistroPorDefecto;
    Aviso FAviso;
    LimitesLog FLimites;
    QSet<QString> FAvisados;
};
