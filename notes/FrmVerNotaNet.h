#pragma once
// The viewer of a note received from another board: text read-only, due date, when and
// from whom it came; only the font of the text can be changed.
#include "core/DatosNota.h"
#include "notes/EtiquetaRecortada.h"
#include "notes/FrmConfigNota.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;

class TfrmVerNotaNet : public QDialog {
    Q_OBJECT
public:
    explicit TfrmVerNotaNet(QWidget* owner);

    // NombreEnLibreta: the name the address book has now for the sender's address, shown
    // when the note arrived without one.
    void CargarNotaEnVisor(const DatosNota& nota, const QString& NombreEnLibreta);
    // The record as it came, with the font "&Aceptar" wrote into it.
    const DatosNota& Datos() const { return FDatos; }

    // The font dialog; tests put their own answer here.
    ElegirFuenteNota ElegirFuente;

    QGroupBox* GroupBoxInformacion;
    QGroupBox* GroupBoxTexto;
    QLabel* lblFechaLimite;
    QLabel* lblReceivedDay;
    QLabel* lblReceivedTime;
    EtiquetaRecortada* lblReceivedFromUser;
    QToolButton* btnFuente;
    MemoNota* MemoTexto;
    QPushButton* BitBtnOK;
    QPushButton* BitBtnCancel;

    void btnFuenteClick();
    void BitBtnOKClick();
    void BitBtnCancelClick();

    // "5-Dic-2026": numbers without leading zeros; a month outside 1 to 12 shows nothing.
    static QString TextoFecha(int dia, int mes, qint32 anio);
    // "Ana  (10.0.0.7)", or the address book's name, or only "(10.0.0.7)".
    static QString TextoRemitente(const QString& usuario, const QString& ip,
                                  const QString& nombreEnLibreta);

private:
    void CrearControles();

    DatosNota FDatos;
    FuenteNota FFuente;
};
