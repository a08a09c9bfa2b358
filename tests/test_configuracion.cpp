// The settings as the board loads, repairs, clamps, applies and saves them.
#include "app/Autoarranque.h"
#include "app/PiezaMarco.h"
#include "app/Pinaco.h"
#include "net/ServidorNotas.h"
#include "notes/Mensaje.h"
#include "tests/EntornoPrueba.h"

#include <QTcpServer>
#include <QtTest>

namespace {

bool ConBandeja() {
    return true;
}

const QList<QPair<QString, QString>> kDefectos = {
    {"ActualizarPuertoAlEnviarNota", "0"},
    {"HabilitarNumMaxNotas", "0"},
    {"NumMaxNotas", "5"},
    {"NumMinSegundos", "60"},
    {"RetiroPermanente", "1"},
    {"RetiroTemporal", "0"},
    {"RetiroTemporalMinutos", "5"},
    {"LogWithNotaText", "0"},
    {"LogWithSenderName", "1"},
    {"LogFilename", ""},
    {"CrearArchivoLog", "0"},
    {"ConfirmarBorrarNota", "1"},
    {"ServerActivo", "0"},
    {"ServerPort", "2222"},
    {"AvisoNotaRecibida", "0"},
    {"AvisoNotaRecibidaWAV", ""},
    {"AvisoNotaCaducada", "0"},
    {"AvisoNotaCaducadaWAV", ""},
    {"ExecOnWindowsLoad", "0"},
    {"TipoPinaco", "1"},
    {"NotasCanOverlapPinaco", "1"},
    {"AlwaysOnTop", "0"},
    {"MinimizeToTray", "1"},
    {"IconInTray", "0"},
    {"NotaReceived", "0"},
    {"IsMaximized", "0"},
};

} // namespace

class TestConfiguracion : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void primeraVezEscribeTodosLosDefectos();
    void valorQueFaltaSeReparaSinUsarlo_data();
    void valorQueFaltaSeReparaSinUsarlo();
    void puertoFueraDeRangoSeRepara_data();
    void puertoFueraDeRangoSeRepara();
    void tipoPinacoTomaElByteBajo_data();
    void tipoPinacoTomaElByteBajo();
    void limitesDePosicionYTamano_data();
    void limitesDePosicionYTamano();
    void posicionQueFaltaCentra();
    void guardarMaximizadoYVolver();
    void cerrarEnBandejaParpadeandoYVolver();
    void puertoOcupadoAlCargar();
    void puertoOcupadoAlAplicar();
    void servidorEscuchaYSeApaga();
    void autoarranque();
    void lineaExecCitada_data();
    void lineaExecCitada();

private:
    void Arrancar();
    void Cerrar() { FPinaco.reset(); }
    void EscribirDefectos(const QMap<QString, QString>& cambios = {},
                          const QStringList& quitar = {});
    QString Guardado(const QString& nombre) {
        QSettings s(ArchivoConfiguracion(FConfig), QSettings::IniFormat);
        return s.value(nombre).toString();
    }

    std::unique_ptr<QTemporaryDir> FCarpeta;
    QString FConfig;
    std::unique_ptr<TPinaco> FPinaco;
    QList<PeticionMensaje> FMensajes;
};

void TestConfiguracion::init() {
    FCarpeta = std::make_unique<QTemporaryDir>();
    FConfig = FCarpeta->filePath("config");
    AislarConfiguracion(FConfig);
    FMensajes.clear();
    FijarRespondedorMensajes([this](const PeticionMensaje& m) {
        FMensajes.append(m);
        return QMessageBox::Ok;
    });
    TPinaco::DisponibilidadBandeja = ConBandeja;
}

void TestConfiguracion::cleanup() {
    FPinaco.reset();
    FijarRespondedorMensajes({});
    TPinaco::DisponibilidadBandeja = nullptr;
}

void TestConfiguracion::Arrancar() {
    FPinaco = std::make_unique<TPinaco>(FCarpeta->filePath("pinaco"));
    QSignalSpy cargado(FPinaco.get(), &TPinaco::Cargado);
    QVERIFY(cargado.wait(3000));
}

