// The list of waiting notes, and what the board tells of them: a damaged file set aside,
// a delivery or an end said once, in the tray or in a box that waits for the board to be
// idle, and the log line.
#include "app/PendientesTablero.h"
#include "net/LineasLog.h"
#include "notes/FrmNotasPendientes.h"
#include "storage/ArchivoPendientes.h"

#include "tests/DialogosPrueba.h"
#include "tests/ParGuionado.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QDateTime kAhora(QDate(2026, 5, 4), QTime(10, 0), Qt::UTC);

EnvioPendiente Envio(const QString& nombre, const QString& texto, qint64 proximoSegundos) {
    EnvioPendiente e;
    e.IP = QStringLiteral("127.0.0.1");
    e.Puerto = 1; // nothing is tried here: the clock stays before every next attempt
    e.Nombre = nombre;
    e.Nota.Texto = texto;
    e.Desde = kAhora.addSecs(-600);
    e.Proximo = kAhora.addSecs(proximoSegundos);
    e.Intentos = 3;
    return e;
}

QStringList Fila(const QTreeWidget* lista, int fila) {
    QStringList textos;
    for (int c = 0; c < lista->columnCount(); ++c)
        textos << lista->topLevelItem(fila)->text(c);
    return textos;
}

} // namespace

class TestNotasPendientes : public QObject {
    Q_OBJECT
private slots:
    void lista();
    void archivoDanado();
    void avisos_data();
    void avisos();
};

void TestNotasPendientes::lista() {
    QDateTime ahora = kAhora;
    EnviosPendientes envios([&] { return ahora; });
    envios.Cargar({Envio("Ana", "Comprar pan\ry leche", 300), Envio("", "Llamar", 600),
                   Envio("Luis", "Reunión", 900)});
    TfrmNotasPendientes d(envios, nullptr);
    QCOMPARE(d.windowTitle(), QStringLiteral("Notas pendientes de envío"));
    QCOMPARE(d.ListView->topLevelItemCount(), 3);
    const auto local = [](const QDateTime& m) {
        return m.toLocalTime().toString(QStringLiteral("dd/MM/yyyy hh:mm"));
    };
    QCOMPARE(Fila(d.ListView, 0),
             (QStringList{"Ana  (127.0.0.1)", "Comprar pan", local(kAhora.addSecs(-600)),
                          local(kAhora.addSecs(300))}));
    QCOMPARE(Fila(d.ListView, 1).first(), QStringLiteral("127.0.0.1"));
    QCOMPARE(d.ListView->currentItem(), d.ListView->topLevelItem(0));
    QVERIFY(d.ListView->hasFocus() || !d.isVisible());

    // "Enviar ahora" puts the third before the others.
    d.ListView->setCurrentItem(d.ListView->topLevelItem(2));
    d.btnEnviarAhora->click();
    QVERIFY(envios.Envios()[2].Proximo < envios.Envios()[0].Proximo);
    QVERIFY(envios.Envios()[2].Proximo <= ahora);

    Cajas cajas;
    cajas.respuesta = QMessageBox::No;
    d.btnCancelarEnvio->click();
    QCOMPARE(envios.Envios().size(), 3);
    cajas.respuesta = QMessageBox::Yes;
    // The Delete key cancels too, after the same question.
    QTest::keyClick(d.ListView, Qt::Key_Delete);
    QCOMPARE(cajas.vistas.size(), 2);
    QCOMPARE(envios.Envios().size(), 2);
    QCOMPARE(envios.Envios()[1].Nombre, QStringLiteral(""));
    QCOMPARE(d.ListView->topLevelItemCount(), 2);
    // The row that took the cancelled one's place is selected.
    QCOMPARE(d.ListView->currentItem(), d.ListView->topLevelItem(1));

    // A change from the background shows up in the list.
    envios.Cancelar(envios.Envios()[0].Id);
    QTRY_COMPARE(d.ListView->topLevelItemCount(), 1);
    envios.Cancelar(envios.Envios()[0].Id);
    QTRY_COMPARE(d.ListView->topLevelItemCount(), 0);
    QVERIFY(!d.btnEnviarAhora->isEnabled());
    QVERIFY(!d.btnCancelarEnvio->isEnabled());
    QVERIFY(d.btnCerrar->isEnabled());
}

