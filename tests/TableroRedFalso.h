#pragma once
// A board for the note server that only records what the server asked of it.
#include "net/ReglasServidor.h"
#include "net/SesionNota.h"
#include "net/TableroRed.h"
#include "storage/ListaIP.h"

struct TableroQueAnota : TableroRed {
    ListaIP libreta;
    Configuracion ajustes;
    ArchivosPropios propios;
    QList<DatosNota> creadas;
    int empezadas = 0;
    int avisos = 0;

    // What the board hands its server when its settings are applied.
    ReglasServidor Reglas() const { return ReglasDeAjustes(ajustes, propios); }
    void NotaEmpezada() override { ++empezadas; }
    DatosNota ColocarNotaRecibida(const DatosNota& nota) override {
        creadas.append(nota);
        return nota;
    }
    void NotaEntregada() override { ++avisos; }
};
