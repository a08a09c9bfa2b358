#include "storage/CopiasSeguridad.h"

#include "storage/GuardadoAtomico.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kSufijoRecuperacion = QStringLiteral(".recuperacion");

} // namespace

QStringList RutasRecuperacion(const QString& ruta) {
    const QString nombre = QFileInfo(ruta).fileName() + kSufijoRecuperacion;
    QStringList rutas{ruta + kSufijoRecuperacion};
    for (const auto lugar : {QStandardPaths::AppDataLocation, QStandardPaths::TempLocation}) {
        const QString carpeta = QStandardPaths::writableLocation(lugar);
        if (!carpeta.isEmpty() && !rutas.contains(carpeta + u'/' + nombre))
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
    for (const QString& copia : RutasRecuperacion(ruta)) {
        QDir().mkpath(QFileInfo(copia).absolutePath());
        if (guardar(copia) == ErrorArchivo::Ninguno)
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
