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

QString RecuperacionExistente(const QString& ruta) {
    for (const QString& copia : RutasRecuperacion(ruta))
        if (QFileInfo(copia).isFile())
            return copia;
    return {};
}

QString GuardarRecuperacion(const QString& ruta,
                            const std::function<ErrorArchivo(const QString&)>& guardar) {
    const QStringList rutas = RutasRecuperacion(ruta);
    for (const QString& copia : rutas) {
        QDir().mkpath(QFileInfo(copia).absolutePath());
        if (guardar(copia) != ErrorArchivo::Ninguno)
            continue;
        // Away from the file, the notes must not be readable by the other users.
        if (copia != rutas.first())
            QFile::setPermissions(copia, QFile::ReadOwner | QFile::WriteOwner);
        return copia;
    }
    return {};
}

void BorrarRecuperaciones(const QString& ruta) {
    for (const QString& copia : RutasRecuperacion(ruta))
        QFile::remove(copia);
}

QString ConservarOriginal(const QString& ruta) {
    const ArchivoLeido original = LeerArchivoEntero(ruta);
    if (!original.Existe || original.Error != ErrorArchivo::Ninguno)
        return {};
    for (int n = 1; n < 100; ++n) {
        const QString copia =
            ruta + QStringLiteral(".original") + (n > 1 ? u'.' + QString::number(n) : QString());
        const ArchivoLeido anterior = LeerArchivoEntero(copia);
        if (anterior.Existe && anterior.Bytes == original.Bytes)
            return copia; // kept already by an earlier start
        if (anterior.Existe)
            continue;
        const ErrorArchivo error = GuardarAtomico(copia, [&](QIODevice& destino) {
            return EscribirTodo(destino, original.Bytes) ? ErrorArchivo::Ninguno
                                                         : ErrorArchivo::NoSePuedeEscribir;
        });
        return error == ErrorArchivo::Ninguno ? copia : QString();
    }
    return {};
}
