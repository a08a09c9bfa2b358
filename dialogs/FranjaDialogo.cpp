#include "dialogs/FranjaDialogo.h"

#include "resources/ImagenesPinaco.h"

#include <QLabel>

QLabel* CrearFranjaDialogo(QWidget* dialogo, int alto) {
    auto* franja = new QLabel(dialogo);
    franja->setGeometry(0, 0, kAnchoFranja, alto);
    const QPixmap imagen = ImagenesPinaco::FranjaDialogo();
    franja->setPixmap(
        imagen.copy(ImagenesPinaco::EnPixeles(imagen, QRect(0, 0, kAnchoFranja, alto))));
    return franja;
}
