// The board's work with its notes, driven through the real widgets and files.
#include "app/ArrastreRaton.h"
#include "app/FondoCorcho.h"
#include "app/Pinaco.h"
#include "core/GeometriaNotas.h"
#include "notes/FrmVerNotaNet.h"
#include "notes/Mensaje.h"
#include "notes/Nota.h"
#include "storage/ArchivoNotas.h"

#include "tests/ArchivosPrueba.h"
#include "tests/EntornoPrueba.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <sys/resource.h>

namespace {

// Runs accion on the modal dialog that opens next, once it is up; looks again every few
// milliseconds without ever blocking the event loop.
void AlAbrirseDialogo(std::function<void(QDialog*)> accion) {
    auto* sondeo = new QTimer;
    QObject::connect(sondeo, &QTimer::timeout, [sondeo, accion] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            sondeo->stop();
            sondeo->deleteLater();
            accion(d);
        }
    });
    sondeo->start(5);
}

// The main thread's stack limited while it lives; it grows on demand up to the limit.
class PilaLimitada {
public:
    explicit PilaLimitada(rlim_t bytes) {
        getrlimit(RLIMIT_STACK, &FAntes);
        rlimit limitada = FAntes;
        limitada.rlim_cur = qMin(FAntes.rlim_cur, bytes);
        setrlimit(RLIMIT_STACK, &limitada);
    }
    ~PilaLimitada() { setrlimit(RLIMIT_STACK, &FAntes); }

private:
    rlimit FAntes;
};

} // namespace

class TestPinacoNotas : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void colisiones_data();
    void colisiones();
    void ajusteSegunTipo();
    void sombras();
    void arrastreMueveYQuedaDentro();
    void arrastreConBotonDerechoNoMueve();
    void dobleClicAbreEditorSinArrastrar();
    void notaDeRedSeAbreEnElVisor();
    void notaRecibidaSeApartaDeLasOtras();
    void redimensionarSeDetieneEnElMinimo();
    void alFondo();
    void borrarSinConfirmar();
    void borrarConConfirmacionCancelada();
    void cancelarNotaNuevaDescartaSoloEsa();
    void guardarYCargarConservaNotasYOrden();
    void errorDeCargaNoEscribeNada_data();
    void errorDeCargaNoEscribeNada();
    void conversionConservaLaLibreta();
    void cierreAntesDeCargarNoEscribeNada();
    void guardadoFallidoAlCerrarSeRecuperaAlArrancar();
    void bytesTrasCtrlZSeConservan();
    void notaVencidaSeAnunciaAlArrancar();
    void muchasNotasSeMuestranSinAgotarLaPila();

private:
    void Arrancar();
    std::unique_ptr<QTemporaryDir> FCarpeta;
    std::unique_ptr<TPinaco> FPinaco;
    QList<PeticionMensaje> FMensajes;
};

void TestPinacoNotas::init() {
    FCarpeta = std::make_unique<QTemporaryDir>();
    AislarConfiguracion(FCarpeta->filePath("config"));
    FMensajes.clear();
    FijarRespondedorMensajes([this](const PeticionMensaje& m) {
        FMensajes.append(m);
        return QMessageBox::Ok;
    });
}

void TestPinacoNotas::cleanup() {
    FPinaco.reset();
    FijarRespondedorMensajes({});
}

void TestPinacoNotas::Arrancar() {
    FPinaco = std::make_unique<TPinaco>(FCarpeta->filePath("pinaco"));
    QSignalSpy cargado(FPinaco.get(), &TPinaco::Cargado);
    QVERIFY(cargado.wait(2000));
}

void TestPinacoNotas::colisiones_data() {
    QTest::addColumn<QPoint>("existente");
    QTest::addColumn<bool>("ocupada");
    // The candidate is at 100,100 with 120 x 160.
    QTest::newRow("1 derecha 9 abajo") << QPoint(99, 91) << false;
    QTest::newRow("2 derecha 2 abajo") << QPoint(98, 98) << true;
    QTest::newRow("8 arriba y a la izquierda") << QPoint(92, 92) << false;
    QTest::newRow("misma esquina") << QPoint(100, 100) << true;
    QTest::newRow("2 a la izquierda del candidato") << QPoint(102, 100) << false;
    QTest::newRow("lejos") << QPoint(400, 400) << false;
}

