#pragma once
// The board's notes as records, from the topmost (the current note) to the bottom one. The
// board shows them; whatever changes them goes through here, and every change is signalled,
// so the views and the autosave follow it without asking.
#include "core/RegistroNota.h"

#include <QList>
#include <QObject>
#include <QRect>
#include <optional>

class ModeloNotas : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~ModeloNotas() override;

    bool Vacio() const { return FOrden.isEmpty(); }
    qsizetype Cuenta() const { return FOrden.size(); }
    IdNota Primero() const { return FOrden.isEmpty() ? kSinNota : FOrden.first()->Id; }
    IdNota Ultimo() const { return FOrden.isEmpty() ? kSinNota : FOrden.last()->Id; }
    IdNota En(qsizetype i) const { return FOrden.at(i)->Id; }
    const DatosNota& DatosEn(qsizetype i) const { return FOrden.at(i)->Datos; }
    qsizetype Indice(IdNota id) const { return FOrden.indexOf(NodoDe(id)); }
    bool Contiene(IdNota id) const { return NodoDe(id) != nullptr; }
    QList<IdNota> Orden() const;
    // The record of a note in the model; an empty one for an id that is not.
    const DatosNota& Datos(IdNota id) const;
    QRect Geometria(IdNota id) const;
    // Topmost first: the records as the notes file lists them, with their ids for the
    // dialogs, and the places of the notes from the given one down.
    QList<DatosNota> DatosEnOrden() const;
    QList<RegistroNota> Registros() const;
    QList<QRect> Geometrias(qsizetype desde = 0) const;
    void Recorrer(const VisitaNota& visita) const;

    // Room for that many notes, before a file of them is read.
    void Reservar(qsizetype cuantas);
    // At the tail, as the notes file lists them from the top.
    IdNota Agregar(const DatosNota& datos);
    // False when the note is not in the model; nothing is signalled when nothing changes.
    bool Cambiar(IdNota id, const DatosNota& datos);
    // The record as cambio leaves it; signalled only when that differs.
    template <typename Cambio> bool Modificar(IdNota id, Cambio&& cambio) {
        if (!Contiene(id))
            return false;
        DatosNota datos = Datos(id);
        cambio(datos);
        return Cambiar(id, datos);
    }
    // A drag or a resize, once it ends.
    bool CambiarGeometria(IdNota id, const QRect& geometria);
    bool AlFrente(IdNota id);
    void PrimeroAlFondo();
    // The record taken out, or none when the note is not in the model.
    std::optional<DatosNota> Quitar(IdNota id);
    void QuitarTodas();
    // A new order of the same notes, for the organizer; anything else is refused.
    bool Reordenar(const QList<IdNota>& orden);

signals:
    void Agregada(IdNota id);
    void Cambiada(IdNota id);
    void Quitada(IdNota id);
    void OrdenCambiado();

private:
    // Each record lives in a node of its own: the order is a list of pointers, so walking
    // the notes in order looks nothing up and restacking one moves only pointers.
    struct Nodo {
        IdNota Id;
        DatosNota Datos;
    };
    Nodo* NodoDe(IdNota id) const {
        return id >= 1 && id <= FPorId.size() ? FPorId[id - 1] : nullptr;
    }

    QList<Nodo*> FOrden;
    // Ids are handed out in turn from 1, so an id's node is found by its number: eight bytes
    // for every note of the run, kept once it goes (null), and no hashing.
    QList<Nodo*> FPorId;
};
