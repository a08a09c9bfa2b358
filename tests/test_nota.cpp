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
        padre.show();
    }
};

} // namespace

class TestNota : public QObject {
    Q_OBJECT
private slots:
    void valoresTrasConstruir();
    void minimo();
    void disposicion_data();
    void disposicion();
    void chinchetaNingunaYVuelta();
    void mismoValorNoRepinta();
    void mascaraConEsquinasCortadas();
    void pintaBordesYFondo();
    void textoPlanoYAmpersand();
    void reenviaRaton();
    void dobleClicEnEtiquetaLanzaPulsacion();
    void agarraderaMueveConCoordenadasDeLaNota();
    void datosIdaYVuelta();
};

void TestNota::valoresTrasConstruir() {
    QWidget padre;
    TNota nota(&padre);
    QCOMPARE(nota.ColorChincheta(), TColorChincheta::Rojo);
    QCOMPARE(nota.Texto(), QString());
    QCOMPARE(nota.ColorNW(), 0xFFFFFFu);
    QCOMPARE(nota.ColorSE(), 0x808080u);
    QCOMPARE(nota.MinWidth(), 80);
    QCOMPARE(nota.MinHeight(), 100);
    QCOMPARE(nota.size(), QSize(80, 100));
    QCOMPARE(nota.FontColor(), 0x80000008u);
    QCOMPARE(nota.FontStyle(), quint8(0));
    QVERIFY(!nota.FontName().isEmpty());
    QVERIFY(nota.FontSize() > 0);
    QCOMPARE(nota.DayCreated(), quint8(0));
    QCOMPARE(nota.YearExpires(), 0);
    QVERIFY(nota.ReceivedFromIP().isEmpty());
}

void TestNota::minimo() {
    Tablero t;
    t.nota->resize(10, 10);
    QCOMPARE(t.nota->size(), QSize(80, 100));
    t.nota->resize(200, 50);
    QCOMPARE(t.nota->size(), QSize(200, 100));
    // A larger minimum waits for the next layout.
    t.nota->resize(100, 120);
    t.nota->setMinWidth(150);
    t.nota->setMinHeight(130);
    QCOMPARE(t.nota->size(), QSize(100, 120));
    t.nota->resize(101, 120);
    QCOMPARE(t.nota->size(), QSize(150, 130));
}

void TestNota::disposicion_data() {
    QTest::addColumn<QSize>("tamano");
    QTest::addColumn<QRect>("texto");
    QTest::addColumn<QPoint>("agarradera");
    QTest::newRow("minimo") << QSize(80, 100) << QRect(8, 35, 64, 57) << QPoint(67, 87);
    QTest::newRow("120x160") << QSize(120, 160) << QRect(8, 35, 104, 117) << QPoint(107, 147);
}

void TestNota::disposicion() {
    QFETCH(QSize, tamano);
    QFETCH(QRect, texto);
    QFETCH(QPoint, agarradera);
    Tablero t;
    t.nota->resize(tamano);
    QCOMPARE(t.nota->AreaTexto(), texto);
    QCOMPARE(t.nota->AreaAgarradera(), QRect(agarradera, QSize(12, 12)));
}

void TestNota::chinchetaNingunaYVuelta() {
    Tablero t;
    t.nota->resize(120, 160);
    QVERIFY(t.nota->ChinchetaVisible());
    const QRect pin(18, 7, 18, 19);
    const QImage roja = t.nota->grab(pin).toImage();
    t.nota->setColorChincheta(TColorChincheta::None);
    QVERIFY(!t.nota->ChinchetaVisible());
    QCOMPARE(t.nota->AreaTexto(), QRect(8, 8, 104, 144));
    const QImage ninguna = t.nota->grab(pin).toImage();
    t.nota->setColorChincheta(TColorChincheta::Morado);
    QVERIFY(t.nota->ChinchetaVisible());
    QCOMPARE(t.nota->AreaTexto(), QRect(8, 35, 104, 117));
    // Each colour draws its own picture, and no pin draws none.
    const QImage morada = t.nota->grab(pin).toImage();
    QVERIFY(roja != ninguna);
    QVERIFY(morada != ninguna);
    QVERIFY(morada != roja);
}

