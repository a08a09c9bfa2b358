#include "storage/ListaIP.h"
#include "tests/ArchivosPrueba.h"
#include "tests/DispositivoQueFalla.h"

#include <QFile>
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

// Every entry as "ip|name|port|accepted", head first.
QStringList Volcado(const ListaIP& lista) {
    QStringList volcado;
    for (const nodoListaIP& n : lista.Entradas())
        volcado << QStringLiteral("%1|%2|%3|%4")
                       .arg(n.IP, n.Nombre)
                       .arg(n.Puerto)
                       .arg(int(n.Permitido));
    return volcado;
}

const QString kVolcadoComodin = QStringLiteral("*.*.*.*|(Desconocido)|2222|0");

void Patron(const char* caso, const char* ip, const char* patron, bool coincide) {
    QTest::newRow(caso) << QString(ip) << QString(patron) << coincide;
}

} // namespace

class TestListaIP : public QObject {
    Q_OBJECT

private slots:
    void coincidenciaConPatron_data();
    void coincidenciaConPatron();
    void permisoPorEntradaOPatron_data();
    void permisoPorEntradaOPatron();
    void consultasExactasYRepetidas();
    void addIPNoMueveLasEntradas();

    void leerArchivo_data();
    void leerArchivo();
    void cargarYGuardar();
    void camposNoGuardablesNoTocanElArchivo_data();
    void camposNoGuardablesNoTocanElArchivo();
    void escrituraQueFallaSeInforma();
};

void TestListaIP::coincidenciaConPatron_data() {
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("patron");
    QTest::addColumn<bool>("coincide");
    Patron("same", "192.168.1.5", "192.168.1.5", true);
    Patron("longer segment", "192.168.1.50", "192.168.1.5", false);
    Patron("shorter segment", "192.168.1.5", "192.168.1.50", false);
    Patron("case counts", "a.b.c.d", "A.b.c.d", false);
    Patron("last *", "192.168.1.77", "192.168.1.*", true);
    Patron("third differs", "192.168.2.77", "192.168.1.*", false);
    Patron("address of three segments", "192.168.1", "192.168.1.*", false);
    Patron("pattern of three segments", "192.168.1.5", "192.168.*", false);
    Patron("wildcard entry", "1.2.3.4", "*.*.*.*", true);
    Patron("* takes an empty segment", "1..3.4", "1.*.3.4", true);
    Patron("* only as a whole segment", "12.2.3.4", "1*.2.3.4", false);
    Patron("* is no prefix", "1.2.3.4", "*2.2.3.4", false);
    Patron("rest after a last * unread", "1.2.3.4", "1.2.3.*.9.9", true);
    Patron("pattern one segment longer", "1.2.3.4", "1.2.3.4.5", false);
    Patron("address one segment longer", "1.2.3.4.5", "1.2.3.4", false);
    Patron("address ends in a dot", "1.2.3.4.", "1.2.3.4", false);
    Patron("one * against four", "1.2.3.4", "*", false);
    Patron("empty address", "", "1.2.3.4", true);
    Patron("empty pattern", "1.2.3.4", "", false);
}

void TestListaIP::coincidenciaConPatron() {
    QFETCH(QString, ip);
    QFETCH(QString, patron);
    QFETCH(bool, coincide);
    QCOMPARE(ListaIP::IPCoincideConPatron(ip, patron), coincide);
}

// Whether the address is accepted with the wildcard entry refused; accepted, it admits all.
void TestListaIP::permisoPorEntradaOPatron_data() {
    QTest::addColumn<QString>("ip");
    QTest::addColumn<bool>("permitida");
    // An accepted pattern admits an address whose own entry is refused.
    QTest::newRow("own refused, pattern accepted") << "192.168.1.5" << true;
    QTest::newRow("pattern only") << "192.168.1.9" << true;
    QTest::newRow("own accepted") << "10.0.0.1" << true;
    QTest::newRow("pattern refused") << "172.16.0.3" << false;
    QTest::newRow("no entry") << "10.0.0.2" << false;
    QTest::newRow("an empty entry admits nobody") << "8.8.8.8" << false;
}

void TestListaIP::permisoPorEntradaOPatron() {
    QFETCH(QString, ip);
    QFETCH(bool, permitida);
    for (const bool comodin : {false, true}) {
        const ListaIP lista = ListaCon({{"192.168.1.5", "Ana", false, 2222},
                                        {"192.168.1.*", "Oficina", true, 2222},
                                        {"10.0.0.1", "Luis", true, 3000},
                                        {"172.16.*.*", "Fuera", false, 2222},
                                        {"", "", true, 0},
                                        {kIPComodin, kNombreComodin, comodin, 2222}});
        QCOMPARE(lista.IPPermitida(ip), permitida || comodin);
    }
}

