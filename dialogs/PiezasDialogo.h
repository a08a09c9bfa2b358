#pragma once
// Pieces shared by the note dialogs and the configuration dialog.
#include "core/DatosNota.h"
#include "dialogs/MemoNota.h"

#include <QFont>
#include <QSize>
#include <QString>
#include <initializer_list>

class QDialog;
class QGroupBox;
class QHBoxLayout;
class QIcon;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The memo's font together with the note's colour value, which may be a system colour.
struct FuenteNota {
    QFont Fuente;
    quint32 Color = 0;
};

// Caption, fixed client size, no title-bar buttons, centred on the owner's screen and the
// decorative strip down the left side.
void PrepararDialogoNota(QDialog* dialogo, const QString& titulo, QSize cliente);

// The text memo of a note dialog, filling its group box.
MemoNota* CrearMemoNota(QGroupBox* caja, int altoMinimo);
// "&Aceptar" (the default button) and "&Cancelar", right-aligned in a row.
QHBoxLayout* FilaAceptarCancelar(QDialog* dialogo, QPushButton*& ok, QPushButton*& cancelar);
// The buttons at the right end of a row.
QHBoxLayout* FilaBotones(std::initializer_list<QWidget*> botones);
// A letter in the note colours, as the font buttons' picture.
QIcon IconoFuente();
// The note's style bits (bold, italic, underline, strike-out) and whole points of a font.
quint8 EstiloDeFuente(const QFont& f);
int PuntosDeFuente(const QFont& f);
// The memo shows the text in the note's font and colour.
void PonerFuenteEnMemo(QPlainTextEdit* memo, const FuenteNota& fuente);
// Size, name, style and colour into the note.
void EscribirFuenteEnNota(DatosNota& nota, const FuenteNota& fuente);
