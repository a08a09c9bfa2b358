#pragma once
// The board from the keyboard: Tab through the round buttons and the notes, and the keys that
// do what the mouse does on them. Keys the focused widget leaves reach the board, and so this
// filter.
#include <QList>
#include <QObject>

class BotonRedondo;
class QKeyEvent;
class QMenu;
class QWidget;
class TNota;
class TPinaco;

class TecladoTablero : public QObject {
public:
    // Moves of a note by the arrows, and by Ctrl with the arrows for the last pixels.
    static constexpr int kPaso = 10;

    // botones in the order Tab takes them; the notes follow them, in reading order.
    TecladoTablero(TPinaco& tablero, QList<BotonRedondo*> botones);

    // Tab and Shift+Tab anywhere on the board.
    bool MoverFoco(bool adelante);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    bool Tecla(QKeyEvent* evento);
    bool TeclaDeNota(TNota* nota, QKeyEvent* evento);
    void Enfocar(QWidget* widget, bool adelante);
    // The note itself when it is still one of the board's, else null.
    TNota* DelTablero(TNota* nota) const;
    // The focused widget if it is one of the board's notes.
    TNota* NotaEnfocada() const;
    // The note after (or before) the given one in reading order, or null.
    TNota* NotaVecina(const TNota* nota, bool adelante) const;
    void MoverNota(TNota* nota, int dx, int dy, bool cambiarTamano);
    void BorrarNota(TNota* nota);
    void AbrirMenu(QMenu* menu, const QWidget* junto);

    TPinaco& FTablero;
    QList<BotonRedondo*> FBotones;
};