void TestPinacoNotas::colisiones() {
    QFETCH(QPoint, existente);
    QFETCH(bool, ocupada);
    QCOMPARE(PosicionOcupada({QRect(existente, QSize(120, 160))}, 100, 100, 120, 160), ocupada);
    // A note lying wholly inside the candidate takes the place too.
    QVERIFY(PosicionOcupada({QRect(150, 150, 20, 20)}, 100, 100, 120, 160));
    QVERIFY(!PosicionOcupada({QRect(150, 150, 200, 20)}, 100, 100, 120, 160));
}

void TestPinacoNotas::ajusteSegunTipo() {
    const QRect arrastrada(100, 20, 120, 160);
    QCOMPARE(DentroDelPinaco(arrastrada, 442, 384, 2).top(), 45);
    QCOMPARE(DentroDelPinaco(arrastrada, 442, 384, 1).top(), 20);
    QCOMPARE(DentroDelPinaco(QRect(-5, 5, 120, 160), 442, 384, 1).topLeft(), QPoint(15, 15));
    QCOMPARE(DentroDelPinaco(QRect(400, 300, 120, 160), 442, 384, 1).topLeft(),
             QPoint(442 - 120 - 15, 384 - 160 - 15));
    // Larger than the board: the bottom and right limits win.
    QCOMPARE(DentroDelPinaco(QRect(0, 0, 500, 400), 442, 384, 1).topLeft(), QPoint(-73, -31));
}

void TestPinacoNotas::sombras() {
    Arrancar();
    TNota* a = FPinaco->CrearNota(true);
    TNota* b = FPinaco->CrearNota(true);
    TNota* c = FPinaco->CrearNota(true);
    a->setGeometry(100, 100, 120, 160); // its top edge crosses b
    b->setGeometry(150, 50, 120, 160);
    c->setGeometry(300, 200, 80, 100); // alone
    FPinaco->ActualizarSombras();
    QCOMPARE(a->ColorNW(), kColorSombra);
    QCOMPARE(b->ColorNW(), kColorBlanco); // it lies under a, but only later notes count
    QCOMPARE(c->ColorNW(), kColorBlanco);
    QVERIFY(!FPinaco->NotaSolapada(-1));
    QVERIFY(!FPinaco->NotaSolapada(3));
}

void TestPinacoNotas::arrastreMueveYQuedaDentro() {
    Arrancar();
    TNota* nota = FPinaco->CrearNota(true);
    FPinaco->CrearNota(true);
    QCOMPARE(nota->pos(), QPoint(40, 70));
    // The pointer moves over the board while the note follows it.
    QTest::mousePress(nota, Qt::LeftButton, {}, QPoint(60, 20));
    QVERIFY(ArrastreRaton::EnCurso());
    QCOMPARE(FPinaco->Notas().Primero(), nota);
    QTest::mouseMove(FPinaco.get(), QPoint(130, 130));
    QCOMPARE(nota->pos(), QPoint(70, 110));
    QTest::mouseMove(FPinaco.get(), QPoint(150, 140));
    QTest::mouseRelease(FPinaco.get(), Qt::LeftButton, {}, QPoint(150, 140));
    QVERIFY(!ArrastreRaton::EnCurso());
    QCOMPARE(nota->pos(), QPoint(90, 120));
    // Dragged past the left edge it comes back to 15.
    QTest::mousePress(nota, Qt::LeftButton, {}, QPoint(60, 20));
    QTest::mouseMove(FPinaco.get(), QPoint(-100, 140));
    QTest::mouseRelease(FPinaco.get(), Qt::LeftButton, {}, QPoint(-100, 140));
    QCOMPARE(nota->pos(), QPoint(15, 120));
    QVERIFY(FPinaco->AutoguardadoArmado());
}

