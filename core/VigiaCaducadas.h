#pragma once
// Notes that come due while the board runs for days: every change of the local date, at
// midnight or after a sleep or a clock that was set, names the notes due since the last look.
#include "core/RegistroNota.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <functional>

struct EstadoVigia {
    // The date of the last look; what fell due up to it has been announced.
    QDate UltimaComprobada;
    // The notes announced on DiaAnunciadas: a clock set back and forward again the same day
    // announces none of them twice.
    QDate DiaAnunciadas;
    QSet<IdNota> Anunciadas;
};

struct DecisionVigia {
    EstadoVigia Estado;
    // In the order of the notes given.
    QList<IdNota> Anunciar;
};

// At start-up every note due on dia or before was shown: none of them again that day.
EstadoVigia EstadoInicial(QDate dia, const RecorrerNotas& notas);

// The notes due on a day d with antes.UltimaComprobada < d <= hoy. A date set back
// announces nothing and makes hoy the last date looked at.
DecisionVigia DecidirCaducadas(const EstadoVigia& antes, QDate hoy, const RecorrerNotas& notas);

class VigiaCaducadas : public QObject {
    Q_OBJECT
public:
    using Reloj = std::function<QDateTime()>;
    static constexpr int kPeriodoMs = 60 * 1000;

    explicit VigiaCaducadas(RecorrerNotas notas, QObject* parent = nullptr);

    // Tests give a clock of their own.
    void FijarReloj(Reloj reloj) { FReloj = std::move(reloj); }
    QDate Hoy() const { return FReloj().date(); }
    // From the day whose due notes were announced already; the timers run from here on.
    void Iniciar(QDate ultimaComprobada);
    void Detener();
    bool Activa() const { return FActiva; }
    QDate UltimaComprobada() const { return FEstado.UltimaComprobada; }

    // Fires at the next local midnight.
    QTimer TimerMedianoche;
    // Timers stand still while the machine sleeps, and midnight is missed when the clock
    // is set: the wall clock is looked at now and then.
    QTimer TimerReloj;

public slots:
    void Comprobar();

signals:
    void NotasCaducadas(const QList<IdNota>& ids);

private:
    void ArmarMedianoche();

    RecorrerNotas FNotas;
    Reloj FReloj = [] { return QDateTime::currentDateTime(); };
    EstadoVigia FEstado;
    bool FActiva = false;
};
