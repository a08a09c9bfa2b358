// The General and Security tabs of the configuration dialog: what OK stores, what each box
// enables, the two sounds' buttons and the number fields' filter.
#include "config/PanelGeneral.h"
#include "config/PanelSeguridad.h"
#include "core/Configuracion.h"
#include "core/ValoresConfiguracion.h"
#include "notes/Mensaje.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

// Both tabs, filled from the settings, with the message boxes answered and kept.
struct Paneles {
    PanelGeneral general;
    PanelSeguridad seguridad;
    QList<PeticionMensaje> mensajes;

    explicit Paneles(const Configuracion& c) {
        general.Rellenar(c);
        seguridad.Rellenar(c);
        FijarRespondedorMensajes([this](const PeticionMensaje& p) {
            mensajes.append(p);
            return QMessageBox::Ok;
        });
    }
    ~Paneles() { FijarRespondedorMensajes({}); }

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
Cambio Invertir(bool C::*ajuste) {
    return [=](C& c) { c.*ajuste = !(c.*ajuste); };
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

QString Archivo(const QTemporaryDir& carpeta, const char* nombre, const QByteArray& bytes) {
    QFile f(carpeta.filePath(QString::fromLatin1(nombre)));
    if (!bytes.isEmpty() && (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()))
        qFatal("no se pudo escribir %s", nombre);
    return f.fileName();
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

QLineEdit* S::*const kNumeros[] = {&S::editServerPort, &S::editNumMaxNotas, &S::editNumMinSegundos,
                                   &S::editRetirarTemporalMinutos};

} // namespace

Q_DECLARE_METATYPE(Accion)
Q_DECLARE_METATYPE(Cambio)

class TestPanelesConfig : public QObject {
    Q_OBJECT

private slots:
    void valores_data();
    void valores();
    void escribir_data();
    void escribir();
    void numeros_data();
    void numeros();
    void seguridad_data();
    void seguridad();
    void sonidos_data();
    void sonidos();
    void play_data();
    void play();
    void fallos_data();
    void fallos();
    void filtro_data();
    void filtro();
};

void TestPanelesConfig::valores_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("numero"); // default 60
    QTest::addColumn<int>("puerto");
    QTest::addColumn<QString>("log"); // with logging on, default "x.LOG"
    QTest::newRow("vacio") << "" << 60 << 2222 << "x.LOG";
    QTest::newRow("1024") << "1024" << 1024 << 2222 << "1024";
    QTest::newRow("1025") << "1025" << 1025 << 1025 << "1025";
    QTest::newRow("9999") << "9999" << 9999 << 9999 << "9999";
    QTest::newRow("10000") << "10000" << 10000 << 2222 << "10000";
    QTest::newRow("ceros delante") << "03000" << 3000 << 3000 << "03000";
    QTest::newRow("32 bits justos") << "2147483647" << 2147483647 << 2222 << "2147483647";
    QTest::newRow("mas de 32 bits") << "2147483648" << 60 << 2222 << "2147483648";
    QTest::newRow("letra") << "12a" << 60 << 2222 << "12a";
    QTest::newRow("signo") << "-5" << 60 << 2222 << "-5";
}

void TestPanelesConfig::valores() {
    QFETCH(QString, texto);
    QTEST(NumeroDeCampo(texto, 60), "numero");
    QTEST(PuertoServidorDeCampo(texto), "puerto");
    QTEST(NombreLogDeCampo(texto, true, QStringLiteral("x.LOG")), "log");
    QCOMPARE(NombreLogDeCampo(texto, false, QStringLiteral("x.LOG")), texto);
}

void TestPanelesConfig::escribir_data() {
    QTest::addColumn<Cambio>("antes"); // of the stored settings
    QTest::addColumn<Accion>("accion");
    QTest::addColumn<Cambio>("cambio");
    const Cambio nada = [](C&) {};
    const Cambio tipo3 = [](C& c) { c.TipoPinaco = 3; };
    auto fila = [&](const char* nombre, Accion a, Cambio c, Cambio antes = {}) {
        QTest::newRow(nombre) << (antes ? antes : nada) << a << c;
    };
    fila(
        "nada", [](Paneles&) {}, nada);
    fila("chkExeOnWindowsLoad", Clic(&Paneles::general, &G::chkExeOnWindowsLoad),
         Invertir(&C::ExecOnWindowsLoad));
    fila("chkMinimizeToTray", Clic(&Paneles::general, &G::chkMinimizeToTray),
         Invertir(&C::MinimizeToTray));
    fila("chkAlwaysOnTop", Clic(&Paneles::general, &G::chkAlwaysOnTop), Invertir(&C::AlwaysOnTop));
    fila("chkCanOverlap", Clic(&Paneles::general, &G::chkCanOverlap),
         Invertir(&C::NotasCanOverlapPinaco));
    fila("chkConfirmarBorrarNotas", Clic(&Paneles::general, &G::chkConfirmarBorrarNotas),
         Invertir(&C::ConfirmarBorrarNota));
    fila("chkAvisoSonoroCaduca", Clic(&Paneles::general, &G::chkAvisoSonoroCaduca),
         Invertir(&C::AvisoNotaCaducada));
    fila("chkAvisoSonoroNetNota", Clic(&Paneles::general, &G::chkAvisoSonoroNetNota),
         Invertir(&C::AvisoNotaRecibida));
    fila("rbTipoPinacoOriginal", Clic(&Paneles::general, &G::rbTipoPinacoOriginal),
         [](C& c) { c.TipoPinaco = 1; });
    fila(
        "tipo 3 sin radio se conserva", [](Paneles&) {}, nada, tipo3);
    fila(
        "tipo 3 y rbTipoPinacoExtendido", Clic(&Paneles::general, &G::rbTipoPinacoExtendido),
        [](C& c) { c.TipoPinaco = 2; }, tipo3);
    fila("chkServerActivo", Clic(&Paneles::seguridad, &S::chkServerActivo),
         Invertir(&C::ServerActivo));
    fila("chkQuiereActualizarPuertoDelSevidor",
         Clic(&Paneles::seguridad, &S::chkQuiereActualizarPuertoDelSevidor),
         Invertir(&C::ActualizarPuertoAlEnviarNota));
    fila("chkArchivoLog", Clic(&Paneles::seguridad, &S::chkArchivoLog),
         Invertir(&C::CrearArchivoLog));
    fila("chkLogApuntarNombre", Clic(&Paneles::seguridad, &S::chkLogApuntarNombre),
         Invertir(&C::LogWithSenderName));
    fila("chkLogApuntarTexto", Clic(&Paneles::seguridad, &S::chkLogApuntarTexto),
         Invertir(&C::LogWithNotaText));
    fila("chkNumMaxNotas", Clic(&Paneles::seguridad, &S::chkNumMaxNotas),
         Invertir(&C::HabilitarNumMaxNotas));
    const Cambio temporal = [](C& c) { c.RetiroPermanente = !(c.RetiroTemporal = true); };
    fila("radioRetirarTemporal", Clic(&Paneles::seguridad, &S::radioRetirarTemporal), temporal);
    fila(
        "clic en minutos",
        [](Paneles& p) { QTest::mouseClick(p.seguridad.lblMinutos, Qt::LeftButton); }, temporal);
    fila(
        "ningun retiro guardado", [](Paneles&) {}, nada, [](C& c) { c.RetiroPermanente = false; });
    fila(
        "log sin nombre", [](Paneles& p) { p.seguridad.editLogArchivo->clear(); },
        [](C& c) { c.LogFilename = QStringLiteral("pinaco.LOG"); });
    fila(
        "elegir sonido y log",
        [](Paneles& p) {
            p.general.ElegirArchivoWAV = [](const QString& actual) { return actual + "2"; };
            p.seguridad.ElegirArchivoLog = p.general.ElegirArchivoWAV;
            p.general.btnCargarWAVcaduca->click();
            p.seguridad.btnEscogerArchivoLog->click();
        },
        [](C& c) {
            c.AvisoNotaCaducadaWAV += "2";
            c.LogFilename += "2";
        });
    fila(
        "cancelar los selectores",
        [](Paneles& p) {
            p.general.ElegirArchivoWAV =
                p.seguridad.ElegirArchivoLog = [](const QString&) { return QString(); };
            p.general.btnCargarWAVcaduca->click();
            p.seguridad.btnEscogerArchivoLog->click();
        },
        nada);
}

void TestPanelesConfig::escribir() {
    QFETCH(Cambio, antes);
    QFETCH(Accion, accion);
    QFETCH(Cambio, cambio);
    Configuracion guardada = Guardada();
    antes(guardada);
    Paneles p(guardada);
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
    QTest::newRow("puerto fuera de rango") << 0 << "1024" << 2222;
    QTest::newRow("notas vacio") << 1 << "" << 5;
    QTest::newRow("segundos demasiadas cifras") << 2 << "99999999999" << 60;
    QTest::newRow("minutos vacio") << 3 << "" << 5;
    QTest::newRow("minutos 12") << 3 << "12" << 12;
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
    QLineEdit* edit = p.seguridad.*kNumeros[campo];
    edit->setText(texto);
    QCOMPARE(p.Aceptar(c).*ajustes[campo], guardado);
    QCOMPARE(edit->text(), QString::number(guardado));
}

void TestPanelesConfig::seguridad_data() {
    QTest::addColumn<bool>("servidor");
    QTest::addColumn<bool>("log");
    QTest::addColumn<bool>("limite");
    QTest::newRow("todo apagado") << false << false << false;
    QTest::newRow("solo servidor") << true << false << false;
    QTest::newRow("solo log") << false << true << false;
    QTest::newRow("solo limite") << false << false << true;
}

// Filled, or clicked from the opposite state: the same controls enabled, white or silver.
void TestPanelesConfig::seguridad() {
    QFETCH(bool, servidor);
    QFETCH(bool, log);
    QFETCH(bool, limite);
    for (bool clicado : {false, true}) {
        Configuracion c;
        c.ServerActivo = servidor != clicado;
        c.CrearArchivoLog = log != clicado;
        c.HabilitarNumMaxNotas = limite != clicado;
        PanelSeguridad s;
        s.Rellenar(c);
        if (clicado)
            for (QCheckBox* casilla : {s.chkServerActivo, s.chkArchivoLog, s.chkNumMaxNotas})
                casilla->click();
        const std::pair<bool, QList<QWidget*>> grupos[] = {
            {servidor, {s.editServerPort}},
            {log,
             {s.chkLogApuntarNombre, s.chkLogApuntarTexto, s.lblArchivo, s.editLogArchivo,
              s.btnEscogerArchivoLog}},
            {limite,
             {s.lblSiUnUsuario, s.editNumMaxNotas, s.lblNotas, s.lblEnMenosDe, s.editNumMinSegundos,
              s.lblSegundos, s.radioRetirarPermanente, s.radioRetirarTemporal,
              s.editRetirarTemporalMinutos, s.lblMinutos}}};
        for (const auto& [activo, controles] : grupos)
            for (QWidget* control : controles) {
                QCOMPARE(control->isEnabled(), activo);
                if (auto* campo = qobject_cast<QLineEdit*>(control))
                    QCOMPARE(campo->palette().color(campo->isEnabled() ? QPalette::Active
                                                                       : QPalette::Disabled,
                                                    QPalette::Base),
                             activo ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xC0, 0xC0, 0xC0));
            }
        QVERIFY(s.chkQuiereActualizarPuertoDelSevidor->isEnabled());
    }
}

