#pragma once
// The dialog that sends one note to boards of the address book, one attempt at a time, and
// checks a board without sending.
#include "core/DatosNota.h"
#include "dialogs/ListaDirecciones.h"
#include "net/ClienteNotas.h"

#include <QDialog>
#include <functional>
#include <optional>

class ListaIP;
class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;

struct nodoEnviado {
    QString IP; // padded with RellenarIP
    qint32 Puerto = 0;
    bool Entregada = false;
};

// Takes a note whose target did not answer, to be sent once that board is on.
using EnviarMasTarde = std::function<void(const DestinoEnvio& destino, const DatosNota& nota)>;

class TfrmEnviarNotaRed : public QDialog {
    Q_OBJECT
public:
    // puertoPropio: the own ServerPort when the receiver is to record it. masTarde: where a
    // note goes that found its target off, when the user wants; without it nobody asks.
    TfrmEnviarNotaRed(const ListaIP& libreta, const DatosNota& NotaAEnviar,
                      std::optional<qint32> puertoPropio, QWidget* owner,
                      EnviarMasTarde masTarde = {});

    void ListViewColumnClick(int columna);
    void btnEnviarClick();
    void ListViewDblClick();
    void mnuListViewComprobarClick();
    void HabilitarControles(bool on);

    // The list's columns: the hidden sort key, the address and the name.
    enum { ColumnaClave = 0, ColumnaIP = kColumnaIPDirecciones, ColumnaNombre = 2 };

    ListaDirecciones* ListView;
    QPushButton* btnEnviar;
    QPushButton* BitBtnCancel;
    QPlainTextEdit* Log;
    QMenu* PopupListView;
    QAction* mnuListViewEnviar;
    QAction* mnuListViewComprobar;
    ClienteNotas Client;

    const QList<nodoEnviado>& ListaEnviados() const { return FListaEnviados; }

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void CrearControles();
    void RellenarLista();
    DestinoEnvio DestinoDeFila(int fila) const;
    void MostrarAviso(const AvisoEnvio& aviso);
    void AlTerminar(bool entregada);

    const ListaIP& FLibreta;
    const DatosNota FNota;
    const std::optional<qint32> FPuertoPropio;
    const EnviarMasTarde FMasTarde;
    // The attempt under way sends the note (not a check), to this target.
    bool FEnviando = false;
    DestinoEnvio FDestino;
    QString IPDestino;
    OrdenDirecciones FOrden;
    QList<nodoEnviado> FListaEnviados;
};
