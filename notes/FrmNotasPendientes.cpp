#include "notes/FrmNotasPendientes.h"

#include "dialogs/Mensaje.h"
#include "dialogs/PiezasDialogo.h"
#include "dialogs/TeclaBoton.h"
#include "net/EnviosPendientes.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kRolId = Qt::UserRole;

QString Momento(const QDateTime& momento) {
    return momento.toLocalTime().toString(QStringLiteral("dd/MM/yyyy hh:mm"));
}

QString PrimeraLinea(const QString& texto) {
    const qsizetype fin = texto.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return fin < 0 ? texto : texto.first(fin);
}

} // namespace

TfrmNotasPendientes::TfrmNotasPendientes(EnviosPendientes& envios, QWidget* owner)
    : QDialog(owner), FEnvios(envios) {
    auto* etiqueta = new QLabel(
        QStringLiteral("Notas que se enviarán cuando su destino esté disponible:"), this);
    ListView = new QTreeWidget(this);
    // A screen reader names the list by what the label says of it.
    ListView->setAccessibleName(QStringLiteral("Notas pendientes de envío"));
    etiqueta->setBuddy(ListView);
    ListView->setRootIsDecorated(false);
    ListView->setUniformRowHeights(true);
    ListView->setAllColumnsShowFocus(true);
    ListView->setHeaderLabels({QStringLiteral("Destino"), QStringLiteral("Texto"),
                               QStringLiteral("Desde"), QStringLiteral("Próximo intento")});
    ListView->header()->setStretchLastSection(false);
    ListView->header()->setSectionResizeMode(ColumnaTexto, QHeaderView::Stretch);
    // The moments whole, in the list's own font; the text takes what is left.
    const int anchoMomento =
        ListView->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000 00:00")) + 16;
    ListView->setColumnWidth(ColumnaDestino, 210);
    ListView->setColumnWidth(ColumnaDesde, anchoMomento);
    ListView->setColumnWidth(
        ColumnaProximo, std::max(anchoMomento, ListView->fontMetrics().horizontalAdvance(
                                                   ListView->headerItem()->text(ColumnaProximo)) +
                                                   16));
    etiqueta->setBuddy(ListView);

    btnEnviarAhora = new QPushButton(QStringLiteral("&Enviar ahora"), this);
    btnEnviarAhora->setDefault(true);
    btnCancelarEnvio = new QPushButton(QStringLiteral("Ca&ncelar el envío"), this);
    btnCerrar = new QPushButton(QStringLiteral("&Cerrar"), this);
    TeclaPulsaBoton(ListView, Qt::Key_Delete, btnCancelarEnvio);

    auto* columna = new QVBoxLayout(this);
    columna->addWidget(etiqueta);
    columna->addWidget(ListView, 1);
    columna->addLayout(FilaBotones({btnEnviarAhora, btnCancelarEnvio, btnCerrar}));
    PrepararDialogoNota(this, QStringLiteral("Notas pendientes de envío"), QSize(720, 320));

    FRenovar.setSingleShot(true);
    FRenovar.setInterval(100);
    connect(&FRenovar, &QTimer::timeout, this, &TfrmNotasPendientes::Rellenar);
    // Not restarted by each change: a steady stream of them must not hold the list back.
    connect(&FEnvios, &EnviosPendientes::Cambiado, this, [this] {
        if (!FRenovar.isActive())
            FRenovar.start();
    });
    connect(ListView, &QTreeWidget::currentItemChanged, this,
            &TfrmNotasPendientes::HabilitarBotones);
    connect(btnEnviarAhora, &QPushButton::clicked, this, &TfrmNotasPendientes::btnEnviarAhoraClick);
    connect(btnCancelarEnvio, &QPushButton::clicked, this,
            &TfrmNotasPendientes::btnCancelarEnvioClick);
    connect(btnCerrar, &QPushButton::clicked, this, &QDialog::accept);
    Rellenar();
    ListView->setFocus();
}

void TfrmNotasPendientes::Rellenar() {
    const quint64 seleccionado = IdSeleccionado();
    const int filaAntes = ListView->currentIndex().row();
    ListView->clear();
    QList<QTreeWidgetItem*> filas;
    filas.reserve(FEnvios.Envios().size());
    QTreeWidgetItem* actual = nullptr;
    for (const EnvioPendiente& e : FEnvios.Envios()) {
        const QString destino =
            e.Nombre.isEmpty() ? e.IP : QStringLiteral("%1  (%2)").arg(e.Nombre, e.IP);
        const QString proximo =
            e.Id == FEnvios.EnCurso() ? QStringLiteral("enviando...") : Momento(e.Proximo);
        auto* fila =
            new QTreeWidgetItem({destino, PrimeraLinea(e.Nota.Texto), Momento(e.Desde), proximo});
        fila->setData(ColumnaDestino, kRolId, e.Id);
        if (e.Id == seleccionado)
            actual = fila;
        filas.append(fila);
    }
    ListView->addTopLevelItems(filas);
    // The selection stays on its note; when that one went, on the row that took its place.
    if (!actual && !filas.isEmpty() && filaAntes >= 0)
        actual = filas.value(std::min<int>(filaAntes, int(filas.size()) - 1));
    if (!actual && !filas.isEmpty())
        actual = filas.first();
    if (actual)
        ListView->setCurrentItem(actual);
    HabilitarBotones();
}

quint64 TfrmNotasPendientes::IdSeleccionado() const {
    const QTreeWidgetItem* fila = ListView->currentItem();
    return fila ? fila->data(ColumnaDestino, kRolId).toULongLong() : 0;
}

void TfrmNotasPendientes::HabilitarBotones() {
    const bool hay = IdSeleccionado() != 0;
    btnEnviarAhora->setEnabled(hay);
    btnCancelarEnvio->setEnabled(hay);
    if (!hay && (!btnCerrar->hasFocus()))
        btnCerrar->setFocus();
}

void TfrmNotasPendientes::btnEnviarAhoraClick() {
    if (const quint64 id = IdSeleccionado())
        FEnvios.EnviarAhora(id);
    Rellenar();
}

void TfrmNotasPendientes::btnCancelarEnvioClick() {
    const quint64 id = IdSeleccionado();
    if (!id)
        return;
    if (MostrarMensaje(this, QStringLiteral("Atención:"),
                       QStringLiteral("La Nota no se enviará.\r¿Desea cancelar su envío?"),
                       IconoMensaje::Pregunta, QMessageBox::Yes | QMessageBox::No,
                       QMessageBox::No) != QMessageBox::Yes)
        return;
    // It may have gone while the box was open: the id says.
    FEnvios.Cancelar(id);
    Rellenar();
}
