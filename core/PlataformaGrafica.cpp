#include "core/PlataformaGrafica.h"

#include <QtGlobal>

namespace {

std::optional<QByteArray> Variable(const char* nombre) {
    if (!qEnvironmentVariableIsSet(nombre))
        return std::nullopt;
    return qgetenv(nombre);
}

bool Lleno(const std::optional<QByteArray>& valor) {
    return valor && !valor->isEmpty();
}

// "wayland", "wayland-egl" and the like.
bool EsWayland(const QString& plataforma) {
    return plataforma.startsWith(QLatin1String("wayland"));
}

} // namespace

EntornoGrafico EntornoDelProceso() {
    return {Variable("QT_QPA_PLATFORM"), Variable("DISPLAY"), Variable("WAYLAND_DISPLAY"),
            Variable("XDG_SESSION_TYPE")};
}

std::optional<QByteArray> PlataformasPreferidas(const EntornoGrafico& entorno) {
    // Qt takes an empty choice for none, and so does the board.
    if (Lleno(entorno.QtQpaPlatform) || !Lleno(entorno.Display))
        return std::nullopt;
    // As Qt itself tells a Wayland session: the socket named, even empty, or the session's
    // type.
    const bool wayland = entorno.WaylandDisplay || entorno.XdgSessionType == "wayland";
    if (!wayland)
        return std::nullopt;
    return QByteArrayLiteral("xcb;wayland");
}

bool PlataformaSabePosicion(const QString& plataforma) {
    return !EsWayland(plataforma);
}

bool PlataformaActivaConTestigo(const QString& plataforma) {
    return EsWayland(plataforma);
}
