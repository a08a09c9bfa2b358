#include "storage/ListaIP.h"
#include "tests/ArchivosPrueba.h"

#include <QTemporaryDir>
#include <QtTest>
#include <tuple>

namespace {

ListaIP ListaCon(std::initializer_list<std::tuple<QString, QString, bool, qint32>> entradas) {
    ListaIP lista;
    for (const auto& [ip, nombre, permitido, puerto] : entradas)
        lista.AddIP(ip, nombre, permitido, puerto);
    return lista;
}

// Every entry as "ip|name|port|accepted", head first, entries joined by "/".
QString Volcado(const ListaIP& lista) {
    QStringList volcado;
    for (const nodoListaIP& n : lista.Entradas())
        volcado << QStringLiteral("%1|%2|%3|%4").arg(n.IP, n.Nombre).arg(n.Puerto).arg(n.Permitido);
    return volcado.join('/');
}

const QString kComodin = QStringLiteral("/*.*.*.*|(Desconocido)|2222|0");

} // namespace

class TestListaIP : public QObject {
    Q_OBJECT

private slots:
    void coincidenciaConPatron();
    void consultas();
    void leerArchivo_data();
    void leerArchivo();
    void cargarYGuardar();
};

// Pairs "address|pattern" separated by ";". "*" takes an empty segment; the rest after a last
// "*" is not read.
void TestListaIP::coincidenciaConPatron() {
    for (auto [pares, coincide] :
         {std::pair{"192.168.1.77|192.168.1.*;1..3.4|1.*.3.4;1.2.3.4|1.2.3.*.9.9;|1.2.3.4", true},
          {"192.168.1.50|192.168.1.5;192.168.1.5|192.168.1.50;a.b.c.d|A.b.c.d;"
           "192.168.2.77|192.168.1.*;192.168.1.5|192.168.*;12.2.3.4|1*.2.3.4;"
           "1.2.3.4|1.2.3.4.5;1.2.3.4.|1.2.3.4;1.2.3.4|*;1.2.3.4|",
           false}})
        for (const QString& par : QString(pares).split(';'))
            QVERIFY2(ListaIP::IPCoincideConPatron(par.section('|', 0, 0), par.section('|', 1)) ==
                         coincide,
                     qPrintable(par));
}

// Exact lookups use no patterns and find the first of repeated entries only; adding, even
// the same address, must not move the entries the note server holds on to.
void TestListaIP::consultas() {
    ListaIP lista = ListaCon({{"192.168.1.*", "Oficina", true, 4000},
                              {"1.1.1.1", "Primera", false, 1},
                              {"1.1.1.1", "Segunda", true, 3}});
    const nodoListaIP* primera = &lista.Entradas().front();
    // An accepted pattern admits an address whose own entry is refused; an accepted wildcard
    // entry admits all, an empty entry nobody.
    for (const bool comodin : {false, true}) {
        ListaIP otra = ListaCon({{"1.1.1.5", "Ana", false, 1},
                                 {"1.1.1.*", "", true, 1},
                                 {"1.1.2.*", "", false, 1},
                                 {"", "", true, 0},
                                 {kIPComodin, kNombreComodin, comodin, 1}});
        QVERIFY(otra.IPPermitida("1.1.1.5") && otra.IPPermitida("1.1.1.9"));
        QCOMPARE(otra.IPPermitida("1.1.2.1"), comodin);
        QCOMPARE(otra.IPPermitida("8.8.8.8"), comodin);
    }
    QVERIFY(lista.IPPermitida("192.168.1.9") && !lista.ExisteIP("192.168.1.9"));
    QVERIFY(!lista.PermisoExactoIP("192.168.1.9") && lista.NombreDeIP("192.168.1.9").isNull());
    QCOMPARE(lista.PuertoDeIP("192.168.1.9"), 0);
    lista.CambiarPermisoIP("1.1.1.1");
    lista.CambiarPermisoIP("1.1.1.*"); // no such entry: nothing changes
    lista.BorrarIP("1.1.1.1");
    lista.AddIP("192.168.1.*", "Otra", false, 5);
    QVERIFY(&lista.Entradas().front() == primera);
    QCOMPARE(Volcado(lista), "192.168.1.*|Oficina|4000|1/1.1.1.1|Segunda|3|1/192.168.1.*|Otra|5|0");
}

