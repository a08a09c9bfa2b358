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
    void rutasDeDatos();
    void arranqueCentrado();
    void autoguardado();
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

void TestPinaco::rutasDeDatos() {
    QCOMPARE(RutaJuntoAlPrograma("/opt/pinaco.v1.4.bin", "DAT"), QString("/opt/pinaco.v1.4.DAT"));
    QCOMPARE(RutaJuntoAlPrograma("/opt/app.d/pinaco", "DAT"), QString("/opt/app.d/pinaco.DAT"));
    QCOMPARE(FPinaco->RutaNotas(), FCarpeta->filePath("pinaco.DAT"));
    QCOMPARE(FPinaco->RutaListaIP(), FCarpeta->filePath("pinaco.NET"));
}

void TestPinaco::arranqueCentrado() {
    QVERIFY(FPinaco->isVisible());
    QCOMPARE(FPinaco->size(), QSize(442, 384));
    const QSize pantalla = FPinaco->screen()->size();
    QCOMPARE(FPinaco->pos(), QPoint((pantalla.width() - 442) / 2, (pantalla.height() - 384) / 2));
}

// Nothing changed, nothing saved; a change saves at tick 300, a received note 30 ticks after
// its start, and every later change starts the count again.
void TestPinaco::autoguardado() {
    QVERIFY(!FPinaco->AutoguardadoArmado());
    FPinaco->MarcarNotasCambiadas();
    QCOMPARE(Avanzar(*FPinaco, 200), 0);
    FPinaco->MarcarNotasCambiadas();
    QCOMPARE(Avanzar(*FPinaco, 299), 0);
    QCOMPARE(Avanzar(*FPinaco, 1), 1);
    QVERIFY(!FPinaco->AutoguardadoArmado());
    FPinaco->IniciarNotaEntrante();
    QCOMPARE(Avanzar(*FPinaco, 29), 0);
    QCOMPARE(Avanzar(*FPinaco, 1), 1);
    FPinaco->IniciarNotaEntrante();
    QCOMPARE(Avanzar(*FPinaco, 10), 0);
    FPinaco->CrearNota(true);
    QCOMPARE(Avanzar(*FPinaco, 299), 0);
    QCOMPARE(Avanzar(*FPinaco, 1), 1);
}

void TestPinaco::posicionesDeNotasNuevas() {
    TNota* a = FPinaco->CrearNota(true);
    FPinaco->CrearNota(true);
    TNota* c = FPinaco->CrearNota(true);
    QCOMPARE(a->geometry(), QRect(40, 70, 120, 160));
    QCOMPARE(c->pos(), QPoint(56, 86));
    QCOMPARE(FPinaco->Notas().Primero(), a);
    QCOMPARE(FPinaco->Notas().Ultimo(), c);
    const QDate hoy = QDate::currentDate();
    QCOMPARE(int(c->DayExpires()), hoy.day());
    QCOMPARE(c->YearExpires(), hoy.year());
}

void TestPinaco::cierreGuardaUnaVez() {
    FPinaco->CrearNota(true);
    QSignalSpy guardados(FPinaco.get(), &TPinaco::NotasGuardadas);
    FPinaco->FormDestroy();
    FPinaco->FormDestroy();
    QCOMPARE(guardados.count(), 1);
    FPinaco.reset();
    QCOMPARE(guardados.count(), 1);
}

QTEST_MAIN(TestPinaco)
#include "test_pinaco.moc"
