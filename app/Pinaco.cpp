#include "app/Pinaco.h"

#include "app/AccesibilidadTablero.h"
#include "app/AnuncioCaducadas.h"
#include "app/CapasNotas.h"
#include "app/CustodiaArchivos.h"
#include "app/FondoCorcho.h"
#include "app/PendientesTablero.h"
#include "app/RegistroConfiguracion.h"
#include "app/RutasDatos.h"
#include "app/TecladoTablero.h"
#include "dialogs/Mensaje.h"
#include "net/ServidorNotas.h"
#include "notes/Nota.h"
#include "notes/VistasNotas.h"
#include "resources/ImagenesPinaco.h"
#include "storage/GuardadoAtomico.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QSettings>
#include <QSystemTrayIcon>
#include <algorithm>

namespace {

// A timer runs while its interval is not zero.
void FijarIntervalo(QTimer& timer, int ms) {
    if (ms == 0)
        timer.stop();
    else
        timer.start(ms);
}

} // namespace

TPinaco::TPinaco(const QString& rutaPrograma, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), FRutaPrograma(rutaPrograma) {
    setWindowTitle(QStringLiteral("Pinaco"));
    imglChinchetas = ImagenesPinaco::imglChinchetas();
    imglAgarradera = ImagenesPinaco::imglAgarradera();
    connect(&TimerOnLoad, &QTimer::timeout, this, &TPinaco::TimerOnLoadTimer);
    connect(&FAutoguardado, &Autoguardado::GuardadoDebido, this, &TPinaco::GuardarAutomaticamente);
    // Whatever changes the notes makes a save due.
    connect(&FModelo, &ModeloNotas::Agregada, this, &TPinaco::MarcarNotasCambiadas);
    connect(&FModelo, &ModeloNotas::Cambiada, this, &TPinaco::MarcarNotasCambiadas);
    connect(&FModelo, &ModeloNotas::Quitada, this, &TPinaco::MarcarNotasCambiadas);
    connect(&FModelo, &ModeloNotas::OrdenCambiado, this, &TPinaco::MarcarNotasCambiadas);
    // Once the desktop has settled its remaining screens.
    connect(qGuiApp, &QGuiApplication::screenRemoved, this,
            [this] { QTimer::singleShot(0, this, &TPinaco::VolverAPantalla); });
    TimerReactivarServidor.setSingleShot(true);
    TimerReactivarServidor.setInterval(100);
    connect(&TimerReactivarServidor, &QTimer::timeout, this, [this] {
        if (Config.ServerActivo)
            ActivarServidor();
    });
    FormCreate();
}

TPinaco::~TPinaco() {
    FormDestroy();
}

void TPinaco::FormCreate() {
    InstalarAccesibilidadTablero();
    setAccessibleName(QStringLiteral("Pinaco"));
    // The board itself holds the focus at first: no button is framed before a key is used.
    setFocusPolicy(Qt::ClickFocus);
    FCapas = new CapasNotas(this);
    FVistas = new VistasNotas(
        FModelo, [this](IdNota id) { return CrearVista(id); }, this);
    ChartFondo = new FondoCorcho(ImagenesPinaco::Corcho(), this);
    ChartFondo->setAccessibleName(QStringLiteral("Corcho"));
    ChartFondo->OnMouseDown = [this](QMouseEvent* e) { ChartFondoMouseDown(e); };
    ChartFondo->OnDblClick = [this] { ChartFondoDblClick(); };
    CrearMenus();
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    ChartFondo->setGeometry(0, 0, pantalla ? pantalla->size().width() : 1024,
                            pantalla ? pantalla->size().height() : 768);

    CrearMarco();
    FTeclado = new TecladoTablero(*this, {PanelAdd, PanelConfigurar, PanelOrganizar, PanelBuscar,
                                          PanelMinimizar, PanelMaximizar, PanelCerrar});
    CrearBandeja();
    FAnuncio = new AnuncioCaducadas(*this, FModelo, Config, [this](IdNota id) { BorrarNota(id); });

    Config = Configuracion{};
    Config.ServerActivo = false;

    FIgnorarPulsacionNota = false;
    FIsMaximized = false;
    FIgnorarPulsacionFondo = false;

    FCustodia = std::make_unique<CustodiaArchivos>(this);
    // A box about a failed autosave must not keep the port closed while it is open.
    FCustodia->FijarAntesDeAviso([this] {
        if (TimerReactivarServidor.isActive() || FGuardandoConServidor) {
            TimerReactivarServidor.stop();
            FGuardandoConServidor = false;
            if (Config.ServerActivo)
                ActivarServidor();
        }
    });
    FRutaListaIP = RutaArchivoDatos(FRutaPrograma, QStringLiteral("NET"));
    FRutaRetiros = RutaJuntoAlPrograma(FRutaListaIP, QStringLiteral("RET"));
    FRutaNotas = RutaArchivoDatos(FRutaPrograma, QStringLiteral("DAT"));
    FRutaBorradas = RutaJuntoAlPrograma(FRutaNotas, QStringLiteral("BOR"));
    FPapelera = PapeleraNotas(FRutaBorradas);
    Server = new ServidorNotas(*this, FListaIP,
                               RutaArchivoDatos(FRutaPrograma, QStringLiteral("LOG")), {}, this);
    FRutaPendientes = RutaJuntoAlPrograma(FRutaNotas, QStringLiteral("PEN"));
    FPendientes = new PendientesTablero(
        *this, {[this] { return Config.IconInTray && IconoBandeja->isVisible(); },
                [this](const QString& titulo, const QString& texto) {
                    IconoBandeja->showMessage(titulo, texto);
                },
                [this](const QString& linea) { Server->AnotarEnLog(linea); },
                [this] {
                    return Config.ActualizarPuertoAlEnviarNota
                               ? std::optional<qint32>(Config.ServerPort)
                               : std::nullopt;
                }});

    resize(kAnchoDisenado, kAltoDisenado);
    move(-1000, -1000);
    setVisible(false);
    TimerOnLoad.setSingleShot(true);
    FijarIntervalo(TimerOnLoad, 10);
}

