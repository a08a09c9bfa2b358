#pragma once
// "Organizar Notas:": asks for the date and the direction by which to order the notes; the
// board orders them (OrdenOrganizado) when the dialog ends with Accepted.
#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;
class QWidget;

class TfrmOrganizarNotas : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOrganizarNotas(QWidget* owner);

    // The choice: by creation date, else by due date; ascending, else descending.
    bool PorCreacion() const;
    bool Ascendente() const;

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
};
