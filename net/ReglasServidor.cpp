#include "net/ReglasServidor.h"

ReglasServidor ReglasDeAjustes(const Configuracion& c, const ArchivosPropios& propios) {
    return {{c.HabilitarNumMaxNotas,
             c.NumMaxNotas,
             c.NumMinSegundos,
             {c.RetiroPermanente, c.RetiroTemporal, c.RetiroTemporalMinutos}},
            c.CrearArchivoLog,
            c.LogFilename,
            {c.LogWithSenderName, c.LogWithNotaText},
            propios};
}