void TestConfiguracion::EscribirDefectos(const QMap<QString, QString>& cambios,
                                         const QStringList& quitar) {
    QSettings s(ArchivoConfiguracion(FConfig), QSettings::IniFormat);
    for (const auto& [nombre, valor] : kDefectos)
        if (!quitar.contains(nombre))
            s.setValue(nombre, cambios.value(nombre, valor));
    for (const char* n : {"LastTop", "LastLeft", "LastHeight", "LastWidth"})
        if (!quitar.contains(n))
            s.setValue(n, cambios.value(n, QString(n).endsWith("Height")  ? "384"
                                           : QString(n).endsWith("Width") ? "442"
                                                                          : "100"));
}

void TestConfiguracion::primeraVezEscribeTodosLosDefectos() {
    Arrancar();
    FPinaco->GuardarConfiguracion();
    for (const auto& [nombre, valor] : kDefectos)
        QCOMPARE(Guardado(nombre), valor);
    QCOMPARE(Guardado("LastWidth"), QString("442"));
    QCOMPARE(Guardado("LastHeight"), QString("384"));
    QCOMPARE(Guardado("LastLeft"), QString::number(FPinaco->x()));
}

void TestConfiguracion::valorQueFaltaSeReparaSinUsarlo_data() {
    QTest::addColumn<QString>("nombre");
    QTest::newRow("ServerActivo") << "ServerActivo";
    QTest::newRow("LogWithNotaText") << "LogWithNotaText";
    QTest::newRow("CrearArchivoLog") << "CrearArchivoLog";
}

void TestConfiguracion::valorQueFaltaSeReparaSinUsarlo() {
    QFETCH(QString, nombre);
    EscribirDefectos({}, {nombre});
    Arrancar();
    QCOMPARE(Guardado(nombre), QString("1"));
    QVERIFY(!FPinaco->Config.ServerActivo);
    QVERIFY(!FPinaco->Config.LogWithNotaText);
    QVERIFY(!FPinaco->Config.CrearArchivoLog);
    QVERIFY(!FPinaco->Server->Activo());
    QVERIFY(FMensajes.isEmpty());
}

void TestConfiguracion::puertoFueraDeRangoSeRepara_data() {
    QTest::addColumn<QString>("guardado");
    QTest::addColumn<QString>("reparado");
    QTest::addColumn<int>("puerto");
    QTest::newRow("99999") << "99999"
                           << "2222" << 2222;
    QTest::newRow("65536") << "65536"
                           << "2222" << 2222;
    QTest::newRow("0") << "0"
                       << "2222" << 2222;
    QTest::newRow("-1") << "-1"
                        << "2222" << 2222;
    QTest::newRow("minimo entero") << "-2147483648"
                                   << "2222" << 2222;
    QTest::newRow("65535") << "65535"
                           << "65535" << 65535;
    QTest::newRow("1") << "1"
                       << "1" << 1;
}

void TestConfiguracion::puertoFueraDeRangoSeRepara() {
    QFETCH(QString, guardado);
    QFETCH(QString, reparado);
    QFETCH(int, puerto);
    EscribirDefectos({{"ServerPort", guardado}});
    Arrancar();
    QCOMPARE(FPinaco->Config.ServerPort, puerto);
    QCOMPARE(Guardado("ServerPort"), reparado);
}

void TestConfiguracion::tipoPinacoTomaElByteBajo_data() {
    QTest::addColumn<QString>("guardado");
    QTest::addColumn<int>("tipo");
    QTest::newRow("0") << "0" << 1;
    QTest::newRow("3") << "3" << 1;
    QTest::newRow("255") << "255" << 1;
    QTest::newRow("258") << "258" << 2;
    QTest::newRow("2") << "2" << 2;
    QTest::newRow("letras") << "dos" << 1;
}

void TestConfiguracion::tipoPinacoTomaElByteBajo() {
    QFETCH(QString, guardado);
    QFETCH(int, tipo);
    EscribirDefectos({{"TipoPinaco", guardado}});
    Arrancar();
    QCOMPARE(FPinaco->Config.TipoPinaco, tipo);
    QCOMPARE(FPinaco->Image2->height(), tipo == 2 ? 43 : 13);
}

void TestConfiguracion::limitesDePosicionYTamano_data() {
    QTest::addColumn<QRect>("guardado");
    QTest::addColumn<QRect>("cargado"); // negative numbers: from the screen's far edge
    QTest::newRow("negativa") << QRect(-20, -20, 500, 400) << QRect(0, 0, 500, 400);
    QTest::newRow("fuera a la derecha") << QRect(5000, 5000, 500, 400) << QRect(-50, -50, 500, 400);
    QTest::newRow("pequena") << QRect(10, 20, 100, 100) << QRect(10, 20, 400, 300);
    const QSize libre = QGuiApplication::primaryScreen()->availableGeometry().size();
    QTest::newRow("enorme") << QRect(10, 20, 100000, 100000) << QRect(QPoint(10, 20), libre);
    QTest::newRow("mas ancha") << QRect(10, 20, libre.width() + 1, 350)
                               << QRect(10, 20, libre.width(), 350);
}

