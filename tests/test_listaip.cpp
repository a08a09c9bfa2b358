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

// Pairs "address|pattern" separated by ";".
void TestListaIP::coincidenciaConPatron() {
    const auto comprobar = [](const QString& pares, bool coincide) {
        for (const QString& par : pares.split(';'))
            QVERIFY2(ListaIP::IPCoincideConPatron(par.section('|', 0, 0), par.section('|', 1)) ==
                         coincide,
                     qPrintable(par));
    };
    // "*" takes an empty segment; the rest after a last "*" is not read.
    comprobar("192.168.1.77|192.168.1.*;1..3.4|1.*.3.4;1.2.3.4|1.2.3.*.9.9;|1.2.3.4", true);
    comprobar("192.168.1.50|192.168.1.5;192.168.1.5|192.168.1.50;a.b.c.d|A.b.c.d;"
              "192.168.2.77|192.168.1.*;192.168.1.5|192.168.*;12.2.3.4|1*.2.3.4;"
              "1.2.3.4|1.2.3.4.5;1.2.3.4.|1.2.3.4;1.2.3.4|*;1.2.3.4|",
              false);
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

// Entries read after one already in the list; an empty dump: the file fails and the list
// stays as it was.
void TestListaIP::leerArchivo_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("volcado");
    const auto fila = [](const char* caso, const QByteArray& bytes, const QString& volcado) {
        QTest::newRow(caso) << bytes << volcado;
    };
    fila("no wildcard: appended", "1.2.3.4\r\nAna\r\n2223\r\n1\r\n",
         "/1.2.3.4|Ana|2223|1" + kComodin);
    fila("stored wildcard kept, any non-zero mark accepts",
         "*.*.*.*\r\nTodos\r\n5\r\n-1\r\n9.9.9.9\r\nB\r\n6\r\n0\r\n",
         "/*.*.*.*|Todos|5|1/9.9.9.9|B|6|0");
    fila("LF line ends, trailing empty lines", "a\nA\n7\n1\nb\r\nB\n8\n0\n\r\n\n",
         "/a|A|7|1/b|B|8|0" + kComodin);
    fila("Ctrl-Z ends the file",
         "a\r\nA\r\n7\r\n0\r\n\x1A"
         "b\r\n",
         "/a|A|7|0" + kComodin);
    fila("cut short: numbers read 0", "a\r\nA", "/a|A|0|0" + kComodin);
    fila("error in the second entry", "a\r\nA\r\n22\r\n1\r\nb\r\nB\r\n4294967296\r\n1\r\n",
         QString());
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
    QCOMPARE(lista.CargarListaIP(carpeta.path()), ErrorArchivo::NoSePuedeLeer);

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
    // A field the file cannot hold fails the save before the file is touched. A full disk is
    // the notes file's test, which fills both.
    for (const auto& [ip, nombre] : {std::pair{"1.1.1.1", QString::fromUtf8("Ana 中")},
                                     {"1.1.1.1", QString("Ana\x1A")},
                                     {"1.1.1.1\r", "Ana"}}) {
        QCOMPARE(ListaCon({{ip, nombre, true, 1}}).GuardarListaIP(ruta),
                 ErrorArchivo::TextoNoGuardable);
        QCOMPARE(LeerBytes(ruta), guardado);
    }
    QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files), QStringList({"Pinaco.NET"}));
}

QTEST_GUILESS_MAIN(TestListaIP)
#include "test_listaip.moc"
