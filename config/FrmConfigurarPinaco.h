#pragma once
// "Configuración del Pinaco": the board's settings on three tabs. OK writes them back and
// has the board save and apply them; the address book changes at once, whatever the end.
#include "net/EscritorLog.h"

#include <QDialog>
#include <functional>

struct Configuracion;
class ListaIP;
class PanelGeneral;
class PanelRed;
class PanelSeguridad;
class QPushButton;
class QStackedWidget;
class QTabBar;

class TfrmConfigurarPinaco : public QDialog {
    Q_OBJECT
public:
    // nombreLogPorDefecto: the log name stored when logging is switched on without one.
    // propios: the board's files, which OK refuses as the log.
    // guardarYAplicar: the board saves its settings and makes them take effect.
    TfrmConfigurarPinaco(Configuracion& config, ListaIP& libreta,
                         const QString& nombreLogPorDefecto, ArchivosPropios propios,
                         std::function<void()> guardarYAplicar, QWidget* owner);

    void TabControlChange(int indice);
    void BitBtnOKClick();

    QTabBar* TabControl;
    QStackedWidget* Paneles;
    PanelGeneral* panelGeneral;
    PanelRed* panelRed;
    PanelSeguridad* panelSeguridad;
    QPushButton* BitBtnOK;
    QPushButton* BitBtnCancel;

public slots:
    void reject() override;

private:
    Configuracion& FConfig;
    const QString FNombreLogPorDefecto;
    const ArchivosPropios FPropios;
    const std::function<void()> FGuardarYAplicar;
};