void TestConfiguracion::limitesDePosicionYTamano() {
    QFETCH(QRect, guardado);
    QFETCH(QRect, cargado);
    EscribirDefectos({{"LastLeft", QString::number(guardado.left())},
                      {"LastTop", QString::number(guardado.top())},
                      {"LastWidth", QString::number(guardado.width())},
                      {"LastHeight", QString::number(guardado.height())}});
    Arrancar();
    const QSize pantalla = FPinaco->screen()->size();
    if (cargado.left() < 0)
        cargado.moveTo(pantalla.width() + cargado.left(), pantalla.height() + cargado.top());
    QCOMPARE(FPinaco->geometry(), cargado);
}

void TestConfiguracion::posicionQueFaltaCentra() {
    EscribirDefectos({}, {"LastTop"});
    Arrancar();
    const QSize pantalla = FPinaco->screen()->size();
    QCOMPARE(FPinaco->size(), QSize(442, 384));
    QCOMPARE(FPinaco->pos(), QPoint((pantalla.width() - 442) / 2, (pantalla.height() - 384) / 2));
    QVERIFY(FPinaco->isVisible());
}

void TestConfiguracion::guardarMaximizadoYVolver() {
    EscribirDefectos(
        {{"LastLeft", "30"}, {"LastTop", "40"}, {"LastWidth", "500"}, {"LastHeight", "350"}});
    Arrancar();
    FPinaco->Maximizar();
    QVERIFY(FPinaco->IsMaximized());
    Cerrar();
    QCOMPARE(Guardado("IsMaximized"), QString("1"));
    QCOMPARE(Guardado("LastLeft"), QString("30"));
    QCOMPARE(Guardado("LastWidth"), QString("500"));
    Arrancar();
    QVERIFY(FPinaco->IsMaximized());
    QCOMPARE(FPinaco->geometry(), FPinaco->screen()->availableGeometry());
    FPinaco->Restaurar();
    QCOMPARE(FPinaco->geometry(), QRect(30, 40, 500, 350));
}

void TestConfiguracion::cerrarEnBandejaParpadeandoYVolver() {
    Arrancar();
    FPinaco->Minimizar();
    QVERIFY(FPinaco->Config.IconInTray);
    QVERIFY(!FPinaco->isVisible());
    FPinaco->IniciarParpadeo();
    Cerrar();
    QCOMPARE(Guardado("IconInTray"), QString("1"));
    QCOMPARE(Guardado("NotaReceived"), QString("1"));
    Arrancar();
    QVERIFY(FPinaco->Config.IconInTray);
    QVERIFY(!FPinaco->isVisible());
    QVERIFY(FPinaco->TimerNotaRecibida.isActive());
    FPinaco->RestaurarDeBandeja();
    QVERIFY(FPinaco->isVisible());
    QVERIFY(!FPinaco->TimerNotaRecibida.isActive());
    Cerrar();
    QCOMPARE(Guardado("IconInTray"), QString("0"));
    QCOMPARE(Guardado("NotaReceived"), QString("0"));
}

void TestConfiguracion::puertoOcupadoAlCargar() {
    QTcpServer ocupado;
    QVERIFY(ocupado.listen(QHostAddress::Any, 0));
    const QString puerto = QString::number(ocupado.serverPort());
    EscribirDefectos({{"ServerActivo", "1"}, {"ServerPort", puerto}});
    Arrancar();
    QCOMPARE(FMensajes.size(), 1); // applying finds the server already off
    QCOMPARE(FMensajes[0].Titulo, QString("Error durante la carga"));
    QCOMPARE(FMensajes[0].Icono, IconoMensaje::Error);
    QCOMPARE(FMensajes[0].Texto,
             "Error: Ya existe un Servidor en el puerto " + puerto +
                 " de esta máquina.\rEl Servidor no será activado por este motivo.\r\r"
                 "Por favor, modifique el valor \"Puerto del Servidor\" en Configuración.");
    QVERIFY(!FPinaco->Config.ServerActivo);
    Cerrar();
    QCOMPARE(Guardado("ServerActivo"), QString("0"));
}

