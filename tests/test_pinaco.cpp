#include "app/Pinaco.h"
#include "app/RutasDatos.h"
#include "notes/Nota.h"

#include "tests/EntornoPrueba.h"

#include <QtTest>

namespace {

// Ticks the autosave handler as the timer would, and counts the saves it made.
int Avanzar(TPinaco& pinaco, int ticks) {
    QSignalSpy guardados(&pinaco, &TPinaco::NotasGuardadas);
    for (int i = 0; i < ticks; ++i)
        pinaco.TimerGuardarNotasTimer();
    return int(guardados.count());
}

} // namespace

class TestPinaco : public QObject {
    Q_OBJECT
private slots:
    void init();
    void rutasDeDatos_data();
    void rutasDeDatos();
    void arranqueCentrado();
    void sinCambiosNoGuarda();
    void unCambioUnGuardadoEnElTick300();
    void notaEntranteGuardaTreintaTicksDespues();
    void notaEntranteCompletadaReiniciaLaCuenta();
    void posicionesDeNotasNuevas();
    void cierreGuardaUnaVez();

private:
    std::unique_ptr<QTemporaryDir> FCarpeta;
    std::unique_ptr<TPinaco> FPinaco;
};

void TestPinaco::init() {
    FPinaco.reset();
    FCarpeta = std::make_unique<QTemporaryDir>();
    AislarConfiguracion(FCarpeta->filePath("config"));
    FPinaco = std::make_unique<TPinaco>(FCarpeta->filePath("pinaco"));
    QSignalSpy cargado(FPinaco.get(), &TPinaco::Cargado);
    QVERIFY(cargado.wait(2000));
}

void TestPinaco::rutasDeDatos_data() {
    QTest::addColumn<QString>("programa");
    QTest::addColumn<QString>("dat");
    QTest::newRow("sin extension") << "/opt/pinaco"
                                   << "/opt/pinaco.DAT";
    QTest::newRow("con extension") << "/opt/Pinaco.exe"
                                   << "/opt/Pinaco.DAT";
    QTest::newRow("varios puntos") << "/opt/pinaco.v1.4.bin"
                                   << "/opt/pinaco.v1.4.DAT";
    QTest::newRow("punto en carpeta") << "/opt/app.d/pinaco"
                                      << "/opt/app.d/pinaco.DAT";
}

void TestPinaco::rutasDeDatos() {
    QFETCH(QString, programa);
    QFETCH(QString, dat);
    QCOMPARE(RutaJuntoAlPrograma(programa, "DAT"), dat);
    QCOMPARE(FPinaco->RutaNotas(), FCarpeta->filePath("pinaco.DAT"));
    QCOMPARE(FPinaco->RutaListaIP(), FCarpeta->filePath("pinaco.NET"));
}

void TestPinaco::arranqueCentrado() {
    QVERIFY(FPinaco->isVisible());
    QCOMPARE(FPinaco->size(), QSize(442, 384));
    const QSize pantalla = FPinaco->screen()->size();
    QCOMPARE(FPinaco->pos(), QPoint((pantalla.width() - 442) / 2, (pantalla.height() - 384) / 2));
    QVERIFY(!FPinaco->TimerOnLoad.isActive());
}

void TestPinaco::sinCambiosNoGuarda() {
    QVERIFY(!FPinaco->AutoguardadoArmado());
    QSignalSpy guardados(FPinaco.get(), &TPinaco::NotasGuardadas);
    QTest::qWait(50);
    QCOMPARE(guardados.count(), 0);
}

void TestPinaco::unCambioUnGuardadoEnElTick300() {
    FPinaco->MarcarNotasCambiadas();
    QVERIFY(FPinaco->AutoguardadoArmado());
    QCOMPARE(Avanzar(*FPinaco, 299), 0);
    QCOMPARE(Avanzar(*FPinaco, 1), 1);
    QVERIFY(!FPinaco->AutoguardadoArmado());
    QCOMPARE(FPinaco->ContadorGuardado(), 0);
    // A change half way starts the count again.
    FPinaco->MarcarNotasCambiadas();
    QCOMPARE(Avanzar(*FPinaco, 200), 0);
    FPinaco->MarcarNotasCambiadas();
    QCOMPARE(Avanzar(*FPinaco, 299), 0);
    QCOMPARE(Avanzar(*FPinaco, 1), 1);
}

void TestPinaco::notaEntranteGuardaTreintaTicksDespues() {
    FPinaco->IniciarNotaEntrante();
    QCOMPARE(FPinaco->ContadorGuardado(), 270);
    QVERIFY(FPinaco->AutoguardadoArmado());
    QCOMPARE(Avanzar(*FPinaco, 29), 0);
    QCOMPARE(Avanzar(*FPinaco, 1), 1);
}

void TestPinaco::notaEntranteCompletadaReiniciaLaCuenta() {
    FPinaco->IniciarNotaEntrante();
    QCOMPARE(Avanzar(*FPinaco, 10), 0);
    FPinaco->CrearNota(true);
    QCOMPARE(Avanzar(*FPinaco, 299), 0);
    QCOMPARE(Avanzar(*FPinaco, 1), 1);
}

void TestPinaco::posicionesDeNotasNuevas() {
    TNota* a = FPinaco->CrearNota(true);
    TNota* b = FPinaco->CrearNota(true);
    TNota* c = FPinaco->CrearNota(true);
    QCOMPARE(a->geometry(), QRect(40, 70, 120, 160));
    QCOMPARE(b->pos(), QPoint(48, 78));
    QCOMPARE(c->pos(), QPoint(56, 86));
    QCOMPARE(FPinaco->Notas().Primero(), a);
    QCOMPARE(FPinaco->Notas().Ultimo(), c);
    const QDate hoy = QDate::currentDate();
    QCOMPARE(int(c->DayExpires()), hoy.day());
    QCOMPARE(int(c->MonthCreated()), hoy.month());
    QCOMPARE(c->YearExpires(), hoy.year());
}

void TestPinaco::cierreGuardaUnaVez() {
    FPinaco->CrearNota(true);
    QSignalSpy guardados(FPinaco.get(), &TPinaco::NotasGuardadas);
    FPinaco->FormDestroy();
    FPinaco->FormDestroy();
    QCOMPARE(guardados.count(), 1);
    QVERIFY(FPinaco->Notas().Vacia());
    FPinaco.reset();
    QCOMPARE(guardados.count(), 1);
}

QTEST_MAIN(TestPinaco)
#include "test_pinaco.moc"
