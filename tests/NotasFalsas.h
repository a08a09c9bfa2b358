#pragma once
// The board's notes as records for the dialog tests: listed topmost first, each with its id,
// and what the dialogs asked the board to do with them.
#include "core/RegistroNota.h"

#include <QDate>
#include <utility>

struct NotasFalsas {
    QList<RegistroNota> Lista;
    QList<IdNota> Borradas;
    QList<IdNota> Subidas;
    qint64 ProximoId = 100;

    // Ids that are not indices, so that a dialog mixing the two fails.
    qint64 Agregar(const QString& texto, QDate creada, QDate limite,
                   TColorChincheta chincheta = TColorChincheta::Rojo) {
        RegistroNota nota{std::exchange(ProximoId, ProximoId + 7), {}};
        nota.Datos.ColorChincheta = chincheta;
        nota.Datos.Texto = texto;
        nota.Datos.DayCreated = quint8(creada.day());
        nota.Datos.MonthCreated = quint8(creada.month());
        nota.Datos.YearCreated = creada.year();
        nota.Datos.DayExpires = quint8(limite.day());
        nota.Datos.MonthExpires = quint8(limite.month());
        nota.Datos.YearExpires = limite.year();
        Lista.append(nota);
        return nota.Id;
    }
    // Taken off the board by some other path.
    void Quitar(IdNota id) {
        Lista.removeIf([id](const RegistroNota& nota) { return nota.Id == id; });
    }
    QList<IdNota> Ids() const {
        QList<IdNota> ids;
        for (const RegistroNota& nota : Lista)
            ids.append(nota.Id);
        return ids;
    }

    LeerRegistros Leer() {
        return [this] { return Lista; };
    }
    AccionNota Borrar() {
        return [this](IdNota id) {
            Borradas.append(id);
            Quitar(id);
        };
    }
    AccionNota Subir() {
        return [this](IdNota id) { Subidas.append(id); };
    }
};
