// The settings' network tab on a real address book: the add checks and their boxes, the
// sort keys, the row colours as painted, the actions that change the book at once, and the
// host check against a scripted peer on loopback.
#include "config/PanelRed.h"
#include "storage/ListaIP.h"

#include "tests/DialogosPrueba.h"
#include "tests/ParGuionado.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

struct Pestana {
    ListaIP libreta;
    std::unique_ptr<PanelRed> panel;
    Cajas cajas;

    explicit Pestana(const QList<std::tuple<QString, QString, bool, qint32>>& entradas) {
        for (const auto& [ip, nombre, permitido, puerto] : entradas)
            libreta.AddIP(ip, nombre, permitido, puerto);
        panel = std::make_unique<PanelRed>(libreta);
        panel->Client.EsperaConexionMs = 300;
        panel->Client.EsperaRespuestaMs = 300;
        panel->resize(329, 329);
    }
    QStringList Columna(int c) const { return ::Columna(panel->ListView, c); }
    void Elegir(const QString& ip) const {
        panel->ListView->selectRow(int(Columna(PanelRed::ColumnaIP).indexOf(ip)));
    }
    // The colour painted in the middle of the IP cell of that row.
    QColor ColorDeFila(const QString& ip) const {
        const int fila = int(Columna(PanelRed::ColumnaIP).indexOf(ip));
        const QRect celda =
            panel->ListView->visualRect(panel->ListView->model()->index(fila, PanelRed::ColumnaIP));
        return panel->ListView->viewport()->grab().toImage().pixelColor(celda.right() - 2,
                                                                        celda.center().y());
    }
};

} // namespace

class TestPanelRed : public QObject {
    Q_OBJECT
private slots:
    void anadir_data();
    void anadir();
    void ordenYAnchura();
    void permisosYColores();
    void comprobarHost_data();
    void comprobarHost();
};

enum Campo { CampoIP, CampoPuerto, CampoNombre };

void TestPanelRed::anadir_data() {
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("puerto");
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("mensaje"); // empty: added
    QTest::addColumn<int>("foco");
    const auto fila = [](const char* caso, const char* ip, const char* puerto, const char* nombre,
                         const char* mensaje = "", Campo foco = CampoIP) {
        QTest::newRow(caso) << QString(ip) << QString(puerto) << QString(nombre)
                            << QString::fromUtf8(mensaje) << int(foco);
    };
    const char* puertoMal = "El Puerto debe ser un valor entre 1024 y 9999";
    fila("pattern", "192.168.1.*", "2222", "Red");
    fila("same address, other text; lowest port", "10.0.000.1", "1024", "Otro");
    fila("highest port", "10.0.0.2", "9999", "X");
    fila("same text", "10.0.0.1", "2222", "X", "Ya existe ese IP!");
    fila("bad IP before empty name", "10.0.0.256", "2222", "", "IP no válido!!!");
    fila("empty name", "10.0.0.3", "2222", "", "Debe especificar un nombre", CampoNombre);
    fila("port 1023", "10.0.0.3", "1023", "X", puertoMal, CampoPuerto);
    fila("port 10000", "10.0.0.3", "10000", "X", puertoMal, CampoPuerto);
    fila("empty port", "10.0.0.3", "", "X", puertoMal, CampoPuerto);
    fila("long digits", "10.0.0.3", "000000002222", "X", puertoMal, CampoPuerto);
}

