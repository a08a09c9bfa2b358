#include "core/Cp1252.h"
#include "storage/ArchivoNotas.h"
#include "storage/GuardadoAtomico.h"
#include "storage/ListaIP.h"
#include "tests/ArchivosPrueba.h"
#include "tests/DispositivoQueFalla.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <array>
#include <csignal>
#include <limits>
#include <sys/resource.h>

using V = VersionArchivoNotas;
Q_DECLARE_METATYPE(VersionArchivoNotas)
Q_DECLARE_METATYPE(TColorChincheta)

namespace {

const QByteArray kFin = "\r\n";

// One record laid out line by line as the file stores it; the defaults form a valid
// received note. `texto` is the bytes after the count line, line ends included.
struct Registro {
    QByteArray left = "10", top = "-20", width = "130", height = "170", chincheta = "6";
    QByteArray diaCreada = "5", mesCreada = "6", anioCreada = "2024";
    QByteArray diaLimite = "7", mesLimite = "8", anioLimite = "2025";
    QByteArray estilo = "1010", fuente = "Arial", tamano = "9", color = "-2147483643";
    QByteArray hora = "12:34:56", ip = "192.168.1.5", usuario = "Ana";
    QByteArray lineasTexto = "2";
    QByteArray texto = "hola\radios\r\n";

    // Every line before the count of text lines.
    QByteArray Cabeza(V version = V::Actual) const {
        QList<QByteArray> lineas = {left,      top,       width,     height,
                                    chincheta, diaCreada, mesCreada, anioCreada,
                                    diaLimite, mesLimite, anioLimite};
        if (version != V::Primera)
            lineas << estilo << fuente << tamano << color;
        if (version == V::Actual)
            lineas << hora << ip << usuario;
        return lineas.join(kFin) + kFin;
    }
    QByteArray Bytes(V version = V::Actual) const {
        return Cabeza(version) + lineasTexto + kFin + texto;
    }
};

QByteArray Archivo(V version, const QList<Registro>& registros) {
    QByteArray bytes = version == V::Actual     ? QByteArray(kCabeceraNotas) + kFin
                       : version == V::Version2 ? QByteArray(kCabeceraNotasV2) + kFin
                                                : QByteArray();
    for (const Registro& r : registros)
        bytes += r.Bytes(version);
    return bytes;
}

// What the default record holds once loaded from a file of that layout.
DatosNota NotaDelRegistro(V version) {
    DatosNota nota;
    nota.Left = 10;
    nota.Top = -20;
    nota.Width = 130;
    nota.Height = 170;
    nota.ColorChincheta = TColorChincheta::Net;
    nota.DayCreated = 5;
    nota.MonthCreated = 6;
    nota.YearCreated = 2024;
    nota.DayExpires = 7;
    nota.MonthExpires = 8;
    nota.YearExpires = 2025;
    nota.Texto = "hola\radios";
    if (version != V::Primera) {
        nota.FontStyle = fsBold | fsUnderline;
        nota.FontName = "Arial";
        nota.FontSize = 9;
        nota.FontColor = 0x80000005;
    }
    if (version == V::Actual) {
        nota.ReceivedTime = "12:34:56";
        nota.ReceivedFromIP = "192.168.1.5";
        nota.ReceivedFromUser = "Ana";
    }
    return nota;
}

QByteArray BytesDeNotas(const QList<DatosNota>& notas) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const ErrorArchivo error = EscribirArchivoNotas(buffer, notas);
    return error == ErrorArchivo::Ninguno ? buffer.data() : QByteArray("<error>");
}

} // namespace

class TestArchivoNotas : public QObject {
    Q_OBJECT

private slots:
    void registroDeCadaVersion_data();
    void registroDeCadaVersion();
    void finalDelArchivo_data();
    void finalDelArchivo();
    void tableroVacioEInexistente();
    void textos_data();
    void textos();
    void campoLeido_data();
    void campoLeido();
    void letraEnCualquierCampoNumerico();
    void idaYVueltaByteAByte();
    void camposNoGuardables_data();
    void camposNoGuardables();
    void guardadoQueFallaConservaElAnterior();
    void discoQueSeLlenaConservaElAnterior_data();
    void discoQueSeLlenaConservaElAnterior();
};

