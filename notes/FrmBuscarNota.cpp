#include "notes/FrmBuscarNota.h"

#include "dialogs/FranjaDialogo.h"
#include "dialogs/Mensaje.h"
#include "dialogs/VentanaDialogo.h"

#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>

namespace {

constexpr int kAncho = 585;
constexpr int kAlto = 297;
constexpr int kAnchoTabla = 473;
constexpr int kAltoTabla = 153;
constexpr int kAnchoPestana = 90;
constexpr int kAnchoChincheta = 60;
constexpr int kAnchoFecha = 75;
constexpr int kAltoFilaMinimo = 17;

enum Columna { ColOrden, ColChincheta, ColCreacion, ColLimite, ColTexto, kColumnas };

// Tabs of a fixed width.
class PestanasFijas : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    // Wider only when the desktop's font needs it.
    QSize tabSizeHint(int index) const override {
        const QSize natural = QTabBar::tabSizeHint(index);
        return {std::max(kAnchoPestana, natural.width()), natural.height()};
    }
};

QTableWidgetItem* Celda(const QString& texto, Qt::Alignment alineacion) {
    auto* celda = new QTableWidgetItem(texto);
    celda->setTextAlignment(alineacion | Qt::AlignVCenter);
    celda->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return celda;
}

} // namespace

TfrmBuscarNota::TfrmBuscarNota(LeerRegistros Notas, AccionNota Subir, QWidget* owner)
    : QDialog(owner), FNotas(std::move(Notas)), FSubir(std::move(Subir)) {
    setWindowTitle(QStringLiteral("Buscar Nota"));
    PedirVentanaDialogo(this);
    setFixedSize(kAncho, kAlto);
    CrearControles();
    FormCreate();
}

void TfrmBuscarNota::CrearControles() {
    CrearFranjaDialogo(this, kAlto);
    CrearTabla();

    const int x = kAnchoFranja + (kAncho - kAnchoFranja - kAnchoTabla) / 2;
    Tab = new PestanasFijas(this);
    Tab->setExpanding(false);
    for (const char* titulo : {"Chincheta", "Fecha creación", "Fecha límite", "Texto"})
        Tab->addTab(QString::fromUtf8(titulo));
    const int yTab = 8 + kAltoTabla + 6;
    Tab->setGeometry(x, yTab, kAnchoTabla, Tab->sizeHint().height());
    CuerpoTab = new QFrame(this);
    CuerpoTab->setFrameShape(QFrame::StyledPanel);
    const int yCuerpo = yTab + Tab->height() - 1;
    CuerpoTab->setGeometry(x, yCuerpo, kAnchoTabla, kAlto - 6 - yCuerpo);
    Tab->raise();
    CrearGrupos();

    const int altoBoton = (CuerpoTab->height() - 4 * 5) / 3;
    const int xBoton = kAnchoTabla - 8 - 112;
    btnBuscar = new QPushButton(QStringLiteral("&Buscar"), CuerpoTab);
    btnBuscarSiguiente = new QPushButton(QStringLiteral("&Siguiente"), CuerpoTab);
    btnSalir = new QPushButton(QStringLiteral("&Cerrar"), CuerpoTab);
    int y = 5;
    for (QPushButton* boton : {btnBuscar, btnBuscarSiguiente, btnSalir}) {
        boton->setGeometry(xBoton, y, 112, altoBoton);
        y += altoBoton + 5;
    }
    btnBuscarSiguiente->setEnabled(false);
    btnSalir->setDefault(true);

    connect(Tab, &QTabBar::currentChanged, this, &TfrmBuscarNota::TabChange);
    connect(btnBuscar, &QPushButton::clicked, this, &TfrmBuscarNota::btnBuscarClick);
    connect(btnBuscarSiguiente, &QPushButton::clicked, this,
            &TfrmBuscarNota::btnBuscarSiguienteClick);
    connect(btnSalir, &QPushButton::clicked, this, &TfrmBuscarNota::btnSalirClick);
}

