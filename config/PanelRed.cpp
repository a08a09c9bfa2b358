#include "config/PanelRed.h"

#include "core/AvisoNoGuardable.h"
#include "core/Cp1252.h"
#include "core/UnitComunes.h"
#include "dialogs/ListaDirecciones.h"
#include "dialogs/Mensaje.h"
#include "storage/ListaIP.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int kAnchoIP = 90;
constexpr int kAnchoNombre = 150;
constexpr int kAnchoPuerto = 53;
constexpr int kFilasConBarra = 9; // the list shows eight rows

// Each row in the colour of its permission; the selected one darker, framed in navy.
class DibujoFilaIP : public QStyledItemDelegate {
public:
    DibujoFilaIP(const ListaIP& libreta, QObject* parent)
        : QStyledItemDelegate(parent), FLibreta(libreta) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QString ip = index.siblingAtColumn(PanelRed::ColumnaIP).data().toString();
        const bool permitido = FLibreta.PermisoExactoIP(ip);
        const bool elegida = option.state & QStyle::State_Selected;
        const QRect r = option.rect;
        p->save();
        p->fillRect(r, permitido ? (elegida ? QColor(0x33, 0xEE, 0x33) : QColor(0x88, 0xFF, 0x88))
                                 : (elegida ? QColor(0xFF, 0x44, 0x44) : QColor(0xFF, 0x88, 0x88)));
        if (elegida) {
            p->setPen(QColor(0x00, 0x00, 0x80));
            p->drawLine(r.left(), r.top() + 1, r.right(), r.top() + 1);
            p->drawLine(r.left(), r.bottom() - 1, r.right(), r.bottom() - 1);
            if (index.column() == PanelRed::ColumnaIP)
                p->drawLine(r.left(), r.top() + 1, r.left(), r.bottom() - 1);
            if (index.column() == PanelRed::ColumnaPuerto)
                p->drawLine(r.right(), r.top() + 1, r.right(), r.bottom() - 1);
        }
        p->setPen(option.palette.color(QPalette::Text));
        p->setFont(option.font);
        p->drawText(r.adjusted(3, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data().toString());
        p->restore();
    }

private:
    const ListaIP& FLibreta;
};

QPushButton* Boton(const QString& texto, const QString& pista, QWidget* padre) {
    auto* boton = new QPushButton(texto, padre);
    boton->setToolTip(pista);
    // Enter in the address fields must never press a button of the dialog on its own.
    boton->setAutoDefault(false);
    return boton;
}

// Reached by Enter or after a refusal, as by Tab: what is typed replaces the text.
void Enfocar(QLineEdit* campo) {
    campo->setFocus();
    campo->selectAll();
}

} // namespace

PanelRed::PanelRed(ListaIP& libreta, QWidget* parent) : QWidget(parent), FLibreta(libreta) {
    CrearControles();
    LlenarListaIP();
    ListView->SeleccionarFila(0);
    connect(&Client, &ClienteNotas::Terminado, this, [this] { HabilitarControles(true); });
    connect(&Client, &ClienteNotas::Aviso, this, [this](const AvisoEnvio& aviso) {
        MostrarMensaje(this, aviso.Titulo, aviso.Texto, aviso.Icono);
    });
}

