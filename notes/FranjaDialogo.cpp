#include "notes/FranjaDialogo.h"

#include "resources/ImagenesPinaco.h"

#include <QLabel>

QLabel* CrearFranjaDialogo(QWidget* dialogo, int alto) {
    auto* franja = new QLabel(dialogo);
    franja->setGeometry(0, 0, kAnchoFranja, alto);
    franja->setPixmap(ImagenesPinaco::FranjaDialogo().copy(0, 0, kAnchoFranja, alto));
    return franja;
}
