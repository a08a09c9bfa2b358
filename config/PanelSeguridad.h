#pragma once
// The "Seguridad" tab of the configuration dialog: the note server, the log of received
// notes and the flood control. Filled from the settings and written back to them at OK.
#include "config/ControlesPanel.h"

struct ArchivosPropios;
struct Configuracion;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

class PanelSeguridad : public PanelConfiguracion {
    Q_OBJECT
public:
    explicit PanelSeguridad(QWidget* parent = nullptr);

    // Fills the fields, then runs the enabling rule.
    void Rellenar(const Configuracion& c);
    // nombreLogPorDefecto: the log name stored when logging is on and the field is empty.
    // Number fields that held no usable number show the default they took.
    void Escribir(Configuracion& c, const QString& nombreLogPorDefecto);
    // At OK, with logging on: false, once the user has been told why, when the log the fields
    // name would write into one of the board's own files or cannot be written at all.
    bool ComprobarLog(const QString& nombreLogPorDefecto, const ArchivosPropios& propios);
    void ActualizarControlesSeguridad();

    // Picks the log file; Qt's save dialog unless replaced.
    ElegirArchivo ElegirArchivoLog;

    QCheckBox* chkServerActivo;
    QLineEdit* editServerPort;
    QCheckBox* chkQuiereActualizarPuertoDelSevidor;
    QCheckBox* chkArchivoLog;
    QCheckBox* chkLogApuntarNombre;
    QCheckBox* chkLogApuntarTexto;
    QLabel* lblArchivo;
    QLineEdit* editLogArchivo;
    QToolButton* btnEscogerArchivoLog;
    QCheckBox* chkNumMaxNotas;
    // "Si un usuario envía más de [editNumMaxNotas] notas,"
    QLabel* lblSiUnUsuario;
    QLineEdit* editNumMaxNotas;
    QLabel* lblNotas;
    // "en menos de [editNumMinSegundos] segundos..."
    QLabel* lblEnMenosDe;
    QLineEdit* editNumMinSegundos;
    QLabel* lblSegundos;
    QRadioButton* radioRetirarPermanente;
    // "Retirarle el permiso durante [editRetirarTemporalMinutos] minutos"
    QRadioButton* radioRetirarTemporal;
    QLineEdit* editRetirarTemporalMinutos;
    QLabel* lblMinutos;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void CrearControles();
    QLineEdit* CrearCampoNumero(int anchoNominal, int cifras);
    void btnEscogerArchivoLogClick();
};
