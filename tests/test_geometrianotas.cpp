// Where a received note lands on the board, on plain rectangles.
#include "core/GeometriaNotas.h"

#include <QtTest>
#include <climits>

class TestGeometriaNotas : public QObject {
    Q_OBJECT
private slots:
    void lugarNotaRecibida_data();
    void lugarNotaRecibida();
};

void TestGeometriaNotas::lugarNotaRecibida_data() {
    // On a board of 442 x 384: the note as the sender put it, with its font size, the notes
    // already there and the board type; where it lands and the font it keeps.
    QTest::addColumn<QList<int>>("enviada"); // left, top, width, height
    QTest::addColumn<int>("fuente");
    QTest::addColumn<QList<QRect>>("otras");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QRect>("lugar");
    QTest::addColumn<int>("fuenteFinal");
    QTest::newRow("libre, donde la puso") << QList<int>{100, 100, 120, 160} << 11 << QList<QRect>{}
                                          << 1 << QRect(100, 100, 120, 160) << 11;
    QTest::newRow("sobre otra, pasos de 7")
        << QList<int>{40, 70, 120, 160} << 11 << QList<QRect>{{40, 70, 120, 160}} << 1
        << QRect(166, 196, 120, 160) << 11;
    QTest::newRow("la de debajo le cubre el borde de arriba")
        << QList<int>{100, 100, 120, 160} << 11 << QList<QRect>{{150, 50, 100, 100}} << 1
        << QRect(156, 156, 120, 160) << 11;
    QTest::newRow("los pasos la sacan y vuelve dentro")
        << QList<int>{300, 200, 120, 160} << 11 << QList<QRect>{{300, 200, 120, 160}} << 1
        << QRect(307, 209, 120, 160) << 11;
    QTest::newRow("arriba a la izquierda, tipo 1")
        << QList<int>{0, 0, 120, 160} << 11 << QList<QRect>{} << 1 << QRect(15, 15, 120, 160) << 11;
    QTest::newRow("arriba a la izquierda, tipo 2")
        << QList<int>{0, 0, 120, 160} << 11 << QList<QRect>{} << 2 << QRect(15, 45, 120, 160) << 11;
    QTest::newRow("abajo a la derecha") << QList<int>{400, 300, 120, 160} << 11 << QList<QRect>{}
                                        << 1 << QRect(307, 209, 120, 160) << 11;
    QTest::newRow("mayor que el sitio, tipo 1")
        << QList<int>{20, 20, 500, 400} << 11 << QList<QRect>{} << 1 << QRect(15, 15, 412, 354)
        << 11;
    QTest::newRow("gigante, tipo 2")
        << QList<int>{INT_MAX, INT_MAX, INT_MAX, INT_MAX} << 500 << QList<QRect>{} << 2
        << QRect(15, 45, 412, 324) << kMaxFuenteRecibida;
}

void TestGeometriaNotas::lugarNotaRecibida() {
    QFETCH(QList<int>, enviada);
    QFETCH(int, fuente);
    QFETCH(QList<QRect>, otras);
    QFETCH(int, tipo);
    QFETCH(QRect, lugar);
    QFETCH(int, fuenteFinal);
    DatosNota nota;
    nota.Left = enviada[0];
    nota.Top = enviada[1];
    nota.Width = enviada[2];
    nota.Height = enviada[3];
    nota.FontSize = fuente;
    nota.Texto = QStringLiteral("texto");
    const DatosNota r =
        LugarNotaRecibida(nota, {otras.constData(), size_t(otras.size())}, QSize(442, 384), tipo);
    QCOMPARE(QRect(r.Left, r.Top, r.Width, r.Height), lugar);
    QCOMPARE(r.FontSize, fuenteFinal);
    QCOMPARE(r.Texto, nota.Texto);
}

QTEST_GUILESS_MAIN(TestGeometriaNotas)
#include "test_geometrianotas.moc"
