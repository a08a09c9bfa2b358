#include "notes/FrmEliminarNota.h"

#include "tests/TableroFalso.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

class TestFrmEliminarNota : public QObject {
    Q_OBJECT
private slots:
    void contenidoYBotones_data();
    void contenidoYBotones();
};

enum Cierre { Intro, Escape, Eliminar };

void TestFrmEliminarNota::contenidoYBotones_data() {
    QTest::addColumn<QDate>("limite");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("vistos"); // the due date, then the lines of the text
    QTest::addColumn<int>("cierre");
    QTest::newRow("cero a la izquierda, salto final; Intro: Eliminar por defecto")
        << QDate(2026, 8, 5) << "uno\r\n"
        << QStringList{"05-Ago-2026", "uno", ""} << int(Intro);
    QTest::newRow("año corto, CR y LF sueltos; Escape")
        << QDate(7, 5, 9) << "a\rb\nc" << QStringList{"09-May-7", "a", "b", "c"} << int(Escape);
    QTest::newRow("texto plano; Eliminar")
        << QDate(2030, 11, 30) << "<b>a</b>" << QStringList{"30-Nov-2030", "<b>a</b>"}
        << int(Eliminar);
}

void TestFrmEliminarNota::contenidoYBotones() {
    QFETCH(QDate, limite);
    QFETCH(QString, texto);
    QFETCH(int, cierre);
    TableroFalso tablero;
    const TNota* nota = tablero.Agregar(texto, QDate(2000, 1, 1), limite);
    tablero.Pinaco.show();
    int borradas = 0;
    TfrmEliminarNota d(
        nota, [&] { ++borradas; }, &tablero.Pinaco);
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QCOMPARE(d.lblFechaCreacion->text(), QString("01-Ene-2000"));
    const QString vistos =
        d.lblFechaLimite->text() + QChar::ParagraphSeparator + d.MemoTexto->document()->toRawText();
    QTEST(vistos.split(QChar::ParagraphSeparator), "vistos");
    QVERIFY(d.MemoTexto->isReadOnly());
    if (cierre == Eliminar)
        QTest::mouseClick(d.btnEliminar, Qt::LeftButton);
    else
        QTest::keyClick(QApplication::focusWidget(),
                        cierre == Escape ? Qt::Key_Escape : Qt::Key_Return);
    QTRY_VERIFY(!d.isVisible());
    const bool elimina = cierre != Escape;
    QCOMPARE(borradas, elimina ? 1 : 0);
    QCOMPARE(d.result(), int(elimina ? QDialog::Accepted : QDialog::Rejected));
}

QTEST_MAIN(TestFrmEliminarNota)
#include "test_frmeliminarnota.moc"
