// Load and save times of the notes file for growing boards. Run by hand:
//   cmake --build build --target bench_archivos && build/bench/bench_archivos
#include "storage/ArchivoNotas.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kRepeticiones = 5;

QList<DatosNota> Tablero(int cantidad) {
    QList<DatosNota> notas;
    notas.reserve(cantidad);
    for (int i = 0; i < cantidad; ++i) {
        DatosNota nota;
        nota.Left = i % 800;
        nota.Top = (i * 7) % 600;
        nota.ColorChincheta = TColorChincheta(i % kNumColoresChincheta);
        nota.DayCreated = quint8(1 + i % 28);
        nota.MonthCreated = quint8(1 + i % 12);
        nota.YearCreated = 2024;
        nota.DayExpires = quint8(1 + (i + 3) % 28);
        nota.MonthExpires = quint8(1 + (i + 1) % 12);
        nota.YearExpires = 2025;
        nota.FontName = QStringLiteral("DejaVu Sans");
        nota.Texto = QStringLiteral("Nota número %1\rLlamar a José por el presupuesto\r"
                                    "Comprar café, leche y pan\rRevisar el correo €")
                         .arg(i);
        if (i % 5 == 0) {
            nota.ReceivedTime = QStringLiteral("12:34:56");
            nota.ReceivedFromIP = QStringLiteral("192.168.1.%1").arg(i % 250);
            nota.ReceivedFromUser = QStringLiteral("Compañero");
        }
        notas << nota;
    }
    return notas;
}

// Best of a few runs, in milliseconds; the first run also warms the caches.
double MejorTiempo(const std::function<bool()>& operacion) {
    double mejor = 1e300;
    for (int i = 0; i < kRepeticiones; ++i) {
        QElapsedTimer reloj;
        reloj.start();
        if (!operacion()) {
            std::fprintf(stderr, "la operación falló\n");
            std::exit(1);
        }
        mejor = std::min(mejor, reloj.nsecsElapsed() / 1e6);
    }
    return mejor;
}

} // namespace

int main() {
    QTemporaryDir carpeta;
    if (!carpeta.isValid())
        return 1;
    const QString ruta = carpeta.filePath("Pinaco.DAT");
    std::printf("%8s %12s %12s %14s %14s\n", "notas", "guardar ms", "cargar ms", "x guardar",
                "x cargar");
    double guardarAnterior = 0;
    double cargarAnterior = 0;
    for (const int cantidad : {100, 1000, 10000}) {
        const QList<DatosNota> notas = Tablero(cantidad);
        const double guardar =
            MejorTiempo([&] { return GuardarArchivoNotas(ruta, notas) == ErrorArchivo::Ninguno; });
        const double cargar = MejorTiempo([&] {
            const ResultadoCargaNotas leido = CargarArchivoNotas(ruta);
            return leido.Error == ErrorArchivo::Ninguno && leido.Notas.size() == cantidad;
        });
        // Ten times the notes: about 10x is linear, 100x would be quadratic.
        std::printf("%8d %12.2f %12.2f %14.1f %14.1f\n", cantidad, guardar, cargar,
                    guardarAnterior > 0 ? guardar / guardarAnterior : 0.0,
                    cargarAnterior > 0 ? cargar / cargarAnterior : 0.0);
        guardarAnterior = guardar;
        cargarAnterior = cargar;
    }
    return 0;
}
