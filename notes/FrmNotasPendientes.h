#pragma once
// The notes that wait for a board that was off: what waits, for whom, since when and
// when it is tried next; one may go now or be given up.
#include <QDialog>
#include <QTimer>

class EnviosPendientes;
class QPushButton;
class QTreeWidget;

class TfrmNotasPendientes : public QDialog {
    Q_OBJECT
public:
    TfrmNotasPendientes(EnviosPendientes& envios, QWidget* owner);

    enum { ColumnaDestino, ColumnaTexto, ColumnaDesde, ColumnaProximo };

    void btnEnviarAhoraClick();
    void btnCancelarEnvioClick();

    QTreeWidget* ListView;
    QPushButton* btnEnviarAhora;
    QPushButton* btnCancelarEnvio;
    QPushButton* btnCerrar;

private:
    void Rellenar();
    quint64 IdSeleccionado() const;
    void HabilitarBotones();

    EnviosPendientes& FEnvios;
    // Many changes in a row, as when a board comes back, fill the list once.
    QTimer FRenovar;
};
