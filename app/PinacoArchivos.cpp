// The board's two data files: loaded once at start-up, written by the autosave and at the end.
#include "app/CapasNotas.h"
#include "app/Pinaco.h"
#include "notes/Mensaje.h"
#include "notes/Nota.h"
#include "storage/ArchivoNotas.h"

#include <QCoreApplication>

void TPinaco::ErrorCritico(const QString& primeraLinea, const QString& ruta) {
    MostrarMensaje(this, QStringLiteral("Error chungo"),
                   primeraLinea + QStringLiteral("\rSe finalizará la ejecución del programa.\r\r"
                                                 "(Fichero: %1)")
                                      .arg(ruta),
                   IconoMensaje::Error);
}

bool TPinaco::CargarNotas() {
    const ResultadoCargaNotas carga = CargarArchivoNotas(FRutaNotas);
    if (carga.Error != ErrorArchivo::Ninguno) {
        ErrorCritico(QStringLiteral("Error crítico en la Base de Datos de Notas."), FRutaNotas);
        return false;
    }
    FCapas->EmpezarCarga();
    for (DatosNota datos : carga.Notas) {
        // The first record ends on top, the last at the bottom, as in the list.
        TNota* nota = NuevaNota(true, true);
        if (carga.Version == VersionArchivoNotas::Primera) {
            // The first layout has no font: the note keeps a new note's.
            datos.FontStyle = nota->FontStyle();
            datos.FontName = nota->FontName();
            datos.FontSize = nota->FontSize();
            datos.FontColor = nota->FontColor();
        }
        nota->AsignarDatos(datos);
    }
    FCapas->TerminarCarga();
    ActualizarSombras();

    // The address book is read before a conversion writes both files, so it is kept.
    if (FListaIP.CargarListaIP(FRutaListaIP) != ErrorArchivo::Ninguno) {
        ErrorCritico(QStringLiteral("Error crítico en la Base de Datos de IPs."), FRutaListaIP);
        return false;
    }
    if (carga.HayQueConvertir())
        GuardarNotas();
    return true;
}

bool TPinaco::GuardarNotas() {
    FContadorGuardado = 0;
    TimerGuardarNotas.stop();
    QList<DatosNota> notas;
    notas.reserve(FListaNotas.Cuenta());
    for (const TNota* nota : FListaNotas)
        notas.append(nota->Datos());
    const bool guardadas = GuardarArchivoNotas(FRutaNotas, notas) == ErrorArchivo::Ninguno;
    if (!guardadas)
        AvisarFalloGuardado(FRutaNotas);
    const bool direcciones = GuardarListaIP();
    emit NotasGuardadas();
    return guardadas && direcciones;
}

bool TPinaco::GuardarListaIP() {
    if (FListaIP.GuardarListaIP(FRutaListaIP) == ErrorArchivo::Ninguno)
        return true;
    AvisarFalloGuardado(FRutaListaIP);
    return false;
}

void TPinaco::AvisarFalloGuardado(const QString& ruta) {
    qWarning("pinaco: no se pudo guardar %s", qPrintable(ruta));
    if (FCerrando)
        return; // no box may hold up the end of a session
    // The changes stay in memory and the countdown starts again, so nothing is lost.
    MarcarNotasCambiadas();
    MostrarMensaje(this, QStringLiteral("Error al guardar"),
                   QStringLiteral("No se pudo guardar el fichero:\r%1\r\r"
                                  "Se volverá a intentar dentro de unos minutos.")
                       .arg(ruta),
                   IconoMensaje::Error);
}