// Exact lookups use no patterns and find the first of repeated entries only.
void TestListaIP::consultasExactasYRepetidas() {
    ListaIP lista = ListaCon({{"192.168.1.*", "Oficina", true, 4000},
                              {"1.1.1.1", "Primera", false, 1},
                              {"1.1.1.1", "Segunda", true, 3}});
    QVERIFY(lista.IPPermitida("192.168.1.9") && !lista.ExisteIP("192.168.1.9"));
    QVERIFY(!lista.PermisoExactoIP("192.168.1.9") && lista.NombreDeIP("192.168.1.9").isNull());
    QCOMPARE(lista.PuertoDeIP("192.168.1.9"), 0);
    lista.CambiarPermisoIP("1.1.1.1");
    lista.CambiarPermisoIP("1.1.1.*"); // no such entry: nothing changes
    lista.BorrarIP("1.1.1.2");
    QCOMPARE(Volcado(lista), QStringList({"192.168.1.*|Oficina|4000|1", "1.1.1.1|Primera|1|1",
                                          "1.1.1.1|Segunda|3|1"}));
    lista.BorrarIP("1.1.1.1");
    QCOMPARE(Volcado(lista), QStringList({"192.168.1.*|Oficina|4000|1", "1.1.1.1|Segunda|3|1"}));
}

// The note server holds on to entries: adding, even the same address, must not move them.
void TestListaIP::addIPNoMueveLasEntradas() {
    ListaIP lista = ListaCon({{"1.1.1.1", "Uno", true, 10}});
    const nodoListaIP* primera = &lista.Entradas().front();
    lista.AddIP("2.2.2.2", "Dos", false, 20);
    lista.AddIP("1.1.1.1", "Uno bis", false, 30);
    QVERIFY(lista.BuscarIP("1.1.1.1") == primera && &lista.Entradas().front() == primera);
    QCOMPARE(Volcado(lista).last(), QString("1.1.1.1|Uno bis|30|0"));
}

// Entries read after one already in the list; no entries expected: the file fails and the
// list stays as it was.
void TestListaIP::leerArchivo_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("volcado");
    QTest::newRow("empty") << QByteArray() << QStringList{kVolcadoComodin};
    QTest::newRow("no wildcard: appended") << QByteArray("1.2.3.4\r\nAna\r\n2223\r\n1\r\n")
                                           << QStringList{"1.2.3.4|Ana|2223|1", kVolcadoComodin};
    QTest::newRow("stored wildcard kept, any non-zero mark accepts")
        << QByteArray("*.*.*.*\r\nTodos\r\n5\r\n-1\r\n9.9.9.9\r\nB\r\n6\r\n0\r\n")
        << QStringList{"*.*.*.*|Todos|5|1", "9.9.9.9|B|6|0"};
    QTest::newRow("trailing empty lines: no entry")
        << QByteArray("a\r\nA\r\n1\r\n1\r\n\r\n\n") << QStringList{"a|A|1|1", kVolcadoComodin};
    QTest::newRow("CR only line ends")
        << QByteArray("a\rA\r7\r1\r") << QStringList{"a|A|7|1", kVolcadoComodin};
    QTest::newRow("LF line ends, as a Linux editor leaves them")
        << QByteArray("a\nA\n7\n1\nb\r\nB\n8\n0\n")
        << QStringList{"a|A|7|1", "b|B|8|0", kVolcadoComodin};
    QTest::newRow("Ctrl-Z ends the file") << QByteArray("a\r\nA\r\n7\r\n0\r\n\x1A"
                                                        "basura\r\n")
                                          << QStringList{"a|A|7|0", kVolcadoComodin};
    QTest::newRow("cut short: numbers read 0")
        << QByteArray("a\r\nA") << QStringList{"a|A|0|0", kVolcadoComodin};
    QTest::newRow("Windows-1252") << QByteArray("a\r\nJos\xe9 \x80\r\n1\r\n0\r\n")
                                  << QStringList{QString::fromUtf8("a|José €|1|0"),
                                                 kVolcadoComodin};
    QTest::newRow("mark with letters") << QByteArray("a\r\nA\r\n22\r\nsi\r\n") << QStringList();
    QTest::newRow("error in the second entry")
        << QByteArray("a\r\nA\r\n22\r\n1\r\nb\r\nB\r\n2.5\r\n1\r\n") << QStringList();
    QTest::newRow("port past 32 bits")
        << QByteArray("a\r\nA\r\n4294967296\r\n1\r\n") << QStringList();
}

