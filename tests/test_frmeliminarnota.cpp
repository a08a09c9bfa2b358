#include "TableroFalso.h"
#include "notes/FrmEliminarNota.h"

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

void TestFrmEliminarNota::contenidoYBotones_data() {
    QTest::addColumn<QDate>("limite");
    QTest::addColumn<QString>("fecha");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("lineas");
    QTest::addColumn<QString>("como");
    QTest::addColumn<bool>("elimina");
    QTest::newRow("cero a la izquierda, salto final; Intro: Eliminar por defecto")
        << QDate(2026, 8, 5) << "05-Ago-2026"
        << "uno\r\n"
        << QStringList{"uno", ""} << "intro" << true;
    QTest::newRow("año corto, CR y LF sueltos; Escape")
        << QDate(7, 5, 9) << "09-May-7"
        << "a\rb\nc" << QStringList{"a", "b", "c"} << "escape" << false;
    QTest::newRow("texto plano; Eliminar")
        << QDate(2030, 11, 30) << "30-Nov-2030"
        << "<b>a</b>" << QStringList{"<b>a</b>"} << "eliminar" << true;
}

void TestFrmEliminarNota::contenidoYBotones() {
    QFETCH(QDate, limite);
    QFETCH(QString, texto);
    QFETCH(QString, como);
    QFETCH(bool, elimina);
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
    QTEST(d.lblFechaLimite->text(), "fecha");
    QTEST(d.MemoTexto->document()->toRawText().split(QChar::ParagraphSeparator), "lineas");
    QVERIFY(d.MemoTexto->isReadOnly());
    if (como == u"eliminar")
        QTest::mouseClick(d.btnEliminar, Qt::LeftButton);
    else
        QTest::keyClick(QApplication::focusWidget(),
                        como == u"escape" ? Qt::Key_Escape : Qt::Key_Return);
    QTRY_VERIFY(!d.isVisible());
    QCOMPARE(borradas, elimina ? 1 : 0);
    QCOMPARE(d.result(), int(elimina ? QDialog::Accepted : QDialog::Rejected));
}

QTEST_MAIN(TestFrmEliminarNota)
#include "test_frmeliminarnota.moc"