void TestPanelRed::anadir() {
    QFETCH(QString, ip);
    QFETCH(QString, puerto);
    QFETCH(QString, nombre);
    QFETCH(QString, mensaje);
    QFETCH(int, foco);

    Pestana t({{"10.0.0.1", "Uno", true, 2222}});
    t.panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.panel.get()));
    t.panel->editNewIP->setText(ip);
    t.panel->editNewPuerto->setText(puerto);
    t.panel->editNewNombre->setText(nombre);
    // Enter moves through the fields and, on the name, adds.
    QLineEdit* const campos[] = {t.panel->editNewIP, t.panel->editNewPuerto,
                                 t.panel->editNewNombre};
    campos[CampoIP]->setFocus();
    for (QLineEdit* campo : campos) {
        QCOMPARE(QApplication::focusWidget(), campo);
        QTest::keyClick(campo, Qt::Key_Return);
    }

    const int entradas = int(t.libreta.Entradas().size());
    if (mensaje.isEmpty()) {
        QVERIFY(t.cajas.vistas.isEmpty());
        QCOMPARE(entradas, 2);
        const nodoListaIP& nueva = t.libreta.Entradas().back();
        QCOMPARE(nueva.IP, ip);
        QVERIFY(nueva.Permitido);
        QCOMPARE(nueva.Puerto, puerto.toInt());
        QCOMPARE(t.panel->IPSeleccionada(), ip);
        t.panel->ListViewMouseDown();
        QCOMPARE(t.panel->mnuListViewComprobarHost->isEnabled(), !ip.contains('*'));
    } else {
        QCOMPARE(entradas, 1);
        QCOMPARE(t.cajas.vistas.size(), 1);
        QCOMPARE(t.cajas.vistas[0].Titulo, "Error");
        QCOMPARE(t.cajas.vistas[0].Texto, mensaje);
        QCOMPARE(QApplication::focusWidget(), campos[foco]);
    }
}

void TestPanelRed::ordenYAnchura() {
    Pestana t({{"10.2.0.5", "beta", true, 2222},
               {"10.*.*.*", "Alfa", true, 2222},
               {"10.001.0.5", "alfa", true, 2222}});
    // A "*" group is keyed "00*": before "001"; descending, its inverted key "99*" still
    // sorts before the digits.
    QCOMPARE(t.Columna(PanelRed::ColumnaIP), QStringList({"10.*.*.*", "10.001.0.5", "10.2.0.5"}));
    t.panel->ListViewColumnClick(PanelRed::ColumnaIP);
    QCOMPARE(t.Columna(PanelRed::ColumnaIP), QStringList({"10.*.*.*", "10.2.0.5", "10.001.0.5"}));
    t.panel->ListViewColumnClick(PanelRed::ColumnaNombre);
    QCOMPARE(t.Columna(PanelRed::ColumnaNombre), QStringList({"Alfa", "alfa", "beta"}));
    // The port column sorts nothing; the list is filled again and its last entry selected.
    t.panel->ListViewColumnClick(PanelRed::ColumnaPuerto);
    QCOMPARE(t.Columna(PanelRed::ColumnaNombre), QStringList({"Alfa", "alfa", "beta"}));
    QCOMPARE(t.panel->IPSeleccionada(), "10.001.0.5");

    for (int filas : {8, 9}) {
        QList<std::tuple<QString, QString, bool, qint32>> entradas;
        for (int i = 0; i < filas; ++i)
            entradas.append({QStringLiteral("10.0.0.%1").arg(i), "Equipo", true, 2222});
        Pestana g(entradas);
        g.panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(g.panel.get()));
        QCOMPARE(g.panel->ListView->columnWidth(PanelRed::ColumnaNombre),
                 g.panel->ListView->width() - 4 - 90 - 53 - (filas >= 9 ? 16 : 0));
    }
}

