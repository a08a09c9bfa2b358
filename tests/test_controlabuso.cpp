#include "core/MarcasTiempo.h"
#include "net/ControlAbuso.h"
#include "storage/RetirosGuardados.h"

#include "tests/ArchivosPrueba.h"

#include <QtTest>

namespace {

const QString kIP = QStringLiteral("192.168.0.7");

ReglasAbuso Reglas(bool temporal) {
    ReglasAbuso reglas;
    reglas.HabilitarNumMaxNotas = true;
    reglas.Modo = {!temporal, temporal, 5};
    return reglas;
}

} // namespace

class TestControlAbuso : public QObject {
    Q_OBJECT
private slots:
    void segundosEntre();
    void ventanaDeslizante();
    void restitucion();
    void retirosSobrevivenAlReinicio();
    void registrosPorDireccionAcotados();
};

// From the second moment to the first, against the calendar's own count: across every month
// end of leap, common and century years; a clock set back is 0.
void TestControlAbuso::segundosEntre() {
    const auto segundos = [](const QDateTime& uno, const QDateTime& dos) {
        return SegundosEntre(FechaTexto(uno.date()), HoraTexto(uno.time()), FechaTexto(dos.date()),
                             HoraTexto(dos.time()));
    };
    const qint64 saltos[] = {1, 14, 70, 3599, 86399, 86401, 90061, 40 * 86400, 400 * 86400};
    for (const int anio : {1999, 2000, 2027, 2028, 2100})
        for (int mes = 1; mes <= 12; ++mes) {
            const QDate fin = QDate(anio, mes, 1).addMonths(1).addDays(-1);
            for (const QTime hora : {QTime(23, 59, 50), QTime(23, 54, 7), QTime(0, 0, 0)})
                for (const qint64 salto : saltos) {
                    const QDateTime antes(fin, hora, Qt::UTC);
                    const QDateTime despues = antes.addSecs(salto);
                    QCOMPARE(segundos(despues, antes), antes.secsTo(despues));
                    QCOMPARE(segundos(antes, despues), 0);
                }
        }
}

// Arrivals at offsets in seconds, the one that withdraws (-1 none) and the entries of the list
// (a trailing "-" is one without permission); NumMaxNotas 5, NumMinSegundos 60.
void TestControlAbuso::ventanaDeslizante() {
    const QString kVecino = QStringLiteral("192.168.0.8");
    const std::tuple<QList<int>, int, QStringList> casos[] = {
        {{0, 1, 2, 3, 4, 59}, 5, {kIP}},
        {{0, 1, 2, 3, 4, 60, 120}, -1, {kIP}},
        {{0, 10, 20, 30, 40, 60, 65}, 6, {kIP}}, // the window slides
        // Admitted through a pattern: counted and withdrawn by its own address alone.
        {{0, 1, 2, 3, 4, 5}, 5, {kIPComodin}},
        {{0, 1, 2, 3, 4, 5}, 5, {kIP + '-', "192.168.0.*"}},
        {{0, 1, 2, 3, 4, 60, 120}, -1, {"192.168.*.*"}}};
    for (const auto& [llegadas, retiradaEn, entradas] : casos)
        for (const bool temporal : {false, true}) {
            ListaIP lista;
            for (const QString& entrada : entradas)
                lista.AddIP(QString(entrada).remove(u'-'), QStringLiteral("Oficina"),
                            !entrada.endsWith(u'-'), 2222);
            QDateTime ahora;
            ControlAbuso control(lista, [&] { return ahora; });
            int retirada = -1;
            for (int i = 0; i < llegadas.size() && retirada < 0; ++i) {
                ahora = QDateTime(QDate(2000, 1, 5), QTime(10, 0, 0)).addSecs(llegadas[i]);
                if (control.ControlarAbuso(kIP, lista.BuscarIP(kIP), Reglas(temporal)))
                    retirada = i;
            }
            QCOMPARE(retirada, retiradaEn);
            QCOMPARE(lista.IPPermitida(kIP), retiradaEn < 0);
            // Only an own permitted entry loses its flag; patterns keep admitting the rest.
            const bool propia = entradas.first() == kIP;
            QCOMPARE(lista.PermisoExactoIP(kIP), propia && retiradaEn < 0);
            QCOMPARE(lista.IPPermitida(kVecino), !propia);
            if (retiradaEn < 0)
                continue;
            // Both modes record the day, told at CIAO; only a temporary one the time to restore at.
            const nodoListaIP& registro = *lista.RegistroAbuso(kIP);
            QCOMPARE(registro.FechaRetiro, FechaTexto(ahora.date()));
            QCOMPARE(registro.HoraRetiro, temporal ? HoraTexto(ahora.time()) : QString());
            QCOMPARE(&registro == lista.BuscarIP(kIP), propia);
        }
}

// A withdrawal at 23:58:00 on 31-12-1999 with 5 minutes; a tick some seconds later.
void TestControlAbuso::restitucion() {
    const std::tuple<bool, int, bool> casos[] = {
        {true, 300, true}, {true, 299, false}, {false, 86400, false}};
    for (const auto& [temporal, segundosDespues, restituido] : casos) {
        ListaIP lista;
        lista.AddIP(QStringLiteral("10.0.0.2"), QString(), false, 2222); // withdrawn by hand
        lista.AddIP(kIP, QStringLiteral("Oficina"), true, 2222);
        const QDateTime retiro(QDate(1999, 12, 31), QTime(23, 58, 0));
        QDateTime ahora = retiro;
        ControlAbuso control(lista, [&] { return ahora; });
        for (int i = 0; i < 6; ++i)
            control.ControlarAbuso(kIP, lista.BuscarIP(kIP), Reglas(temporal));
        ahora = retiro.addSecs(segundosDespues);
        const ResultadoRestitucion tick = control.RestituirTemporales(5);
        QCOMPARE(lista.PermisoExactoIP(kIP), restituido);
        QCOMPARE(tick.Pendiente, temporal); // a restored entry still counts this tick
        QVERIFY(!lista.PermisoExactoIP(QStringLiteral("10.0.0.2")));
        QCOMPARE(tick.Restituidos.size(), restituido ? 1 : 0);
    }
}

