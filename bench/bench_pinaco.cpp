// Board figures for 100, 1,000 and 10,000 notes: load of the notes file into a shown board,
// save, and the add path's free-position search. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_pinaco
#include "app/Pinaco.h"
#include "notes/Nota.h"
#include "storage/ArchivoNotas.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QList<DatosNota> Notas(int cuantas) {
    QList<DatosNota> notas;
    for (int i = 0; i < cuantas; ++i) {
        DatosNota d;
        d.Texto = QStringLiteral("Nota %1\r\ncon dos líneas").arg(i);
        d.Left = 15 + (i * 37) % 900;
        d.Top = 15 + (i * 53) % 600;
        d.DayCreated = d.DayExpires = 1 + i % 28;
        d.MonthCreated = d.MonthExpires = 1 + i % 12;
        d.YearCreated = 2026;
        d.YearExpires = 2099; // not due: no dialog at start-up
        d.FontName = QStringLiteral("DejaVu Sans");
        d.ColorChincheta = TColorChincheta(i % 8);
        notas.append(d);
    }
    return notas;
}

double Ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

void Medir(int cuantas) {
    QTemporaryDir carpeta;
    GuardarArchivoNotas(carpeta.filePath("pinaco.DAT"), Notas(cuantas));

    QElapsedTimer t;
    t.start();
    auto pinaco = std::make_unique<TPinaco>(carpeta.filePath("pinaco"));
    pinaco->TimerOnLoadTimer(); // the start-up without its 10 ms wait
    QApplication::processEvents();
    const double carga = Ms(t);

    t.restart();
    pinaco->GuardarNotas();
    const double guardado = Ms(t);

    // Every new note lands on the heap at 40,70 and searches past the ones before it.
    const int nuevas = 50;
    t.restart();
    for (int i = 0; i < nuevas; ++i)
        pinaco->CrearNota(true);
    const double busqueda = Ms(t) / nuevas;

    std::printf("%6d notas: carga y muestra %9.1f ms   guardado %8.2f ms   nueva nota %7.3f ms\n",
                cuantas, carga, guardado, busqueda);
    pinaco.reset();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    for (int cuantas : {100, 1000, 10000})
        Medir(cuantas);
    return 0;
}
