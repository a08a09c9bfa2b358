// A stop signal ends the event loop whatever is open, so that the shutdown saves.
#include "app/SalidaOrdenada.h"
#include "dialogs/Mensaje.h"
#include "notes/FrmEnviarNotaRed.h"
#include "storage/ListaIP.h"

#include "tests/ParGuionado.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>
#include <csignal>

class TestSalidaOrdenada : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SalidaOrdenada::Instalar(qApp); }
    void terminaConTodoAbierto_data();
    void terminaConTodoAbierto();
};

void TestSalidaOrdenada::terminaConTodoAbierto_data() {
    QTest::addColumn<int>("senal");
    QTest::addColumn<bool>("enviando"); // the send dialog holds itself open meanwhile
    QTest::addColumn<bool>("caja");     // a box over the dialog
    QTest::newRow("SIGTERM, dialog idle") << SIGTERM << false << false;
    QTest::newRow("SIGTERM, dialog sending") << SIGTERM << true << false;
    QTest::newRow("SIGINT, box over the sending dialog") << SIGINT << true << true;
    QTest::newRow("SIGHUP, box over the idle dialog") << SIGHUP << false << true;
}

void TestSalidaOrdenada::terminaConTodoAbierto() {
    QFETCH(int, senal);
    QFETCH(bool, enviando);
    QFETCH(bool, caja);
    ParGuionado par(Guion{{"HOLA", ""}}); // a greeting never answered
    ListaIP libreta;
    libreta.AddIP("127.0.0.1", "Ana", true, par.Puerto());
    TfrmEnviarNotaRed d(libreta, DatosNota(), {}, nullptr);
    d.Client.EsperaConexionMs = d.Client.EsperaRespuestaMs = 60000;
    bool ocupado = false;
    QTimer::singleShot(0, &d, [&] {
        QTimer::singleShot(0, &d, [&] {
            if (enviando)
                d.btnEnviar->click();
            // Once the peer has the greeting, from inside the innermost loop.
            QTimer::singleShot(200, &d, [&] {
                ocupado = d.Client.Ocupado();
                ::raise(senal);
            });
            if (caja)
                MostrarMensaje(&d, QStringLiteral("Pinaco"), QStringLiteral("Abierta"),
                               IconoMensaje::Informacion);
        });
        d.exec();
    });
    QTimer tope;
    tope.setSingleShot(true);
    connect(&tope, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    tope.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(ocupado, enviando);
    QCOMPARE(par.recibidos, enviando ? QByteArrayList{"HOLA"} : QByteArrayList{});
}

QTEST_MAIN(TestSalidaOrdenada)
#include "test_salidaordenada.moc"
