#include "dialogs/ListaDirecciones.h"

#include "core/UnitComunes.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>
#include <numeric>

class ModeloDirecciones : public QAbstractTableModel {
public:
    ModeloDirecciones(QStringList cabeceras, QObject* parent)
        : QAbstractTableModel(parent), FCabeceras(std::move(cabeceras)) {}

    int rowCount(const QModelIndex& padre = {}) const override {
        return padre.isValid() ? 0 : int(FFilas.size());
    }
    int columnCount(const QModelIndex& padre = {}) const override {
        return padre.isValid() ? 0 : int(FCabeceras.size());
    }
    QVariant data(const QModelIndex& indice, int rol) const override {
        if (!indice.isValid() || (rol != Qt::DisplayRole && rol != Qt::EditRole))
            return {};
        return Texto(indice.row(), indice.column());
    }
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override {
        if (orientacion == Qt::Horizontal && rol == Qt::DisplayRole && seccion >= 0 &&
            seccion < FCabeceras.size())
            return FCabeceras[seccion];
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    }
    Qt::ItemFlags flags(const QModelIndex& indice) const override {
        return indice.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
    }

    QString Texto(int fila, int columna) const { return FFilas[fila].value(columna); }

    int Insertar(const QStringList& textos) {
        const auto despues = std::upper_bound(
            FFilas.cbegin(), FFilas.cend(), textos.first(),
            [](const QString& clave, const QStringList& f) { return clave < f.first(); });
        const int fila = int(despues - FFilas.cbegin());
        beginInsertRows({}, fila, fila);
        FFilas.insert(fila, textos);
        endInsertRows();
        return fila;
    }

    // The row where the last one given ended.
    int Llenar(const QList<QStringList>& filas) {
        // Stable: rows of equal keys keep the order they came in, as insertion after them gives.
        QList<int> orden(filas.size());
        std::iota(orden.begin(), orden.end(), 0);
        std::stable_sort(orden.begin(), orden.end(),
                         [&](int a, int b) { return filas[a].first() < filas[b].first(); });
        beginResetModel();
        FFilas.clear();
        FFilas.reserve(filas.size());
        int ultima = -1;
        for (const int i : orden) {
            if (i == filas.size() - 1)
                ultima = int(FFilas.size());
            FFilas.append(filas[i]);
        }
        endResetModel();
        return ultima;
    }

    void Quitar(int fila) {
        beginRemoveRows({}, fila, fila);
        FFilas.removeAt(fila);
        endRemoveRows();
    }

private:
    const QStringList FCabeceras;
    QList<QStringList> FFilas;
};

ListaDirecciones::ListaDirecciones(const QStringList& cabeceras, const QList<int>& anchos,
                                   QWidget* parent)
    : QTableView(parent), FModelo(new ModeloDirecciones(cabeceras, this)) {
    setModel(FModelo);
    setColumnHidden(0, true);
    for (int c = 0; c < anchos.size(); ++c)
        setColumnWidth(c + 1, anchos[c]);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    // One stop for Tab; the arrows move within the list.
    setTabKeyNavigation(false);
}

int ListaDirecciones::Filas() const {
    return FModelo->rowCount();
}

QString ListaDirecciones::Texto(int fila, int columna) const {
    return FModelo->Texto(fila, columna);
}

int ListaDirecciones::InsertarFilaOrdenada(const QStringList& textos) {
    const int fila = FModelo->Insertar(textos);
    SeleccionarFila(fila);
    return fila;
}

void ListaDirecciones::LlenarOrdenada(const QList<QStringList>& filas) {
    SeleccionarFila(FModelo->Llenar(filas));
}

void ListaDirecciones::RenovarFilas(const QList<QStringList>& filas) {
    const int elegida = FilaSeleccionada();
    const QString ip = elegida < 0 ? QString() : Texto(elegida, kColumnaIPDirecciones);
    const int desplazamiento = verticalScrollBar()->value();
    FModelo->Llenar(filas);
    for (int fila = 0; !ip.isEmpty() && fila < Filas(); ++fila)
        if (Texto(fila, kColumnaIPDirecciones) == ip) {
            selectRow(fila);
            break;
        }
    verticalScrollBar()->setValue(desplazamiento);
}

void ListaDirecciones::QuitarFila(int fila) {
    if (fila >= 0 && fila < Filas())
        FModelo->Quitar(fila);
}

void ListaDirecciones::SeleccionarFila(int fila) {
    if (fila < 0 || fila >= Filas())
        return;
    selectRow(fila);
    scrollTo(FModelo->index(fila, kColumnaIPDirecciones));
}

int ListaDirecciones::FilaSeleccionada() const {
    const QModelIndexList elegidos = selectionModel()->selectedIndexes();
    return elegidos.isEmpty() ? -1 : elegidos.first().row();
}

void ListaDirecciones::AjustarColumnaNombre(int columnaNombre, int filasConBarra) {
    int ancho = width() - 4 - (Filas() >= filasConBarra ? 16 : 0);
    for (int c = 0; c < FModelo->columnCount(); ++c)
        if (c != columnaNombre && !isColumnHidden(c))
            ancho -= columnWidth(c);
    setColumnWidth(columnaNombre, ancho);
}

void OrdenDirecciones::Cambiar(int pulsada) {
    Ascendente = Columna == pulsada ? !Ascendente : true;
    Columna = pulsada;
}

QString OrdenDirecciones::Clave(const QString& ip, const QString& nombre) const {
    if (Columna == kColumnaIPDirecciones)
        return Ascendente ? RellenarIP(ip) : InvertirDigitos(RellenarIP(ip));
    return TextoAHex(Ascendente ? nombre : InvertirTexto(nombre));
}
