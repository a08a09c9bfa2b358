#pragma once
// Keeps the board's data files safe: saves them, tells the user of a failure once, keeps
// the changes in a recovery copy when the save at shutdown fails, and loads that copy at
// the next start.
#include "storage/ErrorArchivo.h"

#include <QSet>
#include <QString>
#include <functional>

class QWidget;

class CustodiaArchivos {
public:
    using Guardado = std::function<ErrorArchivo(const QString& ruta)>;

    explicit CustodiaArchivos(QWidget* owner) : owner_(owner) {}

    // While the board runs a failure is told once, until that file saves again, and never
    // with two boxes at once. At shutdown no box holds the end up: the changes go to a
    // recovery copy and standard error says where.
    bool Guardar(const QString& ruta, const Guardado& guardar, bool alCerrar);
    // The file the start-up reads: a recovery copy left by a failed shutdown, else the file.
    QString OrigenDeCarga(const QString& ruta, const QString& contenido);
    // A file that exists but cannot be written is told at start, as a failed save would be.
    void ComprobarEscritura(const QString& ruta);
    // Before the first save over a file whose reading stopped at a Ctrl-Z with bytes after
    // it: the file as it was is kept beside it. False when that copy could not be made.
    bool ConservarOriginal(const QString& ruta, const QString& contenido);

    static QString Motivo(ErrorArchivo error);

private:
    void AvisarFallo(const QString& ruta, ErrorArchivo error);

    QWidget* owner_;
    QSet<QString> conFallo_;
    bool avisoAbierto_ = false;
};