void TestNota::mismoValorNoRepinta() {
    Tablero t;
    t.nota->setTexto("hola");
    const int antes = t.nota->Repintados();
    t.nota->setTexto("hola");
    t.nota->setColorChincheta(TColorChincheta::Rojo);
    t.nota->setColorNW(0xFFFFFF);
    t.nota->setFontSize(t.nota->FontSize());
    QCOMPARE(t.nota->Repintados(), antes);
    t.nota->setTexto("adiós");
    QVERIFY(t.nota->Repintados() > antes);
    // Dates are plain numbers.
    t.nota->setDayCreated(255);
    t.nota->setMonthExpires(0);
    t.nota->setYearCreated(-7);
    QCOMPARE(t.nota->DayCreated(), quint8(255));
    QCOMPARE(t.nota->YearCreated(), -7);
}

void TestNota::mascaraConEsquinasCortadas() {
    Tablero t;
    t.nota->resize(120, 160);
    const QRegion m = t.nota->mask();
    QVERIFY(!m.contains(QPoint(119, 0)));
    QVERIFY(!m.contains(QPoint(0, 159)));
    QVERIFY(m.contains(QPoint(0, 0)));
    QVERIFY(m.contains(QPoint(119, 159)));
    QVERIFY(m.contains(QPoint(118, 0)));
    QCOMPARE(m.boundingRect(), QRect(0, 0, 120, 160));
}

void TestNota::pintaBordesYFondo() {
    Tablero t;
    t.nota->resize(120, 160);
    t.nota->setColorNW(0xCCCCCC);
    const QImage img = t.nota->grab().toImage();
    QCOMPARE(QColor(img.pixel(0, 50)), QColor(0xCC, 0xCC, 0xCC));   // left edge
    QCOMPARE(QColor(img.pixel(60, 0)), QColor(0xCC, 0xCC, 0xCC));   // top edge
    QCOMPARE(QColor(img.pixel(119, 50)), QColor(0x80, 0x80, 0x80)); // right edge
    QCOMPARE(QColor(img.pixel(60, 159)), QColor(0x80, 0x80, 0x80)); // bottom edge
    QCOMPARE(QColor(img.pixel(60, 100)), QColor(0xFF, 0xFF, 0xE3)); // face
    // The red pin is drawn at 18,7.
    const QColor pin(img.pixel(27, 16));
    QVERIFY2(pin.red() > 150 && pin.green() < 120, qPrintable(pin.name()));
}

void TestNota::textoPlanoYAmpersand() {
    Tablero t;
    t.nota->resize(200, 160);
    t.nota->setColorChincheta(TColorChincheta::None);
    // Markup stays text: its glyphs take room, where rich text would take none.
    t.nota->setTexto("<b></b>");
    const QImage conMarcas = t.nota->grab().toImage();
    t.nota->setTexto("");
    const QImage vacia = t.nota->grab().toImage();
    QVERIFY(conMarcas != vacia);
    // One ampersand is hidden, two show one.
    t.nota->setTexto("&&");
    const QImage dos = t.nota->grab().toImage();
    t.nota->setTexto("&");
    const QImage uno = t.nota->grab().toImage();
    QVERIFY(dos != vacia);
    QCOMPARE(uno, vacia);
}

void TestNota::reenviaRaton() {
    Tablero t;
    t.nota->move(50, 60);
    t.nota->resize(120, 160);
    t.nota->setTexto("texto");
    QList<QPoint> pulsaciones, liberaciones;
    t.nota->OnMouseDown = [&](TNota* s, Qt::MouseButton b, Qt::MouseButtons, int x, int y) {
        QCOMPARE(s, t.nota);
        QCOMPARE(b, Qt::LeftButton);
        pulsaciones.append({x, y});
    };
    t.nota->OnMouseUp = [&](TNota*, Qt::MouseButton, Qt::MouseButtons, int x, int y) {
        liberaciones.append({x, y});
    };
    // Text, pin and bare face all raise the note's events in its own coordinates.
    for (const QPoint p : {QPoint(20, 50), QPoint(20, 10), QPoint(3, 4)})
        QTest::mouseClick(t.nota, Qt::LeftButton, {}, p);
    QCOMPARE(pulsaciones, (QList<QPoint>{{20, 50}, {20, 10}, {3, 4}}));
    QCOMPARE(liberaciones, pulsaciones);
    // A press on the grip is not passed on, its release is.
    QTest::mouseClick(t.nota, Qt::LeftButton, {}, QPoint(108, 148));
    QCOMPARE(pulsaciones.size(), 3);
    QCOMPARE(liberaciones.last(), QPoint(108, 148));
}

