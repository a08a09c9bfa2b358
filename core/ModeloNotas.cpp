#include "core/ModeloNotas.h"

#include <QSet>

const DatosNota& ModeloNotas::Datos(IdNota id) const {
    static const DatosNota kVacia;
    const auto it = FDatos.constFind(id);
    return it == FDatos.cend() ? kVacia : *it;
}

QRect ModeloNotas::Geometria(IdNota id) const {
    const DatosNota& d = Datos(id);
    return {d.Left, d.Top, d.Width, d.Height};
}

QList<DatosNota> ModeloNotas::DatosEnOrden() const {
    QList<DatosNota> datos;
    datos.reserve(FOrden.size());
    for (IdNota id : FOrden)
        datos.append(FDatos.value(id));
    return datos;
}

QList<RegistroNota> ModeloNotas::Registros() const {
    QList<RegistroNota> registros;
    registros.reserve(FOrden.size());
    for (IdNota id : FOrden)
        registros.append({id, FDatos.value(id)});
    return registros;
}

QList<QRect> ModeloNotas::Geometrias(qsizetype desde) const {
    QList<QRect> r;
    r.reserve(qMax<qsizetype>(FOrden.size() - desde, 0));
    for (qsizetype i = desde; i < FOrden.size(); ++i)
        r.append(Geometria(FOrden[i]));
    return r;
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
    return Modificar(id, [&](DatosNota& d) {
        d.Left = geometria.left();
        d.Top = geometria.top();
        d.Width = geometria.width();
        d.Height = geometria.height();
    });
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
