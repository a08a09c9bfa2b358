#pragma once
// Flood-control records of senders that no permitted entry of their own admits, only a
// pattern or the wildcard: each is counted and withdrawn by its own address, and the
// pattern that admits it stays as it is.
#include "storage/NodoListaIP.h"

#include <QHash>
#include <QString>

class RemitentesPorPatron {
public:
    // Records that only count arrivals are given up beyond this many, so that a flood from
    // many addresses cannot grow the table without end; withdrawals are always kept.
    static constexpr qsizetype kMaximo = 4096;

    const nodoListaIP* Buscar(const QString& ip) const;
    // The record of that address, made (permitted, nothing counted) when missing.
    nodoListaIP& Registro(const QString& ip);
    // Withdrawn by flood control and not yet given back.
    bool Retirado(const QString& ip) const;
    void Quitar(const QString& ip);
    qsizetype Cuenta() const { return FRegistros.size(); }

    template <typename F> void ParaCada(F&& f) {
        for (auto it = FRegistros.begin(); it != FRegistros.end(); ++it)
            f(*it);
    }
    template <typename F> void ParaCada(F&& f) const {
        for (auto it = FRegistros.cbegin(); it != FRegistros.cend(); ++it)
            f(*it);
    }

private:
    QHash<QString, nodoListaIP> FRegistros;
};