void TPinaco::TimerOnLoadTimer() {
    hide();
    FijarIntervalo(TimerOnLoad, 0);

    if (!ConfiguracionLegible()) {
        emit ErrorDeCarga();
        return;
    }
    if (!RegistroConfiguracion::Existe(Registro())) {
        // First run: the board centred at its designed size, the defaults written and applied.
        resize(kAnchoDisenado, kAltoDisenado);
        if (const QScreen* pantalla = PantallaPropia()) {
            const QSize s = pantalla->size();
            move((s.width() - width()) / 2, (s.height() - height()) / 2);
        }
        GuardarConfiguracion();
        AplicarConfiguracion();
    } else {
        CargarConfiguracion();
    }

    if (!CargarNotas()) {
        // The stored files stay as they were: nothing partial is written at the end.
        emit ErrorDeCarga();
        return;
    }
    FArchivosCargados = true;
    // The files are this board's now: what its interrupted saves left can go.
    BorrarRestosDeGuardado(FRutaNotas);
    BorrarRestosDeGuardado(FRutaListaIP);
    BorrarRestosDeGuardado(FRutaRetiros);
    AjustarNotasAlPinaco();
    ChartFondo->lower();
    CrearRegiones();
    ColocarBotones();
    ColocarMarco();
    if (!Config.IconInTray) {
        show();
        raise();
        activateWindow();
    }
    FCustodia->ComprobarEscritura(FRutaNotas);
    FAnuncio->Iniciar();
    ComprobarNotasCaducadas();
    emit Cargado();
}

void TPinaco::MarcarNotasCambiadas() {
    FAutoguardado.Cambio();
}

void TPinaco::IniciarNotaEntrante() {
    FAutoguardado.NotaEntrante();
}

void TPinaco::TimerGuardarNotasTimer() {
    FAutoguardado.Tic();
}

void TPinaco::GuardarAutomaticamente() {
    // No note may arrive while the file is written: the server is closed around the save.
    DesactivarServidor();
    FGuardandoConServidor = true;
    GuardarNotas();
    // Opened already when a box came up.
    if (std::exchange(FGuardandoConServidor, false))
        TimerReactivarServidor.start();
}

void TPinaco::ComprobarNotasCaducadas() {
    FAnuncio->ComprobarTodas();
}

VigiaCaducadas& TPinaco::Vigia() {
    return FAnuncio->Vigia();
}

void TPinaco::MensajeMostrar() {
    if (Config.IconInTray)
        RestaurarDeBandeja();
    // Shown above ordinary windows; a board kept on top loses that until the settings
    // are applied again.
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        setWindowFlag(Qt::WindowStaysOnTopHint, false);
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TPinaco::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::quit();
}

void TPinaco::FormDestroy() {
    if (FDestruido)
        return;
    FDestruido = true;
    FCerrando = true;
    FAnuncio->Detener();
    // The countdown ends here: the shutdown saves below or leaves the files as they are.
    FAutoguardado.Guardado();
    DesactivarServidor();
    // No attempt in the background outlives the board; what waits is in its file.
    delete FPendientes;
    FPendientes = nullptr;
    Server->EscribirRechazosContados();
    // Before the files are read (a signal during start-up) or after a failed read the
    // board holds defaults or a partial list: the stored files stay as they were.
    if (FArchivosCargados) {
        GuardarConfiguracion();
        // GuardarNotas writes the address book too: each file once.
        GuardarNotas();
    }
    LiberarNotas();
}

void TPinaco::LiberarNotas() {
    FVistas->Liberar();
}
