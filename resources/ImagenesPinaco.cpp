#include "resources/ImagenesPinaco.h"

#include "resources/NombreConRatio.h"

#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <QtMath>

// The resources live in a static library, so nothing registers them unless asked to;
// Q_INIT_RESOURCE must be used outside any namespace.
static void IniciarRecursos() {
    Q_INIT_RESOURCE(pinaco);
    Q_INIT_RESOURCE(acerca);
}

namespace ImagenesPinaco {
namespace {

QPixmap Imagen(const QString& nombre) {
    return Cargar(QStringLiteral(":/imagenes/") + nombre);
}

} // namespace

qreal RatioPantallas() {
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

QPixmap Cargar(const QString& ruta, qreal ratio) {
    static const bool iniciado = (IniciarRecursos(), true);
    Q_UNUSED(iniciado);
    // A finer picture shrinks better than a coarser one grows: 1.5 takes the 2x one.
    for (int n = qCeil(ratio); n > 1; --n) {
        const QString fina = NombreConRatio(ruta, n);
        if (QFile::exists(fina)) {
            QPixmap imagen(fina);
            imagen.setDevicePixelRatio(n);
            return imagen;
        }
    }
    return QPixmap(ruta);
}

QRect EnPixeles(const QPixmap& imagen, const QRect& logico) {
    const qreal r = imagen.devicePixelRatio();
    return QRectF(QPointF(logico.topLeft()) * r, QSizeF(logico.size()) * r).toRect();
}

QIcon IconoPrograma() {
    QIcon icono;
    for (const int lado : {16, 32, 48, 64, 128, 256})
        icono.addPixmap(Cargar(QStringLiteral(":/icono/pinaco-%1.png").arg(lado), 1));
    return icono;
}

QList<QPixmap> imglChinchetas() {
    QList<QPixmap> lista;
    for (int i = 0; i < 7; ++i)
        lista.append(Imagen(QStringLiteral("chincheta%1.png").arg(i)));
    return lista;
}

QList<QPixmap> imglAgarradera() {
    return {Imagen(QStringLiteral("agarradera.png"))};
}

QList<QPixmap> ImageListTrayIcon() {
    return {Imagen(QStringLiteral("bandeja0.png")), Imagen(QStringLiteral("bandeja1.png"))};
}

QPixmap Corcho() {
    return Imagen(QStringLiteral("corcho.png"));
}

QPixmap FranjaDialogo() {
    return Imagen(QStringLiteral("franja.jpg"));
}

QPixmap img11() {
    return Imagen(QStringLiteral("img11.png"));
}

QPixmap img12() {
    return Imagen(QStringLiteral("img12.png"));
}

QPixmap img21() {
    return Imagen(QStringLiteral("img21.png"));
}

QPixmap img22() {
    return Imagen(QStringLiteral("img22.png"));
}

QPixmap img31() {
    return Imagen(QStringLiteral("img31.png"));
}

QPixmap img32() {
    return Imagen(QStringLiteral("img32.png"));
}

QPixmap BarraIzquierda() {
    return Imagen(QStringLiteral("barra_izquierda.png"));
}

QPixmap BarraDerecha() {
    return Imagen(QStringLiteral("barra_derecha.png"));
}

QPixmap BarraInferior() {
    return Imagen(QStringLiteral("barra_inferior.png"));
}

QPixmap Esquina() {
    return Imagen(QStringLiteral("esquina.png"));
}

QPixmap AgarraderaPinaco() {
    return Imagen(QStringLiteral("agarradera_pinaco.png"));
}

QPixmap Boton(const QString& nombre, bool apretado) {
    static const QStringList kNombres = {"Add", "Conf", "Org", "Bus",
                                         "Min", "Max",  "Res", "Cerrar"};
    if (!kNombres.contains(nombre))
        return {};
    return Imagen(QStringLiteral("boton_%1%2.png")
                      .arg(nombre.toLower(), apretado ? QStringLiteral("_apretado") : QString()));
}

} // namespace ImagenesPinaco
