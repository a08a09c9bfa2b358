#pragma once
// Boards on the other end of a note server, each from its own loopback address: one in lock
// step driven by the test, and many that send a whole note at once.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>
#include <QtCore/qtestsupport_core.h>
#include <memory>
#include <vector>

namespace {

// A board on the other end, from its own loopback address, in lock step.
struct Par : QTcpSocket {
    Par(const QString& local, quint16 puerto) {
        bind(QHostAddress(local));
        connectToHost(QHostAddress::LocalHost, puerto);
        waitForConnected(2000);
    }
    // The answer to one message, or to nothing more; empty when none comes within the time.
    QByteArray Enviar(const QByteArray& mensaje, int ms = 2000) {
        write(mensaje);
        (void)QTest::qWaitFor([&] { return bytesAvailable() > 0 || state() != ConnectedState; },
                              ms);
        return readAll();
    }
    // A whole note in lock step; true when it was created.
    bool Nota() {
        return Enviar("NOTA_BEGIN") == "READY" && Enviar("TEXT:x") == "DATA_RECEIVED" &&
               Enviar("NOTA_END") == "NOTA_CREATED";
    }
    bool Cerrado(int ms = 2000) {
        return QTest::qWaitFor([&] { return state() != ConnectedState; }, ms);
    }
};

// The messages of one whole transfer, with a text of this many bytes.
inline QList<QByteArray> MensajesDeTransferencia(int largoTexto = 200) {
    const QByteArray texto =
        QByteArray("Texto de prueba de la nota. ").repeated(largoTexto / 28 + 1).left(largoTexto);
    return {"HOLA",
            "VERSION",
            "NOTA_BEGIN",
            "DAY_EXPIRES:24",
            "MONTH_EXPIRES:12",
            "YEAR_EXPIRES:2099",
            "FONT_STYLE:0000",
            "FONT_NAME:DejaVu Sans",
            "FONT_SIZE:9",
            "FONT_COLOR:0",
            "WIDTH:120",
            "HEIGHT:160",
            "TOP:70",
            "LEFT:40",
            "TEXT:" + texto,
            "NOTA_END",
            "CIAO"};
}

struct ResultadoALaVez {
    int Entregadas = 0; // answered "NOTA_CREATED" and then "CIAO_ACK"
    int Cortadas = 0;   // reset or closed before the end
    double Ms = 0;      // from the first connection to the last answer
};

// cuantos boards, from 127.0.1.1 on, each sending one whole note in lock step, all at once.
inline ResultadoALaVez EnviarALaVez(quint16 puerto, int cuantos, int limiteMs = 30000) {
    const QList<QByteArray> mensajes = MensajesDeTransferencia();
    struct Emisor {
        QTcpSocket Socket;
        qsizetype Siguiente = 0;
        bool Creada = false;
        bool Acabado = false;
    };
    ResultadoALaVez r;
    std::vector<std::unique_ptr<Emisor>> emisores;
    QEventLoop bucle;
    int pendientes = cuantos;
    const auto acabar = [&](Emisor& e, bool entregada) {
        if (e.Acabado)
            return;
        e.Acabado = true;
        ++(entregada ? r.Entregadas : r.Cortadas);
        if (--pendientes == 0)
            bucle.quit();
    };
    QElapsedTimer reloj;
    reloj.start();
    for (int i = 0; i < cuantos; ++i) {
        emisores.push_back(std::make_unique<Emisor>());
        Emisor& e = *emisores.back();
        QObject::connect(&e.Socket, &QTcpSocket::connected,
                         [&] { e.Socket.write(mensajes[e.Siguiente++]); });
        QObject::connect(&e.Socket, &QTcpSocket::readyRead, [&] {
            const QByteArray respuesta = e.Socket.readAll();
            if (e.Siguiente == mensajes.size() - 1)
                e.Creada = respuesta == "NOTA_CREATED";
            if (e.Siguiente < mensajes.size())
                e.Socket.write(mensajes[e.Siguiente++]);
            else
                acabar(e, e.Creada && respuesta == "CIAO_ACK");
        });
        QObject::connect(&e.Socket, &QTcpSocket::errorOccurred, [&] { acabar(e, false); });
        e.Socket.bind(QHostAddress(QStringLiteral("127.0.1.%1").arg(i % 250 + 1)));
        e.Socket.connectToHost(QHostAddress::LocalHost, puerto);
    }
    QTimer::singleShot(limiteMs, &bucle, &QEventLoop::quit);
    if (pendientes > 0)
        bucle.exec();
    r.Ms = reloj.nsecsElapsed() / 1e6;
    return r;
}

} // namespace
