#include "storage/CopiasSeguridad.h"

#include "storage/GuardadoAtomico.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kSufijoRecuperacion = QStringLiteral(".recuperacion");

// The shared folders hold the copies of every board and user: the name carries a mark of
// the file's full path and of the user's home, so that no board loads or deletes the
// copy of another.
QString NombreCopiaLejana(const QString& ruta) {
    const QFileInfo archivo(ruta);
    const QByteArray dueno = (archivo.absoluteFilePath() + u'\n' + QDir::homePath()).toUtf8();
    const QByteArray marca =
        QCryptographicHash::hash(dueno, QCryptographicHash::Sha1).toHex().left(12);
    return archivo.fileName() + u'.' + QString::fromLatin1(marca) + kSufijoRecuperacion;
}

// Beside the copy: the state of the data file the copy was made over.
QString NotaDeCopia(const QString& copia) {
    return copia + QStringLiteral(".estado");
}

} // namespace

QStringList RutasRecuperacion(const QString& ruta) {
    const QString nombre = NombreCopiaLejana(ruta);
    QStringList rutas{ruta + kSufijoRecuperacion};
    for (const auto lugar : {QStandardPaths::AppDataLocation, QStandardPaths::TempLocation}) {
        const QString carpeta = QStandardPaths::writableLocation(lugar);
        if (!carpeta.isEmpty())
            rutas.append(carpeta + u'/' + nombre);
    }
    return rutas;
}

QList<CopiaRecuperacion> RecuperacionesExistentes(const QString& ruta) {
    QList<CopiaRecuperacion> copias;
    for (const QString& copia : RutasRecuperacion(ruta)) {
        if (!QFileInfo(copia).isFile())
            continue;
        const ArchivoLeido nota = LeerArchivoEntero(NotaDeCopia(copia));
        copias.append({copia, nota.Existe && nota.Error == ErrorArchivo::Ninguno
                                  ? EstadoArchivo::DeTexto(nota.Bytes)
                                  : std::nullopt});
    }
    return copias;
}

QString GuardarRecuperacion(const QString& ruta,
                            const std::function<ErrorArchivo(const QString&)>& guardar,
                            const std::optional<EstadoArchivo>& base, const QStringList& propias) {
    const QStringList rutas = RutasRecuperacion(ruta);
    for (const QString& copia : rutas) {
        // Another board's copy that was not loaded holds changes nobody has seen yet.
        if (QFileInfo::exists(copia) && !propias.contains(copia))
            continue;
        QDir().mkpath(QFileInfo(copia).absolutePath());
        // An old note must never describe the new copy: without a note the copy is
        // loaded only over a missing file.
        QFile::remove(NotaDeCopia(copia));
        if (guardar(copia) != ErrorArchivo::Ninguno)
            continue;
        // Away from the file, the notes must not be readable by the other users.
        if (copia != rutas.first())
            QFile::setPermissions(copia, QFile::ReadOwner | QFile::WriteOwner);
        if (base)
            GuardarBytes(NotaDeCopia(copia), base->Texto());
        return copia;
    }
    return {};
}

void BorrarRecuperacion(const QString& copia) {
    QFile::remove(copia);
    QFile::remove(NotaDeCopia(copia));
}

QString ConservarCopia(const QString& ruta, const QString& sufijo) {
    const ArchivoLeido original = LeerArchivoEntero(ruta);
    if (!original.Existe || original.Error != ErrorArchivo::Ninguno)
        return {};
    for (int n = 1; n < 100; ++n) {
        const QString copia = ruta + sufijo + (n > 1 ? u'.' + QString::number(n) : QString());
        const ArchivoLeido anterior = LeerArchivoEntero(copia);
        if (anterior.Existe && anterior.Bytes == original.Bytes)
            return copia; // kept already
        if (anterior.Existe)
            continue;
        return GuardarBytes(copia, original.Bytes) == ErrorArchivo::Ninguno ? copia : QString();
    }
    return {};
}
