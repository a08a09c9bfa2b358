#include "app/DialogosSinMinimizar.h"
#include "app/InstanciaUnica.h"
#include "app/Pinaco.h"
#include "app/RutasDatos.h"
#include "app/SalidaOrdenada.h"
#include "app/TraduccionesQt.h"
#include "notes/Mensaje.h"
#include "resources/ImagenesPinaco.h"
#include "storage/CerrojoDatos.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {

// Ends the program without a board; the box runs inside the event loop, so that a stop
// signal closes it as it ends a board.
int AvisarArchivosEnUso(const CerrojoDatos& cerrojo, const QString& rutaNotas) {
    const QString texto =
        QStringLiteral("Otro Pinaco (%1) ya está usando los ficheros de datos:\r%2\r\r"
                       "Este Pinaco se cerrará sin escribir nada. Si no hay ningún otro Pinaco "
                       "abierto, borre el fichero de bloqueo:\r%3")
            .arg(cerrojo.Dueno(), rutaNotas, cerrojo.Ruta());
    std::fprintf(stderr, "pinaco: %s\n", qPrintable(QString(texto).replace(u'\r', u' ')));
    QTimer::singleShot(0, qApp, [texto] {
        MostrarMensaje(nullptr, QStringLiteral("Pinaco"), texto, IconoMensaje::Error);
        QCoreApplication::exit();
    });
    QApplication::exec();
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Morvanti"));
    QApplication::setApplicationName(QStringLiteral("Pinaco"));
    QApplication::setQuitOnLastWindowClosed(false);
    app.installEventFilter(new DialogosSinMinimizar(&app));
    if (!CargarTraduccionesQt())
        std::fprintf(stderr, "pinaco: no se encuentran las traducciones de Qt al español\n");
    // The desktop finds the entry and the icon the package installs under this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("pinaco"));
    QApplication::setWindowIcon(ImagenesPinaco::IconoPrograma());

    // Before the single-instance socket appears: whoever sees it may already send a signal.
    SalidaOrdenada::Instalar(&app);
    InstanciaUnica instancia;
    if (!instancia.Iniciar())
        return 0;
    // A board of another session or user may use the same files: before anything is read
    // or written, settings included, they must be this board's.
    const QString rutaNotas =
        RutaArchivoDatos(QApplication::applicationFilePath(), QStringLiteral("DAT"));
    CerrojoDatos cerrojo(rutaNotas);
    if (!cerrojo.Tomar())
        return AvisarArchivosEnUso(cerrojo, rutaNotas);

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
