#pragma once
// A board for the note server that only records what the server asked of it.
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

    ListaIP& Libreta() override { return libreta; }
    const Configuracion& Ajustes() const override { return ajustes; }
    ArchivosPropios ArchivosDelTablero() override { return propios; }
    void NotaEmpezada() override { ++empezadas; }
    DatosNota CrearNotaRecibida(const DatosNota& pendiente, const QString& ip,
                                const QString& nombre, const QDateTime& ahora) override {
        DatosNota nota;
        RellenarNotaRecibida(nota, pendiente, ahora, ip, nombre);
        creadas.append(nota);
        return nota;
    }
    void SonidoNotaRecibida() override {}
    void AvisoBandeja() override { ++avisos; }
};