void TestListaIP::leerArchivo() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, volcado);
    ListaIP lista = ListaCon({{"1.1.1.1", "Uno", true, 10}});
    QCOMPARE(lista.LeerListaIP(bytes),
             volcado.isEmpty() ? ErrorArchivo::NumeroNoValido : ErrorArchivo::Ninguno);
    QCOMPARE(Volcado(lista), QStringList{"1.1.1.1|Uno|10|1"} + volcado);
}

void TestListaIP::cargarYGuardar() {
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.NET");
    ListaIP lista;
    QCOMPARE(lista.CargarListaIP(ruta), ErrorArchivo::Ninguno); // a missing file is no error
    QCOMPARE(Volcado(lista), QStringList{kVolcadoComodin});
    QVERIFY(!QFile::exists(ruta));
    QCOMPARE(lista.CargarListaIP(carpeta.path()), ErrorArchivo::NoSePuedeLeer);

    // Byte for byte, the five bytes Windows-1252 leaves undefined too. Saving adds the
    // wildcard entry and never stores a temporary withdrawal.
    QByteArray nombreRaro;
    for (int b = 0x20; b <= 0xFF; ++b)
        nombreRaro += char(b);
    const QByteArray original = "192.168.*.*\r\n\x81\x8D\x8F\x90\x9D\r\n-2147483648\r\n1\r\n"
                                "\r\n\r\n0\r\n0\r\n"
                                "9.9.9.9\r\n" +
                                nombreRaro + "\r\n2147483647\r\n1\r\n";
    const QByteArray guardado = original + "*.*.*.*\r\n(Desconocido)\r\n2222\r\n0\r\n";
    EscribirBytes(ruta, original);
    ListaIP leida;
    QCOMPARE(leida.CargarListaIP(ruta), ErrorArchivo::Ninguno);
    leida.BorrarIP(kIPComodin);
    nodoListaIP* nodo = leida.BuscarIP("9.9.9.9");
    nodo->FechaRetiro = "01-01-2024";
    nodo->HoraRetiro = "10:00:00";
    nodo->NotasRecibidas.append(nodoListaNotaRecibida{"01-01-2024", "09:59:59"});
    QCOMPARE(leida.GuardarListaIP(ruta), ErrorArchivo::Ninguno);
    QCOMPARE(LeerBytes(ruta), guardado);
    // A plain file where the folder should be: no user, root included, can write there.
    QCOMPARE(leida.GuardarListaIP(ruta + "/Pinaco.NET"), ErrorArchivo::NoSePuedeEscribir);
    QCOMPARE(LeerBytes(ruta), guardado);
}

void TestListaIP::camposNoGuardablesNoTocanElArchivo_data() {
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("nombre");
    QTest::newRow("outside Windows-1252") << "1.1.1.1" << QString::fromUtf8("Ana 中");
    QTest::newRow("Ctrl-Z would cut the file") << "1.1.1.1" << QString("Ana\x1A");
    QTest::newRow("CR in the address") << "1.1.1.1\r" << QString("Ana");
}

void TestListaIP::camposNoGuardablesNoTocanElArchivo() {
    QFETCH(QString, ip);
    QFETCH(QString, nombre);
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.NET");
    const QByteArray previo = "9.9.9.9\r\nPrevio\r\n1\r\n1\r\n";
    EscribirBytes(ruta, previo);
    ListaIP lista = ListaCon({{ip, nombre, true, 1}});
    QCOMPARE(lista.GuardarListaIP(ruta), ErrorArchivo::TextoNoGuardable);
    QCOMPARE(LeerBytes(ruta), previo);
    QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files), QStringList({"Pinaco.NET"}));
}

void TestListaIP::escrituraQueFallaSeInforma() {
    ListaIP lista = ListaCon({{"1.1.1.1", "Uno", true, 1}});
    const QByteArray completo = "1.1.1.1\r\nUno\r\n1\r\n1\r\n";
    for (qint64 capacidad = 0; capacidad <= completo.size(); ++capacidad) {
        DispositivoQueFalla dispositivo(capacidad);
        QCOMPARE(lista.EscribirListaIP(dispositivo), capacidad < completo.size()
                                                         ? ErrorArchivo::NoSePuedeEscribir
                                                         : ErrorArchivo::Ninguno);
        QCOMPARE(dispositivo.Escrito(), completo.first(capacidad));
    }
}

QTEST_GUILESS_MAIN(TestListaIP)
#include "test_listaip.moc"
