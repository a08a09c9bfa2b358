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

} // namespace

class TestOrganizar : public QObject {
    Q_OBJECT
private slots:
    void eleccion_data();
    void eleccion();
    void rotulosSiguenLaClave();
};

void TestOrganizar::eleccion_data() {
    QTest::addColumn<bool>("porCreacion");
    QTest::addColumn<bool>("ascendente");
    QTest::addColumn<bool>("acepta");
    QTest::newRow("creación asc") << true << true << true;
    QTest::newRow("límite desc") << false << false << true;
    QTest::newRow("Cancelar") << true << false << false;
}

// The buttons clicked are the choice given back; only Aceptar asks for the order.
void TestOrganizar::eleccion() {
    QFETCH(bool, porCreacion);
    QFETCH(bool, ascendente);
    QFETCH(bool, acepta);
    QWidget tablero;
    TfrmOrganizarNotas dialogo(&tablero);
    dialogo.show();
    Marcar(porCreacion ? dialogo.radioCreacion : dialogo.radioLimite);
    Marcar(ascendente ? dialogo.radioAsc : dialogo.radioDesc);
    QTest::mouseClick(acepta ? dialogo.btnAceptar : dialogo.btnCancelar, Qt::LeftButton);
    QCOMPARE(dialogo.result(), int(acepta ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(dialogo.PorCreacion(), porCreacion);
    QCOMPARE(dialogo.Ascendente(), ascendente);
}

// The keyboard changes the key as well, and with it only the captions.
void TestOrganizar::rotulosSiguenLaClave() {
    TfrmOrganizarNotas dialogo(nullptr);
    dialogo.show();
    dialogo.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialogo));
    const QString creado = dialogo.radioAsc->text();
    Marcar(dialogo.radioDesc);
    Marcar(dialogo.radioLimite);
    QVERIFY(dialogo.radioAsc->text() != creado);
    dialogo.radioLimite->setFocus();
    QTest::keyClick(dialogo.radioLimite, Qt::Key_Up);
    QVERIFY(dialogo.PorCreacion());
    QCOMPARE(dialogo.radioAsc->text(), creado);
    QVERIFY(!dialogo.Ascendente());
}

QTEST_MAIN(TestOrganizar)
#include "test_organizar.moc"
