#pragma once
// SIGTERM (the desktop's logout), SIGINT and SIGHUP end the board through its ordinary
// shutdown instead of killing it with unsaved notes.
#include <QObject>

namespace SalidaOrdenada {

// Routes the three signals to QCoreApplication::exit() from the event loop, whatever
// dialog or box is open.
void Instalar(QObject* contexto);

} // namespace SalidaOrdenada
