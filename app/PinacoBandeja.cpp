// The board in the notification area: minimising, restoring, blinking, the alert sound.
#include "app/Pinaco.h"
#include "config/FrmAbout.h"
#include "core/VersionPinaco.h"
#include "dialogs/ReproductorWav.h"
#include "resources/ImagenesPinaco.h"

#include <QCoreApplication>
#include <QMenu>
#include <QSystemTrayIcon>

void TPinaco::CrearBandeja() {
    ImageListTrayIcon = ImagenesPinaco::ImageListTrayIcon();
    PopupMenuTray = new QMenu(this);
    PopupMenuTray->addAction(QStringLiteral("&Abrir"), this, &TPinaco::RestaurarDeBandeja);
    PopupMenuTray->addAction(QStringLiteral("&Cerrar"), this, &TPinaco::mnuTrayCerrarClick);
    PopupMenuTray->addSeparator();
    PopupMenuTray->addAction(QStringLiteral("Acerca &de"), this, &TPinaco::mnuFondoAboutClick);

    IconoBandeja = new QSystemTrayIcon(this);
    IconoBandeja->setToolTip(QString::fromLatin1(kNombreVersionPinaco));
    IconoBandeja->setContextMenu(PopupMenuTray);
    connect(IconoBandeja, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason motivo) {
                if (motivo == QSystemTrayIcon::DoubleClick)
                    RestaurarDeBandeja();
            });
    connect(&TimerNotaRecibida, &QTimer::timeout, this, &TPinaco::TimerNotaRecibidaTimer);
    MediaPlayer = new ReproductorWav(this);
}

bool TPinaco::HayBandeja() const {
    return DisponibilidadBandeja ? DisponibilidadBandeja()
                                 : QSystemTrayIcon::isSystemTrayAvailable();
}

void TPinaco::Minimizar() {
    if (Config.MinimizeToTray && HayBandeja()) {
        MinimizarABandeja();
        return;
    }
    // Without a tray the board must stay reachable: an ordinary minimise.
    Config.IconInTray = false;
    showMinimized();
}

void TPinaco::MinimizarABandeja() {
    Config.IconInTray = true;
    EstadoParpadeo = 0;
    IconoBandeja->setIcon(QIcon(ImageListTrayIcon.value(0)));
    IconoBandeja->show();
    hide();
}

void TPinaco::RestaurarDeBandeja() {
    TimerNotaRecibida.stop();
    Config.IconInTray = false;
    showNormal();
    raise();
    activateWindow();
    IconoBandeja->hide();
}

void TPinaco::IniciarParpadeo() {
    EstadoParpadeo = 1;
    TimerNotaRecibida.start(400);
}

void TPinaco::TimerNotaRecibidaTimer() {
    EstadoParpadeo = EstadoParpadeo == 0 ? 1 : 0;
    IconoBandeja->setIcon(QIcon(ImageListTrayIcon.value(EstadoParpadeo)));
}

void TPinaco::mnuTrayCerrarClick() {
    IconoBandeja->hide();
    QCoreApplication::quit();
}

void TPinaco::AvisoBandeja() {
    if (Config.IconInTray)
        IniciarParpadeo();
}

void TPinaco::NotaEntregada() {
    SonidoNotaRecibida();
    AvisoBandeja();
}

void TPinaco::SonidoNotaRecibida() {
    if (Config.AvisoNotaRecibida)
        MediaPlayer->Reproducir(Config.AvisoNotaRecibidaWAV);
}

void TPinaco::mnuFondoAboutClick() {
    (new TfrmAbout(this))->show();
}
