#include "storage/GuardadoAtomico.h"

#include <QFile>
#include <QSaveFile>

ArchivoLeido LeerArchivoEntero(const QString& ruta) {
    ArchivoLeido leido;
    QFile archivo(ruta);
    if (!archivo.exists())
        return leido;
    leido.Existe = true;
    if (!archivo.open(QIODevice::ReadOnly)) {
        leido.Error = ErrorArchivo::NoSePuedeLeer;
        return leido;
    }
    leido.Bytes = archivo.readAll();
    if (archivo.error() != QFileDevice::NoError)
        leido.Error = ErrorArchivo::NoSePuedeLeer;
    return leido;
}

bool EscribirTodo(QIODevice& destino, QByteArrayView bytes) {
    while (!bytes.isEmpty()) {
        const qint64 escritos = destino.write(bytes.data(), bytes.size());
        if (escritos <= 0)
            return false;
        bytes = bytes.sliced(escritos);
    }
    return true;
}

ErrorArchivo GuardarAtomico(const QString& ruta,
                            const std::function<ErrorArchivo(QIODevice&)>& escribir) {
    QSaveFile archivo(ruta);
    // Writing in place would truncate the stored file before the new one is complete.
    archivo.setDirectWriteFallback(false);
    if (!archivo.open(QIODevice::WriteOnly))
        return ErrorArchivo::NoSePuedeEscribir;
    const ErrorArchivo error = escribir(archivo);
    if (error != ErrorArchivo::Ninguno) {
        archivo.cancelWriting();
        return error;
    }
    return archivo.commit() ? ErrorArchivo::Ninguno : ErrorArchivo::NoSePuedeEscribir;
}
