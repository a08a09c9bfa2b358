// The board's frame: outlines, layout, resizing, maximising, buttons and the tray.
#include "app/BotonRedondo.h"
#include "app/DisposicionMarco.h"
#include "app/FondoCorcho.h"
#include "app/PiezaMarco.h"
#include "app/Pinaco.h"
#include "notes/Nota.h"
#include "tests/EntornoPrueba.h"

#include <QSystemTrayIcon>
#include <QtTest>

Q_DECLARE_METATYPE(DisposicionMarco)

namespace {
bool ConBandeja() {
    return true;
}
bool SinBandeja() {
    return false;
}
} // namespace

class TestMarco : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void regiones_data();
    void regiones();
    void regionesDeEsquinaYAgarradera();
    void disposicion_data();
    void disposicion();
    void redimensionarConMinimo();
    void soloLaAgarraderaRedimensiona_data();
    void soloLaAgarraderaRedimensiona();
    void redimensionDelGestorDeVentanas();
    void dobleClicEnElCorchoSoloConElIzquierdo_data();
    void dobleClicEnElCorchoSoloConElIzquierdo();
    void maximizarYRestaurar();
    void botonSoltadoFueraActua();
    void botonConOtroBotonDelRaton();
    void cambioDeTipo();
    void bandeja();
    void sinBandejaMinimizaNormal();
    void minimizarSinBandejaConfigurada();

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

void TestMarco::regiones_data() {
    QTest::addColumn<bool>("esPanel1"); // else Chart3
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QPoint>("punto");
    QTest::addColumn<bool>("dentro");
    QTest::newRow("Panel1 1: saliente de arriba") << true << 1 << QPoint(212, 5) << true;
    QTest::newRow("Panel1 1: bajo la barra fina") << true << 1 << QPoint(212, 20) << false;
    QTest::newRow("Panel1 2: bajo la barra alta") << true << 2 << QPoint(212, 20) << true;
    QTest::newRow("Panel1: curva dentro") << true << 1 << QPoint(198, 54) << true;
    QTest::newRow("Panel1: curva fuera") << true << 1 << QPoint(199, 54) << false;
    QTest::newRow("Panel1: escalon k=7") << true << 1 << QPoint(200, 53) << true;
    QTest::newRow("Panel1: tras el escalon") << true << 1 << QPoint(201, 53) << false;
    QTest::newRow("Panel1: pata izquierda") << true << 1 << QPoint(12, 64) << true;
    QTest::newRow("Panel1: junto a la pata") << true << 1 << QPoint(13, 64) << false;
    QTest::newRow("Chart3 1: hueco izquierdo") << false << 1 << QPoint(3, 20) << false;
    QTest::newRow("Chart3 2: lleno") << false << 2 << QPoint(3, 20) << true;
    QTest::newRow("Chart3: arriba izquierda") << false << 1 << QPoint(3, 10) << true;
    QTest::newRow("Chart3: escalon k=1") << false << 1 << QPoint(5, 15) << true;
    QTest::newRow("Chart3: fuera del escalon") << false << 1 << QPoint(4, 16) << false;
    QTest::newRow("Chart3: pie derecho") << false << 1 << QPoint(116, 49) << true;
    QTest::newRow("Chart3: junto al pie") << false << 1 << QPoint(103, 49) << false;
    QTest::newRow("Chart3: borde derecho") << false << 1 << QPoint(117, 10) << false;
}

void TestMarco::regiones() {
    QFETCH(bool, esPanel1);
    QFETCH(int, tipo);
    QFETCH(QPoint, punto);
    QFETCH(bool, dentro);
    const QRegion region = esPanel1 ? RegionPanel1(tipo) : RegionChart3(tipo);
    QCOMPARE(region.contains(punto), dentro);
}

void TestMarco::regionesDeEsquinaYAgarradera() {
    const QRegion esquina = RegionChart6();
    QVERIFY(esquina.contains(QPoint(5, 5)));
    QVERIFY(!esquina.contains(QPoint(0, 0)));
    QVERIFY(!esquina.contains(QPoint(18, 3))); // the cut at the top right
    QVERIFY(!esquina.contains(QPoint(22, 10)));
    QVERIFY(esquina.contains(QPoint(21, 15)));
    const QRegion agarradera = RegionChart8();
    QVERIFY(!agarradera.contains(QPoint(3, 3))); // the cut at the top left
    QVERIFY(agarradera.contains(QPoint(20, 20)));
    QVERIFY(!agarradera.contains(QPoint(27, 20)));
    QVERIFY(agarradera.contains(QPoint(20, 3)));
}

