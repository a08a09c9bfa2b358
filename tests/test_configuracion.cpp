// The settings as the board loads, repairs, clamps, applies and saves them.
#include "app/Autoarranque.h"
#include "app/Pinaco.h"
#include "app/RegistroConfiguracion.h"
#include "config/FrmConfigurarPinaco.h"
#include "config/PanelRed.h"
#include "config/PanelSeguridad.h"
#include "net/ServidorNotas.h"
#include "storage/GuardadoAtomico.h"
#include "tests/ArchivosPrueba.h"
#include "tests/DialogosPrueba.h"
#include "tests/EntornoPrueba.h"
#include "tests/ParCliente.h"
#include "tests/PuertoLibre.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QtTest>

class TestConfiguracion : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void valoresQueSeReparan();
    void limitesDePosicionYTamano();
    void maximizadoYBandejaSobrevivenAlCierre();
    void posicionDesconocidaNoSeGuarda_data();
    void posicionDesconocidaNoSeGuarda();
    void puertoOcupado();
    void servidorEscuchaYSeApaga();
    void aplicarNoCortaLaNotaEnCurso();
    void autoarranqueCitaElPrograma();
    void dialogoCancelaYAplica();
    void archivoRaroNoSeLee();
    void fallosAlGuardarSeAvisanUnaVez();
    void enlaceSeGuardaEnSuDestino();

private:
    // Starts the board on these stored values over a plain 442x384 board at 100,100; a value
    // given as "" is left out. Without values it starts on what the last board saved.
    void Arrancar(const QMap<QString, QString>& guardados) {
        FPinaco.reset();
        QSettings s(ArchivoConfiguracion(FConfig), QSettings::IniFormat);
        for (const char* n : {"ServerActivo", "LogWithNotaText", "CrearArchivoLog"})
            s.setValue(n, "0");
        for (const char* n : {"LastLeft", "LastTop"})
            s.setValue(n, "100");
        s.setValue("LastWidth", "442");
        s.setValue("LastHeight", "384");
        for (auto [nombre, valor] : guardados.asKeyValueRange())
            valor.isEmpty() ? s.remove(nombre) : s.setValue(nombre, valor);
        s.sync();
        Arrancar();
    }
    void Arrancar() {
        FPinaco.reset();
        FPinaco = std::make_unique<TPinaco>(FCarpeta->filePath("pinaco"));
        QVERIFY(QSignalSpy(FPinaco.get(), &TPinaco::Cargado).wait(3000));
    }
    QString Guardado(const QString& nombre) {
        return QSettings(ArchivoConfiguracion(FConfig), QSettings::IniFormat)
            .value(nombre)
            .toString();
    }

    std::unique_ptr<QTemporaryDir> FCarpeta;
    QString FConfig;
    std::unique_ptr<TPinaco> FPinaco;
    Cajas FCajas;
};

void TestConfiguracion::init() {
    FCarpeta = std::make_unique<QTemporaryDir>();
    FConfig = FCarpeta->filePath("config");
    AislarConfiguracion(FConfig);
    FCajas.vistas.clear();
    TPinaco::DisponibilidadBandeja = [] { return true; };
}

void TestConfiguracion::cleanup() {
    FPinaco.reset();
    TPinaco::DisponibilidadBandeja = nullptr;
}

void TestConfiguracion::valoresQueSeReparan() {
    // A missing switch is stored as on, but not used until the next start.
    Arrancar({{"ServerActivo", ""}, {"LogWithNotaText", ""}, {"CrearArchivoLog", ""}});
    QVERIFY(!FPinaco->Config.ServerActivo && !FPinaco->Config.LogWithNotaText);
    QVERIFY(!FPinaco->Config.CrearArchivoLog && !FPinaco->Server->Activo());
    for (const char* nombre : {"ServerActivo", "LogWithNotaText", "CrearArchivoLog"})
        QCOMPARE(Guardado(nombre), QString("1"));
    // A port outside 1 to 65535 is repaired to 2222, never wrapped.
    for (auto [guardado, puerto] : {std::pair{"65537", 2222}, {"0", 2222}, {"65535", 65535}}) {
        Arrancar({{"ServerPort", guardado}});
        QCOMPARE(FPinaco->Config.ServerPort, puerto);
        QCOMPARE(Guardado("ServerPort"), QString::number(puerto));
    }
    // The kind of board takes the low byte; anything else is the original.
    for (auto [guardado, tipo] : {std::pair{"3", 1}, {"258", 2}, {"dos", 1}}) {
        Arrancar({{"TipoPinaco", guardado}});
        QCOMPARE(FPinaco->Config.TipoPinaco, tipo);
    }
}

