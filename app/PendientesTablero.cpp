#include "app/PendientesTablero.h"

#include "dialogs/Mensaje.h"
#include "net/LineasLog.h"
#include "storage/ArchivoPendientes.h"
#include "storage/CopiasSeguridad.h"

#include <QRegularExpression>
#include <QWidget>
#include <cstdio>

namespace {

QString Destino(const EnvioPendiente& e) {
    return e.Nombre.isEmpty() ? e.IP : QStringLiteral("%1  (%2)").arg(e.IP, e.Nombre);
}

// The note's first line, enough to know which one it is.
QString Comienzo(const DatosNota& nota) {
    constexpr int kLargo = 40;
    QString linea = nota.Texto.section(QRegularExpression(QStringLiteral("[\r\n]")), 0, 0);
    if (linea.size() > kLargo)
        linea = linea.first(kLargo) + QStringLiteral("...");
    return QStringLiteral("\"%1\"").arg(linea);
}

} // namespace

PendientesTablero::PendientesTablero(QWidget& tablero, EnlacesPendientes enlaces,
                                     EnviosPendientes::Reloj reloj)
    : QObject(&tablero), FTablero(tablero), FEnlaces(std::move(enlaces)),
      FEnvios(std::move(reloj)) {
    FEnvios.FijarGuardado([this](const QList<EnvioPendiente>& e) { Guardar(e); });
    FEnvios.FijarPuertoPropio(FEnlaces.PuertoPropio);
    FTimerAvisos.setInterval(kEsperaDialogoMs);
    connect(&FTimerAvisos, &QTimer::timeout, this, &PendientesTablero::DarAvisos);
    connect(&FEnvios, &EnviosPendientes::Entregada, this, [this](const EnvioPendiente& e) {
        if (FEnlaces.Log)
            FEnlaces.Log(LineaPendienteEntregada(QDateTime::currentDateTime(), e.IP, e.Nombre));
        Avisar(QStringLiteral("La Nota pendiente se entregó a: %1\r%2")
                   .arg(Destino(e), Comienzo(e.Nota)));
    });
    connect(&FEnvios, &EnviosPendientes::Terminada, this,
            [this](const EnvioPendiente& e, const QString& motivo) {
                if (FEnlaces.Log)
                    FEnlaces.Log(LineaPendienteAbandonada(QDateTime::currentDateTime(), e.IP,
                                                          e.Nombre, motivo));
                Avisar(QStringLiteral("La Nota pendiente para: %1 no se enviará.\r%2\r%3")
                           .arg(Destino(e), Comienzo(e.Nota), motivo));
            });
}

void PendientesTablero::Cargar(const QString& ruta) {
    FRuta = ruta;
    const ResultadoCargaPendientes carga = CargarPendientes(ruta);
    if (carga.Error == ErrorArchivo::Ninguno) {
        FGuardable = true;
        FEnvios.Cargar(carga.Envios);
        return;
    }
    // Kept whole beside it, "<file>.dañado" (then ".2" and on), before anything is saved.
    const QString copia = ConservarCopia(ruta, QStringLiteral(".dañado"));
    FGuardable = !copia.isEmpty();
    FCopiaDanada = copia;
    const QString texto =
        QStringLiteral("Las notas pendientes de envío no se pudieron leer: el archivo está "
                       "dañado.\r") +
        (FGuardable ? QStringLiteral("(Se ha guardado una copia en: %1)").arg(copia)
                    : QStringLiteral("(No se pudo copiar; el archivo se deja como está y no "
                                     "se guardarán notas pendientes: %1)")
                          .arg(ruta));
    std::fprintf(stderr, "pinaco: %s\n", qPrintable(QString(texto).replace(u'\r', u' ')));
    Avisar(texto, true);
}

void PendientesTablero::Guardar(const QList<EnvioPendiente>& envios) {
    if (!FGuardable)
        return;
    // What could not be written stays in memory; the next change writes it again.
    if (GuardarPendientes(FRuta, envios) != ErrorArchivo::Ninguno)
        std::fprintf(stderr, "pinaco: no se pudieron guardar las notas pendientes en %s\n",
                     qPrintable(FRuta));
}

void PendientesTablero::Avisar(const QString& texto, bool soloCaja) {
    FAvisos.append(texto);
    FAvisoEnCaja = FAvisoEnCaja || soloCaja;
    // Never from inside the socket's handler that brought the result.
    if (!FTimerAvisos.isActive())
        FTimerAvisos.start();
}

void PendientesTablero::DarAvisos() {
    if (FAvisos.isEmpty()) {
        FTimerAvisos.stop();
        return;
    }
    const bool bandeja = !FAvisoEnCaja && FEnlaces.EnBandeja && FEnlaces.EnBandeja();
    // A box waits until no other box, dialog or menu is open.
    if (!bandeja && DialogoAbierto())
        return;
    // Many at once, as when a board comes back, make one box, not a box each.
    QStringList partes = FAvisos.first(std::min<qsizetype>(FAvisos.size(), kAvisosEnUnaCaja));
    if (FAvisos.size() > kAvisosEnUnaCaja)
        partes.append(QStringLiteral("(Y %1 avisos más.)").arg(FAvisos.size() - kAvisosEnUnaCaja));
    FAvisos.clear();
    FAvisoEnCaja = false;
    FTimerAvisos.stop();
    const QString texto = partes.join(QStringLiteral("\r\r"));
    if (bandeja)
        FEnlaces.MensajeBandeja(Titulo(), QString(texto).replace(u'\r', u'\n'));
    else
        MostrarMensaje(&FTablero, Titulo(), texto, IconoMensaje::Informacion);
}
