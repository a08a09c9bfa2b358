#include "storage/ListaIP.h"

#include <algorithm>

bool ListaIP::ExisteIP(const QString& ip) const {
    return BuscarIP(ip) != nullptr;
}

nodoListaIP* ListaIP::BuscarIP(const QString& ip) {
    return const_cast<nodoListaIP*>(std::as_const(*this).BuscarIP(ip));
}

const nodoListaIP* ListaIP::BuscarIP(const QString& ip) const {
    const auto it = std::find_if(FEntradas.begin(), FEntradas.end(),
                                 [&](const nodoListaIP& nodo) { return nodo.IP == ip; });
    return it == FEntradas.end() ? nullptr : &*it;
}

bool ListaIP::PermisoExactoIP(const QString& ip) const {
    const nodoListaIP* nodo = BuscarIP(ip);
    return nodo && nodo->Permitido;
}

QString ListaIP::NombreDeIP(const QString& ip) const {
    const nodoListaIP* nodo = BuscarIP(ip);
    return nodo ? nodo->Nombre : QString();
}

qint32 ListaIP::PuertoDeIP(const QString& ip) const {
    const nodoListaIP* nodo = BuscarIP(ip);
    return nodo ? nodo->Puerto : 0;
}

bool ListaIP::IPCoincideConPatron(QStringView ip, QStringView patron) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < ip.size()) {
        if (j < patron.size() && patron[j] == u'*') {
            ++j;
            while (i < ip.size() && ip[i] != u'.')
                ++i;
            continue;
        }
        while (i < ip.size() && j < patron.size() && ip[i] == patron[j] && ip[i] != u'.') {
            ++i;
            ++j;
        }
        const bool ipAcabada = i >= ip.size();
        const bool patronAcabado = j >= patron.size();
        if (ipAcabada != patronAcabado)
            return false;
        if (!ipAcabada && !(ip[i] == u'.' && patron[j] == u'.'))
            return false;
        ++i;
        ++j;
    }
    return true;
}

bool ListaIP::IPPermitida(const QString& ip) const {
    return IPPermitida(ip, BuscarIP(ip));
}

bool ListaIP::IPPermitida(const QString& ip, const nodoListaIP* propia) const {
    if (propia && propia->Permitido)
        return true;
    if ((propia && RetiradoPorAbuso(*propia)) || FPorPatron.Retirado(ip))
        return false;
    return std::any_of(FEntradas.begin(), FEntradas.end(), [&](const nodoListaIP& nodo) {
        return nodo.Permitido && IPCoincideConPatron(ip, nodo.IP);
    });
}

const nodoListaIP* ListaIP::RegistroAbuso(const QString& ip) const {
    return RegistroAbuso(ip, BuscarIP(ip));
}

const nodoListaIP* ListaIP::RegistroAbuso(const QString& ip, const nodoListaIP* propia) const {
    if (propia && (propia->Permitido || RetiradoPorAbuso(*propia)))
        return propia;
    return FPorPatron.Buscar(ip);
}

void ListaIP::CambiarPermisoIP(const QString& ip) {
    if (nodoListaIP* nodo = BuscarIP(ip))
        nodo->Permitido = !nodo->Permitido;
}

void ListaIP::AddIP(const QString& ip, const QString& nombre, bool permitido, qint32 puerto) {
    nodoListaIP nodo;
    nodo.IP = ip;
    nodo.Nombre = nombre;
    nodo.Puerto = puerto;
    nodo.Permitido = permitido;
    FEntradas.push_back(std::move(nodo));
}

void ListaIP::BorrarIP(const QString& ip) {
    const auto it = std::find_if(FEntradas.begin(), FEntradas.end(),
                                 [&](const nodoListaIP& nodo) { return nodo.IP == ip; });
    if (it != FEntradas.end())
        FEntradas.erase(it);
}

void ListaIP::AsegurarComodin() {
    if (!ExisteIP(kIPComodin))
        AddIP(kIPComodin, kNombreComodin, false, kPuertoComodin);
}
