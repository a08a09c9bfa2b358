#pragma once
// "Buscar Nota": the board's notes in a sortable table, searched row after row by pushpin,
// creation date, due date or text.
#include "core/BusquedaNotas.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTableWidget;
class TableroNotas;
class TNota;

class TfrmBuscarNota : public QDialog {
    Q_OBJECT
public:
    static constexpr int kColumnaClave = 0;
    static constexpr int kPrimeraCelda = 1; // the cells 0..3 follow the hidden key

    explicit TfrmBuscarNota(TableroNotas& tablero);

    void TabChange();
    void ListViewColumnClick(int columna);
    void ListViewDblClick();
    void btnBuscarClick();
    void btnBuscarSiguienteClick();
    void btnSalirClick();
    void LlenarLista();

    // The note of a table row, null once it has left the board.
    TNota* NotaDeFila(int fila) const;
    const OrdenTabla& Orden() const { return FOrden; }
    const BusquedaNotas& Busqueda() const { return FBusqueda; }

    QTableWidget* ListView;
    QTabBar* Tab;
    QFrame* CuerpoTab;
    QGroupBox* GroupChincheta;
    QComboBox* cmbColorChincheta;
    QGroupBox* GroupFecha;
    QComboBox* cmbComparacion;
    QLineEdit* editDia;
    QComboBox* cmbMes;
    QLineEdit* editAno;
    QGroupBox* GroupTexto;
    QLineEdit* EditTexto;
    QPushButton* btnBuscar;
    QPushButton* btnBuscarSiguiente;
    QPushButton* btnSalir;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    struct FilaResultado {
        QPointer<TNota> Nota;
        CeldasFila Celdas;
    };

    void CrearControles();
    void CrearTabla();
    void CrearGrupos();
    void FormCreate();
    void AjustarColumnas();
    void AjustarColumnaTexto();
    void MostrarResultado(ResultadoBusqueda resultado, bool desdeInicio);
    void SeleccionarFila(int fila);
    QList<CeldasFila> Celdas() const;

    TableroNotas& FTablero;
    OrdenTabla FOrden;
    BusquedaNotas FBusqueda;
    QWidget* FControlBusqueda = nullptr;
    QList<FilaResultado> FFilas;
};
