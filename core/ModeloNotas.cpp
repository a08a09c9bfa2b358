#include "core/ModeloNotas.h"

#include <QSet>

const DatosNota& ModeloNotas::Datos(IdNota id) const {
    static const DatosNota kVacia;
    const auto it = FDatos.constFind(id);
    return it == FDatos.cend() ? kVacia : *it;
}

IdNota ModeloNotas::Agregar(const DatosNota& datos) {
    const IdNota id = FSiguienteId++;
    FDatos.insert(id, datos);
    FOrden.append(id);
    emit Agregada(id);
    return id;
}

bool ModeloNotas::Cambiar(IdNota id, const DatosNota& datos) {
    const auto it = FDatos.find(id);
    if (it == FDatos.end())
        return false;
    if (*it != datos) {
        *it = datos;
        emit Cambiada(id);
    }
    return true;
}

bool ModeloNotas::CambiarGeometria(IdNota id, const QRect& geometria) {
    if (!Contiene(id))
        return false;
    DatosNota datos = Datos(id);
    datos.Left = geometria.left();
    datos.Top = geometria.top();
    datos.Width = geometria.width();
    datos.Height = geometria.height();
    return Cambiar(id, datos);
}

bool ModeloNotas::AlFrente(IdNota id) {
    const qsizetype i = FOrden.indexOf(id);
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
    const auto it = FDatos.find(id);
    if (it == FDatos.end())
        return std::nullopt;
    DatosNota datos = std::move(*it);
    FDatos.erase(it);
    FOrden.removeOne(id);
    emit Quitada(id);
    return datos;
}

void ModeloNotas::QuitarTodas() {
    // Each one signalled, head first, so the views go with their records.
    while (!FOrden.isEmpty())
        Quitar(FOrden.first());
}

bool ModeloNotas::Reordenar(const QList<IdNota>& orden) {
    if (orden.size() != FOrden.size())
        return false;
    QSet<IdNota> vistos;
    vistos.reserve(orden.size());
    for (IdNota id : orden) {
        if (!Contiene(id) || vistos.contains(id))
            return false;
        vistos.insert(id);
    }
    if (orden == FOrden)
        return true;
    FOrden = orden;
    emit OrdenCambiado();
    return true;
}
