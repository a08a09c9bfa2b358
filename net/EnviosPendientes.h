#pragma once
// The notes that wait for a board that was off: tried again in the background, one attempt
// at a time, by the retry rule. An attempt never opens a window: the client's boxes are
// ignored and what the user is to hear comes out as signals, once per note. Every change
// is handed to the save function at once, so that a delivered note never goes twice.
#include "core/EnvioPendiente.h"
#include "net/ClienteNotas.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class EnviosPendientes : public QObject {
    Q_OBJECT
public:
    using Reloj = std::function<QDateTime()>;
    using Guardado = std::function<void(const QList<EnvioPendiente>&)>;

    explicit EnviosPendientes(Reloj reloj = {}, QObject* parent = nullptr);
    ~EnviosPendientes() override;

    void FijarGuardado(Guardado guardado) { FGuardado = std::move(guardado); }
    // The own ServerPort to tell the receiver, asked for at each attempt.
    void FijarPuertoPropio(std::function<std::optional<qint32>()> puerto) {
        FPuertoPropio = std::move(puerto);
    }
    // Entries read back from the file; nothing is saved.
    void Cargar(QList<EnvioPendiente> envios);

    // After a first failed attempt, now: the next one by the rule.
    quint64 Anadir(const DestinoEnvio& destino, const DatosNota& nota);
    // The entry goes first, as soon as no attempt runs. False for an unknown id.
    bool EnviarAhora(quint64 id);
    // The entry goes; an attempt of it under way is dropped. False for an unknown id.
    bool Cancelar(quint64 id);

    const QList<EnvioPendiente>& Envios() const { return FEnvios; }
    const EnvioPendiente* Buscar(quint64 id) const;
    // The id of the entry an attempt is running for, or 0.
    quint64 EnCurso() const { return FEnCurso; }
    // The timer's tick: the earliest due entry is tried, when no attempt runs.
    void Revisar();
    // When the timer is to fire next, or none.
    std::optional<QDateTime> ProximaRevision() const;

    // Both go to every attempt's client.
    int EsperaConexionMs = 5000;
    int EsperaRespuestaMs = 10000;

    QTimer Timer;

signals:
    void Entregada(const EnvioPendiente& envio);
    // Given up without being delivered: refused, a week of failures, unsure whether the
    // peer created it, or a text that cannot go.
    void Terminada(const EnvioPendiente& envio, const QString& motivo);
    // The list or an entry's times changed.
    void Cambiado();

private:
    void AlTerminar();
    void Programar();
    void Guardar();
    void Quitar(qsizetype indice);
    qsizetype Indice(quint64 id) const;
    // The entry due first, or -1.
    qsizetype IndiceProximo() const;
    void NuevoCliente();

    Reloj FReloj;
    Guardado FGuardado;
    std::function<std::optional<qint32>()> FPuertoPropio;
    QList<EnvioPendiente> FEnvios;
    std::unique_ptr<ClienteNotas> FCliente;
    quint64 FEnCurso = 0;
    quint64 FSiguienteId = 1;
    quint64 FGeneracion = 0;
};

// What the user reads when a waiting note is given up.
namespace MotivosPendientes {
QString Rechazada();
QString SinConfirmar();
QString Caducada();
QString NoEnviable();
} // namespace MotivosPendientes
