// The General and Security tabs of the configuration dialog: what OK stores, what each box
// enables, the two sounds' buttons and the number fields' filter.
#include "config/PanelGeneral.h"
#include "config/PanelSeguridad.h"
#include "core/Configuracion.h"

#include "tests/ArchivosPrueba.h"
#include "tests/DialogosPrueba.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSemaphore>
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
using G = PanelGeneral;
using S = PanelSeguridad;
using C = Configuracion;

template <class P, class B> Accion Clic(P Paneles::*panel, B* P::*boton) {
    return [=](Paneles& p) { ((p.*panel).*boton)->click(); };
}
template <class T> Cambio Poner(T C::*ajuste, T valor) {
    return [=](C& c) { c.*ajuste = valor; };
}

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
    void numeros_data();
    void numeros();
    void seguridad();
    void play_data();
    void play();
    void fallos_data();
    void fallos();
    void filtro();
};

void TestPanelesConfig::escribir_data() {
    QTest::addColumn<Cambio>("antes"); // of the stored settings
    QTest::addColumn<Accion>("accion");
    QTest::addColumn<Cambio>("cambio");
    const Cambio nada = [](C&) {};
    const auto fila = [](const char* nombre, Cambio antes, Cambio cambio, Accion accion) {
        QTest::newRow(nombre) << antes << accion << cambio;
    };
    // Every box flipped at once: a box not written back, or written to another setting of
    // a different stored value, leaves its setting as it was.
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
    // A stored type other than 1 or 2 checks neither radio and is kept unless one is picked.
    const Cambio tipo3 = Poner(&C::TipoPinaco, 3);
    fila("rbTipoPinacoOriginal", nada, Poner(&C::TipoPinaco, 1),
         Clic(&Paneles::general, &G::rbTipoPinacoOriginal));
    fila("tipo 3 sin radio se conserva", tipo3, nada, {});
    fila("tipo 3 y rbTipoPinacoExtendido", tipo3, Poner(&C::TipoPinaco, 2),
         Clic(&Paneles::general, &G::rbTipoPinacoExtendido));
    const Cambio temporal = [](C& c) { c.RetiroPermanente = !(c.RetiroTemporal = true); };
    fila("radioRetirarTemporal", nada, temporal,
         Clic(&Paneles::seguridad, &S::radioRetirarTemporal));
    fila("clic en minutos", nada, temporal,
         [](Paneles& p) { QTest::mouseClick(p.seguridad.lblMinutos, Qt::LeftButton); });
    fila("ningun retiro guardado", Poner(&C::RetiroPermanente, false), nada, {});
    const Cambio sinLog = Poner(&C::LogFilename, QString());
    fila("log sin nombre", sinLog, Poner(&C::LogFilename, QStringLiteral("pinaco.LOG")), {});
    fila(
        "log apagado sin nombre", sinLog, [](C& c) { c.CrearArchivoLog = false; },
        Clic(&Paneles::seguridad, &S::chkArchivoLog));
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
void TestPanelesConfig::numeros_data() {
    QTest::addColumn<int>("campo");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("guardado");
    QTest::newRow("puerto 1024") << 0 << "1024" << 2222;
    QTest::newRow("puerto 1025") << 0 << "1025" << 1025;
    QTest::newRow("puerto 9999") << 0 << "9999" << 9999;
    QTest::newRow("puerto 10000") << 0 << "10000" << 2222;
    QTest::newRow("notas con signo") << 1 << "-5" << 5; // set, not typed: the filter is bypassed
    QTest::newRow("segundos mas de 32 bits") << 2 << "2147483648" << 60;
}

void TestPanelesConfig::numeros() {
    QFETCH(int, campo);
    QFETCH(QString, texto);
    QFETCH(int, guardado);
    int C::*const ajustes[] = {&C::ServerPort, &C::NumMaxNotas, &C::NumMinSegundos,
                               &C::RetiroTemporalMinutos};
    Configuracion c = Guardada();
    c.HabilitarNumMaxNotas = false; // disabled fields are stored all the same
    Paneles p(c);
    QLineEdit* edit =
        QList{p.seguridad.editServerPort, p.seguridad.editNumMaxNotas,
              p.seguridad.editNumMinSegundos, p.seguridad.editRetirarTemporalMinutos}[campo];
    edit->setText(texto);
    QCOMPARE(p.Aceptar(c).*ajustes[campo], guardado);
    QCOMPARE(edit->text(), QString::number(guardado));
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

void TestPanelesConfig::play_data() {
    QTest::addColumn<bool>("guardadoExiste");
    QTest::addColumn<bool>("borrarGuardado"); // after the tab was filled
    QTest::newRow("guardado existe") << true << false;
    QTest::newRow("sin guardado") << false << false;
    QTest::newRow("guardado borrado despues") << true << true;
}

// Stop is off until a sound plays; play follows the box and the stored setting's file, and
// plays the chosen one.
void TestPanelesConfig::play() {
    QFETCH(bool, guardadoExiste);
    QFETCH(bool, borrarGuardado);
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
    // Unticked, the box takes choose and play away.
    g.chkAvisoSonoroCaduca->click();
    QVERIFY(!g.btnCargarWAVcaduca->isEnabled() && !g.btnPlaySoundCaduca->isEnabled());
}

void TestPanelesConfig::fallos_data() {
    QTest::addColumn<QByteArray>("contenido"); // of the chosen file; empty: not there
    QTest::addColumn<bool>("haySalida");
    QTest::addColumn<int>("esperaSonda"); // ms; 0: the look answers at once
    QTest::addColumn<QString>("causa");
    QTest::newRow("no es wav") << QByteArray("no es un wav") << true << 0
                               << "No es un archivo WAV válido.";
    QTest::newRow("sin dispositivo")
        << QByteArray("RIFF") << false << 0 << "No hay ningún dispositivo de sonido.";
    QTest::newRow("sonido que no responde")
        << QByteArray("RIFF") << true << 50 << "El sistema de sonido no responde.";
    QTest::newRow("elegido borrado") << QByteArray() << true << 0 << "El archivo no existe.";
}

// One message, and the buttons usable again.
void TestPanelesConfig::fallos() {
    QFETCH(QByteArray, contenido);
    QFETCH(bool, haySalida);
    QFETCH(int, esperaSonda);
    QFETCH(QString, causa);
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
    QTRY_COMPARE(p.cajas.Textos(), QStringList{"No se puede reproducir el archivo:\r" +
                                               g.RutaWAVRecibir + "\r" + causa});
    QVERIFY(g.btnPlaySoundRecibir->isEnabled() && !g.btnStopSoundRecibir->isEnabled());
    QTest::qWait(100);
    QCOMPARE(p.cajas.vistas.size(), 1);
}

// The number fields take digits only, typed or pasted; backspace still deletes.
void TestPanelesConfig::filtro() {
    PanelSeguridad s;
    s.chkNumMaxNotas->click();
    QLineEdit* edit = s.editNumMinSegundos;
    edit->clear();
    QTest::keyClicks(edit, "2a-3+x");
    for (const char* pegado : {"4 5", "45"}) {
        QGuiApplication::clipboard()->setText(pegado);
        edit->paste();
    }
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QString("234"));
}

QTEST_MAIN(TestPanelesConfig)
#include "test_panelesconfig.moc"
