// The board without a mouse: the Tab ring, the keys on a note, and what a screen reader reads.
#include "app/BotonRedondo.h"
#include "app/FondoCorcho.h"
#include "app/Pinaco.h"
#include "notes/FrmEliminarNota.h"
#include "notes/Nota.h"

#include "tests/DialogosPrueba.h"
#include "tests/EntornoPrueba.h"
#include "tests/NotaEnSitio.h"

#include <QAccessible>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

class TestTeclado : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { FPinaco.reset(); }
    void tabRecorreBotonesYNotas();
    void flechasMuevenYRedimensionan_data();
    void flechasMuevenYRedimensionan();
    void teclasQueAbren_data();
    void teclasQueAbren();
    void suprimirBorraYPasaALaSiguiente();
    void lectorDePantalla();

private:
    TNota* Nota(QPoint sitio);
    // The key as a person types it: to the focused widget, or to the board.
    void Pulsar(Qt::Key tecla, Qt::KeyboardModifiers mods = {});
    QWidget* Foco() const { return QApplication::focusWidget(); }

    std::unique_ptr<QTemporaryDir> FCarpeta;
    std::unique_ptr<TPinaco> FPinaco;
    Cajas FCajas;
};

void TestTeclado::init() {
    FCarpeta = std::make_unique<QTemporaryDir>();
    AislarConfiguracion(FCarpeta->filePath("config"));
    FPinaco = std::make_unique<TPinaco>(FCarpeta->filePath("pinaco"));
    QSignalSpy cargado(FPinaco.get(), &TPinaco::Cargado);
    QVERIFY(cargado.wait(2000));
    FPinaco->Config.ConfirmarBorrarNota = true;
    FPinaco->resize(700, 600);
    FPinaco->show();
    FPinaco->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FPinaco.get()));
}

TNota* TestTeclado::Nota(QPoint sitio) {
    TNota* nota = FPinaco->CrearNota(true);
    Colocar(nota, sitio);
    return nota;
}

void TestTeclado::Pulsar(Qt::Key tecla, Qt::KeyboardModifiers mods) {
    QTest::keyClick(Foco() ? Foco() : FPinaco.get(), tecla, mods);
}

