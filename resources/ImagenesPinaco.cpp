#include "resources/ImagenesPinaco.h"

static void IniciarRecursos() {
    Q_INIT_RESOURCE(pinaco);
}

namespace ImagenesPinaco {
namespace {

QPixmap Cargar(const QString& nombre) {
    static const bool iniciado = (IniciarRecursos(), true);
    Q_UNUSED(iniciado);
    return QPixmap(QStringLiteral(":/imagenes/") + nombre);
}

} // namespace

QList<QPixmap> imglChinchetas() {
    QList<QPixmap> lista;
    for (int i = 0; i < 7; ++i)
        lista.append(Cargar(QStringLiteral("chincheta%1.png").arg(i)));
    return lista;
}

QList<QPixmap> imglAgarradera() {
    return {Cargar(QStringLiteral("agarradera.png"))};
}

QList<QPixmap> ImageListTrayIcon() {
    return {Cargar(QStringLiteral("bandeja0.png")), Cargar(QStringLiteral("bandeja1.png"))};
}

QPixmap Corcho() {
    return Cargar(QStringLiteral("corcho.png"));
}

QPixmap FranjaDialogo() {
    return Cargar(QStringLiteral("franja.jpg"));
}

} // namespace ImagenesPinaco
