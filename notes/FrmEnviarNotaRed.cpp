#include "notes/FrmEnviarNotaRed.h"

#include "core/UnitComunes.h"
#include "dialogs/ListaDirecciones.h"
#include "dialogs/Mensaje.h"
#include "dialogs/PiezasDialogo.h"
#include "notes/Nota.h"
#include "storage/ListaIP.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kAnchoColumnaIP = 95;
constexpr int kFilasConBarra = 8; // the list shows seven rows

} // namespace

TfrmEnviarNotaRed::TfrmEnviarNotaRed(const ListaIP& libreta, const DatosNota& NotaAEnviar,
                                     std::optional<qint32> puertoPropio, QWidget* owner,
                                     EnviarMasTarde masTarde)
    : QDialog(owner), FLibreta(libreta), FNota(NotaAEnviar), FPuertoPropio(puertoPropio),
      FMasTarde(std::move(masTarde)) {
    CrearControles();
    PrepararDialogoNota(this, QStringLiteral("Enviar Nota por Red"), QSize(417, 315));
    for (const nodoListaIP& entrada : FLibreta.Entradas())
        FListaEnviados.prepend({RellenarIP(entrada.IP), entrada.Puerto, false});
    RellenarLista();
    ListView->SeleccionarFila(0);

    connect(&Client, &ClienteNotas::LogCambiado, this, [this] {
        Log->setPlainText(Client.Log().join(u'\n'));
        // The newest line in sight from its start: the end of a long line would cut every
        // line's beginning.
        Log->moveCursor(QTextCursor::End);
        Log->moveCursor(QTextCursor::StartOfLine);
        Log->horizontalScrollBar()->setValue(0);
    });
    connect(&Client, &ClienteNotas::Terminado, this, &TfrmEnviarNotaRed::AlTerminar);
    connect(&Client, &ClienteNotas::Aviso, this, &TfrmEnviarNotaRed::MostrarAviso);
}

void TfrmEnviarNotaRed::CrearControles() {
    auto* grupo = new QGroupBox(QStringLiteral("Escoja un usuario al que enviarle la Nota:"), this);
    ListView = new ListaDirecciones(
        {QStringLiteral("oden"), QStringLiteral("Dirección IP"), QStringLiteral("Nombre asociado")},
        {kAnchoColumnaIP}, grupo);
    QPalette gris = ListView->palette();
    gris.setColor(QPalette::Base, QColor(0xC7, 0xC7, 0xC7));
    ListView->setPalette(gris);
    ListView->setMinimumHeight(145);
    ListView->installEventFilter(this);
    (new QVBoxLayout(grupo))->addWidget(ListView);

    PopupListView = new QMenu(this);
    mnuListViewEnviar = PopupListView->addAction(QStringLiteral("&Enviar Nota a este Sistema"));
    PopupListView->addSeparator();
    mnuListViewComprobar = PopupListView->addAction(QStringLiteral("&Comprobar este Sistema"));

    btnEnviar = new QPushButton(QStringLiteral("&Enviar la Nota"), this);
    btnEnviar->setDefault(true);
    BitBtnCancel = new QPushButton(QStringLiteral("&Cerrar esta ventana"), this);

    Log = new QPlainTextEdit(this);
    Log->setReadOnly(true);
    Log->setLineWrapMode(QPlainTextEdit::NoWrap);
    Log->setFixedHeight(60);
    QPalette plata = Log->palette();
    plata.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    Log->setPalette(plata);

    QHBoxLayout* botones = FilaBotones({btnEnviar, BitBtnCancel});
    auto* columna = new QVBoxLayout(this);
    columna->addWidget(grupo, 1);
    columna->addLayout(botones);
    columna->addWidget(Log);

    connect(ListView->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TfrmEnviarNotaRed::ListViewColumnClick);
    connect(ListView, &QAbstractItemView::doubleClicked, this,
            &TfrmEnviarNotaRed::ListViewDblClick);
    connect(ListView, &QWidget::customContextMenuRequested, this, [this](const QPoint& donde) {
        PopupListView->popup(ListView->viewport()->mapToGlobal(donde));
    });
    connect(mnuListViewEnviar, &QAction::triggered, btnEnviar, &QPushButton::click);
    connect(mnuListViewComprobar, &QAction::triggered, this,
            &TfrmEnviarNotaRed::mnuListViewComprobarClick);
    connect(btnEnviar, &QPushButton::clicked, this, &TfrmEnviarNotaRed::btnEnviarClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TfrmEnviarNotaRed::reject);
}

void TfrmEnviarNotaRed::RellenarLista() {
    QList<QStringList> filas;
    for (const nodoListaIP& entrada : FLibreta.Entradas())
        // A pattern names no board to send to.
        if (!entrada.IP.contains(u'*'))
            filas.append({FOrden.Clave(entrada.IP, entrada.Nombre), entrada.IP, entrada.Nombre});
    ListView->LlenarOrdenada(filas);
    ListView->AjustarColumnaNombre(ColumnaNombre, kFilasConBarra);
}

