#include "storage/ArchivoNotas.h"
#include "storage/GuardadoAtomico.h"
#include "storage/ListaIP.h"
#include "storage/PapeleraNotas.h"
#include "tests/ArchivosPrueba.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>
#include <array>
#include <csignal>
#include <limits>
#include <sys/resource.h>

using V = VersionArchivoNotas;
Q_DECLARE_METATYPE(VersionArchivoNotas)
Q_DECLARE_METATYPE(ErrorArchivo)

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

    QByteArray Cabeza(V version = V::Actual) const { // every line before the count
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

// The default record as loaded; written back it gives Registro().Bytes().
DatosNota NotaDelRegistro() {
    return LeerArchivoNotas(Archivo(V::Actual, {{}})).Notas.value(0);
}

QByteArray BytesDeNotas(const QList<DatosNota>& notas) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const ErrorArchivo error = EscribirArchivoNotas(buffer, notas);
    return error == ErrorArchivo::Ninguno ? buffer.data() : QByteArray("<error>");
}

// The permission bits of the file this process is writing in that folder, or -1.
int ModoEnEscritura(const QString& carpeta) {
    for (const QString& fd : QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System)) {
        char destino[4096];
        const ssize_t n =
            readlink(QFile::encodeName("/proc/self/fd/" + fd), destino, sizeof destino);
        struct stat datos {};
        if (n > 0 && QFile::decodeName(QByteArray(destino, n)).startsWith(carpeta + '/') &&
            fstat(fd.toInt(), &datos) == 0)
            return int(datos.st_mode & 07777);
    }
    return -1;
}

} // namespace

class TestArchivoNotas : public QObject {
    Q_OBJECT

private slots:
    void cadaVersionYSuFinal_data();
    void cadaVersionYSuFinal();
    void textos_data();
    void textos();
    void campoLeido_data();
    void campoLeido();
    void idaYVueltaByteAByteYCamposNoGuardables();
    void discoQueSeLlenaConservaElAnterior_data();
    void discoQueSeLlenaConservaElAnterior();
    void archivosRarosNoSeLeen_data();
    void archivosRarosNoSeLeen();
    void guardadoConservaDuenoYEnlace_data();
    void guardadoConservaDuenoYEnlace();
    void restosDeGuardadosInterrumpidos_data();
    void restosDeGuardadosInterrumpidos();
    void papeleraDeNotasBorradas();
};

// Every layout reads and is written back in the current one. Blank lines after the last
// record are no record; bytes after a Ctrl-Z are not read, and the reader says so.
void TestArchivoNotas::cadaVersionYSuFinal_data() {
    QTest::addColumn<V>("version");
    QTest::addColumn<QByteArray>("cola");
    QTest::addColumn<bool>("bytesTrasElFin");
    for (const V version : {V::Actual, V::Version2, V::Primera})
        QTest::addRow("%d", int(version)) << version << QByteArray() << false;
    // The ends are read alike in every layout.
    QTest::newRow("blank lines") << V::Primera << QByteArray("\r\n \t\n\r") << false;
    QTest::newRow("record after Ctrl-Z") << V::Primera << "\x1A" + Registro().Bytes() << true;
}

void TestArchivoNotas::cadaVersionYSuFinal() {
    QFETCH(V, version);
    QFETCH(QByteArray, cola);
    Registro segundo;
    segundo.left = "300";
    const ResultadoCargaNotas leido = LeerArchivoNotas(Archivo(version, {{}, segundo}) + cola);
    QCOMPARE(leido.Error, ErrorArchivo::Ninguno);
    QCOMPARE(leido.Version, version);
    QTEST(leido.BytesTrasElFin, "bytesTrasElFin");
    QCOMPARE(leido.Notas.size(), 2);
    const DatosNota& n = leido.Notas[0];
    QVERIFY(n.Left == 10 && n.Top == -20 && n.Width == 130 && n.Height == 170);
    QVERIFY(n.DayCreated == 5 && n.MonthCreated == 6 && n.YearCreated == 2024);
    QVERIFY(n.DayExpires == 7 && n.MonthExpires == 8 && n.YearExpires == 2025);
    QCOMPARE(n.Texto, QString("hola\radios"));
    const bool conFuente = version != V::Primera;
    QCOMPARE(n.FontStyle, conFuente ? fsBold | fsUnderline : DatosNota().FontStyle);
    QCOMPARE(n.FontColor, conFuente ? 0x80000005 : DatosNota().FontColor);
    QCOMPARE(n.ReceivedFromUser, QString(version == V::Actual ? "Ana" : ""));
    QCOMPARE(leido.Notas[1].Left, 300);
    QCOMPARE(LeerArchivoNotas(BytesDeNotas(leido.Notas)).Notas, leido.Notas);
}

