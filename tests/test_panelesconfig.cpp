// The General and Security tabs of the configuration dialog.
#include "config/FrmConfigurarPinaco.h"
#include "config/PanelGeneral.h"
#include "config/PanelSeguridad.h"
#include "core/Configuracion.h"
#include "storage/ListaIP.h"

#include "tests/ArchivosPrueba.h"
#include "tests/DialogosPrueba.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <QtTest>

namespace {

// Both tabs, filled from the settings, with the message boxes answered and kept.
struct Paneles {
    PanelGeneral general;
    PanelSeguridad seguridad;
    Cajas cajas;

    explicit Paneles(const Configuracion& c) {
        general.Rellenar(c);
        seguridad.Rellenar(c);
    }

    Configuracion Aceptar(Configuracion c) {
        general.Escribir(c);
        seguridad.Escribir(c, QStringLiteral("pinaco.LOG"));
        return c;
    }
};

using Accion = std::function<void(Paneles&)>;
using Cambio = std::function<void(Configuracion&)>;
using C = Configuracion;

// Settings away from the first-run defaults, so that every control's write-back shows.
Configuracion Guardada() {
    Configuracion c;
    c.ExecOnWindowsLoad = c.AvisoNotaCaducada = c.CrearArchivoLog = c.HabilitarNumMaxNotas = true;
    c.AvisoNotaCaducadaWAV = QStringLiteral("/sonidos/caduca.wav");
    c.LogFilename = QStringLiteral("/var/log/pinaco.log");
    c.TipoPinaco = 2;
    c.ServerPort = 3000;
    c.NumMaxNotas = 7;
    return c;
}

// The look for a sound output answers only when the test lets it go.
struct SondaRetenida {
    std::shared_ptr<QSemaphore> suelta = std::make_shared<QSemaphore>();
    SondaRetenida(bool respuesta, int esperaMs) {
        ReproductorWav::FijarSonda(
            [s = suelta, respuesta] {
                s->acquire();
                return respuesta;
            },
            std::chrono::milliseconds(esperaMs));
    }
    ~SondaRetenida() {
        suelta->release(100);
        ReproductorWav::FijarSonda({}, std::chrono::seconds(3));
    }
};

} // namespace

Q_DECLARE_METATYPE(Accion)
Q_DECLARE_METATYPE(Cambio)

class TestPanelesConfig : public QObject {
    Q_OBJECT

private slots:
    void escribir_data();
    void escribir();
    void numeros();
    void seguridad();
    void play();
    void fallos();
    void logRechazado_data();
    void logRechazado();
};

void TestPanelesConfig::escribir_data() {
    QTest::addColumn<Cambio>("antes"); // of the stored settings
    QTest::addColumn<Accion>("accion");
    QTest::addColumn<Cambio>("cambio");
    const Cambio nada = [](C&) {};
    const auto fila = [](const char* nombre, Cambio antes, Cambio cambio, Accion accion) {
        QTest::newRow(nombre) << antes << accion << cambio;
    };
    // Every box flipped at once: one not written back, or to another setting, shows.
    fila(
        "todas las casillas", nada,
        [](C& c) {
            for (bool C::*ajuste :
                 {&C::ExecOnWindowsLoad, &C::MinimizeToTray, &C::AlwaysOnTop,
                  &C::NotasCanOverlapPinaco, &C::ConfirmarBorrarNota, &C::AvisoNotaCaducada,
                  &C::AvisoNotaRecibida, &C::ServerActivo, &C::ActualizarPuertoAlEnviarNota,
                  &C::CrearArchivoLog, &C::LogWithSenderName, &C::LogWithNotaText,
                  &C::HabilitarNumMaxNotas})
                c.*ajuste = !(c.*ajuste);
        },
        [](Paneles& p) {
            for (QCheckBox* casilla :
                 p.general.findChildren<QCheckBox*>() + p.seguridad.findChildren<QCheckBox*>())
                casilla->toggle(); // a click would miss the boxes the others disable
        });
    // A stored type other than 1 or 2, or no withdrawal, checks no radio and is kept unless
    // one is picked; a log without a name gets the default one, unless switched off.
    const Cambio sinNada = [](C& c) {
        c.TipoPinaco = 3, c.RetiroPermanente = false, c.LogFilename = {};
    };
    fila("nada elegido", sinNada, [](C& c) { c.LogFilename = QStringLiteral("pinaco.LOG"); }, {});
    fila(
        "Original, temporal y log apagado", sinNada,
        [](C& c) { c.TipoPinaco = 1, c.RetiroTemporal = true, c.CrearArchivoLog = false; },
        [](Paneles& p) {
            p.general.rbTipoPinacoOriginal->click();
            p.seguridad.radioRetirarTemporal->click();
            p.seguridad.chkArchivoLog->click();
        });
    fila(
        "Extendido y clic en minutos", [](C& c) { c.TipoPinaco = 3; },
        [](C& c) { c.TipoPinaco = 2, c.RetiroPermanente = !(c.RetiroTemporal = true); },
        [](Paneles& p) {
            p.general.rbTipoPinacoExtendido->click();
            QTest::mouseClick(p.seguridad.lblMinutos, Qt::LeftButton);
        });
    // A chooser fills in what it was given; cancelled, it leaves the field as it was.
    for (const QString mas : {"2", ""})
        fila(
            mas.isEmpty() ? "cancelar los selectores" : "elegir sonido y log", nada,
            [=](C& c) { c.AvisoNotaCaducadaWAV += mas, c.LogFilename += mas; },
            [=](Paneles& p) {
                p.general.ElegirArchivoWAV = p.seguridad.ElegirArchivoLog =
                    [=](const QString& actual) { return mas.isEmpty() ? mas : actual + mas; };
                p.general.btnCargarWAVcaduca->click();
                p.seguridad.btnEscogerArchivoLog->click();
            });
}

