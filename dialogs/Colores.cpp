#include "dialogs/Colores.h"

#include <QApplication>
#include <QPalette>

namespace {

// The system colours the program can meet, by their index in the reference.
QColor ColorDelSistema(quint32 indice) {
    const QPalette p = QApplication::palette();
    switch (indice) {
    case 5:
        return p.color(QPalette::Base); // window background
    case 8:
        return p.color(QPalette::WindowText); // window text
    case 15:
        return p.color(QPalette::Button); // button face
    case 18:
        return p.color(QPalette::ButtonText); // button text
    default:
        return p.color(QPalette::WindowText);
    }
}

} // namespace

QColor ColorDesdeValor(quint32 valor) {
    if (valor & 0x80000000u)
        return ColorDelSistema(valor & 0xFFu);
    return QColor(int(valor & 0xFF), int((valor >> 8) & 0xFF), int((valor >> 16) & 0xFF));
}

quint32 ValorDesdeColor(const QColor& color) {
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}