// No larger than the desktop leaves free; with no top stored, centred at its first-run size.
void TestConfiguracion::limitesDePosicionYTamano() {
    Arrancar({{"LastWidth", "100000"}, {"LastHeight", "100000"}});
    QCOMPARE(FPinaco->size(), FPinaco->screen()->availableGeometry().size());
    Arrancar({{"LastTop", ""}});
    const QSize pantalla = FPinaco->screen()->size();
    QCOMPARE(FPinaco->geometry(),
             QRect((pantalla.width() - 442) / 2, (pantalla.height() - 384) / 2, 442, 384));
    // Left on a monitor that went away while it ran, it comes back onto the screen.
    FPinaco->setGeometry(-3000, 200, 500, 400);
    FPinaco->VolverAPantalla();
    QCOMPARE(FPinaco->geometry(), QRect(0, 200, 500, 400));
}

void TestConfiguracion::maximizadoYBandejaSobrevivenAlCierre() {
    Arrancar({{"LastLeft", "30"}, {"LastTop", "40"}, {"LastWidth", "500"}, {"LastHeight", "350"}});
    FPinaco->Maximizar();
    Arrancar();
    QCOMPARE(FPinaco->geometry(), FPinaco->screen()->availableGeometry());
    FPinaco->Restaurar();
    QCOMPARE(FPinaco->geometry(), QRect(30, 40, 500, 350));
    // Closed in the tray while blinking, it starts there blinking.
    FPinaco->Minimizar();
    FPinaco->IniciarParpadeo();
    Arrancar();
    QVERIFY(!FPinaco->isVisible() && FPinaco->TimerNotaRecibida.isActive());
    FPinaco->RestaurarDeBandeja();
    FPinaco.reset();
    QCOMPARE(Guardado("IconInTray") + Guardado("NotaReceived"), QString("00"));
}

void TestConfiguracion::posicionDesconocidaNoSeGuarda_data() {
    QTest::addColumn<QString>("guardada"); // stored left,top; "" when missing
    QTest::addColumn<bool>("conocida");
    QTest::addColumn<QString>("escrita");
    QTest::newRow("conocida") << "30,40" << true << "7,9";
    QTest::newRow("desconocida") << "30,40" << false << "30,40";
    QTest::newRow("desconocida sin guardar") << "" << false << "7,9";
    QTest::newRow("desconocida ilegible") << "30,x" << false << "7,9";
}

// A Wayland client reads its left and top as 0,0 wherever the compositor put it.
void TestConfiguracion::posicionDesconocidaNoSeGuarda() {
    QFETCH(QString, guardada);
    QFETCH(bool, conocida);
    QFETCH(QString, escrita);
    QSettings registro(ArchivoConfiguracion(FConfig), QSettings::IniFormat);
    if (!guardada.isEmpty()) {
        registro.setValue("LastLeft", guardada.section(',', 0, 0));
        registro.setValue("LastTop", guardada.section(',', 1, 1));
    }
    EstadoVentana estado;
    estado.LastLeft = 7;
    estado.LastTop = 9;
    estado.LastWidth = 500;
    estado.LastHeight = 350;
    estado.PosicionConocida = conocida;
    QVERIFY(RegistroConfiguracion::Escribir(registro, Configuracion{}, estado) ==
            ErrorArchivo::Ninguno);
    QCOMPARE(Guardado("LastLeft") + ',' + Guardado("LastTop"), escrita);
    QCOMPARE(Guardado("LastWidth") + 'x' + Guardado("LastHeight"), QString("500x350"));
}

void TestConfiguracion::puertoOcupado() {
    QTcpServer ocupado;
    QVERIFY(ocupado.listen(QHostAddress::Any, 0));
    const QString puerto = QString::number(ocupado.serverPort());
    Arrancar({{"ServerActivo", "1"}, {"ServerPort", puerto}});
    QCOMPARE(FCajas.vistas.size(), 1); // applying finds the server already off
    QVERIFY(FCajas.vistas[0].Texto.startsWith("Error: Ya existe un Servidor en el puerto " +
                                              puerto + " de esta máquina."));
    // Stored as off, so the next start shows nothing; applied from the settings dialog, the
    // message has its own wording.
    Arrancar();
    FPinaco->Config.ServerActivo = true;
    FPinaco->AplicarConfiguracion();
    QCOMPARE(FCajas.vistas.size(), 2);
    QVERIFY(FCajas.vistas[1].Texto.endsWith(
        "Por favor, modifique el valor \"Puerto de Servidor\" en la Configuración."));
    QVERIFY(!FPinaco->Config.ServerActivo && !FPinaco->Server->Activo());
}

