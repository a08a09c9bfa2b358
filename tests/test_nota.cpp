#include "notes/Nota.h"
#include "notes/VistasNotas.h"
#include "resources/ImagenesPinaco.h"

#include <QtTest>

namespace {

// A parent like the board, with the board's pictures and one note of the model.
struct Tablero {
    const QList<QPixmap> chinchetas = ImagenesPinaco::imglChinchetas();
    const QList<QPixmap> agarradera = ImagenesPinaco::imglAgarradera();
    ModeloNotas modelo;
    QWidget padre;
    VistasNotas vistas{modelo, [this](IdNota id) {
                           auto* n = new TNota(&padre, modelo, id);
                           n->AsignarImagenes(&chinchetas, &agarradera);
                           return n;
                       }};
    TNota* nota = vistas.Vista(modelo.Agregar({}));
    Tablero() {
        padre.resize(600, 500);
        nota->show();
        padre.show();
    }
};

} // namespace

class TestNota : public QObject {
    Q_OBJECT
private slots:
    void textoPlano();
    void raton();
};

// The face shows the text as it is: markup stays text, "&" is no mnemonic, so each text of a
// pair looks different from the other.
void TestNota::textoPlano() {
    Tablero t;
    const auto cara = [&](const QString& texto) {
        t.nota->setTexto(texto);
        return t.nota->grab().toImage();
    };
    for (const auto& [uno, otro] :
         {std::pair{"<b></b>", ""}, {"&", ""}, {"caf\u00E9 & t\u00E9 &", "caf\u00E9 & t\u00E9 "}})
        QVERIFY2(cara(QString::fromUtf8(uno)) != cara(QString::fromUtf8(otro)), uno);
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
}

QTEST_MAIN(TestNota)
#include "test_nota.moc"