void TestArchivoNotas::registroDeCadaVersion_data() {
    QTest::addColumn<V>("version");
    QTest::newRow("3.0") << V::Actual;
    QTest::newRow("2.0") << V::Version2;
    QTest::newRow("first") << V::Primera;
}

void TestArchivoNotas::registroDeCadaVersion() {
    QFETCH(V, version);
    Registro segundo;
    segundo.left = "300";
    segundo.lineasTexto = "1";
    segundo.texto = "otra\r\n";
    const ResultadoCargaNotas leido = LeerArchivoNotas(Archivo(version, {{}, segundo}));
    QCOMPARE(leido.Error, ErrorArchivo::Ninguno);
    QCOMPARE(leido.Version, version);
    QCOMPARE(leido.HayQueConvertir(), version != V::Actual);
    QCOMPARE(leido.Notas.size(), 2);
    QCOMPARE(leido.Notas[0], NotaDelRegistro(version));
    QCOMPARE(leido.Notas[1].Left, 300);
    QCOMPARE(leido.Notas[1].Texto, QString("otra"));
    // Older layouts are written back in the current one.
    QCOMPARE(LeerArchivoNotas(BytesDeNotas(leido.Notas)).Notas, leido.Notas);
}

// Blank lines after the last record are no record; bytes after a Ctrl-Z are not read, and
// the reader says so, since a save would drop them.
void TestArchivoNotas::finalDelArchivo_data() {
    QTest::addColumn<V>("version");
    QTest::addColumn<QByteArray>("cola");
    QTest::addColumn<bool>("bytesTrasElFin");
    for (const V version : {V::Actual, V::Version2, V::Primera}) {
        const QByteArray nombre = QByteArray::number(int(version));
        QTest::addRow("%s: CR LF", nombre.data()) << version << kFin << false;
        QTest::addRow("%s: blank lines", nombre.data())
            << version << QByteArray("\r\n \t\n\r") << false;
        QTest::addRow("%s: Ctrl-Z last", nombre.data()) << version << QByteArray("\x1A") << false;
        QTest::addRow("%s: record after Ctrl-Z", nombre.data())
            << version << "\x1A" + Registro().Bytes(version) << true;
    }
}

void TestArchivoNotas::finalDelArchivo() {
    QFETCH(V, version);
    QFETCH(QByteArray, cola);
    QFETCH(bool, bytesTrasElFin);
    const ResultadoCargaNotas leido = LeerArchivoNotas(Archivo(version, {{}}) + cola);
    QCOMPARE(leido.Error, ErrorArchivo::Ninguno);
    QCOMPARE(leido.Notas, QList<DatosNota>{NotaDelRegistro(version)});
    QCOMPARE(leido.BytesTrasElFin, bytesTrasElFin);
}

void TestArchivoNotas::tableroVacioEInexistente() {
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.DAT");
    const ResultadoCargaNotas inexistente = CargarArchivoNotas(ruta);
    QVERIFY(!inexistente.Existe && !inexistente.HayQueConvertir());
    QCOMPARE(inexistente.Error, ErrorArchivo::Ninguno);
    QCOMPARE(CargarArchivoNotas(carpeta.path()).Error, ErrorArchivo::NoSePuedeLeer);

    QCOMPARE(GuardarArchivoNotas(ruta, {}), ErrorArchivo::Ninguno);
    QCOMPARE(LeerBytes(ruta), QByteArray("PINACO_NOTAS_BD_3.0\r\n"));
    const ResultadoCargaNotas vacio = CargarArchivoNotas(ruta);
    QVERIFY(vacio.Existe && vacio.Notas.isEmpty() && !vacio.HayQueConvertir());
    // An empty file has no header: a note-less file of the first layout.
    EscribirBytes(ruta, {});
    const ResultadoCargaNotas sinCabecera = CargarArchivoNotas(ruta);
    QCOMPARE(sinCabecera.Error, ErrorArchivo::Ninguno);
    QCOMPARE(sinCabecera.Version, V::Primera);
    QVERIFY(sinCabecera.Notas.isEmpty() && sinCabecera.HayQueConvertir());
}

