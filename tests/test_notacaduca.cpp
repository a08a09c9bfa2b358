#include "TableroFalso.h"
#include "notes/FrmNotaCaduca.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDate kHoy = QDate::currentDate();
const QDate kAyer = kHoy.addDays(-1);
const QDate kManana = kHoy.addDays(1);

// A short, silent 8 kHz, 16-bit mono PCM wave file.
const QByteArray kWav = QByteArray("RIFF\x44\x03\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0"
                                   "\x80\x3e\0\0\x02\0\x10\0"
                                   "data\x20\x03\0\0",
                                   44) +
                        QByteArray(800, '\0');

// The shown note (a one-line text) and which buttons are on; null is the empty state.
void Comprobar(const TfrmNotaCaduca& d, TNota* nota, bool anterior, bool siguiente) {
    QCOMPARE(d.NotaCaducaActual(), nota);
    QCOMPARE(d.memoTexto->toPlainText(), nota ? nota->Texto() : QString());
    QCOMPARE(d.lblFechaDcha->text().isEmpty(), nota == nullptr);
    QCOMPARE(d.btnAnt->isEnabled(), anterior);
    QCOMPARE(d.btnEliminarNota->isEnabled(), nota != nullptr);
    QCOMPARE(d.btnSig->isEnabled(), siguiente);
}

} // namespace

class TestNotaCaduca : public QObject {
    Q_OBJECT
private slots:
    void hoySeAnunciaMananaNo_data();
    void hoySeAnunciaMananaNo();
    void navegarYBorrarSaltandoLasNoCaducadas();
    void memoYBorrado_data();
    void memoYBorrado();
    void notaQuitadaPorOtroNoSeToca();
    void sonido_data();
    void sonido();
};

void TestNotaCaduca::hoySeAnunciaMananaNo_data() {
    QTest::addColumn<QDate>("limite");
    QTest::addColumn<bool>("anunciada");
    QTest::newRow("vence hoy") << kHoy << true;
    QTest::newRow("vence mañana") << kManana << false;
}

void TestNotaCaduca::hoySeAnunciaMananaNo() {
    QFETCH(QDate, limite);
    QFETCH(bool, anunciada);
    TableroFalso tablero;
    tablero.Agregar("lejana", kHoy, kHoy.addYears(1));
    tablero.Agregar("la nota", kHoy, limite);
    QString mostrada;
    bool cerradaConEnter = false;
    QTimer::singleShot(0, [&] {
        if (auto* d = qobject_cast<TfrmNotaCaduca*>(QApplication::activeModalWidget())) {
            mostrada = d->memoTexto->toPlainText();
            // Enter, even on Eliminar, only closes the window.
            QTest::keyClick(d->btnEliminarNota, Qt::Key_Return);
            cerradaConEnter = !d->isVisible();
            if (!cerradaConEnter)
                d->reject();
        }
    });
    QCOMPARE(ComprobarNotasCaducadas(tablero, false, QString()), anunciada);
    QCoreApplication::processEvents();
    QCOMPARE(mostrada, anunciada ? QString("la nota") : QString());
    QCOMPARE(cerradaConEnter, anunciada);
    // Looking changes nothing.
    QCOMPARE(tablero.Lista.Cuenta(), 2);
    QCOMPARE(tablero.Cambios, 0);
}

void TestNotaCaduca::navegarYBorrarSaltandoLasNoCaducadas() {
    TableroFalso tablero;
    TNota* x = tablero.Agregar("X", kAyer, kManana);
    TNota* a = tablero.Agregar("A", kAyer, kAyer);
    TNota* b = tablero.Agregar("B", kAyer, kHoy);
    TNota* c = tablero.Agregar("C", kAyer, kManana);
    TNota* d = tablero.Agregar("D", kAyer, kAyer.addYears(-1));
    TNota* e = tablero.Agregar("E", kAyer, kHoy.addYears(2));
    QPointer<TNota> vigilaB = b;
    TfrmNotaCaduca dialogo(tablero, false, QString());
    QVERIFY(dialogo.MostrarPrimeraCaducada());
    dialogo.show();
    Comprobar(dialogo, a, false, true);
    QTest::mouseClick(dialogo.btnSig, Qt::LeftButton);
    Comprobar(dialogo, b, true, true);
    QTest::mouseClick(dialogo.btnSig, Qt::LeftButton);
    Comprobar(dialogo, d, true, false);
    QTest::mouseClick(dialogo.btnAnt, Qt::LeftButton);
    Comprobar(dialogo, b, true, true);

    // A delete shows the next expired note, or else the one before, and marks a change.
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    Comprobar(dialogo, d, true, false);
    QCOMPARE(tablero.Cambios, 1);
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    Comprobar(dialogo, a, false, false);
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    Comprobar(dialogo, nullptr, false, false);
    QCOMPARE(tablero.Cambios, 3);
    QCOMPARE(tablero.Orden(), (QList<TNota*>{x, c, e}));
    QTRY_VERIFY(vigilaB.isNull()); // destroyed off the board
}

