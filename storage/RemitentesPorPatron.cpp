#include "storage/RemitentesPorPatron.h"

const nodoListaIP* RemitentesPorPatron::Buscar(const QString& ip) const {
    const auto it = FRegistros.constFind(ip);
    return it == FRegistros.cend() ? nullptr : &*it;
}

nodoListaIP& RemitentesPorPatron::Registro(const QString& ip) {
    if (const auto it = FRegistros.find(ip); it != FRegistros.end())
        return *it;
    if (FRegistros.size() >= kMaximo)
        FRegistros.removeIf([](const auto& par) { return par.value().Permitido; });
    nodoListaIP& nuevo = FRegistros[ip];
    nuevo.IP = ip;
    nuevo.Permitido = true;
    return nuevo;
}

bool RemitentesPorPatron::Retirado(const QString& ip) const {
    const nodoListaIP* registro = Buscar(ip);
    return registro && !registro->Permitido;
}

void RemitentesPorPatron::Quitar(const QString& ip) {
    FRegistros.remove(ip);
}
