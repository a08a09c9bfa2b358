// The settings' network tab on a real address book; the host check against a loopback peer.
#include "config/PanelRed.h"
#include "storage/ListaIP.h"

#include "tests/DialogosPrueba.h"
#include "tests/ParGuionado.h"
#include "tests/TableroRedFalso.h"

#include "net/ServidorNotas.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {

struct Pestana {
    TableroQueAnota tablero;
    ListaIP& libreta = tablero.libreta;
    std::unique_ptr<PanelRed> panel;
    Cajas cajas;

    explicit Pestana(const QList<std::tuple<QString, QString, bool, qint32>>& entradas) {
        for (const auto& [ip, nombre, permitido, puerto] : entradas)
            libreta.AddIP(ip, nombre, permitido, puerto);
        panel = std::make_unique<PanelRed>(libreta);
        panel->Client.EsperaConexionMs = panel->Client.EsperaRespuestaMs = 300;
    }
    QStringList Columna(int c) const { return ::Columna(panel->ListView, c); }
    void Elegir(const QString& ip) const {
        panel->ListView->selectRow(int(Columna(PanelRed::ColumnaIP).indexOf(ip)));
    }
    // Shown and active, so that keys go where the focus goes.
    bool Mostrar() const {
        panel->show();
        panel->activateWindow();
        return QTest::qWaitForWindowActive(panel.get());
    }
};

// Keys to the focused control; "\t" is Tab and "\r" Enter.
void Teclear(const QString& teclas) {
    for (const QChar c : teclas) {
        QWidget* foco = QApplication::focusWidget();
        if (c == u'\t' || c == u'\r')
            QTest::keyClick(foco, c == u'\t' ? Qt::Key_Tab : Qt::Key_Return);
        else
            QTest::keyClicks(foco, QString(c));
    }
}