void TestPinacoNotas::arrastreConBotonDerechoNoMueve() {
    Arrancar();
    TNota* nota = FPinaco->CrearNota(true);
    QTest::mousePress(nota, Qt::RightButton, {}, QPoint(60, 20));
    QVERIFY(!ArrastreRaton::EnCurso());
    QTest::mouseMove(nota, QPoint(90, 60));
    QTest::mouseRelease(nota, Qt::RightButton, {}, QPoint(90, 60));
    QCOMPARE(nota->pos(), QPoint(40, 70));
    // The right button's release opens the note menu.
    QTRY_VERIFY(FPinaco->PopupMenuNota->isVisible());
    FPinaco->PopupMenuNota->hide();
}

void TestPinacoNotas::dobleClicAbreEditorSinArrastrar() {
    Arrancar();
    TNota* nota = FPinaco->CrearNota(true);
    FPinaco->CrearNota(true);
    QString abierto;
    AlAbrirseDialogo([&](QDialog* d) {
        abierto = d->metaObject()->className();
        d->reject();
    });
    QTest::mouseDClick(nota, Qt::LeftButton, {}, QPoint(60, 20));
    QCOMPARE(abierto, QString("TfrmConfigNota"));
    QVERIFY(!ArrastreRaton::EnCurso());
    QTest::mouseMove(nota, QPoint(100, 100));
    QCOMPARE(nota->pos(), QPoint(40, 70));
    QCOMPARE(FPinaco->Notas().Primero(), nota);
    QCOMPARE(FPinaco->Notas().Cuenta(), 2); // cancelling an existing note keeps it
    // The guard took only the double-click's own press: the next press drags.
    QTest::mousePress(nota, Qt::LeftButton, {}, QPoint(60, 20));
    QVERIFY(ArrastreRaton::EnCurso());
    QTest::mouseRelease(nota, Qt::LeftButton, {}, QPoint(60, 20));
}

void TestPinacoNotas::notaDeRedSeAbreEnElVisor() {
    Arrancar();
    TNota* nota = FPinaco->CrearNota(true);
    nota->setColorChincheta(TColorChincheta::Net);
    nota->setReceivedFromIP("10.0.0.7");
    FPinaco->ListaDirecciones().AddIP("10.0.0.7", "Oficina", true, 2222);
    QString abierto, remitente;
    AlAbrirseDialogo([&](QDialog* d) {
        abierto = d->metaObject()->className();
        if (auto* visor = qobject_cast<TfrmVerNotaNet*>(d))
            remitente = visor->lblReceivedFromUser->text();
        d->reject();
    });
    QTest::mouseDClick(nota, Qt::LeftButton, {}, QPoint(60, 20));
    QCOMPARE(abierto, QString("TfrmVerNotaNet"));
    QCOMPARE(remitente, QString("Oficina  (10.0.0.7)"));
}

// A received note goes on top with the Net pin, 7 pixels down-right at a time until it
// overlaps no other note; bounds from the wire cannot overflow or make a giant note.
void TestPinacoNotas::notaRecibidaSeApartaDeLasOtras() {
    Arrancar();
    FPinaco->CrearNota(true); // at 40,70
    FPinaco->CrearNota(true); // at 48,78
    DatosNota pendiente;
    pendiente.Left = 40;
    pendiente.Top = 70;
    pendiente.Width = 120;
    pendiente.Height = 160;
    pendiente.Texto = "hola";
    const QDateTime ahora(QDate(2026, 12, 6), QTime(10, 0, 0));
    const DatosNota creada = FPinaco->CrearNotaRecibida(pendiente, "10.0.0.7", "Ana", ahora);
    TNota* nota = FPinaco->Notas().Primero();
    QCOMPARE(nota->Datos(), creada);
    QCOMPARE(creada.ColorChincheta, TColorChincheta::Net);
    QCOMPARE(creada.ReceivedFromUser, QString("Ana"));
    QVERIFY(nota->isVisible());
    const QPoint paso = nota->pos() - QPoint(40, 70);
    QVERIFY(paso.x() == paso.y() && paso.x() > 0 && paso.x() % 7 == 0);
    QVERIFY(!FPinaco->NotaSolapada(0));
    nota->move(nota->pos() - QPoint(7, 7)); // one step less still overlaps
    QVERIFY(FPinaco->NotaSolapada(0));
    pendiente.Left = pendiente.Top = pendiente.Width = pendiente.Height = INT_MAX;
    FPinaco->CrearNotaRecibida(pendiente, "10.0.0.7", "Ana", ahora);
    FPinaco->CrearNotaRecibida(pendiente, "10.0.0.7", "Ana", ahora);
    const QRect grande = FPinaco->Notas().Primero()->geometry();
    QVERIFY(grande.width() <= 10000 && grande.height() <= 10000);
}

