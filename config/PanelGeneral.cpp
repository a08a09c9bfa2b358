#include "config/PanelGeneral.h"

#include "config/ControlesPanel.h"
#include "config/TextoPartido.h"
#include "core/Configuracion.h"
#include "dialogs/Mensaje.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString ElegirWAVConDialogo(QWidget* padre, const QString& actual) {
    // A full path opens the chooser in its folder with the file preset.
    return QFileDialog::getOpenFileName(padre, QStringLiteral("Seleccione archivo WAV"),
                                        actual.isEmpty() ? QStringLiteral(".") : actual,
                                        QStringLiteral("Archivos de Sonido (*.wav)"));
}

QString TextoFallo(ReproductorWav::Motivo motivo) {
    switch (motivo) {
    case ReproductorWav::Motivo::ArchivoNoValido:
        return QStringLiteral("No es un archivo WAV válido.");
    case ReproductorWav::Motivo::SinDispositivo:
        return QStringLiteral("No hay ningún dispositivo de sonido.");
    case ReproductorWav::Motivo::SinRespuesta:
        return QStringLiteral("El sistema de sonido no responde.");
    }
    return {};
}

void MostrarErrorSonido(QWidget* owner, const QString& archivo, const QString& causa,
                        IconoMensaje icono) {
    MostrarMensaje(owner, QStringLiteral("Error"),
                   QStringLiteral("No se puede reproducir el archivo:\r%1\r%2").arg(archivo, causa),
                   icono);
}

} // namespace

PanelGeneral::PanelGeneral(QWidget* parent) : PanelConfiguracion(parent) {
    CrearControles();
    PonerSonidosEnReposo();
    ElegirArchivoWAV = [this](const QString& actual) { return ElegirWAVConDialogo(this, actual); };
    connect(&MediaPlayer, &ReproductorWav::Terminado, this, &PanelGeneral::MediaPlayerNotify);
    connect(&MediaPlayer, &ReproductorWav::Fallo, this, &PanelGeneral::AvisarFallo);
}

void PanelGeneral::CrearControles() {
    QVBoxLayout* columna = CrearColumnaPanel(this);
    auto casilla = [&](const char* texto) {
        QCheckBox* c = new CasillaPartida(QString::fromUtf8(texto), this);
        columna->addWidget(c);
        return c;
    };
    chkExeOnWindowsLoad = casilla("Ejecutar el Pinaco al iniciar la sesión");
    chkMinimizeToTray = casilla("Minimizar el Pinaco junto al reloj, en la bandeja del sistema");
    chkAlwaysOnTop = casilla("Mantener el Pinaco siempre arriba  (Always On Top)");
    chkCanOverlap = casilla("Las Notas se superponen a los Botones del Pinaco");
    chkConfirmarBorrarNotas = casilla("Confirmación al intentar borrar una Nota (desde el Popup)");
    SepararGrupo(columna);

    FSonidos = {
        CrearFilaSonido(QStringLiteral("Aviso sonoro al caducar alguna Nota"), &RutaWAVCaduca),
        CrearFilaSonido(QStringLiteral("Aviso sonoro al recibir alguna Nota"), &RutaWAVRecibir)};
    for (FilaSonido& fila : FSonidos) {
        QHBoxLayout* linea = AnadirFila(columna);
        linea->addWidget(fila.Casilla, 1);
        // The three flat buttons sit side by side, as one strip.
        auto* botones = new QHBoxLayout;
        botones->setSpacing(0);
        for (QToolButton* boton : {fila.Cargar, fila.Play, fila.Stop})
            botones->addWidget(boton);
        linea->addLayout(botones);
        linea->setAlignment(botones, Qt::AlignTop);
        connect(fila.Casilla, &QCheckBox::toggled, this, [this, &fila] { AvisoSonoroClick(fila); });
        connect(fila.Cargar, &QToolButton::clicked, this, [this, &fila] { CargarWAVClick(fila); });
        connect(fila.Play, &QToolButton::clicked, this, [this, &fila] { PlaySoundClick(fila); });
        connect(fila.Stop, &QToolButton::clicked, this, &PanelGeneral::StopSoundClick);
    }
    chkAvisoSonoroCaduca = FSonidos[0].Casilla;
    btnCargarWAVcaduca = FSonidos[0].Cargar;
    btnPlaySoundCaduca = FSonidos[0].Play;
    btnStopSoundCaduca = FSonidos[0].Stop;
    chkAvisoSonoroNetNota = FSonidos[1].Casilla;
    btnCargarWAVrecibir = FSonidos[1].Cargar;
    btnPlaySoundRecibir = FSonidos[1].Play;
    btnStopSoundRecibir = FSonidos[1].Stop;
    SepararGrupo(columna);

    QHBoxLayout* tipo = AnadirFila(columna);
    tipo->addWidget(new QLabel(QStringLiteral("Tipo de Pinaco:"), this));
    rbTipoPinacoOriginal = new QRadioButton(QStringLiteral("Original"), this);
    rbTipoPinacoExtendido = new QRadioButton(QStringLiteral("Extendido"), this);
    tipo->addWidget(rbTipoPinacoOriginal);
    tipo->addWidget(rbTipoPinacoExtendido);
    tipo->addStretch();
    columna->addStretch();
}

