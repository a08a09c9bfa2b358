#include "core/ValoresConfiguracion.h"

#include "core/Configuracion.h"
#include "core/UnitComunes.h"

int NumeroDeCampo(const QString& texto, int porDefecto) {
    if (!EsNumero(texto))
        return porDefecto;
    return EnteroDeTexto(texto.toLatin1()).value_or(porDefecto);
}

int PuertoServidorDeCampo(const QString& texto) {
    const int puertoPorDefecto = Configuracion{}.ServerPort;
    // Ports up to 1024 belong to the system's own services.
    const int puerto = NumeroDeCampo(texto, puertoPorDefecto);
    return puerto >= 1025 && puerto <= 9999 ? puerto : puertoPorDefecto;
}

QString NombreLogDeCampo(const QString& texto, bool crearLog, const QString& porDefecto) {
    return texto.isEmpty() && crearLog ? porDefecto : texto;
}