// Buttons first, then the notes by rows whatever their stacking, then round again; Shift+Tab
// goes back the same way.
void TestTeclado::tabRecorreBotonesYNotas() {
    TNota* abajo = Nota({60, 300});
    TNota* arribaDerecha = Nota({300, 100});
    TNota* arribaIzquierda = Nota({60, 100});
    const QImage sinFoco = arribaIzquierda->grab().toImage();
    const QList<QWidget*> anillo = {FPinaco->PanelAdd,       FPinaco->PanelConfigurar,
                                    FPinaco->PanelOrganizar, FPinaco->PanelBuscar,
                                    FPinaco->PanelMinimizar, FPinaco->PanelMaximizar,
                                    FPinaco->PanelCerrar,    arribaIzquierda,
                                    arribaDerecha,           abajo,
                                    FPinaco->PanelAdd};
    QList<QWidget*> visto;
    FPinaco->setFocus();
    for (int i = 0; i < anillo.size(); ++i) {
        Pulsar(Qt::Key_Tab);
        visto << Foco();
    }
    QCOMPARE(visto, anillo);
    QList<QWidget*> atras;
    for (int i = 0; i < anillo.size() - 1; ++i) {
        Pulsar(Qt::Key_Backtab, Qt::ShiftModifier);
        atras.prepend(Foco());
    }
    QCOMPARE(atras, anillo.mid(0, anillo.size() - 1));
    // Framed when the keys brought the focus there, not after a click.
    arribaIzquierda->setFocus(Qt::MouseFocusReason);
    QCOMPARE(arribaIzquierda->grab().toImage(), sinFoco);
    abajo->setFocus(Qt::TabFocusReason);
    arribaIzquierda->setFocus(Qt::TabFocusReason);
    QVERIFY(arribaIzquierda->grab().toImage() != sinFoco);
    // A note hidden (being edited as a new one) is passed over.
    arribaDerecha->hide();
    Pulsar(Qt::Key_Tab);
    QCOMPARE(Foco(), abajo);
    // The keys go on with a note just added.
    AlAbrirseDialogo([](QDialog* d) { d->accept(); });
    Pulsar(Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(FPinaco->Notas().Cuenta(), 4);
    QCOMPARE(FPinaco->focusWidget(), FPinaco->NotaActual());
}

void TestTeclado::flechasMuevenYRedimensionan_data() {
    QTest::addColumn<int>("tecla");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<QRect>("esperado");
    const auto tecla = [](Qt::Key k) { return int(k); };
    QTest::newRow("derecha") << tecla(Qt::Key_Right) << Qt::KeyboardModifiers{}
                             << QRect(210, 200, 120, 160);
    QTest::newRow("arriba") << tecla(Qt::Key_Up) << Qt::KeyboardModifiers{}
                            << QRect(200, 190, 120, 160);
    QTest::newRow("ctrl izquierda, un pixel")
        << tecla(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::ControlModifier)
        << QRect(199, 200, 120, 160);
    QTest::newRow("mayusculas abajo, mas alta")
        << tecla(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::ShiftModifier)
        << QRect(200, 200, 120, 170);
    QTest::newRow("mayusculas izquierda, mas estrecha")
        << tecla(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::ShiftModifier)
        << QRect(200, 200, 110, 160);
}

// A keyboard move is a drag: the note comes to the front, stays inside the board and a save
// falls due. Shift resizes, never below the note's minimum.
void TestTeclado::flechasMuevenYRedimensionan() {
    QFETCH(int, tecla);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(QRect, esperado);
    TNota* nota = Nota({200, 200});
    Nota({10, 400});
    nota->setFocus();
    QVERIFY(FPinaco->GuardarNotas());
    QVERIFY(!FPinaco->AutoguardadoArmado());
    Pulsar(Qt::Key(tecla), mods);
    QCOMPARE(nota->geometry(), esperado);
    QCOMPARE(FPinaco->NotaActual(), nota);
    QVERIFY(FPinaco->AutoguardadoArmado());
    nota->setMinWidth(nota->width());
    nota->setMinHeight(nota->height());
    for (Qt::Key k : {Qt::Key_Left, Qt::Key_Up})
        Pulsar(k, Qt::ShiftModifier);
    QCOMPARE(nota->size(), esperado.size());
    nota->move(FPinaco->width() - nota->width() - 15, 300);
    for (int i = 0; i < 5; ++i)
        Pulsar(Qt::Key_Right);
    QVERIFY(nota->geometry().right() < FPinaco->width());
}

void TestTeclado::teclasQueAbren_data() {
    QTest::addColumn<QString>("foco");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<QString>("abierto");
    const Qt::KeyboardModifiers nada;
    QTest::newRow("intro en una nota") << "nota" << int(Qt::Key_Return) << nada << "TfrmConfigNota";
    QTest::newRow("intro en una recibida")
        << "red" << int(Qt::Key_Enter) << nada << "TfrmVerNotaNet";
    QTest::newRow("menu en una nota") << "nota" << int(Qt::Key_Menu) << nada << "nota";
    QTest::newRow("mayusculas F10 en una nota")
        << "nota" << int(Qt::Key_F10) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "nota";
    QTest::newRow("menu en el corcho") << "" << int(Qt::Key_Menu) << nada << "fondo";
    QTest::newRow("menu en un boton") << "boton" << int(Qt::Key_Menu) << nada << "fondo";
    QTest::newRow("ctrl N") << "nota" << int(Qt::Key_N)
                            << Qt::KeyboardModifiers(Qt::ControlModifier) << "TfrmConfigNota";
    QTest::newRow("insertar") << "" << int(Qt::Key_Insert) << nada << "TfrmConfigNota";
    QTest::newRow("espacio en un boton")
        << "boton" << int(Qt::Key_Space) << nada << "TfrmBuscarNota";
    QTest::newRow("intro en un boton")
        << "boton" << int(Qt::Key_Return) << nada << "TfrmBuscarNota";
}

// Each key opens what the mouse would open there; a menu opens on the note it is for.
void TestTeclado::teclasQueAbren() {
    QFETCH(QString, foco);
    QFETCH(int, tecla);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(QString, abierto);
    TNota* nota = Nota({100, 100});
    TNota* otra = Nota({300, 100});
    if (foco == "red")
        otra->setColorChincheta(TColorChincheta::Net);
    if (foco == "nota" || foco == "red")
        otra->setFocus();
    else if (foco == "boton")
        FPinaco->PanelBuscar->setFocus();
    if (abierto == "nota" || abierto == "fondo") {
        Pulsar(Qt::Key(tecla), mods);
        QMenu* menu = abierto == "nota" ? FPinaco->PopupMenuNota : FPinaco->PopupMenuFondo;
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        if (abierto == "nota")
            QCOMPARE(FPinaco->NotaActual(), otra);
        return;
    }
    QString visto;
    AlAbrirseDialogo([&](QDialog* d) {
        visto = d->metaObject()->className();
        // A note that comes to the front meanwhile, as a received one does.
        FPinaco->NotaAlFrente(nota);
        d->reject();
    });
    Pulsar(Qt::Key(tecla), mods);
    QTRY_COMPARE(visto, abierto);
    // The new note the user cancelled is gone, also from under that one; the others stay.
    QTRY_COMPARE(FPinaco->Notas().Cuenta(), 2);
    QVERIFY(FPinaco->Notas().Contiene(nota->Id()));
}

// Delete asks first; a no keeps the note, a yes takes the note asked about, and the focus goes
// to the next one.
void TestTeclado::suprimirBorraYPasaALaSiguiente() {
    TNota* primera = Nota({100, 100});
    TNota* segunda = Nota({300, 100});
    const IdNota idPrimera = primera->Id();
    for (const bool acepta : {false, true}) {
        // Offscreen gives no window back its activation when a dialog closes.
        FPinaco->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FPinaco.get()));
        primera->setFocus();
        QString visto;
        AlAbrirseDialogo([&](QDialog* d) {
            visto = d->metaObject()->className();
            // A note that comes to the front meanwhile, as a received one does, stays.
            FPinaco->NotaAlFrente(segunda);
            if (auto* borrar = qobject_cast<TfrmEliminarNota*>(d); borrar && acepta)
                borrar->btnEliminar->click();
            else
                d->reject();
        });
        Pulsar(Qt::Key_Delete);
        QCOMPARE(visto, QString("TfrmEliminarNota"));
        QCOMPARE(FPinaco->Notas().Contiene(idPrimera), !acepta);
        QVERIFY(FPinaco->Notas().Contiene(segunda->Id()));
    }
    // The window's focus, as it stands until the board is active again.
    QCOMPARE(FPinaco->focusWidget(), segunda);
}

