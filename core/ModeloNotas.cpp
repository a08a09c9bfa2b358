#include "core/ModeloNotas.h"

#include <QSet>

namespace {

QRect GeometriaDe(const DatosNota& d) {
    return {d.Left, d.Top, d.Width, d.Height};
}

} // namespace

ModeloNotas::~ModeloNotas() {
    qDeleteAll(FOrden);
}

QList<IdNota> ModeloNotas::Orden() const {
    QList<IdNota> ids;
    ids.reserve(FOrden.size());
    for (const Nodo* nodo : FOrden)
        ids.append(nodo->Id);
    return ids;
}

const DatosNota& ModeloNotas::Datos(IdNota id) const {
    static const DatosNota kVacia;
    const Nodo* nodo = NodoDe(id);
    return nodo ? nodo->Datos : kVacia;
}

QRect ModeloNotas::Geometria(IdNota id) const {
    return GeometriaDe(Datos(id));
}

QList<DatosNota> ModeloNotas::DatosEnOrden() const {
    QList<DatosNota> datos;
    datos.reserve(FOrden.size());
    for (const Nodo* nodo : FOrden)
        datos.append(nodo->Datos);
    return datos;
}

QList<RegistroNota> ModeloNotas::Registros() const {
    QList<RegistroNota> registros;
    registros.reserve(FOrden.size());
    for (const Nodo* nodo : FOrden)
        registros.append({nodo->Id, nodo->Datos});
    return registros;
}

QList<QRect> ModeloNotas::Geometrias(qsizetype desde) const {
    QList<QRect> r;
    r.reserve(qMax<qsizetype>(FOrden.size() - desde, 0));
    for (qsizetype i = desde; i < FOrden.size(); ++i)
        r.append(GeometriaDe(FOrden[i]->Datos));
    return r;
}

void ModeloNotas::Recorrer(const VisitaNota& visita) const {
    for (const Nodo* nodo : FOrden)
        visita(nodo->Id, nodo->Datos);
}

void ModeloNotas::Reservar(qsizetype cuantas) {
    FOrden.reserve(FOrden.size() + cuantas);
    FPorId.reserve(FPorId.size() + cuantas);
}

IdNota ModeloNotas::Agregar(const DatosNota& datos) {
    auto* nodo = new Nodo{FPorId.size() + 1, datos};
    FPorId.append(nodo);
    FOrden.append(nodo);
    emit Agregada(nodo->Id);
    return nodo->Id;
}

bool ModeloNotas::Cambiar(IdNota id, const DatosNota& datos) {
    Nodo* nodo = NodoDe(id);
    if (!nodo)
        return false;
    if (nodo->Datos != datos) {
        nodo->Datos = datos;
        emit Cambiada(id);
    }
    return true;
}

bool ModeloNotas::CambiarGeometria(IdNota id, const QRect& geometria) {
    return Modificar(id, [&](DatosNota& d) {
        d.Left = geometria.left();
        d.Top = geometria.top();
        d.Width = geometria.width();
        d.Height = geometria.height();
    });
}

bool ModeloNotas::AlFrente(IdNota id) {
    const qsizetype i = Indice(id);
    if (i < 0)
        return false;
    if (i > 0) {
        FOrden.move(i, 0);
        emit OrdenCambiado();
    }
    return true;
}

void ModeloNotas::PrimeroAlFondo() {
    if (FOrden.size() < 2)
        return;
    FOrden.move(0, FOrden.size() - 1);
    emit OrdenCambiado();
}

std::optional<DatosNota> ModeloNotas::Quitar(IdNota id) {
    Nodo* nodo = NodoDe(id);
    if (!nodo)
        return std::nullopt;
    FPorId[id - 1] = nullptr;
    FOrden.removeOne(nodo);
    DatosNota datos = std::move(nodo->Datos);
    delete nodo;
    emit Quitada(id);
    return datos;
}

void ModeloNotas::QuitarTodas() {
    // Each one signalled, head first, so the views go with their records.
    while (!FOrden.isEmpty())
        Quitar(FOrden.first()->Id);
}

bool ModeloNotas::Reordenar(const QList<IdNota>& orden) {
    if (orden.size() != FOrden.size())
        return false;
    QList<Nodo*> nodos;
    nodos.reserve(orden.size());
    QSet<IdNota> vistos;
    vistos.reserve(orden.size());
    for (IdNota id : orden) {
        Nodo* nodo = NodoDe(id);
        if (!nodo || vistos.contains(id))
            return false;
        vistos.insert(id);
        nodos.append(nodo);
    }
    if (nodos == FOrden)
        return true;
    FOrden = nodos;
    emit OrdenCambiado();
    return true;
}