// Withdrawals at 23:59:30 on a leap day, for one minute: an own entry, a sender admitted by a
// pattern, a permanent one and one given back by hand; the board restarts in between.
void TestControlAbuso::retirosSobrevivenAlReinicio() {
    QTemporaryDir carpeta;
    const QString net = carpeta.filePath("pinaco.NET"), ret = carpeta.filePath("pinaco.RET");
    const QDateTime retiro(QDate(2028, 2, 29), QTime(23, 59, 30));
    {
        ListaIP lista;
        for (const char* ip : {"127.0.0.2", "127.0.0.3", "127.0.0.9"})
            lista.AddIP(ip, QStringLiteral("Oficina"), true, 2222);
        lista.AddIP("127.0.1.*", QString(), true, 2222);
        ControlAbuso control(lista, [&] { return retiro; });
        ReglasAbuso temporal = Reglas(true), permanente = Reglas(false);
        temporal.Modo.RetiroTemporalMinutos = 1;
        for (int i = 0; i < 6; ++i) {
            for (const char* ip : {"127.0.0.2", "127.0.1.5", "127.0.0.9"})
                control.ControlarAbuso(ip, lista.BuscarIP(ip), temporal);
            control.ControlarAbuso("127.0.0.3", lista.BuscarIP("127.0.0.3"), permanente);
        }
        lista.BuscarIP("127.0.0.9")->Permitido = true;
        QCOMPARE(lista.GuardarListaIP(net), ErrorArchivo::Ninguno);
        QCOMPARE(GuardarRetiros(lista, ret), ErrorArchivo::Ninguno);
    }
    // The address book keeps its layout: a withdrawn entry is stored without permission.
    QVERIFY(LeerBytes(net).startsWith("127.0.0.2\r\nOficina\r\n2222\r\n0\r\n"));
    ListaIP lista;
    int pendientes = 0;
    QCOMPARE(lista.CargarListaIP(net), ErrorArchivo::Ninguno);
    QCOMPARE(CargarRetiros(lista, ret, &pendientes), ErrorArchivo::Ninguno);
    QCOMPARE(pendientes, 2);
    const auto permitidas = [&] {
        QString r;
        for (const char* ip : {"127.0.0.2", "127.0.1.5", "127.0.1.6", "127.0.0.3", "127.0.0.9"})
            r += lista.IPPermitida(ip) ? u'1' : u'0';
        return r;
    };
    QCOMPARE(permitidas(), "00101");
    QDateTime ahora = retiro.addSecs(59);
    ControlAbuso control(lista, [&] { return ahora; });
    QVERIFY(control.RestituirTemporales(1).Restituidos.isEmpty());
    ahora = retiro.addSecs(60);
    QCOMPARE(control.RestituirTemporales(1).Restituidos.size(), 2);
    QCOMPARE(permitidas(), "11101");
    QCOMPARE(GuardarRetiros(lista, ret), ErrorArchivo::Ninguno);
    QCOMPARE(LeerBytes(ret), QByteArray("127.0.0.3\r\n29-02-2028\r\n\r\n1\r\n"));

    // What is not a withdrawal is skipped; the record after it still counts.
    ListaIP otra;
    otra.AddIP("127.0.0.2", QString(), false, 2222);
    QCOMPARE(LeerRetiros(otra, "127.0.0.2\r\n30-02-2028\r\n10:00:00\r\n1\r\n"
                               "\r\n01-03-2028\r\n10:00:00\r\n0\r\n"
                               "127.0.0.4\r\n01-03-2028\r\n25:00:00\r\n0\r\n"
                               "127.0.0.5\r\n01-03-2028\r\n10:00:00\r\n0\r\n"),
             1);
    QVERIFY(otra.BuscarIP("127.0.0.2")->FechaRetiro.isEmpty());
    QCOMPARE(otra.PorPatron().Cuenta(), 1);
    QVERIFY(otra.PorPatron().Retirado("127.0.0.5"));
    QVERIFY(!QFile::exists(carpeta.filePath("nada.RET")));
    QCOMPARE(CargarRetiros(otra, carpeta.filePath("nada.RET")), ErrorArchivo::Ninguno);
}

// A flood from ever new addresses never grows the records without end; a withdrawal stays.
void TestControlAbuso::registrosPorDireccionAcotados() {
    RemitentesPorPatron registros;
    registros.Registro("10.0.0.1").Permitido = false;
    for (int i = 0; i < 3 * RemitentesPorPatron::kMaximo; ++i)
        registros.Registro(QStringLiteral("10.1.%1.%2").arg(i / 256).arg(i % 256));
    QVERIFY(registros.Cuenta() <= RemitentesPorPatron::kMaximo);
    QVERIFY(registros.Retirado("10.0.0.1"));
}

QTEST_GUILESS_MAIN(TestControlAbuso)
#include "test_controlabuso.moc"
