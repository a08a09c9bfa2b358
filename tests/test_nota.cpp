#include "notes/Nota.h"
#include "resources/ImagenesPinaco.h"

#include <QtTest>

namespace {

// A parent like the board, with the board's pictures.
struct Tablero {
    QWidget padre;
    TNota* nota;
    Tablero() : nota(new TNota(&padre)) {
        padre.resize(600, 500);
        nota->AsignarImagenes(ImagenesPinaco::imglChinchetas(), ImagenesPinaco::imglAgarradera());
        nota->resize(120, 160);
        padre.show();
    }
};

} // namespace

class TestNota : public QObject {
    Q_OBJECT
private slots:
    void minimo();
    void chinchetaYDisposicion();
    void mismoValorNoRepinta();
    void pintaYTextoPlano();
    void raton();
    void datosIdaYVuelta();
};

void TestNota::minimo() {
    Tablero t;
    // A larger minimum waits for the next layout.
    t.nota->resize(100, 120);
    t.nota->setMinWidth(150);
    t.nota->setMinHeight(130);
    QCOMPARE(t.nota->size(), QSize(100, 120));
    t.nota->resize(101, 120);
    QCOMPARE(t.nota->size(), QSize(150, 130));
}

void TestNota::chinchetaYDisposicion() {
    Tablero t;
    QCOMPARE(t.nota->AreaAgarradera(), QRect(107, 147, 12, 12));
    const QRect pin(18, 7, 18, 19);
    const QImage roja = t.nota->grab(pin).toImage();
    t.nota->setColorChincheta(TColorChincheta::None);
    QVERIFY(!t.nota->ChinchetaVisible());
    QCOMPARE(t.nota->AreaTexto(), QRect(8, 8, 104, 144));
    const QImage ninguna = t.nota->grab(pin).toImage();
    t.nota->setColorChincheta(TColorChincheta::Morado);
    QCOMPARE(t.nota->AreaTexto(), QRect(8, 35, 104, 117));
    // Each colour draws its own picture, and no pin draws none.
    const QImage morada = t.nota->grab(pin).toImage();
    QVERIFY(roja != ninguna && morada != ninguna && morada != roja);
}

void TestNota::mismoValorNoRepinta() {
    Tablero t;
    t.nota->setTexto("hola");
    const int antes = t.nota->Repintados();
    t.nota->setTexto("hola");
    t.nota->setColorChincheta(TColorChincheta::Rojo);
    t.nota->setFontSize(t.nota->FontSize());
    QCOMPARE(t.nota->Repintados(), antes);
    t.nota->setTexto("adiós");
    QVERIFY(t.nota->Repintados() > antes);
}

void TestNota::pintaYTextoPlano() {
    Tablero t;
    const QRegion m = t.nota->mask();
    QVERIFY(!m.contains(QPoint(119, 0)) && !m.contains(QPoint(0, 159)) && m.contains({118, 0}));
    // Markup stays text; one ampersand is hidden, two show one.
    t.nota->setColorChincheta(TColorChincheta::None);
    const QImage vacia = t.nota->grab().toImage();
    for (const char* texto : {"<b></b>", "&&"}) {
        t.nota->setTexto(texto);
        QVERIFY2(t.nota->grab().toImage() != vacia, texto);
    }
    t.nota->setTexto("&");
    QCOMPARE(t.nota->grab().toImage(), vacia);
}

void TestNota::raton() {
    Tablero t;
    t.nota->setTexto("texto");
    QStringList vistos;
    t.nota->OnMouseDown = [&](TNota*, Qt::MouseButton, Qt::MouseButtons, int x, int y) {
        vistos << QString("pulsa %1,%2").arg(x).arg(y);
    };
    t.nota->OnMouseUp = [&](TNota*, Qt::MouseButton, Qt::MouseButtons, int x, int y) {
        vistos << QString("suelta %1,%2").arg(x).arg(y);
    };
    t.nota->OnDblClick = [&](TNota*) { vistos << "doble"; };
    t.nota->OnAgarraderaMouseMove = [&](TNota*, Qt::MouseButtons, int x, int y) {
        vistos << QString("agarradera %1,%2").arg(x).arg(y);
    };
    auto mover = [&](QPoint pos) {
        QMouseEvent e(QEvent::MouseMove, pos, t.nota->mapToGlobal(pos), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(t.nota, &e);
    };
    // Text and pin raise the note's events in its own coordinates; a drag from the text
    // moves no grip.
    QTest::mouseClick(t.nota, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mousePress(t.nota, Qt::LeftButton, {}, QPoint(20, 50));
    mover({137, 187});
    QTest::mouseRelease(t.nota, Qt::LeftButton, {}, QPoint(137, 187));
    QCOMPARE(vistos, (QStringList{"pulsa 20,10", "suelta 20,10", "pulsa 20,50", "suelta 137,187"}));
    // On the grip: no press is passed on, the move and the release are.
    vistos.clear();
    QTest::mousePress(t.nota, Qt::LeftButton, {}, QPoint(108, 148));
    mover({137, 187});
    QTest::mouseRelease(t.nota, Qt::LeftButton, {}, QPoint(108, 148));
    QCOMPARE(vistos, (QStringList{"agarradera 137,187", "suelta 108,148"}));
    vistos.clear();
    QTest::mouseDClick(t.nota, Qt::LeftButton, {}, QPoint(25, 55));
    QCOMPARE(vistos.last(2), (QStringList{"doble", "pulsa 25,55"}));
}

void TestNota::datosIdaYVuelta() {
    Tablero t;
    DatosNota d;
    d.ColorChincheta = TColorChincheta::Net;
    d.Texto = "línea 1\r\nlínea 2";
    d.YearCreated = -7;
    d.FontStyle = fsBold | fsStrikeOut;
    d.FontName = "DejaVu Serif";
    d.ReceivedFromUser = "Ana";
    d.Width = 150;
    t.nota->AsignarDatos(d);
    QCOMPARE(t.nota->Datos(), d);
    QVERIFY(t.nota->FuenteTexto().bold() && t.nota->FuenteTexto().strikeOut());
    QVERIFY(!t.nota->FuenteTexto().italic());
}

QTEST_MAIN(TestNota)
#include "test_nota.moc"
