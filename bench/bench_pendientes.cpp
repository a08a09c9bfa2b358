// 1,000 notes waiting for a board that is off: the time to write and read their file, to
// schedule them, and how late the event loop runs while all of them are tried against a
// port nobody listens on and each failure rewrites the file. Run by hand:
//   cmake --build build --target bench_pendientes && build/bench/bench_pendientes
#include "net/EnviosPendientes.h"
#include "storage/ArchivoPendientes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kEnEspera = 1000;
constexpr int kLatidoMs = 10;

QList<EnvioPendiente> Envios(int cantidad, quint16 puerto, const QDateTime& ahora) {
    QList<EnvioPendiente> envios;
    envios.reserve(cantidad);
    for (int i = 0; i < cantidad; ++i) {
        EnvioPendiente e;
        e.IP = QStringLiteral("127.0.0.1");
        e.Puerto = puerto;
        e.Nombre = QStringLiteral("Compañero %1").arg(i);
        e.Nota.FontName = QStringLiteral("DejaVu Sans");
        e.Nota.Texto = QStringLiteral("Nota número %1\rLlamar a José por el presupuesto\r"
                                      "Comprar café, leche y pan")
                           .arg(i);
        e.Desde = ahora.addSecs(-3600);
        e.Proximo = ahora.addMSecs(-i); // all due at once: the worst case
        e.Intentos = 3;
        envios << e;
    }
    return envios;
}

double Ms(QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("pinaco.PEN"));
    quint16 puerto = 0;
    {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost);
        puerto = s.serverPort();
    }
    const QDateTime ahora = QDateTime::currentDateTimeUtc();
    const QList<EnvioPendiente> envios = Envios(kEnEspera, puerto, ahora);

    QElapsedTimer t;
    t.start();
    if (GuardarPendientes(ruta, envios) != ErrorArchivo::Ninguno)
        return 1;
    const double guardar = Ms(t);
    t.restart();
    const ResultadoCargaPendientes leido = CargarPendientes(ruta);
    const double cargar = Ms(t);
    if (leido.Envios.size() != kEnEspera)
        return 1;

    int guardados = 0;
    double guardadoMax = 0;
    EnviosPendientes buzon;
    buzon.FijarGuardado([&](const QList<EnvioPendiente>& e) {
        QElapsedTimer g;
        g.start();
        GuardarPendientes(ruta, e);
        guardadoMax = std::max(guardadoMax, Ms(g));
        ++guardados;
    });
    t.restart();
    buzon.Cargar(leido.Envios);
    const double programar = Ms(t);

    // A heartbeat every 10 ms: how late it comes is how long the board could not answer.
    QElapsedTimer desdeLatido;
    desdeLatido.start();
    double retrasoMax = 0;
    QTimer latido;
    latido.start(kLatidoMs);
    QObject::connect(&latido, &QTimer::timeout, [&] {
        retrasoMax = std::max(retrasoMax, Ms(desdeLatido) - kLatidoMs);
        desdeLatido.restart();
    });
    t.restart();
    // Every entry once: each fails and is put off by the rule.
    while (guardados < kEnEspera && t.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double ronda = Ms(t);

    std::printf("%d notas en espera (%lld bytes en %s)\n", kEnEspera, qlonglong(QFile(ruta).size()),
                "pinaco.PEN");
    std::printf("  guardar el archivo:            %8.2f ms\n", guardar);
    std::printf("  leer el archivo:               %8.2f ms\n", cargar);
    std::printf("  cargar y programar:            %8.3f ms\n", programar);
    std::printf("  un intento fallido de cada una: %8.0f ms en total (%d guardados, el más "
                "lento %.2f ms)\n",
                ronda, guardados, guardadoMax);
    std::printf("  retraso máximo del bucle de eventos durante la ronda: %.2f ms\n", retrasoMax);
    std::printf("  próxima revisión en: %lld s\n",
                qlonglong(QDateTime::currentDateTimeUtc().secsTo(*buzon.ProximaRevision())));
    return guardados >= kEnEspera ? 0 : 1;
}
