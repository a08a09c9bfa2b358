#pragma once
// What the note server takes from the board's settings. The board hands it over whenever the
// settings are applied, so a note on its way never reads them.
#include "core/Configuracion.h"
#include "net/ControlAbuso.h"
#include "net/EscritorLog.h"
#include "net/LineasLog.h"

struct ReglasServidor {
    ReglasAbuso Abuso; // flood control and the withdrawal mode
    bool CrearArchivoLog = false;
    QString LogFilename;
    OpcionesLog Log;
    ArchivosPropios Propios; // the files the log never writes into
};

ReglasServidor ReglasDeAjustes(const Configuracion& ajustes, const ArchivosPropios& propios);
