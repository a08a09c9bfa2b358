#pragma once
// Whole-file reads and all-or-nothing saves of the data files.
#include "storage/ErrorArchivo.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <functional>

struct ArchivoLeido {
    ErrorArchivo Error = ErrorArchivo::Ninguno;
    bool Existe = false;
    QByteArray Bytes;
};

// A missing file is no error: Existe is false and Bytes empty.
ArchivoLeido LeerArchivoEntero(const QString& ruta);

// Writes every byte or reports failure; a device may take fewer bytes per call.
bool EscribirTodo(QIODevice& destino, QByteArrayView bytes);

// The file is replaced only when `escribir` succeeds and the new content is safely on
// disk; otherwise the stored file stays as it was.
ErrorArchivo GuardarAtomico(const QString& ruta,
                            const std::function<ErrorArchivo(QIODevice&)>& escribir);
// GuardarAtomico of bytes already in memory.
ErrorArchivo GuardarBytes(const QString& ruta, QByteArrayView bytes);