// A note's text: written as the count line and the text lines, and read back; once loaded,
// it stays the same through any number of saves. Rows with no text only read.
void TestArchivoNotas::textos_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QByteArray>("guardado"); // from the count line to the end of the file
    QTest::addColumn<QStringList>("leidos");
    QTest::newRow("empty") << "" << QByteArray("1\r\n\r\n") << QStringList{""};
    QTest::newRow("CR LF of the editor")
        << "a\r\nb" << QByteArray("2\r\na\r\nb\r\n") << QStringList{"a\rb"};
    QTest::newRow("bare CR") << "a\rb" << QByteArray("2\r\na\rb\r\n") << QStringList{"a\rb"};
    QTest::newRow("ends in line breaks") << "a\r\n\r\n"
                                         << QByteArray("3\r\na\r\n\r\n\r\n") << QStringList{"a"};
    QTest::newRow("empty lines inside stay")
        << "a\r\rb" << QByteArray("3\r\na\r\rb\r\n") << QStringList{"a\r\rb"};
    QTest::newRow("LF inside a line")
        << "a\nb" << QByteArray("1\r\na\nb\r\n") << QStringList{"a\nb"};
    QTest::newRow("only line breaks")
        << "\r\n\r" << QByteArray("3\r\n\r\n\r\r\n") << QStringList{""};
    QTest::newRow("zero lines, then another note")
        << QString() << QByteArray("0\r\n") + Registro().Bytes() << QStringList{"", "hola\radios"};
    QTest::newRow("lines missing at the end")
        << QString() << QByteArray("5\r\nuna\r\ndos") << QStringList{"una\rdos"};
    QTest::newRow("huge count at the end")
        << QString() << QByteArray("2147483647\r\nx\r\n") << QStringList{"x"};
    QTest::newRow("LF after CR LF is text")
        << QString() << QByteArray("2\r\nuno\r\n\ndos\r\n") << QStringList{"uno\r\ndos"};
    QTest::newRow("Ctrl-Z ends the file") << QString()
                                          << QByteArray("2\r\nab\x1A"
                                                        "cd\r\nx\r\n") +
                                                 Registro().Bytes()
                                          << QStringList{"ab"};
    QTest::newRow("trailing LF trimmed")
        << QString() << QByteArray("1\r\nab\n\n\r\n") << QStringList{"ab"};
}

void TestArchivoNotas::textos() {
    QFETCH(QString, texto);
    QFETCH(QByteArray, guardado);
    QFETCH(QStringList, leidos);
    const QByteArray bytes = Archivo(V::Actual, {}) + Registro().Cabeza() + guardado;
    if (!texto.isNull()) {
        DatosNota nota = NotaDelRegistro(V::Actual);
        nota.Texto = texto;
        QCOMPARE(BytesDeNotas({nota}), bytes);
    }
    const QList<DatosNota> vuelta = LeerArchivoNotas(bytes).Notas;
    QStringList textos;
    for (const DatosNota& nota : vuelta)
        textos << nota.Texto;
    QCOMPARE(textos, leidos);
    if (!texto.isNull())
        QCOMPARE(LeerArchivoNotas(BytesDeNotas(vuelta)).Notas, vuelta);
}

constexpr qint64 kNoValido = std::numeric_limits<qint64>::min();
enum { Left, Chincheta, Estilo };

