// Note transfers over loopback: the board's note server against a minimal lock-step peer
// that answers every message at once, a hundred boards sending at once, and a long run of transfers
// onto a board that already holds notes. Run by hand:
//   cmake --build build --target bench_servidor && QT_QPA_PLATFORM=offscreen
//   build/bench/bench_servidor
#include "app/Pinaco.h"
#include "net/ServidorNotas.h"
#include "notes/Nota.h"
#include "tests/ParCliente.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

// One whole transfer in lock step, driven by the event loop.
void Transferir(quint16 puerto) {
    const QList<QByteArray> mensajes = MensajesDeTransferencia();
    QTcpSocket socket;
    QEventLoop bucle;
    qsizetype siguiente = 0;
    QObject::connect(&socket, &QTcpSocket::connected, [&] { socket.write(mensajes[siguiente++]); });
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] {
        socket.readAll();
        if (siguiente < mensajes.size())
            socket.write(mensajes[siguiente++]);
        else
            bucle.quit();
    });
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &bucle, &QEventLoop::quit);
    socket.connectToHost(QHostAddress::LocalHost, puerto);
    bucle.exec();
    socket.close();
}

double Milisegundos(quint16 puerto, int veces) {
    QElapsedTimer reloj;
    reloj.start();
    for (int i = 0; i < veces; ++i)
        Transferir(puerto);
    return reloj.nsecsElapsed() / 1e6;
}

long MemoriaKiB() {
    QFile estado("/proc/self/status");
    estado.open(QIODevice::ReadOnly);
    for (const QByteArray& linea : estado.readAll().split('\n'))
        if (linea.startsWith("VmRSS:"))
            return linea.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir carpeta;
    qputenv("XDG_CONFIG_HOME", carpeta.filePath("config").toLocal8Bit());

    // The floor: a peer that answers every message at once and does nothing else.
    QTcpServer minimo;
    minimo.listen(QHostAddress::LocalHost);
    QObject::connect(&minimo, &QTcpServer::newConnection, [&] {
        QTcpSocket* s = minimo.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, s, [s] {
            s->readAll();
            s->write("OK");
        });
        QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    });

    TPinaco pinaco(carpeta.filePath("pinaco"));
    QEventLoop espera;
    QObject::connect(&pinaco, &TPinaco::Cargado, &espera, &QEventLoop::quit);
    espera.exec();
    pinaco.ListaDirecciones().AddIP("*.*.*.*", "(Desconocido)", true, 2222);
    pinaco.Server->Activar(0);
    const quint16 puertoPinaco = pinaco.Server->Puerto();

    // Rounds in turn, the median of each side: the loopback's own pace drifts.
    constexpr int kRondas = 9;
    constexpr int kVeces = 20;
    Milisegundos(minimo.serverPort(), 5); // warm-up
    const auto mediana = [](QList<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const auto unaTransferencia = [&](const char* tablero) {
        QList<double> base, propio;
        for (int r = 0; r < kRondas; ++r) {
            base << Milisegundos(minimo.serverPort(), kVeces) / kVeces;
            propio << Milisegundos(puertoPinaco, kVeces) / kVeces;
        }
        std::printf("one transfer onto %s: minimal peer %.3f ms, board %.3f ms (x%.2f)\n", tablero,
                    mediana(base), mediana(propio), mediana(propio) / mediana(base));
    };
    unaTransferencia("an empty board");

    // A hundred boards, each from its own address, each sending one note, all at once.
    for (int vez = 0; vez < 3; ++vez) {
        const ResultadoALaVez r = EnviarALaVez(puertoPinaco, 100);
        std::printf("100 boards sending at once: %d delivered, %d cut off, %.0f ms in all "
                    "(%.2f ms a note)\n",
                    r.Entregadas, r.Cortadas, r.Ms, r.Ms / 100);
    }

    // What a note costs when the board makes it itself, to compare with the transfers.
    const long antesLocales = MemoriaKiB();
    for (int i = 0; i < 1000; ++i)
        pinaco.CrearNota(true)->setYearExpires(2099);
    std::printf("1,000 notes made on the board: memory %+ld KiB\n", MemoriaKiB() - antesLocales);
    unaTransferencia("a board of 1,000 notes");

    const qsizetype notasAntes = pinaco.Notas().Cuenta();
    const long antes = MemoriaKiB();
    QList<double> centenas;
    for (int c = 0; c < 10; ++c)
        centenas << Milisegundos(puertoPinaco, 100);
    const long despues = MemoriaKiB();
    std::printf("1,000 transfers onto a board of %d notes: first hundred %.0f ms, last hundred "
                "%.0f ms (x%.2f); memory %+ld KiB (%.1f KiB a note)\n",
                int(notasAntes), centenas.first(), centenas.last(),
                centenas.last() / centenas.first(), despues - antes,
                double(despues - antes) / 1000);
    pinaco.FormDestroy();
    return 0;
}