void TestPanelesConfig::escribir() {
    QFETCH(Cambio, antes);
    QFETCH(Accion, accion);
    QFETCH(Cambio, cambio);
    Configuracion guardada = Guardada();
    antes(guardada);
    Paneles p(guardada);
    if (accion)
        accion(p);
    Configuracion esperada = guardada;
    cambio(esperada);
    QVERIFY(p.Aceptar(guardada) == esperada);
}

// Each number field to its setting, with its own default, shown in the field.
void TestPanelesConfig::numeros() {
    // The text is set, not typed: the filter is bypassed.
    const std::tuple<int, const char*, int> casos[] = {{0, "1024", 2222}, {0, "1025", 1025},
                                                       {0, "9999", 9999}, {0, "10000", 2222},
                                                       {1, "-5", 5},      {2, "2147483648", 60}};
    int C::*const ajustes[] = {&C::ServerPort, &C::NumMaxNotas, &C::NumMinSegundos};
    for (const auto& [campo, texto, guardado] : casos) {
        Configuracion c = Guardada();
        c.HabilitarNumMaxNotas = false; // disabled fields are stored all the same
        Paneles p(c);
        QLineEdit* edit = QList{p.seguridad.editServerPort, p.seguridad.editNumMaxNotas,
                                p.seguridad.editNumMinSegundos}[campo];
        edit->setText(texto);
        QCOMPARE(p.Aceptar(c).*ajustes[campo], guardado);
        QCOMPARE(edit->text(), QString::number(guardado));
    }
}

// Each box, filled or clicked from the opposite state, enables its own controls only.
void TestPanelesConfig::seguridad() {
    for (int activo = 0; activo < 3; ++activo)
        for (bool clicado : {false, true}) {
            Configuracion c;
            c.ServerActivo = (activo == 0) != clicado;
            c.CrearArchivoLog = (activo == 1) != clicado;
            c.HabilitarNumMaxNotas = (activo == 2) != clicado;
            PanelSeguridad s;
            s.Rellenar(c);
            if (clicado)
                for (QCheckBox* casilla : {s.chkServerActivo, s.chkArchivoLog, s.chkNumMaxNotas})
                    casilla->click();
            const QList<QWidget*> grupos[] = {{s.editServerPort},
                                              {s.chkLogApuntarTexto, s.editLogArchivo},
                                              {s.radioRetirarTemporal, s.editNumMinSegundos}};
            for (int grupo = 0; grupo < 3; ++grupo)
                for (QWidget* control : grupos[grupo])
                    QCOMPARE(control->isEnabled(), grupo == activo);
            QVERIFY(s.chkQuiereActualizarPuertoDelSevidor->isEnabled());
        }
}

// Stop is off until a sound plays; play follows the stored file and plays the chosen one.
void TestPanelesConfig::play() {
    // The stored file there or not, and removed after the tab was filled.
    for (const auto& [guardadoExiste, borrarGuardado] :
         {std::pair{true, false}, {false, false}, {true, true}}) {
        const SondaRetenida sonda(true, 3600000);
        QTemporaryDir carpeta;
        Configuracion c;
        c.AvisoNotaCaducada = c.AvisoNotaRecibida = true;
        c.AvisoNotaCaducadaWAV = ArchivoEn(carpeta, "guardado.wav", guardadoExiste ? "RIFF" : "");
        c.AvisoNotaRecibidaWAV = ArchivoEn(carpeta, "recibir.wav", "RIFF");
        const QString elegido = ArchivoEn(carpeta, "elegido.wav", "RIFF");
        Paneles p(c);
        PanelGeneral& g = p.general;
        QVERIFY(!g.btnStopSoundCaduca->isEnabled());
        g.ElegirArchivoWAV = [&](const QString&) { return elegido; };
        g.btnCargarWAVcaduca->click();
        QCOMPARE(g.btnPlaySoundCaduca->isEnabled(), guardadoExiste);
        if (borrarGuardado)
            QVERIFY(QFile::remove(c.AvisoNotaCaducadaWAV));

        g.btnPlaySoundCaduca->click();
        const bool suena = guardadoExiste && !borrarGuardado;
        QCOMPARE(g.MediaPlayer.Archivo(), suena ? elegido : QString());
        QCOMPARE(g.btnStopSoundCaduca->isEnabled(), suena);
        QCOMPARE(g.btnPlaySoundCaduca->isEnabled(), !suena && guardadoExiste);
        QCOMPARE(g.btnPlaySoundRecibir->isEnabled(), !suena);

        emit g.MediaPlayer.Terminado();
        QVERIFY(!g.btnStopSoundCaduca->isEnabled());
        QCOMPARE(g.btnPlaySoundCaduca->isEnabled(), suena);
        QVERIFY(p.cajas.vistas.isEmpty());
    }
}

