// The settings: loaded at start-up, saved at the end and by the configuration dialog, applied.
#include "app/Autoarranque.h"
#include "app/CustodiaArchivos.h"
#include "app/DisposicionMarco.h"
#include "app/Pinaco.h"
#include "app/RegistroConfiguracion.h"
#include "app/RutasDatos.h"
#include "core/PantallasTablero.h"
#include "core/PlataformaGrafica.h"
#include "dialogs/Mensaje.h"
#include "storage/GuardadoAtomico.h"

#include "net/ServidorNotas.h"
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString RutaAutoarranque() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/pinaco.desktop");
}

void EscribirAutoarranque(bool activo, const QString& programa) {
    const QString ruta = RutaAutoarranque();
    if (!activo) {
        QFile::remove(ruta);
        return;
    }
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(EntradaAutoarranque(programa).toUtf8()) < 0)
        qWarning("pinaco: no se pudo escribir %s", qPrintable(ruta));
}

} // namespace

QSettings& TPinaco::Registro() {
    if (!FRegistro)
        FRegistro =
            std::make_unique<QSettings>(RegistroConfiguracion::RutaArchivo(), QSettings::IniFormat);
    return *FRegistro;
}

ArchivosPropios TPinaco::ArchivosDelTablero() {
    return {FRutaNotas,   FRutaListaIP,  Registro().fileName(),
            FRutaRetiros, FRutaBorradas, FRutaPendientes};
}

bool TPinaco::ConfiguracionLegible() {
    const QString ruta = RegistroConfiguracion::RutaArchivo();
    if (ExaminarArchivo(ruta).Error == ErrorArchivo::Ninguno)
        return true;
    ErrorCritico(QStringLiteral("Error crítico en el fichero de configuración."), ruta);
    return false;
}

void TPinaco::CargarConfiguracion() {
    EstadoVentana estado;
    RegistroConfiguracion::Leer(Registro(), Config, estado);

    AplicarServidor(true);

    QRect limites;
    if (estado.PosicionLeida) {
        // On a screen that is there, no larger than the desktop leaves free, so the grip
        // stays within reach.
        limites = TableroVisible(
            QRect(estado.LastLeft, estado.LastTop, estado.LastWidth, estado.LastHeight),
            AreasDePantallas(), QSize(kAnchoMinimoPinaco, kAltoMinimoPinaco));
    } else {
        // Bounds edited away: the board takes its first-run place.
        const QScreen* pantalla = PantallaPropia();
        const QSize tamPantalla = pantalla ? pantalla->size() : QSize(1024, 768);
        limites = QRect(QPoint((tamPantalla.width() - kAnchoDisenado) / 2,
                               (tamPantalla.height() - kAltoDisenado) / 2),
                        QSize(kAnchoDisenado, kAltoDisenado));
    }
    setGeometry(limites);
    FLimitesRestaurar = limites;

    if (Config.IconInTray)
        Minimizar();
    if (estado.NotaReceived && Config.IconInTray)
        IniciarParpadeo();
    if (estado.IsMaximized)
        Maximizar();
    AplicarConfiguracion();
}

void TPinaco::GuardarConfiguracion() {
    EstadoVentana estado;
    const QRect limites = FIsMaximized ? FLimitesRestaurar : geometry();
    estado.LastTop = limites.top();
    estado.LastLeft = limites.left();
    estado.LastHeight = limites.height();
    estado.LastWidth = limites.width();
    estado.PosicionConocida = PlataformaSabePosicion(QGuiApplication::platformName());
    estado.NotaReceived = Config.IconInTray && TimerNotaRecibida.isActive();
    estado.IsMaximized = FIsMaximized;
    const ErrorArchivo error = RegistroConfiguracion::Escribir(Registro(), Config, estado);
    // QSettings keeps its first error for good: the next save starts afresh, so that its
    // success is seen.
    if (error != ErrorArchivo::Ninguno)
        FRegistro.reset();
    FCustodia->Comprobar(RegistroConfiguracion::RutaArchivo(), error, FCerrando);
}

void TPinaco::AplicarConfiguracion() {
    const bool encima = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (encima != Config.AlwaysOnTop) {
        // Changing the flag hides the window; put it back as it was.
        const bool visible = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, Config.AlwaysOnTop);
        if (visible)
            show();
    }
    EscribirAutoarranque(Config.ExecOnWindowsLoad, FRutaPrograma);
    AplicarTipoPinaco();
    CrearRegiones();
    AjustarNotasAlPinaco();

    AplicarServidor(false);
}

void TPinaco::AplicarServidor(bool alCargar) {
    Server->FijarReglas(ReglasDeAjustes(Config, ArchivosDelTablero()));
    // The listener moves or stops only when its port or switch changed; notes on their way
    // run to their end either way.
    if (Config.ServerActivo && ActivarServidor())
        return;
    TimerReactivarServidor.stop();
    Server->DejarDeEscuchar();
    if (Config.ServerActivo) {
        Config.ServerActivo = false;
        AvisarPuertoOcupado(alCargar);
    }
}

bool TPinaco::ActivarServidor() {
    return Server->Activar(quint16(Config.ServerPort));
}

void TPinaco::DesactivarServidor() {
    // Whoever closes the server now decides whether it opens again.
    TimerReactivarServidor.stop();
    Server->Desactivar();
}

void TPinaco::AvisarPuertoOcupado(bool alCargar) {
    const QString ultima =
        alCargar ? QStringLiteral("Por favor, modifique el valor \"Puerto del Servidor\" en "
                                  "Configuración.")
                 : QStringLiteral("Por favor, modifique el valor \"Puerto de Servidor\" en la "
                                  "Configuración.");
    MostrarMensaje(this, QStringLiteral("Error durante la carga"),
                   QStringLiteral("Error: Ya existe un Servidor en el puerto %1 de esta máquina.\r"
                                  "El Servidor no será activado por este motivo.\r\r")
                           .arg(Config.ServerPort) +
                       ultima,
                   IconoMensaje::Error);
}
