#include "notes/FrmEliminarNota.h"

#include "core/UnitComunes.h"
#include "dialogs/PiezasDialogo.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLabel* EtiquetaFecha(const QString& fecha, QWidget* padre) {
    auto* etiqueta = new QLabel(fecha, padre);
    etiqueta->setTextFormat(Qt::PlainText);
    QPalette paleta = etiqueta->palette();
    paleta.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x60));
    etiqueta->setPalette(paleta);
    return etiqueta;
}

} // namespace

TfrmEliminarNota::TfrmEliminarNota(const DatosNota& nota, QWidget* owner) : QDialog(owner) {
    GroupBox1 = new QGroupBox(QStringLiteral("Nota:"), this);
    lblFechaCreacion =
        EtiquetaFecha(FechaCorta(nota.DayCreated, nota.MonthCreated, nota.YearCreated), GroupBox1);
    lblFechaLimite =
        EtiquetaFecha(FechaCorta(nota.DayExpires, nota.MonthExpires, nota.YearExpires), GroupBox1);
    MemoTexto = new MemoNota(GroupBox1);
    MemoTexto->setReadOnly(true);
    MemoTexto->PonerTexto(LineasDeNota(nota.Texto).join(u'\n'));

    auto* fechas = new QFormLayout;
    fechas->addRow(QStringLiteral("Fecha Creación:"), lblFechaCreacion);
    fechas->addRow(QStringLiteral("Fecha Límite:"), lblFechaLimite);
    auto* cajaNota = new QVBoxLayout(GroupBox1);
    cajaNota->addLayout(fechas);
    cajaNota->addWidget(MemoTexto, 1);

    btnEliminar = new QPushButton(style()->standardIcon(QStyle::SP_DialogYesButton),
                                  QStringLiteral("&Eliminar"), this);
    btnEliminar->setDefault(true);
    btnCancelar = new QPushButton(style()->standardIcon(QStyle::SP_DialogNoButton),
                                  QStringLiteral("&Cancelar"), this);
    connect(btnEliminar, &QPushButton::clicked, this, &TfrmEliminarNota::btnEliminarClick);
    connect(btnCancelar, &QPushButton::clicked, this, &TfrmEliminarNota::btnCancelarClick);

    QHBoxLayout* botones = FilaBotones({btnEliminar, btnCancelar});
    auto* columna = new QVBoxLayout(this);
    columna->addWidget(GroupBox1, 1);
    columna->addLayout(botones);

    PrepararDialogoNota(this, QStringLiteral("Eliminar Nota"), QSize(331, 281));
}

void TfrmEliminarNota::btnEliminarClick() {
    accept();
}

void TfrmEliminarNota::btnCancelarClick() {
    reject();
}
