#include "app/DialogosSinMinimizar.h"

#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace {

void Restaurar(QWidget* ventana) {
    if (ventana && ventana->isMinimized())
        ventana->setWindowState(ventana->windowState() & ~Qt::WindowMinimized);
}

} // namespace

bool DialogosSinMinimizar::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::WindowStateChange) {
        auto* dialogo = qobject_cast<QDialog*>(objeto);
        if (dialogo && dialogo->isWindow() && dialogo->isMinimized()) {
            // After the window manager has finished iconifying the whole group.
            QPointer<QDialog> cual(dialogo);
            QPointer<QWidget> dueno(dialogo->parentWidget() ? dialogo->parentWidget()->window()
                                                            : nullptr);
            QTimer::singleShot(0, this, [cual, dueno] {
                Restaurar(dueno);
                Restaurar(cual);
                if (cual) {
                    cual->raise();
                    cual->activateWindow();
                }
            });
        }
    }
    return QObject::eventFilter(objeto, evento);
}
