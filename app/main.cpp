#include "app/DialogosSinMinimizar.h"
#include "app/InstanciaUnica.h"
#include "app/Pinaco.h"
#include "app/RutasDatos.h"
#include "app/SalidaOrdenada.h"
#include "app/TraduccionesQt.h"
#include "core/PlataformaGrafica.h"
#include "dialogs/Mensaje.h"
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

// Qt's Wayland platform brings a window forward with the token it finds in
// XDG_ACTIVATION_TOKEN when the window asks to be activated; elsewhere the token is unused.
void MostrarConTestigo(TPinaco& pinaco, const QByteArray& testigo) {
    if (testigo.isEmpty()) {
        pinaco.MensajeMostrar();
        return;
    }
    qputenv("XDG_ACTIVATION_TOKEN", testigo);
    pinaco.MensajeMostrar();
    // Spent, or of no use to what the board starts later.
    qunsetenv("XDG_ACTIVATION_TOKEN");
}

} // namespace

int main(int argc, char** argv) {
    // Taken before Qt sees it: a running board may need it to come forward.
    const QByteArray testigo = qgetenv("XDG_ACTIVATION_TOKEN");
    // Qt reads the platform once, as the application is built; what the board starts gets
    // the environment the user gave it.
    const EntornoGrafico entorno = EntornoDelProceso();
    const std::optional<QByteArray> plataformas = PlataformasPreferidas(entorno);
    if (plataformas)
        qputenv("QT_QPA_PLATFORM", *plataformas);
    QApplication app(argc, argv);
    if (plataformas)
        entorno.QtQpaPlatform ? qputenv("QT_QPA_PLATFORM", *entorno.QtQpaPlatform)
                              : qunsetenv("QT_QPA_PLATFORM");
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
    instancia.PedirTestigo(PlataformaActivaConTestigo(QGuiApplication::platformName()));
    if (!instancia.Iniciar(testigo))
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
                     [&pinaco](const QByteArray& testigo) { MostrarConTestigo(pinaco, testigo); });
    QObject::connect(
        &pinaco, &TPinaco::ErrorDeCarga, &app, [] { QCoreApplication::exit(1); },
        Qt::QueuedConnection);
    const int estado = QApplication::exec();
    pinaco.FormDestroy();
    return estado;
}
