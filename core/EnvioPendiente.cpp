#include "core/EnvioPendiente.h"

#include <algorithm>

namespace ReglaReintentos {

qint64 PausaTrasFallosSegundos(qint32 fallos) {
    constexpr qint64 kMinutos[] = {1, 2, 5, 10};
    constexpr qint64 kMinutosDespues = 15;
    const qint32 i = std::max(fallos, 1) - 1;
    return 60 * (i < qint32(std::size(kMinutos)) ? kMinutos[i] : kMinutosDespues);
}

QDateTime Limite(const QDateTime& desde) {
    return desde.addDays(kDiasMaximos);
}

std::optional<QDateTime> ProximoIntento(const QDateTime& desde, qint32 fallos,
                                        const QDateTime& ahora) {
    const QDateTime limite = Limite(desde);
    if (ahora >= limite)
        return std::nullopt;
    return std::min(ahora.addSecs(PausaTrasFallosSegundos(fallos)), limite);
}

} // namespace ReglaReintentos
