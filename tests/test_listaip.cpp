#include "storage/ListaIP.h"
#include "tests/DispositivoQueFalla.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Entrada {
    QString ip;
    QString nombre;
    bool permitido;
    qint32 puerto;
};

ListaIP ListaCon(const QList<Entrada>& entradas) {
    ListaIP lista;
    for (const Entrada& e : entradas)
        lista.AddIP(e.ip, e.nombre, e.permitido, e.puerto);
    return lista;
}

QStringList IPs(const ListaIP& lista) {
    QStringList ips;
    for (const nodoListaIP& nodo : lista.Entradas())
        ips << nodo.IP;
    return ips;
}

QByteArray LeerBytes(const QString& ruta) {
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

void EscribirBytes(const QString& ruta, const QByteArray& bytes) {
    QFile archivo(ruta);
    QVERIFY(archivo.open(QIODevice::WriteOnly));
    QCOMPARE(archivo.write(bytes), bytes.size());
}

QByteArray BytesDeLista(ListaIP& lista) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const ErrorArchivo error = lista.EscribirListaIP(buffer);
    return error == ErrorArchivo::Ninguno ? buffer.data() : QByteArray("<error>");
}

} // namespace

class TestListaIP : public QObject {
    Q_OBJECT

private slots:
    void coincidenciaConPatron_data();
    void coincidenciaConPatron();
    void permisoPorEntradaOPatron_data();
    void permisoPorEntradaOPatron();
    void consultasExactasNoUsanPatrones();
    void entradasRepetidasSoloCuentaLaPrimera();
    void addIPAnadeAlFinalSinBuscar();
    void cambiarYBorrarSinEntradaNoHacenNada();

    void leerArchivo_data();
    void leerArchivo();
    void archivoConErrorNoCambiaLaLista_data();
    void archivoConErrorNoCambiaLaLista();
    void archivoInexistenteDaSoloElComodin();
    void cargarAnadeTrasLasEntradasExistentes();
    void guardarAnadeComodinYEscribeCuatroLineas();
    void retiroTemporalNoSeGuarda();
    void idaYVueltaByteAByte();
    void camposNoGuardablesNoTocanElArchivo_data();
    void camposNoGuardablesNoTocanElArchivo();
    void escrituraQueFallaSeInforma();
    void carpetaImposibleSeInforma();
};

void TestListaIP::coincidenciaConPatron_data() {
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("patron");
    QTest::addColumn<bool>("coincide");

    QTest::newRow("igual") << "192.168.1.5"
                           << "192.168.1.5" << true;
    QTest::newRow("segmento mas largo") << "192.168.1.50"
                                        << "192.168.1.5" << false;
    QTest::newRow("segmento mas corto") << "192.168.1.5"
                                        << "192.168.1.50" << false;
    QTest::newRow("mayusculas cuentan") << "a.b.c.d"
                                        << "A.b.c.d" << false;
    QTest::newRow("ultimo * coincide") << "192.168.1.77"
                                       << "192.168.1.*" << true;
    QTest::newRow("difiere el primero") << "10.168.1.77"
                                        << "192.168.1.*" << false;
    QTest::newRow("difiere el segundo") << "192.169.1.77"
                                        << "192.168.1.*" << false;
    QTest::newRow("difiere el tercero") << "192.168.2.77"
                                        << "192.168.1.*" << false;
    QTest::newRow("direccion de tres segmentos") << "192.168.1"
                                                 << "192.168.1.*" << false;
    QTest::newRow("patron de tres segmentos") << "192.168.1.5"
                                              << "192.168.*" << false;
    QTest::newRow("comodin total") << "1.2.3.4"
                                   << "*.*.*.*" << true;
    QTest::newRow("* en medio") << "1.200.3.4"
                                << "1.*.3.4" << true;
    QTest::newRow("* acepta segmento vacio") << "1..3.4"
                                             << "1.*.3.4" << true;
    QTest::newRow("* solo al inicio de segmento") << "12.2.3.4"
                                                  << "1*.2.3.4" << false;
    QTest::newRow("* no es prefijo") << "1.2.3.4"
                                     << "*2.2.3.4" << false;
    QTest::newRow("tras * final no se mira el resto") << "1.2.3.4"
                                                      << "1.2.3.*.9.9" << true;
    QTest::newRow("patron con segmento de mas") << "1.2.3.4"
                                                << "1.2.3.4.5" << false;
    QTest::newRow("direccion con segmento de mas") << "1.2.3.4.5"
                                                   << "1.2.3.4" << false;
    QTest::newRow("direccion acaba en punto") << "1.2.3.4."
                                              << "1.2.3.4" << false;
    QTest::newRow("un solo * frente a cuatro") << "1.2.3.4"
                                               << "*" << false;
    QTest::newRow("direccion vacia") << ""
                                     << "1.2.3.4" << true;
    QTest::newRow("ambos vacios") << ""
                                  << "" << true;
    QTest::newRow("patron vacio") << "1.2.3.4"
                                  << "" << false;
}

