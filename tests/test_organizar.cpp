#include "TableroFalso.h"
#include "notes/FrmOrganizarNotas.h"
#include "notes/OrdenNotas.h"

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
    void ordenEstable_data();
    void ordenEstable();
    void porFecha_data();
    void porFecha();
    void rotulosSiguenLaClave();
    void cancelarNoCambiaNada_data();
    void cancelarNoCambiaNada();
    void tableroVacio();
};

void TestOrganizar::ordenEstable_data() {
    QTest::addColumn<QList<FechaNota>>("fechas");
    QTest::addColumn<bool>("ascendente");
    QTest::addColumn<QList<qsizetype>>("esperado");
    const FechaNota marzo{3, 3, 2001}, enero{1, 1, 2001}, febrero{2, 2, 2001};
    QTest::newRow("asc") << QList<FechaNota>{marzo, enero, febrero} << true
                         << QList<qsizetype>{1, 2, 0};
    QTest::newRow("desc") << QList<FechaNota>{marzo, enero, febrero} << false
                          << QList<qsizetype>{0, 2, 1};
    QTest::newRow("iguales asc") << QList<FechaNota>{enero, enero, marzo, enero} << true
                                 << QList<qsizetype>{0, 1, 3, 2};
    QTest::newRow("iguales desc") << QList<FechaNota>{enero, enero, marzo, enero} << false
                                  << QList<qsizetype>{2, 0, 1, 3};
    QTest::newRow("el año manda") << QList<FechaNota>{{31, 12, 2000}, {1, 1, 2001}} << false
                                  << QList<qsizetype>{1, 0};
    QTest::newRow("vacía") << QList<FechaNota>{} << true << QList<qsizetype>{};
}

void TestOrganizar::ordenEstable() {
    QFETCH(QList<FechaNota>, fechas);
    QFETCH(bool, ascendente);
    QFETCH(QList<qsizetype>, esperado);
    QCOMPARE(OrdenEstablePorFecha(fechas, ascendente), esperado);
}

void TestOrganizar::porFecha_data() {
    QTest::addColumn<bool>("porCreacion");
    QTest::addColumn<bool>("ascendente");
    QTest::addColumn<QStringList>("esperado");
    // Created March, January, February; due the same day, except the January note.
    QTest::newRow("creación asc") << true << true << QStringList{"enero", "febrero", "marzo"};
    QTest::newRow("creación desc") << true << false << QStringList{"marzo", "febrero", "enero"};
    QTest::newRow("límite asc, iguales en su orden")
        << false << true << QStringList{"marzo", "febrero", "enero"};
    QTest::newRow("límite desc, iguales en su orden")
        << false << false << QStringList{"enero", "marzo", "febrero"};
}

void TestOrganizar::porFecha() {
    QFETCH(bool, porCreacion);
    QFETCH(bool, ascendente);
    QFETCH(QStringList, esperado);
    TableroFalso tablero;
    const QDate limite(2001, 6, 1);
    tablero.Agregar("marzo", QDate(2001, 3, 3), limite);
    tablero.Agregar("enero", QDate(2001, 1, 1), QDate(2001, 7, 1));
    tablero.Agregar("febrero", QDate(2001, 2, 2), limite);
    const QList<QRect> posiciones = {tablero.Lista.En(0)->geometry(),
                                     tablero.Lista.En(1)->geometry(),
                                     tablero.Lista.En(2)->geometry()};

    TfrmOrganizarNotas dialogo(tablero);
    dialogo.show();
    Marcar(porCreacion ? dialogo.radioCreacion : dialogo.radioLimite);
    Marcar(ascendente ? dialogo.radioAsc : dialogo.radioDesc);
    QTest::mouseClick(dialogo.btnAceptar, Qt::LeftButton);

    QCOMPARE(dialogo.result(), int(QDialog::Accepted));
    QVERIFY(!dialogo.isVisible());
    QCOMPARE(Textos(tablero.Orden()), esperado);
    QCOMPARE(Textos(tablero.Apilado()), esperado);
    QCOMPARE(tablero.Cambios, 1);
    // Nothing moves.
    for (const TNota* nota : tablero.Orden())
        QVERIFY(posiciones.contains(nota->geometry()));
}

void TestOrganizar::rotulosSiguenLaClave() {
    TableroFalso tablero;
    TfrmOrganizarNotas dialogo(tablero);
    dialogo.show();
    QCOMPARE(dialogo.windowTitle(), QString("Organizar Notas:"));
    QVERIFY(dialogo.radioCreacion->isChecked());
    QVERIFY(dialogo.radioAsc->isChecked());
    QCOMPARE(dialogo.radioAsc->text(), QString("&Ascendiente (Primero a último creado)"));
    QCOMPARE(dialogo.radioDesc->text(), QString("&Descendiente (Último a primero creado)"));

    Marcar(dialogo.radioDesc);
    Marcar(dialogo.radioLimite);
    QCOMPARE(dialogo.radioAsc->text(), QString("&Ascendiente (Primero a último que caduque)"));
    QCOMPARE(dialogo.radioDesc->text(), QString("&Descendiente (Último a primero que caduque)"));
    QVERIFY(dialogo.radioDesc->isChecked());

    // The keyboard changes the key as well.
    dialogo.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialogo));
    dialogo.radioLimite->setFocus();
    QTest::keyClick(dialogo.radioLimite, Qt::Key_Up);
    QVERIFY(dialogo.radioCreacion->isChecked());
    QCOMPARE(dialogo.radioAsc->text(), QString("&Ascendiente (Primero a último creado)"));
    QVERIFY(dialogo.radioDesc->isChecked());
}

void TestOrganizar::cancelarNoCambiaNada_data() {
    QTest::addColumn<bool>("conEscape");
    QTest::newRow("botón Cancelar") << false;
    QTest::newRow("tecla Escape") << true;
}

void TestOrganizar::cancelarNoCambiaNada() {
    QFETCH(bool, conEscape);
    TableroFalso tablero;
    tablero.Agregar("marzo", QDate(2001, 3, 3), QDate(2001, 3, 3));
    tablero.Agregar("enero", QDate(2001, 1, 1), QDate(2001, 1, 1));
    const QList<TNota*> orden = tablero.Orden();
    const QList<TNota*> apilado = tablero.Apilado();

    TfrmOrganizarNotas dialogo(tablero);
    dialogo.show();
    Marcar(dialogo.radioLimite);
    if (conEscape)
        QTest::keyClick(&dialogo, Qt::Key_Escape);
    else
        QTest::mouseClick(dialogo.btnCancelar, Qt::LeftButton);

    QCOMPARE(dialogo.result(), int(QDialog::Rejected));
    QVERIFY(!dialogo.isVisible());
    QCOMPARE(tablero.Orden(), orden);
    QCOMPARE(tablero.Apilado(), apilado);
    QCOMPARE(tablero.Cambios, 0);
    QCOMPARE(tablero.Reordenados, 0);
}

void TestOrganizar::tableroVacio() {
    TableroFalso tablero;
    TfrmOrganizarNotas dialogo(tablero);
    dialogo.show();
    QTest::mouseClick(dialogo.btnAceptar, Qt::LeftButton);
    QVERIFY(tablero.Lista.Vacia());
    QCOMPARE(tablero.Cambios, 1);
}

QTEST_MAIN(TestOrganizar)
#include "test_organizar.moc"
