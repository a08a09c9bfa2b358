#include "TableroFalso.h"
#include "notes/FrmNotaCaduca.h"
#include "notes/NotasCaducadas.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDate kHoy = QDate::currentDate();
const QDate kAyer = kHoy.addDays(-1);
const QDate kManana = kHoy.addDays(1);

std::function<bool(qsizetype)> Marcas(const QList<bool>& caducadas) {
    return [caducadas](qsizetype i) { return caducadas.at(i); };
}

// What the dialog shows: text of the date, memo and the three buttons.
struct Estado {
    QString Fecha;
    bool Anterior, Eliminar, Siguiente;
};

void ComprobarEstado(const TfrmNotaCaduca& d, const Estado& e) {
    QCOMPARE(d.lblFechaDcha->text(), e.Fecha);
    QCOMPARE(d.btnAnt->isEnabled(), e.Anterior);
    QCOMPARE(d.btnEliminarNota->isEnabled(), e.Eliminar);
    QCOMPARE(d.btnSig->isEnabled(), e.Siguiente);
    QVERIFY(d.BitBtn2->isEnabled());
}

QString Corta(QDate fecha) {
    return FechaCorta(quint8(fecha.day()), quint8(fecha.month()), fecha.year());
}

// A short, silent PCM wave file.
void EscribirWav(const QString& ruta) {
    QByteArray datos(800, '\0');
    QByteArray wav;
    QDataStream s(&wav, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData("RIFF", 4);
    s << quint32(36 + datos.size());
    s.writeRawData("WAVEfmt ", 8);
    s << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(16000) << quint16(2)
      << quint16(16);
    s.writeRawData("data", 4);
    s << quint32(datos.size());
    s.writeRawData(datos.constData(), int(datos.size()));
    QFile archivo(ruta);
    QVERIFY(archivo.open(QIODevice::WriteOnly));
    archivo.write(wav);
}

} // namespace

class TestNotaCaduca : public QObject {
    Q_OBJECT
private slots:
    void fechaCaducada_data();
    void fechaCaducada();
    void pasos_data();
    void pasos();
    void trasBorrar_data();
    void trasBorrar();
    void hoySeAnunciaMananaNo_data();
    void hoySeAnunciaMananaNo();
    void navegarYBorrarSaltandoLasNoCaducadas();
    void memoYFecha_data();
    void memoYFecha();
    void notaRealSinFechaDeCreacionSePuedeBorrar();
    void notaQuitadaPorOtroNoSeToca();
    void cerrarConTeclado_data();
    void cerrarConTeclado();
    void sonido_data();
    void sonido();
};

void TestNotaCaduca::fechaCaducada_data() {
    QTest::addColumn<QDate>("limite");
    QTest::addColumn<bool>("caducada");
    QTest::newRow("hoy") << kHoy << true;
    QTest::newRow("ayer") << kAyer << true;
    QTest::newRow("mañana") << kManana << false;
    QTest::newRow("hace un año") << kHoy.addYears(-1) << true;
    QTest::newRow("el mes que viene") << kHoy.addMonths(1) << false;
}

void TestNotaCaduca::fechaCaducada() {
    QFETCH(QDate, limite);
    QFETCH(bool, caducada);
    QCOMPARE(FechaCaducada(quint8(limite.day()), quint8(limite.month()), limite.year(), kHoy),
             caducada);
}

void TestNotaCaduca::pasos_data() {
    QTest::addColumn<QList<bool>>("caducadas");
    QTest::addColumn<qsizetype>("actual");
    QTest::addColumn<int>("paso");
    QTest::addColumn<qsizetype>("indice");
    QTest::addColumn<bool>("anterior");
    QTest::addColumn<bool>("siguiente");
    // X A B C D E: A, B and D have come due.
    const QList<bool> lista = {false, true, true, false, true, false};
    QTest::newRow("A >> B") << lista << qsizetype(1) << 1 << qsizetype(2) << true << true;
    QTest::newRow("B >> D salta C") << lista << qsizetype(2) << 1 << qsizetype(4) << true << false;
    QTest::newRow("D << B salta C") << lista << qsizetype(4) << -1 << qsizetype(2) << true << true;
    QTest::newRow("B << A") << lista << qsizetype(2) << -1 << qsizetype(1) << false << true;
    QTest::newRow("A << nada") << lista << qsizetype(1) << -1 << qsizetype(-1) << false << false;
    QTest::newRow("D >> nada") << lista << qsizetype(4) << 1 << qsizetype(-1) << false << false;
}

