#include "notes/FrmNotaCaduca.h"

#include "tests/ArchivosPrueba.h"
#include "tests/DialogosPrueba.h"
#include "tests/NotasFalsas.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDate kHoy = QDate::currentDate();
const QDate kAyer = kHoy.addDays(-1);
const QDate kManana = kHoy.addDays(1);

// The shown note and which way one can go; -1 is the empty state.
void Comprobar(const TfrmNotaCaduca& d, qint64 nota, bool anterior, bool siguiente) {
    QCOMPARE(d.IdActual(), nota);
    QCOMPARE(d.btnAnt->isEnabled(), anterior);
    QCOMPARE(d.btnSig->isEnabled(), siguiente);
}

} // namespace

class TestNotaCaduca : public QObject {
    Q_OBJECT
private slots:
    void anunciaLaQueVenceHoy();
    void navegarYBorrarSaltandoLasNoCaducadas();
    void notaQuitadaPorOtroNoSeToca();
    void sonido_data();
    void sonido();
};

// A note due tomorrow is not announced, one due today is; looking changes nothing.
void TestNotaCaduca::anunciaLaQueVenceHoy() {
    QWidget tablero;
    NotasFalsas notas;
    notas.Agregar("mañana", kHoy, kManana);
    QString mostrada;
    AlAbrirseDialogo([&](QDialog* dialogo) {
        auto* d = qobject_cast<TfrmNotaCaduca*>(dialogo);
        mostrada = d->memoTexto->toPlainText();
        // Enter, even on Eliminar, only closes the window.
        QTest::keyClick(d->btnEliminarNota, Qt::Key_Return);
        if (d->isVisible()) {
            mostrada.clear();
            d->reject();
        }
    });
    QVERIFY(!ComprobarNotasCaducadas(notas.Leer(), notas.Borrar(), false, QString(), &tablero));
    notas.Agregar("hoy", kHoy, kHoy);
    QVERIFY(ComprobarNotasCaducadas(notas.Leer(), notas.Borrar(), false, QString(), &tablero));
    QCOMPARE(mostrada, QString("hoy"));
    QCOMPARE(notas.Lista.size(), 2);
    QCOMPARE(notas.Borradas.size(), 0);
}

void TestNotaCaduca::navegarYBorrarSaltandoLasNoCaducadas() {
    NotasFalsas notas;
    const IdNota x = notas.Agregar("X", kAyer, kManana);
    // From an old file with no creation date: shown and deleted all the same.
    const IdNota a = notas.Agregar("A\r\ndos\rtres\ncuatro\r", QDate(), QDate(2000, 1, 1));
    const IdNota b = notas.Agregar("B", kAyer, kHoy);
    const IdNota c = notas.Agregar("C", kAyer, kManana);
    const IdNota d = notas.Agregar("D", kAyer, kAyer.addYears(-1));
    const IdNota e = notas.Agregar("E", kAyer, kHoy.addYears(2));
    TfrmNotaCaduca dialogo(notas.Leer(), notas.Borrar(), false, QString(), nullptr);
    QVERIFY(dialogo.MostrarPrimeraCaducada());
    dialogo.show();
    Comprobar(dialogo, a, false, true);
    // Every line break of the file breaks the line, a lone LF too.
    QCOMPARE(dialogo.memoTexto->toPlainText(), QString("A\ndos\ntres\ncuatro\n"));
    QCOMPARE(dialogo.lblFechaDcha->text(), QString("01-Ene-2000"));
    QTest::mouseClick(dialogo.btnSig, Qt::LeftButton);
    Comprobar(dialogo, b, true, true);
    QTest::mouseClick(dialogo.btnSig, Qt::LeftButton);
    Comprobar(dialogo, d, true, false);
    QTest::mouseClick(dialogo.btnAnt, Qt::LeftButton);
    Comprobar(dialogo, b, true, true);
    // A delete shows the next expired note, or else the one before.
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    Comprobar(dialogo, d, true, false);
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    Comprobar(dialogo, a, false, false);
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    Comprobar(dialogo, -1, false, false);
    QCOMPARE(notas.Borradas, (QList<IdNota>{b, d, a}));
    QCOMPARE(notas.Ids(), (QList<IdNota>{x, c, e}));
}

void TestNotaCaduca::notaQuitadaPorOtroNoSeToca() {
    NotasFalsas notas;
    const IdNota a = notas.Agregar("A", kAyer, kAyer);
    const IdNota b = notas.Agregar("B", kAyer, kAyer);
    TfrmNotaCaduca dialogo(notas.Leer(), notas.Borrar(), false, QString(), nullptr);
    dialogo.show();
    QVERIFY(dialogo.MostrarPrimeraCaducada());
    // Another path takes the shown note off the board: Eliminar only starts over.
    notas.Quitar(a);
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    QCOMPARE(notas.Lista.size(), 1);
    Comprobar(dialogo, b, false, false);
    // And once none is left, it leads to the empty state.
    notas.Quitar(b);
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    Comprobar(dialogo, -1, false, false);
    QVERIFY(notas.Borradas.isEmpty());
}

void TestNotaCaduca::sonido_data() {
    QTest::addColumn<bool>("aviso");
    QTest::addColumn<QByteArray>("contenido"); // empty: no file
    QTest::addColumn<bool>("suena");
    QTest::newRow("sin aviso") << false << QByteArray("RIFF") << false;
    QTest::newRow("archivo que falta") << true << QByteArray() << false;
    QTest::newRow("archivo roto") << true << QByteArray("esto no es un wav") << true;
}

void TestNotaCaduca::sonido() {
    QFETCH(bool, aviso);
    QFETCH(QByteArray, contenido);
    QTemporaryDir carpeta;
    const QString ruta = ArchivoEn(carpeta, "aviso.wav", contenido);
    NotasFalsas notas;
    notas.Agregar("A", kAyer, kAyer);
    TfrmNotaCaduca dialogo(notas.Leer(), notas.Borrar(), aviso, ruta, nullptr);
    QCOMPARE(dialogo.TimerSound.isActive(), aviso);
    dialogo.MostrarPrimeraCaducada();
    dialogo.show();
    QTRY_VERIFY(!dialogo.TimerSound.isActive());
    QTEST(dialogo.MediaPlayer.Reproducciones() == 1, "suena");
}

QTEST_MAIN(TestNotaCaduca)
#include "test_notacaduca.moc"
