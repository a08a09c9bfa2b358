// The outbox: the retry rule, its file, and the background attempts against peers on
// loopback with a clock the test moves.
#include "net/EnviosPendientes.h"
#include "storage/ArchivoPendientes.h"

#include "tests/ParGuionado.h"
#include "tests/PuertoLibre.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDateTime kInicio(QDate(2026, 3, 27), QTime(23, 50), Qt::UTC);

DatosNota Nota(const QString& texto) {
    DatosNota n;
    n.Texto = texto;
    n.FontName = QStringLiteral("DejaVu Sans");
    n.DayCreated = 27;
    n.MonthCreated = 3;
    n.YearCreated = 2026;
    return n;
}

// A loopback port nobody listens on.
quint16 PuertoCerrado() {
    return PuertoLibre();
}

struct Buzon {
    QDateTime ahora = kInicio;
    QTemporaryDir dir;
    QString ruta = dir.filePath(QStringLiteral("pinaco.PEN"));
    int guardados = 0;
    EnviosPendientes e{[this] { return ahora; }};
    QSignalSpy entregadas{&e, &EnviosPendientes::Entregada};
    QSignalSpy terminadas{&e, &EnviosPendientes::Terminada};

    Buzon() {
        e.EsperaConexionMs = e.EsperaRespuestaMs = 300;
        e.FijarGuardado([this](const QList<EnvioPendiente>& envios) {
            ++guardados;
            QCOMPARE(GuardarPendientes(ruta, envios), ErrorArchivo::Ninguno);
        });
    }
    // Moves the clock to the next attempt and waits for its end.
    bool Intentar() {
        const std::optional<QDateTime> proxima = e.ProximaRevision();
        if (!proxima)
            return false;
        ahora = std::max(ahora, *proxima);
        e.Revisar();
        if (e.EnCurso() == 0)
            return false;
        QElapsedTimer espera;
        espera.start();
        while (e.EnCurso() != 0 && espera.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        return e.EnCurso() == 0;
    }
    int Notas(const ParGuionado& par) const { return int(par.recibidos.count("NOTA_END")); }
};

} // namespace

class TestEnviosPendientes : public QObject {
    Q_OBJECT
private slots:
    void regla_data();
    void regla();
    void archivoIdaYVuelta();
    void archivoDanado_data();
    void archivoDanado();
    void resultados_data();
    void resultados();
    void apagadoLuegoEncendido();
    void tableroReiniciado();
    void sieteDias();
    void enviarAhoraYCancelar();
};

void TestEnviosPendientes::regla_data() {
    QTest::addColumn<int>("fallos");
    QTest::addColumn<qint64>("ahora");   // seconds after the first failure
    QTest::addColumn<qint64>("proximo"); // seconds after the first failure; -1: given up
    const qint64 dia = 86400;
    QTest::newRow("primer fallo") << 1 << qint64(0) << qint64(60);
    QTest::newRow("segundo") << 2 << qint64(60) << qint64(180);
    QTest::newRow("tercero") << 3 << qint64(180) << qint64(480);
    QTest::newRow("cuarto") << 4 << qint64(480) << qint64(1080);
    QTest::newRow("quinto: cuarto de hora") << 5 << qint64(1080) << qint64(1980);
    QTest::newRow("centesimo") << 100 << 3 * dia << 3 * dia + 900;
    QTest::newRow("el ultimo cae en el limite") << 600 << 7 * dia - 60 << 7 * dia;
    QTest::newRow("en el limite se deja") << 601 << 7 * dia << qint64(-1);
    QTest::newRow("tablero apagado una semana") << 2 << 9 * dia << qint64(-1);
}

void TestEnviosPendientes::regla() {
    QFETCH(int, fallos);
    QFETCH(qint64, ahora);
    QFETCH(qint64, proximo);
    const std::optional<QDateTime> r =
        ReglaReintentos::ProximoIntento(kInicio, fallos, kInicio.addSecs(ahora));
    QCOMPARE(r.has_value(), proximo >= 0);
    if (r)
        QCOMPARE(kInicio.secsTo(*r), proximo);
}

