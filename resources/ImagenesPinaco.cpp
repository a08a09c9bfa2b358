#include "resources/ImagenesPinaco.h"

#include <QStringList>

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

QPixmap img11() {
    return Cargar(QStringLiteral("img11.png"));
}

QPixmap img12() {
    return Cargar(QStringLiteral("img12.png"));
}

QPixmap img21() {
    return Cargar(QStringLiteral("img21.png"));
}

QPixmap img22() {
    return Cargar(QStringLiteral("img22.png"));
}

QPixmap img31() {
    return Cargar(QStringLiteral("img31.png"));
}

QPixmap img32() {
    return Cargar(QStringLiteral("img32.png"));
}

QPixmap BarraIzquierda() {
    return Cargar(QStringLiteral("barra_izquierda.png"));
}

QPixmap BarraDerecha() {
    return Cargar(QStringLiteral("barra_derecha.png"));
}

QPixmap BarraInferior() {
    return Cargar(QStringLiteral("barra_inferior.png"));
}

QPixmap Esquina() {
    return Cargar(QStringLiteral("esquina.png"));
}

QPixmap AgarraderaPinaco() {
    return Cargar(QStringLiteral("agarradera_pinaco.png"));
}

QPixmap Boton(const QString& nombre, bool apretado) {
    static const QStringList kNombres = {"Add", "Conf", "Org", "Bus",
                                         "Min", "Max",  "Res", "Cerrar"};
    if (!kNombres.contains(nombre))
        return {};
    return Cargar(QStringLiteral("boton_%1%2.png")
                      .arg(nombre.toLower(), apretado ? QStringLiteral("_apretado") : QString()));
}

} // namespace ImagenesPinaco