void TestListaIP::coincidenciaConPatron() {
    QFETCH(QString, ip);
    QFETCH(QString, patron);
    QFETCH(bool, coincide);
    QCOMPARE(ListaIP::IPCoincideConPatron(ip, patron), coincide);
}

void TestListaIP::permisoPorEntradaOPatron_data() {
    QTest::addColumn<bool>("comodinPermitido");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<bool>("permitida");

    for (const bool comodin : {false, true}) {
        const char* sufijo = comodin ? " (comodin aceptado)" : "";
        // An accepted pattern admits an address whose own entry is refused.
        QTest::addRow("propia rechazada, patron aceptado%s", sufijo)
            << comodin << "192.168.1.5" << true;
        QTest::addRow("solo patron%s", sufijo) << comodin << "192.168.1.9" << true;
        QTest::addRow("propia aceptada%s", sufijo) << comodin << "10.0.0.1" << true;
        QTest::addRow("patron rechazado%s", sufijo) << comodin << "172.16.0.3" << comodin;
        QTest::addRow("sin entrada%s", sufijo) << comodin << "10.0.0.2" << comodin;
        QTest::addRow("entrada vacia no admite%s", sufijo) << comodin << "8.8.8.8" << comodin;
    }
}

void TestListaIP::permisoPorEntradaOPatron() {
    QFETCH(bool, comodinPermitido);
    QFETCH(QString, ip);
    QFETCH(bool, permitida);
    ListaIP lista = ListaCon({{"192.168.1.5", "Ana", false, 2222},
                              {"192.168.1.*", "Oficina", true, 2222},
                              {"10.0.0.1", "Luis", true, 3000},
                              {"172.16.*.*", "Fuera", false, 2222},
                              {"", "", true, 0},
                              {kIPComodin, kNombreComodin, comodinPermitido, 2222}});
    QCOMPARE(lista.IPPermitida(ip), permitida);
}

void TestListaIP::consultasExactasNoUsanPatrones() {
    const ListaIP lista =
        ListaCon({{"192.168.1.*", "Oficina", true, 4000}, {"192.168.1.5", "Ana", false, 2223}});
    QVERIFY(lista.IPPermitida("192.168.1.9"));
    QCOMPARE(lista.NombreDeIP("192.168.1.9"), QString());
    QCOMPARE(lista.PuertoDeIP("192.168.1.9"), 0);
    QVERIFY(!lista.ExisteIP("192.168.1.9"));
    QVERIFY(!lista.PermisoExactoIP("192.168.1.9"));
    QCOMPARE(lista.NombreDeIP("192.168.1.5"), QString("Ana"));
    QCOMPARE(lista.PuertoDeIP("192.168.1.5"), 2223);
    QVERIFY(!lista.PermisoExactoIP("192.168.1.5"));
    QVERIFY(lista.PermisoExactoIP("192.168.1.*"));
    QCOMPARE(lista.PuertoDeIP("192.168.1.*"), 4000);
}

void TestListaIP::entradasRepetidasSoloCuentaLaPrimera() {
    ListaIP lista = ListaCon({{"1.1.1.1", "Primera", false, 1},
                              {"2.2.2.2", "Otra", false, 2},
                              {"1.1.1.1", "Segunda", true, 3}});
    QCOMPARE(lista.NombreDeIP("1.1.1.1"), QString("Primera"));
    QVERIFY(!lista.PermisoExactoIP("1.1.1.1"));

    lista.CambiarPermisoIP("1.1.1.1");
    QVERIFY(lista.PermisoExactoIP("1.1.1.1"));
    QVERIFY(lista.Entradas().back().Permitido);

    lista.BorrarIP("1.1.1.1");
    QCOMPARE(IPs(lista), QStringList({"2.2.2.2", "1.1.1.1"}));
    QCOMPARE(lista.NombreDeIP("1.1.1.1"), QString("Segunda"));
    QCOMPARE(lista.PuertoDeIP("1.1.1.1"), 3);
}

