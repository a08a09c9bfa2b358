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

QString CarpetaInstalada() {
    return QStringLiteral(PINACO_CARPETA_INSTALADA);
}

QString RutaArchivoDatos(const QString& rutaPrograma, const QString& extension) {
    // The notes file decides for both files, so that they always lie together.
    const QFileInfo notas(RutaJuntoAlPrograma(rutaPrograma, QStringLiteral("DAT")));
    // Shared by every user: root, who could write there, would leave a notes file that
    // nobody else can save.
    const bool instalado = QDir(notas.absolutePath()) == QDir(CarpetaInstalada());
    // Notes beside the program are read even when they cannot be written: the user is told.
    if (!instalado && (notas.exists() || QFileInfo(notas.absolutePath()).isWritable()))
        return RutaJuntoAlPrograma(rutaPrograma, extension);
    const QString carpeta = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(carpeta);
    return carpeta + u'/' + QFileInfo(RutaJuntoAlPrograma(rutaPrograma, extension)).fileName();
}
