#pragma once
// Keeps the board's data files safe: saves them, tells the user of a failure once, keeps
// the changes in a recovery copy when the save at shutdown fails, loads that copy at the
// next start, and keeps a version some other writer left in a file before saving over it.
#include "core/IconoMensaje.h"
#include "storage/ErrorArchivo.h"
#include "storage/EstadoArchivo.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;
class QWidget;

class CustodiaArchivos {
public:
    // Writes the whole content of a data file.
    using Contenido = std::function<ErrorArchivo(QIODevice& destino)>;

    explicit CustodiaArchivos(QWidget* owner) : FOwner(owner) {}

    // While the board runs a failure is told once, until that file saves again, and never
    // with two boxes at once. At shutdown no box holds the end up: changes the file does
    // not hold yet go to a recovery copy and standard error says where. A file that is
    // not what this board read or last saved is first kept beside it.
    bool Guardar(const QString& ruta, const Contenido& contenido, bool alCerrar);
    // The file the start-up reads: a recovery copy made over the file as it still is (or
    // over a file that is gone), else the file itself. Called before the file is read:
    // later saves compare what is on disk with what it held then.
    QString OrigenDeCarga(const QString& ruta, const QString& contenido);
    // The result of a save done elsewhere (the settings, by QSettings): a failure is told as
    // that of a data file, once until it saves again; at shutdown on standard error only.
    bool Comprobar(const QString& ruta, ErrorArchivo error, bool alCerrar);
    // A file that cannot be written is told at start, before any change is lost.
    void ComprobarEscritura(const QString& ruta);
    // Before the first save over a file whose reading stopped at a Ctrl-Z with bytes after
    // it: the file as it was is kept beside it. False when that copy could not be made.
    bool ConservarOriginal(const QString& ruta, const QString& contenido);

    static QString Motivo(ErrorArchivo error);

    // Runs before any box is shown: what a save closed must not stay closed while it is open.
    void FijarAntesDeAviso(std::function<void()> antes) { FAntesDeAviso = std::move(antes); }

private:
    void AvisarFallo(const QString& ruta, const QString& texto);
    // On standard error; while the board runs also in a box, once.
    // clave: what the box is told once for, until the file saves again.
    void AvisarNoGuardado(const QString& clave, const QString& ruta, const QString& motivo,
                          const QString& despues, bool alCerrar);
    void Informar(const QString& texto);
    void Mostrar(const QString& titulo, const QString& texto, IconoMensaje icono);
    // A file that is not what this board read or last saved is kept whole beside it, at
    // `copia`. False when that copy could not be made: the file must not be replaced.
    bool ConservarCambioAjeno(const QString& ruta, QString& copia);
    // Once by a box while the board runs; at shutdown, and after that, on standard error.
    void AvisarCambioAjeno(const QString& ruta, const QString& copia, bool alCerrar);
    struct Recuperacion {
        bool ASalvo = false; // in the copy, or in the file already
        QString Copia;
    };
    // The changes the file could not take, in a recovery copy where there is room.
    Recuperacion GuardarRecuperacion(const QString& ruta, const QByteArray& bytes, bool legible);
    void GuardarRecuperacionAlCerrar(const QString& ruta, const QByteArray& bytes, bool legible,
                                     const QString& motivo);
    // Only the copies this board loaded or wrote are its to remove.
    void BorrarPropias(const QString& ruta, const QString& salvo = {});

    QWidget* FOwner;
    QSet<QString> FConFallo;
    QSet<QString> FCambioAvisado;
    // What each file held when this board read it or last saved it.
    QHash<QString, EstadoArchivo> FConocidos;
    QHash<QString, QStringList> FCopiasPropias;
    bool FAvisoAbierto = false;
    std::function<void()> FAntesDeAviso;
};