void TestListaIP::addIPAnadeAlFinalSinBuscar() {
    ListaIP lista;
    lista.AddIP("1.1.1.1", "Uno", true, 10);
    nodoListaIP* primera = lista.BuscarIP("1.1.1.1");
    QVERIFY(primera);
    primera->FechaRetiro = "01-02-2003";
    primera->NotasRecibidas.append(nodoListaNotaRecibida{"01-02-2003", "10:11:12"});
    lista.AddIP("2.2.2.2", "Dos", false, 20);
    lista.AddIP("1.1.1.1", "Uno bis", false, 30);
    QCOMPARE(IPs(lista), QStringList({"1.1.1.1", "2.2.2.2", "1.1.1.1"}));
    // Appending must not move the entries the note server holds on to.
    QVERIFY(lista.BuscarIP("1.1.1.1") == primera);
    const nodoListaIP& nueva = lista.Entradas().back();
    QCOMPARE(nueva.Nombre, QString("Uno bis"));
    QCOMPARE(nueva.Puerto, 30);
    QVERIFY(!nueva.Permitido);
    QVERIFY(nueva.FechaRetiro.isEmpty());
    QVERIFY(nueva.HoraRetiro.isEmpty());
    QVERIFY(nueva.NotasRecibidas.isEmpty());
}

void TestListaIP::cambiarYBorrarSinEntradaNoHacenNada() {
    ListaIP lista = ListaCon({{"1.1.1.1", "Uno", true, 10}});
    lista.CambiarPermisoIP("1.1.1.*");
    lista.BorrarIP("1.1.1.2");
    QCOMPARE(IPs(lista), QStringList({"1.1.1.1"}));
    QVERIFY(lista.PermisoExactoIP("1.1.1.1"));
    QVERIFY(lista.BuscarIP("9.9.9.9") == nullptr);
}

void TestListaIP::leerArchivo_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("ips");
    QTest::addColumn<QStringList>("nombres");
    QTest::addColumn<QList<qint32>>("puertos");
    QTest::addColumn<QList<bool>>("permitidos");

    const QStringList comodin = {kIPComodin};
    QTest::newRow("vacio") << QByteArray() << comodin << QStringList{kNombreComodin}
                           << QList<qint32>{2222} << QList<bool>{false};
    QTest::newRow("sin comodin: se anade al final")
        << QByteArray("1.2.3.4\r\nAna\r\n2223\r\n1\r\n") << QStringList{"1.2.3.4", kIPComodin}
        << QStringList{"Ana", kNombreComodin} << QList<qint32>{2223, 2222}
        << QList<bool>{true, false};
    QTest::newRow("comodin guardado se respeta")
        << QByteArray("*.*.*.*\r\nTodos\r\n5\r\n1\r\n9.9.9.9\r\nB\r\n6\r\n0\r\n")
        << QStringList{kIPComodin, "9.9.9.9"} << QStringList{"Todos", "B"} << QList<qint32>{5, 6}
        << QList<bool>{true, false};
    QTest::newRow("marca distinta de cero es aceptada")
        << QByteArray("a\r\nA\r\n1\r\n5\r\nb\r\nB\r\n2\r\n-1\r\n")
        << QStringList{"a", "b", kIPComodin} << QStringList{"A", "B", kNombreComodin}
        << QList<qint32>{1, 2, 2222} << QList<bool>{true, true, false};
    QTest::newRow("linea vacia final da una entrada vacia")
        << QByteArray("a\r\nA\r\n1\r\n1\r\n\r\n") << QStringList{"a", "", kIPComodin}
        << QStringList{"A", "", kNombreComodin} << QList<qint32>{1, 0, 2222}
        << QList<bool>{true, false, false};
    QTest::newRow("solo CR como fin de linea")
        << QByteArray("a\rA\r7\r1\r") << QStringList{"a", kIPComodin}
        << QStringList{"A", kNombreComodin} << QList<qint32>{7, 2222} << QList<bool>{true, false};
    QTest::newRow("LF suelto es texto")
        << QByteArray("a\r\n\nA\r\n7\r\n0\r\n") << QStringList{"a", kIPComodin}
        << QStringList{"\nA", kNombreComodin} << QList<qint32>{7, 2222}
        << QList<bool>{false, false};
    QTest::newRow("Ctrl-Z acaba el archivo")
        << QByteArray("a\r\nA\r\n7\r\n0\r\n\x1A"
                      "basura\r\n")
        << QStringList{"a", kIPComodin} << QStringList{"A", kNombreComodin}
        << QList<qint32>{7, 2222} << QList<bool>{false, false};
    QTest::newRow("archivo cortado: numeros a 0")
        << QByteArray("a\r\nA") << QStringList{"a", kIPComodin} << QStringList{"A", kNombreComodin}
        << QList<qint32>{0, 2222} << QList<bool>{false, false};
    QTest::newRow("bytes altos en Windows-1252")
        << QByteArray("a\r\nJos\xe9 \x80\r\n1\r\n0\r\n") << QStringList{"a", kIPComodin}
        << QStringList{QString::fromUtf8("José €"), kNombreComodin} << QList<qint32>{1, 2222}
        << QList<bool>{false, false};
}

