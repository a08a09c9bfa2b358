#pragma once
// The note editor: text, pushpin, font and due date of one note.
#include "core/DatosNota.h"
#include "dialogs/MemoNota.h"
#include "dialogs/PiezasDialogo.h"

#include <QDialog>
#include <QFont>
#include <QStringList>
#include <functional>
#include <optional>

class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QToolButton;

// Asks the user for a font; nothing when the user cancels.
using ElegirFuenteNota =
    std::function<std::optional<FuenteNota>(const FuenteNota& actual, QWidget* owner)>;

// Qt's font dialog with a colour button; confirmed unchanged it gives the font back as it was.
std::optional<FuenteNota> ElegirFuenteConDialogo(const FuenteNota& actual, QWidget* owner);

class TfrmConfigNota : public QDialog {
    Q_OBJECT
public:
    // exec() gives Accepted only when OK wrote the record. On any other ending nothing was
    // written; for a new note (EsNueva) the caller then discards the note. Notes with the
    // `Net` pin belong to the received-note viewer and must not come here.
    TfrmConfigNota(const DatosNota& nota, bool EsNueva, QWidget* owner);

    static bool FechaValida(int dia, const QString& mes, qint32 anio);

    // The record as it came, with what OK wrote into it.
    const DatosNota& Datos() const { return FDatos; }
    bool EsNotaNueva() const { return FEsNotaNueva; }
    FuenteNota FuenteMemo() const;

    // The font dialog; tests put their own answer here.
    ElegirFuenteNota ElegirFuente;

    QGroupBox* GroupBox1;
    QGroupBox* GroupBox2;
    QGroupBox* GroupBox3;
    QComboBox* ComboColorChincheta;
    QToolButton* btnFuente;
    QLineEdit* ExpDay;
    QComboBox* ExpMonth;
    QLineEdit* ExpYear;
    MemoNota* MemoTexto;
    QPushButton* BitBtnOK;
    QPushButton* BitBtnCancel;

    void BitBtnOKClick();
    void BitBtnCancelClick();
    void btnFuenteClick();
    // Key filters of the day and year: true when the key is discarded.
    static bool ExpDayKeyPress(const QKeyEvent& tecla);
    static bool ExpYearKeyPress(const QKeyEvent& tecla);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CrearControles();
    void Rellenar();
    void PonerFuenteMemo(const FuenteNota& fuente);
    std::optional<int> LeerEntero(QLineEdit* campo);
    bool TextosGuardables();
    void EscribirNota(int dia, int anio);

    DatosNota FDatos;
    bool FEsNotaNueva;
    quint32 FColorFuente = 0;
};