void TestEnviosPendientes::archivoIdaYVuelta() {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("pinaco.PEN"));
    QList<EnvioPendiente> envios(2);
    envios[0] = {1,
                 Nota(QStringLiteral("Llamar a José\ren Peñón")),
                 "127.0.0.1",
                 4016,
                 QStringLiteral("Equipo de Íñigo"),
                 kInicio,
                 kInicio.addSecs(60),
                 1};
    envios[1] = {2,         Nota(QString()),     "10.0.0.255",        -3,
                 QString(), kInicio.addDays(-6), kInicio.addMSecs(1), 640};
    envios[1].Nota.ReceivedFromIP = QStringLiteral("192.168.1.7");
    QCOMPARE(GuardarPendientes(ruta, envios), ErrorArchivo::Ninguno);
    const ResultadoCargaPendientes leido = CargarPendientes(ruta);
    QCOMPARE(leido.Error, ErrorArchivo::Ninguno);
    QVERIFY(leido.Existe);
    QCOMPARE(leido.Envios, envios);
    // Windows-1252 as the other files, and the same bytes once written again.
    const QByteArray bytes = BytesPendientes(envios);
    QVERIFY(bytes.contains("Equipo de \xcd\xf1igo"));
    QCOMPARE(BytesPendientes(LeerPendientes(bytes).Envios), bytes);

    QCOMPARE(GuardarPendientes(ruta, {}), ErrorArchivo::Ninguno);
    QVERIFY(!QFile::exists(ruta));
    const ResultadoCargaPendientes nada = CargarPendientes(ruta);
    QVERIFY(!nada.Existe);
    QCOMPARE(nada.Error, ErrorArchivo::Ninguno);

    envios[0].Nombre = QStringLiteral("☃");
    QCOMPARE(GuardarPendientes(ruta, envios), ErrorArchivo::TextoNoGuardable);
    QVERIFY(!QFile::exists(ruta));
}

void TestEnviosPendientes::archivoDanado_data() {
    QList<EnvioPendiente> envios(2);
    envios[0] = {1,
                 Nota(QStringLiteral("uno\rdos\rtres")),
                 "127.0.0.1",
                 4016,
                 "A",
                 kInicio,
                 kInicio.addSecs(60),
                 1};
    envios[1] = {
        2, Nota(QStringLiteral("cuatro")), "127.0.0.2", 4016, "B", kInicio, kInicio.addSecs(120),
        2};
    const QByteArray bien = BytesPendientes(envios);
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("cabecera ajena") << QByteArray("PINACO_NOTAS_BD_3.0\r\n0\r\nFIN\r\n");
    QTest::newRow("vacio") << QByteArray();
    QTest::newRow("cuenta no numerica") << QByteArray(bien).replace("\r\n2\r\n", "\r\ndos\r\n");
    QTest::newRow("puerto no numerico") << QByteArray(bien).replace("4016", "x016");
    QTest::newRow("direccion rota") << QByteArray(bien).replace("127.0.0.2", "127.0.0");
    QTest::newRow("momento roto") << QByteArray(bien).replace("2026-03-27T23:51",
                                                              "2026-13-27T23:51");
    QTest::newRow("mas entradas de las que hay")
        << QByteArray(bien).replace("\r\n2\r\n", "\r\n3\r\n");
    QTest::newRow("menos entradas de las que hay")
        << QByteArray(bien).replace("\r\n2\r\n", "\r\n1\r\n");
    QTest::newRow("Ctrl-Z a medias") << QByteArray(bien).insert(bien.size() / 2, '\x1a');
    for (const int corte : {5, 8, 40, 100})
        QTest::addRow("cortado %d bytes antes del fin", corte) << bien.first(bien.size() - corte);
}