void TestListaIP::leerArchivo() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, ips);
    QFETCH(QStringList, nombres);
    QFETCH(QList<qint32>, puertos);
    QFETCH(QList<bool>, permitidos);

    ListaIP lista;
    QCOMPARE(lista.LeerListaIP(bytes), ErrorArchivo::Ninguno);
    QCOMPARE(IPs(lista), ips);
    QStringList leidosNombres;
    QList<qint32> leidosPuertos;
    QList<bool> leidosPermitidos;
    for (const nodoListaIP& nodo : lista.Entradas()) {
        leidosNombres << nodo.Nombre;
        leidosPuertos << nodo.Puerto;
        leidosPermitidos << nodo.Permitido;
    }
    QCOMPARE(leidosNombres, nombres);
    QCOMPARE(leidosPuertos, puertos);
    QCOMPARE(leidosPermitidos, permitidos);
}

void TestListaIP::archivoConErrorNoCambiaLaLista_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("puerto con letras") << QByteArray("a\r\nA\r\nx22\r\n1\r\n");
    QTest::newRow("marca con letras") << QByteArray("a\r\nA\r\n22\r\nsi\r\n");
    QTest::newRow("error en la segunda entrada")
        << QByteArray("a\r\nA\r\n22\r\n1\r\nb\r\nB\r\n2.5\r\n1\r\n");
    QTest::newRow("puerto fuera de 32 bits") << QByteArray("a\r\nA\r\n4294967296\r\n1\r\n");
}

void TestListaIP::archivoConErrorNoCambiaLaLista() {
    QFETCH(QByteArray, bytes);
    ListaIP lista = ListaCon({{"1.1.1.1", "Uno", true, 10}});
    QCOMPARE(lista.LeerListaIP(bytes), ErrorArchivo::NumeroNoValido);
    QCOMPARE(IPs(lista), QStringList({"1.1.1.1"}));
}

void TestListaIP::archivoInexistenteDaSoloElComodin() {
    QTemporaryDir carpeta;
    QVERIFY(carpeta.isValid());
    ListaIP lista;
    QCOMPARE(lista.CargarListaIP(carpeta.filePath("Pinaco.NET")), ErrorArchivo::Ninguno);
    QCOMPARE(IPs(lista), QStringList({kIPComodin}));
    QCOMPARE(lista.PuertoDeIP(kIPComodin), kPuertoComodin);
    QVERIFY(!lista.PermisoExactoIP(kIPComodin));
    QVERIFY(!QFile::exists(carpeta.filePath("Pinaco.NET")));

    QCOMPARE(lista.CargarListaIP(carpeta.path()), ErrorArchivo::NoSePuedeLeer);
}

void TestListaIP::cargarAnadeTrasLasEntradasExistentes() {
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.NET");
    EscribirBytes(ruta, "2.2.2.2\r\nDos\r\n2\r\n0\r\n");
    ListaIP lista = ListaCon({{"1.1.1.1", "Uno", true, 1}});
    QCOMPARE(lista.CargarListaIP(ruta), ErrorArchivo::Ninguno);
    QCOMPARE(IPs(lista), QStringList({"1.1.1.1", "2.2.2.2", kIPComodin}));
}