PanelGeneral::FilaSonido PanelGeneral::CrearFilaSonido(const QString& texto, QString* ruta) {
    FilaSonido fila{new CasillaPartida(texto, this),
                    CrearBotonHerramienta(this, QStyle::SP_DialogOpenButton,
                                          QStringLiteral("Escoger archivo WAV")),
                    CrearBotonHerramienta(this, QStyle::SP_MediaPlay,
                                          QStringLiteral("Reproducir el archivo WAV actual")),
                    CrearBotonHerramienta(this, QStyle::SP_MediaStop,
                                          QStringLiteral("Detener la reproduccción de sonido")),
                    ruta,
                    {}};
    return fila;
}

void PanelGeneral::Rellenar(const Configuracion& c) {
    chkExeOnWindowsLoad->setChecked(c.ExecOnWindowsLoad);
    chkMinimizeToTray->setChecked(c.MinimizeToTray);
    chkAlwaysOnTop->setChecked(c.AlwaysOnTop);
    chkCanOverlap->setChecked(c.NotasCanOverlapPinaco);
    chkConfirmarBorrarNotas->setChecked(c.ConfirmarBorrarNota);
    // Any other stored type checks neither.
    MarcarRadios(
        {{rbTipoPinacoOriginal, c.TipoPinaco == 1}, {rbTipoPinacoExtendido, c.TipoPinaco == 2}});

    RutaWAVCaduca = c.AvisoNotaCaducadaWAV;
    RutaWAVRecibir = c.AvisoNotaRecibidaWAV;
    FSonidos[0].Guardada = c.AvisoNotaCaducadaWAV;
    FSonidos[1].Guardada = c.AvisoNotaRecibidaWAV;
    chkAvisoSonoroCaduca->setChecked(c.AvisoNotaCaducada);
    chkAvisoSonoroNetNota->setChecked(c.AvisoNotaRecibida);
    PonerSonidosEnReposo();
}

void PanelGeneral::Escribir(Configuracion& c) const {
    c.ExecOnWindowsLoad = chkExeOnWindowsLoad->isChecked();
    c.MinimizeToTray = chkMinimizeToTray->isChecked();
    c.AlwaysOnTop = chkAlwaysOnTop->isChecked();
    c.AvisoNotaCaducada = chkAvisoSonoroCaduca->isChecked();
    c.AvisoNotaRecibida = chkAvisoSonoroNetNota->isChecked();
    c.AvisoNotaCaducadaWAV = RutaWAVCaduca;
    c.AvisoNotaRecibidaWAV = RutaWAVRecibir;
    c.NotasCanOverlapPinaco = chkCanOverlap->isChecked();
    // Any other stored type is kept unless the user picks one.
    if (rbTipoPinacoOriginal->isChecked())
        c.TipoPinaco = 1;
    else if (rbTipoPinacoExtendido->isChecked())
        c.TipoPinaco = 2;
    c.ConfirmarBorrarNota = chkConfirmarBorrarNotas->isChecked();
}

void PanelGeneral::PonerSonidosEnReposo() {
    for (FilaSonido& fila : FSonidos)
        fila.Cargar->setEnabled(fila.Casilla->isChecked());
    MediaPlayerNotify();
}

// Play follows the stored setting's file: a file chosen here counts only after OK.
void PanelGeneral::ActualizarPlay(FilaSonido& fila) {
    fila.Play->setEnabled(fila.Casilla->isChecked() && QFileInfo(fila.Guardada).isFile());
}

void PanelGeneral::AvisoSonoroClick(FilaSonido& fila) {
    fila.Cargar->setEnabled(fila.Casilla->isChecked());
    ActualizarPlay(fila);
}

void PanelGeneral::CargarWAVClick(FilaSonido& fila) {
    const QString elegido = ElegirArchivoWAV(*fila.Ruta);
    if (!elegido.isEmpty())
        *fila.Ruta = elegido;
    ActualizarPlay(fila);
}

void PanelGeneral::PlaySoundClick(FilaSonido& fila) {
    if (!QFileInfo(fila.Guardada).isFile())
        return;
    const bool existe = MediaPlayer.Reproducir(*fila.Ruta);
    // A sound that failed at once has already brought the buttons back.
    if (!MediaPlayer.Archivo().isEmpty()) {
        for (FilaSonido& otra : FSonidos)
            otra.Play->setEnabled(false);
        fila.Stop->setEnabled(true);
    }
    if (!existe)
        MostrarErrorSonido(this, *fila.Ruta, QStringLiteral("El archivo no existe."),
                           IconoMensaje::Error);
}

void PanelGeneral::StopSoundClick() {
    // Its end brings the buttons back through MediaPlayerNotify.
    MediaPlayer.Cerrar();
}

void PanelGeneral::MediaPlayerNotify() {
    for (FilaSonido& fila : FSonidos) {
        fila.Stop->setEnabled(false);
        ActualizarPlay(fila);
    }
}

void PanelGeneral::AvisarFallo(ReproductorWav::Motivo motivo, const QString& archivo) {
    const bool delArchivo = motivo == ReproductorWav::Motivo::ArchivoNoValido;
    MostrarErrorSonido(this, archivo, TextoFallo(motivo),
                       delArchivo ? IconoMensaje::Error : IconoMensaje::Exclamacion);
}