void TestConfiguracion::servidorEscuchaYSeApaga() {
    const quint16 puerto = PuertoLibre();
    Arrancar({{"ServerActivo", "1"}, {"ServerPort", QString::number(puerto)}});
    QCOMPARE(FPinaco->Server->Puerto(), puerto);
    // The autosave closes the server around the write and opens it again a moment later,
    // unless the settings closed it meanwhile.
    for (const bool sigueActivo : {true, false}) {
        FPinaco->MarcarNotasCambiadas();
        for (int i = 0; i < 300; ++i)
            FPinaco->TimerGuardarNotasTimer();
        QVERIFY(!FPinaco->Server->Activo());
        if (!sigueActivo) {
            FPinaco->Config.ServerActivo = false;
            FPinaco->AplicarConfiguracion();
        }
        QTest::qWait(150);
        QCOMPARE(FPinaco->Server->Activo(), sigueActivo);
    }
    QVERIFY(FCajas.vistas.isEmpty());
}

// Applying the settings moves or stops the listener only when its port or switch changed; a
// note on its way goes on to the end all the same.
void TestConfiguracion::aplicarNoCortaLaNotaEnCurso() {
    const quint16 puertos[] = {PuertoLibre(), PuertoLibre()};
    Arrancar({{"ServerActivo", "1"}, {"ServerPort", QString::number(puertos[0])}});
    FPinaco->ListaDirecciones().AddIP("127.0.0.2", "Otro", true, 2222);
    const qsizetype notas = FPinaco->Notas().Cuenta();
    const auto escucha = [](quint16 puerto) {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, puerto);
        return s.waitForConnected(2000);
    };
    Par par("127.0.0.2", puertos[0]);
    QCOMPARE(par.Enviar("NOTA_BEGIN"), QByteArray("READY"));
    for (int paso = 0; paso < 3; ++paso) {
        if (paso == 1)
            FPinaco->Config.ServerPort = puertos[1];
        if (paso == 2)
            FPinaco->Config.ServerActivo = false;
        FPinaco->AplicarConfiguracion();
        QCOMPARE(par.Enviar("TEXT:sigue"), QByteArray("DATA_RECEIVED"));
        QCOMPARE(escucha(puertos[0]), paso == 0);
        QCOMPARE(escucha(puertos[1]), paso == 1);
    }
    QCOMPARE(par.Enviar("NOTA_END"), QByteArray("NOTA_CREATED"));
    QCOMPARE(FPinaco->Notas().Cuenta(), notas + 1);
    QVERIFY(FCajas.vistas.isEmpty());
}

void TestConfiguracion::autoarranqueCitaElPrograma() {
    Arrancar({});
    const QString entrada = FConfig + "/autostart/pinaco.desktop";
    FPinaco->Config.ExecOnWindowsLoad = true;
    FPinaco->AplicarConfiguracion();
    // TryExec too, so that a session does not run a program that was removed.
    const QByteArray programa = FCarpeta->filePath("pinaco").toUtf8();
    QVERIFY(LeerBytes(entrada).contains("\nTryExec=" + programa + "\nExec=\"" + programa + "\"\n"));
    FPinaco->Config.ExecOnWindowsLoad = false;
    FPinaco->AplicarConfiguracion();
    QVERIFY(!QFile::exists(entrada));
    // Quoted as the desktop-entry rules say, whatever the path holds.
    for (auto [programa, exec] : {std::pair{"/tmp/100%/pinaco", R"("/tmp/100%%/pinaco")"},
                                  {"/tmp/$HOME/pinaco", R"("/tmp/\\$HOME/pinaco")"},
                                  {"/tmp/a\"b/pinaco", R"("/tmp/a\\"b/pinaco")"},
                                  {"/tmp/a\nb/pinaco", R"("/tmp/a\nb/pinaco")"}})
        QCOMPARE(ArgumentoExec(programa), QString(exec));
}

