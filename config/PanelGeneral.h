#pragma once
// The "General" tab of the configuration dialog: how the board behaves, its two alert
// sounds and its type. Filled from the settings and written back to them at OK.
#include "dialogs/ReproductorWav.h"

#include "config/ControlesPanel.h"

#include <array>

struct Configuracion;
class QCheckBox;
class QRadioButton;
class QToolButton;

class PanelGeneral : public PanelConfiguracion {
    Q_OBJECT
public:
    explicit PanelGeneral(QWidget* parent = nullptr);

    void Rellenar(const Configuracion& c);
    void Escribir(Configuracion& c) const;

    // Picks a wave file; Qt's file dialog unless replaced.
    ElegirArchivo ElegirArchivoWAV;

    QCheckBox* chkExeOnWindowsLoad;
    QCheckBox* chkMinimizeToTray;
    QCheckBox* chkAlwaysOnTop;
    QCheckBox* chkCanOverlap;
    QCheckBox* chkConfirmarBorrarNotas;
    QCheckBox* chkAvisoSonoroCaduca;
    QToolButton* btnCargarWAVcaduca;
    QToolButton* btnPlaySoundCaduca;
    QToolButton* btnStopSoundCaduca;
    QCheckBox* chkAvisoSonoroNetNota;
    QToolButton* btnCargarWAVrecibir;
    QToolButton* btnPlaySoundRecibir;
    QToolButton* btnStopSoundRecibir;
    QRadioButton* rbTipoPinacoOriginal;
    QRadioButton* rbTipoPinacoExtendido;

    // Working copies of the two sound files: the chooser changes these, OK stores them.
    QString RutaWAVCaduca;
    QString RutaWAVRecibir;

    // One player for both sounds.
    ReproductorWav MediaPlayer;

private:
    // One sound's box, buttons, working copy and the file its stored setting names.
    struct FilaSonido {
        QCheckBox* Casilla;
        QToolButton* Cargar;
        QToolButton* Play;
        QToolButton* Stop;
        QString* Ruta;
        QString Guardada;
    };

    void CrearControles();
    FilaSonido CrearFilaSonido(const QString& texto, QString* ruta);
    void PonerSonidosEnReposo();
    void AvisoSonoroClick(FilaSonido& fila);
    void CargarWAVClick(FilaSonido& fila);
    void PlaySoundClick(FilaSonido& fila);
    void StopSoundClick();
    void MediaPlayerNotify();
    void ActualizarPlay(FilaSonido& fila);
    void AvisarFallo(ReproductorWav::Motivo motivo, const QString& archivo);

    std::array<FilaSonido, 2> FSonidos;
};
