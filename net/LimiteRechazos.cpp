#include "net/LimiteRechazos.h"

namespace {

// A clock set back ends the minute too: nothing is held for longer than it.
bool Vencido(const QDateTime& desde, const QDateTime& ahora) {
    const qint64 s = desde.secsTo(ahora);
    return s >= LimiteRechazos::kSegundos || s < 0;
}

} // namespace

bool LimiteRechazos::Registrar(const QString& ip, const QDateTime& ahora) {
    const auto it = FAbiertos.find(ip);
    if (it != FAbiertos.end()) {
        ++it->Veces;
        return false;
    }
    if (FAbiertos.size() >= kMaxDirecciones) {
        if (FOtras++ == 0)
            FOtrasDesde = ahora;
        return false;
    }
    FAbiertos.insert(ip, {ahora, 0});
    return true;
}

QList<LimiteRechazos::Resumen> LimiteRechazos::Vencidos(const QDateTime& ahora, bool todos) {
    QList<Resumen> resumenes;
    for (auto it = FAbiertos.begin(); it != FAbiertos.end();) {
        if (!todos && !Vencido(it->Desde, ahora)) {
            ++it;
            continue;
        }
        if (it->Veces == 0) {
            it = FAbiertos.erase(it);
            continue;
        }
        // The count is this minute's line: a host that keeps trying gets one a minute.
        resumenes.append({it.key(), it->Veces});
        *it = {ahora, 0};
        ++it;
    }
    if (FOtras > 0 && (todos || Vencido(FOtrasDesde, ahora))) {
        resumenes.append({QString(), FOtras});
        FOtras = 0;
    }
    return resumenes;
}