void TestPinacoNotas::redimensionarSeDetieneEnElMinimo() {
    Arrancar();
    TNota* nota = FPinaco->CrearNota(true);
    FPinaco->NotaAgarraderaMouseMove(nota, Qt::LeftButton, 200, 250);
    QCOMPARE(nota->size(), QSize(205, 255));
    FPinaco->NotaAgarraderaMouseMove(nota, Qt::LeftButton, 10, 10);
    QCOMPARE(nota->size(), QSize(80, 100));
    FPinaco->NotaAgarraderaMouseMove(nota, Qt::NoButton, 300, 300);
    QCOMPARE(nota->size(), QSize(80, 100));
}

void TestPinacoNotas::alFondo() {
    Arrancar();
    TNota* sola = FPinaco->CrearNota(true);
    FPinaco->mnuNotaAlFondoClick();
    QCOMPARE(FPinaco->Notas().Primero(), sola);
    TNota* b = FPinaco->CrearNota(true);
    TNota* c = FPinaco->CrearNota(true);
    FPinaco->mnuNotaAlFondoClick();
    QCOMPARE(FPinaco->Notas().Primero(), b);
    QCOMPARE(FPinaco->Notas().Ultimo(), sola);
    QCOMPARE(FPinaco->Notas().En(1), c);
    // Below every note but still above the cork.
    const QList<QWidget*> pila = FPinaco->Apilado();
    QVERIFY(pila.indexOf(sola) < pila.indexOf(c));
    QVERIFY(pila.indexOf(FPinaco->ChartFondo) < pila.indexOf(sola));
}

void TestPinacoNotas::borrarSinConfirmar() {
    Arrancar();
    FPinaco->Config.ConfirmarBorrarNota = false;
    TNota* a = FPinaco->CrearNota(true);
    TNota* b = FPinaco->CrearNota(true);
    FPinaco->NotaAlFrente(b);
    QPointer<TNota> vigilada(b);
    FPinaco->mnuNotaBorrarClick();
    QCOMPARE(FPinaco->Notas().Cuenta(), 1);
    QCOMPARE(FPinaco->Notas().Primero(), a);
    QTRY_VERIFY(vigilada.isNull());
}

void TestPinacoNotas::borrarConConfirmacionCancelada() {
    Arrancar();
    TNota* a = FPinaco->CrearNota(true);
    FPinaco->GuardarNotas();
    QVERIFY(!FPinaco->AutoguardadoArmado());
    AlAbrirseDialogo([](QDialog* d) { d->reject(); });
    FPinaco->mnuNotaBorrarClick();
    QCOMPARE(FPinaco->Notas().Cuenta(), 1);
    QCOMPARE(FPinaco->Notas().Primero(), a);
    QVERIFY(FPinaco->AutoguardadoArmado());
    // Confirmed, it goes.
    AlAbrirseDialogo([](QDialog* d) {
        for (QPushButton* b : d->findChildren<QPushButton*>())
            if (b->text() == "&Eliminar")
                b->click();
    });
    FPinaco->mnuNotaBorrarClick();
    QVERIFY(FPinaco->Notas().Vacia());
}