void TestPanelesConfig::sonidos_data() {
    QTest::addColumn<bool>("aviso");
    QTest::addColumn<bool>("existe"); // the stored file
    QTest::newRow("con aviso y archivo") << true << true;
    QTest::newRow("con aviso sin archivo") << true << false;
    QTest::newRow("sin aviso con archivo") << false << true;
}

// Choose follows the box; play, the box and the stored file; stop is off until a sound plays.
void TestPanelesConfig::sonidos() {
    QFETCH(bool, aviso);
    QFETCH(bool, existe);
    QTemporaryDir carpeta;
    Configuracion c;
    c.AvisoNotaRecibida = aviso;
    c.AvisoNotaRecibidaWAV = Archivo(carpeta, "r.wav", existe ? "RIFF" : "");
    PanelGeneral g;
    g.Rellenar(c);
    for (bool casilla : {aviso, !aviso}) {
        QCOMPARE(g.btnCargarWAVrecibir->isEnabled(), casilla);
        QCOMPARE(g.btnPlaySoundRecibir->isEnabled(), casilla && existe);
        QVERIFY(!g.btnStopSoundRecibir->isEnabled());
        QVERIFY(!g.btnPlaySoundCaduca->isEnabled() && !g.btnStopSoundCaduca->isEnabled());
        g.chkAvisoSonoroNetNota->click();
    }
}

