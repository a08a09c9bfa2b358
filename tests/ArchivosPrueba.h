#pragma once
// Whole files read and written by the tests, byte for byte.
#include <QByteArray>
#include <QFile>
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
