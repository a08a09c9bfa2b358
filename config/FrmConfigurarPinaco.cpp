#include "config/FrmConfigurarPinaco.h"

#include "config/PanelGeneral.h"
#include "config/PanelRed.h"
#include "config/PanelSeguridad.h"
#include "core/Configuracion.h"
#include "dialogs/PiezasDialogo.h"
#include "notes/Nota.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

TfrmConfigurarPinaco::TfrmConfigurarPinaco(Configuracion& config, ListaIP& libreta,
                                           const QString& nombreLogPorDefecto,
                                           ArchivosPropios propios,
                                           std::function<void()> guardarYAplicar, QWidget* owner)
    : QDialog(owner), FConfig(config), FNombreLogPorDefecto(nombreLogPorDefecto),
      FPropios(std::move(propios)), FGuardarYAplicar(std::move(guardarYAplicar)) {
    TabControl = new QTabBar(this);
    for (const char* pestana : {"General", "Red", "Seguridad"})
        TabControl->addTab(QString::fromUtf8(pestana));
    TabControl->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 65px; }"));
    panelGeneral = new PanelGeneral(this);
    panelRed = new PanelRed(libreta, this);
    panelSeguridad = new PanelSeguridad(this);
    Paneles = new QStackedWidget(this);
    for (QWidget* panel : {static_cast<QWidget*>(panelGeneral), static_cast<QWidget*>(panelRed),
                           static_cast<QWidget*>(panelSeguridad)})
        Paneles->addWidget(panel);
    Paneles->setFrameShape(QFrame::StyledPanel);
    Paneles->setFrameShadow(QFrame::Sunken);

    QHBoxLayout* botones = FilaAceptarCancelar(this, BitBtnOK, BitBtnCancel);
    auto* columna = new QVBoxLayout(this);
    columna->addWidget(TabControl);
    columna->addWidget(Paneles, 1);
    columna->addLayout(botones);
    PrepararDialogoNota(this, QStringLiteral("Configuración del Pinaco"), QSize(433, 433));

    panelGeneral->Rellenar(FConfig);
    panelSeguridad->Rellenar(FConfig);
    TabControlChange(0);

    connect(TabControl, &QTabBar::currentChanged, this, &TfrmConfigurarPinaco::TabControlChange);
    // The keys of every tabbed dialog move between the tabs.
    for (const auto& [teclas, paso] :
         {std::pair{QKeySequence::NextChild, 1}, std::pair{QKeySequence::PreviousChild, -1}})
        connect(new QShortcut(teclas, this), &QShortcut::activated, this, [this, paso = paso] {
            const int n = TabControl->count();
            TabControl->setCurrentIndex((TabControl->currentIndex() + paso + n) % n);
        });
    connect(BitBtnOK, &QPushButton::clicked, this, &TfrmConfigurarPinaco::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TfrmConfigurarPinaco::reject);
    // A host check running on the network tab holds the dialog open.
    connect(panelRed, &PanelRed::ControlesHabilitados, this, [this](bool on) {
        BitBtnOK->setEnabled(on);
        BitBtnCancel->setEnabled(on);
    });
}

void TfrmConfigurarPinaco::TabControlChange(int indice) {
    Paneles->setCurrentIndex(indice);
    // On the network tab Enter moves between the address fields; it never closes the dialog.
    BitBtnOK->setDefault(indice != 1);
}

void TfrmConfigurarPinaco::BitBtnOKClick() {
    if (!panelSeguridad->ComprobarLog(FNombreLogPorDefecto, FPropios)) {
        TabControl->setCurrentIndex(2); // where the field is
        return;
    }
    panelGeneral->Escribir(FConfig);
    panelSeguridad->Escribir(FConfig, FNombreLogPorDefecto);
    FGuardarYAplicar();
    accept();
}

void TfrmConfigurarPinaco::reject() {
    if (BitBtnCancel->isEnabled())
        QDialog::reject();
}
