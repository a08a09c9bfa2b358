#pragma once
// The board's notes from the topmost (the current note) to the bottom one.
#include <QList>

class TNota;

class ListaNotas {
public:
    bool Vacia() const { return FNotas.isEmpty(); }
    qsizetype Cuenta() const { return FNotas.size(); }
    TNota* Primero() const { return FNotas.isEmpty() ? nullptr : FNotas.first(); }
    TNota* Ultimo() const { return FNotas.isEmpty() ? nullptr : FNotas.last(); }
    TNota* En(qsizetype i) const { return FNotas.at(i); }
    qsizetype Indice(const TNota* nota) const { return FNotas.indexOf(nota); }
    bool Contiene(const TNota* nota) const { return FNotas.contains(nota); }

    void Agregar(TNota* nota) { FNotas.append(nota); }
    // Moves the note to the head; false when it is not in the list.
    bool AlFrente(TNota* nota);
    // Moves the head to the tail.
    void PrimeroAlFondo();
    // Unlinks the head and returns it; the caller destroys the note.
    TNota* QuitarPrimero();
    // Unlinks the note; false when it is not in the list.
    bool Quitar(TNota* nota) { return FNotas.removeOne(nota); }
    // Takes every note out, head first; the caller destroys them.
    QList<TNota*> QuitarTodas();
    // Replaces the order, for the organizer; the notes must be the same ones.
    void Reordenar(const QList<TNota*>& orden) { FNotas = orden; }

    QList<TNota*>::const_iterator begin() const { return FNotas.cbegin(); }
    QList<TNota*>::const_iterator end() const { return FNotas.cend(); }

private:
    QList<TNota*> FNotas;
};
