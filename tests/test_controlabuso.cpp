#include "core/MarcasTiempo.h"
#include "net/ControlAbuso.h"

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
};

// From the second moment to the first, each "dd-mm-yyyy hh:mm:ss"; a clock set back is 0.
void TestControlAbuso::segundosEntre() {
    const auto segundos = [](const QString& uno, const QString& dos) {
        return SegundosEntre(uno.left(10), uno.mid(11), dos.left(10), dos.mid(11));
    };
    QCOMPARE(segundos("05-01-2000 14:03:22", "05-01-2000 14:02:20"), 62);
    QCOMPARE(segundos("01-03-2004 00:00:30", "28-02-2004 23:59:30"), 60);
    QCOMPARE(segundos("04-01-2000 23:00:00", "05-01-2000 01:00:00"), 0);
    QCOMPARE(segundos("01-01-2070 00:00:00", "01-01-2000 00:00:00"), qint64(70) * 365 * 86400);
}

// Arrivals at offsets in seconds, the one that withdraws (-1 none) and the list's only entry;
// NumMaxNotas 5, NumMinSegundos 60.
void TestControlAbuso::ventanaDeslizante() {
    const std::tuple<QList<int>, int, QString> casos[] = {
        // Only the sender's own entry counts: a wildcard that admits it is never withdrawn.
        {{0, 1, 2, 3, 4, 5}, -1, kIPComodin},
        {{0, 1, 2, 3, 4, 59}, 5, kIP},
        {{0, 1, 2, 3, 4, 60, 120}, -1, kIP},
        {{0, 10, 20, 30, 40, 60, 65}, 6, kIP}}; // the window slides
    for (const auto& [llegadas, retiradaEn, entrada] : casos)
        for (const bool temporal : {false, true}) {
            ListaIP lista;
            lista.AddIP(entrada, QStringLiteral("Oficina"), true, 2222);
            QDateTime ahora;
            ControlAbuso control(lista, [&] { return ahora; });
            int retirada = -1;
            for (int i = 0; i < llegadas.size() && retirada < 0; ++i) {
                ahora = QDateTime(QDate(2000, 1, 5), QTime(10, 0, 0)).addSecs(llegadas[i]);
                if (control.ControlarAbuso(kIP, Reglas(temporal)))
                    retirada = i;
            }
            QCOMPARE(retirada, retiradaEn);
            const nodoListaIP& nodo = *lista.BuscarIP(entrada);
            QCOMPARE(nodo.Permitido, retiradaEn < 0);
            if (retiradaEn < 0)
                continue;
            // Both modes record the day, told at CIAO; only a temporary one the time to restore at.
            QCOMPARE(nodo.FechaRetiro, FechaTexto(ahora.date()));
            QCOMPARE(nodo.HoraRetiro, temporal ? HoraTexto(ahora.time()) : QString());
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
            control.ControlarAbuso(kIP, Reglas(temporal));
        ahora = retiro.addSecs(segundosDespues);
        const ResultadoRestitucion tick = control.RestituirTemporales(5);
        QCOMPARE(lista.PermisoExactoIP(kIP), restituido);
        QCOMPARE(tick.Pendiente, temporal); // a restored entry still counts this tick
        QVERIFY(!lista.PermisoExactoIP(QStringLiteral("10.0.0.2")));
        QCOMPARE(tick.Restituidos.size(), restituido ? 1 : 0);
    }
}

QTEST_GUILESS_MAIN(TestControlAbuso)
#include "test_controlabuso.moc"
