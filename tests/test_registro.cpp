#include "core/MarcasTiempo.h"
#include "net/EscritorLog.h"
#include "net/LineasLog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

DatosNota NotaRecibida(const QString& nombre, const QString& texto, int dia = 5) {
    DatosNota nota;
    nota.DayCreated = quint8(dia);
    nota.MonthCreated = 1;
    nota.YearCreated = 2000;
    nota.ReceivedTime = QStringLiteral("14:03:22");
    nota.ReceivedFromIP = QStringLiteral("192.168.0.7");
    nota.ReceivedFromUser = nombre;
    nota.Texto = texto;
    return nota;
}

QByteArray Leer(const QString& ruta) {
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray("(no existe)");
}

} // namespace

class TestRegistro : public QObject {
    Q_OBJECT
private slots:
    void lineas_data();
    void lineas();
    void escritor();
};

void TestRegistro::lineas_data() {
    QTest::addColumn<QString>("linea");
    QTest::addColumn<QByteArray>("bytes");
    const QDateTime momento(QDate(2000, 1, 5), QTime(14, 3, 22));
    QTest::newRow("nota, nombre y texto")
        << LineaNotaRecibida(NotaRecibida("Oficina", "Llamar a\r\nlas cinco"), {true, true})
        << QByteArray("(05-Ene-2000  14:03:22)  Recibida Nota de: 192.168.0.7  (Oficina)  "
                      "TEXTO: Llamar a las cinco");
    QTest::newRow("nombre vacio") << LineaNotaRecibida(NotaRecibida("", "x"), {true, false})
                                  << QByteArray("(05-Ene-2000  14:03:22)  Recibida Nota de: "
                                                "192.168.0.7  ()");
    QTest::newRow("tres lineas, dia de dos cifras")
        << LineaNotaRecibida(NotaRecibida("Peñón", "uno\r\ndos\rtres\n€", 25), {false, true})
        << QByteArray("(25-Ene-2000  14:03:22)  Recibida Nota de: 192.168.0.7  TEXTO: uno dos "
                      "tres\x80");
    QTest::newRow("nombre en Windows-1252")
        << LineaNotaRecibida(NotaRecibida("Peñón", ""), {true, false})
        << QByteArray("(05-Ene-2000  14:03:22)  Recibida Nota de: 192.168.0.7  (Pe\xF1\xF3n)");
    QTest::newRow("acceso no permitido") << LineaIntentoNoPermitido(momento, "10.0.0.9", "")
                                         << QByteArray("(05-Ene-2000  14:03:22)  >>> INTENTO DE "
                                                       "ACCESO DESDE IP NO PERMITIDO: 10.0.0.9");
    QTest::newRow("acceso no permitido, con nombre")
        << LineaIntentoNoPermitido(momento.addMonths(11), "10.0.0.9", "Sala")
        << QByteArray("(05-Dic-2000  14:03:22)  >>> INTENTO DE ACCESO DESDE IP NO PERMITIDO: "
                      "10.0.0.9  (Sala)");
    const CambioPermiso cambio{"05-01-2000", "14:03:22", "192.168.0.7", "Oficina"};
    QTest::newRow("retiro temporal")
        << LineaRetiro(cambio, {false, true, 5})
        << QByteArray("(05-Ene-2000  14:03:22)  >>> RETIRADO PERMISO TEMPORALMENTE (5 minutos ) "
                      "A 192.168.0.7  (Oficina)");
    QTest::newRow("retiro permanente, sin nombre")
        << LineaRetiro({"09-08-2021", "08:00:01", "10.0.0.1", ""}, {true, false, 5})
        << QByteArray("(09-Ago-2021  08:00:01)  >>> RETIRADO PERMISO PERMANENTEMENTE A 10.0.0.1");
    QTest::newRow("restitucion")
        << LineaRestitucion({"05-01-2000", "14:08:30", "192.168.0.7", "Oficina"})
        << QByteArray("(05-Ene-2000  14:08:30)  >>> RESTITUIDO PERMISO A 192.168.0.7  (Oficina)");
    QTest::newRow("marca") << MarcaLog(QDateTime(QDate(2024, 2, 29), QTime(0, 0, 7)))
                           << QByteArray("(29-Feb-2024  00:00:07)  ");
}

// Byte for byte as it lands in the file, CR LF included.
void TestRegistro::lineas() {
    QFETCH(QString, linea);
    QFETCH(QByteArray, bytes);
    QTemporaryDir carpeta;
    EscritorLog escritor(carpeta.path());
    QVERIFY(escritor.EscribirLineaLog(QStringLiteral("pinaco.log"), linea));
    QCOMPARE(Leer(carpeta.filePath("pinaco.log")), bytes + "\r\n");
}

void TestRegistro::escritor() {
    QTemporaryDir carpeta;
    QTemporaryDir actual;
    const QString antes = QDir::currentPath();
    QDir::setCurrent(actual.path());
    QStringList avisos;
    EscritorLog escritor(carpeta.path(), [&](const QString& aviso) { avisos << aviso; });

    // A relative name is beside the data files, whatever the current folder.
    QVERIFY(escritor.EscribirLineaLog("registro.txt", "uno"));
    QVERIFY(escritor.EscribirLineaLog(carpeta.filePath("registro.txt"), "dos"));
    QCOMPARE(Leer(carpeta.filePath("registro.txt")), QByteArray("uno\r\ndos\r\n"));
    QVERIFY(!QFile::exists(actual.filePath("registro.txt")));

    // A failing name is told once, however many lines fail; another one is told again.
    for (int i = 0; i < 3; ++i) {
        QVERIFY(!escritor.EscribirLineaLog("no/existe.log", "x"));
        QVERIFY(!escritor.EscribirLineaLog(carpeta.path(), "x"));
        QVERIFY(!escritor.EscribirLineaLog("", "x"));
    }
    QCOMPARE(avisos.size(), 3);
    QVERIFY(avisos[0].contains(carpeta.filePath("no/existe.log")));
    QVERIFY(escritor.EscribirLineaLog("registro.txt", "cuatro"));
    QVERIFY(Leer(carpeta.filePath("registro.txt")).endsWith("dos\r\ncuatro\r\n"));
    QCOMPARE(avisos.size(), 3);
    QDir::setCurrent(antes);
}

QTEST_GUILESS_MAIN(TestRegistro)
#include "test_registro.moc"
