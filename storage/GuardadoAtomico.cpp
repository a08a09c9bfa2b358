#include "storage/GuardadoAtomico.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <unistd.h>

namespace {

ErrorArchivo ErrorDeErrno(int codigo) {
    switch (codigo) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ErrorArchivo::DiscoLleno;
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrorArchivo::SinPermiso;
    default:
        return ErrorArchivo::NoSePuedeEscribir;
    }
}

// Writes straight to the descriptor: a buffered write would reach the disk only inside
// QSaveFile::commit(), which does not report the failure of that last flush.
class SalidaDescriptor : public QIODevice {
public:
    explicit SalidaDescriptor(int descriptor) : descriptor_(descriptor) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    int CodigoError() const { return codigo_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* datos, qint64 cuantos) override {
        qint64 escritos;
        do
            escritos = ::write(descriptor_, datos, size_t(cuantos));
        while (escritos < 0 && errno == EINTR);
        if (escritos < 0)
            codigo_ = errno;
        return escritos;
    }

private:
    int descriptor_;
    int codigo_ = 0;
};

} // namespace

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
    errno = 0;
    if (!archivo.open(QIODevice::WriteOnly)) {
        // QSaveFile refuses a stored file that may not be written before any system call.
        const QFile existente(ruta);
        return existente.exists() && !(existente.permissions() & QFileDevice::WriteUser)
                   ? ErrorArchivo::SinPermiso
                   : ErrorDeErrno(errno);
    }
    SalidaDescriptor salida(archivo.handle());
    ErrorArchivo error = escribir(salida);
    if (error == ErrorArchivo::NoSePuedeEscribir && salida.CodigoError() != 0)
        error = ErrorDeErrno(salida.CodigoError());
    // Some file systems report a full disk only when the data is forced out.
    if (error == ErrorArchivo::Ninguno && ::fsync(archivo.handle()) != 0 && errno != EINVAL)
        error = ErrorDeErrno(errno);
    if (error != ErrorArchivo::Ninguno) {
        archivo.cancelWriting();
        return error;
    }
    return archivo.commit() ? ErrorArchivo::Ninguno : ErrorDeErrno(errno);
}

ErrorArchivo GuardarBytes(const QString& ruta, QByteArrayView bytes) {
    return GuardarAtomico(ruta, [bytes](QIODevice& destino) {
        return EscribirTodo(destino, bytes) ? ErrorArchivo::Ninguno
                                            : ErrorArchivo::NoSePuedeEscribir;
    });
}