void TestPinacoNotas::cancelarNotaNuevaDescartaSoloEsa() {
    Arrancar();
    TNota* a = FPinaco->CrearNota(true);
    TNota* b = FPinaco->CrearNota(true);
    AlAbrirseDialogo([](QDialog* d) { d->reject(); });
    FPinaco->mnuFondoAddNotaClick();
    QCOMPARE(FPinaco->Notas().Cuenta(), 2);
    QVERIFY(FPinaco->Notas().Contiene(a));
    QVERIFY(FPinaco->Notas().Contiene(b));
    // Kept with OK, the new note is shown and current.
    AlAbrirseDialogo([](QDialog* d) { d->accept(); });
    FPinaco->mnuFondoAddNotaClick();
    QCOMPARE(FPinaco->Notas().Cuenta(), 3);
    QVERIFY(FPinaco->Notas().Primero()->isVisible());
}

void TestPinacoNotas::guardarYCargarConservaNotasYOrden() {
    Arrancar();
    TNota* a = FPinaco->CrearNota(true);
    a->setTexto("arriba\rsegunda línea"); // the form a loaded text has
    TNota* b = FPinaco->CrearNota(true);
    b->setTexto("abajo");
    b->setColorChincheta(TColorChincheta::None);
    b->setGeometry(200, 150, 150, 170);
    // Not yet due, so the start-up check opens no dialog.
    a->setYearExpires(2099);
    b->setYearExpires(2099);
    const DatosNota datosA = a->Datos(), datosB = b->Datos();
    FPinaco.reset(); // the shutdown saves
    const QByteArray guardado = LeerBytes(FCarpeta->filePath("pinaco.DAT"));
    QVERIFY(guardado.startsWith("PINACO_NOTAS_BD_3.0\r\n"));
    QVERIFY(QFile::exists(FCarpeta->filePath("pinaco.NET")));

    Arrancar();
    QCOMPARE(FPinaco->Notas().Cuenta(), 2);
    QCOMPARE(FPinaco->Notas().Primero()->Datos(), datosA);
    QCOMPARE(FPinaco->Notas().Ultimo()->Datos(), datosB);
    const QList<QWidget*> pila = FPinaco->Apilado();
    QVERIFY(pila.indexOf(FPinaco->Notas().Ultimo()) < pila.indexOf(FPinaco->Notas().Primero()));
    FPinaco.reset();
    QCOMPARE(LeerBytes(FCarpeta->filePath("pinaco.DAT")), guardado);
}

void TestPinacoNotas::errorDeCargaNoEscribeNada_data() {
    QTest::addColumn<bool>("primerArranque");
    QTest::newRow("first run") << true;
    QTest::newRow("stored settings") << false;
}

void TestPinacoNotas::errorDeCargaNoEscribeNada() {
    QFETCH(bool, primerArranque);
    if (!primerArranque)
        Arrancar();
    FPinaco.reset();
    const QByteArray danado = "PINACO_NOTAS_BD_3.0\r\n10\r\nxx\r\n";
    EscribirBytes(FCarpeta->filePath("pinaco.DAT"), danado);
    QFile::remove(FCarpeta->filePath("pinaco.NET"));
    // No half-built board behind the box.
    bool visible = true;
    FijarRespondedorMensajes([&](const PeticionMensaje& m) {
        FMensajes.append(m);
        visible = FPinaco->isVisible();
        return QMessageBox::Ok;
    });
    FPinaco = std::make_unique<TPinaco>(FCarpeta->filePath("pinaco"));
    QSignalSpy error(FPinaco.get(), &TPinaco::ErrorDeCarga);
    QVERIFY(error.wait(2000));
    QVERIFY(!visible);
    QCOMPARE(FMensajes.size(), 1);
    QCOMPARE(FMensajes[0].Titulo, QString("Error chungo"));
    QCOMPARE(FMensajes[0].Texto, "Error crítico en la Base de Datos de Notas.\r"
                                 "Se finalizará la ejecución del programa.\r\r(Fichero: " +
                                     FCarpeta->filePath("pinaco.DAT") + ")");
    QCOMPARE(FMensajes[0].Icono, IconoMensaje::Error);
    FPinaco.reset();
    QCOMPARE(LeerBytes(FCarpeta->filePath("pinaco.DAT")), danado);
    QVERIFY(!QFile::exists(FCarpeta->filePath("pinaco.NET")));
}

