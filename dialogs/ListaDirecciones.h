#pragma once
// What the two address lists share: a hidden first column holding each row's sort key, the
// rows kept in ascending order of it, one whole row selected at a time. The rows are plain
// texts in a model of their own, not one widget item per cell, so that a book of 100,000
// entries fills in a blink.
#include <QList>
#include <QStringList>
#include <QTableView>

class ModeloDirecciones;

// The column after the key: the address, in both lists.
constexpr int kColumnaIPDirecciones = 1;

class ListaDirecciones : public QTableView {
    Q_OBJECT
public:
    // The hidden key column first, then the shown columns with their fixed widths.
    ListaDirecciones(const QStringList& cabeceras, const QList<int>& anchos, QWidget* parent);

    int Filas() const;
    QString Texto(int fila, int columna) const;
    // The row goes after the rows whose keys are not greater than its own; it is selected.
    int InsertarFilaOrdenada(const QStringList& textos);
    // Puts in the rows, each with its key first, in place of the list's: where inserting them
    // one by one would, and the last row given ends selected.
    void LlenarOrdenada(const QList<QStringList>& filas);
    // The same rows, read again: the selected address stays selected and the list where it
    // was scrolled.
    void RenovarFilas(const QList<QStringList>& filas);
    void QuitarFila(int fila);
    // Selects the row and scrolls it into view; nothing for a row the list does not have.
    void SeleccionarFila(int fila);
    // The selected row, or -1.
    int FilaSeleccionada() const;
    // The name column takes what the other shown columns leave, less room for the vertical
    // scroll bar from filasConBarra rows on, when the rows no longer fit.
    void AjustarColumnaNombre(int columnaNombre, int filasConBarra);

private:
    ModeloDirecciones* FModelo;
};

// How a list is sorted: by the address or by the name, either way.
struct OrdenDirecciones {
    int Columna = kColumnaIPDirecciones;
    bool Ascendente = true;
    // A click on the sort column reverses the order; on another column, sorts by it ascending.
    void Cambiar(int pulsada);
    // The sort key of an address-book row.
    QString Clave(const QString& ip, const QString& nombre) const;
};
