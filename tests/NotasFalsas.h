#pragma once
// The board's notes as records for the dialog tests: listed topmost first, each with its id,
// and what the dialogs asked the board to do with them.
#include "core/RegistroNota.h"

#include <QDate>
#include <utility>

struct NotasFalsas {
    QList<RegistroNota> Lista;
    QList<qint64> Borradas;
    QList<qint64> Subidas;
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
    void Quitar(qint64 id) {
        Lista.removeIf([id](const RegistroNota& nota) { return nota.Id == id; });
    }
    QList<qint64> Ids() const {
        QList<qint64> ids;
        for (const RegistroNota& nota : Lista)
            ids.append(nota.Id);
        return ids;
    }

    LeerRegistros Leer() {
        return [this] { return Lista; };
    }
    AccionNota Borrar() {
        return [this](qint64 id) {
            Borradas.append(id);
            Quitar(id);
        };
    }
    AccionNota Subir() {
        return [this](qint64 id) { Subidas.append(id); };
    }
};
