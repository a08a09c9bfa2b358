// The about box: the monster's scene tick by tick, and the window that shows it.
#include "config/EscenaMoztro.h"
#include "config/FrmAbout.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <memory>

using E = EscenaMoztro;

namespace {

// Random draws read from a script; records the ranges asked for.
struct Guion {
    std::deque<int> valores;
    QList<int> rangos;
};

EscenaMoztro::Azar Azar(const std::shared_ptr<Guion>& guion) {
    return [guion](int n) {
        guion->rangos.append(n);
        if (guion->valores.empty()) {
            qWarning("random draw beyond the script");
            return 0;
        }
        const int v = guion->valores.front();
        guion->valores.pop_front();
        if (v < 0 || v >= n)
            qWarning("scripted draw %d out of 0..%d", v, n - 1);
        return v;
    };
}

struct Foto {
    std::array<bool, E::NumElementos> visible;
    QString texto1, texto2;
    int s;
    bool operator==(const Foto&) const = default;
};

Foto Fotografiar(const EscenaMoztro& e) {
    Foto f{{}, e.TextoMoztro1(), e.TextoMoztro2(), e.S()};
    for (int i = 0; i < E::NumElementos; ++i)
        f.visible[i] = e.Visible(E::Elemento(i));
    return f;
}

QList<E::Elemento> Visibles(const EscenaMoztro& e) {
    QList<E::Elemento> lista;
    for (int i = 0; i < E::NumElementos; ++i)
        if (e.Visible(E::Elemento(i)))
            lista.append(E::Elemento(i));
    return lista;
}

// Ticks n times: the first n - 1 must change nothing, the last must move to another state.
bool Esperar(EscenaMoztro& e, int n) {
    const Foto antes = Fotografiar(e);
    for (int i = 1; i < n; ++i) {
        e.TimerBugTimer();
        if (!(Fotografiar(e) == antes)) {
            qWarning("state %d changed after %d of %d ticks", antes.s, i, n);
            return false;
        }
    }
    e.TimerBugTimer();
    if (e.S() == antes.s) {
        qWarning("state %d still after %d ticks", antes.s, n);
        return false;
    }
    return true;
}

// A scene that has run its script and waits in state 7 with the draw of W given.
std::unique_ptr<EscenaMoztro> EscenaOciosa(const std::shared_ptr<Guion>& guion, int azarW) {
    auto e = std::make_unique<EscenaMoztro>(Azar(guion));
    for (int i = 0; i < E::EsperaAparicion; ++i)
        e->TimerBugTimer();
    e->imgMoztroClick();
    guion->valores = {azarW};
    for (int i = 0; i < 200 && e->S() != 7; ++i)
        e->TimerBugTimer();
    return e;
}

// One idle action: after W ticks, draws the next W and r.
bool Accion(EscenaMoztro& e, const std::shared_ptr<Guion>& guion, int azarW, int r) {
    guion->valores = {azarW, r};
    return Esperar(e, e.W());
}

QMouseEvent Raton(QEvent::Type tipo, QWidget* w, QPoint local, Qt::MouseButton boton) {
    const Qt::MouseButtons botones =
        tipo == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(boton);
    return QMouseEvent(tipo, QPointF(local), QPointF(w->mapToGlobal(local)),
                       tipo == QEvent::MouseMove ? Qt::NoButton : boton, botones, Qt::NoModifier);
}

void Enviar(QEvent::Type tipo, QWidget* w, QPoint local, Qt::MouseButton boton = Qt::LeftButton) {
    QMouseEvent ev = Raton(tipo, w, local, boton);
    QApplication::sendEvent(w, &ev);
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void escenaEmpiezaVacia();
    void monstruoApareceAlMinuto();
    void clicAntesDeAparecerNoHaceNada();
    void escenaGuionizada();
    void primeraAccionOciosaEsParpadeo();
    void dosParpadeosLlevanAMirada();
    void dosMiradasLlevanAParpadeo();
    void miradaIzquierdaSieteDeCien();
    void miradaIzquierdaAntesQueParpadeoForzado();
    void esperaOciosaDeDosATrece();

    void ventanaEsLaCaja();
    void mascaraCortaLaEsquina_data();
    void mascaraCortaLaEsquina();
    void elementosEnSuSitio_data();
    void elementosEnSuSitio();
    void textos();
    void temporizadorMueveLaEscena();
    void ventanaSigueLaEscena();
    void clicEnMonstruoEscondidoDaEnElFondo();
    void arrastrePorElFondo();
    void monstruoArrastraTrasElClic();
    void aceptarCierraYLibera();
    void aceptarCierraAunqueSeSuelteFuera();
    void enlaceLlamaAlAbridor();
    void nuevaCajaEmpiezaDeCero();

private:
    QWidget FTablero;
};

void TestAbout::cleanup() {
    TfrmAbout::FijarAbridorWeb({});
    for (QWidget* w : FTablero.findChildren<TfrmAbout*>(Qt::FindDirectChildrenOnly))
        delete w;
}

void TestAbout::escenaEmpiezaVacia() {
    auto guion = std::make_shared<Guion>();
    EscenaMoztro e(Azar(guion));
    QVERIFY(Visibles(e).isEmpty());
    QCOMPARE(e.S(), 0);
    QCOMPARE(e.T(), 0);
    QCOMPARE(e.B(), 0);
    QCOMPARE(e.G(), 0);
    QCOMPARE(e.TextoMoztro1(), QStringLiteral("¿Bugs? ¡Este código"));
    QCOMPARE(e.TextoMoztro2(), QStringLiteral("no tiene bugs!"));
    QVERIFY(!e.MoztroArrastra());
}

void TestAbout::monstruoApareceAlMinuto() {
    auto guion = std::make_shared<Guion>();
    EscenaMoztro e(Azar(guion));
    for (int i = 1; i < 240; ++i) {
        e.TimerBugTimer();
        QVERIFY2(Visibles(e).isEmpty(), qPrintable(QString::number(i)));
        QCOMPARE(e.S(), 0);
    }
    e.TimerBugTimer();
    QCOMPARE(e.S(), 1);
    QCOMPARE(e.T(), 240); // not reset on appearing
    const QList<E::Elemento> esperados{E::imgMoztro, E::imgBocadilloGrande, E::lblMoztro1,
                                       E::lblMoztro2};
    QCOMPARE(Visibles(e), esperados);
    // Without a click the monster just stands there.
    for (int i = 0; i < 2000; ++i)
        e.TimerBugTimer();
    QCOMPARE(e.S(), 1);
    QCOMPARE(Visibles(e), esperados);
    QVERIFY(guion->rangos.isEmpty());
}

void TestAbout::clicAntesDeAparecerNoHaceNada() {
    auto guion = std::make_shared<Guion>();
    EscenaMoztro e(Azar(guion));
    for (int i = 0; i < 100; ++i)
        e.TimerBugTimer();
    QVERIFY(!e.imgMoztroClick());
    QCOMPARE(e.S(), 0);
    QCOMPARE(e.T(), 100);
    QVERIFY(Visibles(e).isEmpty());
    for (int i = 100; i < 239; ++i)
        e.TimerBugTimer();
    QCOMPARE(e.S(), 0);
    e.TimerBugTimer();
    QCOMPARE(e.S(), 1);
}

void TestAbout::escenaGuionizada() {
    auto guion = std::make_shared<Guion>();
    EscenaMoztro e(Azar(guion));
    for (int i = 0; i < 300; ++i)
        e.TimerBugTimer();
    QVERIFY(e.imgMoztroClick());
    QCOMPARE(e.S(), 2);
    QCOMPARE(e.T(), -1);
    QVERIFY(e.Visible(E::imgMoztroParpadea));
    QVERIFY(e.MoztroArrastra());
    // A second click does nothing.
    QVERIFY(!e.imgMoztroClick());
    QCOMPARE(e.S(), 2);
    QCOMPARE(e.T(), -1);

    // Two blinks: eyes closed two ticks, open one, closed one.
    QVERIFY(Esperar(e, 2));
    QCOMPARE(e.S(), 3);
    QVERIFY(!e.Visible(E::imgMoztroParpadea));
    QCOMPARE(e.B(), 1);
    QVERIFY(Esperar(e, 1));
    QCOMPARE(e.S(), 2);
    QVERIFY(e.Visible(E::imgMoztroParpadea));
    QVERIFY(Esperar(e, 1));
    QCOMPARE(e.S(), 4);
    QVERIFY(!e.Visible(E::imgMoztroParpadea));
    QCOMPARE(e.B(), 2);

    // The hole, and the bubble falls silent.
    QVERIFY(!e.Visible(E::imgRoto));
    QVERIFY(Esperar(e, 8));
    QCOMPARE(e.S(), 5);
    QVERIFY(e.Visible(E::imgRoto));
    QCOMPARE(e.TextoMoztro1(), QStringLiteral(". . ."));
    QCOMPARE(e.TextoMoztro2(), QString());
    QVERIFY(e.Visible(E::imgBocadilloGrande));

    // Two glances to the right, four ticks each, eight apart.
    for (int mirada = 1; mirada <= 2; ++mirada) {
        QVERIFY(Esperar(e, 8));
        QCOMPARE(e.S(), 6);
        QVERIFY(e.Visible(E::imgMoztroOjosDcha));
        guion->valores = {5};
        QVERIFY(Esperar(e, 4));
        QVERIFY(!e.Visible(E::imgMoztroOjosDcha));
        if (mirada == 1) {
            QCOMPARE(e.S(), 5);
            QCOMPARE(e.G(), 1);
            QCOMPARE(e.TextoMoztro1(), QStringLiteral(". . ."));
            QVERIFY(guion->rangos.isEmpty());
        }
    }
    QCOMPARE(e.S(), 7);
    QCOMPARE(e.TextoMoztro1(), QStringLiteral("Uh Oh..."));
    QCOMPARE(e.G(), 0);
    QCOMPARE(e.B(), 0);
    QCOMPARE(e.RB(), 0);
    QCOMPARE(e.RG(), 10);
    QCOMPARE(guion->rangos, QList<int>{8});
    QCOMPARE(e.W(), 5 + 4);
    const QList<E::Elemento> quedan{E::imgMoztro, E::imgBocadilloGrande, E::lblMoztro1,
                                    E::lblMoztro2, E::imgRoto};
    QCOMPARE(Visibles(e), quedan);
}

void TestAbout::primeraAccionOciosaEsParpadeo() {
    auto guion = std::make_shared<Guion>();
    auto e = EscenaOciosa(guion, 0);
    QCOMPARE(e->W(), 4);
    guion->rangos.clear();
    // r = 80 would glance; the long run of glances forces a blink.
    QVERIFY(Accion(*e, guion, 3, 80));
    QCOMPARE(guion->rangos, (QList<int>{12, 100}));
    QCOMPARE(e->S(), 8);
    QCOMPARE(e->W(), 3 + 2);
    QVERIFY(e->Visible(E::imgMoztroParpadea));
    QCOMPARE(e->B(), 1);
    QCOMPARE(e->RB(), 1);
    QCOMPARE(e->RG(), 0);
    QVERIFY(e->Visible(E::imgBocadilloGrande));
    // Eyes closed one tick; the bubble and its text go with the first idle blink.
    QVERIFY(Esperar(*e, 1));
    QCOMPARE(e->S(), 7);
    QCOMPARE(e->B(), 2);
    const QList<E::Elemento> quedan{E::imgMoztro, E::imgRoto};
    QCOMPARE(Visibles(*e), quedan);
}

void TestAbout::dosParpadeosLlevanAMirada() {
    auto guion = std::make_shared<Guion>();
    auto e = EscenaOciosa(guion, 0);
    QVERIFY(Accion(*e, guion, 0, 80)); // forced blink
    QVERIFY(Esperar(*e, 1));
    QVERIFY(Accion(*e, guion, 0, 10)); // blink by the draw
    QCOMPARE(e->S(), 8);
    QCOMPARE(e->RB(), 2);
    QVERIFY(Esperar(*e, 1));
    QCOMPARE(e->S(), 7);
    // r = 10 would blink again; two blinks in a row bring a glance.
    QVERIFY(Accion(*e, guion, 0, 10));
    QCOMPARE(e->S(), 10);
    QVERIFY(e->Visible(E::imgMoztroOjosDcha));
    QCOMPARE(e->G(), 1);
    QCOMPARE(e->RG(), 1);
    QCOMPARE(e->RB(), 0);
    // One glance, four ticks long.
    QVERIFY(Esperar(*e, 4));
    QCOMPARE(e->S(), 7);
    QVERIFY(!e->Visible(E::imgMoztroOjosDcha));
}

void TestAbout::dosMiradasLlevanAParpadeo() {
    auto guion = std::make_shared<Guion>();
    auto e = EscenaOciosa(guion, 0);
    QVERIFY(Accion(*e, guion, 0, 80)); // forced blink
    QVERIFY(Esperar(*e, 1));
    for (int i = 1; i <= 2; ++i) {
        QVERIFY(Accion(*e, guion, 0, 50)); // 50 is a glance
        QCOMPARE(e->S(), 10);
        QCOMPARE(e->RG(), i);
        QVERIFY(Esperar(*e, 4));
    }
    // r = 99 would glance again; two glances in a row bring a blink.
    QVERIFY(Accion(*e, guion, 0, 99));
    QCOMPARE(e->S(), 8);
    QVERIFY(e->Visible(E::imgMoztroParpadea));
    QCOMPARE(e->RB(), 1);
    QCOMPARE(e->RG(), 0);
}

void TestAbout::miradaIzquierdaSieteDeCien() {
    auto guion = std::make_shared<Guion>();
    auto e = EscenaOciosa(guion, 0);
    QVERIFY(Accion(*e, guion, 0, 80)); // forced blink
    QVERIFY(Esperar(*e, 1));
    QVERIFY(Accion(*e, guion, 0, 50)); // glance
    QVERIFY(Esperar(*e, 4));
    // 7 is out of the 7 in 100 and blinks by the draw; 6 looks left.
    QVERIFY(Accion(*e, guion, 0, 7));
    QCOMPARE(e->S(), 8);
    QVERIFY(Esperar(*e, 1));
    QCOMPARE(e->RB(), 1);
    QVERIFY(Accion(*e, guion, 0, 6));
    QCOMPARE(e->S(), 12);
    QCOMPARE(e->L(), 0);
    const QList<E::Elemento> izda{E::imgMoztro, E::imgMoztroOjosIzda, E::imgRoto};
    const QList<E::Elemento> dcha{E::imgMoztro, E::imgMoztroOjosDcha, E::imgRoto};
    QCOMPARE(Visibles(*e), izda);
    // Left, right, left, two ticks each.
    QVERIFY(Esperar(*e, 2));
    QCOMPARE(e->S(), 13);
    QCOMPARE(Visibles(*e), dcha);
    QVERIFY(Esperar(*e, 2));
    QCOMPARE(e->S(), 12);
    QCOMPARE(Visibles(*e), izda);
    QVERIFY(Esperar(*e, 2));
    QCOMPARE(e->S(), 7);
    QCOMPARE(e->L(), 2);
    QCOMPARE(e->RG(), 9);
    QCOMPARE(Visibles(*e), (QList<E::Elemento>{E::imgMoztro, E::imgRoto}));
    // A long glance run is recorded: the next action blinks whatever the draw.
    QVERIFY(Accion(*e, guion, 0, 99));
    QCOMPARE(e->S(), 8);
}

void TestAbout::miradaIzquierdaAntesQueParpadeoForzado() {
    auto guion = std::make_shared<Guion>();
    auto e = EscenaOciosa(guion, 2);
    QVERIFY(Accion(*e, guion, 0, 0));
    QCOMPARE(e->S(), 12);
    QVERIFY(e->Visible(E::imgMoztroOjosIzda));
    // The bubble stays until the first blink.
    QVERIFY(e->Visible(E::imgBocadilloGrande));
    QCOMPARE(e->TextoMoztro1(), QStringLiteral("Uh Oh..."));
}

void TestAbout::esperaOciosaDeDosATrece() {
    for (int azar : {0, 11}) {
        auto guion = std::make_shared<Guion>();
        auto e = EscenaOciosa(guion, 7);
        QCOMPARE(e->W(), 11);
        QVERIFY(Accion(*e, guion, azar, 80));
        QCOMPARE(e->W(), azar + 2);
        QVERIFY(Esperar(*e, 1));
        QVERIFY(Accion(*e, guion, 0, 80)); // waits exactly the W drawn before
    }
}

void TestAbout::ventanaEsLaCaja() {
    auto* caja = new TfrmAbout(&FTablero);
    QCOMPARE(caja->windowTitle(), QStringLiteral("Acerca de"));
    QCOMPARE(caja->size(), QSize(267, 356));
    QVERIFY(caja->isWindow());
    QCOMPARE(caja->parentWidget(), &FTablero);
    QVERIFY(caja->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(caja->windowModality(), Qt::NonModal);
    QVERIFY(caja->testAttribute(Qt::WA_DeleteOnClose));
    // At most the form's 8 points; smaller only as far as the texts need.
    QVERIFY(caja->font().pointSizeF() <= 8);
    QVERIFY(caja->font().pointSizeF() >= 6);
}

// Rows of the cut corner and the first column cut away in each.
void TestAbout::mascaraCortaLaEsquina_data() {
    QTest::addColumn<int>("fila");
    QTest::addColumn<int>("primerCortado");
    const QList<std::pair<int, int>> filas{{0, 245},  {1, 249},  {2, 251},  {3, 253},  {4, 255},
                                           {11, 262}, {12, 263}, {13, 263}, {14, 264}, {15, 264},
                                           {16, 265}, {17, 265}, {18, 266}, {21, 266}};
    for (auto [fila, corte] : filas)
        QTest::addRow("fila %d", fila) << fila << corte;
    for (int k = 0; k < 8; ++k)
        QTest::addRow("diagonal %d", 4 + k) << 4 + k << 255 + k;
    QTest::addRow("fila 22 entera") << 22 << 267;
}

void TestAbout::mascaraCortaLaEsquina() {
    QFETCH(int, fila);
    QFETCH(int, primerCortado);
    auto* caja = new TfrmAbout(&FTablero);
    const QRegion mascara = caja->mask();
    QVERIFY(mascara.contains(QPoint(primerCortado - 1, fila)));
    for (int x = primerCortado; x < 267; ++x)
        QVERIFY2(!mascara.contains(QPoint(x, fila)), qPrintable(QString::number(x)));
    QVERIFY(mascara.contains(QPoint(0, fila)));
    // The other three corners stay square; nothing lies outside the picture.
    QVERIFY(mascara.contains(QPoint(0, 355)));
    QVERIFY(mascara.contains(QPoint(266, 355)));
    QCOMPARE(mascara.boundingRect(), QRect(0, 0, 267, 356));
}

void TestAbout::elementosEnSuSitio_data() {
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QRect>("zona");
    const QList<std::pair<const char*, QRect>> elementos{
        {"ImgFondo", {0, 0, 267, 356}},
        {"Label2", {61, 144, 145, 94}},
        {"Label3", {61, 248, 145, 41}},
        {"Label4", {61, 288, 100, 17}},
        {"Panel1", {10, 8, 114, 45}},
        {"imgMoztro", {19, 311, 36, 32}},
        {"imgMoztroParpadea", {24, 312, 22, 12}},
        {"imgMoztroOjosDcha", {23, 318, 24, 3}},
        {"imgMoztroOjosIzda", {23, 318, 24, 3}},
        {"imgBocadilloGrande", {51, 264, 120, 63}},
        {"lblMoztro1", {57, 276, 105, 14}},
        {"lblMoztro2", {58, 291, 105, 14}},
        {"imgRoto", {171, 272, 81, 69}},
    };
    for (auto [nombre, zona] : elementos)
        QTest::newRow(nombre) << QString::fromLatin1(nombre) << zona;
}

void TestAbout::elementosEnSuSitio() {
    QFETCH(QString, nombre);
    QFETCH(QRect, zona);
    auto* caja = new TfrmAbout(&FTablero);
    auto* w = caja->findChild<QWidget*>(nombre);
    QVERIFY(w);
    QCOMPARE(w->geometry(), zona);
    // Pictures are loaded and exactly as large as their place.
    if (auto* imagen = qobject_cast<QLabel*>(w); imagen && imagen->text().isEmpty() &&
                                                 !nombre.startsWith(QLatin1String("lbl")) &&
                                                 !nombre.startsWith(QLatin1String("Label")))
        QCOMPARE(imagen->pixmap().size(), zona.size());
}

void TestAbout::textos() {
    auto* caja = new TfrmAbout(&FTablero);
    auto texto = [caja](const char* nombre) {
        return caja->findChild<QLabel*>(QString::fromLatin1(nombre));
    };
    QCOMPARE(texto("Label1")->pos(), QPoint(61, 115));
    QCOMPARE(texto("Label1")->text(), TfrmAbout::LineaCreditos());
    QVERIFY(texto("Label1")->text().contains(QLatin1String("Pinaco")));
    QVERIFY(texto("Label1")->width() > 0);
    QCOMPARE(texto("Label2")->text(),
             QStringLiteral("Este programa está dedicado a toda la gente que me ha apoyado y "
                            "ayudado durante su creación. Gracias a todos los que han aportado "
                            "ideas, porque es así como mejoran los programas. :-)"));
    QVERIFY(texto("Label2")->wordWrap());
    QVERIFY(texto("Label3")->wordWrap());
    QVERIFY(!texto("Label3")->text().isEmpty());
    QLabel* enlace = texto("Label4");
    QVERIFY(enlace->font().underline());
    QCOMPARE(enlace->palette().color(QPalette::WindowText), QColor(0, 0, 0xFF));
    QCOMPARE(enlace->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(enlace->text(), TfrmAbout::DireccionWeb().host());
    for (const char* nombre : {"lblMoztro1", "lblMoztro2"}) {
        QCOMPARE(texto(nombre)->palette().color(QPalette::WindowText), QColor(0, 0, 0x90));
        QVERIFY(texto(nombre)->alignment() & Qt::AlignHCenter);
    }
    QCOMPARE(texto("lblMoztro1")->text(), QStringLiteral("¿Bugs? ¡Este código"));
    for (QLabel* l : caja->findChildren<QLabel*>())
        if (!l->text().isEmpty())
            QCOMPARE(l->textFormat(), Qt::PlainText);
    // The texts fit the note, so they are not cut off.
    for (const char* nombre : {"Label2", "Label3"}) {
        QLabel* l = texto(nombre);
        QVERIFY2(l->heightForWidth(l->width()) <= l->height(), nombre);
    }
    QVERIFY(enlace->fontMetrics().horizontalAdvance(enlace->text()) <= enlace->width());
    for (const char* nombre : {"Label1", "Label4", "lblMoztro1", "lblMoztro2"}) {
        QLabel* l = texto(nombre);
        QVERIFY2(l->fontMetrics().height() <= l->height(), nombre);
    }
    QVERIFY(texto("Label1")->geometry().right() <= 206);
    QLabel* bocadillo = texto("lblMoztro1");
    QVERIFY(bocadillo->fontMetrics().horizontalAdvance(bocadillo->text()) <= bocadillo->width());
}

void TestAbout::temporizadorMueveLaEscena() {
    auto* caja = new TfrmAbout(&FTablero);
    auto* timer = caja->findChild<QTimer*>(QStringLiteral("TimerBug"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 250);
    QVERIFY(timer->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(caja->Escena().T() >= 2, 3000);
}

void TestAbout::ventanaSigueLaEscena() {
    auto guion = std::make_shared<Guion>();
    auto* caja = new TfrmAbout(&FTablero, Azar(guion));
    caja->findChild<QTimer*>(QStringLiteral("TimerBug"))->stop();
    caja->show();
    auto* moztro = caja->findChild<QLabel*>(QStringLiteral("imgMoztro"));
    auto* bocadillo = caja->findChild<QLabel*>(QStringLiteral("imgBocadilloGrande"));
    auto* lbl1 = caja->findChild<QLabel*>(QStringLiteral("lblMoztro1"));
    auto* lbl2 = caja->findChild<QLabel*>(QStringLiteral("lblMoztro2"));
    auto* roto = caja->findChild<QLabel*>(QStringLiteral("imgRoto"));
    auto* parpadea = caja->findChild<QLabel*>(QStringLiteral("imgMoztroParpadea"));
    for (QWidget* w :
         std::initializer_list<QWidget*>{moztro, bocadillo, lbl1, lbl2, roto, parpadea})
        QVERIFY(!w->isVisible());
    for (int i = 1; i < 240; ++i)
        caja->TimerBugTimer();
    QVERIFY(!moztro->isVisible());
    caja->TimerBugTimer();
    for (QWidget* w : std::initializer_list<QWidget*>{moztro, bocadillo, lbl1, lbl2})
        QVERIFY(w->isVisible());
    QCOMPARE(lbl1->text(), QStringLiteral("¿Bugs? ¡Este código"));
    QCOMPARE(lbl2->text(), QStringLiteral("no tiene bugs!"));

    QTest::mouseClick(moztro, Qt::LeftButton, {}, QPoint(18, 16));
    QCOMPARE(caja->Escena().S(), 2);
    QVERIFY(parpadea->isVisible());
    guion->valores = {0};
    while (caja->Escena().S() != 7)
        caja->TimerBugTimer();
    QVERIFY(roto->isVisible());
    QCOMPARE(lbl1->text(), QStringLiteral("Uh Oh..."));
    QCOMPARE(lbl2->text(), QString());
    QVERIFY(!parpadea->isVisible());
}

void TestAbout::clicEnMonstruoEscondidoDaEnElFondo() {
    auto* caja = new TfrmAbout(&FTablero);
    caja->findChild<QTimer*>(QStringLiteral("TimerBug"))->stop();
    caja->show();
    const QPoint sitio(37, 335); // the monster's belly
    QCOMPARE(caja->childAt(sitio)->objectName(), QStringLiteral("ImgFondo"));
    for (int i = 0; i < 240; ++i)
        caja->TimerBugTimer();
    QCOMPARE(caja->childAt(sitio)->objectName(), QStringLiteral("imgMoztro"));
}

void TestAbout::arrastrePorElFondo() {
    auto* caja = new TfrmAbout(&FTablero);
    caja->show();
    caja->move(100, 100);
    auto* label2 = caja->findChild<QLabel*>(QStringLiteral("Label2"));
    const QPoint agarre(20, 10);
    // Whatever the button, the box follows the mouse until it is released.
    Enviar(QEvent::MouseButtonPress, label2, agarre, Qt::RightButton);
    Enviar(QEvent::MouseMove, label2, agarre + QPoint(30, -15));
    QCOMPARE(caja->pos(), QPoint(130, 85));
    Enviar(QEvent::MouseMove, label2, agarre + QPoint(5, 5));
    QCOMPARE(caja->pos(), QPoint(135, 90));
    Enviar(QEvent::MouseButtonRelease, label2, agarre, Qt::RightButton);
    Enviar(QEvent::MouseMove, label2, agarre + QPoint(40, 40));
    QCOMPARE(caja->pos(), QPoint(135, 90));

    // The link does not drag.
    auto* enlace = caja->findChild<QLabel*>(QStringLiteral("Label4"));
    Enviar(QEvent::MouseButtonPress, enlace, QPoint(3, 3));
    Enviar(QEvent::MouseMove, enlace, QPoint(33, 33));
    QCOMPARE(caja->pos(), QPoint(135, 90));
    TfrmAbout::FijarAbridorWeb([](const QUrl&) { return true; });
    Enviar(QEvent::MouseButtonRelease, enlace, QPoint(33, 33));
}

void TestAbout::monstruoArrastraTrasElClic() {
    auto* caja = new TfrmAbout(&FTablero);
    caja->findChild<QTimer*>(QStringLiteral("TimerBug"))->stop();
    caja->show();
    caja->move(100, 100);
    auto* moztro = caja->findChild<QLabel*>(QStringLiteral("imgMoztro"));
    for (int i = 0; i < 240; ++i)
        caja->TimerBugTimer();
    // Waiting for its click, the monster does not drag.
    Enviar(QEvent::MouseButtonPress, moztro, QPoint(10, 10));
    Enviar(QEvent::MouseMove, moztro, QPoint(30, 30));
    QCOMPARE(caja->pos(), QPoint(100, 100));
    // A release away from it is no click.
    Enviar(QEvent::MouseButtonRelease, moztro, QPoint(60, 60));
    QCOMPARE(caja->Escena().S(), 1);
    Enviar(QEvent::MouseButtonPress, moztro, QPoint(10, 10));
    Enviar(QEvent::MouseButtonRelease, moztro, QPoint(10, 10));
    QCOMPARE(caja->Escena().S(), 2);
    // Afterwards it drags like the background and the click does nothing more.
    Enviar(QEvent::MouseButtonPress, moztro, QPoint(10, 10));
    Enviar(QEvent::MouseMove, moztro, QPoint(30, 20));
    QCOMPARE(caja->pos(), QPoint(120, 110));
    Enviar(QEvent::MouseButtonRelease, moztro, QPoint(30, 20));
    QCOMPARE(caja->Escena().S(), 2);
    QCOMPARE(caja->Escena().T(), -1);
}

void TestAbout::aceptarCierraYLibera() {
    QPointer<TfrmAbout> caja = new TfrmAbout(&FTablero);
    caja->show();
    auto* panel = caja->findChild<QWidget*>(QStringLiteral("Panel1"));
    auto* normal = caja->findChild<QLabel*>(QStringLiteral("ImgAceptarNormal"));
    QCOMPARE(panel->childAt(57, 22)->objectName(), QStringLiteral("ImgAceptarNormal"));
    Enviar(QEvent::MouseButtonPress, normal, QPoint(57, 22));
    QCOMPARE(panel->childAt(57, 22)->objectName(), QStringLiteral("ImgAceptarApretado"));
    QVERIFY(caja->isVisible());
    Enviar(QEvent::MouseButtonRelease, normal, QPoint(57, 22));
    QVERIFY(caja);
    QVERIFY(!caja->isVisible());
    QCOMPARE(panel->childAt(57, 22)->objectName(), QStringLiteral("ImgAceptarNormal"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(caja.isNull());
    QVERIFY(FTablero.findChildren<TfrmAbout*>().isEmpty());
}

void TestAbout::aceptarCierraAunqueSeSuelteFuera() {
    QPointer<TfrmAbout> caja = new TfrmAbout(&FTablero);
    caja->show();
    auto* normal = caja->findChild<QLabel*>(QStringLiteral("ImgAceptarNormal"));
    Enviar(QEvent::MouseButtonPress, normal, QPoint(57, 22));
    Enviar(QEvent::MouseButtonRelease, normal, QPoint(200, 300));
    QVERIFY(!caja->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(caja.isNull());
}

void TestAbout::enlaceLlamaAlAbridor() {
    QList<QUrl> abiertas;
    TfrmAbout::FijarAbridorWeb([&abiertas](const QUrl& url) {
        abiertas.append(url);
        return true;
    });
    auto* caja = new TfrmAbout(&FTablero);
    caja->show();
    auto* enlace = caja->findChild<QLabel*>(QStringLiteral("Label4"));
    QTest::mouseClick(enlace, Qt::RightButton, {}, QPoint(5, 5));
    QVERIFY(abiertas.isEmpty());
    QTest::mouseClick(enlace, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(abiertas, QList<QUrl>{TfrmAbout::DireccionWeb()});
    QCOMPARE(abiertas.first().scheme(), QStringLiteral("http"));
    QVERIFY(caja->isVisible());
}

void TestAbout::nuevaCajaEmpiezaDeCero() {
    auto guion = std::make_shared<Guion>();
    QPointer<TfrmAbout> primera = new TfrmAbout(&FTablero, Azar(guion));
    primera->show();
    for (int i = 0; i < 240; ++i)
        primera->TimerBugTimer();
    primera->imgMoztroClick();
    guion->valores = {0};
    while (primera->Escena().S() != 7)
        primera->TimerBugTimer();
    primera->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(primera.isNull());

    auto* segunda = new TfrmAbout(&FTablero);
    segunda->findChild<QTimer*>(QStringLiteral("TimerBug"))->stop();
    segunda->show();
    QCOMPARE(segunda->Escena().S(), 0);
    QCOMPARE(segunda->Escena().T(), 0);
    for (const char* nombre : {"imgMoztro", "imgRoto", "imgBocadilloGrande"})
        QVERIFY(!segunda->findChild<QLabel*>(QString::fromLatin1(nombre))->isVisible());
    QCOMPARE(segunda->findChild<QLabel*>(QStringLiteral("lblMoztro1"))->text(),
             QStringLiteral("¿Bugs? ¡Este código"));
    for (int i = 1; i < 240; ++i)
        segunda->TimerBugTimer();
    QVERIFY(!segunda->findChild<QLabel*>(QStringLiteral("imgMoztro"))->isVisible());
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"