void TestPanelesConfig::play_data() {
    QTest::addColumn<bool>("guardadoExiste");
    QTest::addColumn<bool>("borrarGuardado"); // after the tab was filled
    QTest::newRow("guardado existe") << true << false;
    QTest::newRow("sin guardado") << false << false;
    QTest::newRow("guardado borrado despues") << true << true;
}

// Play follows the stored setting's file and plays the chosen one.
void TestPanelesConfig::play() {
    QFETCH(bool, guardadoExiste);
    QFETCH(bool, borrarGuardado);
    const SondaRetenida sonda(true, 3600000);
    QTemporaryDir carpeta;
    Configuracion c;
    c.AvisoNotaCaducada = true;
    c.AvisoNotaCaducadaWAV = Archivo(carpeta, "guardado.wav", guardadoExiste ? "RIFF" : "");
    c.AvisoNotaRecibida = true;
    c.AvisoNotaRecibidaWAV = Archivo(carpeta, "recibir.wav", "RIFF");
    const QString elegido = Archivo(carpeta, "elegido.wav", "RIFF");
    Paneles p(c);
    PanelGeneral& g = p.general;
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
    QVERIFY(p.mensajes.isEmpty());
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
    c.AvisoNotaRecibidaWAV = Archivo(carpeta, "guardado.wav", "RIFF");
    Paneles p(c);
    PanelGeneral& g = p.general;
    g.RutaWAVRecibir = Archivo(carpeta, "elegido.wav", contenido);
    g.btnPlaySoundRecibir->click();
    QTRY_COMPARE(p.mensajes.size(), 1);
    QCOMPARE(p.mensajes[0].Texto,
             "No se puede reproducir el archivo:\r" + g.RutaWAVRecibir + "\r" + causa);
    QVERIFY(g.btnPlaySoundRecibir->isEnabled() && !g.btnStopSoundRecibir->isEnabled());
    QTest::qWait(100);
    QCOMPARE(p.mensajes.size(), 1);
}

