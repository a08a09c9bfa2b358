#pragma once
// The board's settings, one member per stored value, holding the first-run defaults.
#include <QString>

struct Configuracion {
    bool ActualizarPuertoAlEnviarNota = false;
    bool HabilitarNumMaxNotas = false;
    int NumMaxNotas = 5;
    int NumMinSegundos = 60;
    bool RetiroPermanente = true;
    bool RetiroTemporal = false;
    int RetiroTemporalMinutos = 5;
    bool LogWithNotaText = false;
    bool LogWithSenderName = true;
    QString LogFilename;
    bool CrearArchivoLog = false;
    bool ConfirmarBorrarNota = true;
    bool ServerActivo = false;
    int ServerPort = 2222;
    bool AvisoNotaRecibida = false;
    QString AvisoNotaRecibidaWAV;
    bool AvisoNotaCaducada = false;
    QString AvisoNotaCaducadaWAV;
    bool ExecOnWindowsLoad = false;
    int TipoPinaco = 1;
    bool NotasCanOverlapPinaco = true;
    bool AlwaysOnTop = false;
    bool MinimizeToTray = true;
    bool IconInTray = false;

    bool operator==(const Configuracion&) const = default;
};

// The window state stored beside the settings.
struct EstadoVentana {
    int LastTop = 0;
    int LastLeft = 0;
    int LastHeight = 0;
    int LastWidth = 0;
    bool PosicionLeida = false;   // all four bounds were there and numbers
    bool PosicionConocida = true; // the platform tells where the board lies
    bool NotaReceived = false;
    bool IsMaximized = false;
};