// A note's text as the count and text lines, stable through saves; rows with no text only read.
void TestArchivoNotas::textos_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QByteArray>("guardado"); // from the count line to the end of the file
    QTest::addColumn<QStringList>("leidos");
    QTest::newRow("CR LF of the editor")
        << QString("a\r\nb") << QByteArray("2\r\na\r\nb\r\n") << QStringList{"a\rb"};
    QTest::newRow("LF inside a line")
        << QString("a\nb") << QByteArray("1\r\na\nb\r\n") << QStringList{"a\nb"};
    QTest::newRow("zero lines, then another note")
        << QString() << "0\r\n" + Registro().Bytes() << QStringList{"", "hola\radios"};
    QTest::newRow("Ctrl-Z ends the file")
        << QString() << "2\r\nab\x1A" + QByteArray("cd\r\nx\r\n") + Registro().Bytes()
        << QStringList{"ab"};
}

void TestArchivoNotas::textos() {
    QFETCH(QString, texto);
    QFETCH(QByteArray, guardado);
    const QByteArray bytes = Archivo(V::Actual, {}) + Registro().Cabeza() + guardado;
    DatosNota nota = NotaDelRegistro();
    nota.Texto = texto;
    if (!texto.isNull())
        QCOMPARE(BytesDeNotas({nota}), bytes);
    const QList<DatosNota> vuelta = LeerArchivoNotas(bytes).Notas;
    QStringList textos;
    for (const DatosNota& leida : vuelta)
        textos << leida.Texto;
    QTEST(textos, "leidos");
    QCOMPARE(LeerArchivoNotas(BytesDeNotas(vuelta)).Notas, vuelta);
}

constexpr qint64 kNoValido = std::numeric_limits<qint64>::min();
enum { Left, Chincheta, Estilo };

// One field read alone, and what it reads as (kNoValido: the whole file fails).
void TestArchivoNotas::campoLeido_data() {
    QTest::addColumn<int>("campo");
    QTest::addColumn<QByteArray>("linea");
    QTest::addColumn<qint64>("valor");
    QTest::newRow("empty line: goes on to the next") << int(Left) << QByteArray("\r\n42") << 42LL;
    QTest::newRow("32 characters only") << int(Left) << QByteArray(31, '0') + "12" << 1LL;
    QTest::newRow("letter after digits") << int(Left) << QByteArray("12x") << kNoValido;
    QTest::newRow("past max") << int(Left) << QByteArray("2147483648") << kNoValido;
    QTest::newRow("pushpin: low byte")
        << int(Chincheta) << QByteArray("262") << qint64(TColorChincheta::Net);
    QTest::newRow("style 011") << int(Estilo) << QByteArray("011")
                               << qint64(fsItalic | fsUnderline);
}

void TestArchivoNotas::campoLeido() {
    QFETCH(int, campo);
    QFETCH(QByteArray, linea);
    QFETCH(qint64, valor);
    Registro registro;
    registro.*std::array{&Registro::left, &Registro::chincheta, &Registro::estilo}[campo] = linea;
    registro.fuente = "1111"; // a reader that runs past a short style line would see these
    const ResultadoCargaNotas leido = LeerArchivoNotas(Archivo(V::Actual, {{}, registro, {}}));
    QCOMPARE(leido.Error,
             valor == kNoValido ? ErrorArchivo::NumeroNoValido : ErrorArchivo::Ninguno);
    if (valor == kNoValido) {
        QVERIFY(leido.Notas.isEmpty());
        return;
    }
    QCOMPARE(leido.Notas.size(), 3);
    const DatosNota& nota = leido.Notas[1];
    QCOMPARE((QList<qint64>{nota.Left, qint64(nota.ColorChincheta), nota.FontStyle}[campo]), valor);
    QVERIFY(nota.Top == -20 && nota.FontName == "1111");
    QCOMPARE(leido.Notas[2], NotaDelRegistro());
}

