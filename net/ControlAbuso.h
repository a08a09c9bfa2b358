#pragma once
// Flood control: a sender that delivers more than NumMaxNotas notes within NumMinSegundos
// loses its permission, for good or for some minutes; the restoration gives temporary
// withdrawals back once the minutes have passed.
#include "core/MarcasTiempo.h"
#include "net/LineasLog.h"
#include "storage/ListaIP.h"

#include <QList>
#include <optional>

struct ReglasAbuso {
    bool HabilitarNumMaxNotas = false;
    int NumMaxNotas = 5;
    int NumMinSegundos = 60;
    ModoRetiro Modo;
};

struct ResultadoRestitucion {
    QList<CambioPermiso> Restituidos;
    bool Pendiente = false; // some entry was waiting this tick: the timer keeps running
};

class ControlAbuso {
public:
    ControlAbuso(ListaIP& lista, Reloj reloj);

    // After every created note. Every sender is counted by its own address: in its own entry
    // when that admits it, else in a record of its own beside the pattern that does. The
    // withdrawal, when this note passed the limit; the moment is recorded in the entry in
    // both modes (a permanent one keeps its date only, so the restoration never takes it).
    // propia: the sender's own entry, as looked up for the message (null: it has none).
    std::optional<CambioPermiso> ControlarAbuso(const QString& ip, nodoListaIP* propia,
                                                const ReglasAbuso& reglas);

    // One tick of the restoration timer.
    ResultadoRestitucion RestituirTemporales(int retiroTemporalMinutos);

private:
    ListaIP& FLista;
    Reloj FReloj;
};