void PanelRed::CrearControles() {
    auto* nueva = new QGroupBox(QStringLiteral("Añadir nueva entrada:"), this);
    editNewIP = new QLineEdit(QStringLiteral("0.0.0.0"), nueva);
    editNewPuerto = new QLineEdit(QStringLiteral("2222"), nueva);
    editNewNombre = new QLineEdit(nueva);
    btnAddNew = Boton(QStringLiteral("Añadir"), QStringLiteral("Añadir entrada"), nueva);
    auto* rejilla = new QGridLayout(nueva);
    rejilla->addWidget(new QLabel(QStringLiteral("IP:"), nueva), 0, 0);
    rejilla->addWidget(editNewIP, 0, 1);
    rejilla->addWidget(new QLabel(QStringLiteral("Puerto:"), nueva), 0, 2);
    rejilla->addWidget(editNewPuerto, 0, 3);
    rejilla->addWidget(new QLabel(QStringLiteral("Nombre:"), nueva), 1, 0);
    rejilla->addWidget(editNewNombre, 1, 1, 1, 3);
    rejilla->addWidget(btnAddNew, 1, 4);
    rejilla->setColumnStretch(1, 2);
    rejilla->setColumnStretch(3, 1);
    setTabOrder(editNewIP, editNewPuerto);
    setTabOrder(editNewPuerto, editNewNombre);
    setTabOrder(editNewNombre, btnAddNew);

    auto* grupo = new QGroupBox(QStringLiteral("Lista de direcciones y permisos:"), this);
    ListView = new ListaDirecciones({QStringLiteral("oden"), QStringLiteral("Dirección IP"),
                                     QStringLiteral("Nombre asociado"), QStringLiteral("Puerto")},
                                    {kAnchoIP, kAnchoNombre, kAnchoPuerto}, grupo);
    ListView->setItemDelegate(new DibujoFilaIP(FLibreta, ListView));
    QPalette plata = ListView->palette();
    plata.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    ListView->setPalette(plata);
    ListView->setMinimumHeight(161);
    ListView->installEventFilter(this);
    btnPermitirTodos = Boton(QStringLiteral("&Todos"),
                             QStringLiteral("Aceptar Notas de todos los de la lista"), grupo);
    btnPermitirNinguno = Boton(QStringLiteral("&Ninguno"),
                               QStringLiteral("No aceptar Notas de ninguno de la lista"), grupo);
    btnEliminar = Boton(QStringLiteral("&Eliminar"),
                        QStringLiteral("Eliminar entrada seleccionada de la Lista"), grupo);
    auto* botones = new QHBoxLayout;
    botones->addWidget(btnPermitirTodos);
    botones->addWidget(btnPermitirNinguno);
    botones->addStretch();
    botones->addWidget(btnEliminar);
    auto* columnaLista = new QVBoxLayout(grupo);
    columnaLista->addWidget(ListView, 1);
    columnaLista->addLayout(botones);

    auto* columna = new QVBoxLayout(this);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->addWidget(nueva);
    columna->addWidget(grupo, 1);

    PopupListView = new QMenu(this);
    mnuListViewActivarPermiso =
        PopupListView->addAction(QStringLiteral("&Activar permiso para este IP"));
    mnuListViewDesactivarPermiso =
        PopupListView->addAction(QStringLiteral("&Desactivar permiso para este IP"));
    PopupListView->addSeparator();
    mnuListViewComprobarHost = PopupListView->addAction(QStringLiteral("&Comprobar Host"));
    PopupListView->addSeparator();
    mnuListViewEliminar = PopupListView->addAction(QStringLiteral("&Eliminar este IP de la lista"));

    connect(editNewIP, &QLineEdit::returnPressed, this, [this] { Enfocar(editNewPuerto); });
    connect(editNewPuerto, &QLineEdit::returnPressed, this, [this] { Enfocar(editNewNombre); });
    connect(editNewNombre, &QLineEdit::returnPressed, btnAddNew, &QPushButton::click);
    connect(btnAddNew, &QPushButton::clicked, this, &PanelRed::btnAddNewClick);
    connect(btnPermitirTodos, &QPushButton::clicked, this, [this] { PermisoDeTodas(true); });
    connect(btnPermitirNinguno, &QPushButton::clicked, this, [this] { PermisoDeTodas(false); });
    connect(btnEliminar, &QPushButton::clicked, this, &PanelRed::btnEliminarClick);
    connect(ListView->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &PanelRed::ListViewColumnClick);
    connect(ListView, &QAbstractItemView::doubleClicked, this, &PanelRed::ListViewDblClick);
    connect(ListView, &QWidget::customContextMenuRequested, this, [this](const QPoint& donde) {
        ListViewMouseDown();
        PopupListView->popup(ListView->viewport()->mapToGlobal(donde));
    });
    connect(mnuListViewActivarPermiso, &QAction::triggered, this,
            [this] { PermisoDeSeleccionada(true); });
    connect(mnuListViewDesactivarPermiso, &QAction::triggered, this,
            [this] { PermisoDeSeleccionada(false); });
    connect(mnuListViewComprobarHost, &QAction::triggered, this,
            &PanelRed::mnuListViewComprobarHostClick);
    connect(mnuListViewEliminar, &QAction::triggered, btnEliminar, &QPushButton::click);
}

QList<QStringList> PanelRed::FilasDeLibreta() const {
    QList<QStringList> filas;
    filas.reserve(qsizetype(FLibreta.Entradas().size()));
    for (const nodoListaIP& entrada : FLibreta.Entradas())
        filas.append(FilaIP(entrada.IP, entrada.Nombre, QString::number(entrada.Puerto)));
    return filas;
}

void PanelRed::LlenarListaIP() {
    ListView->LlenarOrdenada(FilasDeLibreta());
    ListView->AjustarColumnaNombre(ColumnaNombre, kFilasConBarra);
}

void PanelRed::LibretaCambiada() {
    ListView->RenovarFilas(FilasDeLibreta());
    ListView->AjustarColumnaNombre(ColumnaNombre, kFilasConBarra);
}

QStringList PanelRed::FilaIP(const QString& ip, const QString& nombre,
                             const QString& puerto) const {
    return {FOrden.Clave(ip, nombre), ip, nombre, puerto};
}

void PanelRed::AgregarFilaIP(const QString& ip, const QString& nombre, const QString& puerto) {
    ListView->InsertarFilaOrdenada(FilaIP(ip, nombre, puerto));
}