bool TfrmEnviarNotaRed::eventFilter(QObject* objeto, QEvent* evento) {
    // The rule follows the list's own width, known once the layout has placed it.
    if (objeto == ListView && evento->type() == QEvent::Resize)
        ListView->AjustarColumnaNombre(ColumnaNombre, kFilasConBarra);
    return QDialog::eventFilter(objeto, evento);
}

void TfrmEnviarNotaRed::ListViewColumnClick(int columna) {
    if (columna != ColumnaIP && columna != ColumnaNombre)
        return;
    FOrden.Cambiar(columna);
    RellenarLista();
}

DestinoEnvio TfrmEnviarNotaRed::DestinoDeFila(int fila) const {
    const QString ip = ListView->Texto(fila, ColumnaIP);
    return {ip, FLibreta.PuertoDeIP(ip), ListView->Texto(fila, ColumnaNombre)};
}

void TfrmEnviarNotaRed::btnEnviarClick() {
    const int fila = ListView->FilaSeleccionada();
    if (fila < 0) {
        MostrarMensaje(this, QStringLiteral("Error"),
                       QStringLiteral("¡Debe especificar una dirección a la que enviar la Nota!"),
                       IconoMensaje::Error);
        ListView->setFocus();
        return;
    }
    HabilitarControles(false);
    Log->clear();
    const DestinoEnvio destino = DestinoDeFila(fila);
    IPDestino = destino.IP;
    const QString rellena = RellenarIP(IPDestino);
    const bool yaEnviada =
        std::any_of(FListaEnviados.cbegin(), FListaEnviados.cend(),
                    [&](const nodoEnviado& n) { return n.IP == rellena && n.Entregada; });
    if (yaEnviada && MostrarMensaje(this, QStringLiteral("Atención:"),
                                    QStringLiteral("¡Ya ha enviado la Nota a este Sistema!\r"
                                                   "¿Desea volver a enviársela?"),
                                    IconoMensaje::Pregunta, QMessageBox::Yes | QMessageBox::No,
                                    QMessageBox::No) != QMessageBox::Yes) {
        HabilitarControles(true);
        return;
    }
    FEnviando = true;
    FDestino = destino;
    if (!Client.Enviar(destino, FNota, FPuertoPropio)) {
        FEnviando = false;
        HabilitarControles(true);
        MostrarMensaje(this, QStringLiteral("Error"),
                       QStringLiteral("La Nota contiene caracteres que no se pueden enviar."),
                       IconoMensaje::Error);
    }
}

void TfrmEnviarNotaRed::ListViewDblClick() {
    if (btnEnviar->isEnabled())
        btnEnviar->click();
}

void TfrmEnviarNotaRed::mnuListViewComprobarClick() {
    const int fila = ListView->FilaSeleccionada();
    if (fila < 0)
        return;
    HabilitarControles(false);
    FEnviando = false;
    Client.Comprobar(DestinoDeFila(fila));
}

void TfrmEnviarNotaRed::HabilitarControles(bool on) {
    for (QWidget* control : {static_cast<QWidget*>(btnEnviar), static_cast<QWidget*>(BitBtnCancel)})
        control->setEnabled(on);
    mnuListViewEnviar->setEnabled(on);
    mnuListViewComprobar->setEnabled(on);
}

void TfrmEnviarNotaRed::AlTerminar(bool entregada) {
    HabilitarControles(true);
    if (!entregada)
        return;
    const QString rellena = RellenarIP(IPDestino);
    for (nodoEnviado& n : FListaEnviados)
        if (n.IP == rellena)
            n.Entregada = true;
}

void TfrmEnviarNotaRed::MostrarAviso(const AvisoEnvio& aviso) {
    // Read before the box: another attempt may be started while it is open.
    const bool ofrecer = FMasTarde && FEnviando && !Client.Ocupado() &&
                         Client.Resultado() == ResultadoEnvio::Inalcanzable;
    const DestinoEnvio destino = FDestino;
    if (ofrecer)
        FEnviando = false;
    MostrarMensaje(this, aviso.Titulo, aviso.Texto, aviso.Icono);
    // Only a board that may be off; a refusal or a half-sent note is final.
    if (ofrecer &&
        MostrarMensaje(
            this, QStringLiteral("Atención:"),
            QStringLiteral("¿Enviarla automáticamente cuando ese Pinaco esté disponible?"),
            IconoMensaje::Pregunta, QMessageBox::Yes | QMessageBox::No,
            QMessageBox::Yes) == QMessageBox::Yes)
        FMasTarde(destino, FNota);
}

void TfrmEnviarNotaRed::reject() {
    // While an attempt runs the dialog stays: its end must be seen.
    if (!Client.Ocupado())
        QDialog::reject();
}
