#pragma once
// The board's notes held in transparent layers of a bounded number of notes. Qt paints the
// children of a widget with one level of recursion per overlapping sibling, so tens of
// thousands of notes as direct children of the board run out of stack. Notes and the board's
// own pieces stack exactly as if every note were a child of the board: the notes of a layer
// are consecutive in that order, and a layer takes clicks only where it has a note.
#include <QList>
#include <QObject>

class QWidget;

class CapasNotas : public QObject {
public:
    static constexpr int kNotasPorCapa = 256;

    explicit CapasNotas(QWidget* tablero);

    // Widgets the notes never cover while they are at the top of the board: a note brought to
    // the front goes beneath them at once, in the layer under them.
    void FijarEncima(const QList<QWidget*>& piezas);
    // The same, and the pieces raised to the top in that order unless they already are
    // there: raising repaints a piece.
    void SubirEncima(const QList<QWidget*>& piezas);
    // The parent for a new note that is to lie above, or below, every widget of the board:
    // the topmost (bottom) widget when that is a layer with room, otherwise a new layer there.
    // A new note is the top child of its layer; below every widget it still needs lower().
    QWidget* CapaArriba();
    QWidget* CapaAbajo();
    // The note above, or below, every widget of the board, as raise() and lower() would put
    // a child of the board.
    void AlFrente(QWidget* nota);
    void AlFondo(QWidget* nota);
    // Neighbouring layers that fit in one become one, and empty layers go; to be called
    // after the board restacks its own pieces.
    void Compactar();
    // Layers made between these two stay hidden until the end: a layer on a shown board
    // gets a posted layout request for every note shown in it, and every such request
    // looks through all the events posted so far.
    void EmpezarCarga();
    void TerminarCarga();
    // The board's widgets from the bottom up, each layer replaced by its notes.
    QList<QWidget*> Pila() const;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // The board's child widgets from the bottom up, windows left out.
    QList<QWidget*> Hijos() const;
    // Its topmost and its bottom one, or null; the topmost leaves out the widgets kept above
    // the notes and gives the lowest of those that lie above it.
    QWidget* HijoDeArriba(QWidget** encima = nullptr) const;
    QWidget* HijoDeAbajo() const;
    QWidget* NuevaCapa();

    QWidget* FTablero;
    QList<QWidget*> FEncima;
    bool FCargando = false;
};
