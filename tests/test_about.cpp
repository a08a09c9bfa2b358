// The about box: the monster's scene tick by tick, and the window that shows it.
#include "config/EscenaMoztro.h"
#include "config/FrmAbout.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <memory>
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

auto Foto(const EscenaMoztro& e) {
    return std::tuple(Visibles(e), e.TextoMoztro1(), e.TextoMoztro2(), e.S());
}

// Ticks n times: the first n - 1 must change nothing, the last must move to another state.
bool Esperar(EscenaMoztro& e, int n) {
    const auto antes = Foto(e);
    for (int i = 1; i < n; ++i) {
        e.TimerBugTimer();
        if (Foto(e) != antes) {
            qWarning("state %d changed after %d of %d ticks", e.S(), i, n);
            return false;
        }
    }
    e.TimerBugTimer();
    return e.S() != std::get<3>(antes);
}

// Runs an idle action to its end: a blink lasts one tick, a glance four, a left look
// three steps of two.
bool Acabar(EscenaMoztro& e) {
    const QList<int> pasos = e.S() == 8 ? QList{1} : e.S() == 10 ? QList{4} : QList{2, 2, 2};
    for (int n : pasos)
        if (!Esperar(e, n))
            return false;
    return e.S() == 7;
}

void Enviar(QEvent::Type tipo, QWidget* w, QPoint local, Qt::MouseButton boton = Qt::LeftButton) {
    const bool suelta = tipo == QEvent::MouseButtonRelease;
    QMouseEvent ev(tipo, QPointF(local), QPointF(w->mapToGlobal(local)),
                   tipo == QEvent::MouseMove ? Qt::NoButton : boton,
                   suelta ? Qt::MouseButtons() : Qt::MouseButtons(boton), Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

template <class T = QLabel> T* Hijo(QWidget* caja, const char* nombre) {
    return caja->findChild<T*>(QString::fromLatin1(nombre));
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void monstruoApareceAlMinuto();
    void escenaGuionizada();
    void accionesOciosas_data();
    void accionesOciosas();
    void bocadilloHastaElPrimerParpadeo();

    void ventanaYTextosQueCaben();
    void arrastreYEnlace();
    void cajaDePrincipioAFin();

private:
    // Random draws read from a script; records the ranges asked for.
    EscenaMoztro::Azar Azar() {
        return [this](int n) {
            FRangos.append(n);
            if (FValores.empty())
                qWarning("random draw beyond the script");
            return FValores.empty() ? 0 : FValores.takeFirst();
        };
    }
    // One idle action: after `ticks`, draws the next wait and r; returns the state it starts.
    int Accion(EscenaMoztro& e, int ticks, int azarW, int r) {
        FValores = {azarW, r};
        FRangos.clear();
        return Esperar(e, ticks) && FRangos == QList<int>{12, 100} ? e.S() : -1;
    }
    // A scene that has run its script and idles in state 7 after a first wait of 4 ticks.
    std::unique_ptr<EscenaMoztro> EscenaOciosa() {
        auto e = std::make_unique<EscenaMoztro>(Azar());
        for (int i = 0; i < E::EsperaAparicion; ++i)
            e->TimerBugTimer();
        e->imgMoztroClick();
        FValores = {0};
        for (int i = 0; i < 200 && e->S() != 7; ++i)
            e->TimerBugTimer();
        return e;
    }
    // A shown box whose scene only moves when the test ticks it.
    TfrmAbout* Caja(bool guionizada = false) {
        auto* caja = new TfrmAbout(&FTablero, guionizada ? Azar() : EscenaMoztro::Azar());
        Hijo<QTimer>(caja, "TimerBug")->stop();
        caja->show();
        return caja;
    }

    QList<int> FValores;
    QList<int> FRangos;
    QWidget FTablero;
};

void TestAbout::init() {
    FValores.clear();
    FRangos.clear();
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^(random|state)")));
}

void TestAbout::cleanup() {
    TfrmAbout::FijarAbridorWeb({});
    qDeleteAll(FTablero.findChildren<TfrmAbout*>(Qt::FindDirectChildrenOnly));
}

void TestAbout::monstruoApareceAlMinuto() {
    EscenaMoztro e(Azar());
    for (int i = 0; i < 100; ++i)
        e.TimerBugTimer();
    QVERIFY(!e.imgMoztroClick()); // a click before it shows neither acts nor restarts the wait
    QVERIFY(Visibles(e).isEmpty());
    QVERIFY(Esperar(e, 140));
    QCOMPARE(Visibles(e),
             (Lista{E::imgMoztro, E::imgBocadilloGrande, E::lblMoztro1, E::lblMoztro2}));
    QVERIFY(!e.MoztroArrastra());
    // Without a click the monster just stands there.
    const auto aparecido = Foto(e);
    for (int i = 0; i < 2000; ++i)
        e.TimerBugTimer();
    QVERIFY(Foto(e) == aparecido);
    QVERIFY(FRangos.isEmpty());
}

void TestAbout::escenaGuionizada() {
    EscenaMoztro e(Azar());
    for (int i = 0; i < 300; ++i)
        e.TimerBugTimer();
    QVERIFY(e.imgMoztroClick());
    QVERIFY(!e.imgMoztroClick()); // acts in state 1 only
    QVERIFY(e.S() == 2 && e.MoztroArrastra() && e.Visible(E::imgMoztroParpadea));
    // Two blinks: eyes closed two ticks, open one, closed one.
    QVERIFY(Esperar(e, 2) && e.S() == 3 && !e.Visible(E::imgMoztroParpadea));
    QVERIFY(Esperar(e, 1) && e.S() == 2 && e.Visible(E::imgMoztroParpadea));
    QVERIFY(Esperar(e, 1) && e.S() == 4 && !e.Visible(E::imgMoztroParpadea));
    // The hole, and the bubble falls silent.
    QVERIFY(Esperar(e, 8) && e.S() == 5 && e.Visible(E::imgRoto));
    QCOMPARE(e.TextoMoztro1() + e.TextoMoztro2(), QStringLiteral(". . ."));
    // Two glances to the right, four ticks each, eight apart; only then the first draw.
    FValores = {5};
    for (int mirada = 0; mirada < 2; ++mirada) {
        QVERIFY(Esperar(e, 8) && e.S() == 6 && e.Visible(E::imgMoztroOjosDcha));
        QVERIFY(Esperar(e, 4) && !e.Visible(E::imgMoztroOjosDcha));
    }
    QCOMPARE(e.S(), 7);
    QCOMPARE(e.TextoMoztro1(), QStringLiteral("Uh Oh..."));
    QCOMPARE(FRangos, QList<int>{8});
    QCOMPARE(e.W(), 5 + 4);
    QCOMPARE(Visibles(e), (Lista{E::imgMoztro, E::imgBocadilloGrande, E::lblMoztro1, E::lblMoztro2,
                                 E::imgRoto}));
}

// Draws of r, one per idle action, and the state each action starts: 8 blink, 10 glance,
// 12 left look. Every later wait is azarW + 2 ticks.
void TestAbout::accionesOciosas_data() {
    QTest::addColumn<int>("azarW");
    QTest::addColumn<QList<int>>("r");
    QTest::addColumn<QList<int>>("estados");
    QTest::newRow("first action: forced blink") << 0 << QList{80} << QList{8};
    QTest::newRow("49 blinks, two blinks force a glance")
        << 11 << QList{80, 49, 10} << QList{8, 8, 10};
    QTest::newRow("50 glances, two glances force a blink")
        << 5 << QList{80, 50, 50, 99} << QList{8, 10, 10, 8};
    QTest::newRow("7 is no left look") << 0 << QList{80, 50, 7} << QList{8, 10, 8};
    QTest::newRow("6 looks left") << 0 << QList{80, 50, 6} << QList{8, 10, 12};
    QTest::newRow("left look beats the forced blink") << 0 << QList{0} << QList{12};
    QTest::newRow("left look counts as a glance run")
        << 0 << QList{80, 50, 6, 99} << QList{8, 10, 12, 8};
}

void TestAbout::accionesOciosas() {
    QFETCH(int, azarW);
    QFETCH(QList<int>, r);
    QFETCH(QList<int>, estados);
    auto e = EscenaOciosa();
    int espera = 4;
    QList<int> vistos;
    for (int azar : r) {
        vistos << Accion(*e, espera, azarW, azar);
        QVERIFY(Acabar(*e));
        espera = azarW + 2;
    }
    QCOMPARE(vistos, estados);
}

// The eyes go left, right, left; the bubble stays through that and goes with the first blink.
void TestAbout::bocadilloHastaElPrimerParpadeo() {
    auto e = EscenaOciosa();
    const Lista bocadillo{E::imgBocadilloGrande, E::lblMoztro1, E::lblMoztro2, E::imgRoto};
    QCOMPARE(Accion(*e, 4, 0, 0), 12);
    QCOMPARE(Visibles(*e), (Lista{E::imgMoztro, E::imgMoztroOjosIzda} + bocadillo));
    QVERIFY(Esperar(*e, 2));
    QCOMPARE(Visibles(*e), (Lista{E::imgMoztro, E::imgMoztroOjosDcha} + bocadillo));
    QVERIFY(Esperar(*e, 2) && Esperar(*e, 2));
    QCOMPARE(Visibles(*e), Lista{E::imgMoztro} + bocadillo);
    QCOMPARE(e->TextoMoztro1(), QStringLiteral("Uh Oh..."));
    QCOMPARE(Accion(*e, 2, 0, 99), 8);
    QVERIFY(e->Visible(E::imgBocadilloGrande));
    QVERIFY(Esperar(*e, 1));
    QCOMPARE(Visibles(*e), (Lista{E::imgMoztro, E::imgRoto}));
}

void TestAbout::ventanaYTextosQueCaben() {
    auto* caja = new TfrmAbout(&FTablero);
    // The top right corner is cut away; the other three stay square.
    const QRegion mascara = caja->mask();
    for (QPoint fuera : {QPoint(245, 0), QPoint(266, 0), QPoint(255, 4), QPoint(266, 21)})
        QVERIFY(!mascara.contains(fuera));
    for (QPoint dentro : {QPoint(244, 0), QPoint(265, 21), QPoint(266, 22), QPoint(0, 0),
                          QPoint(0, 355), QPoint(266, 355)})
        QVERIFY(mascara.contains(dentro));
    // Smaller than 8 points only as far as the texts need to fit their places on the note.
    QVERIFY(caja->font().pointSizeF() <= 8 && caja->font().pointSizeF() >= 6);
    for (const char* nombre : {"Label2", "Label3"}) {
        QLabel* l = Hijo(caja, nombre);
        QVERIFY2(l->heightForWidth(l->width()) <= l->height(), nombre);
    }
    for (const char* nombre : {"Label1", "Label4", "lblMoztro1"}) {
        QLabel* l = Hijo(caja, nombre);
        QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width(), nombre);
        QVERIFY2(l->fontMetrics().height() <= l->height(), nombre);
    }
    QVERIFY(Hijo(caja, "Label1")->geometry().right() <= 206);
    // The real timer moves the scene every 250 ms.
    QCOMPARE(Hijo<QTimer>(caja, "TimerBug")->interval(), 250);
    QTRY_VERIFY_WITH_TIMEOUT(caja->Escena().T() >= 2, 3000);
}

void TestAbout::arrastreYEnlace() {
    QList<QUrl> abiertas;
    TfrmAbout::FijarAbridorWeb([&abiertas](const QUrl& url) {
        abiertas.append(url);
        return true;
    });
    auto* caja = Caja();
    caja->move(100, 100);
    QLabel* label2 = Hijo(caja, "Label2");
    // Whatever the button, the box follows the mouse until it is released.
    Enviar(QEvent::MouseButtonPress, label2, QPoint(20, 10), Qt::RightButton);
    Enviar(QEvent::MouseMove, label2, QPoint(50, -5));
    QCOMPARE(caja->pos(), QPoint(130, 85));
    Enviar(QEvent::MouseButtonRelease, label2, QPoint(20, 10), Qt::RightButton);
    Enviar(QEvent::MouseMove, label2, QPoint(60, 50));
    QCOMPARE(caja->pos(), QPoint(130, 85));
    // The link does not drag and opens the page on a left click only.
    QLabel* enlace = Hijo(caja, "Label4");
    QTest::mouseClick(enlace, Qt::RightButton, {}, QPoint(5, 5));
    QVERIFY(abiertas.isEmpty());
    Enviar(QEvent::MouseButtonPress, enlace, QPoint(3, 3));
    Enviar(QEvent::MouseMove, enlace, QPoint(33, 33));
    Enviar(QEvent::MouseButtonRelease, enlace, QPoint(5, 5));
    QCOMPARE(caja->pos(), QPoint(130, 85));
    QCOMPARE(abiertas, QList<QUrl>{TfrmAbout::DireccionWeb()});
}

// The box from its first tick to OK, which closes and frees it even when released outside
// the button; the next box starts its scene over.
void TestAbout::cajaDePrincipioAFin() {
    QPointer<TfrmAbout> primera = Caja(true);
    primera->move(100, 100);
    QLabel* moztro = Hijo(primera, "imgMoztro");
    const QPoint barriga(37, 335);
    QCOMPARE(primera->childAt(barriga), Hijo(primera, "ImgFondo")); // hidden, it takes no clicks
    for (int i = 0; i < 240; ++i)
        primera->TimerBugTimer();
    QCOMPARE(primera->childAt(barriga), moztro);
    QVERIFY(Hijo(primera, "lblMoztro2")->isVisible());
    // Waiting for its click the monster does not drag, and a release away from it is no click.
    Enviar(QEvent::MouseButtonPress, moztro, QPoint(10, 10));
    Enviar(QEvent::MouseMove, moztro, QPoint(30, 30));
    Enviar(QEvent::MouseButtonRelease, moztro, QPoint(60, 60));
    QCOMPARE(primera->pos(), QPoint(100, 100));
    QCOMPARE(primera->Escena().S(), 1);
    QTest::mouseClick(moztro, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(Hijo(primera, "imgMoztroParpadea")->isVisible());
    // Afterwards it drags like the background.
    Enviar(QEvent::MouseButtonPress, moztro, QPoint(10, 10));
    Enviar(QEvent::MouseMove, moztro, QPoint(30, 20));
    Enviar(QEvent::MouseButtonRelease, moztro, QPoint(30, 20));
    QCOMPARE(primera->pos(), QPoint(120, 110));
    FValores = {0};
    while (primera->Escena().S() != 7)
        primera->TimerBugTimer();
    QVERIFY(Hijo(primera, "imgRoto")->isVisible());
    QCOMPARE(Hijo(primera, "lblMoztro1")->text(), QStringLiteral("Uh Oh..."));

    QLabel* aceptar = Hijo(primera, "ImgAceptarNormal");
    auto* panel = Hijo<QWidget>(primera, "Panel1");
    Enviar(QEvent::MouseButtonPress, aceptar, QPoint(57, 22));
    QCOMPARE(panel->childAt(57, 22), Hijo(primera, "ImgAceptarApretado"));
    QVERIFY(primera->isVisible());
    Enviar(QEvent::MouseButtonRelease, aceptar, QPoint(200, 300));
    QVERIFY(!primera->isVisible());
    QCOMPARE(panel->childAt(57, 22), aceptar);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(primera.isNull());

    auto* segunda = Caja();
    QCOMPARE(segunda->Escena().T(), 0);
    for (int i = 1; i < 240; ++i)
        segunda->TimerBugTimer();
    QCOMPARE(segunda->Escena().S(), 0);
    QVERIFY(!Hijo(segunda, "imgMoztro")->isVisible() && !Hijo(segunda, "imgRoto")->isVisible());
    QCOMPARE(Hijo(segunda, "lblMoztro1")->text(), QStringLiteral("¿Bugs? ¡Este código"));
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"
