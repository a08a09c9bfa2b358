#pragma once
// Asks before a note leaves the board, showing its dates and text.
#include "notes/MemoNota.h"

#include <QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class TNota;

class TfrmEliminarNota : public QDialog {
    Q_OBJECT
public:
    // "&Eliminar" runs BorrarNotaActual (the board's own) and ends with Accepted;
    // "&Cancelar" and Escape end with Rejected and delete nothing. The note is read
    // only here, while the dialog is built.
    TfrmEliminarNota(const TNota* nota, std::function<void()> BorrarNotaActual, QWidget* owner);

    QGroupBox* GroupBox1;
    QLabel* lblFechaCreacion;
    QLabel* lblFechaLimite;
    MemoNota* MemoTexto;
    QPushButton* btnEliminar;
    QPushButton* btnCancelar;

    void btnEliminarClick();
    void btnCancelarClick();

private:
    std::function<void()> FBorrarNotaActual;
};
