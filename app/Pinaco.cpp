#include "app/Pinaco.h"

#include "app/FondoCorcho.h"
#include "app/RutasDatos.h"
#include "notes/GeometriaNotas.h"
#include "notes/Mensaje.h"
#include "notes/Nota.h"
#include "resources/ImagenesPinaco.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QScreen>

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
    connect(&TimerGuardarNotas, &QTimer::timeout, this, &TPinaco::TimerGuardarNotasTimer);
    FormCreate();
}

TPinaco::~TPinaco() {
    FormDestroy();
}

void TPinaco::FormCreate() {
    ChartFondo = new FondoCorcho(ImagenesPinaco::Corcho(), this);
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    ChartFondo->setGeometry(0, 0, pantalla ? pantalla->size().width() : 1024,
                            pantalla ? pantalla->size().height() : 768);

    Config = Configuracion{};
    Config.ServerActivo = false;

    FIgnorarPulsacionNota = false;
    FIsMaximized = false;
    FIgnorarPulsacionFondo = false;
    FContadorGuardado = 0;
    FijarIntervalo(TimerGuardarNotas, 0);

    FRutaListaIP = RutaArchivoDatos(FRutaPrograma, QStringLiteral("NET"));
    FRutaNotas = RutaArchivoDatos(FRutaPrograma, QStringLiteral("DAT"));

    resize(kAnchoDisenado, kAltoDisenado);
    move(-1000, -1000);
    setVisible(false);
    TimerOnLoad.setSingleShot(true);
    FijarIntervalo(TimerOnLoad, 10);
}

void TPinaco::TimerOnLoadTimer() {
    hide();
    FijarIntervalo(TimerOnLoad, 0);

    // First run: the board centred at its designed size, the defaults written and applied.
    resize(kAnchoDisenado, kAltoDisenado);
    if (const QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QSize s = pantalla->size();
        move((s.width() - width()) / 2, (s.height() - height()) / 2);
    }
    GuardarConfiguracion();
    AplicarConfiguracion();

    if (!CargarNotas()) {
        FErrorDeCarga = true;
        MostrarMensaje(this, QStringLiteral("Error chungo"),
                       QStringLiteral("Error crítico en la Base de Datos de Notas.\r"
                                      "Se finalizará la ejecución del programa.\r\r"
                                      "(Fichero: %1)")
                           .arg(FRutaNotas),
                       IconoMensaje::Error);
        QCoreApplication::exit(1);
        return;
    }
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
    ComprobarNotasCaducadas();
    emit Cargado();
}

void TPinaco::MarcarNotasCambiadas() {
    FContadorGuardado = 0;
    FijarIntervalo(TimerGuardarNotas, 1000);
}

void TPinaco::IniciarNotaEntrante() {
    FContadorGuardado = kTicksNotaEntrante;
    FijarIntervalo(TimerGuardarNotas, 1000);
}

void TPinaco::TimerGuardarNotasTimer() {
    ++FContadorGuardado;
    if (FContadorGuardado != kTicksAutoguardado)
        return;
    // No note may arrive while the file is written: the server is closed around the save.
    DesactivarServidor();
    GuardarNotas();
    if (Config.ServerActivo)
        ActivarServidor();
}

void TPinaco::MensajeMostrar() {
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    show();
    raise();
    activateWindow();
}

TNota* TPinaco::CrearNota(bool Visible) {
    MarcarNotasCambiadas();
    auto* nota = new TNota(this);
    nota->setVisible(Visible);
    nota->setGeometry(-200, -200, 120, 160);
    nota->raise();
    nota->AsignarImagenes(imglChinchetas, imglAgarradera);

    QList<QRect> ocupadas;
    ocupadas.reserve(FListaNotas.Cuenta());
    for (const TNota* n : FListaNotas)
        ocupadas.append(n->geometry());
    nota->move(PosicionLibre(ocupadas, nota->width(), nota->height()));
    FListaNotas.Agregar(nota);
    AjustarNotasAlPinaco();

    const QDate hoy = QDate::currentDate();
    nota->setDayCreated(quint8(hoy.day()));
    nota->setDayExpires(quint8(hoy.day()));
    nota->setMonthCreated(quint8(hoy.month()));
    nota->setMonthExpires(quint8(hoy.month()));
    nota->setYearCreated(hoy.year());
    nota->setYearExpires(hoy.year());
    return nota;
}

void TPinaco::NotaAlFrente(TNota* nota) {
    nota->raise();
    nota->update();
    FListaNotas.AlFrente(nota);
}

void TPinaco::BorrarNota(TNota* nota) {
    if (!FListaNotas.Quitar(nota))
        return;
    // Deferred: the note may be inside one of its own event handlers.
    nota->hide();
    nota->deleteLater();
}

void TPinaco::ReordenarNotas(const QList<TNota*>& orden) {
    FListaNotas.Reordenar(orden);
    // Stack from the bottom up so the head ends on top.
    for (auto it = orden.crbegin(); it != orden.crend(); ++it)
        (*it)->raise();
}

void TPinaco::AjustarNotasAlPinaco() {
    for (TNota* nota : FListaNotas)
        nota->setGeometry(DentroDelPinaco(nota->geometry(), width(), height(), Config.TipoPinaco));
}

// Filled in by the settings store.
void TPinaco::CargarConfiguracion() {
    AplicarConfiguracion();
}
void TPinaco::GuardarConfiguracion() {}
void TPinaco::AplicarConfiguracion() {
    CrearRegiones();
    AjustarNotasAlPinaco();
    DesactivarServidor();
    if (Config.ServerActivo)
        ActivarServidor();
}

// Filled in by the data files.
bool TPinaco::CargarNotas() {
    return true;
}
bool TPinaco::GuardarNotas() {
    FijarIntervalo(TimerGuardarNotas, 0);
    FContadorGuardado = 0;
    GuardarListaIP();
    emit NotasGuardadas();
    return true;
}
bool TPinaco::GuardarListaIP() {
    return true;
}

// Filled in by the chrome.
void TPinaco::CrearRegiones() {}
void TPinaco::ColocarBotones() {}
void TPinaco::ColocarMarco() {}

// Filled in by the expired-notes check.
void TPinaco::ComprobarNotasCaducadas() {}

// Filled in by the note server.
void TPinaco::ActivarServidor() {}
void TPinaco::DesactivarServidor() {}

void TPinaco::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::quit();
}

void TPinaco::FormDestroy() {
    if (FDestruido)
        return;
    FDestruido = true;
    FijarIntervalo(TimerGuardarNotas, 0);
    GuardarConfiguracion();
    DesactivarServidor();
    // After a failed load the lists are partial: the stored files stay as they were.
    if (!FErrorDeCarga) {
        GuardarNotas();
        GuardarListaIP();
    }
    LiberarNotas();
}

void TPinaco::LiberarNotas() {
    for (TNota* nota : FListaNotas.QuitarTodas())
        delete nota;
}
