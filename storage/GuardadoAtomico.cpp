#include "storage/GuardadoAtomico.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
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
    explicit SalidaDescriptor(int descriptor) : FDescriptor(descriptor) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    int CodigoError() const { return FCodigo; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* datos, qint64 cuantos) override {
        qint64 escritos;
        do
            escritos = ::write(FDescriptor, datos, size_t(cuantos));
        while (escritos < 0 && errno == EINTR);
        if (escritos < 0)
            FCodigo = errno;
        return escritos;
    }

private:
    int FDescriptor;
    int FCodigo = 0;
};

ErrorArchivo ErrorDeTipo(const struct stat& datos) {
    if (!S_ISREG(datos.st_mode))
        return ErrorArchivo::NoEsArchivo;
    return datos.st_size > kTamanoMaximoArchivo ? ErrorArchivo::DemasiadoGrande
                                                : ErrorArchivo::Ninguno;
}

// One byte past the limit at most: a file that grows or lies about its size stops there.
ErrorArchivo LeerHastaElLimite(int descriptor, qint64 tamano, QByteArray& bytes) {
    bytes.resize(qsizetype(std::clamp<qint64>(tamano, 0, kTamanoMaximoArchivo) + 1));
    qsizetype leidos = 0;
    for (;;) {
        if (leidos == bytes.size()) {
            if (leidos > kTamanoMaximoArchivo)
                return ErrorArchivo::DemasiadoGrande;
            bytes.resize(qsizetype(std::min<qint64>(2 * leidos, kTamanoMaximoArchivo + 1)));
        }
        const ssize_t n = ::read(descriptor, bytes.data() + leidos, size_t(bytes.size() - leidos));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ErrorArchivo::NoSePuedeLeer;
        if (n == 0)
            break;
        leidos += n;
    }
    bytes.truncate(leidos);
    return leidos > kTamanoMaximoArchivo ? ErrorArchivo::DemasiadoGrande : ErrorArchivo::Ninguno;
}

// Keeps the stored file's owner and group where the process may: a save by root does not
// take a user's file away from that user.
void ConservarDueno(int descriptor, const QString& destino) {
    struct stat guardado {};
    if (::stat(QFile::encodeName(destino).constData(), &guardado) == 0 &&
        ::fchown(descriptor, guardado.st_uid, guardado.st_gid) != 0) {
        // Another user's file: the group at least stays, for a folder shared by a group.
        [[maybe_unused]] const int soloGrupo = ::fchown(descriptor, uid_t(-1), guardado.st_gid);
    }
}

