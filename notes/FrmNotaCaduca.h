#pragma once
// "Notas Caducadas:": shows the notes that have come due one at a time, to step through
// them and delete them.
#include "notes/MemoNota.h"
#include "notes/ReproductorWav.h"

#include <QDate>
#include <QDialog>
#include <QPointer>
#include <QTimer>

class ListaNotas;
class QGroupBox;
class QLabel;
class QPushButton;
class TableroNotas;
class TNota;
struct VistaCaducada;

class TfrmNotaCaduca : public QDialog {
    Q_OBJECT
public:
    enum class Sentido { HaciaElPrimero, HaciaElUltimo };

    TfrmNotaCaduca(TableroNotas& tablero, bool AvisoNotaCaducada,
                   const QString& AvisoNotaCaducadaWAV);
    ~TfrmNotaCaduca() override;

    // Shows the first expired note; false when there is none.
    bool MostrarPrimeraCaducada();
    // Null shows the empty state: nothing left to show or delete.
    void Llenar(TNota* nota, bool HayAnterior, bool HaySiguiente);
    void MostrarNotaCaducada(Sentido sentido);
    void BorrarNotaCaducada();
    TNota* NotaCaducaActual() const { return FNotaCaducaActual; }

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
    void Mostrar(const VistaCaducada& vista);
    // Index of the shown note in the board's list, or -1 when it has left the board.
    qsizetype IndiceActual() const;

    TableroNotas& FTablero;
    QString FAvisoNotaCaducadaWAV;
    QPointer<TNota> FNotaCaducaActual;
};

bool NotaCaducada(const TNota& nota, QDate hoy);
// Whether the dialog has anything to show.
bool HayNotasCaducadas(const ListaNotas& notas, QDate hoy);

// The start-up check: opens the dialog modally when some note has come due. Returns
// whether it was opened.
bool ComprobarNotasCaducadas(TableroNotas& tablero, bool AvisoNotaCaducada,
                             const QString& AvisoNotaCaducadaWAV);