void TestNotaCaduca::pasos() {
    QFETCH(QList<bool>, caducadas);
    QFETCH(qsizetype, actual);
    QFETCH(int, paso);
    QFETCH(qsizetype, indice);
    QFETCH(bool, anterior);
    QFETCH(bool, siguiente);
    const VistaCaducada vista = PasoCaducada(caducadas.size(), actual, paso, Marcas(caducadas));
    QCOMPARE(vista, (VistaCaducada{indice, anterior, siguiente}));
}

void TestNotaCaduca::trasBorrar_data() {
    QTest::addColumn<QList<bool>>("caducadas"); // after the delete
    QTest::addColumn<qsizetype>("borrada");
    QTest::addColumn<qsizetype>("indice");
    QTest::addColumn<bool>("anterior");
    QTest::addColumn<bool>("siguiente");
    QTest::newRow("B borrada: D, queda A") << QList<bool>{false, true, false, true, false}
                                           << qsizetype(2) << qsizetype(3) << true << false;
    QTest::newRow("D borrada: vuelve a A")
        << QList<bool>{false, true, false, false} << qsizetype(3) << qsizetype(1) << false << false;
    QTest::newRow("A borrada: nada")
        << QList<bool>{false, false, false} << qsizetype(1) << qsizetype(-1) << false << false;
    QTest::newRow("la primera: la que sigue")
        << QList<bool>{true, false, true} << qsizetype(0) << qsizetype(0) << false << true;
    QTest::newRow("lista vacía") << QList<bool>{} << qsizetype(0) << qsizetype(-1) << false
                                 << false;
}

void TestNotaCaduca::trasBorrar() {
    QFETCH(QList<bool>, caducadas);
    QFETCH(qsizetype, borrada);
    QFETCH(qsizetype, indice);
    QFETCH(bool, anterior);
    QFETCH(bool, siguiente);
    QCOMPARE(TrasBorrarCaducada(caducadas.size(), borrada, Marcas(caducadas)),
             (VistaCaducada{indice, anterior, siguiente}));
}

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
    QCOMPARE(HayNotasCaducadas(tablero.Notas(), kHoy), anunciada);

    QString mostrada;
    bool abierta = false;
    QTimer::singleShot(0, [&] {
        auto* dialogo = qobject_cast<TfrmNotaCaduca*>(QApplication::activeModalWidget());
        if (!dialogo)
            return;
        abierta = true;
        mostrada = dialogo->memoTexto->toPlainText();
        QTest::mouseClick(dialogo->BitBtn2, Qt::LeftButton);
    });
    QCOMPARE(ComprobarNotasCaducadas(tablero, false, QString()), anunciada);
    QCoreApplication::processEvents();
    QCOMPARE(abierta, anunciada);
    if (anunciada)
        QCOMPARE(mostrada, QString("la nota"));
    // Looking changes nothing.
    QCOMPARE(tablero.Lista.Cuenta(), 2);
    QCOMPARE(tablero.Cambios, 0);
}

