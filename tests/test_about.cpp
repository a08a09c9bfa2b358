// The about box: the monster's scene, and the window that shows it.
#include "config/EscenaMoztro.h"
#include "config/FrmAbout.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QtTest>

namespace {

void Enviar(QEvent::Type tipo, QWidget* w, QPoint local, Qt::MouseButton boton = Qt::LeftButton) {
    QMouseEvent ev(tipo, QPointF(local), QPointF(w->mapToGlobal(local)),
                   tipo == QEvent::MouseMove ? Qt::NoButton : boton,
                   tipo == QEvent::MouseButtonRelease ? Qt::MouseButtons() : boton, {});
    QApplication::sendEvent(w, &ev);
}

void Arrastrar(QWidget* w, QPoint desde, QPoint hasta, Qt::MouseButton b = Qt::LeftButton) {
    Enviar(QEvent::MouseButtonPress, w, desde, b);
    Enviar(QEvent::MouseMove, w, hasta);
    Enviar(QEvent::MouseButtonRelease, w, hasta, b);
}

template <class T = QLabel> T* Hijo(QWidget* caja, const char* nombre) {
    return caja->findChild<T*>(QString::fromLatin1(nombre));
}

void Avanzar(auto& escena, int ticks) {
    for (int i = 0; i < ticks; ++i)
        escena.TimerBugTimer();
}

TfrmAbout* Caja(QWidget* tablero) {
    auto* caja = new TfrmAbout(tablero, [](int) { return 0; });
    Hijo<QTimer>(caja, "TimerBug")->stop(); // the scene only moves when the test ticks it
    caja->show();
    return caja;
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void cajaDePrincipioAFin();

private:
    QWidget FTablero;
};

// The box from its first tick to OK, which closes and frees it even when released outside
// the button; the next box starts its scene over.
void TestAbout::cajaDePrincipioAFin() {
    QList<QUrl> abiertas;
    TfrmAbout::FijarAbridorWeb([&abiertas](const QUrl& url) { return abiertas.append(url), true; });
    QPointer<TfrmAbout> primera = Caja(&FTablero);
    primera->move(100, 100);
    // Whatever the button, the box follows the mouse until it is released.
    Arrastrar(Hijo(primera, "Label2"), {20, 10}, {50, -5}, Qt::RightButton);
    Enviar(QEvent::MouseMove, Hijo(primera, "Label2"), QPoint(60, 50));
    QCOMPARE(primera->pos(), QPoint(130, 85));
    // The link does not drag and opens the page on a left click only.
    QTest::mouseClick(Hijo(primera, "Label4"), Qt::RightButton, {}, QPoint(5, 5));
    Arrastrar(Hijo(primera, "Label4"), {3, 3}, {5, 5});
    QCOMPARE(abiertas, QList<QUrl>{TfrmAbout::DireccionWeb()});
    // The monster's click starts its scene.
    Avanzar(*primera, EscenaMoztro::EsperaAparicion);
    QTest::mouseClick(Hijo(primera, "imgMoztro"), Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(Hijo(primera, "imgMoztroParpadea")->isVisible());
    Avanzar(*primera, 60);
    QCOMPARE(Hijo(primera, "lblMoztro1")->text(), QStringLiteral("Uh Oh..."));

    QLabel* aceptar = Hijo(primera, "ImgAceptarNormal");
    Enviar(QEvent::MouseButtonPress, aceptar, QPoint(57, 22));
    Enviar(QEvent::MouseButtonRelease, aceptar, QPoint(200, 300));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(primera.isNull());
    TfrmAbout::FijarAbridorWeb({});

    std::unique_ptr<TfrmAbout> segunda(Caja(&FTablero));
    // The monster shows after a full minute; a click before neither acts nor restarts the wait.
    Avanzar(*segunda, 100);
    segunda->imgMoztroClick();
    Avanzar(*segunda, EscenaMoztro::EsperaAparicion - 101);
    QVERIFY(segunda->Escena().S() == 0 && !Hijo(segunda.get(), "imgMoztro")->isVisible());
    Avanzar(*segunda, 1);
    QVERIFY(Hijo(segunda.get(), "imgMoztro")->isVisible());
    // The real timer moves the scene.
    const int t = segunda->Escena().T();
    Hijo<QTimer>(segunda.get(), "TimerBug")->start();
    QTRY_VERIFY_WITH_TIMEOUT(segunda->Escena().T() >= t + 2, 3000);
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"
