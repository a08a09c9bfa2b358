#include "app/IdsNotas.h"

#include "notes/Nota.h"

QList<RegistroNota> IdsNotas::Registros(const ListaNotas& notas) {
    QList<RegistroNota> registros;
    registros.reserve(notas.Cuenta());
    for (TNota* nota : notas) {
        auto it = FIds.find(nota);
        if (it == FIds.end() || FNotas[*it] != nota) {
            it = FIds.insert(nota, FNotas.size());
            FNotas.append(nota);
        }
        registros.append({*it, nota->Datos()});
    }
    return registros;
}

TNota* IdsNotas::Nota(IdNota id) const {
    return id >= 0 && id < FNotas.size() ? FNotas[id].data() : nullptr;
}