// The rename lives in the folder: until it reaches the disk a power cut can bring back the
// previous file. The new file is in place already, so a failure here is not the save's.
void SincronizarCarpeta(const QString& archivo) {
    const int carpeta = ::open(QFile::encodeName(QFileInfo(archivo).absolutePath()).constData(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (carpeta < 0)
        return;
    ::fsync(carpeta);
    ::close(carpeta);
}

bool EsNombreDeTemporal(QStringView nombre, QStringView datos) {
    const auto letra = [](QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
    return nombre.size() == datos.size() + 7 && nombre.startsWith(datos) &&
           nombre[datos.size()] == u'.' && std::all_of(nombre.end() - 6, nombre.end(), letra);
}

} // namespace

ArchivoLeido ExaminarArchivo(const QString& ruta) {
    ArchivoLeido examen;
    struct stat datos {};
    if (::stat(QFile::encodeName(ruta).constData(), &datos) != 0) {
        examen.Existe = errno != ENOENT && errno != ENOTDIR;
        examen.Error = examen.Existe ? ErrorArchivo::NoSePuedeLeer : ErrorArchivo::Ninguno;
        return examen;
    }
    examen.Existe = true;
    examen.Error = ErrorDeTipo(datos);
    return examen;
}

ArchivoLeido LeerArchivoEntero(const QString& ruta) {
    ArchivoLeido leido = ExaminarArchivo(ruta);
    if (!leido.Existe || leido.Error != ErrorArchivo::Ninguno)
        return leido;
    // Without blocking, and checked again on what was opened: the file may have been
    // replaced since it was examined.
    const int descriptor =
        ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat datos {};
    if (descriptor < 0 || ::fstat(descriptor, &datos) != 0)
        leido.Error = ErrorArchivo::NoSePuedeLeer;
    else
        leido.Error = ErrorDeTipo(datos);
    if (leido.Error == ErrorArchivo::Ninguno)
        leido.Error = LeerHastaElLimite(descriptor, datos.st_size, leido.Bytes);
    if (descriptor >= 0)
        ::close(descriptor);
    if (leido.Error != ErrorArchivo::Ninguno)
        leido.Bytes.clear();
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

QString DestinoDeEnlaces(const QString& ruta) {
    QFileInfo info(ruta);
    // A loop of links ends nowhere: the path is kept, and reading or saving it fails.
    for (int i = 0; i < 40 && info.isSymLink(); ++i)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? ruta : info.filePath();
}

ErrorArchivo GuardarAtomico(const QString& ruta,
                            const std::function<ErrorArchivo(QIODevice&)>& escribir) {
    // Judged and written at the link's target: its folder holds the new file.
    const QString destino = DestinoDeEnlaces(ruta);
    QSaveFile archivo(destino);
    // Writing in place would truncate the stored file before the new one is complete.
    archivo.setDirectWriteFallback(false);
    errno = 0;
    if (!archivo.open(QIODevice::WriteOnly)) {
        // QSaveFile refuses a stored file that may not be written before any system call.
        const QFile existente(destino);
        return existente.exists() && !(existente.permissions() & QFileDevice::WriteUser)
                   ? ErrorArchivo::SinPermiso
                   : ErrorDeErrno(errno);
    }
    const int descriptor = archivo.handle();
    struct stat nuevo {};
    // Marked until it is complete, so that a leftover of an interrupted save is known.
    const bool marcado =
        ::fstat(descriptor, &nuevo) == 0 && ::fchmod(descriptor, kModoGuardadoEnCurso) == 0;
    SalidaDescriptor salida(descriptor);
    ErrorArchivo error = escribir(salida);
    if (error == ErrorArchivo::NoSePuedeEscribir && salida.CodigoError() != 0)
        error = ErrorDeErrno(salida.CodigoError());
    if (error == ErrorArchivo::Ninguno) {
        ConservarDueno(descriptor, destino);
        // The mode QSaveFile gave it, the stored file's, in place of the mark; after the
        // change of owner, which may cut it.
        if (marcado && ::fchmod(descriptor, nuevo.st_mode & 07777) != 0)
            error = ErrorDeErrno(errno);
    }
    // Some file systems report a full disk only when the data is forced out.
    if (error == ErrorArchivo::Ninguno && ::fsync(descriptor) != 0 && errno != EINVAL)
        error = ErrorDeErrno(errno);
    if (error != ErrorArchivo::Ninguno) {
        archivo.cancelWriting();
        return error;
    }
    if (!archivo.commit())
        return ErrorDeErrno(errno);
    SincronizarCarpeta(destino);
    return ErrorArchivo::Ninguno;
}

void BorrarRestosDeGuardado(const QString& ruta) {
    const QFileInfo datos(DestinoDeEnlaces(ruta));
    const QDir carpeta = datos.absoluteDir();
    for (const QString& nombre : carpeta.entryList(QDir::Files | QDir::Hidden)) {
        if (!EsNombreDeTemporal(nombre, datos.fileName()))
            continue;
        // A file of the user's that only looks like one keeps its permissions or its owner.
        const QByteArray resto = QFile::encodeName(carpeta.filePath(nombre));
        struct stat visto {};
        if (::lstat(resto.constData(), &visto) == 0 && S_ISREG(visto.st_mode) &&
            visto.st_uid == ::geteuid() && (visto.st_mode & 07777) == kModoGuardadoEnCurso)
            ::unlink(resto.constData());
    }
}

ErrorArchivo GuardarOQuitar(const QString& ruta, QByteArrayView bytes) {
    if (!bytes.isEmpty() || (QFile::exists(ruta) && !QFile::remove(ruta)))
        return GuardarBytes(ruta, bytes);
    return ErrorArchivo::Ninguno;
}

ErrorArchivo GuardarBytes(const QString& ruta, QByteArrayView bytes) {
    return GuardarAtomico(ruta, [bytes](QIODevice& destino) {
        return EscribirTodo(destino, bytes) ? ErrorArchivo::Ninguno
                                            : ErrorArchivo::NoSePuedeEscribir;
    });
}