// Every byte a line can hold comes back as it was; a field the file cannot carry refuses
// the whole save, and the file is not touched.
void TestArchivoNotas::idaYVueltaByteAByteYCamposNoGuardables() {
    QByteArray todos; // the five bytes Windows-1252 leaves undefined too
    for (int b = 0; b <= 0xFF; ++b)
        if (b != '\r' && b != 26)
            todos += char(b);
    Registro raro;
    raro.fuente = "\x81\x8D\x8F\x90\x9D";
    raro.ip = raro.usuario = todos;
    raro.lineasTexto = "3";
    raro.texto = todos + "\r\x81\x8D\x8F\x90\x9D\r\tfin \r\n";
    Registro extremos;
    extremos.left = "-2147483648";
    extremos.color = extremos.anioLimite = "-1";
    extremos.fuente = extremos.hora = extremos.ip = extremos.usuario = "";
    extremos.lineasTexto = "1";
    extremos.texto = "\r\n";
    const QByteArray archivo = Archivo(V::Actual, {raro, extremos});
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.DAT");
    EscribirBytes(ruta, archivo);
    const ResultadoCargaNotas leido = CargarArchivoNotas(ruta);
    QCOMPARE(leido.Notas.size(), 2);
    QCOMPARE(GuardarArchivoNotas(ruta, leido.Notas), ErrorArchivo::Ninguno);
    QCOMPARE(LeerBytes(ruta), archivo);

    DatosNota ctrlZ, cr, fuera;
    ctrlZ.Texto = "a\x1A";
    cr.FontName = "Arial\rNegrita";
    fuera.ReceivedFromUser = QString::fromUtf8("中");
    for (const DatosNota& nota : {ctrlZ, cr, fuera}) {
        QCOMPARE(GuardarArchivoNotas(ruta, {DatosNota(), nota}), ErrorArchivo::TextoNoGuardable);
        QCOMPARE(LeerBytes(ruta), archivo);
    }
    QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files), QStringList({"Pinaco.DAT"}));
}

// A disk that fills up (a file size limit stands in) at the first byte or the last: the save
// is refused, for the notes and the address book alike; the old file stays whole, no leftover.
void TestArchivoNotas::discoQueSeLlenaConservaElAnterior_data() {
    QTest::addColumn<int>("libre");
    QTest::newRow("no room") << 0;
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
    const QList<DatosNota> notas(40, NotaDelRegistro());
    ListaIP lista;
    for (int i = 0; i < 400; ++i)
        lista.AddIP(QString("10.0.%1.%2").arg(i / 256).arg(i % 256), "Vecino", true, 2222);
    rlimit anterior{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &anterior), 0);
    const auto senal = signal(SIGXFSZ, SIG_IGN);
    rlimit lleno = anterior;
    lleno.rlim_cur = rlim_t(libre >= 0 ? libre : BytesDeNotas(notas).size() - 1);
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

// Only a regular file within the size limit is read, by both readers: a FIFO would block
// the start, a device or a huge file fill the memory.
void TestArchivoNotas::archivosRarosNoSeLeen_data() {
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<ErrorArchivo>("error");
    QTest::newRow("FIFO") << "fifo" << ErrorArchivo::NoEsArchivo;
    QTest::newRow("folder") << "carpeta" << ErrorArchivo::NoEsArchivo;
    QTest::newRow("link to a device") << "dispositivo" << ErrorArchivo::NoEsArchivo;
    QTest::newRow("one byte over the limit") << "grande" << ErrorArchivo::DemasiadoGrande;
}

void TestArchivoNotas::archivosRarosNoSeLeen() {
    QFETCH(QString, tipo);
    QFETCH(ErrorArchivo, error);
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("pinaco.DAT");
    std::unique_ptr<FifoServida> fifo;
    if (tipo == "fifo")
        fifo = std::make_unique<FifoServida>(ruta, Archivo(V::Actual, {{}}));
    else if (tipo == "carpeta")
        QVERIFY(QDir().mkpath(ruta));
    else if (tipo == "dispositivo")
        QVERIFY(QFile::link("/dev/null", ruta));
    else
        QVERIFY(QFile(ArchivoEn(carpeta, "pinaco.DAT", "x")).resize(kTamanoMaximoArchivo + 1));
    const ResultadoCargaNotas notas = CargarArchivoNotas(ruta);
    QCOMPARE(notas.Error, error);
    QVERIFY(notas.Existe && notas.Notas.isEmpty());
    ListaIP lista;
    QCOMPARE(lista.CargarListaIP(ruta), error);
    QVERIFY(lista.Entradas().empty());
}

// A save by root keeps the user's owner, group and mode; a link stays and its target is saved.
// While incomplete the new file has no permission bits, its mark as a save in progress.
void TestArchivoNotas::guardadoConservaDuenoYEnlace_data() {
    QTest::addColumn<bool>("enlace");
    QTest::newRow("file") << false;
    QTest::newRow("link") << true;
}