void TestNotasPendientes::archivoDanado() {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("pinaco.PEN");
    const QByteArray danado = "PINACO_PENDIENTES_1.0\r\n1\r\n127.0.0.1\r\n4016\r\n";
    for (const QString& r : {ruta, ruta + QStringLiteral(".dañado")}) {
        QFile f(r);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(r == ruta ? danado : QByteArray("una copia anterior"));
    }
    QWidget tablero;
    Cajas cajas;
    PendientesTablero p(tablero, {});
    p.Cargar(ruta);
    QVERIFY(p.Envios().Envios().isEmpty());
    // An older copy is kept as well.
    const QString copia = ruta + QStringLiteral(".dañado.2");
    QCOMPARE(p.CopiaDanada(), copia);
    QFile f(copia);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), danado);
    QTRY_COMPARE(cajas.vistas.size(), 1);
    QCOMPARE(cajas.vistas[0].Titulo, QStringLiteral("Notas pendientes de envío"));
    QCOMPARE(cajas.vistas[0].Texto,
             "Las notas pendientes de envío no se pudieron leer: el archivo está dañado.\r"
             "(Se ha guardado una copia en: " +
                 copia + ")");
    // The next change writes a sound file in its place.
    p.Anadir({"127.0.0.1", 1, "Ana"}, DatosNota());
    QCOMPARE(CargarPendientes(ruta).Envios.size(), 1);
}

void TestNotasPendientes::avisos_data() {
    QTest::addColumn<bool>("enBandeja");
    QTest::addColumn<bool>("rechazada");
    QTest::newRow("entregada, caja") << false << false;
    QTest::newRow("entregada, bandeja") << true << false;
    QTest::newRow("rechazada, caja") << false << true;
    QTest::newRow("rechazada, bandeja") << true << true;
}

void TestNotasPendientes::avisos() {
    QFETCH(bool, enBandeja);
    QFETCH(bool, rechazada);
    ParGuionado par(rechazada ? Guion{{"HOLA", "NOT_ALLOWED"}} : Guion{});
    QTemporaryDir dir;
    QWidget tablero;
    QDateTime ahora = kAhora;
    QStringList bandeja, log;
    PendientesTablero p(
        tablero,
        {[&] { return enBandeja; },
         [&](const QString& t, const QString& texto) { bandeja << t + '|' + texto; },
         [&](const QString& linea) { log << linea; },
         {}},
        [&] { return ahora; });
    p.Cargar(dir.filePath("pinaco.PEN"));
    Cajas cajas;
    DatosNota nota;
    nota.Texto = QStringLiteral("Reunión a las diez\rsala 2");
    p.Anadir({"127.0.0.1", par.Puerto(), "Ana"}, nota);
    ahora = ahora.addSecs(60);

    // A dialog is open when the result comes: the box waits for it to close.
    QDialog abierto;
    bool cajaConDialogo = true;
    AlAbrirseDialogo([&](QDialog* d) {
        p.Envios().Revisar();
        QTest::qWait(1000);
        cajaConDialogo = !cajas.vistas.isEmpty();
        d->accept();
    });
    abierto.exec();
    QVERIFY(p.Envios().Envios().isEmpty());
    QCOMPARE(log.size(), 1);
    QVERIFY(log[0].endsWith(rechazada ? QStringLiteral("Nota pendiente no entregada a: 127.0.0.1  "
                                                       "(Ana)  ") +
                                            MotivosPendientes::Rechazada()
                                      : QStringLiteral("Nota pendiente entregada a: 127.0.0.1  "
                                                       "(Ana)")));
    const QString texto =
        rechazada ? "La Nota pendiente para: 127.0.0.1  (Ana) no se enviará.\r\"Reunión a las "
                    "diez\"\r" +
                        MotivosPendientes::Rechazada()
                  : QStringLiteral("La Nota pendiente se entregó a: 127.0.0.1  (Ana)\r\"Reunión "
                                   "a las diez\"");
    if (enBandeja) {
        QTRY_COMPARE(bandeja.size(), 1);
        QCOMPARE(bandeja[0], "Notas pendientes de envío|" + QString(texto).replace('\r', '\n'));
    } else {
        QVERIFY(!cajaConDialogo);
        QTRY_COMPARE(cajas.vistas.size(), 1);
        QCOMPARE(cajas.vistas[0].Texto, texto);
    }
    // Told once.
    QTest::qWait(3 * kEsperaDialogoMs);
    QCOMPARE(cajas.vistas.size() + bandeja.size(), 1);
}

QTEST_MAIN(TestNotasPendientes)
#include "test_notaspendientes.moc"
