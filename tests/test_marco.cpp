// The board's frame: outlines, layout, resizing, maximising, buttons and the tray.
#include "app/BotonRedondo.h"
#include "app/FondoCorcho.h"
#include "app/PiezaMarco.h"
#include "app/Pinaco.h"
#include "notes/Nota.h"
#include "tests/EntornoPrueba.h"

#include <QSystemTrayIcon>
#include <QtTest>

namespace {
const auto ConBandeja = +[] { return true; };
const auto SinBandeja = +[] { return false; };
void Clic(QWidget* w, QPoint suelta = {15, 15}) {
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(15, 15));
    QTest::mouseRelease(w, Qt::LeftButton, {}, suelta);
}
void Mover(QWidget* w, QPoint local, QPoint global) {
    QMouseEvent e(QEvent::MouseMove, QPointF(local), QPointF(global), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
} // namespace

class TestMarco : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void disposicionYTamano();
    void dobleClicEnElCorchoSoloConElIzquierdo();
    void maximizarYRestaurar();
    void bandeja();

private:
    void Arrancar();
    std::unique_ptr<QTemporaryDir> FCarpeta;
    std::unique_ptr<TPinaco> FPinaco;
};

void TestMarco::init() {
    FCarpeta = std::make_unique<QTemporaryDir>();
    AislarConfiguracion(FCarpeta->filePath("config"));
    TPinaco::DisponibilidadBandeja = ConBandeja;
}

void TestMarco::cleanup() {
    FPinaco.reset();
    TPinaco::DisponibilidadBandeja = nullptr;
}

void TestMarco::Arrancar() {
    FPinaco = std::make_unique<TPinaco>(FCarpeta->filePath("pinaco"));
    QSignalSpy cargado(FPinaco.get(), &TPinaco::Cargado);
    QVERIFY(cargado.wait(3000));
}

void TestMarco::disposicionYTamano() {
    // Changing the kind at run time lays the frame out again: the tall bar of the extended
    // board fills what the thin one leaves open.
    Arrancar();
    QVERIFY(FPinaco->Image2->height() == 13 && !FPinaco->Panel1->mask().contains({212, 20}));
    FPinaco->Config.TipoPinaco = 2;
    FPinaco->AplicarConfiguracion();
    QVERIFY(FPinaco->Image2->height() == 43 && FPinaco->Panel1->mask().contains({212, 20}));
    const QSize fondo = FPinaco->ChartFondo->size();
    FPinaco->CambiarTamano(100, 100);
    QCOMPARE(FPinaco->Chart8->geometry().bottomRight(), QPoint(400, 300));
    // Beyond the screen the cork grows, and stays grown.
    FPinaco->CambiarTamano(fondo.width() + 100, fondo.height() + 50);
    FPinaco->CambiarTamano(500, 400);
    QCOMPARE(FPinaco->ChartFondo->size(), fondo + QSize(100, 50));
    // Dragging the grip: the corner follows the pointer with 5 pixels to spare.
    Mover(FPinaco->Chart8, {1, 1}, FPinaco->pos() + QPoint(600, 450));
    QCOMPARE(FPinaco->size(), QSize(605, 455));
    // The piece under the buttons takes a 2-pixel wobble without resizing.
    QTest::mousePress(FPinaco->Chart3, Qt::LeftButton, {}, QPoint(100, 5));
    Mover(FPinaco->Chart3, {102, 7}, FPinaco->Chart3->mapToGlobal(QPoint(102, 7)));
    QCOMPARE(FPinaco->size(), QSize(605, 455));
    QTest::mouseRelease(FPinaco->Chart3, Qt::LeftButton, {}, QPoint(102, 7));
    // The window manager's resizes lay the frame out again, the minimum is the window's own,
    // and notes stay inside a board that shrinks.
    QCOMPARE(FPinaco->windowHandle()->minimumSize(), QSize(400, 300));
    TNota* nota = FPinaco->CrearNota(true);
    nota->move(500, 400);
    FPinaco->windowHandle()->resize(450, 320);
    QTRY_COMPARE(FPinaco->Chart8->geometry().bottomRight(), QPoint(450, 320));
    QCOMPARE(nota->geometry().bottomRight(), QPoint(450 - 16, 320 - 16));
}

void TestMarco::dobleClicEnElCorchoSoloConElIzquierdo() {
    FondoCorcho corcho(QPixmap(16, 16), nullptr);
    corcho.resize(200, 200);
    int anadidas = 0;
    corcho.OnDblClick = [&] { ++anadidas; };
    QTest::mouseDClick(&corcho, Qt::MiddleButton, {}, QPoint(50, 50));
    QTest::mouseDClick(&corcho, Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(anadidas, 1);
}

void TestMarco::maximizarYRestaurar() {
    Arrancar();
    FPinaco->setGeometry(50, 60, 500, 400);
    // A wobble on the button does not resize; the release goes to the button that took the
    // press, wherever the pointer is.
    QTest::mousePress(FPinaco->PanelMaximizar, Qt::LeftButton, {}, QPoint(15, 15));
    Mover(FPinaco->PanelMaximizar, {17, 17}, FPinaco->PanelMaximizar->mapToGlobal(QPoint(17, 17)));
    QCOMPARE(FPinaco->size(), QSize(500, 400));
    QTest::mouseRelease(FPinaco->PanelMaximizar, Qt::LeftButton, {}, QPoint(200, 300));
    QVERIFY(FPinaco->IsMaximized());
    // Maximised, the grip does not resize.
    const QSize maximo = FPinaco->size();
    Mover(FPinaco->Chart8, {1, 1}, {10, 10});
    QCOMPARE(FPinaco->size(), maximo);
    Clic(FPinaco->PanelMaximizar);
    QCOMPARE(FPinaco->geometry(), QRect(50, 60, 500, 400));
}

void TestMarco::bandeja() {
    // Without a tray, or with the option off, the board minimises as any window.
    for (auto disponible : {SinBandeja, ConBandeja}) {
        TPinaco::DisponibilidadBandeja = disponible;
        Arrancar();
        FPinaco->Config.MinimizeToTray = disponible == SinBandeja;
        FPinaco->Minimizar();
        QVERIFY(FPinaco->isMinimized() && !FPinaco->IconoBandeja->isVisible());
        QVERIFY(!FPinaco->Config.IconInTray);
    }
    Arrancar();
    FPinaco->Config.MinimizeToTray = true;
    Clic(FPinaco->PanelMinimizar);
    QVERIFY(FPinaco->Config.IconInTray);
    QVERIFY(!FPinaco->isVisible() && FPinaco->IconoBandeja->isVisible());
    FPinaco->RestaurarDeBandeja();
    QVERIFY(FPinaco->isVisible() && !FPinaco->IconoBandeja->isVisible());
    FPinaco->Minimizar();
    // The double-click on the icon brings the board back; a single click does nothing.
    emit FPinaco->IconoBandeja->activated(QSystemTrayIcon::Trigger);
    QVERIFY(!FPinaco->isVisible());
    emit FPinaco->IconoBandeja->activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(FPinaco->isVisible());
    // A second start's request also restores it from the tray.
    FPinaco->Minimizar();
    FPinaco->MensajeMostrar();
    QVERIFY(FPinaco->isVisible() && !FPinaco->Config.IconInTray);
}

QTEST_MAIN(TestMarco)
#include "test_marco.moc"