void TestConfiguracion::dialogoCancelaYAplica() {
    Arrancar({});
    // Works in the dialog the board opens, as a user would, then ends it with that button.
    const auto enDialogo = [this](const std::function<QPushButton*(TfrmConfigurarPinaco&)>& pasos) {
        AlAbrirseDialogo(
            [&pasos](QDialog* d) { pasos(*qobject_cast<TfrmConfigurarPinaco*>(d))->click(); });
        FPinaco->mnuFondoConfigPinacoClick();
    };
    enDialogo([](TfrmConfigurarPinaco& d) {
        d.panelRed->editNewIP->setText("10.9.9.9");
        d.panelRed->editNewNombre->setText("Nuevo");
        d.panelRed->btnAddNew->click();
        d.panelSeguridad->chkServerActivo->setChecked(true);
        return d.BitBtnCancel;
    });
    // Cancel writes nothing back; the address book changed at once and stays.
    QVERIFY(!FPinaco->Config.ServerActivo);
    QVERIFY(FPinaco->ListaDirecciones().ExisteIP("10.9.9.9"));

    quint16 puerto = 6200;
    for (QTcpServer prueba; !prueba.listen(QHostAddress::Any, puerto); ++puerto)
        QVERIFY(puerto < 9999);
    enDialogo([puerto](TfrmConfigurarPinaco& d) {
        d.panelSeguridad->chkServerActivo->setChecked(true);
        d.panelSeguridad->editServerPort->setText(QString::number(puerto));
        return d.BitBtnOK;
    });
    // OK saves and applies at once: the server listens on the new port.
    QCOMPARE(Guardado("ServerPort"), QString::number(puerto));
    QTcpSocket cliente;
    cliente.connectToHost(QHostAddress::LocalHost, puerto);
    QVERIFY(cliente.waitForConnected(2000));
}

// A file that is not regular, here a FIFO that would block the start, ends the start with the
// damaged-file message, and nothing is written. Which files are refused is the same check as
// for the data files (test_archivonotas, archivosRarosNoSeLeen).
void TestConfiguracion::archivoRaroNoSeLee() {
    const QString ruta = ArchivoConfiguracion(FConfig);
    QVERIFY(QDir().mkpath(FConfig + "/Morvanti"));
    const FifoServida fifo(ruta, "[General]\nTipoPinaco=2\n");
    const auto antes = [&] { return std::pair(QFileInfo(ruta).isFile(), QFileInfo(ruta).size()); };
    const auto visto = antes();
    FPinaco = std::make_unique<TPinaco>(FCarpeta->filePath("pinaco"));
    QVERIFY(QSignalSpy(FPinaco.get(), &TPinaco::ErrorDeCarga).wait(3000));
    FPinaco.reset();
    QCOMPARE(FCajas.vistas.size(), 1);
    QCOMPARE(FCajas.vistas[0].Titulo, QString("Error chungo"));
    QVERIFY(FCajas.vistas[0].Texto.startsWith("Error crítico en el fichero de configuración."));
    QVERIFY(FCajas.vistas[0].Texto.contains(ruta));
    QCOMPARE(antes(), visto);
}

// Told once, as a failed save of the notes, until the settings save again.
void TestConfiguracion::fallosAlGuardarSeAvisanUnaVez() {
    const QString carpeta = FConfig + "/Morvanti";
    EscribirBytes(carpeta, "un fichero donde va la carpeta");
    Arrancar();
    FPinaco->GuardarConfiguracion();
    QCOMPARE(FCajas.vistas.size(), 1);
    QVERIFY(FCajas.vistas[0].Texto.contains(ArchivoConfiguracion(FConfig)));
    QVERIFY(QFile::remove(carpeta));
    FPinaco->GuardarConfiguracion();
    QCOMPARE(Guardado("TipoPinaco"), QString("1"));
    QVERIFY(QDir(carpeta).removeRecursively());
    EscribirBytes(carpeta, "otra vez");
    FPinaco->GuardarConfiguracion();
    QCOMPARE(FCajas.vistas.size(), 2);
}

// A settings file that is a link is written at its target, whose folder may be the only one
// the user can write, and stays a link.
void TestConfiguracion::enlaceSeGuardaEnSuDestino() {
    const QString destino = FCarpeta->filePath("otra/Pinaco.conf");
    QVERIFY(QDir().mkpath(FConfig + "/Morvanti") && QDir().mkpath(FCarpeta->filePath("otra")));
    QVERIFY(QFile::link(destino, ArchivoConfiguracion(FConfig)));
    chmod(QFile::encodeName(FCarpeta->filePath("otra")), 0777);
    const auto cerrar = [&](mode_t modo) {
        for (const QString& c : {FCarpeta->path(), FConfig, FConfig + "/Morvanti"})
            chmod(QFile::encodeName(c), modo);
    };
    cerrar(0555);
    const QByteArray error = SinPrivilegios([] {
        QSettings registro(RegistroConfiguracion::RutaArchivo(), QSettings::IniFormat);
        return QByteArray::number(int(RegistroConfiguracion::Escribir(registro, {}, {})));
    });
    cerrar(0755);
    QCOMPARE(error, QByteArray::number(int(ErrorArchivo::Ninguno)));
    QVERIFY(QFileInfo(ArchivoConfiguracion(FConfig)).isSymLink());
    QCOMPARE(QSettings(destino, QSettings::IniFormat).value("ServerPort").toString(), "2222");
}

QTEST_MAIN(TestConfiguracion)
#include "test_configuracion.moc"
