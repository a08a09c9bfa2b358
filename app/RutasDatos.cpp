#include "app/RutasDatos.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString RutaJuntoAlPrograma(const QString& rutaPrograma, const QString& extension) {
    const qsizetype barra = rutaPrograma.lastIndexOf(u'/');
    const qsizetype punto = rutaPrograma.lastIndexOf(u'.');
    const QString base = punto > barra ? rutaPrograma.left(punto + 1) : rutaPrograma + u'.';
    return base + extension;
}

QString RutaArchivoDatos(const QString& rutaPrograma, const QString& extension) {
    const QString junto = RutaJuntoAlPrograma(rutaPrograma, extension);
    const QFileInfo info(junto);
    if (QFileInfo(info.absolutePath()).isWritable() && (!info.exists() || info.isWritable()))
        return junto;
    const QString carpeta = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(carpeta);
    return carpeta + u'/' + info.fileName();
}
