#include "core/PlataformaGrafica.h"

#include <QtTest>

class TestPlataforma : public QObject {
    Q_OBJECT
private slots:
    void plataformasPreferidas_data();
    void plataformasPreferidas();
    void posicionYActivacion_data();
    void posicionYActivacion();
};

namespace {

// A null array stands for a variable that is not set, an empty one for a variable set empty.
const QByteArray kSinDefinir;
const char* const kVariables[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY",
                                  "XDG_SESSION_TYPE"};

void Definir(const char* nombre, const QByteArray& valor) {
    valor.isNull() ? qunsetenv(nombre) : qputenv(nombre, valor);
}

} // namespace

void TestPlataforma::plataformasPreferidas_data() {
    QTest::addColumn<QByteArray>("qpa");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("sesion");
    QTest::addColumn<QByteArray>("elegidas"); // null: Qt's own choice

    const auto fila = [](const char* nombre, QByteArray qpa, QByteArray display, QByteArray wayland,
                         QByteArray sesion, QByteArray elegidas) {
        QTest::newRow(nombre) << qpa << display << wayland << sesion << elegidas;
    };
    const QByteArray n = kSinDefinir;
    fila("wayland con Xwayland", n, ":0", "wayland-0", "wayland", "xcb;wayland");
    fila("socket sin tipo de sesión", n, ":0", "wayland-1", n, "xcb;wayland");
    fila("tipo de sesión sin socket", n, ":0", n, "wayland", "xcb;wayland");
    fila("socket vacío", n, ":1", "", n, "xcb;wayland");
    fila("elección vacía", "", ":0", "wayland-0", n, "xcb;wayland");
    fila("el usuario eligió wayland", "wayland", ":0", "wayland-0", n, n);
    fila("el usuario eligió xcb", "xcb", ":0", "wayland-0", n, n);
    fila("wayland sin servidor X", n, n, "wayland-0", "wayland", n);
    fila("DISPLAY vacío", n, "", "wayland-0", n, n);
    fila("solo X11", n, ":0", n, "x11", n);
    fila("nada", n, n, n, n, n);
}

void TestPlataforma::plataformasPreferidas() {
    QFETCH(QByteArray, qpa);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, sesion);
    QFETCH(QByteArray, elegidas);
    const QByteArray valores[] = {qpa, display, wayland, sesion};
    for (int i = 0; i < 4; ++i)
        Definir(kVariables[i], valores[i]);

    const std::optional<QByteArray> lista = PlataformasPreferidas(EntornoDelProceso());
    QCOMPARE(lista.has_value(), !elegidas.isNull());
    if (lista)
        QCOMPARE(*lista, elegidas);
}

void TestPlataforma::posicionYActivacion_data() {
    QTest::addColumn<QString>("plataforma");
    QTest::addColumn<bool>("sabePosicion");
    QTest::addColumn<bool>("conTestigo");
    QTest::newRow("xcb") << "xcb" << true << false;
    QTest::newRow("wayland") << "wayland" << false << true;
    QTest::newRow("wayland-egl") << "wayland-egl" << false << true;
    QTest::newRow("offscreen") << "offscreen" << true << false;
    QTest::newRow("eglfs") << "eglfs" << true << false;
}

void TestPlataforma::posicionYActivacion() {
    QFETCH(QString, plataforma);
    QFETCH(bool, sabePosicion);
    QFETCH(bool, conTestigo);
    QCOMPARE(PlataformaSabePosicion(plataforma), sabePosicion);
    QCOMPARE(PlataformaActivaConTestigo(plataforma), conTestigo);
}

QTEST_GUILESS_MAIN(TestPlataforma)
#include "test_plataforma.moc"