void TestPinacoNotas::conversionConservaLaLibreta() {
    // A first-layout file with one note, and an address book with one entry.
    EscribirBytes(
        FCarpeta->filePath("pinaco.DAT"),
        "30\r\n40\r\n120\r\n160\r\n2\r\n1\r\n2\r\n2003\r\n4\r\n5\r\n2099\r\n1\r\nviejo\r\n");
    ListaIP libreta;
    libreta.AddIP("10.0.0.7", "Oficina", true, 2223);
    QCOMPARE(libreta.GuardarListaIP(FCarpeta->filePath("pinaco.NET")), ErrorArchivo::Ninguno);

    Arrancar();
    QCOMPARE(FPinaco->Notas().Cuenta(), 1);
    QCOMPARE(FPinaco->Notas().Primero()->Texto(), QString("viejo"));
    QCOMPARE(FPinaco->Notas().Primero()->ColorChincheta(), TColorChincheta::Azul);
    QVERIFY(LeerBytes(FCarpeta->filePath("pinaco.DAT")).startsWith("PINACO_NOTAS_BD_3.0"));
    ListaIP releida;
    QCOMPARE(releida.CargarListaIP(FCarpeta->filePath("pinaco.NET")), ErrorArchivo::Ninguno);
    QVERIFY(releida.ExisteIP("10.0.0.7"));
    QCOMPARE(releida.NombreDeIP("10.0.0.7"), QString("Oficina"));
}

void TestPinacoNotas::notaVencidaSeAnunciaAlArrancar() {
    EscribirBytes(
        FCarpeta->filePath("pinaco.DAT"),
        "30\r\n40\r\n120\r\n160\r\n2\r\n1\r\n2\r\n2003\r\n4\r\n5\r\n2001\r\n1\r\nvencida\r\n");
    QString abierto;
    AlAbrirseDialogo([&](QDialog* d) {
        abierto = d->metaObject()->className();
        d->reject();
    });
    Arrancar();
    QCOMPARE(abierto, QString("TfrmNotaCaduca"));
    QCOMPARE(FPinaco->Notas().Cuenta(), 1);
}

// A stop signal arrives before the start-up has read the files: the board holds only
// defaults, and nothing of them may replace what is stored.
void TestPinacoNotas::cierreAntesDeCargarNoEscribeNada() {
    Arrancar();
    FPinaco->CrearNota(true);
    FPinaco->ListaDirecciones().AddIP("10.0.0.7", "Oficina", true, 2223);
    FPinaco->Config.TipoPinaco = 2;
    FPinaco.reset();
    const QString configuracion = ArchivoConfiguracion(FCarpeta->filePath("config"));
    const QByteArray notas = LeerBytes(FCarpeta->filePath("pinaco.DAT"));
    const QByteArray libreta = LeerBytes(FCarpeta->filePath("pinaco.NET"));
    const QByteArray ajustes = LeerBytes(configuracion);
    QVERIFY(libreta.contains("Oficina") && ajustes.contains("TipoPinaco=2"));

    FPinaco = std::make_unique<TPinaco>(FCarpeta->filePath("pinaco"));
    FPinaco->FormDestroy();
    QCOMPARE(LeerBytes(FCarpeta->filePath("pinaco.DAT")), notas);
    QCOMPARE(LeerBytes(FCarpeta->filePath("pinaco.NET")), libreta);
    QCOMPARE(LeerBytes(configuracion), ajustes);
}