void TestNotaCaduca::navegarYBorrarSaltandoLasNoCaducadas() {
    TableroFalso tablero;
    tablero.Agregar("X", kAyer, kManana);
    TNota* a = tablero.Agregar("A", kAyer, kAyer);
    TNota* b = tablero.Agregar("B", kAyer, kHoy);
    TNota* c = tablero.Agregar("C", kAyer, kManana);
    TNota* d = tablero.Agregar("D", kAyer, kAyer.addYears(-1));
    TNota* e = tablero.Agregar("E", kAyer, kHoy.addYears(2));
    QPointer<TNota> vigilaB = b;

    TfrmNotaCaduca dialogo(tablero, false, QString());
    QVERIFY(dialogo.MostrarPrimeraCaducada());
    dialogo.show();
    QCOMPARE(dialogo.windowTitle(), QString("Notas Caducadas:"));
    QCOMPARE(dialogo.NotaCaducaActual(), a);
    ComprobarEstado(dialogo, {Corta(kAyer), false, true, true});

    QTest::mouseClick(dialogo.btnSig, Qt::LeftButton);
    QCOMPARE(dialogo.NotaCaducaActual(), b);
    ComprobarEstado(dialogo, {Corta(kHoy), true, true, true});
    QTest::mouseClick(dialogo.btnSig, Qt::LeftButton);
    QCOMPARE(dialogo.NotaCaducaActual(), d);
    ComprobarEstado(dialogo, {Corta(kAyer.addYears(-1)), true, true, false});
    QTest::mouseClick(dialogo.btnAnt, Qt::LeftButton);
    QCOMPARE(dialogo.NotaCaducaActual(), b);

    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    QCOMPARE(dialogo.NotaCaducaActual(), d);
    ComprobarEstado(dialogo, {Corta(kAyer.addYears(-1)), true, true, false});
    QVERIFY(!tablero.Lista.Contiene(b));
    QCOMPARE(tablero.Cambios, 1);

    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    QCOMPARE(dialogo.NotaCaducaActual(), a);
    ComprobarEstado(dialogo, {Corta(kAyer), false, true, false});

    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    QCOMPARE(dialogo.NotaCaducaActual(), nullptr);
    ComprobarEstado(dialogo, {QString(), false, false, false});
    QVERIFY(dialogo.memoTexto->toPlainText().isEmpty());
    QCOMPARE(tablero.Cambios, 3);

    QCOMPARE(tablero.Orden(), (QList<TNota*>{tablero.Lista.En(0), c, e}));
    QCOMPARE(tablero.Lista.En(0)->Texto(), QString("X"));
    QTRY_VERIFY(vigilaB.isNull()); // destroyed off the board

    QTest::mouseClick(dialogo.BitBtn2, Qt::LeftButton);
    QVERIFY(!dialogo.isVisible());
}

void TestNotaCaduca::memoYFecha_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("memo");
    QTest::newRow("CR LF") << "uno\r\ndos\r\ntres"
                           << "uno\ndos\ntres";
    QTest::newRow("solo CR, línea vacía al final") << "uno\rdos\r"
                                                   << "uno\ndos\n";
    // A lone LF breaks the line, as it does on the note itself.
    QTest::newRow("LF suelto") << "uno\ndos"
                               << "uno\ndos";
    QTest::newRow("texto plano") << "<b>ñandú</b> & más"
                                 << "<b>ñandú</b> & más";
    QTest::newRow("vacío") << ""
                           << "";
}

void TestNotaCaduca::memoYFecha() {
    QFETCH(QString, texto);
    QFETCH(QString, memo);
    TableroFalso tablero;
    TNota* nota = tablero.Agregar(texto, kAyer, QDate(2000, 1, 1));
    TfrmNotaCaduca dialogo(tablero, false, QString());
    dialogo.show();
    QVERIFY(dialogo.MostrarPrimeraCaducada());
    QCOMPARE(dialogo.NotaCaducaActual(), nota);
    QCOMPARE(dialogo.lblFechaDcha->text(), QString("01-Ene-2000"));
    QCOMPARE(dialogo.lblFechaIzda->text(), QString("Fecha Límite:"));
    QCOMPARE(dialogo.memoTexto->toPlainText(), memo);
    QVERIFY(dialogo.memoTexto->isReadOnly());
}

void TestNotaCaduca::notaRealSinFechaDeCreacionSePuedeBorrar() {
    TableroFalso tablero;
    TNota* nota = tablero.Agregar("vieja", kAyer, kAyer);
    nota->setDayCreated(0);
    nota->setMonthCreated(0);
    nota->setYearCreated(0);
    TfrmNotaCaduca dialogo(tablero, false, QString());
    dialogo.show();
    QVERIFY(dialogo.MostrarPrimeraCaducada());
    ComprobarEstado(dialogo, {Corta(kAyer), false, true, false});
    QCOMPARE(dialogo.memoTexto->toPlainText(), QString("vieja"));
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    QVERIFY(tablero.Lista.Vacia());
}

