#pragma once
// Whole files read and written by the tests, byte for byte.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

inline QByteArray LeerBytes(const QString& ruta) {
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

inline void EscribirBytes(const QString& ruta, const QByteArray& bytes) {
    QFile archivo(ruta);
    QVERIFY(archivo.open(QIODevice::WriteOnly));
    QCOMPARE(archivo.write(bytes), bytes.size());
}

// A file in the folder holding those bytes; without bytes it is not made, only named.
inline QString ArchivoEn(const QTemporaryDir& carpeta, const QString& nombre,
                         const QByteArray& bytes = {}) {
    const QString ruta = carpeta.filePath(nombre);
    if (!bytes.isEmpty())
        EscribirBytes(ruta, bytes);
    return ruta;
}
