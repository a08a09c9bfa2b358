#pragma once
// A key pressed in one field of a dialog presses one of its buttons, where the field would
// otherwise keep the key to itself (a list's Delete, a text's Escape).
#include <Qt>

class QAbstractButton;
class QWidget;

void TeclaPulsaBoton(QWidget* campo, Qt::Key tecla, QAbstractButton* boton);