void TestListaIP::guardarAnadeComodinYEscribeCuatroLineas() {
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.NET");
    ListaIP lista = ListaCon({{"10.0.0.*", "Red", true, 2222}, {"10.0.0.7", "Eva", false, -5}});
    QCOMPARE(lista.GuardarListaIP(ruta), ErrorArchivo::Ninguno);
    QCOMPARE(LeerBytes(ruta), QByteArray("10.0.0.*\r\nRed\r\n2222\r\n1\r\n"
                                         "10.0.0.7\r\nEva\r\n-5\r\n0\r\n"
                                         "*.*.*.*\r\n(Desconocido)\r\n2222\r\n0\r\n"));
    QCOMPARE(IPs(lista), QStringList({"10.0.0.*", "10.0.0.7", kIPComodin}));
}

void TestListaIP::retiroTemporalNoSeGuarda() {
    ListaIP lista = ListaCon({{"1.1.1.1", "Uno", false, 1}});
    nodoListaIP* nodo = lista.BuscarIP("1.1.1.1");
    nodo->FechaRetiro = "01-01-2024";
    nodo->HoraRetiro = "10:00:00";
    nodo->NotasRecibidas.append(nodoListaNotaRecibida{"01-01-2024", "09:59:59"});
    const QByteArray bytes = BytesDeLista(lista);
    QCOMPARE(bytes, QByteArray("1.1.1.1\r\nUno\r\n1\r\n0\r\n"));

    ListaIP leida;
    QCOMPARE(leida.LeerListaIP(bytes), ErrorArchivo::Ninguno);
    const nodoListaIP* vuelta = leida.BuscarIP("1.1.1.1");
    QVERIFY(!vuelta->Permitido);
    QVERIFY(vuelta->FechaRetiro.isEmpty());
    QVERIFY(vuelta->HoraRetiro.isEmpty());
    QVERIFY(vuelta->NotasRecibidas.isEmpty());
}

void TestListaIP::idaYVueltaByteAByte() {
    QByteArray nombreRaro;
    for (int b = 0x20; b <= 0xFF; ++b)
        nombreRaro += char(b);
    const QByteArray original = "192.168.*.*\r\n\x81\x8D\x8F\x90\x9D\r\n-2147483648\r\n1\r\n"
                                "\r\n\r\n0\r\n0\r\n"
                                "*.*.*.*\r\n" +
                                nombreRaro + "\r\n2147483647\r\n1\r\n";
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.NET");
    EscribirBytes(ruta, original);
    ListaIP lista;
    QCOMPARE(lista.CargarListaIP(ruta), ErrorArchivo::Ninguno);
    QCOMPARE(lista.Entradas().size(), std::size_t(3));
    QCOMPARE(lista.GuardarListaIP(ruta), ErrorArchivo::Ninguno);
    QCOMPARE(LeerBytes(ruta), original);
}

void TestListaIP::camposNoGuardablesNoTocanElArchivo_data() {
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("nombre");
    QTest::newRow("caracter fuera de Windows-1252") << "1.1.1.1" << QString::fromUtf8("Ana 中");
    QTest::newRow("Ctrl-Z cortaria el archivo") << "1.1.1.1" << QString("Ana\x1A");
    QTest::newRow("CR desplazaria las lineas") << "1.1.1.1" << QString("Ana\rLuis");
    QTest::newRow("CR en la direccion") << "1.1.1.1\r" << QString("Ana");
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
    const QByteArray completo = BytesDeLista(lista);
    for (qint64 capacidad = 0; capacidad < completo.size(); ++capacidad) {
        DispositivoQueFalla dispositivo(capacidad);
        QCOMPARE(lista.EscribirListaIP(dispositivo), ErrorArchivo::NoSePuedeEscribir);
    }
    DispositivoQueFalla justo(completo.size());
    QCOMPARE(lista.EscribirListaIP(justo), ErrorArchivo::Ninguno);
    QCOMPARE(justo.Escrito(), completo);
}

void TestListaIP::carpetaImposibleSeInforma() {
    QTemporaryDir carpeta;
    // A plain file where the folder should be: no user, root included, can write there.
    const QString noCarpeta = carpeta.filePath("no-es-carpeta");
    EscribirBytes(noCarpeta, "x");
    ListaIP lista;
    QCOMPARE(lista.GuardarListaIP(noCarpeta + "/Pinaco.NET"), ErrorArchivo::NoSePuedeEscribir);
    QCOMPARE(LeerBytes(noCarpeta), QByteArray("x"));
}

QTEST_GUILESS_MAIN(TestListaIP)
#include "test_listaip.moc"
