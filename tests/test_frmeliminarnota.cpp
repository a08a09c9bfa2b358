#include "notes/FrmEliminarNota.h"
#include "notes/Nota.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QtTest>

namespace {

struct Escena {
    QWidget tablero;
    TNota* nota;
    int borradas = 0;

    Escena() : nota(new TNota(&tablero)) {
        tablero.resize(600, 500);
        tablero.show();
    }
};

struct Confirmacion {
    TfrmEliminarNota dialogo;
    explicit Confirmacion(Escena& e)
        : dialogo(
              e.nota, [&e] { ++e.borradas; }, &e.tablero) {
        dialogo.show();
        dialogo.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialogo));
    }
};

QStringList LineasMemo(const QPlainTextEdit* memo) {
    QStringList lineas;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next())
        lineas.append(b.text());
    return lineas;
}

QLabel* RotuloDe(QWidget* campo) {
    for (QLabel* l : campo->parentWidget()->findChildren<QLabel*>())
        if (l->buddy() == campo)
            return l;
    return nullptr;
}

} // namespace

class TestFrmEliminarNota : public QObject {
    Q_OBJECT
private slots:
    void ventana();
    void fechas_data();
    void fechas();
    void lineas_data();
    void lineas();
    void botones_data();
    void botones();
};

void TestFrmEliminarNota::ventana() {
    Escena e;
    Confirmacion c(e);
    TfrmEliminarNota& d = c.dialogo;
    QCOMPARE(d.windowTitle(), QStringLiteral("Eliminar Nota"));
    QCOMPARE(d.size(), QSize(331, 281));
    QVERIFY(!(d.windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(d.GroupBox1->title(), QStringLiteral("Nota:"));
    QCOMPARE(d.btnEliminar->text(), QStringLiteral("&Eliminar"));
    QCOMPARE(d.btnCancelar->text(), QStringLiteral("&Cancelar"));
    QVERIFY(d.MemoTexto->isReadOnly());
    QCOMPARE(d.MemoTexto->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(RotuloDe(d.lblFechaCreacion));
    QVERIFY(RotuloDe(d.lblFechaLimite));
    QCOMPARE(RotuloDe(d.lblFechaCreacion)->text(), QStringLiteral("Fecha Creación:"));
    QCOMPARE(RotuloDe(d.lblFechaLimite)->text(), QStringLiteral("Fecha Límite:"));
    for (QWidget* w : std::initializer_list<QWidget*>{d.GroupBox1, d.btnEliminar, d.btnCancelar}) {
        QVERIFY(w->geometry().left() >= 70);
        QVERIFY(d.rect().contains(w->geometry()));
    }
}

void TestFrmEliminarNota::fechas_data() {
    QTest::addColumn<int>("dia");
    QTest::addColumn<int>("mes");
    QTest::addColumn<int>("anio");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("un dígito") << 1 << 1 << 2000 << "01-Ene-2000";
    QTest::newRow("fin de año") << 31 << 12 << 1999 << "31-Dic-1999";
    QTest::newRow("agosto") << 15 << 8 << 2026 << "15-Ago-2026";
    QTest::newRow("año corto") << 9 << 5 << 7 << "09-May-7";
}

void TestFrmEliminarNota::fechas() {
    QFETCH(int, dia);
    QFETCH(int, mes);
    QFETCH(int, anio);
    QFETCH(QString, esperado);
    Escena e;
    // The due date is the creation date moved on by one year, so the two never mix up.
    e.nota->setDayCreated(quint8(dia));
    e.nota->setMonthCreated(quint8(mes));
    e.nota->setYearCreated(anio);
    e.nota->setDayExpires(quint8(dia));
    e.nota->setMonthExpires(quint8(mes));
    e.nota->setYearExpires(anio + 1);
    Confirmacion c(e);
    TfrmEliminarNota& d = c.dialogo;
    QCOMPARE(d.lblFechaCreacion->text(), esperado);
    QCOMPARE(d.lblFechaLimite->text(),
             esperado.left(esperado.lastIndexOf(u'-') + 1) + QString::number(anio + 1));
    for (QLabel* l : {d.lblFechaCreacion, d.lblFechaLimite}) {
        QCOMPARE(l->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0x60));
        QCOMPARE(l->textFormat(), Qt::PlainText);
    }
}

void TestFrmEliminarNota::lineas_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("lineas");

    QTest::newRow("dos líneas") << "uno\r\ndos" << QStringList{"uno", "dos"};
    QTest::newRow("salto final") << "uno\r\n" << QStringList{"uno", ""};
    QTest::newRow("vacía") << "" << QStringList{""};
    QTest::newRow("CR suelto") << "a\rb" << QStringList{"a", "b"};
    QTest::newRow("LF suelto") << "a\nb" << QStringList{"a", "b"};
    QTest::newRow("líneas vacías") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
    QTest::newRow("texto plano") << "<b>negrita</b> & <i>" << QStringList{"<b>negrita</b> & <i>"};
}

void TestFrmEliminarNota::lineas() {
    QFETCH(QString, texto);
    Escena e;
    e.nota->setTexto(texto);
    Confirmacion c(e);
    QTEST(LineasMemo(c.dialogo.MemoTexto), "lineas");
}

void TestFrmEliminarNota::botones_data() {
    QTest::addColumn<QString>("como");
    QTest::addColumn<int>("borradas");
    QTest::addColumn<int>("resultado");

    QTest::newRow("clic en Eliminar") << "eliminar" << 1 << int(QDialog::Accepted);
    QTest::newRow("clic en Cancelar") << "cancelar" << 0 << int(QDialog::Rejected);
    QTest::newRow("Alt+E") << "altE" << 1 << int(QDialog::Accepted);
    QTest::newRow("Alt+C") << "altC" << 0 << int(QDialog::Rejected);
    QTest::newRow("Escape") << "escape" << 0 << int(QDialog::Rejected);
    QTest::newRow("Intro") << "intro" << 1 << int(QDialog::Accepted);
}

void TestFrmEliminarNota::botones() {
    QFETCH(QString, como);
    Escena e;
    e.nota->setTexto(QStringLiteral("Algo que borrar"));
    Confirmacion c(e);
    TfrmEliminarNota& d = c.dialogo;
    if (como == u"eliminar")
        QTest::mouseClick(d.btnEliminar, Qt::LeftButton);
    else if (como == u"cancelar")
        QTest::mouseClick(d.btnCancelar, Qt::LeftButton);
    else if (como == u"altE")
        QTest::keyClick(&d, Qt::Key_E, Qt::AltModifier);
    else if (como == u"altC")
        QTest::keyClick(&d, Qt::Key_C, Qt::AltModifier);
    else if (como == u"escape")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!d.isVisible());
    QTEST(e.borradas, "borradas");
    QTEST(d.result(), "resultado");
}

QTEST_MAIN(TestFrmEliminarNota)
#include "test_frmeliminarnota.moc"