bool PanelRed::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == ListView && evento->type() == QEvent::Resize)
        ListView->AjustarColumnaNombre(ColumnaNombre, kFilasConBarra);
    return QWidget::eventFilter(objeto, evento);
}

void PanelRed::ListViewColumnClick(int columna) {
    if (columna == ColumnaIP || columna == ColumnaNombre)
        FOrden.Cambiar(columna);
    LlenarListaIP();
}

QString PanelRed::IPSeleccionada() const {
    const int fila = ListView->FilaSeleccionada();
    return fila < 0 ? QString() : ListView->Texto(fila, ColumnaIP);
}

void PanelRed::btnAddNewClick() {
    const QString ip = editNewIP->text();
    const QString nombre = editNewNombre->text();
    const QString puerto = editNewPuerto->text();
    const auto rechazar = [this](const QString& texto, QLineEdit* campo) {
        MostrarMensaje(this, QStringLiteral("Error"), texto, IconoMensaje::Error);
        Enfocar(campo);
    };
    if (!IPValida(ip))
        return rechazar(QStringLiteral("IP no válido!!!"), editNewIP);
    if (nombre.isEmpty())
        return rechazar(QStringLiteral("Debe especificar un nombre"), editNewNombre);
    // The book's file holds Windows-1252 lines: what it cannot carry is refused here, where
    // the user can still change it.
    if (const qsizetype i = Cp1252::PrimeroNoGuardableEnLinea(nombre); i >= 0) {
        MostrarMensaje(this, QStringLiteral("Error"),
                       AvisoCaracterNoGuardable(QStringLiteral("El nombre"),
                                                QStringLiteral("la lista de direcciones"), nombre,
                                                i) +
                           QStringLiteral("\rBórrelo o cámbielo por otro y vuelva a añadir."),
                       IconoMensaje::Error);
        editNewNombre->setFocus();
        editNewNombre->setSelection(int(i), nombre[i].isHighSurrogate() ? 2 : 1);
        return;
    }
    if (FLibreta.ExisteIP(ip))
        return rechazar(QStringLiteral("Ya existe ese IP!"), editNewIP);
    // The number decides: leading zeros do no harm.
    bool cabe = false;
    const qint32 numero = EsNumero(puerto) ? puerto.toInt(&cabe) : -1;
    if (!cabe || numero < 1024 || numero > 9999)
        return rechazar(QStringLiteral("El Puerto debe ser un valor entre 1024 y 9999"),
                        editNewPuerto);
    FLibreta.AddIP(ip, nombre, true, numero);
    // As the book holds it, so the row reads the same when it is filled again.
    AgregarFilaIP(ip, nombre, QString::number(numero));
    ListView->AjustarColumnaNombre(ColumnaNombre, kFilasConBarra);
}

void PanelRed::ListViewDblClick() {
    const QString ip = IPSeleccionada();
    if (ip.isEmpty())
        return;
    FLibreta.CambiarPermisoIP(ip);
    ListView->viewport()->update();
}

void PanelRed::PermisoDeTodas(bool permitido) {
    for (nodoListaIP& entrada : FLibreta.Entradas())
        entrada.Permitido = permitido;
    ListView->viewport()->update();
}

void PanelRed::btnEliminarClick() {
    const int fila = ListView->FilaSeleccionada();
    if (fila < 0)
        return;
    FLibreta.BorrarIP(ListView->Texto(fila, ColumnaIP));
    ListView->QuitarFila(fila);
    ListView->AjustarColumnaNombre(ColumnaNombre, kFilasConBarra);
}

void PanelRed::PermisoDeSeleccionada(bool permitido) {
    if (nodoListaIP* entrada = FLibreta.BuscarIP(IPSeleccionada())) {
        entrada->Permitido = permitido;
        ListView->viewport()->update();
    }
}

void PanelRed::ListViewMouseDown() {
    const QString ip = IPSeleccionada();
    for (QAction* accion :
         {mnuListViewActivarPermiso, mnuListViewDesactivarPermiso, mnuListViewEliminar})
        accion->setEnabled(!ip.isEmpty());
    // A pattern is no board to call.
    mnuListViewComprobarHost->setEnabled(!ip.isEmpty() && !ip.contains(u'*') && !Client.Ocupado());
}

void PanelRed::mnuListViewComprobarHostClick() {
    const int fila = ListView->FilaSeleccionada();
    if (fila < 0 || Client.Ocupado())
        return;
    // The port as listed, not looked up again.
    HabilitarControles(false);
    Client.ComprobarHost({ListView->Texto(fila, ColumnaIP),
                          ListView->Texto(fila, ColumnaPuerto).toInt(), QString()});
}

void PanelRed::HabilitarControles(bool on) {
    for (QWidget* control : {btnAddNew, btnPermitirTodos, btnPermitirNinguno, btnEliminar})
        control->setEnabled(on);
    emit ControlesHabilitados(on);
}