void TfrmBuscarNota::CrearTabla() {
    ListView = new QTableWidget(0, kColumnas, this);
    const int x = kAnchoFranja + (kAncho - kAnchoFranja - kAnchoTabla) / 2;
    ListView->setGeometry(x, 8, kAnchoTabla, kAltoTabla);
    ListView->setHorizontalHeaderLabels({QStringLiteral("orden"), QStringLiteral("Chincheta"),
                                         QStringLiteral("Creación"), QStringLiteral("Límite"),
                                         QStringLiteral("Texto")});
    ListView->horizontalHeaderItem(ColTexto)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ListView->setColumnWidth(ColOrden, 0);
    ListView->setColumnHidden(ColOrden, true);
    ListView->setColumnWidth(ColChincheta, kAnchoChincheta);
    ListView->setColumnWidth(ColCreacion, kAnchoFecha);
    ListView->setColumnWidth(ColLimite, kAnchoFecha);
    ListView->horizontalHeader()->setHighlightSections(false);
    ListView->horizontalHeader()->setStretchLastSection(false);
    ListView->verticalHeader()->hide();
    ListView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ListView->verticalHeader()->setDefaultSectionSize(
        std::max(kAltoFilaMinimo, ListView->fontMetrics().height() + 4));
    ListView->setShowGrid(true);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setWordWrap(false);
    ListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ListView->viewport()->installEventFilter(this);
    connect(ListView->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TfrmBuscarNota::ListViewColumnClick);
}

void TfrmBuscarNota::CrearGrupos() {
    const QRect lugar(8, 5, kAnchoTabla - 8 - 112 - 8 - 8, CuerpoTab->height() - 10);

    GroupChincheta = new QGroupBox(QStringLiteral("Color de la chincheta:"), CuerpoTab);
    GroupChincheta->setGeometry(lugar);
    cmbColorChincheta = new QComboBox(GroupChincheta);
    cmbColorChincheta->setEditable(true);
    cmbColorChincheta->addItems({QStringLiteral("Ninguna"), QStringLiteral("Rojo"),
                                 QStringLiteral("Verde"), QStringLiteral("Azul"),
                                 QStringLiteral("Cyan"), QStringLiteral("Amarillo"),
                                 QStringLiteral("Morado")});
    cmbColorChincheta->setCurrentText(QStringLiteral("Ninguna"));
    cmbColorChincheta->setGeometry(10, 30, 150, 26);

    GroupFecha = new QGroupBox(QStringLiteral("Fecha:"), CuerpoTab);
    GroupFecha->setGeometry(lugar);
    cmbComparacion = new QComboBox(GroupFecha);
    cmbComparacion->addItems({kComparacionAnterior, kComparacionIgual, kComparacionPosterior});
    cmbComparacion->setCurrentText(kComparacionIgual);
    cmbComparacion->setGeometry(10, 30, 110, 26);
    editDia = new QLineEdit(GroupFecha);
    editDia->setGeometry(128, 30, 36, 26);
    cmbMes = new QComboBox(GroupFecha);
    for (int mes = 1; mes <= 12; ++mes)
        cmbMes->addItem(NombreMes[mes]);
    cmbMes->setGeometry(170, 30, 66, 26);
    editAno = new QLineEdit(GroupFecha);
    editAno->setGeometry(242, 30, 56, 26);
    // Chosen from their lists only.
    cmbComparacion->installEventFilter(this);
    cmbMes->installEventFilter(this);

    GroupTexto = new QGroupBox(QStringLiteral("Texto:"), CuerpoTab);
    GroupTexto->setGeometry(lugar);
    EditTexto = new QLineEdit(GroupTexto);
    EditTexto->setGeometry(10, 30, lugar.width() - 20, 26);
}

void TfrmBuscarNota::FormCreate() {
    Tab->setCurrentIndex(3);
    TabChange();
    FOrden = OrdenTabla{};
    const QString hoy = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    editDia->setText(hoy.mid(0, 2));
    editAno->setText(hoy.mid(6, 4));
    cmbMes->setCurrentText(NombreMes[hoy.mid(3, 2).toInt()]);
    LlenarLista();
    // The text to look for takes the keys, so no cell of the table opens marked.
    EditTexto->setFocus();
}