// Entries read after one already in the list; no dump: the file fails, the list unchanged.
void TestListaIP::leerArchivo_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("volcado");
    QTest::newRow("no wildcard: appended")
        << QByteArray("1.2.3.4\r\nAna\r\n2223\r\n1\r\n") << "/1.2.3.4|Ana|2223|1" + kComodin;
    QTest::newRow("stored wildcard kept, any non-zero mark accepts")
        << QByteArray("*.*.*.*\r\nTodos\r\n5\r\n-1\r\n9.9.9.9\r\nB\r\n6\r\n0\r\n")
        << QString("/*.*.*.*|Todos|5|1/9.9.9.9|B|6|0");
    QTest::newRow("LF line ends, trailing empty lines")
        << QByteArray("a\nA\n7\n1\nb\r\nB\n8\n0\n\r\n\n") << "/a|A|7|1/b|B|8|0" + kComodin;
    QTest::newRow("cut short: numbers read 0") << QByteArray("a\r\nA") << "/a|A|0|0" + kComodin;
    QTest::newRow("error in the second entry")
        << QByteArray("a\r\nA\r\n22\r\n1\r\nb\r\nB\r\n4294967296\r\n1\r\n") << QString();
}

void TestListaIP::leerArchivo() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, volcado);
    ListaIP lista = ListaCon({{"1.1.1.1", "Uno", true, 10}});
    QCOMPARE(lista.LeerListaIP(bytes),
             volcado.isEmpty() ? ErrorArchivo::NumeroNoValido : ErrorArchivo::Ninguno);
    QCOMPARE(Volcado(lista), "1.1.1.1|Uno|10|1" + volcado);
}

void TestListaIP::cargarYGuardar() {
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.NET");
    ListaIP lista;
    QCOMPARE(lista.CargarListaIP(ruta), ErrorArchivo::Ninguno); // a missing file is no error
    QCOMPARE(Volcado(lista), kComodin.mid(1));

    // Byte for byte, the five bytes Windows-1252 leaves undefined too. Saving adds the
    // wildcard entry and never stores a temporary withdrawal.
    QByteArray nombreRaro;
    for (int b = 0x20; b <= 0xFF; ++b)
        nombreRaro += char(b);
    const QByteArray original = "192.168.*.*\r\n\x81\x8D\x8F\x90\x9D\r\n-2147483648\r\n1\r\n"
                                "\r\n\r\n0\r\n0\r\n9.9.9.9\r\n" +
                                nombreRaro + "\r\n2147483647\r\n1\r\n";
    const QByteArray guardado = original + "*.*.*.*\r\n(Desconocido)\r\n2222\r\n0\r\n";
    EscribirBytes(ruta, original);
    QCOMPARE(lista.CargarListaIP(ruta), ErrorArchivo::Ninguno);
    lista.BorrarIP(kIPComodin);
    nodoListaIP* nodo = lista.BuscarIP("9.9.9.9");
    nodo->FechaRetiro = "01-01-2024";
    nodo->HoraRetiro = "10:00:00";
    QCOMPARE(lista.GuardarListaIP(ruta), ErrorArchivo::Ninguno);
    QCOMPARE(LeerBytes(ruta), guardado);
    // A plain file where the folder should be: no user, root included, can write there.
    QCOMPARE(lista.GuardarListaIP(ruta + "/Pinaco.NET"), ErrorArchivo::NoSePuedeEscribir);
    QCOMPARE(LeerBytes(ruta), guardado);
    // What the file cannot carry, a line end included, is written as one "?" each, and no
    // other entry is lost; the list itself keeps its texts.
    ListaIP rara = ListaCon({{"1.1.1.1", "Ana", true, 3000},
                             {"10.0.0.3", "Zo\u00EB \U0001F642 \u65E5\u672C", true, 3000},
                             {"1.\u00B9.1.*", "a\rb\nc\x1A\u20AC", false, 2},
                             {"2.2.2.2", "Bea", false, 4}});
    QCOMPARE(rara.GuardarListaIP(ruta), ErrorArchivo::Ninguno);
    QCOMPARE(LeerBytes(ruta), QByteArray("1.1.1.1\r\nAna\r\n3000\r\n1\r\n"
                                         "10.0.0.3\r\nZo\xEB ? ??\r\n3000\r\n1\r\n"
                                         "1.\xB9.1.*\r\na?b?c?\x80\r\n2\r\n0\r\n"
                                         "2.2.2.2\r\nBea\r\n4\r\n0\r\n") +
                                  kComodin.mid(1).replace('|', "\r\n").toLatin1() + "\r\n");
    QCOMPARE(rara.NombreDeIP("2.2.2.2"), "Bea");
    QVERIFY(rara.NombreDeIP("10.0.0.3").endsWith(u"\u65E5\u672C"));
}

QTEST_GUILESS_MAIN(TestListaIP)
#include "test_listaip.moc"
