#pragma once
// A port for a test to listen on later, or to find closed. Ports handed out for outgoing
// connections (by the kernel, from 32768 up) can be taken by any other test between the
// check and the use; these lie below that range, so one free now stays free.
#include <QCoreApplication>
#include <QTcpServer>

inline quint16 PuertoLibre() {
    constexpr int kDesde = 20000, kCuantos = 12000;
    static int siguiente = int(QCoreApplication::applicationPid() * 37 % kCuantos);
    for (int i = 0; i < kCuantos; ++i) {
        const auto puerto = quint16(kDesde + siguiente++ % kCuantos);
        if (QTcpServer s; s.listen(QHostAddress::Any, puerto))
            return puerto;
    }
    return 0;
}
