#include "notes/VistasNotas.h"

#include "notes/Nota.h"

VistasNotas::VistasNotas(ModeloNotas& modelo, CrearVista crear, QObject* parent)
    : QObject(parent), FCrear(std::move(crear)) {
    connect(&modelo, &ModeloNotas::Agregada, this, &VistasNotas::Agregada);
    connect(&modelo, &ModeloNotas::Cambiada, this, [this](IdNota id) {
        if (TNota* vista = Vista(id))
            vista->Mostrar();
    });
    connect(&modelo, &ModeloNotas::Quitada, this, &VistasNotas::Quitada);
}

void VistasNotas::Agregada(IdNota id) {
    TNota* vista = FCrear(id);
    if (id > FVistas.size())
        FVistas.resize(id);
    FVistas[id - 1] = vista;
    vista->Mostrar();
}

void VistasNotas::Quitada(IdNota id) {
    TNota* vista = Vista(id);
    if (!vista)
        return;
    FVistas[id - 1] = nullptr;
    // Deferred: the note may be inside one of its own event handlers.
    vista->Soltar();
    vista->deleteLater();
}

void VistasNotas::Liberar() {
    qDeleteAll(FVistas);
    FVistas.clear();
}