// One field read alone: a number, the pushpin or the font style line, and what it reads as
// (kNoValido: the whole file fails).
void TestArchivoNotas::campoLeido_data() {
    QTest::addColumn<int>("campo");
    QTest::addColumn<QByteArray>("linea");
    QTest::addColumn<qint64>("valor");
    QTest::newRow("blanks before, rest of line ignored")
        << int(Left) << QByteArray("  \t+42 basura") << qint64(42);
    QTest::newRow("empty line: goes on to the next") << int(Left) << QByteArray("\r\n42") << 42LL;
    QTest::newRow("min") << int(Left) << QByteArray("-2147483648") << -2147483648LL;
    QTest::newRow("32 characters only") << int(Left) << QByteArray(31, '0') + "12" << 1LL;
    QTest::newRow("letter after digits") << int(Left) << QByteArray("12x") << kNoValido;
    QTest::newRow("sign only") << int(Left) << QByteArray("-") << kNoValido;
    QTest::newRow("past max") << int(Left) << QByteArray("2147483648") << kNoValido;
    QTest::newRow("past min") << int(Left) << QByteArray("-2147483649") << kNoValido;
    // A value that names no pushpin gives a new note's pushpin; only the low byte counts.
    QTest::newRow("pushpin 7") << int(Chincheta) << QByteArray("7")
                               << qint64(TColorChincheta::None);
    QTest::newRow("pushpin 8") << int(Chincheta) << QByteArray("8")
                               << qint64(TColorChincheta::Rojo);
    QTest::newRow("pushpin 262") << int(Chincheta) << QByteArray("262")
                                 << qint64(TColorChincheta::Net);
    QTest::newRow("style 0101") << int(Estilo) << QByteArray("0101")
                                << qint64(fsItalic | fsStrikeOut);
    QTest::newRow("style 011") << int(Estilo) << QByteArray("011")
                               << qint64(fsItalic | fsUnderline);
    QTest::newRow("style x1 1") << int(Estilo) << QByteArray("x1 1")
                                << qint64(fsItalic | fsStrikeOut);
}

void TestArchivoNotas::campoLeido() {
    QFETCH(int, campo);
    QFETCH(QByteArray, linea);
    QFETCH(qint64, valor);
    Registro registro;
    registro.*std::array{&Registro::left, &Registro::chincheta, &Registro::estilo}[campo] = linea;
    registro.fuente = "1111"; // a reader that runs past a short style line would see these
    const ResultadoCargaNotas leido = LeerArchivoNotas(Archivo(V::Actual, {registro, {}}));
    QCOMPARE(leido.Error,
             valor == kNoValido ? ErrorArchivo::NumeroNoValido : ErrorArchivo::Ninguno);
    if (valor == kNoValido) {
        QVERIFY(leido.Notas.isEmpty());
        return;
    }
    QCOMPARE(leido.Notas.size(), 2);
    const DatosNota& nota = leido.Notas[0];
    QCOMPARE((QList<qint64>{nota.Left, qint64(nota.ColorChincheta), nota.FontStyle}[campo]), valor);
    QVERIFY(nota.Top == -20 && nota.FontName == "1111");
    QCOMPARE(leido.Notas[1], NotaDelRegistro(V::Actual));
}

// A letter in any number field of any layout fails the whole file, not just that note.
void TestArchivoNotas::letraEnCualquierCampoNumerico() {
    for (const V version : {V::Actual, V::Version2, V::Primera})
        for (QByteArray Registro::*campo :
             {&Registro::left, &Registro::top, &Registro::width, &Registro::height,
              &Registro::chincheta, &Registro::diaCreada, &Registro::mesCreada,
              &Registro::anioCreada, &Registro::diaLimite, &Registro::mesLimite,
              &Registro::anioLimite, &Registro::tamano, &Registro::color, &Registro::lineasTexto}) {
            if (version == V::Primera && (campo == &Registro::tamano || campo == &Registro::color))
                continue;
            Registro malo;
            malo.*campo = "x";
            const ResultadoCargaNotas leido = LeerArchivoNotas(Archivo(version, {{}, malo, {}}));
            QCOMPARE(leido.Error, ErrorArchivo::NumeroNoValido);
            QVERIFY(leido.Notas.isEmpty() && !leido.HayQueConvertir());
        }
}

