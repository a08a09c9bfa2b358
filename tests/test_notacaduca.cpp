#include "notes/FrmNotaCaduca.h"

#include "tests/ArchivosPrueba.h"
#include "tests/DialogosPrueba.h"
#include "tests/TableroFalso.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDate kHoy = QDate::currentDate();
const QDate kAyer = kHoy.addDays(-1);
const QDate kManana = kHoy.addDays(1);

// The shown note and which way one can go; null is the empty state.
void Comprobar(const TfrmNotaCaduca& d, TNota* nota, bool anterior, bool siguiente) {
    QCOMPARE(d.NotaCaducaActual(), nota);
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
    TableroFalso tablero;
    tablero.Agregar("mañana", kHoy, kManana);
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
    QVERIFY(!ComprobarNotasCaducadas(tablero, false, QString()));
    tablero.Agregar("hoy", kHoy, kHoy);
    QVERIFY(ComprobarNotasCaducadas(tablero, false, QString()));
    QCOMPARE(mostrada, QString("hoy"));
    QCOMPARE(tablero.Lista.Cuenta(), 2);
    QCOMPARE(tablero.Cambios, 0);
}

void TestNotaCaduca::navegarYBorrarSaltandoLasNoCaducadas() {
    TableroFalso tablero;
    TNota* x = tablero.Agregar("X", kAyer, kManana);
    // From an old file with no creation date: shown and deleted all the same.
    TNota* a = tablero.Agregar("A\r\ndos\rtres\ncuatro\r", QDate(), QDate(2000, 1, 1));
    TNota* b = tablero.Agregar("B", kAyer, kHoy);
    TNota* c = tablero.Agregar("C", kAyer, kManana);
    TNota* d = tablero.Agregar("D", kAyer, kAyer.addYears(-1));
    TNota* e = tablero.Agregar("E", kAyer, kHoy.addYears(2));
    QPointer<TNota> vigilaB = b;
    TfrmNotaCaduca dialogo(tablero, false, QString());
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
    // A delete shows the next expired note, or else the one before, and marks a change.
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    Comprobar(dialogo, d, true, false);
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    Comprobar(dialogo, a, false, false);
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    Comprobar(dialogo, nullptr, false, false);
    QCOMPARE(tablero.Cambios, 3);
    QCOMPARE(tablero.Orden(), (QList<TNota*>{x, c, e}));
    QTRY_VERIFY(vigilaB.isNull()); // destroyed off the board
}

void TestNotaCaduca::notaQuitadaPorOtroNoSeToca() {
    TableroFalso tablero;
    TNota* a = tablero.Agregar("A", kAyer, kAyer);
    TNota* b = tablero.Agregar("B", kAyer, kAyer);
    TfrmNotaCaduca dialogo(tablero, false, QString());
    dialogo.show();
    QVERIFY(dialogo.MostrarPrimeraCaducada());
    // Another path takes the shown note off the board: Eliminar only starts over.
    tablero.BorrarNota(a);
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    QCOMPARE(tablero.Lista.Cuenta(), 1);
    Comprobar(dialogo, b, false, false);
    // And once it is destroyed too, it leads to the empty state.
    tablero.BorrarNota(b);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    Comprobar(dialogo, nullptr, false, false);
    QCOMPARE(tablero.Cambios, 0);
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
    TableroFalso tablero;
    tablero.Agregar("A", kAyer, kAyer);
    TfrmNotaCaduca dialogo(tablero, aviso, ruta);
    QCOMPARE(dialogo.TimerSound.isActive(), aviso);
    dialogo.MostrarPrimeraCaducada();
    dialogo.show();
    QTRY_VERIFY(!dialogo.TimerSound.isActive());
    QTEST(dialogo.MediaPlayer.Reproducciones() == 1, "suena");
}

QTEST_MAIN(TestNotaCaduca)
#include "test_notacaduca.moc"
