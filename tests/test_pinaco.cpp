// The board's data files, autosave and shutdown, and its work with the notes.
#include "app/ArrastreRaton.h"
#include "app/DialogosSinMinimizar.h"
#include "app/FondoCorcho.h"
#include "app/Pinaco.h"
#include "app/RutasDatos.h"
#include "app/TraduccionesQt.h"
#include "core/GeometriaNotas.h"
#include "core/VigiaCaducadas.h"
#include "net/SesionNota.h"
#include "notes/FrmBuscarNota.h"
#include "notes/FrmConfigNota.h"
#include "notes/FrmNotaCaduca.h"
#include "notes/FrmVerNotaNet.h"
#include "notes/Nota.h"
#include "storage/ArchivoNotas.h"

#include "tests/ArchivosPrueba.h"
#include "tests/DialogosPrueba.h"
#include "tests/EntornoPrueba.h"
#include "tests/NotaEnSitio.h"
#include "tests/PuertoLibre.h"

#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <QtTest>
#include <sys/resource.h>

namespace {

int Avanzar(TPinaco& pinaco, int ticks) {
    QSignalSpy guardados(&pinaco, &TPinaco::NotasGuardadas);
    for (int i = 0; i < ticks; ++i)
        pinaco.TimerGuardarNotasTimer();
    return int(guardados.count());
}

// The board's notes as widgets, topmost first.
QList<TNota*> NotasEnOrden(const TPinaco& pinaco) {
    QList<TNota*> notas;
    for (IdNota id : pinaco.Notas().Orden())
        notas.append(pinaco.Vista(id));
    return notas;
}

// The note widgets as the board stacks them, topmost first.
QList<TNota*> NotasApiladas(const TPinaco& pinaco) {
    QList<TNota*> notas;
    for (QWidget* w : pinaco.Apilado())
        if (auto* nota = qobject_cast<TNota*>(w))
            notas.prepend(nota);
    return notas;
}

// The notes an expired-notes dialog shows, stepping through to the last; then it closes.
QList<IdNota> RecorrerCaducadas(QDialog* d) {
    auto* caducas = qobject_cast<TfrmNotaCaduca*>(d);
    QList<IdNota> ids;
    if (!caducas) {
        d->reject();
        return ids;
    }
    ids << caducas->IdActual();
    while (caducas->btnSig->isEnabled()) {
        caducas->btnSig->click();
        ids << caducas->IdActual();
    }
    d->reject();
    return ids;
}

TNota* NotaQueVence(TPinaco& pinaco, QDate limite) {
    TNota* nota = pinaco.CrearNota(true);
    nota->setDayExpires(quint8(limite.day()));
    nota->setMonthExpires(quint8(limite.month()));
    nota->setYearExpires(limite.year());
    return nota;
}

} // namespace

class TestPinaco : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void rutasDeDatos();
    void traduccionesDeQt();
    void dialogoMinimizadoVuelve();
    void autoguardadoYCierre();
    void ratonSobreLasNotas();
    void edicionAceptadaLlegaALaNota_data();
    void edicionAceptadaLlegaALaNota();
    void notaRecibidaSeApartaDeLasOtras();
    void notaGuardadaEnormeSeAcota();
    void alFondoYBorrar();
    void borradaVuelve();
    void organizarOrdenaListaYApilado();
    void caducadaEliminadaDejaElTablero();
    void caducadasAlCambiarElDia_data();
    void caducadasAlCambiarElDia();
    void anuncioAbiertoNoSeDuplica();
    void busquedaSubeLaNotaDeLaFila();
    void guardarYCargarConservaNotasYOrden();
    void conversionConservaLibretaYBytesTrasCtrlZ();
    void sinCargarNoSeEscribeNada();
    void guardadoFallidoAlCerrarSeRecuperaAlArrancar();
    void autoguardadoFallidoNoCierraElServidorNiPierdeNotas();
    void muchasNotasSeMuestranSinAgotarLaPila();

private:
    void Arrancar(int espera = 2000);
    // Started with the board's clock at FAhora.
    void ArrancarConReloj();
    QDateTime FAhora;
    QString Ruta(const QString& nombre) const { return FCarpeta->filePath(nombre); }
    std::unique_ptr<QTemporaryDir> FCarpeta;
    std::unique_ptr<TPinaco> FPinaco;
    Cajas FCajas;
};

void TestPinaco::init() {
    FCarpeta = std::make_unique<QTemporaryDir>();
    AislarConfiguracion(Ruta("config"));
    FCajas.vistas.clear();
    FCajas.alMostrar = {};
}

void TestPinaco::cleanup() {
    FPinaco.reset();
}

