// The about box: the monster's scene tick by tick, and the window that shows it.
#include "config/EscenaMoztro.h"
#include "config/FrmAbout.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <tuple>

using E = EscenaMoztro;
using Lista = QList<E::Elemento>;

namespace {

Lista Visibles(const EscenaMoztro& e) {
    Lista lista;
    for (int i = 0; i < E::NumElementos; ++i)
        if (e.Visible(E::Elemento(i)))
            lista.append(E::Elemento(i));
    return lista;
}

// Ticks n times: the first n - 1 must change nothing, the last must move to another state.
bool Esperar(EscenaMoztro& e, int n) {
    auto foto = [&] { return std::tuple(Visibles(e), e.TextoMoztro1(), e.TextoMoztro2(), e.S()); };
    const auto antes = foto();
    for (int i = 1; i < n; ++i) {
        e.TimerBugTimer();
        if (foto() != antes)
            return false;
    }
    e.TimerBugTimer();
    return e.S() != std::get<3>(antes);
}

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

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void escenaGuionizada();
    void accionesOciosas_data();
    void accionesOciosas();
    void cajaDePrincipioAFin();

private:
    // Random draws read from a script; records the ranges asked for.
    EscenaMoztro::Azar Azar() {
        FValores.clear();
        FRangos.clear();
        return [this](int n) {
            FRangos.append(n);
            return FValores.empty() ? -1 : FValores.takeFirst();
        };
    }
    TfrmAbout* Caja(bool guionizada = false) {
        auto* caja = new TfrmAbout(&FTablero, guionizada ? Azar() : EscenaMoztro::Azar());
        Hijo<QTimer>(caja, "TimerBug")->stop(); // the scene only moves when the test ticks it
        caja->show();
        return caja;
    }

    QList<int> FValores;
    QList<int> FRangos;
    QWidget FTablero;
};

void TestAbout::escenaGuionizada() {
    EscenaMoztro e(Azar());
    for (int i = 0; i < 100; ++i)
        e.TimerBugTimer();
    QVERIFY(!e.imgMoztroClick()); // a click before it shows neither acts nor restarts the wait
    QVERIFY(Esperar(e, 140));
    QCOMPARE(Visibles(e),
             (Lista{E::imgMoztro, E::imgBocadilloGrande, E::lblMoztro1, E::lblMoztro2}));
    // Without a click the monster just stands there.
    for (int i = 0; i < 2000; ++i)
        e.TimerBugTimer();
    QVERIFY(Visibles(e).size() == 4 && e.S() == 1 && FRangos.isEmpty());
    QVERIFY(e.imgMoztroClick());
    QVERIFY(!e.imgMoztroClick()); // acts in state 1 only
    // Two blinks: eyes closed two ticks, open one, closed one; then the hole.
    QVERIFY(e.MoztroArrastra() && e.Visible(E::imgMoztroParpadea));
    QVERIFY(Esperar(e, 2) && Esperar(e, 1) && Esperar(e, 1) && Esperar(e, 8));
    QVERIFY(e.S() == 5 && e.Visible(E::imgRoto));
    QCOMPARE(e.TextoMoztro1() + e.TextoMoztro2(), QStringLiteral(". . ."));
    // Two glances to the right, four ticks each, eight apart; only then the first draw.
    FValores = {5};
    for (int mirada = 0; mirada < 2; ++mirada)
        QVERIFY(Esperar(e, 8) && e.S() == 6 && Esperar(e, 4));
    QCOMPARE(e.S(), 7);
    QCOMPARE(e.TextoMoztro1(), QStringLiteral("Uh Oh..."));
    QVERIFY(FRangos == QList<int>{8} && e.W() == 5 + 4);
}

// Draws of r, one per idle action, and the state each action starts: 8 blink, 10 glance,
// 12 left look. Every later wait is azarW + 2 ticks. The bubble goes with the first blink.
void TestAbout::accionesOciosas_data() {
    QTest::addColumn<int>("azarW");
    QTest::addColumn<QList<int>>("r");
    QTest::addColumn<QList<int>>("estados");
    QTest::newRow("49 blinks, two blinks force a glance")
        << 11 << QList{80, 49, 10} << QList{8, 8, 10};
    QTest::newRow("50 glances, two glances force a blink")
        << 5 << QList{80, 50, 50, 99} << QList{8, 10, 10, 8};
    QTest::newRow("7 is no left look") << 0 << QList{80, 50, 7} << QList{8, 10, 8};
    QTest::newRow("left look beats the forced blink") << 0 << QList{0, 99} << QList{12, 8};
    QTest::newRow("left look counts as a glance run")
        << 0 << QList{80, 50, 6, 99} << QList{8, 10, 12, 8};
}

