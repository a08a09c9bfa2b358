#include "net/EscritorLog.h"
#include "net/LineasLog.h"
#include "net/SesionNota.h"
#include "tests/ArchivosPrueba.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

DatosNota NotaRecibida(const QString& nombre, const QString& texto, int dia = 5) {
    DatosNota entrante;
    entrante.Texto = texto;
    DatosNota nota;
    RellenarNotaRecibida(nota, entrante, QDateTime(QDate(2000, 1, dia), QTime(14, 3, 22)),
                         QStringLiteral("192.168.0.7"), nombre);
    return nota;
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
    QTest::newRow("nota, nombre y tres lineas")
        << LineaNotaRecibida(NotaRecibida("Peñón", "uno\r\ndos\rtres\n€", 25), {true, true})
        << QByteArray("(25-Ene-2000  14:03:22)  Recibida Nota de: 192.168.0.7  (Pe\xF1\xF3n)  "
                      "TEXTO: uno dos tres\x80");
    QTest::newRow("nombre vacio, sin texto")
        << LineaNotaRecibida(NotaRecibida("", "x"), {true, false})
        << QByteArray("(05-Ene-2000  14:03:22)  Recibida Nota de: 192.168.0.7  ()");
    QTest::newRow("solo texto") << LineaNotaRecibida(NotaRecibida("Ana", "x"), {false, true})
                                << QByteArray("(05-Ene-2000  14:03:22)  Recibida Nota de: "
                                              "192.168.0.7  TEXTO: x");
    QTest::newRow("acceso no permitido")
        << LineaIntentoNoPermitido(QDateTime(QDate(2000, 12, 5), QTime(14, 3, 22)), "10.0.0.9",
                                   "Sala")
        << QByteArray("(05-Dic-2000  14:03:22)  >>> INTENTO DE ACCESO DESDE IP NO PERMITIDO: "
                      "10.0.0.9  (Sala)");
    QTest::newRow("retiro temporal")
        << LineaRetiro({"05-01-2000", "14:03:22", "192.168.0.7", "Oficina"}, {false, true, 5})
        << QByteArray("(05-Ene-2000  14:03:22)  >>> RETIRADO PERMISO TEMPORALMENTE (5 minutos ) "
                      "A 192.168.0.7  (Oficina)");
    QTest::newRow("retiro permanente, sin nombre")
        << LineaRetiro({"09-08-2021", "08:00:01", "10.0.0.1", ""}, {true, false, 5})
        << QByteArray("(09-Ago-2021  08:00:01)  >>> RETIRADO PERMISO PERMANENTEMENTE A 10.0.0.1");
    QTest::newRow("restitucion")
        << LineaRestitucion({"05-01-2000", "14:08:30", "192.168.0.7", "Oficina"})
        << QByteArray("(05-Ene-2000  14:08:30)  >>> RESTITUIDO PERMISO A 192.168.0.7  (Oficina)");
}

// Byte for byte as it lands in the file, CR LF included.
void TestRegistro::lineas() {
    QFETCH(QString, linea);
    QFETCH(QByteArray, bytes);
    QTemporaryDir carpeta;
    EscritorLog escritor(carpeta.path());
    QVERIFY(escritor.EscribirLineaLog(QStringLiteral("pinaco.log"), linea));
    QCOMPARE(LeerBytes(carpeta.filePath("pinaco.log")), bytes + "\r\n");
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
    QCOMPARE(LeerBytes(carpeta.filePath("registro.txt")), QByteArray("uno\r\ndos\r\n"));
    QVERIFY(!QFile::exists(actual.filePath("registro.txt")));

    // A failing name is told once, however many lines fail; another one is told again.
    for (int i = 0; i < 3; ++i) {
        QVERIFY(!escritor.EscribirLineaLog("no/existe.log", "x"));
        QVERIFY(!escritor.EscribirLineaLog(carpeta.path(), "x"));
    }
    QCOMPARE(avisos.size(), 2);
    QVERIFY(avisos[0].contains(carpeta.filePath("no/existe.log")));
    QDir::setCurrent(antes);
}

QTEST_GUILESS_MAIN(TestRegistro)
#include "test_registro.moc"
