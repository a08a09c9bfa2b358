#pragma once
// The board's notes as records for the dialog tests: listed topmost first, each with its id,
// and what the dialogs asked the board to do with them.
#include "core/RegistroNota.h"

#include <QDate>
#include <utility>

// A note created and due on these days.
inline DatosNota NotaConFechas(const QString& texto, QDate creada, QDate limite) {
    DatosNota nota;
    nota.Texto = texto;
    nota.DayCreated = quint8(creada.day());
    nota.MonthCreated = quint8(creada.month());
    nota.YearCreated = creada.year();
    nota.DayExpires = quint8(limite.day());
    nota.MonthExpires = quint8(limite.month());
    nota.YearExpires = limite.year();
    return nota;
}

struct NotasFalsas {
    QList<RegistroNota> Lista;
    QList<IdNota> Borradas;
    QList<IdNota> Subidas;
    qint64 ProximoId = 100;

    // Ids that are not indices, so that a dialog mixing the two fails.
    qint64 Agregar(const QString& texto, QDate creada, QDate limite,
                   TColorChincheta chincheta = TColorChincheta::Rojo) {
        RegistroNota nota{std::exchange(ProximoId, ProximoId + 7),
                          NotaConFechas(texto, creada, limite)};
        nota.Datos.ColorChincheta = chincheta;
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
