#pragma once
// The settings' network tab: the board's address book, edited in place. Every change works
// at once on the board's list; neither OK nor Cancel undoes it.
#include "dialogs/ListaDirecciones.h"
#include "net/ClienteNotas.h"

#include <QWidget>

class ListaIP;
class QAction;
class QLineEdit;
class QMenu;
class QPushButton;

class PanelRed : public QWidget {
    Q_OBJECT
public:
    explicit PanelRed(ListaIP& libreta, QWidget* parent = nullptr);

    // The list's columns: the hidden sort key, then the three shown cells.
    enum {
        ColumnaClave = 0,
        ColumnaIP = kColumnaIPDirecciones,
        ColumnaNombre = 2,
        ColumnaPuerto = 3
    };

    void LlenarListaIP();
    void ListViewColumnClick(int columna);
    void btnAddNewClick();
    void ListViewDblClick();
    // "Todos" and "Ninguno": every entry of the list accepted, or none.
    void PermisoDeTodas(bool permitido);
    void btnEliminarClick();
    void PermisoDeSeleccionada(bool permitido);
    // Enables the popup's items for the selected row, before the popup opens.
    void ListViewMouseDown();
    void mnuListViewComprobarHostClick();
    // The IP of the selected row, empty when none is.
    QString IPSeleccionada() const;
    // The book changed under the open tab (flood control, a sender's port): the rows follow.
    void LibretaCambiada();

    QLineEdit* editNewIP;
    QLineEdit* editNewPuerto;
    QLineEdit* editNewNombre;
    QPushButton* btnAddNew;
    ListaDirecciones* ListView;
    QPushButton* btnPermitirTodos;
    QPushButton* btnPermitirNinguno;
    QPushButton* btnEliminar;
    QMenu* PopupListView;
    QAction* mnuListViewActivarPermiso;
    QAction* mnuListViewDesactivarPermiso;
    QAction* mnuListViewComprobarHost;
    QAction* mnuListViewEliminar;
    ClienteNotas Client;

signals:
    // A host check starts (false) or ends (true): the dialog's own buttons follow.
    void ControlesHabilitados(bool on);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void CrearControles();
    // The row of an entry: its sort key, then the three shown cells.
    QStringList FilaIP(const QString& ip, const QString& nombre, const QString& puerto) const;
    QList<QStringList> FilasDeLibreta() const;
    void AgregarFilaIP(const QString& ip, const QString& nombre, const QString& puerto);
    void HabilitarControles(bool on);

    ListaIP& FLibreta;
    OrdenDirecciones FOrden;
};