void TestEnviosPendientes::archivoDanado() {
    QFETCH(QByteArray, bytes);
    const ResultadoCargaPendientes r = LeerPendientes(bytes);
    QCOMPARE(r.Error, ErrorArchivo::NumeroNoValido);
    QVERIFY(r.Envios.isEmpty());
}

void TestEnviosPendientes::resultados_data() {
    QTest::addColumn<Guion>("guion");
    QTest::addColumn<bool>("entregada");
    QTest::addColumn<QString>("motivo"); // empty: still waiting
    QTest::newRow("entregada") << Guion{} << true << QString();
    QTest::newRow("rechazada") << Guion{{"HOLA", "NOT_ALLOWED"}} << false
                               << MotivosPendientes::Rechazada();
    QTest::newRow("rechazada a mitad")
        << Guion{{"TEXT:", "NOT_ALLOWED"}} << false << MotivosPendientes::Rechazada();
    QTest::newRow("sin saludo") << Guion{{"HOLA", ""}} << false << QString();
    QTest::newRow("interrumpida") << Guion{{"NOTA_BEGIN", ""}} << false << QString();
    QTest::newRow("cortada") << Guion{{"LEFT:", kCerrar}} << false << QString();
    QTest::newRow("sin confirmar")
        << Guion{{"NOTA_END", ""}} << false << MotivosPendientes::SinConfirmar();
}

void TestEnviosPendientes::resultados() {
    QFETCH(Guion, guion);
    QFETCH(bool, entregada);
    QFETCH(QString, motivo);
    ParGuionado par(guion);
    Buzon b;
    b.e.Anadir({"127.0.0.1", par.Puerto(), "Par"}, Nota(QStringLiteral("hola")));
    QVERIFY(b.Intentar());
    QCOMPARE(b.entregadas.size(), entregada ? 1 : 0);
    QCOMPARE(b.terminadas.size(), motivo.isEmpty() ? 0 : 1);
    if (!motivo.isEmpty())
        QCOMPARE(b.terminadas[0][1].toString(), motivo);
    const bool espera = !entregada && motivo.isEmpty();
    QCOMPARE(b.e.Envios().size(), espera ? 1 : 0);
    QCOMPARE(QFile::exists(b.ruta), espera);
    if (espera) {
        QCOMPARE(b.e.Envios()[0].Intentos, 2);
        QCOMPARE(b.e.Envios()[0].Proximo, b.ahora.addSecs(120));
        QCOMPARE(CargarPendientes(b.ruta).Envios.value(0).Intentos, 2);
    } else {
        // Nothing more ever goes: the result is final.
        const qsizetype mensajes = par.recibidos.size();
        b.ahora = b.ahora.addDays(1);
        b.e.Revisar();
        QTest::qWait(50);
        QCOMPARE(par.recibidos.size(), mensajes);
        QVERIFY(!b.e.ProximaRevision());
    }
}

void TestEnviosPendientes::apagadoLuegoEncendido() {
    const quint16 puerto = PuertoCerrado();
    Buzon b;
    b.e.Anadir({"127.0.0.1", puerto, "Apagado"}, Nota(QStringLiteral("espera")));
    QCOMPARE(b.e.ProximaRevision(), kInicio.addSecs(60));
    QVERIFY(b.Intentar());
    QCOMPARE(b.e.Envios().value(0).Intentos, 2);
    QCOMPARE(b.entregadas.size() + b.terminadas.size(), 0);
    // Nothing is tried before its time.
    b.e.Revisar();
    QCOMPARE(b.e.EnCurso(), quint64(0));

    ParGuionado par({});
    par.servidor.close();
    QVERIFY(par.servidor.listen(QHostAddress::LocalHost, puerto));
    QVERIFY(b.Intentar());
    QCOMPARE(b.entregadas.size(), 1);
    QCOMPARE(b.entregadas[0][0].value<EnvioPendiente>().Nombre, QStringLiteral("Apagado"));
    QCOMPARE(b.Notas(par), 1);
    QVERIFY(b.e.Envios().isEmpty());
    QVERIFY(!QFile::exists(b.ruta));
    b.ahora = b.ahora.addDays(2);
    b.e.Revisar();
    QTest::qWait(50);
    QCOMPARE(b.Notas(par), 1);
    QCOMPARE(b.entregadas.size(), 1);
}