// The save at shutdown fails (the notes file's place is taken by a folder): the changes
// wait in a recovery copy, and the next start loads them and says so.
void TestPinacoNotas::guardadoFallidoAlCerrarSeRecuperaAlArrancar() {
    Arrancar();
    for (const char* texto : {"primera", "sin guardar"}) {
        TNota* nota = FPinaco->CrearNota(true);
        nota->setTexto(texto);
        nota->setYearExpires(2999); // not due: no dialog at the next start
        if (FPinaco->Notas().Cuenta() == 1)
            FPinaco->GuardarNotas();
    }
    const QString ruta = FCarpeta->filePath("pinaco.DAT");
    QVERIFY(QFile::remove(ruta) && QDir().mkdir(ruta));
    FPinaco.reset();
    QVERIFY(FMensajes.isEmpty());
    QVERIFY(QFile::exists(ruta + ".recuperacion"));

    QVERIFY(QDir().rmdir(ruta));
    Arrancar();
    QCOMPARE(FPinaco->Notas().Cuenta(), 2);
    QCOMPARE(FPinaco->Notas().Ultimo()->Texto(), QString("sin guardar"));
    QCOMPARE(FMensajes.size(), 1);
    QVERIFY(FMensajes[0].Texto.contains(ruta + ".recuperacion"));
    // Saved in its place at once; the copy is gone.
    QCOMPARE(CargarArchivoNotas(ruta).Notas.size(), 2);
    QVERIFY(!QFile::exists(ruta + ".recuperacion"));
}

// The reader stops at a Ctrl-Z; what follows it would be lost by the first save.
void TestPinacoNotas::bytesTrasCtrlZSeConservan() {
    const QString ruta = FCarpeta->filePath("pinaco.DAT");
    const QByteArray nota = "30\r\n40\r\n120\r\n160\r\n2\r\n1\r\n2\r\n2003\r\n4\r\n5\r\n2099\r\n"
                            "0000\r\nDejaVu Sans\r\n9\r\n0\r\n\r\n\r\n\r\n1\r\n";
    const QByteArray original = "PINACO_NOTAS_BD_3.0\r\n" + nota + "uno\x1A" + "\r\n" + nota +
                                "dos\r\n" + nota + "tres\r\n";
    EscribirBytes(ruta, original);
    Arrancar();
    QCOMPARE(FPinaco->Notas().Cuenta(), 1);
    QCOMPARE(FMensajes.size(), 1);
    QVERIFY(FMensajes[0].Texto.contains(ruta + ".original"));
    FPinaco.reset();
    QCOMPARE(LeerBytes(ruta + ".original"), original);
    QCOMPARE(CargarArchivoNotas(ruta).Notas.size(), 1);
}

void TestPinacoNotas::muchasNotasSeMuestranSinAgotarLaPila() {
    // Qt paints overlapping siblings with one level of recursion each: with every note a
    // child of the board, this many notes overflow a 1 MiB stack.
    const int cuantas = 12000;
    QList<DatosNota> notas(cuantas);
    for (int i = 0; i < cuantas; ++i) {
        notas[i].Left = 15 + i % 200;
        notas[i].Top = 15 + i % 150;
        notas[i].YearExpires = 2099;
    }
    QCOMPARE(GuardarArchivoNotas(FCarpeta->filePath("pinaco.DAT"), notas), ErrorArchivo::Ninguno);
    PilaLimitada pila(1024 * 1024);
    FPinaco = std::make_unique<TPinaco>(FCarpeta->filePath("pinaco"));
    QSignalSpy cargado(FPinaco.get(), &TPinaco::Cargado);
    QVERIFY(cargado.wait(60000));
    QVERIFY(QTest::qWaitForWindowExposed(FPinaco.get()));
    FPinaco->repaint();
    QCOMPARE(FPinaco->Notas().Cuenta(), cuantas);
}

QTEST_MAIN(TestPinacoNotas)
#include "test_pinaco_notas.moc"
