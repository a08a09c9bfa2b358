#pragma once
class QDialog;

// Asks the window manager for a fixed-size dialog with a title and no title-bar buttons,
// as every note dialog is.
void PedirVentanaDialogo(QDialog* dialogo);
