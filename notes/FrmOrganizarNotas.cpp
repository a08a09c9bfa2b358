#include "notes/FrmOrganizarNotas.h"

#include "notes/FranjaDialogo.h"
#include "notes/OrdenNotas.h"
#include "notes/TableroNotas.h"

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

// The longest caption must fit, whatever the desktop's font: shrink it if need be.
void AjustarFuente(QRadioButton* asc, QRadioButton* desc) {
    QRadioButton* prueba = asc;
    const QString actual = prueba->text();
    QFont fuente = prueba->font();
    for (const QString& rotulo : {kAscCreacion, kDescCreacion, kAscLimite, kDescLimite}) {
        prueba->setText(rotulo);
        while (prueba->sizeHint().width() > prueba->width() && fuente.pointSizeF() > 6) {
            fuente.setPointSizeF(fuente.pointSizeF() - 0.5);
            prueba->setFont(fuente);
        }
    }
    prueba->setText(actual);
    desc->setFont(fuente);
}

} // namespace

TfrmOrganizarNotas::TfrmOrganizarNotas(TableroNotas& tablero)
    : QDialog(tablero.Ventana()), FTablero(tablero) {
    setWindowTitle(QStringLiteral("Organizar Notas:"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kAncho, kAlto);
    CrearControles();
}

void TfrmOrganizarNotas::CrearControles() {
    CrearFranjaDialogo(this, kAlto);

    GroupBox1 = new QGroupBox(QStringLiteral("Organizar según:"), this);
    GroupBox1->setGeometry(80, 8, 281, 84);
    radioCreacion = new QRadioButton(QStringLiteral("Fecha de &Creación"), GroupBox1);
    radioCreacion->setGeometry(12, 24, 260, 22);
    radioCreacion->setChecked(true);
    radioLimite = new QRadioButton(QStringLiteral("Fecha &Límite"), GroupBox1);
    radioLimite->setGeometry(12, 52, 260, 22);

    GroupBox2 = new QGroupBox(QStringLiteral("Ordenar de forma:"), this);
    GroupBox2->setGeometry(80, 100, 281, 124);
    radioAsc = new QRadioButton(kAscCreacion, GroupBox2);
    radioAsc->setGeometry(12, 26, 264, 36);
    radioAsc->setChecked(true);
    radioDesc = new QRadioButton(kDescCreacion, GroupBox2);
    radioDesc->setGeometry(12, 72, 264, 36);
    AjustarFuente(radioAsc, radioDesc);

    btnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    btnAceptar->setGeometry(176, 236, 88, 30);
    btnAceptar->setDefault(true);
    btnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    btnCancelar->setGeometry(273, 236, 88, 30);

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

void TfrmOrganizarNotas::btnAceptarClick() {
    OrganizarNotas(FTablero, radioCreacion->isChecked(), radioAsc->isChecked());
    accept();
}

void TfrmOrganizarNotas::btnCancelarClick() {
    reject();
}
