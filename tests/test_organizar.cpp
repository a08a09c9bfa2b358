#include "TableroFalso.h"
#include "notes/FrmOrganizarNotas.h"

#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// Clicks the round indicator, which is always inside the button's click area.
void Marcar(QRadioButton* boton) {
    QTest::mouseClick(boton, Qt::LeftButton, {}, QPoint(8, boton->height() / 2));
    QVERIFY(boton->isChecked());
}

QStringList Textos(const QList<TNota*>& notas) {
    QStringList textos;
    for (const TNota* nota : notas)
        textos.append(nota->Texto());
    return textos;
}

} // namespace

class TestOrganizar : public QObject {
    Q_OBJECT
private slots:
    void organizar_data();
    void organizar();
    void rotulosSiguenLaClave();
};

void TestOrganizar::organizar_data() {
    QTest::addColumn<bool>("porCreacion");
    QTest::addColumn<bool>("ascendente");
    QTest::addColumn<bool>("acepta");
    QTest::addColumn<QStringList>("esperado");
    // The January note is due in a later year on an earlier day and month; the others tie.
    QTest::newRow("creación asc") << true << true << true
                                  << QStringList{"enero", "febrero", "marzo"};
    QTest::newRow("límite desc, iguales en su orden")
        << false << false << true << QStringList{"enero", "marzo", "febrero"};
    QTest::newRow("Cancelar") << true << false << false << QStringList{"marzo", "enero", "febrero"};
}

void TestOrganizar::organizar() {
    QFETCH(bool, porCreacion);
    QFETCH(bool, ascendente);
    QFETCH(bool, acepta);
    QFETCH(QStringList, esperado);
    TableroFalso tablero;
    tablero.Agregar("marzo", QDate(2001, 3, 3), QDate(2001, 6, 1));
    tablero.Agregar("enero", QDate(2001, 1, 1), QDate(2002, 1, 1));
    tablero.Agregar("febrero", QDate(2001, 2, 2), QDate(2001, 6, 1));
    const QStringList apilado = Textos(tablero.Apilado());
    TfrmOrganizarNotas dialogo(tablero);
    dialogo.show();
    Marcar(porCreacion ? dialogo.radioCreacion : dialogo.radioLimite);
    Marcar(ascendente ? dialogo.radioAsc : dialogo.radioDesc);
    QTest::mouseClick(acepta ? dialogo.btnAceptar : dialogo.btnCancelar, Qt::LeftButton);
    QCOMPARE(dialogo.result(), int(acepta ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(Textos(tablero.Orden()), esperado);
    QCOMPARE(Textos(tablero.Apilado()), acepta ? esperado : apilado);
    QCOMPARE(tablero.Cambios, acepta ? 1 : 0);
}

// On an empty board, which Aceptar at the end must take in its stride. The keyboard changes
// the key as well, and with it only the captions.
void TestOrganizar::rotulosSiguenLaClave() {
    TableroFalso tablero;
    TfrmOrganizarNotas dialogo(tablero);
    dialogo.show();
    dialogo.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialogo));
    const QString creado = dialogo.radioAsc->text();
    Marcar(dialogo.radioDesc);
    Marcar(dialogo.radioLimite);
    QVERIFY(dialogo.radioAsc->text() != creado);
    dialogo.radioLimite->setFocus();
    QTest::keyClick(dialogo.radioLimite, Qt::Key_Up);
    QVERIFY(dialogo.radioCreacion->isChecked());
    QCOMPARE(dialogo.radioAsc->text(), creado);
    QVERIFY(dialogo.radioDesc->isChecked());
    QTest::mouseClick(dialogo.btnAceptar, Qt::LeftButton);
    QVERIFY(tablero.Lista.Vacia());
    QCOMPARE(tablero.Cambios, 1);
}

QTEST_MAIN(TestOrganizar)
#include "test_organizar.moc"
