// A note of one word of a megabyte: how long the board and each dialog that shows it hold
// the event loop, and the memory it adds. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_textolargo [letters]
#include "notes/FrmConfigNota.h"
#include "notes/FrmEliminarNota.h"
#include "notes/FrmVerNotaNet.h"
#include "notes/Nota.h"
#include "notes/VistasNotas.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

namespace {

long RssKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& linea : f.readAll().split('\n'))
        if (linea.startsWith("VmRSS:"))
            return linea.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// The widget shown and painted, as the first frame on the screen would be.
double MsMostrar(QWidget& w) {
    QElapsedTimer t;
    t.start();
    w.show();
    (void)w.grab();
    QApplication::processEvents();
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const qsizetype letras = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1048000;
    ModeloNotas modelo;
    QWidget tablero;
    tablero.resize(1200, 900);
    tablero.show();
    VistasNotas vistas(modelo, [&](IdNota id) { return new TNota(&tablero, modelo, id); });

    const long antes = RssKb();
    TNota* nota = vistas.Vista(modelo.Agregar({}));
    nota->show();
    DatosNota d = nota->Datos();
    d.Texto = QString(letras, u'a');
    d.Width = 1100;
    d.Height = 800;
    d.FontSize = 8;
    d.ColorChincheta = TColorChincheta::Net;
    QElapsedTimer t;
    t.start();
    nota->AsignarDatos(d);
    d.Texto.clear();
    const double asignar = double(t.nsecsElapsed()) / 1e6;
    const double pintar = MsMostrar(*nota);
    t.restart();
    nota->resize(900, 700);
    (void)nota->grab();
    const double redimensionar = double(t.nsecsElapsed()) / 1e6;
    const long despues = RssKb();
    std::printf("nota de %lld letras: asignar %.1f ms, mostrar %.1f ms, redimensionar %.1f ms, "
                "memoria +%.1f MB\n",
                (long long)letras, asignar, pintar, redimensionar, (despues - antes) / 1024.0);

    {
        TfrmVerNotaNet visor(&tablero);
        t.restart();
        visor.CargarNotaEnVisor(nota->Datos(), QString());
        const double cargar = double(t.nsecsElapsed()) / 1e6;
        std::printf("visor: cargar %.1f ms, mostrar %.1f ms\n", cargar, MsMostrar(visor));
    }
    {
        t.restart();
        TfrmEliminarNota borrar(nota->Datos(), &tablero);
        const double crear = double(t.nsecsElapsed()) / 1e6;
        std::printf("confirmar borrado: crear %.1f ms, mostrar %.1f ms\n", crear,
                    MsMostrar(borrar));
    }
    {
        t.restart();
        TfrmConfigNota editor(nota->Datos(), false, &tablero);
        const double crear = double(t.nsecsElapsed()) / 1e6;
        std::printf("editor: crear %.1f ms, mostrar %.1f ms\n", crear, MsMostrar(editor));
    }
    return 0;
}
