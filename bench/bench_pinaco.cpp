// Board figures for 1,000, 10,000 and 100,000 notes: load of the notes file into a shown and
// painted board with the peak memory of the process, a drag step and its release, save, and
// the add path's free-position search. Each size runs in its own process, so every peak is
// its own. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_pinaco [notes ...]
// With PINACO_BENCH_PRIMERA_VEZ set, the start is the first run, without settings.
#include "app/FondoCorcho.h"
#include "app/Pinaco.h"
#include "notes/Nota.h"
#include "storage/ArchivoNotas.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QList<DatosNota> Notas(int cuantas) {
    QList<DatosNota> notas;
    notas.reserve(cuantas);
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

// Peak and current resident size of this process, in MiB.
double MemoriaMiB(const char* campo) {
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& linea : estado.readAll().split('\n'))
        if (linea.startsWith(campo))
            return linea.mid(qstrlen(campo)).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

// Counts the paints of a widget, to wait for the board to be really drawn.
class ContadorPintado : public QObject {
public:
    int Pintados = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++Pintados;
        return false;
    }
};

// An ordinary start: the settings of an earlier run are there. The board is hidden while it
// loads (a first run shows it before).
void PrimeraVez(const QString& programa) {
    TPinaco pinaco(programa);
    pinaco.TimerOnLoadTimer();
}

int Medir(int cuantas) {
    QTemporaryDir carpeta;
    qputenv("XDG_CONFIG_HOME", carpeta.filePath("config").toLocal8Bit());
    if (!qEnvironmentVariableIsSet("PINACO_BENCH_PRIMERA_VEZ"))
        PrimeraVez(carpeta.filePath("pinaco"));
    GuardarArchivoNotas(carpeta.filePath("pinaco.DAT"), Notas(cuantas));
    const double base = MemoriaMiB("VmRSS:");

    QElapsedTimer t;
    t.start();
    auto pinaco = std::make_unique<TPinaco>(carpeta.filePath("pinaco"));
    ContadorPintado pintado;
    pinaco->ChartFondo->installEventFilter(&pintado);
    pinaco->TimerOnLoadTimer(); // the start-up without its 10 ms wait
    while (pintado.Pintados == 0 && t.elapsed() < 600000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    const double carga = Ms(t);
    const double pico = MemoriaMiB("VmHWM:");

    // A drag: the topmost note follows the pointer, the board painted after every step.
    TNota* arrastrada = pinaco->NotaActual();
    pinaco->NotaAlFrente(arrastrada);
    QApplication::processEvents();
    const int pasos = 20;
    const int pintadosAntes = pintado.Pintados;
    t.restart();
    for (int i = 0; i < pasos; ++i) {
        arrastrada->move(arrastrada->pos() + QPoint(i % 2 ? -30 : 30, 20));
        QApplication::processEvents();
    }
    const double arrastre = Ms(t) / pasos;
    const int pintadosArrastre = pintado.Pintados - pintadosAntes;
    // What its release does: the note kept inside the board, the shades redone.
    t.restart();
    pinaco->AjustarNotasAlPinaco(arrastrada);
    pinaco->ActualizarSombras();
    QApplication::processEvents();
    const double soltar = Ms(t);

    t.restart();
    pinaco->GuardarNotas();
    const double guardado = Ms(t);

    // Every new note lands on the heap at 40,70 and searches past the ones before it.
    const int nuevas = 50;
    t.restart();
    for (int i = 0; i < nuevas; ++i)
        pinaco->CrearNota(true);
    const double busqueda = Ms(t) / nuevas;

    std::printf("%7d notas: carga y muestra %8.1f ms   pico %6.1f MiB (%4.1f antes)   "
                "arrastre %7.2f ms/paso (%d pintados)   soltar %7.1f ms   guardado %7.1f ms   "
                "nueva nota %7.3f ms\n",
                cuantas, carga, pico, base, arrastre, pintadosArrastre, soltar, guardado, busqueda);
    pinaco.reset();
    return pintado.Pintados > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList tamanos = app.arguments().mid(1);
    if (tamanos.size() == 1 && !tamanos.first().startsWith(u'-'))
        return Medir(tamanos.first().toInt());
    if (tamanos.isEmpty())
        tamanos = {QStringLiteral("1000"), QStringLiteral("10000"), QStringLiteral("100000")};
    int fallos = 0;
    for (const QString& tamano : tamanos) {
        QProcess hijo;
        hijo.setProcessChannelMode(QProcess::ForwardedChannels);
        hijo.start(app.applicationFilePath(), {tamano});
        hijo.waitForFinished(-1);
        if (hijo.exitStatus() != QProcess::NormalExit || hijo.exitCode() != 0) {
            std::printf("%7s notas: FALLO (%s)\n", qPrintable(tamano),
                        hijo.exitStatus() == QProcess::CrashExit ? "se cayó" : "sin pintar");
            ++fallos;
        }
        std::fflush(stdout);
    }
    return fallos;
}