// A note is a note named by its text, with pin and due date; a round button a push button
// named by its hint whose press acts; the board and its cork have names.
void TestTeclado::lectorDePantalla() {
    TNota* nota = Nota({100, 100});
    nota->setTexto("Llamar a Ana");
    nota->setColorChincheta(TColorChincheta::Verde);
    nota->setDayExpires(24);
    nota->setMonthExpires(12);
    nota->setYearExpires(2026);
    QAccessibleInterface* deNota = QAccessible::queryAccessibleInterface(nota);
    QCOMPARE(deNota->role(), QAccessible::Note);
    QCOMPARE(deNota->text(QAccessible::Name), QString("Llamar a Ana"));
    QCOMPARE(deNota->text(QAccessible::Description),
             QString("Chincheta Verde. Caduca el 24/12/2026"));
    nota->setColorChincheta(TColorChincheta::Net);
    nota->setReceivedFromIP("10.0.0.7");
    nota->setReceivedFromUser("ana");
    QCOMPARE(deNota->text(QAccessible::Description),
             QString("Nota recibida de ana (10.0.0.7). Caduca el 24/12/2026"));
    nota->setTexto(QString(5000, 'x'));
    QCOMPARE(deNota->text(QAccessible::Name).size(), 1000);

    QAccessibleInterface* boton = QAccessible::queryAccessibleInterface(FPinaco->PanelBuscar);
    QCOMPARE(boton->role(), QAccessible::Button);
    QCOMPARE(boton->text(QAccessible::Name), QString("Buscar Nota"));
    QVERIFY(boton->state().focusable);
    QString visto;
    AlAbrirseDialogo([&](QDialog* d) {
        visto = d->metaObject()->className();
        d->reject();
    });
    boton->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(visto, QString("TfrmBuscarNota"));
    FPinaco->Maximizar();
    QCOMPARE(
        QAccessible::queryAccessibleInterface(FPinaco->PanelMaximizar)->text(QAccessible::Name),
        QString("Restaurar"));
    QCOMPARE(QAccessible::queryAccessibleInterface(FPinaco.get())->text(QAccessible::Name),
             QString("Pinaco"));
    QCOMPARE(QAccessible::queryAccessibleInterface(FPinaco->ChartFondo)->text(QAccessible::Name),
             QString("Corcho"));
}

QTEST_MAIN(TestTeclado)
#include "test_teclado.moc"