void TestArchivoNotas::guardadoConservaDuenoYEnlace() {
    QFETCH(bool, enlace);
    if (getuid() != 0)
        QSKIP("Only root can give a file to another user.");
    QTemporaryDir carpeta;
    QVERIFY(QDir().mkpath(carpeta.filePath("destino")));
    const QString destino = ArchivoEn(carpeta, "destino/pinaco.DAT", "viejo");
    QVERIFY(chown(QFile::encodeName(destino), 1234, 1235) == 0);
    QVERIFY(chmod(QFile::encodeName(destino), 0640) == 0);
    const QString ruta = enlace ? carpeta.filePath("pinaco.DAT") : destino;
    if (enlace)
        QVERIFY(QFile::link(destino, ruta));
    int modo = -1;
    QCOMPARE(GuardarAtomico(ruta,
                            [&](QIODevice& salida) {
                                modo = ModoEnEscritura(carpeta.filePath("destino"));
                                return EscribirTodo(salida, "nuevo")
                                           ? ErrorArchivo::Ninguno
                                           : ErrorArchivo::NoSePuedeEscribir;
                            }),
             ErrorArchivo::Ninguno);
    QCOMPARE(modo, kModoGuardadoEnCurso);
    QCOMPARE(QFileInfo(ruta).isSymLink(), enlace);
    QCOMPARE(LeerBytes(destino), QByteArray("nuevo"));
    struct stat datos {};
    QVERIFY(stat(QFile::encodeName(destino), &datos) == 0);
    QCOMPARE(QList<uint>({datos.st_uid, datos.st_gid, datos.st_mode & 07777}),
             QList<uint>({1234, 1235, 0640}));
}

// Only a file under QSaveFile's name for a data file, with the mark of a save in progress and
// of this user, is what an interrupted save left.
void TestArchivoNotas::restosDeGuardadosInterrumpidos_data() {
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<int>("modo");
    QTest::addColumn<bool>("borrado");
    QTest::newRow("left by a save") << "pinaco.DAT.AbCdEf" << kModoGuardadoEnCurso << true;
    QTest::newRow("the user's copy") << "pinaco.DAT.backup" << 0644 << false;
    QTest::newRow("not QSaveFile's name") << "pinaco.DAT.AbCd12" << kModoGuardadoEnCurso << false;
    QTest::newRow("another file's") << "pinaco.NET.AbCdEf" << kModoGuardadoEnCurso << false;
    QTest::newRow("another user's") << "ajeno" << kModoGuardadoEnCurso << false;
}

void TestArchivoNotas::restosDeGuardadosInterrumpidos() {
    QFETCH(QString, nombre);
    QFETCH(int, modo);
    QTemporaryDir carpeta;
    const QString ruta = ArchivoEn(carpeta, "pinaco.DAT", Archivo(V::Actual, {}));
    const bool ajeno = nombre == "ajeno";
    const QByteArray resto =
        QFile::encodeName(ArchivoEn(carpeta, ajeno ? "pinaco.DAT.AbCdEf" : nombre, "PINACO"));
    QVERIFY(chmod(resto, mode_t(modo)) == 0);
    if (ajeno && chown(resto, 1234, 1234) != 0)
        QSKIP("Only root can give a file to another user.");
    BorrarRestosDeGuardado(ruta);
    QTEST(!QFile::exists(resto), "borrado");
    QVERIFY(QFile::exists(ruta));
}

// The bin keeps the last notes deleted, whole, across a restart, and gives them back last
// first; past its cap the oldest go; an empty bin leaves no file; one that cannot be read is
// moved aside whole and nothing is written over it.
void TestArchivoNotas::papeleraDeNotasBorradas() {
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("pinaco.BOR");
    PapeleraNotas papelera(ruta);
    QCOMPARE(papelera.Cargar(), ErrorArchivo::Ninguno);
    DatosNota nota;
    nota.Texto = QString::fromUtf8("café\rsegunda línea");
    nota.ReceivedFromIP = "10.0.0.7";
    nota.FontName = "DejaVu Sans";
    for (int i = 0; i <= PapeleraNotas::kMaxBorradas; ++i) {
        nota.Left = i;
        QCOMPARE(papelera.Echar(nota), ErrorArchivo::Ninguno);
    }
    PapeleraNotas reabierta(ruta);
    QCOMPARE(reabierta.Cargar(), ErrorArchivo::Ninguno);
    QCOMPARE(reabierta.Notas().size(), PapeleraNotas::kMaxBorradas);
    QCOMPARE(reabierta.Sacar(), std::optional<DatosNota>(nota));
    QCOMPARE(reabierta.Sacar()->Left, PapeleraNotas::kMaxBorradas - 1);
    while (reabierta.Sacar()) {
    }
    QVERIFY(!QFile::exists(ruta));

    const QByteArray danado = QByteArray(kCabeceraBorradas) + "\r\nno es un numero\r\n";
    for (const QByteArray& bytes : {danado, QByteArray("PINACO_NOTAS_BD_3.0\r\n")}) {
        EscribirBytes(ruta, bytes);
        QString apartado;
        QVERIFY(papelera.Cargar(&apartado) != ErrorArchivo::Ninguno);
        QVERIFY(papelera.Vacia());
        QCOMPARE(LeerBytes(apartado), bytes);
        QCOMPARE(papelera.Echar(nota), ErrorArchivo::Ninguno);
        QCOMPARE(LeerBytes(apartado), bytes);
    }
}

QTEST_GUILESS_MAIN(TestArchivoNotas)
#include "test_archivonotas.moc"
