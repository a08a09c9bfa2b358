#include "net/EscritorLog.h"

#include "core/Cp1252.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

// A name from the address book or a note text may hold what the code page cannot.
QByteArray BytesDeLinea(const QString& linea) {
    QByteArray bytes;
    bytes.reserve(linea.size() + 2);
    for (const QChar c : linea)
        bytes += char(Cp1252::ByteDe(c).value_or('?'));
    return bytes + "\r\n";
}

} // namespace

void EscritorLog::AvisoPorStderr(const QString& mensaje) {
    std::fprintf(stderr, "%s\n", qPrintable(mensaje));
}

EscritorLog::EscritorLog(QString carpetaDatos, Aviso aviso)
    : carpetaDatos_(std::move(carpetaDatos)), aviso_(std::move(aviso)) {}

QString EscritorLog::Ruta(const QString& logFilename) const {
    return QDir(carpetaDatos_).filePath(logFilename);
}

bool EscritorLog::EscribirLineaLog(const QString& logFilename, const QString& linea) {
    const QString ruta = Ruta(logFilename);
    QFile archivo(ruta);
    const QByteArray bytes = BytesDeLinea(linea);
    const bool escrito = !logFilename.isEmpty() &&
                         archivo.open(QIODevice::WriteOnly | QIODevice::Append) &&
                         archivo.write(bytes) == bytes.size() && archivo.flush();
    QString error = archivo.errorString();
    archivo.close();
    if (!escrito && !fallidos_.contains(logFilename)) {
        fallidos_.insert(logFilename);
        if (logFilename.isEmpty())
            error = QStringLiteral("sin nombre de archivo");
        aviso_(QStringLiteral("pinaco: no se pudo escribir el registro %1: %2").arg(ruta, error));
    }
    return escrito;
}
