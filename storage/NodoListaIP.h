#pragma once
// One entry of the address book, with the flood-control data the note server keeps in it.
#include <QList>
#include <QString>

struct nodoListaNotaRecibida {
    QString Fecha; // "dd-mm-yyyy"
    QString Hora;  // "hh:mm:ss"
};

struct nodoListaIP {
    QString IP; // dotted address, or a pattern whose whole segments may be "*"
    QString Nombre;
    qint32 Puerto = 0;
    // A withdrawal by flood control: its day, and its time when it is temporary. Kept beside
    // the address book, never in its file.
    QString FechaRetiro;
    QString HoraRetiro;
    QList<nodoListaNotaRecibida> NotasRecibidas; // oldest first
    bool Permitido = false;
};
