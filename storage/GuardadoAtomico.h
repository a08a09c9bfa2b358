#pragma once
// Whole-file reads and all-or-nothing saves of the data files.
#include "storage/ErrorArchivo.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <functional>

// Far above 100,000 notes; a larger file is not one of ours.
inline constexpr qint64 kTamanoMaximoArchivo = qint64(64) << 20;

struct ArchivoLeido {
    ErrorArchivo Error = ErrorArchivo::Ninguno;
    bool Existe = false;
    QByteArray Bytes;
};

// Whether the file may be read, without opening it: only a regular file within the size
// limit is. A missing file is no error: Existe is false. Bytes stays empty.
ArchivoLeido ExaminarArchivo(const QString& ruta);
// The same check, then the bytes; never more than the limit is read, whatever the file does.
ArchivoLeido LeerArchivoEntero(const QString& ruta);

// The file read whole and given to `leer`; a missing or unreadable one gives a result with
// only its Existe and Error set, which every reader's result has.
template <typename Resultado>
Resultado CargarArchivo(const QString& ruta, Resultado (*leer)(QByteArrayView)) {
    const ArchivoLeido leido = LeerArchivoEntero(ruta);
    if (leido.Existe && leido.Error == ErrorArchivo::Ninguno)
        return leer(leido.Bytes);
    Resultado resultado;
    resultado.Existe = leido.Existe;
    resultado.Error = leido.Error;
    return resultado;
}

// Writes every byte or reports failure; a device may take fewer bytes per call.
bool EscribirTodo(QIODevice& destino, QByteArrayView bytes);

// The file a chain of symbolic links ends at (it may not exist), or the path itself.
QString DestinoDeEnlaces(const QString& ruta);

// The file is replaced only when `escribir` succeeds and the new content is safely on
// disk; otherwise the stored file stays as it was. A symbolic link stays and its target
// is saved; the stored file keeps its owner and group where the process may give them.
ErrorArchivo GuardarAtomico(const QString& ruta,
                            const std::function<ErrorArchivo(QIODevice&)>& escribir);
// GuardarAtomico of bytes already in memory.
ErrorArchivo GuardarBytes(const QString& ruta, QByteArrayView bytes);
// The same for a file that holds nothing when it has nothing to keep: no bytes remove it,
// or, when it cannot be removed, leave it empty, so that nothing old comes back from it.
ErrorArchivo GuardarOQuitar(const QString& ruta, QByteArrayView bytes);

// The file of a save in progress has no permission bits; it lies beside the target under
// QSaveFile's name for it: the target's name, a dot and six letters.
inline constexpr int kModoGuardadoEnCurso = 0;
// Removes what interrupted saves of this file by this user left; nothing else.
void BorrarRestosDeGuardado(const QString& ruta);
