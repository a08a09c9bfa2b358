#include "core/ListaNotas.h"

bool ListaNotas::AlFrente(TNota* nota) {
    const qsizetype i = FNotas.indexOf(nota);
    if (i < 0)
        return false;
    if (i > 0)
        FNotas.move(i, 0);
    return true;
}

void ListaNotas::PrimeroAlFondo() {
    if (FNotas.size() > 1)
        FNotas.move(0, FNotas.size() - 1);
}

TNota* ListaNotas::QuitarPrimero() {
    return FNotas.isEmpty() ? nullptr : FNotas.takeFirst();
}

QList<TNota*> ListaNotas::QuitarTodas() {
    QList<TNota*> todas;
    todas.swap(FNotas);
    return todas;
}
