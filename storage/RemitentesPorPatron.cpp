#include "storage/RemitentesPorPatron.h"

const nodoListaIP* RemitentesPorPatron::Buscar(const QString& ip) const {
    const auto it = registros_.constFind(ip);
    return it == registros_.cend() ? nullptr : &*it;
}

nodoListaIP& RemitentesPorPatron::Registro(const QString& ip) {
    if (const auto it = registros_.find(ip); it != registros_.end())
        return *it;
    if (registros_.size() >= kMaximo)
        registros_.removeIf([](const auto& par) { return par.value().Permitido; });
    nodoListaIP& nuevo = registros_[ip];
    nuevo.IP = ip;
    nuevo.Permitido = true;
    return nuevo;
}

bool RemitentesPorPatron::Retirado(const QString& ip) const {
    const nodoListaIP* registro = Buscar(ip);
    return registro && !registro->Permitido;
}

void RemitentesPorPatron::Quitar(const QString& ip) {
    registros_.remove(ip);
}