struct ContadorPintadas : QObject {
    int pintadas = 0;
    bool eventFilter(QObject*, QEvent* evento) override {
        pintadas += evento->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

class TestPanelRed : public QObject {
    Q_OBJECT
private slots:
    void anadir_data();
    void anadir();
    void camposSeleccionadosAlLlegar();
    void tabSaltaLaLista();
    void filasSiguenALaLibreta();
    void orden();
    void permisosYMenu();
    void comprobarHost();
};

void TestPanelRed::anadir_data() {
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("puerto");
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QStringList>("mensajes"); // empty: added
    const auto fila = [](const char* caso, const char* ip, const char* puerto, const char* nombre,
                         const char* mensaje = nullptr) {
        QTest::newRow(caso) << QString(ip) << QString(puerto) << QString(nombre)
                            << (mensaje ? QStringList{QString::fromUtf8(mensaje)} : QStringList());
    };
    const char* puertoMal = "El Puerto debe ser un valor entre 1024 y 9999";
    fila("pattern; highest port", "192.168.1.*", "9999", "Red");
    fila("same address, other text; lowest port", "10.0.000.1", "1024", "Otro");
    fila("same text", "10.0.0.1", "2222", "X", "Ya existe ese IP!");
    fila("bad IP before empty name", "10.0.0.256", "2222", "", "IP no válido!!!");
    fila("empty name", "10.0.0.3", "2222", "", "Debe especificar un nombre");
    fila("port 1023", "10.0.0.3", "1023", "X", puertoMal);
    fila("port 10000", "10.0.0.3", "10000", "X", puertoMal);
    fila("leading zeros", "10.0.0.3", "01024", "X");
    fila("leading zeros, too high", "10.0.0.3", "000010000", "X", puertoMal);
    // The book's file is Windows-1252 lines: the first character it cannot carry is named,
    // before the later checks.
    const auto noGuardable = [](const char* caracter) {
        return QStringLiteral("El nombre tiene un carácter que la lista de direcciones no puede "
                              "guardar: %1.\rBórrelo o cámbielo por otro y vuelva a añadir.")
            .arg(QString::fromUtf8(caracter))
            .toUtf8();
    };
    fila("Windows-1252 name", "10.0.0.3", "3000", "Zoë € «té»");
    fila("emoji and CJK, bad port after", "10.0.0.3", "1023", "Zoë 🙂 日本",
         noGuardable("«🙂» (U+1F642)").constData());
    fila("CJK on a pattern", "10.0.*.*", "2222", "日本", noGuardable("«日» (U+65E5)").constData());
    fila("LF, existing text after", "10.0.0.1", "2222", "a\nb", noGuardable("U+000A").constData());
    fila("CR", "10.0.0.3", "2222", "a\rb", noGuardable("U+000D").constData());
    fila("Ctrl-Z", "10.0.0.3", "2222", "a\x1A", noGuardable("U+001A (Ctrl-Z)").constData());
}

void TestPanelRed::anadir() {
    QFETCH(QString, ip);
    QFETCH(QString, puerto);
    QFETCH(QString, nombre);
    QFETCH(QStringList, mensajes);
    Pestana t({{"10.0.0.1", "Uno", true, 2222}});
    t.panel->editNewIP->setText(ip);
    t.panel->editNewPuerto->setText(puerto);
    t.panel->editNewNombre->setText(nombre);
    // Enter in the first two fields only moves on; in the name it adds.
    for (QLineEdit* campo : {t.panel->editNewIP, t.panel->editNewPuerto, t.panel->editNewNombre})
        QTest::keyClick(campo, Qt::Key_Return);
    QCOMPARE(t.cajas.Textos(), mensajes);
    QCOMPARE(t.libreta.Entradas().size(), size_t(mensajes.isEmpty() ? 2 : 1));
    if (mensajes.isEmpty()) {
        QVERIFY(t.libreta.PermisoExactoIP(ip));
        QCOMPARE(t.libreta.PuertoDeIP(ip), puerto.toInt());
        QCOMPARE(t.panel->IPSeleccionada(), ip);
    }
}

// Reached by Tab, by Enter or after a refusal, a field's text is replaced by what is typed.
void TestPanelRed::camposSeleccionadosAlLlegar() {
    Pestana t({{"10.0.0.5", "Cinco", true, 2222}});
    QVERIFY(t.Mostrar());
    t.panel->btnAddNew->setFocus();
    t.panel->editNewIP->setFocus(Qt::TabFocusReason);
    Teclear("127.0.0.1\r1023\tYo\r3102\rYo\r");
    QCOMPARE(t.cajas.Textos(), QStringList{"El Puerto debe ser un valor entre 1024 y 9999"});
    QCOMPARE(t.libreta.NombreDeIP("127.0.0.1"), "Yo");
    QCOMPARE(t.libreta.PuertoDeIP("127.0.0.1"), 3102);
}

// Tab leaves the list in one press and leaves its selection alone.
void TestPanelRed::tabSaltaLaLista() {
    Pestana t({{"10.0.0.1", "Uno", true, 2222},
               {"10.0.0.2", "Dos", true, 2222},
               {"10.0.0.3", "Tres", true, 2222}});
    QVERIFY(t.Mostrar());
    t.Elegir("10.0.0.2");
    t.panel->ListView->setFocus(Qt::TabFocusReason);
    Teclear("\t");
    QCOMPARE(QApplication::focusWidget(), t.panel->btnPermitirTodos);
    QCOMPARE(t.panel->IPSeleccionada(), "10.0.0.2");
}

// A restoration by the note server while the tab is open shows at once, the selection kept.
void TestPanelRed::filasSiguenALaLibreta() {
    Pestana t({{"10.0.0.1", "Uno", true, 2222}, {"127.0.0.9", "Nueve", false, 2222}});
    nodoListaIP* retirada = t.libreta.BuscarIP("127.0.0.9");
    retirada->FechaRetiro = "01-01-2000";
    retirada->HoraRetiro = "00:00:00";
    retirada->Puerto = 3102; // a port update came in meanwhile
    t.tablero.ajustes.RetiroTemporal = true;
    ServidorNotas servidor(t.tablero, t.libreta, QString());
    servidor.FijarReglas(t.tablero.Reglas());
    QObject::connect(&servidor, &ServidorNotas::LibretaCambiada, t.panel.get(),
                     &PanelRed::LibretaCambiada);
    QVERIFY(t.Mostrar());
    t.Elegir("10.0.0.1");
    ContadorPintadas contador;
    t.panel->ListView->viewport()->installEventFilter(&contador);
    QTest::qWait(50);
    contador.pintadas = 0;
    servidor.TimerRetiroTemporalTimer();
    QVERIFY(t.libreta.PermisoExactoIP("127.0.0.9"));
    QTRY_VERIFY(contador.pintadas > 0);
    QCOMPARE(t.Columna(PanelRed::ColumnaPuerto), QStringList({"2222", "3102"}));
    QCOMPARE(t.panel->IPSeleccionada(), "10.0.0.1");
}

void TestPanelRed::orden() {
    Pestana t({{"10.2.0.5", "beta", true, 2222},
               {"10.*.*.*", "Alfa", true, 2222},
               {"10.001.0.5", "alfa", true, 2222},
               {"10.3.0.1", "beta", true, 2222}});
    // A "*" group is keyed "00*", before "001"; descending, its inverted "99*" still goes first.
    QCOMPARE(t.Columna(PanelRed::ColumnaIP),
             QStringList({"10.*.*.*", "10.001.0.5", "10.2.0.5", "10.3.0.1"}));
    QCOMPARE(t.panel->IPSeleccionada(), "10.*.*.*");
    t.panel->ListViewColumnClick(PanelRed::ColumnaIP);
    QCOMPARE(t.Columna(PanelRed::ColumnaIP),
             QStringList({"10.*.*.*", "10.3.0.1", "10.2.0.5", "10.001.0.5"}));
    // Equal names keep the book's order either way; the book's last entry ends selected.
    t.panel->ListViewColumnClick(PanelRed::ColumnaNombre);
    QCOMPARE(t.Columna(PanelRed::ColumnaIP),
             QStringList({"10.*.*.*", "10.001.0.5", "10.2.0.5", "10.3.0.1"}));
    t.panel->ListViewColumnClick(PanelRed::ColumnaNombre);
    QCOMPARE(t.Columna(PanelRed::ColumnaIP),
             QStringList({"10.2.0.5", "10.3.0.1", "10.001.0.5", "10.*.*.*"}));
    QCOMPARE(t.panel->IPSeleccionada(), "10.3.0.1");
}

void TestPanelRed::permisosYMenu() {
    Pestana t({{"10.0.0.1", "Uno", true, 2222},
               {"10.0.0.2", "Dos", false, 2222},
               {"*.*.*.*", "(Desconocido)", false, 2222}});
    t.Elegir("10.0.0.2");
    t.panel->btnPermitirNinguno->click();
    for (const nodoListaIP& e : t.libreta.Entradas())
        QVERIFY(!e.Permitido);
    t.panel->ListViewDblClick(); // the selected row
    QVERIFY(t.libreta.PermisoExactoIP("10.0.0.2"));
    t.panel->PermisoDeSeleccionada(false);
    QVERIFY(!t.libreta.PermisoExactoIP("10.0.0.2"));

    // The wildcard goes from the running book; the menu follows the selection.
    t.Elegir("*.*.*.*");
    t.panel->ListViewMouseDown();
    QVERIFY(t.panel->mnuListViewEliminar->isEnabled());
    QVERIFY(!t.panel->mnuListViewComprobarHost->isEnabled());
    t.panel->mnuListViewEliminar->trigger();
    QVERIFY(!t.libreta.ExisteIP("*.*.*.*"));
    QCOMPARE(t.panel->ListView->Filas(), 2);
    t.panel->ListView->clearSelection();
    t.panel->ListViewMouseDown();
    QVERIFY(!t.panel->mnuListViewActivarPermiso->isEnabled());
}

void TestPanelRed::comprobarHost() {
    // The peer's script, what it gets (nothing: nobody listens) and the box shown, if any.
    const std::tuple<Guion, QByteArrayList, const char*> casos[] = {
        {{},
         {"HOLA", "VERSION"},
         "Puede enviar Notas a la máquina remota.\rVersión del Pinaco remoto: Pinaco v1.4o"},
        {{{"HOLA", "NOT_ALLOWED"}},
         {"HOLA"},
         "No le está permitido enviar Notas a la máquina remota."},
        {{{"HOLA", ""}},
         {"HOLA"},
         "La comunicación se estableció con éxito,\rpero no se recibe respuesta alguna."},
        {{{"VERSION", ""}}, {"HOLA", "VERSION"}, nullptr}, // version unanswered: silent
        {{}, {}, "No se encontró Servidor en la máquina remota."}};
    for (const auto& [guion, enviados, texto] : casos) {
        ParGuionado par(guion);
        const quint16 puerto = par.Puerto();
        if (enviados.isEmpty())
            par.servidor.close();
        // The row's port is used as listed.
        Pestana t({{"127.0.0.1", "Aquí", true, puerto}});
        t.cajas.alMostrar = [&] { MantenerAbierta(2 * t.panel->Client.EsperaRespuestaMs + 100); };
        QList<bool> habilitados;
        QObject::connect(t.panel.get(), &PanelRed::ControlesHabilitados,
                         [&](bool on) { habilitados << on; });
        t.Elegir("127.0.0.1");
        t.panel->mnuListViewComprobarHost->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(habilitados, QList<bool>({false, true}), 3000);
        QVERIFY(t.panel->btnAddNew->isEnabled() && t.panel->btnPermitirTodos->isEnabled());
        QTRY_COMPARE(par.recibidos, enviados);
        // The box is queued behind the socket's handler.
        QCoreApplication::sendPostedEvents();
        QCOMPARE(t.cajas.Textos(), texto ? QStringList{QString::fromUtf8(texto)} : QStringList());
    }
}

QTEST_MAIN(TestPanelRed)
#include "test_panelred.moc"
