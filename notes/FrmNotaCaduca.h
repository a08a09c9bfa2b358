#pragma once
// "Notas Caducadas:": shows the notes that have come due one at a time, to step through
// them and delete them.
#include "core/RegistroNota.h"
#include "dialogs/MemoNota.h"
#include "dialogs/ReproductorWav.h"

#include <QDate>
#include <QDialog>
#include <QTimer>

class QGroupBox;
class QLabel;
class QPushButton;
struct VistaCaducada;

// Today's date, taken afresh by every step; the board's own clock.
using FechaDeHoy = std::function<QDate()>;

class TfrmNotaCaduca : public QDialog {
    Q_OBJECT
public:
    enum class Sentido { HaciaElPrimero, HaciaElUltimo };

    // Notas is read afresh at every step, as the board may change meanwhile; Borrar takes
    // the shown note off the board and has the deletion saved. The owner is the board.
    // Without Hoy the system's date is today.
    TfrmNotaCaduca(LeerRegistros Notas, AccionNota Borrar, bool AvisoNotaCaducada,
                   const QString& AvisoNotaCaducadaWAV, QWidget* owner, FechaDeHoy Hoy = {});
    ~TfrmNotaCaduca() override;

    // Shows the first expired note; false when there is none.
    bool MostrarPrimeraCaducada();
    // Null shows the empty state: nothing left to show or delete.
    void Llenar(const RegistroNota* nota, bool HayAnterior, bool HaySiguiente);
    void MostrarNotaCaducada(Sentido sentido);
    void BorrarNotaCaducada();
    // The id of the shown note; kSinNota in the empty state.
    IdNota IdActual() const { return FIdActual; }

    void btnAntClick();
    void btnSigClick();
    void btnEliminarNotaClick();
    void BitBtn2Click();
    void TimerSoundTimer();

    QGroupBox* GroupBox1;
    QLabel* lblFechaIzda;
    QLabel* lblFechaDcha;
    MemoNota* memoTexto;
    QPushButton* btnAnt;
    QPushButton* btnEliminarNota;
    QPushButton* btnSig;
    QPushButton* BitBtn2;
    ReproductorWav MediaPlayer;
    QTimer TimerSound;

private:
    void CrearControles();
    void Mostrar(const QList<RegistroNota>& notas, const VistaCaducada& vista);
    // Index of the shown note among the notes, or -1 when it has left the board.
    qsizetype IndiceActual(const QList<RegistroNota>& notas) const;

    std::function<bool(qsizetype)> CaducadaEn(const QList<RegistroNota>& notas) const;

    LeerRegistros FNotas;
    AccionNota FBorrar;
    FechaDeHoy FHoy;
    QString FAvisoNotaCaducadaWAV;
    IdNota FIdActual = kSinNota;
};

// The start-up check: opens the dialog modally when some note has come due. Returns
// whether it was opened.
bool ComprobarNotasCaducadas(const LeerRegistros& Notas, const AccionNota& Borrar,
                             bool AvisoNotaCaducada, const QString& AvisoNotaCaducadaWAV,
                             QWidget* owner, const FechaDeHoy& Hoy = {});
