#pragma once
// "Buscar Nota": the board's notes in a sortable table, searched row after row by pushpin,
// creation date, due date or text.
#include "core/BusquedaNotas.h"
#include "core/RegistroNota.h"

#include <QDialog>

class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTableWidget;

class TfrmBuscarNota : public QDialog {
    Q_OBJECT
public:
    static constexpr int kColumnaClave = 0;
    static constexpr int kPrimeraCelda = 1; // the cells 0..3 follow the hidden key

    // Notas is read again whenever the table is filled; a double click on a row asks Subir
    // to bring that note to the front. The owner is the board.
    TfrmBuscarNota(LeerRegistros Notas, AccionNota Subir, QWidget* owner);

    void TabChange();
    void ListViewColumnClick(int columna);
    void ListViewDblClick();
    void btnBuscarClick();
    void btnBuscarSiguienteClick();
    void btnSalirClick();
    void LlenarLista();

    // The id of the note of a table row, kSinNota outside the table.
    IdNota IdDeFila(int fila) const;
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
        IdNota Id;
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

    LeerRegistros FNotas;
    AccionNota FSubir;
    OrdenTabla FOrden;
    BusquedaNotas FBusqueda;
    QWidget* FControlBusqueda = nullptr;
    QList<FilaResultado> FFilas;
};