// One message, and the buttons usable again.
void TestPanelesConfig::fallos() {
    // The chosen file (empty: not there), a sound output or not, the look's answer in ms (0: at
    // once), and the cause told.
    const std::tuple<QByteArray, bool, int, const char*> casos[] = {
        {"no es un wav", true, 0, "No es un archivo WAV válido."},
        {"RIFF", false, 0, "No hay ningún dispositivo de sonido."},
        {"RIFF", true, 50, "El sistema de sonido no responde."},
        {{}, true, 0, "El archivo no existe."}};
    for (const auto& [contenido, haySalida, esperaSonda, causa] : casos) {
        const SondaRetenida sonda(haySalida, esperaSonda ? esperaSonda : 60000);
        if (!esperaSonda)
            sonda.suelta->release(100);
        QTemporaryDir carpeta;
        Configuracion c;
        c.AvisoNotaRecibida = true;
        c.AvisoNotaRecibidaWAV = ArchivoEn(carpeta, "guardado.wav", "RIFF");
        Paneles p(c);
        PanelGeneral& g = p.general;
        g.RutaWAVRecibir = ArchivoEn(carpeta, "elegido.wav", contenido);
        g.btnPlaySoundRecibir->click();
        QTRY_COMPARE(p.cajas.Textos(),
                     QStringList{"No se puede reproducir el archivo:\r" + g.RutaWAVRecibir + "\r" +
                                 QString::fromUtf8(causa)});
        QVERIFY(g.btnPlaySoundRecibir->isEnabled() && !g.btnStopSoundRecibir->isEnabled());
        QTest::qWait(100);
        QCOMPARE(p.cajas.vistas.size(), 1);
    }
}

void TestPanelesConfig::logRechazado_data() {
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("aviso"); // the message's first line; empty: accepted
    // Which names are the board's own files is the log's test (test_servidornotas, choqueDeLog).
    QTest::newRow("notas") << "pinaco.DAT"
                           << "El archivo de Log no puede ser:";
    QTest::newRow("sin carpeta") << "no/hay/pinaco.log"
                                 << "No se puede escribir el archivo de Log:";
    QTest::newRow("una carpeta") << "conf"
                                 << "No se puede escribir el archivo de Log:";
    QTest::newRow("libre") << "registro.log"
                           << "";
}

// OK refuses a log that would write into the board's own files or cannot be written; the
// dialog stays open on the Security tab and nothing is stored.
void TestPanelesConfig::logRechazado() {
    QFETCH(QString, nombre);
    QFETCH(QString, aviso);
    QTemporaryDir carpeta;
    QVERIFY(QDir(carpeta.path()).mkdir("conf"));
    const ArchivosPropios propios{
        carpeta.filePath("pinaco.DAT"),       carpeta.filePath("pinaco.NET"),
        carpeta.filePath("conf/Pinaco.conf"), carpeta.filePath("pinaco.RET"),
        carpeta.filePath("pinaco.BOR"),       carpeta.filePath("pinaco.PEN")};
    Configuracion c;
    ListaIP libreta;
    int guardados = 0;
    Cajas cajas;
    TfrmConfigurarPinaco d(
        c, libreta, "pinaco.LOG", propios, [&] { ++guardados; }, nullptr);
    d.panelSeguridad->chkArchivoLog->setChecked(true);
    d.panelSeguridad->editLogArchivo->setText(nombre);
    d.BitBtnOK->click();
    if (aviso.isEmpty()) {
        QVERIFY(cajas.vistas.isEmpty());
        QCOMPARE(c.LogFilename, nombre);
        QCOMPARE(guardados, 1);
        return;
    }
    QCOMPARE(cajas.vistas.size(), 1);
    QCOMPARE(cajas.vistas[0].Texto.section(u'\r', 0, 1), aviso + u'\r' + propios.RutaLog(nombre));
    QVERIFY(!c.CrearArchivoLog && c.LogFilename.isEmpty() && guardados == 0);
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(d.TabControl->currentIndex(), 2);
}

QTEST_MAIN(TestPanelesConfig)
#include "test_panelesconfig.moc"
