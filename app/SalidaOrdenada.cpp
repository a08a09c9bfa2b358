#include "app/SalidaOrdenada.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace SalidaOrdenada {
namespace {

int gTuberia[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the pipe.
void AlRecibirSenal(int) {
    const char c = 1;
    [[maybe_unused]] const auto escrito = ::write(gTuberia[0], &c, 1);
}

} // namespace

void Instalar(QObject* contexto) {
    if (gTuberia[0] >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gTuberia) != 0)
        return;
    auto* aviso = new QSocketNotifier(gTuberia[1], QSocketNotifier::Read, contexto);
    QObject::connect(aviso, &QSocketNotifier::activated, contexto, [] {
        char c;
        [[maybe_unused]] const auto leido = ::read(gTuberia[1], &c, 1);
        // Not quit(): it asks every window to close first, and a dialog that holds itself
        // open while a network attempt runs would refuse and keep the board running.
        // exit() ends every loop, a modal one's included, and the shutdown saves.
        QCoreApplication::exit(0);
    });
    struct sigaction accion = {};
    accion.sa_handler = AlRecibirSenal;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = SA_RESTART;
    for (int senal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(senal, &accion, nullptr);
}

} // namespace SalidaOrdenada
