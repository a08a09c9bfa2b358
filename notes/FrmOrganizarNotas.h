#pragma once
// "Organizar Notas:": asks for the date and the direction by which to order the notes.
#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;
class TableroNotas;

class TfrmOrganizarNotas : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOrganizarNotas(TableroNotas& tablero);

    void radioCreacionClick();
    void radioLimiteClick();
    void btnAceptarClick();
    void btnCancelarClick();

    QGroupBox* GroupBox1;
    QRadioButton* radioCreacion;
    QRadioButton* radioLimite;
    QGroupBox* GroupBox2;
    QRadioButton* radioAsc;
    QRadioButton* radioDesc;
    QPushButton* btnAceptar;
    QPushButton* btnCancelar;

private:
    void CrearControles();

    TableroNotas& FTablero;
};

// Orders the board's notes by creation or due date: the first ends topmost, the last at the
// bottom; positions and sizes stay. Marks the notes as changed.
void OrganizarNotas(TableroNotas& tablero, bool PorCreacion, bool Ascendente);