void TestPinaco::Arrancar(int espera) {
    FPinaco = std::make_unique<TPinaco>(Ruta("pinaco"));
    QSignalSpy cargado(FPinaco.get(), &TPinaco::Cargado);
    QVERIFY(cargado.wait(espera));
}

void TestPinaco::ArrancarConReloj() {
    FPinaco = std::make_unique<TPinaco>(Ruta("pinaco"));
    FPinaco->Vigia().FijarReloj([this] { return FAhora; });
    QVERIFY(!FPinaco->Vigia().Activa());
    QSignalSpy cargado(FPinaco.get(), &TPinaco::Cargado);
    QVERIFY(cargado.wait(2000));
    QVERIFY(FPinaco->Vigia().Activa());
    QCOMPARE(FPinaco->Vigia().UltimaComprobada(), FAhora.date());
}

// Qt's own dialogs and buttons speak Spanish whatever the locale the test runs under.
void TestPinaco::traduccionesDeQt() {
    QVERIFY(CargarTraduccionesQt());
    auto quitar = qScopeGuard([] {
        for (auto* t : qApp->findChildren<QTranslator*>())
            QCoreApplication::removeTranslator(t), delete t;
    });
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancelar"));
    QVERIFY(QCoreApplication::translate("QFileDialog", "Look in:") != QString("Look in:"));
}

// The window manager iconifies the dialog and the window it belongs to; both come back.
void TestPinaco::dialogoMinimizadoVuelve() {
    DialogosSinMinimizar filtro;
    qApp->installEventFilter(&filtro);
    QWidget dueno;
    dueno.show();
    QDialog dialogo(&dueno);
    dialogo.show();
    dueno.setWindowState(Qt::WindowMinimized);
    dialogo.setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(!dialogo.isMinimized());
    QVERIFY(!dueno.isMinimized());
}

void TestPinaco::rutasDeDatos() {
    QCOMPARE(RutaJuntoAlPrograma("/opt/pinaco.v1.4.bin", "DAT"), QString("/opt/pinaco.v1.4.DAT"));
    QCOMPARE(RutaJuntoAlPrograma("/opt/app.d/pinaco", "DAT"), QString("/opt/app.d/pinaco.DAT"));
    // The installed program keeps its data per user, even for a user who can write there.
    const QString porUsuario = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QCOMPARE(RutaArchivoDatos(CarpetaInstalada() + "/pinaco", "DAT"), porUsuario + "/pinaco.DAT");
}

// Nothing changed, nothing saved; a change saves at tick 300, a received note 30 ticks after
// its start, also when it completes meanwhile. The shutdown saves once.
void TestPinaco::autoguardadoYCierre() {
    Arrancar();
    QVERIFY(!FPinaco->AutoguardadoArmado());
    QCOMPARE(Avanzar(*FPinaco, 200), 0);
    FPinaco->MarcarNotasCambiadas();
    QCOMPARE(Avanzar(*FPinaco, 299), 0);
    QCOMPARE(Avanzar(*FPinaco, 1), 1);
    FPinaco->IniciarNotaEntrante();
    QCOMPARE(Avanzar(*FPinaco, 29), 0);
    QCOMPARE(Avanzar(*FPinaco, 1), 1);
    FPinaco->IniciarNotaEntrante();
    QCOMPARE(Avanzar(*FPinaco, 10), 0);
    FPinaco->CrearNota(true);
    QCOMPARE(Avanzar(*FPinaco, 19), 0);
    QCOMPARE(Avanzar(*FPinaco, 1), 1);
    FPinaco->CrearNota(true);
    QSignalSpy guardados(FPinaco.get(), &TPinaco::NotasGuardadas);
    FPinaco->FormDestroy();
    FPinaco->FormDestroy();
    FPinaco.reset();
    QCOMPARE(guardados.count(), 1);
}

