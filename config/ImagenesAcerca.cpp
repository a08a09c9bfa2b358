#include "config/ImagenesAcerca.h"

#include "resources/ImagenesPinaco.h"

QPixmap ImagenAcerca(const QString& nombre) {
    return ImagenesPinaco::Cargar(QStringLiteral(":/acerca/") + nombre + QStringLiteral(".png"));
}
