// The board's frame: resizing, the buttons and the tray.
#include "app/BotonRedondo.h"
#include "app/PiezaMarco.h"
#include "app/Pinaco.h"
#include "notes/Nota.h"
#include "tests/EntornoPrueba.h"
#include "tests/NotaEnSitio.h"

#include <QSystemTrayIcon>
#include <QtTest>

namespace {
const auto ConBandeja = +[] { return true; };
const auto SinBandeja = +[] { return false; };
} // namespace

class TestMarco : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tamanoMinimoYNotasDentro();
    void botonesYBandeja();

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

void TestMarco::tamanoMinimoYNotasDentro() {
    // The grip resizes the board down to the window's minimum; notes stay inside a shrunk board.
    Arrancar();
    QCOMPARE(FPinaco->windowHandle()->minimumSize(), QSize(400, 300));
    // Dragging the grip: the corner follows the pointer with 5 pixels to spare.
    QMouseEvent arrastre(QEvent::MouseMove, QPointF(1, 1),
                         QPointF(FPinaco->pos() + QPoint(600, 450)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
    QApplication::sendEvent(FPinaco->Chart8, &arrastre);
    QCOMPARE(FPinaco->size(), QSize(605, 455));
    TNota* nota = FPinaco->CrearNota(true);
    Colocar(nota, QPoint(500, 400));
    FPinaco->windowHandle()->resize(450, 320);
    QTRY_COMPARE(nota->geometry().bottomRight(), QPoint(450 - 16, 320 - 16));
}

void TestMarco::botonesYBandeja() {
    // Without a tray, or with the option off, the board minimises as any window.
    for (auto disponible : {SinBandeja, ConBandeja}) {
        TPinaco::DisponibilidadBandeja = disponible;
        Arrancar();
        FPinaco->Config.MinimizeToTray = disponible == SinBandeja;
        FPinaco->Minimizar();
        QVERIFY(FPinaco->isMinimized() && !FPinaco->IconoBandeja->isVisible() &&
                !FPinaco->Config.IconInTray);
    }
    Arrancar();
    // The release goes to the button that took the press, wherever the pointer is.
    QTest::mousePress(FPinaco->PanelMaximizar, Qt::LeftButton, {}, QPoint(15, 15));
    QTest::mouseRelease(FPinaco->PanelMaximizar, Qt::LeftButton, {}, QPoint(200, 300));
    QVERIFY(FPinaco->IsMaximized());
    FPinaco->Config.MinimizeToTray = true;
    QTest::mouseClick(FPinaco->PanelMinimizar, Qt::LeftButton, {}, QPoint(15, 15));
    QVERIFY(FPinaco->Config.IconInTray && !FPinaco->isVisible() &&
            FPinaco->IconoBandeja->isVisible());
    // The double-click on the icon brings the board back.
    emit FPinaco->IconoBandeja->activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(FPinaco->isVisible() && !FPinaco->IconoBandeja->isVisible());
    // A second start's request also restores it from the tray.
    FPinaco->Minimizar();
    FPinaco->MensajeMostrar();
    QVERIFY(FPinaco->isVisible() && !FPinaco->Config.IconInTray);
}

QTEST_MAIN(TestMarco)
#include "test_marco.moc"
