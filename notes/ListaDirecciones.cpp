#include "notes/ListaDirecciones.h"

#include "core/UnitComunes.h"

#include <QHeaderView>
#include <QTableWidget>

void PrepararListaDirecciones(QTableWidget* lista, const QStringList& cabeceras,
                              const QList<int>& anchos) {
    lista->setColumnCount(int(cabeceras.size()));
    lista->setHorizontalHeaderLabels(cabeceras);
    lista->setColumnHidden(0, true);
    for (int c = 0; c < anchos.size(); ++c)
        lista->setColumnWidth(c + 1, anchos[c]);
    lista->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lista->horizontalHeader()->setHighlightSections(false);
    lista->verticalHeader()->hide();
    lista->verticalHeader()->setDefaultSectionSize(lista->fontMetrics().height() + 4);
    lista->setSelectionBehavior(QAbstractItemView::SelectRows);
    lista->setSelectionMode(QAbstractItemView::SingleSelection);
    lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lista->setWordWrap(false);
    lista->setContextMenuPolicy(Qt::CustomContextMenu);
}

int InsertarFilaOrdenada(QTableWidget* lista, const QStringList& textos) {
    int fila = 0;
    while (fila < lista->rowCount() && lista->item(fila, 0)->text() <= textos.first())
        ++fila;
    lista->insertRow(fila);
    for (int c = 0; c < textos.size(); ++c)
        lista->setItem(fila, c, new QTableWidgetItem(textos[c]));
    SeleccionarFila(lista, fila);
    return fila;
}

void SeleccionarFila(QTableWidget* lista, int fila) {
    if (fila < 0 || fila >= lista->rowCount())
        return;
    lista->selectRow(fila);
    lista->scrollToItem(lista->item(fila, kColumnaIPDirecciones));
}

void AjustarColumnaNombre(QTableWidget* lista, int columnaNombre, int filasConBarra) {
    int ancho = lista->width() - 4 - (lista->rowCount() >= filasConBarra ? 16 : 0);
    for (int c = 0; c < lista->columnCount(); ++c)
        if (c != columnaNombre && !lista->isColumnHidden(c))
            ancho -= lista->columnWidth(c);
    lista->setColumnWidth(columnaNombre, ancho);
}

int FilaSeleccionada(const QTableWidget* lista) {
    const QList<QTableWidgetItem*> elegidos = lista->selectedItems();
    return elegidos.isEmpty() ? -1 : elegidos.first()->row();
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
