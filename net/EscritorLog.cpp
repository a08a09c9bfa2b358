#include "net/EscritorLog.h"

#include "core/Cp1252.h"
#include "storage/CopiasSeguridad.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStorageInfo>
#include <cstdio>
#include <optional>
#include <sys/stat.h>
#include <utility>

namespace {

// A name from the address book or a note text may hold what the code page cannot.
QByteArray BytesDeLinea(const QString& linea) {
    QByteArray bytes;
    bytes.reserve(linea.size() + 2);
    for (const QChar c : linea)
        bytes += char(Cp1252::ByteDe(c).value_or('?'));
    return bytes + "\r\n";
}

// The name in its folder with the folder's links followed; the name itself as given.
QString EnSuCarpeta(const QFileInfo& info) {
    const QString carpeta = QFileInfo(info.absolutePath()).canonicalFilePath();
    return QDir::cleanPath((carpeta.isEmpty() ? info.absolutePath() : carpeta) + u'/' +
                           info.fileName());
}

// Where opening the path writes: every link followed, also one whose target is not there yet.
QString RutaResuelta(const QString& ruta) {
    QFileInfo info(QFileInfo(ruta).absoluteFilePath());
    for (int saltos = 0; saltos < 40 && info.isSymLink(); ++saltos)
        info.setFile(info.symLinkTarget());
    return info.exists() ? info.canonicalFilePath() : EnSuCarpeta(info);
}

std::optional<std::pair<dev_t, ino_t>> Identidad(const QString& ruta) {
    struct stat datos {};
    if (::stat(QFile::encodeName(ruta).constData(), &datos) != 0)
        return std::nullopt;
    return std::pair{datos.st_dev, datos.st_ino};
}

// The file system decides: a hard link, or another case of the name where case does not
// count, is the same file.
bool MismoArchivo(const QString& resuelta, const QString& otra) {
    if (resuelta == RutaResuelta(otra))
        return true;
    const auto a = Identidad(resuelta);
    return a && a == Identidad(otra);
}

// "<file>.<anything>" beside the file, or beside the file its link points to.
bool DeSuFamilia(const QString& resuelta, const QString& ruta) {
    for (const QString& base :
         {EnSuCarpeta(QFileInfo(QFileInfo(ruta).absoluteFilePath())), RutaResuelta(ruta)}) {
        const QString prefijo = base + u'.';
        if (resuelta.startsWith(prefijo) && !resuelta.mid(prefijo.size()).contains(u'/'))
            return true;
    }
    return false;
}

struct Propio {
    QString Ruta;
    QString Exacto;  // what it is
    QString Familia; // what a name that extends it is
    QString Dueno;   // the board's file it belongs to, named in the message
};

// The copies first: a name that extends a copy's is told as the copy's.
QList<Propio> Propios(const ArchivosPropios& p) {
    QList<Propio> propios;
    const std::pair<QString, const char*> datos[] = {{p.Notas, "fichero de notas"},
                                                     {p.Direcciones, "fichero de direcciones"}};
    for (const auto& [ruta, que] : datos) {
        if (ruta.isEmpty())
            continue;
        const QString del = QStringLiteral(" del ") + QString::fromUtf8(que);
        for (const QString& copia : RutasRecuperacion(ruta))
            propios.append({copia, QStringLiteral("la copia de recuperación") + del,
                            QStringLiteral("un fichero de la copia de recuperación") + del, ruta});
        propios.append({ruta + QStringLiteral(".original"),
                        QStringLiteral("la copia original") + del,
                        QStringLiteral("una copia original") + del, ruta});
        propios.append({ruta, QStringLiteral("el ") + QString::fromUtf8(que),
                        QStringLiteral("un fichero de trabajo") + del, ruta});
    }
    const std::pair<QString, const char*> otros[] = {
        {p.Ajustes, "fichero de configuración"}, {p.Retiros, "fichero de direcciones retiradas"},
        {p.Pendientes, "fichero de notas pendientes de envío"}};
    for (const auto& [ruta, que] : otros)
        if (!ruta.isEmpty())
            propios.append({ruta, QStringLiteral("el ") + QString::fromUtf8(que),
                            QStringLiteral("un fichero de trabajo del ") + QString::fromUtf8(que),
                            ruta});
    return propios;
}

} // namespace

QString ArchivosPropios::RutaLog(const QString& logFilename) const {
    if (Notas.isEmpty())
        return logFilename;
    return QDir(QFileInfo(Notas).absolutePath()).filePath(logFilename);
}