void TestPinaco::ratonSobreLasNotas() {
    Arrancar();
    TNota* nota = FPinaco->CrearNota(true);
    const auto abrirConDobleClic = [nota] {
        QString abierto;
        AlAbrirseDialogo([&](QDialog* d) {
            abierto = d->metaObject()->className();
            if (auto* visor = qobject_cast<TfrmVerNotaNet*>(d))
                abierto += ": " + visor->lblReceivedFromUser->text();
            d->reject();
        });
        QTest::mouseDClick(nota, Qt::LeftButton, {}, QPoint(60, 20));
        return abierto;
    };
    QCOMPARE(abrirConDobleClic(), QString("TfrmConfigNota"));
    QTest::mouseMove(nota, QPoint(100, 100));
    QCOMPARE(nota->pos(), QPoint(40, 70)); // cancelled, not dragged, still there
    QCOMPARE(FPinaco->Notas().Cuenta(), 1);
    // The guard took only the double-click's own press: the next press drags.
    QTest::mousePress(nota, Qt::LeftButton, {}, QPoint(60, 20));
    QVERIFY(ArrastreRaton::EnCurso());
    QTest::mouseRelease(nota, Qt::LeftButton, {}, QPoint(60, 20));
    // New notes are due today, each one last in the list.
    TNota* segunda = FPinaco->CrearNota(true);
    QCOMPARE(FPinaco->Vista(FPinaco->Notas().Ultimo()), segunda);
    QCOMPARE(QDate(segunda->YearExpires(), segunda->MonthExpires(), segunda->DayExpires()),
             QDate::currentDate());
    // The right button does not drag; its release opens the note menu.
    QTest::mousePress(nota, Qt::RightButton, {}, QPoint(60, 20));
    QVERIFY(!ArrastreRaton::EnCurso());
    QTest::mouseRelease(nota, Qt::RightButton, {}, QPoint(90, 60));
    QTRY_VERIFY(FPinaco->PopupMenuNota->isVisible());
    FPinaco->PopupMenuNota->hide();
    // Dragged, the note comes to the front and stays inside the board.
    QTest::mousePress(nota, Qt::LeftButton, {}, QPoint(60, 20));
    QCOMPARE(FPinaco->NotaActual(), nota);
    QTest::mouseMove(FPinaco.get(), QPoint(-100, 140));
    // The record takes the place when the drag ends, not on every move; the grip's likewise.
    const auto guardada = [&] { return FPinaco->Notas().Geometria(nota->Id()); };
    QCOMPARE(guardada().topLeft(), QPoint(40, 70));
    QTest::mouseRelease(FPinaco.get(), Qt::LeftButton, {}, QPoint(-100, 140));
    QCOMPARE(nota->pos(), QPoint(15, 120));
    QCOMPARE(guardada(), nota->geometry());
    // The grip stops at the minimum size.
    QTest::mousePress(nota, Qt::LeftButton, {}, nota->AreaAgarradera().center());
    QMouseEvent tirar(QEvent::MouseMove, QPointF(10, 10), nota->mapToGlobal(QPointF(10, 10)),
                      Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(nota, &tirar);
    QCOMPARE(nota->size(), QSize(80, 100));
    QCOMPARE(guardada().size(), QSize(120, 160));
    QTest::mouseRelease(nota, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(guardada(), nota->geometry());
    // A received note opens in the viewer, with the sender's name from the address book.
    nota->setColorChincheta(TColorChincheta::Net);
    nota->setReceivedFromIP("10.0.0.7");
    FPinaco->ListaDirecciones().AddIP("10.0.0.7", "Oficina", true, 2222);
    QCOMPARE(abrirConDobleClic(), QString("TfrmVerNotaNet: Oficina  (10.0.0.7)"));
}

void TestPinaco::edicionAceptadaLlegaALaNota_data() {
    QTest::addColumn<bool>("recibida");
    QTest::newRow("editor: el texto") << false;
    QTest::newRow("visor: la fuente") << true;
}

// What OK writes in the editor or the viewer reaches the note; where the note is meanwhile
// is the board's and stays.
void TestPinaco::edicionAceptadaLlegaALaNota() {
    QFETCH(bool, recibida);
    Arrancar();
    TNota* nota = FPinaco->CrearNota(true);
    if (recibida)
        nota->setColorChincheta(TColorChincheta::Net);
    DatosNota esperado = nota->Datos();
    const FuenteNota elegida{QFont("DejaVu Serif", 14), 0x00FF00};
    AlAbrirseDialogo([&](QDialog* d) {
        Colocar(nota, nota->pos() + QPoint(5, 9));
        if (auto* visor = qobject_cast<TfrmVerNotaNet*>(d)) {
            visor->ElegirFuente = [&](const FuenteNota&, QWidget*) { return elegida; };
            visor->btnFuente->click();
            visor->BitBtnOK->click();
        } else if (auto* editor = qobject_cast<TfrmConfigNota*>(d)) {
            editor->MemoTexto->setPlainText("nuevo");
            editor->BitBtnOK->click();
        }
    });
    FPinaco->mnuNotaEditarClick();
    esperado.Left += 5;
    esperado.Top += 9;
    if (recibida) {
        esperado.FontName = "DejaVu Serif";
        esperado.FontSize = 14;
        esperado.FontStyle = 0;
        esperado.FontColor = 0x00FF00;
    } else {
        esperado.Texto = "nuevo";
    }
    QCOMPARE(nota->Datos(), esperado);
}

// A received note goes on top with the Net pin, 7 pixels down-right at a time until it
// overlaps no other note; bounds from the wire cannot overflow or make a giant note.
void TestPinaco::notaRecibidaSeApartaDeLasOtras() {
    Arrancar();
    FPinaco->CrearNota(true); // at 40,70
    FPinaco->CrearNota(true); // at 48,78
    DatosNota pendiente;
    pendiente.Left = 40;
    pendiente.Top = 70;
    const QDateTime ahora(QDate(2026, 12, 6), QTime(10, 0, 0));
    FPinaco->ColocarNotaRecibida(NotaRecibida(pendiente, ahora, "10.0.0.7", "Ana"));
    TNota* nota = FPinaco->NotaActual();
    QCOMPARE(nota->ColorChincheta(), TColorChincheta::Net);
    QVERIFY(nota->isVisible());
    const QPoint paso = nota->pos() - QPoint(40, 70);
    QVERIFY(paso.x() == paso.y() && paso.x() > 0 && paso.x() % 7 == 0);
    QVERIFY(!FPinaco->NotaSolapada(0));
    Colocar(nota, nota->pos() - QPoint(7, 7)); // one step less still overlaps
    QVERIFY(FPinaco->NotaSolapada(0));
    // A giant note with a giant font lies within the board's margins, its text whole.
    pendiente.Left = pendiente.Top = pendiente.Width = pendiente.Height = INT_MAX;
    pendiente.FontSize = 500;
    pendiente.Texto = QString(100000, u'a');
    FPinaco->ColocarNotaRecibida(NotaRecibida(pendiente, ahora, "10.0.0.7", "Ana"));
    FPinaco->ColocarNotaRecibida(NotaRecibida(pendiente, ahora, "10.0.0.7", "Ana"));
    const TNota* grande = FPinaco->NotaActual();
    QVERIFY(FPinaco->rect().adjusted(15, 15, -15, -15).contains(grande->geometry()));
    QCOMPARE(grande->FontSize(), kMaxFuenteRecibida);
    QCOMPARE(grande->Texto(), pendiente.Texto);
}

// A stored note is held to the bounds of a received one.
void TestPinaco::notaGuardadaEnormeSeAcota() {
    DatosNota enorme;
    enorme.Left = enorme.Top = enorme.Width = enorme.Height = INT_MAX;
    enorme.YearExpires = 2099;
    QCOMPARE(GuardarArchivoNotas(Ruta("pinaco.DAT"), {enorme}), ErrorArchivo::Ninguno);
    Arrancar();
    const QRect nota = FPinaco->NotaActual()->geometry();
    QVERIFY(nota.width() <= 10000 && nota.height() <= 10000);
}

// A deleted note comes back, by Ctrl+Z or the menu, on top and whole, the last deleted first,
// also after a restart; a new note cancelled in its editor is no deleted one.
void TestPinaco::borradaVuelve() {
    Arrancar();
    TNota* a = FPinaco->CrearNota(true);
    a->setTexto("primera");
    TNota* b = FPinaco->CrearNota(true);
    Colocar(b, QRect(200, 150, 150, 170));
    b->setTexto("segunda\rlínea");
    const DatosNota datosA = a->Datos(), datosB = b->Datos();
    FPinaco->BorrarNota(a->Id());
    FPinaco->Config.ConfirmarBorrarNota = false;
    FPinaco->NotaAlFrente(b);
    FPinaco->mnuNotaBorrarClick();
    AlAbrirseDialogo([](QDialog* d) { d->reject(); });
    FPinaco->mnuFondoAddNotaClick();
    FPinaco.reset();
    Arrancar();
    QVERIFY(FPinaco->Notas().Vacio());
    QTest::keyClick(FPinaco.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(FPinaco->Notas().Cuenta(), 1);
    QCOMPARE(FPinaco->NotaActual()->Datos(), datosB);
    FPinaco->PopupMenuFondo->popup({0, 0});
    QTRY_VERIFY(FPinaco->PopupMenuFondo->isVisible());
    QTest::keyClick(FPinaco->PopupMenuFondo, Qt::Key_R);
    QCOMPARE(FPinaco->NotaActual()->Datos(), datosA);
    QCOMPARE(FPinaco->Vista(FPinaco->Notas().Ultimo())->Datos(), datosB);
    QCOMPARE(FPinaco->RecuperarNotaBorrada(), nullptr);
}

void TestPinaco::alFondoYBorrar() {
    Arrancar();
    TNota* sola = FPinaco->CrearNota(true);
    TNota* b = FPinaco->CrearNota(true);
    FPinaco->CrearNota(true);
    FPinaco->mnuNotaAlFondoClick();
    QCOMPARE(FPinaco->NotaActual(), b);
    QCOMPARE(FPinaco->Vista(FPinaco->Notas().Ultimo()), sola);
    const QList<QWidget*> pila = FPinaco->Apilado(); // below every note, above the cork
    QVERIFY(pila.indexOf(FPinaco->ChartFondo) < pila.indexOf(sola));
    // Refused, the current note stays (a change all the same); confirmed, it goes.
    FPinaco->NotaAlFrente(b);
    FPinaco->GuardarNotas();
    AlAbrirseDialogo([](QDialog* d) { d->reject(); });
    FPinaco->mnuNotaBorrarClick();
    QCOMPARE(FPinaco->Notas().Cuenta(), 3);
    QVERIFY(FPinaco->AutoguardadoArmado());
    FPinaco->Config.ConfirmarBorrarNota = false;
    QPointer<TNota> vigilada(b);
    FPinaco->mnuNotaBorrarClick();
    QCOMPARE(FPinaco->Notas().Cuenta(), 2);
    QTRY_VERIFY(vigilada.isNull());
    // A new note cancelled in its editor is discarded, and only it.
    AlAbrirseDialogo([](QDialog* d) { d->reject(); });
    FPinaco->mnuFondoAddNotaClick();
    QCOMPARE(FPinaco->Notas().Cuenta(), 2);
}

// Organised, the notes take the new order in the list and on the board, a change to save;
// cancelled, nothing moves.
void TestPinaco::organizarOrdenaListaYApilado() {
    Arrancar();
    QList<TNota*> creadas;
    for (const int mes : {3, 1, 2}) {
        creadas.append(FPinaco->CrearNota(true));
        creadas.last()->setMonthCreated(quint8(mes));
    }
    const QList<TNota*> pila = NotasApiladas(*FPinaco);
    for (const bool acepta : {false, true}) {
        FPinaco->GuardarNotas();
        AlAbrirseDialogo([acepta](QDialog* d) { acepta ? d->accept() : d->reject(); });
        FPinaco->mnuFondoOrganizarClick();
        // The dialog opens on creation date, ascending.
        const QList<TNota*> orden =
            acepta ? QList<TNota*>{creadas[1], creadas[2], creadas[0]} : creadas;
        QCOMPARE(NotasEnOrden(*FPinaco), orden);
        QCOMPARE(NotasApiladas(*FPinaco), acepta ? orden : pila);
        QCOMPARE(FPinaco->AutoguardadoArmado(), acepta);
    }
}

// Eliminar in the expired notes takes the note shown off the board, a change to save.
void TestPinaco::caducadaEliminadaDejaElTablero() {
    Arrancar();
    TNota* vigente = FPinaco->CrearNota(true);
    vigente->setYearExpires(QDate::currentDate().year() + 1);
    TNota* vencida = FPinaco->CrearNota(true);
    TNota* otra = FPinaco->CrearNota(true);
    QPointer<TNota> vigilada(vencida);
    FPinaco->GuardarNotas();
    AlAbrirseDialogo([](QDialog* d) {
        auto* caducas = qobject_cast<TfrmNotaCaduca*>(d);
        QVERIFY(caducas);
        caducas->btnEliminarNota->click();
        d->accept();
    });
    FPinaco->ComprobarNotasCaducadas();
    QCOMPARE(NotasEnOrden(*FPinaco), (QList<TNota*>{vigente, otra}));
    QTRY_VERIFY(vigilada.isNull());
    QVERIFY(FPinaco->AutoguardadoArmado());
}

void TestPinaco::caducadasAlCambiarElDia_data() {
    QTest::addColumn<QString>("abierto");  // the dialog open when the date changes
    QTest::addColumn<bool>("borrarAntes"); // one of the new notes, before they are shown
    QTest::newRow("medianoche") << QString() << false;
    QTest::newRow("borrada antes del anuncio") << QString() << true;
    QTest::newRow("con el editor abierto") << QString("editor") << false;
    QTest::newRow("borrada con el editor abierto") << QString("editor") << true;
    QTest::newRow("con las caducadas abiertas") << QString("caducadas") << false;
}

// At midnight the dialog shows the notes due on the new day and no other; never on top of
// another dialog, and without a note deleted meanwhile.
void TestPinaco::caducadasAlCambiarElDia() {
    QFETCH(QString, abierto);
    QFETCH(bool, borrarAntes);
    const QDate dia(2031, 2, 27);
    FAhora = QDateTime(dia, QTime(23, 59, 30));
    ArrancarConReloj();
    NotaQueVence(*FPinaco, dia.addDays(-3));
    NotaQueVence(*FPinaco, dia);
    const IdNota b = NotaQueVence(*FPinaco, dia.addDays(1))->Id();
    NotaQueVence(*FPinaco, dia.addDays(2));
    const IdNota c = NotaQueVence(*FPinaco, dia.addDays(1))->Id();
    QList<IdNota> esperadas{b, c};
    if (borrarAntes)
        esperadas.removeOne(b);

    QString encima; // a dialog that opened on top of the one open
    auto medianoche = [&] {
        FAhora = QDateTime(dia.addDays(1), QTime(0, 0, 0, 50));
        FPinaco->Vigia().Comprobar();
        if (borrarAntes)
            FPinaco->BorrarNota(b);
    };
    auto estorbar = [&](QDialog* d) {
        medianoche();
        MantenerAbierta(400);
        if (QWidget* arriba = QApplication::activeModalWidget(); arriba != d)
            encima = arriba ? arriba->metaObject()->className() : "ninguno";
        d->reject();
    };
    if (abierto == "editor") {
        QDialog editor(FPinaco.get());
        AlAbrirseDialogo(estorbar);
        editor.exec();
    } else if (abierto == "caducadas") {
        AlAbrirseDialogo(estorbar);
        FPinaco->ComprobarNotasCaducadas();
    } else {
        medianoche();
    }
    QCOMPARE(encima, QString());
    QList<IdNota> mostradas;
    bool visto = false;
    AlAbrirseDialogo([&](QDialog* d) {
        mostradas = RecorrerCaducadas(d);
        visto = true;
    });
    QTRY_VERIFY(visto);
    QCOMPARE(mostradas, esperadas);
    // The same day again announces nothing.
    visto = false;
    FPinaco->Vigia().Comprobar();
    MantenerAbierta(100);
    QVERIFY(!visto);
}

// A second day comes while the first day's notes are shown: no second dialog over it; its
// notes follow once it closes.
void TestPinaco::anuncioAbiertoNoSeDuplica() {
    const QDate dia(2031, 12, 30);
    FAhora = QDateTime(dia, QTime(23, 0));
    ArrancarConReloj();
    const IdNota a = NotaQueVence(*FPinaco, dia.addDays(1))->Id();
    const IdNota b = NotaQueVence(*FPinaco, dia.addDays(2))->Id();
    QList<QList<IdNota>> mostradas;
    QString encima;
    AlAbrirseDialogo([&](QDialog* d) {
        FAhora = FAhora.addDays(1);
        FPinaco->Vigia().Comprobar();
        MantenerAbierta(400);
        if (QWidget* arriba = QApplication::activeModalWidget(); arriba != d)
            encima = arriba ? arriba->metaObject()->className() : "ninguno";
        mostradas << RecorrerCaducadas(d);
        AlAbrirseDialogo([&](QDialog* siguiente) { mostradas << RecorrerCaducadas(siguiente); });
    });
    FAhora = FAhora.addDays(1);
    FPinaco->Vigia().Comprobar();
    QTRY_COMPARE(mostradas.size(), 2);
    QCOMPARE(encima, QString());
    QCOMPARE(mostradas, (QList<QList<IdNota>>{{a}, {b}}));
}

// A double click in the search brings the row's note to the front, unless it has left the
// board meanwhile; the board's order stays.
void TestPinaco::busquedaSubeLaNotaDeLaFila() {
    Arrancar();
    TNota* x = FPinaco->CrearNota(true);
    x->setTexto("x");
    TNota* a = FPinaco->CrearNota(true);
    a->setTexto("a");
    TNota* b = FPinaco->CrearNota(true);
    b->setTexto("b");
    const auto arriba = [this] { return NotasApiladas(*FPinaco).value(0); };
    QCOMPARE(arriba(), b);
    QList<TNota*> vistas;
    AlAbrirseDialogo([&](QDialog* d) {
        auto* buscar = qobject_cast<TfrmBuscarNota*>(d);
        QVERIFY(buscar);
        for (const int fila : {0, 1}) { // by text: a, b, x
            if (fila == 1)
                FPinaco->BorrarNota(b->Id());
            buscar->ListView->selectRow(fila);
            buscar->ListViewDblClick();
            vistas.append(arriba());
        }
        d->reject();
    });
    FPinaco->mnuFondoBuscarNotaClick();
    QCOMPARE(vistas, (QList<TNota*>{a, a}));
    QCOMPARE(NotasEnOrden(*FPinaco), (QList<TNota*>{x, a}));
}

void TestPinaco::guardarYCargarConservaNotasYOrden() {
    Arrancar();
    TNota* a = FPinaco->CrearNota(true);
    a->setTexto("arriba\rsegunda línea"); // the form a loaded text has
    TNota* b = FPinaco->CrearNota(true);
    b->setColorChincheta(TColorChincheta::None);
    Colocar(b, QRect(200, 150, 150, 170));
    a->setYearExpires(2099); // not yet due: no dialog at start-up
    b->setYearExpires(2099);
    const DatosNota datosA = a->Datos(), datosB = b->Datos();
    FPinaco.reset(); // the shutdown saves
    const QByteArray guardado = LeerBytes(Ruta("pinaco.DAT"));
    Arrancar();
    QCOMPARE(FPinaco->NotaActual()->Datos(), datosA);
    QCOMPARE(FPinaco->Vista(FPinaco->Notas().Ultimo())->Datos(), datosB);
    QCOMPARE(NotasApiladas(*FPinaco), NotasEnOrden(*FPinaco));
    FPinaco.reset();
    QCOMPARE(LeerBytes(Ruta("pinaco.DAT")), guardado);
}

// Stopped before the files are read, or on files it cannot read: nothing stored is replaced.
void TestPinaco::sinCargarNoSeEscribeNada() {
    Arrancar();
    FPinaco->CrearNota(true);
    FPinaco->ListaDirecciones().AddIP("10.0.0.7", "Oficina", true, 2223);
    FPinaco->Config.TipoPinaco = 2;
    FPinaco.reset();
    const QStringList rutas = {Ruta("pinaco.DAT"), Ruta("pinaco.NET"),
                               ArchivoConfiguracion(Ruta("config"))};
    QList<QByteArray> antes;
    for (const QString& ruta : rutas)
        antes << LeerBytes(ruta);
    QVERIFY(antes[1].contains("Oficina") && antes[2].contains("TipoPinaco=2"));
    FPinaco = std::make_unique<TPinaco>(Ruta("pinaco"));
    FPinaco->FormDestroy();
    for (int i = 0; i < rutas.size(); ++i)
        QCOMPARE(LeerBytes(rutas[i]), antes[i]);
    // Damaged notes: a box naming the file, and no half-built board behind it.
    antes[0] = "PINACO_NOTAS_BD_3.0\r\n10\r\nxx\r\n";
    EscribirBytes(rutas[0], antes[0]);
    bool visible = true;
    FCajas.alMostrar = [&] { visible = FPinaco->isVisible(); };
    FPinaco = std::make_unique<TPinaco>(Ruta("pinaco"));
    QVERIFY(QSignalSpy(FPinaco.get(), &TPinaco::ErrorDeCarga).wait(2000));
    QVERIFY(!visible);
    QCOMPARE(FCajas.vistas.size(), 1);
    QVERIFY(FCajas.vistas[0].Texto.endsWith("(Fichero: " + rutas[0] + ")"));
    FPinaco.reset();
    for (int i = 0; i < rutas.size(); ++i)
        QCOMPARE(LeerBytes(rutas[i]), antes[i]);
}

// A failed save at shutdown waits in a recovery copy that the next start loads and announces.
void TestPinaco::guardadoFallidoAlCerrarSeRecuperaAlArrancar() {
    Arrancar();
    FPinaco->CrearNota(true)->setYearExpires(2999);
    FPinaco->GuardarNotas();
    TNota* nueva = FPinaco->CrearNota(true);
    nueva->setTexto("sin guardar");
    nueva->setYearExpires(2999);
    const QString ruta = Ruta("pinaco.DAT");
    QVERIFY(QFile::remove(ruta) && QDir().mkdir(ruta));
    FPinaco.reset();
    QVERIFY(QDir().rmdir(ruta));
    Arrancar();
    QCOMPARE(FPinaco->Notas().Cuenta(), 2);
    QCOMPARE(FPinaco->Vista(FPinaco->Notas().Ultimo())->Texto(), QString("sin guardar"));
    QCOMPARE(FCajas.vistas.size(), 1);
    QVERIFY(FCajas.vistas[0].Texto.contains(ruta + ".recuperacion"));
    QCOMPARE(CargarArchivoNotas(ruta).Notas.size(), 2);
}

// The box about a failed autosave comes with the port open again, and the received note
// is already in a recovery copy: a board killed while the box is open loses nothing.
void TestPinaco::autoguardadoFallidoNoCierraElServidorNiPierdeNotas() {
    Arrancar();
    const quint16 puerto = PuertoLibre();
    FPinaco->Config.ServerActivo = true;
    FPinaco->Config.ServerPort = puerto;
    FPinaco->AplicarConfiguracion();
    DatosNota recibida;
    recibida.Texto = "acusada";
    recibida.YearExpires = 2999;
    FPinaco->ColocarNotaRecibida(
        NotaRecibida(recibida, QDateTime::currentDateTime(), "127.0.0.2", ""));
    const QString ruta = Ruta("pinaco.DAT");
    QFile::remove(ruta);
    QVERIFY(QDir().mkdir(ruta));
    bool escuchando = false;
    FCajas.alMostrar = [&] {
        QTcpSocket par;
        par.bind(QHostAddress("127.0.0.2"));
        par.connectToHost(QHostAddress::LocalHost, puerto);
        escuchando = par.waitForConnected(2000);
    };
    QCOMPARE(Avanzar(*FPinaco, 300), 1);
    QStringList textos;
    for (const auto& caja : FCajas.vistas)
        textos << caja.Texto;
    QVERIFY2(FCajas.vistas.size() == 1, qPrintable(textos.join(" | ")));
    QVERIFY(escuchando);
    QVERIFY(FCajas.vistas[0].Texto.contains(ruta + ".recuperacion"));
    const ResultadoCargaNotas copia = CargarArchivoNotas(ruta + ".recuperacion");
    QCOMPARE(copia.Notas.size(), 1);
    QCOMPARE(copia.Notas[0].Texto, QString("acusada"));
}

// A first-layout file is converted at the start, the address book kept and the expired note
// announced. The readers stop at a Ctrl-Z; what follows it in either file would be lost by
// the first save.
void TestPinaco::conversionConservaLibretaYBytesTrasCtrlZ() {
    const QString ruta = Ruta("pinaco.DAT");
    const QByteArray original =
        "30\r\n40\r\n120\r\n160\r\n2\r\n1\r\n2\r\n2003\r\n4\r\n5\r\n2001\r\n1\r\n"
        "vencida\x1A\r\n30\r\n40\r\n120\r\n160\r\n2\r\n1\r\n2\r\n2003\r\n4\r\n5\r\n"
        "2099\r\n1\r\ndos\r\n";
    EscribirBytes(ruta, original);
    const QByteArray libreta = "10.0.0.7\r\nOficina\r\n2223\r\n1\r\n\x1A"
                               "10.0.0.8\r\nCasa\r\n";
    EscribirBytes(Ruta("pinaco.NET"), libreta);
    QString abierto;
    AlAbrirseDialogo([&](QDialog* d) {
        abierto = d->metaObject()->className();
        d->reject();
    });
    Arrancar();
    QCOMPARE(abierto, QString("TfrmNotaCaduca"));
    QCOMPARE(FPinaco->Notas().Cuenta(), 1);
    QCOMPARE(FPinaco->NotaActual()->Texto(), QString("vencida"));
    QVERIFY(LeerBytes(ruta).startsWith("PINACO_NOTAS_BD_3.0"));
    QCOMPARE(FCajas.vistas.size(), 2);
    QVERIFY(FCajas.vistas[0].Texto.contains(ruta + ".original"));
    QVERIFY(FCajas.vistas[1].Texto.contains(Ruta("pinaco.NET.original")));
    FPinaco.reset();
    QCOMPARE(LeerBytes(ruta + ".original"), original);
    QCOMPARE(LeerBytes(Ruta("pinaco.NET.original")), libreta);
    ListaIP releida;
    QCOMPARE(releida.CargarListaIP(Ruta("pinaco.NET")), ErrorArchivo::Ninguno);
    QCOMPARE(releida.NombreDeIP("10.0.0.7"), QString("Oficina"));
}

void TestPinaco::muchasNotasSeMuestranSinAgotarLaPila() {
    // Qt paints overlapping siblings with one level of recursion each: with every note a
    // child of the board, this many notes overflow a 1 MiB stack.
    QList<DatosNota> notas(12000);
    for (int i = 0; i < notas.size(); ++i) {
        notas[i].Left = 15 + i % 200;
        notas[i].Top = 15 + i % 150;
        notas[i].YearExpires = 2099;
    }
    QCOMPARE(GuardarArchivoNotas(Ruta("pinaco.DAT"), notas), ErrorArchivo::Ninguno);
    rlimit antes{};
    getrlimit(RLIMIT_STACK, &antes);
    rlimit limitada = antes;
    limitada.rlim_cur = qMin(antes.rlim_cur, rlim_t(1024 * 1024));
    setrlimit(RLIMIT_STACK, &limitada);
    const auto restaurar = qScopeGuard([&] { setrlimit(RLIMIT_STACK, &antes); });
    Arrancar(60000);
    QVERIFY(QTest::qWaitForWindowExposed(FPinaco.get()));
    FPinaco->repaint();
    QCOMPARE(FPinaco->Notas().Cuenta(), notas.size());
}

QTEST_MAIN(TestPinaco)
#include "test_pinaco.moc"
