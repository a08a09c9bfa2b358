#include "notes/FrmOrganizarNotas.h"

#include "dialogs/FranjaDialogo.h"
#include "dialogs/VentanaDialogo.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int kAncho = 369;
constexpr int kAlto = 275;

const QString kAscCreacion = QStringLiteral("&Ascendiente (Primero a último creado)");
const QString kDescCreacion = QStringLiteral("&Descendiente (Último a primero creado)");
const QString kAscLimite = QStringLiteral("&Ascendiente (Primero a último que caduque)");
const QString kDescLimite = QStringLiteral("&Descendiente (Último a primero que caduque)");

// Wide enough for the longest of the direction captions, in the dialog's own font.
int AnchoDeRotulos(QRadioButton* boton) {
    const QString actual = boton->text();
    int ancho = 0;
    for (const QString& rotulo : {kAscCreacion, kDescCreacion, kAscLimite, kDescLimite}) {
        boton->setText(rotulo);
        ancho = std::max(ancho, boton->sizeHint().width());
    }
    boton->setText(actual);
    return ancho;
}

} // namespace

TfrmOrganizarNotas::TfrmOrganizarNotas(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Organizar Notas:"));
    PedirVentanaDialogo(this);
    CrearControles();
}

void TfrmOrganizarNotas::CrearControles() {
    GroupBox1 = new QGroupBox(QStringLiteral("Organizar según:"), this);
    radioCreacion = new QRadioButton(QStringLiteral("Fecha de &Creación"), GroupBox1);
    radioCreacion->setChecked(true);
    radioLimite = new QRadioButton(QStringLiteral("Fecha &Límite"), GroupBox1);
    auto* claves = new QVBoxLayout(GroupBox1);
    claves->addWidget(radioCreacion);
    claves->addWidget(radioLimite);

    GroupBox2 = new QGroupBox(QStringLiteral("Ordenar de forma:"), this);
    radioAsc = new QRadioButton(kAscCreacion, GroupBox2);
    radioAsc->setChecked(true);
    radioDesc = new QRadioButton(kDescCreacion, GroupBox2);
    // The captions change with the key; the room they need does not.
    const int anchoRotulos = AnchoDeRotulos(radioAsc);
    radioAsc->setMinimumWidth(anchoRotulos);
    radioDesc->setMinimumWidth(anchoRotulos);
    auto* direcciones = new QVBoxLayout(GroupBox2);
    direcciones->addWidget(radioAsc);
    direcciones->addWidget(radioDesc);

    btnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    btnAceptar->setDefault(true);
    btnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    for (QPushButton* boton : {btnAceptar, btnCancelar}) {
        boton->setMinimumSize(88, 30);
        botones->addWidget(boton);
    }

    auto* columna = new QVBoxLayout(this);
    columna->setContentsMargins(kAnchoFranja + 10, 8, 8, 8);
    columna->addWidget(GroupBox1);
    columna->addWidget(GroupBox2, 1);
    columna->addLayout(botones);
    // The designed size, or larger when the desktop's font needs more room.
    const QSize tamano = columna->sizeHint().expandedTo(QSize(kAncho, kAlto));
    setFixedSize(tamano);
    CrearFranjaDialogo(this, tamano.height());

    // Toggled, not clicked: the arrow keys change the key too.
    connect(radioCreacion, &QRadioButton::toggled, this, [this](bool marcado) {
        if (marcado)
            radioCreacionClick();
    });
    connect(radioLimite, &QRadioButton::toggled, this, [this](bool marcado) {
        if (marcado)
            radioLimiteClick();
    });
    connect(btnAceptar, &QPushButton::clicked, this, &TfrmOrganizarNotas::btnAceptarClick);
    connect(btnCancelar, &QPushButton::clicked, this, &TfrmOrganizarNotas::btnCancelarClick);
}

void TfrmOrganizarNotas::radioCreacionClick() {
    radioAsc->setText(kAscCreacion);
    radioDesc->setText(kDescCreacion);
}

void TfrmOrganizarNotas::radioLimiteClick() {
    radioAsc->setText(kAscLimite);
    radioDesc->setText(kDescLimite);
}

bool TfrmOrganizarNotas::PorCreacion() const {
    return radioCreacion->isChecked();
}

bool TfrmOrganizarNotas::Ascendente() const {
    return radioAsc->isChecked();
}

void TfrmOrganizarNotas::btnAceptarClick() {
    accept();
}

void TfrmOrganizarNotas::btnCancelarClick() {
    reject();
}
