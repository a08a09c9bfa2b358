#include "app/InstanciaUnica.h"
#include "app/Pinaco.h"
#include "app/SalidaOrdenada.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Morvanti"));
    QApplication::setApplicationName(QStringLiteral("Pinaco"));
    QApplication::setQuitOnLastWindowClosed(false);
    // The desktop finds the entry and the icon the package installs under this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("pinaco"));
    QIcon icono;
    for (const int lado : {16, 32, 48, 64})
        icono.addFile(QStringLiteral(":/icono/pinaco-%1.png").arg(lado));
    QApplication::setWindowIcon(icono);

    // Before the single-instance socket appears: whoever sees it may already send a signal.
    SalidaOrdenada::Instalar(&app);
    InstanciaUnica instancia;
    if (!instancia.Iniciar())
        return 0;

    // The end of the desktop session ends the board as its close button does.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    TPinaco pinaco(QApplication::applicationFilePath());
    QObject::connect(&instancia, &InstanciaUnica::PeticionMostrar, &pinaco,
                     &TPinaco::MensajeMostrar);
    QObject::connect(
        &pinaco, &TPinaco::ErrorDeCarga, &app, [] { QCoreApplication::exit(1); },
        Qt::QueuedConnection);
    const int estado = QApplication::exec();
    pinaco.FormDestroy();
    return estado;
}
