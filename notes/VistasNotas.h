#pragma once
// The note widgets of a board, one for each record of its model: made when the record is
// added, shown again whenever it changes, gone with it.
#include "core/ModeloNotas.h"

#include <QHash>
#include <QObject>
#include <functional>

class TNota;

class VistasNotas : public QObject {
public:
    // The widget for a record just added, hidden, in its place among the board's widgets.
    using CrearVista = std::function<TNota*(IdNota id)>;

    VistasNotas(ModeloNotas& modelo, CrearVista crear, QObject* parent = nullptr);

    // Null for a record that has none, or is no longer in the model.
    TNota* Vista(IdNota id) const { return FVistas.value(id); }
    // Every widget destroyed at once, as the board closes.
    void Liberar();

private:
    void Agregada(IdNota id);
    void Quitada(IdNota id);

    CrearVista FCrear;
    QHash<IdNota, TNota*> FVistas;
};