void TfrmBuscarNota::TabChange() {
    const int pestana = Tab->currentIndex();
    GroupChincheta->setVisible(pestana == 0);
    GroupFecha->setVisible(pestana == 1 || pestana == 2);
    GroupTexto->setVisible(pestana == 3);
    for (QPushButton* boton : {btnBuscar, btnBuscarSiguiente, btnSalir})
        boton->raise();
}

void TfrmBuscarNota::LlenarLista() {
    const QList<RegistroNota> notas = FNotas ? FNotas() : QList<RegistroNota>();
    QList<QString> claves;
    QList<CeldasFila> celdas;
    claves.reserve(notas.size());
    celdas.reserve(notas.size());
    for (const RegistroNota& nota : notas) {
        claves.append(ClaveDeNota(nota.Datos, FOrden.ClaveOrden, FOrden.OrdenAscendente));
        celdas.append(CeldasDeNota(nota.Datos));
    }

    FFilas.clear();
    ListView->clearContents();
    ListView->setRowCount(0);
    const QList<qsizetype> orden = OrdenDeFilas(claves);
    ListView->setRowCount(int(orden.size()));
    for (int fila = 0; fila < orden.size(); ++fila) {
        const qsizetype i = orden[fila];
        FFilas.append({notas[i].Id, celdas[i]});
        ListView->setItem(fila, ColOrden, Celda(claves[i], Qt::AlignLeft));
        auto* chincheta = Celda(celdas[i][0], Qt::AlignCenter);
        // Shown as the table always did; nothing reads it.
        chincheta->setFlags(chincheta->flags() | Qt::ItemIsUserCheckable);
        chincheta->setCheckState(Qt::Unchecked);
        ListView->setItem(fila, ColChincheta, chincheta);
        ListView->setItem(fila, ColCreacion, Celda(celdas[i][1], Qt::AlignCenter));
        ListView->setItem(fila, ColLimite, Celda(celdas[i][2], Qt::AlignCenter));
        ListView->setItem(fila, ColTexto, Celda(TextoVisible(celdas[i][3]), Qt::AlignLeft));
    }
    AjustarColumnas();
    // Filled afresh, the table shows its first rows.
    ListView->scrollToTop();
}

void TfrmBuscarNota::AjustarColumnas() {
    // The designed widths, or what the desktop's font needs so that no date is cut.
    const std::pair<int, int> disenadas[] = {
        {ColChincheta, kAnchoChincheta}, {ColCreacion, kAnchoFecha}, {ColLimite, kAnchoFecha}};
    for (const auto& [columna, ancho] : disenadas) {
        ListView->resizeColumnToContents(columna);
        ListView->setColumnWidth(columna, std::max(ancho, ListView->columnWidth(columna)));
    }
    AjustarColumnaTexto();
}

void TfrmBuscarNota::AjustarColumnaTexto() {
    const int marco = ListView->frameWidth();
    const int altoCabecera = ListView->horizontalHeader()->sizeHint().height() + 2 * marco;
    const int filasVisibles = FilasVisibles(ListView->height(), altoCabecera,
                                            ListView->verticalHeader()->defaultSectionSize());
    const int barra = ListView->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ListView);
    const int otras = ListView->columnWidth(ColChincheta) + ListView->columnWidth(ColCreacion) +
                      ListView->columnWidth(ColLimite);
    ListView->setColumnWidth(ColTexto,
                             AnchoColumnaTexto(ListView->width() - 2 * marco, otras,
                                               ListView->rowCount(), filasVisibles, barra));
}

QList<CeldasFila> TfrmBuscarNota::Celdas() const {
    QList<CeldasFila> celdas;
    celdas.reserve(FFilas.size());
    for (const FilaResultado& fila : FFilas)
        celdas.append(fila.Celdas);
    return celdas;
}

qint64 TfrmBuscarNota::IdDeFila(int fila) const {
    return fila >= 0 && fila < FFilas.size() ? FFilas[fila].Id : kSinNota;
}

