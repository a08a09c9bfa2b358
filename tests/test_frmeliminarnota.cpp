#include "TableroFalso.h"
#include "notes/FrmEliminarNota.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// A note on a board and its delete confirmation open; the call back counts deletions.
struct Escena {
    TableroFalso tablero;
    int borradas = 0;
    std::optional<TfrmEliminarNota> dialogo;

    void Abrir(const QString& texto, QDate creada = {}, QDate limite = {}) {
        const TNota* nota = tablero.Agregar(texto, creada, limite);
        tablero.Pinaco.show();
        dialogo.emplace(
            nota, [this] { ++borradas; }, &tablero.Pinaco);
        dialogo->show();
        dialogo->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&*dialogo));
    }
};

} // namespace

class TestFrmEliminarNota : public QObject {
    Q_OBJECT
private slots:
    void contenido_data();
    void contenido();
    void botones_data();
    void botones();
};

void TestFrmEliminarNota::contenido_data() {
    QTest::addColumn<QDate>("creada");
    QTest::addColumn<QDate>("limite");
    QTest::addColumn<QStringList>("fechas");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("lineas");

    QTest::newRow("ceros a la izquierda, salto final")
        << QDate(2000, 1, 1) << QDate(2026, 8, 15) << QStringList{"01-Ene-2000", "15-Ago-2026"}
        << "uno\r\n"
        << QStringList{"uno", ""};
    QTest::newRow("año corto, CR y LF sueltos")
        << QDate(1999, 12, 31) << QDate(7, 5, 9) << QStringList{"31-Dic-1999", "09-May-7"}
        << "a\rb\nc" << QStringList{"a", "b", "c"};
    QTest::newRow("texto plano, líneas vacías")
        << QDate(2024, 2, 29) << QDate(2030, 11, 30) << QStringList{"29-Feb-2024", "30-Nov-2030"}
        << "<b>a</b> &\r\n\r\nb" << QStringList{"<b>a</b> &", "", "b"};
}

void TestFrmEliminarNota::contenido() {
    QFETCH(QDate, creada);
    QFETCH(QDate, limite);
    QFETCH(QString, texto);
    Escena e;
    e.Abrir(texto, creada, limite);
    const TfrmEliminarNota& d = *e.dialogo;
    QTEST(QStringList({d.lblFechaCreacion->text(), d.lblFechaLimite->text()}), "fechas");
    QTEST(d.MemoTexto->document()->toRawText().split(QChar::ParagraphSeparator), "lineas");
    QVERIFY(d.MemoTexto->isReadOnly());
}

void TestFrmEliminarNota::botones_data() {
    QTest::addColumn<QString>("como");
    QTest::addColumn<bool>("elimina");

    QTest::newRow("clic en Eliminar") << "eliminar" << true;
    QTest::newRow("clic en Cancelar") << "cancelar" << false;
    QTest::newRow("Escape") << "escape" << false;
    QTest::newRow("Intro: Eliminar es el botón por defecto") << "intro" << true;
}

void TestFrmEliminarNota::botones() {
    QFETCH(QString, como);
    QFETCH(bool, elimina);
    Escena e;
    e.Abrir(QStringLiteral("Algo que borrar"));
    TfrmEliminarNota& d = *e.dialogo;
    if (como == u"eliminar")
        QTest::mouseClick(d.btnEliminar, Qt::LeftButton);
    else if (como == u"cancelar")
        QTest::mouseClick(d.btnCancelar, Qt::LeftButton);
    else
        QTest::keyClick(QApplication::focusWidget(),
                        como == u"escape" ? Qt::Key_Escape : Qt::Key_Return);
    QTRY_VERIFY(!d.isVisible());
    QCOMPARE(e.borradas, elimina ? 1 : 0);
    QCOMPARE(d.result(), int(elimina ? QDialog::Accepted : QDialog::Rejected));
}

QTEST_MAIN(TestFrmEliminarNota)
#include "test_frmeliminarnota.moc"