void TestArchivoNotas::idaYVueltaByteAByte() {
    QByteArray todos; // every byte a line can hold, the five Windows-1252 leaves undefined too
    for (int b = 0; b <= 0xFF; ++b)
        if (b != '\r' && b != 26)
            todos += char(b);
    Registro raro;
    raro.fuente = "\x81\x8D\x8F\x90\x9D";
    raro.hora = "\x80\x9F\xA0\xFF";
    raro.ip = raro.usuario = todos;
    raro.lineasTexto = "3";
    raro.texto = todos + "\r\x81\x8D\x8F\x90\x9D\r\tfin \r\n";
    Registro extremos;
    extremos.left = "-2147483648";
    extremos.top = "2147483647";
    extremos.color = extremos.anioLimite = "-1";
    extremos.chincheta = "7";
    extremos.estilo = "0000";
    extremos.fuente = extremos.hora = extremos.ip = extremos.usuario = "";
    extremos.lineasTexto = "1";
    extremos.texto = "\r\n";
    const QByteArray archivo = Archivo(V::Actual, {raro, {}, extremos});
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.DAT");
    EscribirBytes(ruta, archivo);
    const ResultadoCargaNotas leido = CargarArchivoNotas(ruta);
    QCOMPARE(leido.Notas.size(), 3);
    QCOMPARE(GuardarArchivoNotas(ruta, leido.Notas), ErrorArchivo::Ninguno);
    QCOMPARE(LeerBytes(ruta), archivo);
}

void TestArchivoNotas::camposNoGuardables_data() {
    QTest::addColumn<int>("campo");
    QTest::addColumn<QString>("valor");
    enum { Texto, Fuente, Hora, IP, Usuario };
    QTest::newRow("text outside Windows-1252") << int(Texto) << QString::fromUtf8("nota 中");
    QTest::newRow("Ctrl-Z in the text") << int(Texto) << QString("a\x1A");
    QTest::newRow("CR in the font") << int(Fuente) << QString("Arial\rNegrita");
    QTest::newRow("Ctrl-Z in the address") << int(IP) << QString("\x1A");
    QTest::newRow("user outside Windows-1252") << int(Usuario) << QString::fromUtf8("中");
}

void TestArchivoNotas::camposNoGuardables() {
    QFETCH(int, campo);
    QFETCH(QString, valor);
    DatosNota nota;
    QString* campos[] = {&nota.Texto, &nota.FontName, &nota.ReceivedTime, &nota.ReceivedFromIP,
                         &nota.ReceivedFromUser};
    *campos[campo] = valor;
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.DAT");
    const QByteArray previo = Archivo(V::Actual, {{}});
    EscribirBytes(ruta, previo);
    QCOMPARE(GuardarArchivoNotas(ruta, {DatosNota(), nota}), ErrorArchivo::TextoNoGuardable);
    QCOMPARE(LeerBytes(ruta), previo);
    DispositivoQueFalla dispositivo(1 << 20);
    QCOMPARE(EscribirArchivoNotas(dispositivo, {nota}), ErrorArchivo::TextoNoGuardable);
    QVERIFY(dispositivo.Escrito().isEmpty());
}