void TestMarco::disposicion_data() {
    QTest::addColumn<QSize>("tamano");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<DisposicionMarco>("esperada");
    QTest::newRow("442x384 Original")
        << QSize(442, 384) << 1 << DisposicionMarco{QRect(215, 0, 111, 13), QRect(325, -1, 118, 52),
                                                    QRect(0, 65, 13, 298),  QRect(429, 50, 13, 307),
                                                    QRect(-1, 362, 23, 23), QRect(21, 371, 395, 13),
                                                    QRect(415, 356, 28, 29)};
    QTest::newRow("800x600 Extendido")
        << QSize(800, 600) << 2 << DisposicionMarco{QRect(215, 0, 469, 43), QRect(683, -1, 118, 52),
                                                    QRect(0, 65, 13, 514),  QRect(787, 50, 13, 523),
                                                    QRect(-1, 578, 23, 23), QRect(21, 587, 753, 13),
                                                    QRect(773, 572, 28, 29)};
}

void TestMarco::disposicion() {
    QFETCH(QSize, tamano);
    QFETCH(int, tipo);
    QFETCH(DisposicionMarco, esperada);
    const DisposicionMarco m = CalcularMarco(tamano.width(), tamano.height(), tipo);
    QCOMPARE(m.Image2, esperada.Image2);
    QCOMPARE(m.Chart3, esperada.Chart3);
    QCOMPARE(m.Image4, esperada.Image4);
    QCOMPARE(m.Image5, esperada.Image5);
    QCOMPARE(m.Chart6, esperada.Chart6);
    QCOMPARE(m.Image7, esperada.Image7);
    QCOMPARE(m.Chart8, esperada.Chart8);
}

