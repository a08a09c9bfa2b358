#include "core/VigiaCaducadas.h"

#include "core/NotasCaducadas.h"

#include <QTime>
#include <algorithm>

EstadoVigia EstadoInicial(QDate dia, const RecorrerNotas& notas) {
    EstadoVigia estado{dia, dia, {}};
    if (notas)
        notas([&](IdNota id, const DatosNota& datos) {
            if (NotaCaducada(datos, dia))
                estado.Anunciadas.insert(id);
        });
    return estado;
}

DecisionVigia DecidirCaducadas(const EstadoVigia& antes, QDate hoy, const RecorrerNotas& notas) {
    DecisionVigia decision{antes, {}};
    if (!hoy.isValid() || hoy == antes.UltimaComprobada)
        return decision;
    decision.Estado.UltimaComprobada = hoy;
    // Set back, or never looked: what is due now was due at the last look too.
    if (!antes.UltimaComprobada.isValid() || hoy < antes.UltimaComprobada)
        return decision;
    if (decision.Estado.DiaAnunciadas != hoy) {
        decision.Estado.DiaAnunciadas = hoy;
        decision.Estado.Anunciadas.clear();
    }
    // Compared as the dialog compares them, so that odd stored dates agree with it.
    if (!notas)
        return decision;
    notas([&](IdNota id, const DatosNota& datos) {
        if (NotaCaducada(datos, hoy) && !NotaCaducada(datos, antes.UltimaComprobada) &&
            !decision.Estado.Anunciadas.contains(id)) {
            decision.Anunciar.append(id);
            decision.Estado.Anunciadas.insert(id);
        }
    });
    return decision;
}

VigiaCaducadas::VigiaCaducadas(RecorrerNotas notas, QObject* parent)
    : QObject(parent), FNotas(std::move(notas)) {
    TimerMedianoche.setSingleShot(true);
    // A coarse timer may fire minutes early over a whole day.
    TimerMedianoche.setTimerType(Qt::PreciseTimer);
    TimerReloj.setInterval(kPeriodoMs);
    connect(&TimerMedianoche, &QTimer::timeout, this, &VigiaCaducadas::Comprobar);
    connect(&TimerReloj, &QTimer::timeout, this, &VigiaCaducadas::Comprobar);
}

void VigiaCaducadas::Iniciar(QDate ultimaComprobada) {
    FEstado = EstadoInicial(ultimaComprobada, FNotas);
    FActiva = true;
    TimerReloj.start();
    ArmarMedianoche();
}

void VigiaCaducadas::Detener() {
    FActiva = false;
    TimerMedianoche.stop();
    TimerReloj.stop();
}

void VigiaCaducadas::Comprobar() {
    if (!FActiva)
        return;
    const QDate hoy = Hoy();
    // The same day: the notes are not even read.
    if (hoy != FEstado.UltimaComprobada) {
        DecisionVigia decision = DecidirCaducadas(FEstado, hoy, FNotas);
        FEstado = std::move(decision.Estado);
        if (!decision.Anunciar.isEmpty())
            emit NotasCaducadas(decision.Anunciar);
    }
    // Whoever was told may have stopped the watch.
    if (FActiva)
        ArmarMedianoche();
}

void VigiaCaducadas::ArmarMedianoche() {
    const QDateTime ahora = FReloj();
    const QDateTime medianoche(ahora.date().addDays(1), QTime(0, 0));
    // A little after it, so that the clock already tells the new date; never more than a
    // day and an hour (a change of summer time), never less than a moment.
    const qint64 ms = ahora.msecsTo(medianoche) + 50;
    TimerMedianoche.start(int(std::clamp<qint64>(ms, 50, 25LL * 3600 * 1000)));
}
