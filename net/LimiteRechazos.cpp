#include "net/LimiteRechazos.h"

namespace {

// A clock set back ends the minute too: nothing is held for longer than it.
bool Vencido(const QDateTime& desde, const QDateTime& ahora) {
    const qint64 s = desde.secsTo(ahora);
    return s >= LimiteRechazos::kSegundos || s < 0;
}

} // namespace

bool LimiteRechazos::Registrar(const QString& ip, const QDateTime& ahora) {
    const auto it = abiertos_.find(ip);
    if (it != abiertos_.end()) {
        ++it->Veces;
        return false;
    }
    if (abiertos_.size() >= kMaxDirecciones) {
        if (otras_++ == 0)
            otrasDesde_ = ahora;
        return false;
    }
    abiertos_.insert(ip, {ahora, 0});
    return true;
}

QList<LimiteRechazos::Resumen> LimiteRechazos::Vencidos(const QDateTime& ahora) {
    QList<Resumen> resumenes;
    for (auto it = abiertos_.begin(); it != abiertos_.end();) {
        if (!Vencido(it->Desde, ahora)) {
            ++it;
            continue;
        }
        if (it->Veces == 0) {
            it = abiertos_.erase(it);
            continue;
        }
        // The count is this minute's line: a host that keeps trying gets one a minute.
        resumenes.append({it.key(), it->Veces});
        *it = {ahora, 0};
        ++it;
    }
    if (otras_ > 0 && Vencido(otrasDesde_, ahora)) {
        resumenes.append({QString(), otras_});
        otras_ = 0;
    }
    return resumenes;
}