void TestConfiguracion::puertoOcupadoAlAplicar() {
    Arrancar();
    QTcpServer ocupado;
    QVERIFY(ocupado.listen(QHostAddress::Any, 0));
    FPinaco->Config.ServerActivo = true;
    FPinaco->Config.ServerPort = ocupado.serverPort();
    FPinaco->AplicarConfiguracion();
    QCOMPARE(FMensajes.size(), 1);
    QVERIFY(FMensajes[0].Texto.endsWith(
        "Por favor, modifique el valor \"Puerto de Servidor\" en la Configuración."));
    QVERIFY(!FPinaco->Config.ServerActivo);
    QVERIFY(!FPinaco->Server->Activo());
}

void TestConfiguracion::servidorEscuchaYSeApaga() {
    QTcpServer libre;
    QVERIFY(libre.listen(QHostAddress::Any, 0));
    const quint16 puerto = libre.serverPort();
    libre.close();
    EscribirDefectos({{"ServerActivo", "1"}, {"ServerPort", QString::number(puerto)}});
    Arrancar();
    QVERIFY(FPinaco->Server->Activo());
    QCOMPARE(FPinaco->Server->Puerto(), puerto);
    // The autosave closes the server around the write and opens it again.
    FPinaco->MarcarNotasCambiadas();
    for (int i = 0; i < 300; ++i)
        FPinaco->TimerGuardarNotasTimer();
    QVERIFY(FPinaco->Server->Activo());
    FPinaco->Config.ServerActivo = false;
    FPinaco->AplicarConfiguracion();
    QVERIFY(!FPinaco->Server->Activo());
    QVERIFY(FMensajes.isEmpty());
}

void TestConfiguracion::autoarranque() {
    Arrancar();
    const QString entrada = FConfig + "/autostart/pinaco.desktop";
    QVERIFY(!QFile::exists(entrada));
    FPinaco->Config.ExecOnWindowsLoad = true;
    FPinaco->AplicarConfiguracion();
    QFile f(entrada);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString texto = QString::fromUtf8(f.readAll());
    QVERIFY(texto.contains("Exec=\"" + FCarpeta->filePath("pinaco") + "\""));
    QVERIFY(texto.startsWith("[Desktop Entry]"));
    FPinaco->Config.ExecOnWindowsLoad = false;
    FPinaco->AplicarConfiguracion();
    QVERIFY(!QFile::exists(entrada));
}

void TestConfiguracion::lineaExecCitada_data() {
    QTest::addColumn<QString>("programa");
    QTest::addColumn<QString>("exec"); // as it stands in the file
    QTest::newRow("sencilla") << "/opt/pinaco/pinaco"
                              << R"("/opt/pinaco/pinaco")";
    QTest::newRow("blancos") << "/home/ana/Mis programas/pinaco"
                             << R"("/home/ana/Mis programas/pinaco")";
    QTest::newRow("por ciento") << "/tmp/100%/pinaco"
                                << R"("/tmp/100%%/pinaco")";
    QTest::newRow("dolar") << "/tmp/$HOME/pinaco"
                           << R"("/tmp/\\$HOME/pinaco")";
    QTest::newRow("comillas") << "/tmp/a\"b/pinaco"
                              << R"("/tmp/a\\"b/pinaco")";
    QTest::newRow("acento grave") << "/tmp/a`b/pinaco"
                                  << R"("/tmp/a\\`b/pinaco")";
    QTest::newRow("barra inversa") << "/tmp/a\\b/pinaco"
                                   << R"("/tmp/a\\\\b/pinaco")";
    QTest::newRow("apostrofo") << "/tmp/it's/pinaco"
                               << R"("/tmp/it's/pinaco")";
    QTest::newRow("salto de linea") << "/tmp/a\nb/pinaco"
                                    << R"("/tmp/a\nb/pinaco")";
}

void TestConfiguracion::lineaExecCitada() {
    QFETCH(QString, programa);
    QFETCH(QString, exec);
    QCOMPARE(ArgumentoExec(programa), exec);
    const QStringList lineas = EntradaAutoarranque(programa).split(u'\n');
    QVERIFY(lineas.contains("Exec=" + exec));
}

QTEST_MAIN(TestConfiguracion)
#include "test_configuracion.moc"