void TestEnviosPendientes::tableroReiniciado() {
    ParGuionado par({});
    QString ruta;
    QTemporaryDir dir;
    ruta = dir.filePath(QStringLiteral("pinaco.PEN"));
    {
        Buzon antes;
        antes.e.Anadir({"127.0.0.1", par.Puerto(), "Otro"}, Nota(QStringLiteral("tras reiniciar")));
        QVERIFY(QFile::copy(antes.ruta, ruta));
    }
    Buzon b;
    const ResultadoCargaPendientes leido = CargarPendientes(ruta);
    QCOMPARE(leido.Envios.size(), 1);
    b.ruta = ruta;
    b.e.Cargar(leido.Envios);
    QCOMPARE(b.guardados, 0);
    b.ahora = kInicio.addSecs(3600);
    QVERIFY(b.Intentar());
    QCOMPARE(b.entregadas.size(), 1);
    QCOMPARE(b.Notas(par), 1);
    QVERIFY(par.recibidos.contains("TEXT:tras reiniciar"));
    QVERIFY(!QFile::exists(ruta));
}

void TestEnviosPendientes::sieteDias() {
    Buzon b;
    b.e.Anadir({"127.0.0.1", PuertoCerrado(), "Nadie"}, Nota(QStringLiteral("nunca")));
    int intentos = 0;
    while (b.terminadas.isEmpty() && intentos < 2000 && b.Intentar())
        ++intentos;
    // At 1, 3, 8 and 18 minutes, then every quarter of an hour up to the week's end.
    QCOMPARE(intentos, 3 + (7 * 24 * 60 - 18) / 15 + 1 + 1);
    QCOMPARE(b.terminadas.size(), 1);
    QCOMPARE(b.terminadas[0][1].toString(), MotivosPendientes::Caducada());
    QCOMPARE(b.ahora, kInicio.addDays(7));
    QVERIFY(b.e.Envios().isEmpty());
    QVERIFY(!QFile::exists(b.ruta));
}

void TestEnviosPendientes::enviarAhoraYCancelar() {
    ParGuionado par(Guion{{"HOLA", ""}});
    Buzon b;
    const quint64 primero = b.e.Anadir({"127.0.0.1", par.Puerto(), "1"}, Nota("uno"));
    b.ahora = b.ahora.addSecs(10);
    const quint64 segundo = b.e.Anadir({"127.0.0.1", par.Puerto(), "2"}, Nota("dos"));
    QVERIFY(b.e.EnviarAhora(segundo));
    QVERIFY(*b.e.ProximaRevision() <= b.ahora);
    b.e.Revisar();
    QCOMPARE(b.e.EnCurso(), segundo);
    // Dropped mid-way: its end is never heard, and the other one goes on.
    QVERIFY(b.e.Cancelar(segundo));
    QCOMPARE(b.e.EnCurso(), quint64(0));
    QCOMPARE(b.e.Envios().size(), 1);
    QCOMPARE(CargarPendientes(b.ruta).Envios.size(), 1);
    QTest::qWait(400);
    QCOMPARE(b.e.Envios().value(0).Id, primero);
    QCOMPARE(b.e.Envios().value(0).Intentos, 1);
    QVERIFY(!b.e.Cancelar(segundo));
    QVERIFY(!b.e.EnviarAhora(segundo));
    QVERIFY(b.e.Cancelar(primero));
    QVERIFY(!QFile::exists(b.ruta));
    QCOMPARE(b.entregadas.size() + b.terminadas.size(), 0);
}

QTEST_GUILESS_MAIN(TestEnviosPendientes)
#include "test_enviospendientes.moc"
