#pragma once
// Asks before a note leaves the board, showing its dates and text.
#include "core/DatosNota.h"
#include "dialogs/MemoNota.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

class TfrmEliminarNota : public QDialog {
    Q_OBJECT
public:
    // "&Eliminar" ends with Accepted, the caller's cue to delete the note; "&Cancelar" and
    // Escape end with Rejected.
    TfrmEliminarNota(const DatosNota& nota, QWidget* owner);

    QGroupBox* GroupBox1;
    QLabel* lblFechaCreacion;
    QLabel* lblFechaLimite;
    MemoNota* MemoTexto;
    QPushButton* btnEliminar;
    QPushButton* btnCancelar;

    void btnEliminarClick();
    void btnCancelarClick();
};