void TestPanelesConfig::filtro_data() {
    QTest::addColumn<int>("campo");
    QTest::addColumn<QString>("teclas");
    QTest::addColumn<QString>("pegado");
    QTest::addColumn<QString>("texto");
    QTest::newRow("puerto") << 0 << "2a3-"
                            << ""
                            << "223";
    QTest::newRow("notas") << 1 << "x9"
                           << "1 2"
                           << "59";
    QTest::newRow("segundos") << 2 << "+"
                              << "42"
                              << "6042";
    QTest::newRow("minutos") << 3 << "-7"
                             << "e"
                             << "57";
}

// Digits only, typed or pasted; backspace still deletes.
void TestPanelesConfig::filtro() {
    QFETCH(int, campo);
    QFETCH(QString, teclas);
    QFETCH(QString, pegado);
    QFETCH(QString, texto);
    Configuracion c;
    c.ServerPort = 2;
    c.HabilitarNumMaxNotas = c.ServerActivo = true;
    Paneles p(c);
    QLineEdit* edit = p.seguridad.*kNumeros[campo];
    edit->end(false);
    QTest::keyClicks(edit, teclas);
    QGuiApplication::clipboard()->setText(pegado);
    edit->paste();
    QCOMPARE(edit->text(), texto);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), texto.chopped(1));
}

QTEST_MAIN(TestPanelesConfig)
#include "test_panelesconfig.moc"