void TestNotaCaduca::memoYBorrado_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("memo");
    QTest::newRow("CR LF") << "uno\r\ndos\r\ntres"
                           << "uno\ndos\ntres";
    QTest::newRow("solo CR, línea vacía al final") << "uno\rdos\r"
                                                   << "uno\ndos\n";
    // A lone LF breaks the line, as it does on the note itself.
    QTest::newRow("LF suelto") << "uno\ndos"
                               << "uno\ndos";
}

void TestNotaCaduca::memoYBorrado() {
    QFETCH(QString, texto);
    QFETCH(QString, memo);
    TableroFalso tablero;
    TNota* nota = tablero.Agregar(texto, kAyer, QDate(2000, 1, 1));
    // From an old file with no creation date: shown and deleted all the same.
    nota->setDayCreated(0);
    nota->setMonthCreated(0);
    nota->setYearCreated(0);
    TfrmNotaCaduca dialogo(tablero, false, QString());
    dialogo.show();
    QVERIFY(dialogo.MostrarPrimeraCaducada());
    QCOMPARE(dialogo.lblFechaDcha->text(), QString("01-Ene-2000"));
    QCOMPARE(dialogo.memoTexto->toPlainText(), memo);
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    QVERIFY(tablero.Lista.Vacia());
    QCOMPARE(tablero.Cambios, 1);
}

void TestNotaCaduca::notaQuitadaPorOtroNoSeToca() {
    TableroFalso tablero;
    TNota* a = tablero.Agregar("A", kAyer, kAyer);
    TNota* b = tablero.Agregar("B", kAyer, kAyer);
    TfrmNotaCaduca dialogo(tablero, false, QString());
    dialogo.show();
    QVERIFY(dialogo.MostrarPrimeraCaducada());
    QCOMPARE(dialogo.NotaCaducaActual(), a);

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
    QTest::newRow("sin aviso") << false << kWav << false;
    QTest::newRow("archivo que falta") << true << QByteArray() << false;
    QTest::newRow("archivo roto") << true << QByteArray("esto no es un wav") << true;
    QTest::newRow("archivo bueno") << true << kWav << true;
}

void TestNotaCaduca::sonido() {
    QFETCH(bool, aviso);
    QFETCH(QByteArray, contenido);
    QFETCH(bool, suena);
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("aviso.wav");
    if (!contenido.isEmpty()) {
        QFile archivo(ruta);
        QVERIFY(archivo.open(QIODevice::WriteOnly) && archivo.write(contenido) == contenido.size());
    }
    TableroFalso tablero;
    tablero.Agregar("A", kAyer, kAyer);
    QElapsedTimer reloj;
    reloj.start();
    {
        TfrmNotaCaduca dialogo(tablero, aviso, ruta);
        QCOMPARE(dialogo.TimerSound.isActive(), aviso);
        dialogo.MostrarPrimeraCaducada();
        dialogo.show();
        QTRY_VERIFY(!dialogo.TimerSound.isActive());
        QCOMPARE(dialogo.MediaPlayer.Reproducciones(), suena ? 1 : 0);
        QTest::mouseClick(dialogo.BitBtn2, Qt::LeftButton);
    }
    // Never held up by the sound system, closing included.
    QVERIFY2(reloj.elapsed() < 3000, qPrintable(QString::number(reloj.elapsed())));
}

QTEST_MAIN(TestNotaCaduca)
#include "test_notacaduca.moc"
