#include "Salida.h"

#include "resources/NombreConRatio.h"

#include <QDir>
#include <cstdio>

namespace Generador {
namespace {
QString gCarpeta = QStringLiteral(".");
bool gFallos = false;
} // namespace

void FijarCarpeta(const QString& carpeta) {
    gCarpeta = carpeta;
    QDir().mkpath(carpeta);
}

void Guardar(const QImage& img, const QString& nombre) {
    const int ratio = qRound(img.devicePixelRatio());
    const QString ruta = gCarpeta + "/" + NombreConRatio(nombre, ratio);
    if (!img.save(ruta)) {
        std::fprintf(stderr, "no se pudo escribir %s\n", qPrintable(ruta));
        gFallos = true;
    }
}

bool HuboFallos() {
    return gFallos;
}

QImage Lienzo(int w, int h, int ratio, QImage::Format formato) {
    QImage img(w * ratio, h * ratio, formato);
    img.setDevicePixelRatio(ratio);
    img.fill(Qt::transparent);
    return img;
}

} // namespace Generador