void TestPanelRed::permisosYColores() {
    Pestana t({{"10.0.0.1", "Uno", true, 2222},
               {"10.0.0.2", "Dos", false, 2222},
               {"*.*.*.*", "(Desconocido)", false, 2222}});
    t.panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.panel.get()));
    t.Elegir("10.0.0.2");
    const QColor verde(0x88, 0xFF, 0x88), rojo(0xFF, 0x88, 0x88);
    QCOMPARE(t.ColorDeFila("10.0.0.1"), verde);
    QCOMPARE(t.ColorDeFila("10.0.0.2"), QColor(0xFF, 0x44, 0x44)); // selected, refused

    t.panel->btnPermitirNinguno->click();
    for (const nodoListaIP& e : t.libreta.Entradas())
        QVERIFY(!e.Permitido);
    QCOMPARE(t.ColorDeFila("10.0.0.1"), rojo);
    t.panel->ListViewDblClick(); // the selected row
    QVERIFY(t.libreta.PermisoExactoIP("10.0.0.2"));
    QCOMPARE(t.ColorDeFila("10.0.0.2"), QColor(0x33, 0xEE, 0x33));
    t.panel->btnPermitirTodosClick();
    QVERIFY(t.libreta.PermisoExactoIP("*.*.*.*"));
    t.panel->PermisoDeSeleccionada(false);
    QVERIFY(!t.libreta.PermisoExactoIP("10.0.0.2"));

    // The wildcard goes from the running book; the menu follows the selection.
    t.Elegir("*.*.*.*");
    t.panel->ListViewMouseDown();
    QVERIFY(t.panel->mnuListViewEliminar->isEnabled());
    QVERIFY(!t.panel->mnuListViewComprobarHost->isEnabled());
    t.panel->mnuListViewEliminar->trigger();
    QVERIFY(!t.libreta.ExisteIP("*.*.*.*"));
    QCOMPARE(t.panel->ListView->rowCount(), 2);
    t.panel->ListView->clearSelection();
    t.panel->ListViewMouseDown();
    QVERIFY(!t.panel->mnuListViewActivarPermiso->isEnabled());
}

void TestPanelRed::comprobarHost_data() {
    QTest::addColumn<Guion>("guion");
    QTest::addColumn<bool>("conServidor");
    QTest::addColumn<QByteArrayList>("enviados");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("texto"); // empty: no box
    const auto fila = [](const char* caso, const Guion& guion, const QByteArrayList& enviados,
                         const char* titulo = "", const char* texto = "") {
        QTest::newRow(caso) << guion << !enviados.isEmpty() << enviados << QString(titulo)
                            << QString::fromUtf8(texto);
    };
    fila("can send", {}, {"HOLA", "VERSION"}, "Resultado:",
         "Puede enviar Notas a la máquina remota.\rVersión del Pinaco remoto: Pinaco v1.4o");
    fila("refused", {{"HOLA", "NOT_ALLOWED"}}, {"HOLA"},
         "Resultado:", "No le está permitido enviar Notas a la máquina remota.");
    fila("greeting unanswered", {{"HOLA", ""}}, {"HOLA"}, "TimeOut",
         "La comunicación se estableció con éxito,\rpero no se recibe respuesta alguna.");
    fila("version unanswered: silent", {{"VERSION", ""}}, {"HOLA", "VERSION"});
    fila("no server", {}, {}, "Resultado:", "No se encontró Servidor en la máquina remota.");
}

void TestPanelRed::comprobarHost() {
    QFETCH(Guion, guion);
    QFETCH(bool, conServidor);
    QFETCH(QByteArrayList, enviados);
    QFETCH(QString, texto);

    ParGuionado par(guion);
    const quint16 puerto = par.Puerto();
    if (!conServidor)
        par.servidor.close();
    // The row's port is used as listed.
    Pestana t({{"127.0.0.1", "Aquí", true, puerto}});
    QList<bool> habilitados;
    QObject::connect(t.panel.get(), &PanelRed::ControlesHabilitados,
                     [&](bool on) { habilitados << on; });
    t.Elegir("127.0.0.1");
    t.panel->mnuListViewComprobarHost->trigger();
    QVERIFY(!t.panel->btnAddNew->isEnabled() && !t.panel->btnEliminar->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(habilitados, QList<bool>({false, true}), 3000);
    QVERIFY(t.panel->btnAddNew->isEnabled() && t.panel->btnPermitirTodos->isEnabled());
    QTRY_COMPARE(par.recibidos, enviados);
    QCOMPARE(t.cajas.vistas.size(), texto.isEmpty() ? 0 : 1);
    if (!texto.isEmpty()) {
        QTEST(t.cajas.vistas[0].Titulo, "titulo");
        QCOMPARE(t.cajas.vistas[0].Texto, texto);
    }
}

QTEST_MAIN(TestPanelRed)
#include "test_panelred.moc"
