#include "config/ImagenesAcerca.h"

// The resources live in a static library, so nothing registers them unless asked to;
// Q_INIT_RESOURCE must be used outside any namespace.
static void IniciarRecursosAcerca() {
    Q_INIT_RESOURCE(acerca);
}

QPixmap ImagenAcerca(const QString& nombre) {
    static const bool iniciado = (IniciarRecursosAcerca(), true);
    Q_UNUSED(iniciado);
    return QPixmap(QStringLiteral(":/acerca/") + nombre + QStringLiteral(".png"));
}