void TestAbout::accionesOciosas() {
    QFETCH(int, azarW);
    QFETCH(QList<int>, r);
    EscenaMoztro e(Azar());
    for (int i = 0; i < 240; ++i)
        e.TimerBugTimer();
    e.imgMoztroClick();
    FValores = {0};
    for (int i = 0; i < 200 && e.S() != 7; ++i)
        e.TimerBugTimer();
    int espera = 4;
    QList<int> vistos;
    for (int azar : r) {
        FValores = {azarW, azar};
        FRangos.clear();
        QVERIFY(Esperar(e, espera) && FRangos == (QList<int>{12, 100}));
        vistos << e.S();
        // A blink lasts one tick, a glance four, a left look three steps of two.
        for (int n : e.S() == 8 ? QList{1} : e.S() == 10 ? QList{4} : QList{2, 2, 2})
            QVERIFY(Esperar(e, n));
        QCOMPARE(e.S(), 7);
        QCOMPARE(e.Visible(E::imgBocadilloGrande), !vistos.contains(8));
        espera = azarW + 2;
    }
    QTEST(vistos, "estados");
}

// The box from its first tick to OK, which closes and frees it even when released outside
// the button; the next box starts its scene over.
void TestAbout::cajaDePrincipioAFin() {
    QList<QUrl> abiertas;
    TfrmAbout::FijarAbridorWeb([&abiertas](const QUrl& url) { return abiertas.append(url), true; });
    QPointer<TfrmAbout> primera = Caja(true);
    // The top right corner is cut away; the other three stay square.
    const QRegion mascara = primera->mask();
    QVERIFY(!mascara.contains(QPoint(255, 4)) && mascara.contains(QPoint(266, 22)));
    QVERIFY(mascara.contains(QPoint(0, 0)) && mascara.contains(QPoint(266, 355)));
    // Smaller than 8 points only as far as the texts need to fit their places on the note.
    QVERIFY(primera->font().pointSizeF() <= 8 && primera->font().pointSizeF() >= 6);
    for (const char* nombre : {"Label1", "Label4", "lblMoztro1"}) {
        QLabel* l = Hijo(primera, nombre);
        QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width(), nombre);
    }
    primera->move(100, 100);
    // Whatever the button, the box follows the mouse until it is released.
    Arrastrar(Hijo(primera, "Label2"), {20, 10}, {50, -5}, Qt::RightButton);
    Enviar(QEvent::MouseMove, Hijo(primera, "Label2"), QPoint(60, 50));
    QCOMPARE(primera->pos(), QPoint(130, 85));
    // The link does not drag and opens the page on a left click only.
    QTest::mouseClick(Hijo(primera, "Label4"), Qt::RightButton, {}, QPoint(5, 5));
    Arrastrar(Hijo(primera, "Label4"), {3, 3}, {5, 5});
    QCOMPARE(abiertas, QList<QUrl>{TfrmAbout::DireccionWeb()});
    QLabel* moztro = Hijo(primera, "imgMoztro");
    for (int i = 0; i < 240; ++i)
        primera->TimerBugTimer();
    // Waiting for its click the monster does not drag, and a release away from it is no click.
    Arrastrar(moztro, {10, 10}, {60, 60});
    QVERIFY(primera->pos() == QPoint(130, 85) && primera->Escena().S() == 1);
    QTest::mouseClick(moztro, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(Hijo(primera, "imgMoztroParpadea")->isVisible());
    Arrastrar(moztro, {10, 10}, {30, 20}); // afterwards it drags like the background
    QCOMPARE(primera->pos(), QPoint(150, 95));

    QLabel* aceptar = Hijo(primera, "ImgAceptarNormal");
    auto* panel = Hijo<QWidget>(primera, "Panel1");
    Enviar(QEvent::MouseButtonPress, aceptar, QPoint(57, 22));
    QCOMPARE(panel->childAt(57, 22), Hijo(primera, "ImgAceptarApretado"));
    Enviar(QEvent::MouseButtonRelease, aceptar, QPoint(200, 300));
    QVERIFY(!primera->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(primera.isNull());
    TfrmAbout::FijarAbridorWeb({});

    std::unique_ptr<TfrmAbout> segunda(Caja());
    for (int i = 1; i < 240; ++i)
        segunda->TimerBugTimer();
    QVERIFY(segunda->Escena().S() == 0 && !Hijo(segunda.get(), "imgMoztro")->isVisible());
    QCOMPARE(Hijo(segunda.get(), "lblMoztro1")->text(), QStringLiteral("¿Bugs? ¡Este código"));
    // The real timer moves the scene.
    const int t = segunda->Escena().T();
    Hijo<QTimer>(segunda.get(), "TimerBug")->start();
    QTRY_VERIFY_WITH_TIMEOUT(segunda->Escena().T() >= t + 2, 3000);
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"