void TestNotaCaduca::notaQuitadaPorOtroNoSeToca() {
    TableroFalso tablero;
    TNota* a = tablero.Agregar("A", kAyer, kAyer);
    TNota* b = tablero.Agregar("B", kAyer, kAyer);
    TfrmNotaCaduca dialogo(tablero, false, QString());
    dialogo.show();
    QVERIFY(dialogo.MostrarPrimeraCaducada());
    QCOMPARE(dialogo.NotaCaducaActual(), a);

    // Another path deletes the shown note while the dialog is open.
    tablero.BorrarNota(a);
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    QCOMPARE(tablero.Lista.Cuenta(), 1);
    QCOMPARE(dialogo.NotaCaducaActual(), b);
    ComprobarEstado(dialogo, {Corta(kAyer), false, true, false});

    tablero.BorrarNota(b);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(dialogo.NotaCaducaActual(), nullptr);
    QTest::mouseClick(dialogo.btnEliminarNota, Qt::LeftButton);
    dialogo.MostrarNotaCaducada(TfrmNotaCaduca::Sentido::HaciaElUltimo);
    ComprobarEstado(dialogo, {QString(), false, false, false});
    QCOMPARE(tablero.Cambios, 0);
}

void TestNotaCaduca::cerrarConTeclado_data() {
    QTest::addColumn<int>("tecla");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestNotaCaduca::cerrarConTeclado() {
    QFETCH(int, tecla);
    TableroFalso tablero;
    tablero.Agregar("A", kAyer, kAyer);
    TfrmNotaCaduca dialogo(tablero, false, QString());
    dialogo.MostrarPrimeraCaducada();
    dialogo.show();
    QTest::keyClick(&dialogo, Qt::Key(tecla));
    QVERIFY(!dialogo.isVisible());
    QCOMPARE(tablero.Lista.Cuenta(), 1);
}

void TestNotaCaduca::sonido_data() {
    QTest::addColumn<bool>("aviso");
    QTest::addColumn<QString>("archivo"); // in the temporary folder; empty: none
    QTest::addColumn<bool>("escribirWav");
    QTest::addColumn<bool>("suena");
    QTest::newRow("sin aviso") << false << "aviso.wav" << true << false;
    QTest::newRow("archivo que falta") << true << "no_existe.wav" << false << false;
    QTest::newRow("sin nombre") << true << "" << false << false;
    QTest::newRow("archivo roto") << true << "roto.wav" << false << true;
    QTest::newRow("archivo bueno") << true << "aviso.wav" << true << true;
}

void TestNotaCaduca::sonido() {
    QFETCH(bool, aviso);
    QFETCH(QString, archivo);
    QFETCH(bool, escribirWav);
    QFETCH(bool, suena);
    QTemporaryDir carpeta;
    QString ruta = archivo.isEmpty() ? QString() : carpeta.filePath(archivo);
    if (escribirWav)
        EscribirWav(ruta);
    else if (archivo == "roto.wav") {
        QFile roto(ruta);
        QVERIFY(roto.open(QIODevice::WriteOnly));
        roto.write("esto no es un wav");
    }
    TableroFalso tablero;
    tablero.Agregar("A", kAyer, kAyer);
    {
        QElapsedTimer reloj;
        reloj.start();
        TfrmNotaCaduca dialogo(tablero, aviso, ruta);
        QCOMPARE(dialogo.TimerSound.isActive(), aviso);
        dialogo.MostrarPrimeraCaducada();
        dialogo.show();
        QTRY_VERIFY(!dialogo.TimerSound.isActive());
        QCOMPARE(dialogo.MediaPlayer.Reproducciones(), suena ? 1 : 0);
        if (!suena)
            QVERIFY(dialogo.MediaPlayer.Archivo().isEmpty());
        QTest::mouseClick(dialogo.BitBtn2, Qt::LeftButton);
        QVERIFY(!dialogo.isVisible());
        // Never held up by the sound system.
        QVERIFY2(reloj.elapsed() < 3000, qPrintable(QString::number(reloj.elapsed())));
    }
}

QTEST_MAIN(TestNotaCaduca)
#include "test_notacaduca.moc"
