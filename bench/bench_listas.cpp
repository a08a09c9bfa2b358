// Address-list figures for 1,000, 10,000 and 100,000 entries: the settings dialog opened on
// its network tab until the list is painted, a sort by name there, a page down the list, and
// the send dialog opened until its list is painted. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_listas [entries ...]
#include "config/FrmConfigurarPinaco.h"
#include "config/PanelRed.h"
#include "core/Configuracion.h"
#include "notes/FrmEnviarNotaRed.h"
#include "storage/ListaIP.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTabBar>
#include <cstdio>

namespace {

// Addresses in no order, as a book grown by hand; a few patterns, some not accepted.
void Llenar(ListaIP& libreta, int cuantas) {
    for (int i = 0; i < cuantas; ++i) {
        const quint32 n = quint32(i) * 2654435761u;
        const QString ip = i % 97 == 0 ? QStringLiteral("10.%1.%2.*").arg(i >> 16).arg(i >> 8 & 255)
                                       : QStringLiteral("%1.%2.%3.%4")
                                             .arg(n >> 24)
                                             .arg(n >> 16 & 255)
                                             .arg(n >> 8 & 255)
                                             .arg(n & 255);
        libreta.AddIP(ip, QStringLiteral("Equipo %1").arg(n % 100000), i % 5 != 0, 2222 + i % 7000);
    }
}

double Ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

class ContadorPintado : public QObject {
public:
    int Pintados = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++Pintados;
        return false;
    }
};

// Until the list has been painted once more.
void EsperarPintado(QAbstractItemView* lista) {
    ContadorPintado pintado;
    lista->viewport()->installEventFilter(&pintado);
    lista->viewport()->update();
    QElapsedTimer t;
    t.start();
    while (pintado.Pintados == 0 && t.elapsed() < 1800000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    lista->viewport()->removeEventFilter(&pintado);
}

void Medir(int cuantas) {
    ListaIP libreta;
    Llenar(libreta, cuantas);
    Configuracion config;

    QElapsedTimer t;
    t.start();
    double sinPintar = 0;
    {
        TfrmConfigurarPinaco dialogo(
            config, libreta, QStringLiteral("pinaco.LOG"), {}, [] {}, nullptr);
        sinPintar = Ms(t);
        dialogo.TabControl->setCurrentIndex(1);
        dialogo.show();
        EsperarPintado(dialogo.panelRed->ListView);
        const double red = Ms(t);

        t.restart();
        dialogo.panelRed->ListViewColumnClick(PanelRed::ColumnaNombre);
        EsperarPintado(dialogo.panelRed->ListView);
        const double orden = Ms(t);

        // A page down the list, as the scroll bar does it, painted.
        QAbstractItemView* lista = dialogo.panelRed->ListView;
        const int pasos = 20;
        t.restart();
        for (int i = 0; i < pasos; ++i) {
            lista->verticalScrollBar()->setValue(lista->verticalScrollBar()->value() + 8);
            lista->viewport()->repaint();
        }
        const double paso = Ms(t) / pasos;
        std::printf("%7d entradas: pestaña Red abierta %9.1f ms (%9.1f sin pintar)   "
                    "orden por nombre %9.1f ms   página %6.2f ms",
                    cuantas, red, sinPintar, orden, paso);
        std::fflush(stdout);
    }

    t.restart();
    TfrmEnviarNotaRed envio(libreta, DatosNota{}, std::nullopt, nullptr);
    envio.show();
    EsperarPintado(envio.ListView);
    std::printf("   envío abierto %9.1f ms\n", Ms(t));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList tamanos = app.arguments().mid(1);
    if (tamanos.isEmpty())
        tamanos = {QStringLiteral("1000"), QStringLiteral("10000"), QStringLiteral("100000")};
    for (const QString& tamano : tamanos)
        Medir(tamano.toInt());
    return 0;
}
