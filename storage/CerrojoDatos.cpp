#include "storage/CerrojoDatos.h"

CerrojoDatos::CerrojoDatos(const QString& rutaNotas)
    : FRuta(rutaNotas + QStringLiteral(".lock")), FCerrojo(FRuta) {
    // Only a dead holder makes the lock stale, never its age: a board runs for days.
    FCerrojo.setStaleLockTime(0);
}

bool CerrojoDatos::Tomar() {
    return FCerrojo.tryLock(0) || FCerrojo.error() != QLockFile::LockFailedError;
}

QString CerrojoDatos::Dueno() const {
    qint64 pid = 0;
    QString equipo, programa;
    if (!FCerrojo.getLockInfo(&pid, &equipo, &programa))
        return QStringLiteral("otro proceso");
    return QStringLiteral("proceso %1 en %2").arg(pid).arg(equipo);
}
