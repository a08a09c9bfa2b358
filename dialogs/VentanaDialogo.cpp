#include "dialogs/VentanaDialogo.h"

#include <QDialog>

void PedirVentanaDialogo(QDialog* dialogo) {
    dialogo->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::MSWindowsFixedSizeDialogHint);
}
