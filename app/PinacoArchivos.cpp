// The board's two data files: loaded once at start-up, written by the autosave and at the end.
#include "app/CapasNotas.h"
#include "app/CustodiaArchivos.h"
#include "app/PendientesTablero.h"
#include "app/Pinaco.h"
#include "core/GeometriaNotas.h"
#include "dialogs/Mensaje.h"
#include "net/ServidorNotas.h"
#include "notes/FuenteDeNota.h"
#include "storage/ArchivoNotas.h"
#include "storage/RetirosGuardados.h"

#include <QCoreApplication>
#include <cstdio>

void TPinaco::ErrorCritico(const QString& primeraLinea, const QString& ruta) {
    // The program ends here: no half-built board behind the box.
    hide();
    MostrarMensaje(this, QStringLiteral("Error chungo"),
                   primeraLinea + QStringLiteral("\rSe finalizará la ejecución del programa.\r\r"
                                                 "(Fichero: %1)")
                                      .arg(ruta),
                   IconoMensaje::Error);
}

bool TPinaco::CargarNotas() {
    const QString origenNotas = FCustodia->OrigenDeCarga(FRutaNotas, QStringLiteral("las notas"));
    const ResultadoCargaNotas carga = CargarArchivoNotas(origenNotas);
    // What follows a Ctrl-Z is not read; the first save would drop it for good.
    const bool conservada =
        !carga.BytesTrasElFin || FCustodia->ConservarOriginal(origenNotas, QStringLiteral("notas"));
    if (carga.Error != ErrorArchivo::Ninguno || !conservada) {
        ErrorCritico(QStringLiteral("Error crítico en la Base de Datos de Notas."), origenNotas);
        return false;
    }
    FCapas->EmpezarCarga();
    FModelo.Reservar(carga.Notas.size());
    // The first record ends on top, the last at the bottom, as in the list.
    FCargandoNotas = true;
    for (DatosNota datos : carga.Notas) {
        // The first layout has no font: the note keeps a new note's.
        if (carga.Version == VersionArchivoNotas::Primera)
            FuentePorDefecto(datos);
        AcotarGeometria(datos);
        AgregarNota(datos, true);
    }
    FCargandoNotas = false;
    FCapas->TerminarCarga();
    ActualizarSombras();

    // The address book is read before a conversion writes both files, so it is kept.
    const QString origenIP =
        FCustodia->OrigenDeCarga(FRutaListaIP, QStringLiteral("la lista de direcciones"));
    bool ipTrasElFin = false;
    if (FListaIP.CargarListaIP(origenIP, &ipTrasElFin) != ErrorArchivo::Ninguno ||
        (ipTrasElFin && !FCustodia->ConservarOriginal(origenIP, QStringLiteral("direcciones")))) {
        ErrorCritico(QStringLiteral("Error crítico en la Base de Datos de IPs."), origenIP);
        return false;
    }
    CargarRetirosPendientes();
    QString apartado;
    if (FPapelera.Cargar(&apartado) != ErrorArchivo::Ninguno)
        MostrarMensaje(
            this, QStringLiteral("Atención:"),
            QStringLiteral("Las notas borradas no se pudieron leer: el archivo está dañado.\r") +
                (apartado.isEmpty()
                     ? QStringLiteral("(No se pudo copiar; el archivo se deja como está y no se "
                                      "guardarán notas borradas: %1)")
                           .arg(FRutaBorradas)
                     : QStringLiteral("(Se ha guardado una copia en: %1)").arg(apartado)),
            IconoMensaje::Exclamacion);
    FPendientes->Cargar(FRutaPendientes);
    if (carga.HayQueConvertir() || origenNotas != FRutaNotas || origenIP != FRutaListaIP)
        GuardarNotas();
    return true;
}

bool TPinaco::GuardarNotas() {
    FAutoguardado.Guardado();
    const QList<DatosNota> notas = FModelo.DatosEnOrden();
    const bool guardadas = FCustodia->Guardar(
        FRutaNotas, [&notas](QIODevice& destino) { return EscribirArchivoNotas(destino, notas); },
        FCerrando);
    const bool direcciones = GuardarListaIP();
    // The changes stay in memory and the countdown starts again, so nothing is lost.
    if (!(guardadas && direcciones) && !FCerrando)
        MarcarNotasCambiadas();
    emit NotasGuardadas();
    return guardadas && direcciones;
}

bool TPinaco::GuardarListaIP() {
    FListaIP.AsegurarComodin();
    const bool guardada = FCustodia->Guardar(
        FRutaListaIP, [this](QIODevice& destino) { return FListaIP.EscribirListaIP(destino); },
        FCerrando);
    // Written with the book, so that the two tell the same story after a restart.
    const ErrorArchivo retiros = GuardarRetiros(FListaIP, FRutaRetiros);
    if (retiros != ErrorArchivo::Ninguno)
        std::fprintf(stderr, "pinaco: no se pudieron guardar los permisos retirados en %s\n",
                     qPrintable(FRutaRetiros));
    return guardada && retiros == ErrorArchivo::Ninguno;
}

void TPinaco::CargarRetirosPendientes() {
    // A damaged file is no reason to stop the board: its withdrawals are simply not kept.
    int pendientes = 0;
    if (CargarRetiros(FListaIP, FRutaRetiros, &pendientes) != ErrorArchivo::Ninguno)
        std::fprintf(stderr, "pinaco: no se pudieron leer los permisos retirados de %s\n",
                     qPrintable(FRutaRetiros));
    if (pendientes > 0)
        Server->ReanudarRestituciones();
}
