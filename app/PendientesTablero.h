#pragma once
// The board's part in the notes that wait for a board that was off: their file beside the
// data files, and what the user hears of them. A delivery or an end is told once: in the
// tray while the board sits there, else in a box once the board is idle (no box or menu
// open), and in the log when the settings keep one.
#include "net/EnviosPendientes.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

class QWidget;

struct EnlacesPendientes {
    std::function<bool()> EnBandeja;
    std::function<void(const QString& titulo, const QString& texto)> MensajeBandeja;
    std::function<void(const QString& linea)> Log;
    std::function<std::optional<qint32>()> PuertoPropio;
};

class PendientesTablero : public QObject {
    Q_OBJECT
public:
    static constexpr int kAvisosEnUnaCaja = 8;

    PendientesTablero(QWidget& tablero, EnlacesPendientes enlaces,
                      EnviosPendientes::Reloj reloj = {});

    // After the data files. A damaged file is set aside beside itself and the user told;
    // the board goes on with nothing waiting.
    void Cargar(const QString& ruta);
    EnviosPendientes& Envios() { return FEnvios; }
    void Anadir(const DestinoEnvio& destino, const DatosNota& nota) {
        FEnvios.Anadir(destino, nota);
    }
    // What waits to be told, for tests.
    const QStringList& AvisosPorDar() const { return FAvisos; }
    // Where a damaged file was set aside, or empty.
    const QString& CopiaDanada() const { return FCopiaDanada; }

    static QString Titulo() { return QStringLiteral("Notas pendientes de envío"); }

private:
    void Guardar(const QList<EnvioPendiente>& envios);
    void Avisar(const QString& texto, bool soloCaja = false);
    void DarAvisos();

    QWidget& FTablero;
    EnlacesPendientes FEnlaces;
    EnviosPendientes FEnvios;
    QString FRuta;
    QString FCopiaDanada;
    // A damaged file that could not be set aside is never saved over.
    bool FGuardable = false;
    QStringList FAvisos;
    bool FAvisoEnCaja = false;
    QTimer FTimerAvisos;
};