QString ChoqueDeLog(const QString& rutaLog, const ArchivosPropios& propios) {
    const QString log = RutaResuelta(rutaLog);
    const QList<Propio> lista = Propios(propios);
    const auto nombrar = [](const QString& que, const Propio& p) { return que + u' ' + p.Dueno; };
    for (const Propio& p : lista)
        if (MismoArchivo(log, p.Ruta))
            return nombrar(p.Exacto, p);
    for (const Propio& p : lista)
        if (DeSuFamilia(log, p.Ruta))
            return nombrar(p.Familia, p);
    return {};
}

QString LogNoEscribible(const QString& rutaLog) {
    const QFileInfo log(RutaResuelta(rutaLog));
    if (log.exists()) {
        if (!log.isFile())
            return QStringLiteral("No es un fichero.");
        return log.isWritable() ? QString() : QStringLiteral("El fichero no se puede escribir.");
    }
    const QFileInfo carpeta(log.absolutePath());
    if (!carpeta.isDir())
        return QStringLiteral("La carpeta %1 no existe.").arg(carpeta.filePath());
    if (!carpeta.isWritable())
        return QStringLiteral("No se puede escribir en la carpeta %1.").arg(carpeta.filePath());
    return {};
}

void EscritorLog::AvisoPorStderr(const QString& mensaje) {
    std::fprintf(stderr, "%s\n", qPrintable(mensaje));
}

EscritorLog::EscritorLog(QString registroPorDefecto, Aviso aviso, LimitesLog limites)
    : FRegistroPorDefecto(std::move(registroPorDefecto)), FAviso(std::move(aviso)),
      FLimites(std::move(limites)) {
    if (!FLimites.Libre)
        FLimites.Libre = [](const QString& carpeta) {
            return QStorageInfo(carpeta).bytesAvailable();
        };
}

QString EscritorLog::HacerSitio(const QString& ruta, qint64 bytes, const ArchivosPropios& propios) {
    const QFileInfo info(ruta);
    if (info.exists() && info.size() + bytes > FLimites.MaxBytes) {
        const QString anterior = ruta + QStringLiteral(".1");
        if (!ChoqueDeLog(anterior, propios).isEmpty())
            return QStringLiteral("ha llegado a su tamaño máximo y %1 es un fichero del Pinaco")
                .arg(anterior);
        QFile::remove(anterior);
        if (!QFile::rename(ruta, anterior))
            return QStringLiteral("ha llegado a su tamaño máximo y no se pudo apartar como %1")
                .arg(anterior);
    }
    const qint64 libre = FLimites.Libre(info.absolutePath());
    if (libre >= 0 && libre - bytes < FLimites.ReservaLibre)
        return QStringLiteral("queda poco espacio en el disco, que se deja para las notas");
    return {};
}

void EscritorLog::AvisarUnaVez(const QString& clave, const QString& mensaje) {
    if (FAvisados.contains(clave))
        return;
    FAvisados.insert(clave);
    FAviso(mensaje);
}

bool EscritorLog::EscribirLineaLog(const QString& logFilename, const QString& linea,
                                   const ArchivosPropios& propios) {
    const QString porDefecto = propios.RutaLog(FRegistroPorDefecto);
    QString ruta = logFilename.isEmpty() ? porDefecto : propios.RutaLog(logFilename);
    QString choque = ChoqueDeLog(ruta, propios);
    if (!choque.isEmpty() && ruta != porDefecto) {
        AvisarUnaVez(u'\n' + logFilename,
                     QStringLiteral("pinaco: el registro %1 sería %2; se escribe en %3")
                         .arg(ruta, choque, porDefecto));
        ruta = porDefecto;
        choque = ChoqueDeLog(ruta, propios);
    }

    QString error;
    if (!choque.isEmpty())
        error = QStringLiteral("es ") + choque;
    else if (const QFileInfo info(ruta); info.exists() && !info.isFile())
        error = QStringLiteral("no es un fichero"); // opening a FIFO would hold the board
    const QByteArray bytes = BytesDeLinea(linea);
    if (error.isEmpty())
        error = HacerSitio(ruta, bytes.size(), propios);
    if (error.isEmpty()) {
        QFile archivo(ruta);
        if (archivo.open(QIODevice::WriteOnly | QIODevice::Append) &&
            archivo.write(bytes) == bytes.size() && archivo.flush())
            return true;
        error = archivo.errorString();
    }
    AvisarUnaVez(ruta,
                 QStringLiteral("pinaco: no se pudo escribir el registro %1: %2").arg(ruta, error));
    return false;
}
