#pragma once
// What the two address lists share: a hidden first column holding each row's sort key, the
// rows kept in ascending order of it, one whole row selected at a time.
#include <QList>
#include <QStringList>

class QTableWidget;

// Hidden key column first, then the shown columns with their fixed widths.
void PrepararListaDirecciones(QTableWidget* lista, const QStringList& cabeceras,
                              const QList<int>& anchos);
// The column after the key: the address, in both lists.
constexpr int kColumnaIPDirecciones = 1;
// The row goes after the rows whose keys are not greater than its own; it is selected.
int InsertarFilaOrdenada(QTableWidget* lista, const QStringList& textos);
// Selects the row and scrolls it into view; nothing for a row the list does not have.
void SeleccionarFila(QTableWidget* lista, int fila);
// The name column takes what the other shown columns leave, less room for the vertical
// scroll bar from filasConBarra rows on, when the rows no longer fit.
void AjustarColumnaNombre(QTableWidget* lista, int columnaNombre, int filasConBarra);
// The selected row, or -1.
int FilaSeleccionada(const QTableWidget* lista);

// How a list is sorted: by the address or by the name, either way.
struct OrdenDirecciones {
    int Columna = kColumnaIPDirecciones;
    bool Ascendente = true;
    // A click on the sort column reverses the order; on another column, sorts by it ascending.
    void Cambiar(int pulsada);
    // The sort key of an address-book row.
    QString Clave(const QString& ip, const QString& nombre) const;
};
