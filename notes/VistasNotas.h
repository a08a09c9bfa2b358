#pragma once
// The note widgets of a board, one for each record of its model: made when the record is
// added, shown again whenever it changes, gone with it.
#include "core/ModeloNotas.h"

#include <QList>
#include <QObject>
#include <functional>

class TNota;

class VistasNotas : public QObject {
public:
    // The widget for a record just added, hidden, in its place among the board's widgets.
    using CrearVista = std::function<TNota*(IdNota id)>;

    VistasNotas(ModeloNotas& modelo, CrearVista crear, QObject* parent = nullptr);

    // Null for a record that has none, or is no longer in the model.
    TNota* Vista(IdNota id) const {
        return id >= 1 && id <= FVistas.size() ? FVistas[id - 1] : nullptr;
    }
    // Every widget destroyed at once, as the board closes.
    void Liberar();

private:
    void Agregada(IdNota id);
    void Quitada(IdNota id);

    CrearVista FCrear;
    // By id, as the model hands them out in turn from 1; null once a record is gone.
    QList<TNota*> FVistas;
};
