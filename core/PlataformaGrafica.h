#pragma once
// Which of Qt's window platforms the board runs on, and what that platform lets it do.
#include <QByteArray>
#include <QString>
#include <optional>

// The variables that decide the platform; a variable that is not set is empty.
struct EntornoGrafico {
    std::optional<QByteArray> QtQpaPlatform;
    std::optional<QByteArray> Display;
    std::optional<QByteArray> WaylandDisplay;
    std::optional<QByteArray> XdgSessionType;
};

EntornoGrafico EntornoDelProceso();

// The list to put in QT_QPA_PLATFORM before the application is built, or none to leave
// Qt's own choice. Qt tries Wayland first wherever a Wayland session shows; where the user
// chose no platform and an X server is there too, the board runs on X11, which lets it
// place itself, stay on top and come forward, with Wayland as the fallback.
std::optional<QByteArray> PlataformasPreferidas(const EntornoGrafico& entorno);

// Whether a window of this platform learns where it lies; a Wayland client never does.
bool PlataformaSabePosicion(const QString& plataforma);

// Whether this platform brings a window forward only with an activation token.
bool PlataformaActivaConTestigo(const QString& plataforma);
