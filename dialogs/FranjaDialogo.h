#pragma once
// The picture strip down the left side of the note dialogs.
class QLabel;
class QWidget;

constexpr int kAnchoFranja = 70;

// A label on the dialog's left edge with the strip cut to the given height.
QLabel* CrearFranjaDialogo(QWidget* dialogo, int alto);
