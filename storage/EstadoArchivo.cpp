#include "storage/EstadoArchivo.h"

#include "storage/GuardadoAtomico.h"

#include <QCryptographicHash>

namespace {
const QByteArray kAusente = QByteArrayLiteral("ausente");
}

EstadoArchivo EstadoArchivo::DeBytes(const QByteArray& bytes) {
    return {true, bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)};
}

QByteArray EstadoArchivo::Texto() const {
    if (!Existe)
        return kAusente + '\n';
    return QByteArray::number(Tamano) + ' ' + Huella.toHex() + '\n';
}

std::optional<EstadoArchivo> EstadoArchivo::DeTexto(const QByteArray& texto) {
    const QByteArray linea = texto.trimmed();
    if (linea == kAusente)
        return EstadoArchivo{};
    const QList<QByteArray> campos = linea.split(' ');
    bool numero = false;
    const qint64 tamano = campos.value(0).toLongLong(&numero);
    const QByteArray huella = QByteArray::fromHex(campos.value(1));
    if (campos.size() != 2 || !numero || tamano < 0 || huella.size() != 32)
        return std::nullopt;
    return EstadoArchivo{true, tamano, huella};
}

std::optional<EstadoArchivo> EstadoActual(const QString& ruta) {
    const ArchivoLeido leido = LeerArchivoEntero(ruta);
    if (leido.Error != ErrorArchivo::Ninguno)
        return std::nullopt;
    return leido.Existe ? EstadoArchivo::DeBytes(leido.Bytes) : EstadoArchivo{};
}