void TestMarco::redimensionarConMinimo() {
    Arrancar();
    const QSize fondo = FPinaco->ChartFondo->size();
    FPinaco->CambiarTamano(100, 100);
    QCOMPARE(FPinaco->size(), QSize(400, 300));
    QCOMPARE(FPinaco->Chart8->geometry().bottomRight(), QPoint(400, 300));
    // Beyond the screen the cork grows, and stays grown.
    FPinaco->CambiarTamano(fondo.width() + 100, fondo.height() + 50);
    QCOMPARE(FPinaco->ChartFondo->size(), fondo + QSize(100, 50));
    FPinaco->CambiarTamano(500, 400);
    QCOMPARE(FPinaco->ChartFondo->size(), fondo + QSize(100, 50));
    // Dragging the grip: the corner follows the pointer with 5 pixels to spare.
    const QPoint esquina = FPinaco->pos() + QPoint(600, 450);
    QMouseEvent mover(QEvent::MouseMove, QPointF(1, 1), QPointF(esquina), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(FPinaco->Chart8, &mover);
    QCOMPARE(FPinaco->size(), QSize(605, 455));
    // Notes stay inside a board that shrinks.
    TNota* nota = FPinaco->CrearNota(true);
    nota->move(450, 250);
    FPinaco->CambiarTamano(400, 300);
    QCOMPARE(nota->geometry().bottomRight(), QPoint(400 - 16, 300 - 16));
}

void TestMarco::soloLaAgarraderaRedimensiona_data() {
    QTest::addColumn<QString>("pieza");
    QTest::addColumn<QPoint>("punto");
    QTest::newRow("Minimizar") << "PanelMinimizar" << QPoint(15, 15);
    QTest::newRow("Maximizar") << "PanelMaximizar" << QPoint(15, 15);
    QTest::newRow("Cerrar") << "PanelCerrar" << QPoint(15, 15);
    QTest::newRow("pieza de los botones") << "Chart3" << QPoint(100, 5);
}

void TestMarco::soloLaAgarraderaRedimensiona() {
    QFETCH(QString, pieza);
    QFETCH(QPoint, punto);
    Arrancar();
    FPinaco->setGeometry(50, 60, 799, 421);
    QWidget* w = pieza == "PanelMinimizar"   ? FPinaco->PanelMinimizar
                 : pieza == "PanelMaximizar" ? FPinaco->PanelMaximizar
                 : pieza == "PanelCerrar"    ? FPinaco->PanelCerrar
                                             : FPinaco->Chart3;
    QTest::mousePress(w, Qt::LeftButton, {}, punto);
    // The hand wobbles by two pixels before the release.
    const QPoint movido = punto + QPoint(2, 2);
    QMouseEvent mover(QEvent::MouseMove, QPointF(movido), QPointF(w->mapToGlobal(movido)),
                      Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &mover);
    QCOMPARE(FPinaco->size(), QSize(799, 421));
    QTest::mouseRelease(w, Qt::LeftButton, {}, movido);
}

void TestMarco::redimensionDelGestorDeVentanas() {
    Arrancar();
    // The minimum is the window's own, so the window manager keeps to it.
    QCOMPARE(FPinaco->windowHandle()->minimumSize(), QSize(400, 300));
    TNota* nota = FPinaco->CrearNota(true);
    nota->move(600, 400);
    FPinaco->windowHandle()->resize(700, 500);
    QTRY_COMPARE(FPinaco->Chart8->geometry().bottomRight(), QPoint(700, 500));
    FPinaco->windowHandle()->resize(450, 320);
    QTRY_COMPARE(FPinaco->Chart8->geometry().bottomRight(), QPoint(450, 320));
    QCOMPARE(nota->geometry().bottomRight(), QPoint(450 - 16, 320 - 16));
}

void TestMarco::dobleClicEnElCorchoSoloConElIzquierdo_data() {
    QTest::addColumn<Qt::MouseButton>("boton");
    QTest::addColumn<int>("notasNuevas");
    QTest::newRow("izquierdo") << Qt::LeftButton << 1;
    QTest::newRow("central") << Qt::MiddleButton << 0;
    QTest::newRow("derecho") << Qt::RightButton << 0;
}

void TestMarco::dobleClicEnElCorchoSoloConElIzquierdo() {
    QFETCH(Qt::MouseButton, boton);
    QFETCH(int, notasNuevas);
    QPixmap tesela(16, 16);
    tesela.fill(Qt::darkYellow);
    FondoCorcho corcho(tesela, nullptr);
    corcho.resize(200, 200);
    int anadidas = 0;
    corcho.OnDblClick = [&] { ++anadidas; };
    QTest::mouseDClick(&corcho, boton, {}, QPoint(50, 50));
    QCOMPARE(anadidas, notasNuevas);
}

void TestMarco::maximizarYRestaurar() {
    Arrancar();
    FPinaco->setGeometry(50, 60, 500, 400);
    QTest::mousePress(FPinaco->PanelMaximizar, Qt::LeftButton);
    QTest::mouseRelease(FPinaco->PanelMaximizar, Qt::LeftButton);
    QVERIFY(FPinaco->IsMaximized());
    QCOMPARE(FPinaco->geometry(), FPinaco->screen()->availableGeometry());
    QVERIFY(FPinaco->PanelMaximizar->AlternaVisible());
    QCOMPARE(FPinaco->PanelMaximizar->toolTip(), QString("Restaurar"));
    // Maximised, the grip does not resize.
    const QSize maximo = FPinaco->size();
    QMouseEvent mover(QEvent::MouseMove, QPointF(1, 1), QPointF(10, 10), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    FPinaco->chart8MouseMove(&mover);
    QCOMPARE(FPinaco->size(), maximo);
    QTest::mousePress(FPinaco->PanelMaximizar, Qt::LeftButton);
    QTest::mouseRelease(FPinaco->PanelMaximizar, Qt::LeftButton);
    QVERIFY(!FPinaco->IsMaximized());
    QCOMPARE(FPinaco->geometry(), QRect(50, 60, 500, 400));
    QCOMPARE(FPinaco->PanelMaximizar->toolTip(), QString("Maximizar"));
}

void TestMarco::botonSoltadoFueraActua() {
    Arrancar();
    FPinaco->setGeometry(50, 60, 500, 400);
    // The release goes to the button that took the press, wherever the pointer is.
    QTest::mousePress(FPinaco->PanelMaximizar, Qt::LeftButton, {}, QPoint(15, 15));
    QVERIFY(FPinaco->PanelMaximizar->Apretado());
    QTest::mouseRelease(FPinaco->PanelMaximizar, Qt::LeftButton, {}, QPoint(200, 300));
    QVERIFY(!FPinaco->PanelMaximizar->Apretado());
    QVERIFY(FPinaco->IsMaximized());
}

void TestMarco::botonConOtroBotonDelRaton() {
    Arrancar();
    FPinaco->setGeometry(50, 60, 500, 400);
    QTest::mousePress(FPinaco->PanelMaximizar, Qt::LeftButton);
    QTest::mousePress(FPinaco->PanelMaximizar, Qt::RightButton);
    QTest::mouseRelease(FPinaco->PanelMaximizar, Qt::LeftButton);
    QVERIFY(!FPinaco->IsMaximized());
    // A release without a press does nothing either.
    QTest::mouseRelease(FPinaco->PanelMaximizar, Qt::LeftButton);
    QVERIFY(!FPinaco->IsMaximized());
}

void TestMarco::cambioDeTipo() {
    Arrancar();
    QCOMPARE(FPinaco->Image2->height(), 13);
    QVERIFY(!FPinaco->Panel1->mask().contains(QPoint(212, 20)));
    FPinaco->Config.TipoPinaco = 2;
    FPinaco->AplicarConfiguracion();
    QCOMPARE(FPinaco->Image2->height(), 43);
    QVERIFY(FPinaco->Panel1->mask().contains(QPoint(212, 20)));
    QVERIFY(FPinaco->Chart3->mask().contains(QPoint(3, 20)));
}

void TestMarco::bandeja() {
    Arrancar();
    QTest::mousePress(FPinaco->PanelMinimizar, Qt::LeftButton);
    QTest::mouseRelease(FPinaco->PanelMinimizar, Qt::LeftButton);
    QVERIFY(FPinaco->Config.IconInTray);
    QVERIFY(!FPinaco->isVisible());
    QVERIFY(FPinaco->IconoBandeja->isVisible());
    FPinaco->IniciarParpadeo();
    QCOMPARE(FPinaco->Parpadeo(), 1);
    FPinaco->TimerNotaRecibidaTimer();
    QCOMPARE(FPinaco->Parpadeo(), 0);
    FPinaco->TimerNotaRecibidaTimer();
    QCOMPARE(FPinaco->Parpadeo(), 1); // showing the received-note icon
    FPinaco->RestaurarDeBandeja();
    QVERIFY(FPinaco->isVisible());
    QVERIFY(!FPinaco->IconoBandeja->isVisible());
    QVERIFY(!FPinaco->TimerNotaRecibida.isActive());
    FPinaco->Minimizar();
    QCOMPARE(FPinaco->Parpadeo(), 0); // back with the ordinary icon
    // The double-click on the icon brings the board back; a single click does nothing.
    emit FPinaco->IconoBandeja->activated(QSystemTrayIcon::Trigger);
    QVERIFY(!FPinaco->isVisible());
    emit FPinaco->IconoBandeja->activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(FPinaco->isVisible());
    // A second start's request also restores it from the tray.
    FPinaco->Minimizar();
    FPinaco->MensajeMostrar();
    QVERIFY(FPinaco->isVisible());
    QVERIFY(!FPinaco->Config.IconInTray);
}

void TestMarco::sinBandejaMinimizaNormal() {
    TPinaco::DisponibilidadBandeja = SinBandeja;
    Arrancar();
    FPinaco->Minimizar();
    QVERIFY(!FPinaco->Config.IconInTray);
    QVERIFY(FPinaco->isMinimized());
    QVERIFY(!FPinaco->IconoBandeja->isVisible());
}

void TestMarco::minimizarSinBandejaConfigurada() {
    Arrancar();
    FPinaco->Config.MinimizeToTray = false;
    FPinaco->Minimizar();
    QVERIFY(!FPinaco->Config.IconInTray);
    QVERIFY(FPinaco->isMinimized());
    QVERIFY(!FPinaco->IconoBandeja->isVisible());
}

QTEST_MAIN(TestMarco)
#include "test_marco.moc"
