#include "notes/FrmEliminarNota.h"

#include "tests/NotasFalsas.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

class TestFrmEliminarNota : public QObject {
    Q_OBJECT
private slots:
    void contenidoYBotones_data();
    void contenidoYBotones();
};

void TestFrmEliminarNota::contenidoYBotones_data() {
    QTest::addColumn<QDate>("limite");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("vistos"); // the due date, then the lines of the text
    QTest::addColumn<bool>("intro");         // Eliminar is the default button; else Escape
    QTest::newRow("cero a la izquierda, texto plano, salto final; Intro")
        << QDate(2026, 8, 5) << "<b>uno</b>\r\n"
        << QStringList{"05-Ago-2026", "<b>uno</b>", ""} << true;
    QTest::newRow("año corto, CR y LF sueltos; Escape")
        << QDate(7, 5, 9) << "a\rb\nc" << QStringList{"09-May-7", "a", "b", "c"} << false;
}

void TestFrmEliminarNota::contenidoYBotones() {
    QFETCH(QDate, limite);
    QFETCH(QString, texto);
    QFETCH(bool, intro);
    QWidget tablero;
    tablero.show();
    TfrmEliminarNota d(NotaConFechas(texto, QDate(2000, 1, 1), limite), &tablero);
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QCOMPARE(d.lblFechaCreacion->text(), QString("01-Ene-2000"));
    const QString vistos =
        d.lblFechaLimite->text() + QChar::ParagraphSeparator + d.MemoTexto->document()->toRawText();
    QTEST(vistos.split(QChar::ParagraphSeparator), "vistos");
    QVERIFY(d.MemoTexto->isReadOnly());
    QTest::keyClick(QApplication::focusWidget(), intro ? Qt::Key_Return : Qt::Key_Escape);
    QTRY_VERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(intro ? QDialog::Accepted : QDialog::Rejected));
}

QTEST_MAIN(TestFrmEliminarNota)
#include "test_frmeliminarnota.moc"