void TestNota::dobleClicEnEtiquetaLanzaPulsacion() {
    Tablero t;
    t.nota->resize(120, 160);
    QStringList orden;
    t.nota->OnDblClick = [&](TNota*) { orden << "doble"; };
    t.nota->OnMouseDown = [&](TNota*, Qt::MouseButton, Qt::MouseButtons, int, int) {
        orden << "pulsa";
    };
    QTest::mouseDClick(t.nota, Qt::LeftButton, {}, QPoint(25, 55));
    QCOMPARE(orden.last(2), (QStringList{"doble", "pulsa"}));
    orden.clear();
    // The grip's double-click brings no press with it.
    QTest::mouseDClick(t.nota, Qt::LeftButton, {}, QPoint(108, 148));
    QCOMPARE(orden, QStringList{"doble"});
}

void TestNota::agarraderaMueveConCoordenadasDeLaNota() {
    Tablero t;
    t.nota->resize(120, 160);
    QList<QPoint> vistos;
    Qt::MouseButtons botones;
    t.nota->OnAgarraderaMouseMove = [&](TNota*, Qt::MouseButtons b, int x, int y) {
        vistos.append({x, y});
        botones = b;
    };
    auto mover = [&](QPoint pos, Qt::MouseButtons b) {
        QMouseEvent e(QEvent::MouseMove, pos, t.nota->mapToGlobal(pos), Qt::NoButton, b,
                      Qt::NoModifier);
        QApplication::sendEvent(t.nota, &e);
    };
    // Hovering shows the resize cursor over the grip only.
    mover({110, 150}, Qt::NoButton);
    QCOMPARE(t.nota->cursor().shape(), Qt::SizeFDiagCursor);
    mover({60, 60}, Qt::NoButton);
    QCOMPARE(t.nota->cursor().shape(), Qt::ArrowCursor);
    // A drag begun on the text moves no grip.
    QTest::mousePress(t.nota, Qt::LeftButton, {}, QPoint(60, 60));
    mover({137, 187}, Qt::LeftButton);
    QTest::mouseRelease(t.nota, Qt::LeftButton, {}, QPoint(137, 187));
    QVERIFY(vistos.isEmpty());
    QTest::mousePress(t.nota, Qt::LeftButton, {}, QPoint(108, 148));
    mover({137, 187}, Qt::LeftButton);
    QCOMPARE(vistos, QList<QPoint>{QPoint(137, 187)});
    QCOMPARE(botones, Qt::MouseButtons(Qt::LeftButton));
}

void TestNota::datosIdaYVuelta() {
    Tablero t;
    DatosNota d;
    d.ColorChincheta = TColorChincheta::Net;
    d.Texto = "línea 1\r\nlínea 2";
    d.DayCreated = 3;
    d.MonthCreated = 4;
    d.YearCreated = 2005;
    d.DayExpires = 6;
    d.MonthExpires = 7;
    d.YearExpires = 2008;
    d.ColorNW = 0xCCCCCC;
    d.FontStyle = fsBold | fsStrikeOut;
    d.FontName = "DejaVu Serif";
    d.FontSize = 14;
    d.FontColor = 0x0000FF;
    d.ReceivedTime = "12:00:01";
    d.ReceivedFromIP = "127.0.0.1";
    d.ReceivedFromUser = "Ana";
    d.Left = 30;
    d.Top = 40;
    d.Width = 150;
    d.Height = 170;
    t.nota->AsignarDatos(d);
    QCOMPARE(t.nota->Datos(), d);
    QVERIFY(t.nota->FuenteTexto().bold());
    QVERIFY(t.nota->FuenteTexto().strikeOut());
    QVERIFY(!t.nota->FuenteTexto().italic());
}

QTEST_MAIN(TestNota)
#include "test_nota.moc"