void TfrmBuscarNota::ListViewColumnClick(int columna) {
    const QTableWidgetItem* cabecera = ListView->horizontalHeaderItem(columna);
    if (!cabecera || !FOrden.ClicEnColumna(cabecera->text()))
        return;
    LlenarLista();
}

void TfrmBuscarNota::ListViewDblClick() {
    const QModelIndexList seleccion = ListView->selectionModel()->selectedRows(ColChincheta);
    if (seleccion.isEmpty())
        return;
    const IdNota id = IdDeFila(seleccion.first().row());
    if (id >= 0 && FSubir)
        FSubir(id);
}

void TfrmBuscarNota::btnBuscarClick() {
    QString patron;
    const int pestana = Tab->currentIndex();
    switch (pestana) {
    case BusquedaNotas::kTipoChincheta:
        patron = Normalizar(cmbColorChincheta->currentText());
        FControlBusqueda = cmbColorChincheta;
        break;
    case BusquedaNotas::kTipoCreacion:
    case BusquedaNotas::kTipoLimite:
        patron = editDia->text() + u'-' + cmbMes->currentText() + u'-' + editAno->text();
        FControlBusqueda = cmbComparacion;
        break;
    default:
        patron = Normalizar(EditTexto->text());
        FControlBusqueda = EditTexto;
    }
    MostrarResultado(FBusqueda.Buscar(patron, pestana, Celdas(), cmbComparacion->currentText()),
                     true);
}

void TfrmBuscarNota::btnBuscarSiguienteClick() {
    MostrarResultado(FBusqueda.Siguiente(Celdas(), cmbComparacion->currentText()), false);
}

void TfrmBuscarNota::MostrarResultado(ResultadoBusqueda resultado, bool desdeInicio) {
    const QString fin = QStringLiteral("Fin de la búsqueda");
    switch (resultado) {
    case ResultadoBusqueda::PatronVacio:
        MostrarMensaje(this, QStringLiteral("Error!"), QStringLiteral("Búsqueda no válida"),
                       IconoMensaje::Exclamacion);
        if (FControlBusqueda)
            FControlBusqueda->setFocus();
        return;
    case ResultadoBusqueda::FechaNoValida:
        MostrarMensaje(
            this, QStringLiteral("Error!"),
            QStringLiteral("'%1' no es un número entero válido.").arg(FBusqueda.CampoNoValido()),
            IconoMensaje::Error);
        (FBusqueda.CampoNoValido() == editDia->text() ? editDia : editAno)->setFocus();
        return;
    case ResultadoBusqueda::Encontrada:
        SeleccionarFila(int(FBusqueda.FilaBusqueda()));
        btnBuscarSiguiente->setEnabled(true);
        return;
    case ResultadoBusqueda::SinEquivalencias:
        if (desdeInicio) {
            MostrarMensaje(this, fin, QStringLiteral("No se encontraron equivalencias"),
                           IconoMensaje::Informacion);
            btnBuscarSiguiente->setEnabled(false);
        } else {
            btnBuscarSiguiente->setEnabled(false);
            MostrarMensaje(this, fin, QStringLiteral("No se encontraron más equivalencias"),
                           IconoMensaje::Informacion);
        }
        return;
    }
}

void TfrmBuscarNota::SeleccionarFila(int fila) {
    ListView->setFocus();
    ListView->scrollToItem(ListView->item(fila, ColChincheta), QAbstractItemView::EnsureVisible);
    ListView->setCurrentCell(fila, ColChincheta);
    ListView->selectRow(fila);
}

void TfrmBuscarNota::btnSalirClick() {
    reject();
}

bool TfrmBuscarNota::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == ListView->viewport() && evento->type() == QEvent::MouseButtonDblClick) {
        ListViewDblClick();
        return true;
    }
    if ((objeto == cmbComparacion || objeto == cmbMes) && evento->type() == QEvent::KeyPress) {
        const QString texto = static_cast<QKeyEvent*>(evento)->text();
        // Typed characters are swallowed; arrows still choose from the list.
        if (!texto.isEmpty() && texto.at(0).isPrint())
            return true;
    }
    return QDialog::eventFilter(objeto, evento);
}