void TestArchivoNotas::guardadoQueFallaConservaElAnterior() {
    // A device that takes fewer bytes than the file has is reported.
    const QList<DatosNota> notas = {NotaDelRegistro(V::Actual)};
    const QByteArray completo = BytesDeNotas(notas);
    for (qint64 capacidad = 0; capacidad <= completo.size(); ++capacidad) {
        DispositivoQueFalla dispositivo(capacidad);
        QCOMPARE(EscribirArchivoNotas(dispositivo, notas), capacidad < completo.size()
                                                               ? ErrorArchivo::NoSePuedeEscribir
                                                               : ErrorArchivo::Ninguno);
        QCOMPARE(dispositivo.Escrito(), completo.first(capacidad));
    }
    // The disk fills up halfway through a save: the old file stays whole, nothing is left over.
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.DAT");
    const QByteArray previo = Archivo(V::Actual, {{}, {}});
    EscribirBytes(ruta, previo);
    const ErrorArchivo error = GuardarAtomico(ruta, [&](QIODevice& destino) {
        DispositivoQueFalla lleno(completo.size() / 2);
        const ErrorArchivo resultado = EscribirArchivoNotas(lleno, notas);
        destino.write(lleno.Escrito());
        return resultado;
    });
    QCOMPARE(error, ErrorArchivo::NoSePuedeEscribir);
    QCOMPARE(LeerBytes(ruta), previo);
    QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files), QStringList({"Pinaco.DAT"}));
    QCOMPARE(GuardarArchivoNotas(ruta, notas), ErrorArchivo::Ninguno);
    QCOMPARE(LeerBytes(ruta), completo);
    // A plain file where the folder should be: no user, root included, can write there.
    QCOMPARE(GuardarArchivoNotas(ruta + "/Pinaco.DAT", notas), ErrorArchivo::NoSePuedeEscribir);
    QCOMPARE(LeerBytes(ruta), completo);
}

// A real file system that fills up (a file size limit stands in for a small disk): the
// write is cut short, then refused. The old file stays whole and nothing is left over.
void TestArchivoNotas::discoQueSeLlenaConservaElAnterior_data() {
    QTest::addColumn<int>("libre");
    QTest::newRow("no room") << 0;
    QTest::newRow("4 KiB left") << 4096;
    QTest::newRow("all but the last byte") << -1;
}

void TestArchivoNotas::discoQueSeLlenaConservaElAnterior() {
    QFETCH(int, libre);
    QTemporaryDir carpeta;
    const QString rutaNotas = carpeta.filePath("Pinaco.DAT");
    const QString rutaIP = carpeta.filePath("Pinaco.NET");
    const QByteArray previoNotas = Archivo(V::Actual, {{}});
    const QByteArray previoIP = "1.1.1.1\r\nUno\r\n1\r\n1\r\n";
    EscribirBytes(rutaNotas, previoNotas);
    EscribirBytes(rutaIP, previoIP);
    const QList<DatosNota> notas(40, NotaDelRegistro(V::Actual));
    ListaIP lista;
    for (int i = 0; i < 400; ++i)
        lista.AddIP(QString("10.0.%1.%2").arg(i / 256).arg(i % 256), "Vecino", true, 2222);
    const qint64 limite = libre >= 0 ? libre : BytesDeNotas(notas).size() - 1;

    rlimit anterior{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &anterior), 0);
    const auto senal = signal(SIGXFSZ, SIG_IGN);
    rlimit lleno = anterior;
    lleno.rlim_cur = rlim_t(limite);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &lleno), 0);
    const ErrorArchivo errorNotas = GuardarArchivoNotas(rutaNotas, notas);
    const ErrorArchivo errorIP = lista.GuardarListaIP(rutaIP);
    setrlimit(RLIMIT_FSIZE, &anterior);
    signal(SIGXFSZ, senal);

    QCOMPARE(errorNotas, ErrorArchivo::DiscoLleno);
    QCOMPARE(errorIP, ErrorArchivo::DiscoLleno);
    QCOMPARE(LeerBytes(rutaNotas), previoNotas);
    QCOMPARE(LeerBytes(rutaIP), previoIP);
    QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files),
             QStringList({"Pinaco.DAT", "Pinaco.NET"}));
}

QTEST_GUILESS_MAIN(TestArchivoNotas)
#include "test_archivonotas.moc"
