#pragma once
// What the two address lists share: a hidden first column holding each row's sort key, the
// rows kept in ascending order of it, one whole row selected at a time.
#include <QList>
#include <QStringList>

class QTableWidget;

// Hidden key column first, then the shown columns with their fixed widths.
void PrepararListaDirecciones(QTableWidget* lista, const QStringList& cabeceras,
                              const QList<int>& anchos);
// The row goes after the rows whose keys are not greater than its own; it is selected and
// scrolled into view.
int InsertarFilaOrdenada(QTableWidget* lista, const QStringList& textos);
// The name column takes what the other shown columns leave, less room for the vertical
// scroll bar from filasConBarra rows on, when the rows no longer fit.
void AjustarColumnaNombre(QTableWidget* lista, int columnaNombre, int filasConBarra);
// The selected row, or -1.
int FilaSeleccionada(const QTableWidget* lista);
// A click on the sort column reverses the order; on another column, sorts by it ascending.
void CambiarOrden(int& columna, bool& ascendente, int pulsada);
// The sort key of an address-book row: by IP or by name, ascending or descending.
QString ClaveDeOrden(bool porIP, bool ascendente, const QString& ip, const QString& nombre);
