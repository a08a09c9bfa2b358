#include "notes/Cp1252.h"
#include "storage/ArchivoNotas.h"
#include "storage/GuardadoAtomico.h"
#include "tests/DispositivoQueFalla.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(VersionArchivoNotas)
Q_DECLARE_METATYPE(TColorChincheta)

namespace {

const QByteArray kFin = "\r\n";

// One record laid out line by line as the file stores it; the defaults form a valid
// received note. `texto` is the bytes after the count line, line ends included.
struct Registro {
    QByteArray left = "10", top = "-20", width = "120", height = "160", chincheta = "6";
    QByteArray diaCreada = "5", mesCreada = "6", anioCreada = "2024";
    QByteArray diaLimite = "7", mesLimite = "8", anioLimite = "2025";
    QByteArray estilo = "1010", fuente = "Arial", tamano = "9", color = "-2147483640";
    QByteArray hora = "12:34:56", ip = "192.168.1.5", usuario = "Ana";
    QByteArray lineasTexto = "2";
    QByteArray texto = "hola\radios\r\n";

    // Every line before the count of text lines.
    QByteArray Cabeza(VersionArchivoNotas version) const {
        QList<QByteArray> lineas = {left,      top,       width,     height,
                                    chincheta, diaCreada, mesCreada, anioCreada,
                                    diaLimite, mesLimite, anioLimite};
        if (version != VersionArchivoNotas::Primera)
            lineas << estilo << fuente << tamano << color;
        if (version == VersionArchivoNotas::Actual)
            lineas << hora << ip << usuario;
        return lineas.join(kFin) + kFin;
    }
    QByteArray Bytes(VersionArchivoNotas version) const {
        return Cabeza(version) + lineasTexto + kFin + texto;
    }
};

QByteArray Cabecera(VersionArchivoNotas version) {
    switch (version) {
    case VersionArchivoNotas::Actual:
        return QByteArray(kCabeceraNotas) + kFin;
    case VersionArchivoNotas::Version2:
        return QByteArray(kCabeceraNotasV2) + kFin;
    case VersionArchivoNotas::Primera:
        break;
    }
    return {};
}

QByteArray Archivo(VersionArchivoNotas version, const QList<Registro>& registros) {
    QByteArray bytes = Cabecera(version);
    for (const Registro& r : registros)
        bytes += r.Bytes(version);
    return bytes;
}

// What the default record holds once loaded from a file of that layout.
DatosNota NotaDelRegistro(VersionArchivoNotas version) {
    DatosNota nota;
    nota.Left = 10;
    nota.Top = -20;
    nota.Width = 120;
    nota.Height = 160;
    nota.ColorChincheta = TColorChincheta::Net;
    nota.DayCreated = 5;
    nota.MonthCreated = 6;
    nota.YearCreated = 2024;
    nota.DayExpires = 7;
    nota.MonthExpires = 8;
    nota.YearExpires = 2025;
    nota.Texto = "hola\radios";
    if (version != VersionArchivoNotas::Primera) {
        nota.FontStyle = fsBold | fsUnderline;
        nota.FontName = "Arial";
        nota.FontSize = 9;
        nota.FontColor = 0x80000008;
    }
    if (version == VersionArchivoNotas::Actual) {
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

QByteArray LeerBytes(const QString& ruta) {
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

void EscribirBytes(const QString& ruta, const QByteArray& bytes) {
    QFile archivo(ruta);
    QVERIFY(archivo.open(QIODevice::WriteOnly));
    QCOMPARE(archivo.write(bytes), bytes.size());
}

} // namespace

class TestArchivoNotas : public QObject {
    Q_OBJECT

private slots:
    void registroDeCadaVersion_data();
    void registroDeCadaVersion();
    void tableroVacio();
    void archivoInexistenteOIlegible();
    void textos_data();
    void textos();
    void textosLeidos_data();
    void textosLeidos();
    void estiloFuente_data();
    void estiloFuente();
    void chincheta_data();
    void chincheta();
    void campoNumerico_data();
    void campoNumerico();
    void letraDondeVaNumero_data();
    void letraDondeVaNumero();
    void lineaVaciaFinal_data();
    void lineaVaciaFinal();
    void ordenDeLasNotas();
    void idaYVueltaByteAByte_data();
    void idaYVueltaByteAByte();
    void conversionAlFormatoActual_data();
    void conversionAlFormatoActual();

    void camposNoGuardables_data();
    void camposNoGuardables();
    void escrituraQueFallaSeInforma();
    void fallaAMitadConservaElAnterior();
    void carpetaImposibleSeInforma();
};

void TestArchivoNotas::registroDeCadaVersion_data() {
    QTest::addColumn<VersionArchivoNotas>("version");
    QTest::newRow("3.0") << VersionArchivoNotas::Actual;
    QTest::newRow("2.0") << VersionArchivoNotas::Version2;
    QTest::newRow("primera") << VersionArchivoNotas::Primera;
}

void TestArchivoNotas::registroDeCadaVersion() {
    QFETCH(VersionArchivoNotas, version);
    Registro segundo;
    segundo.left = "300";
    segundo.lineasTexto = "1";
    segundo.texto = "otra\r\n";
    const ResultadoCargaNotas leido = LeerArchivoNotas(Archivo(version, {{}, segundo}));
    QCOMPARE(leido.Error, ErrorArchivo::Ninguno);
    QCOMPARE(leido.Version, version);
    QCOMPARE(leido.HayQueConvertir(), version != VersionArchivoNotas::Actual);
    QCOMPARE(leido.Notas.size(), 2);
    QCOMPARE(leido.Notas[0], NotaDelRegistro(version));
    QCOMPARE(leido.Notas[1].Left, 300);
    QCOMPARE(leido.Notas[1].Texto, QString("otra"));
}

void TestArchivoNotas::tableroVacio() {
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.DAT");
    QCOMPARE(GuardarArchivoNotas(ruta, {}), ErrorArchivo::Ninguno);
    QCOMPARE(LeerBytes(ruta), QByteArray("PINACO_NOTAS_BD_3.0\r\n"));
    const ResultadoCargaNotas leido = CargarArchivoNotas(ruta);
    QCOMPARE(leido.Error, ErrorArchivo::Ninguno);
    QVERIFY(leido.Existe);
    QVERIFY(leido.Notas.isEmpty());
    QVERIFY(!leido.HayQueConvertir());

    // An empty file has no header: it is a (note-less) file of the first layout.
    EscribirBytes(ruta, {});
    const ResultadoCargaNotas vacio = CargarArchivoNotas(ruta);
    QCOMPARE(vacio.Error, ErrorArchivo::Ninguno);
    QVERIFY(vacio.Notas.isEmpty());
    QCOMPARE(vacio.Version, VersionArchivoNotas::Primera);
    QVERIFY(vacio.HayQueConvertir());
}

void TestArchivoNotas::archivoInexistenteOIlegible() {
    QTemporaryDir carpeta;
    const ResultadoCargaNotas inexistente = CargarArchivoNotas(carpeta.filePath("Pinaco.DAT"));
    QCOMPARE(inexistente.Error, ErrorArchivo::Ninguno);
    QVERIFY(!inexistente.Existe);
    QVERIFY(inexistente.Notas.isEmpty());
    QVERIFY(!inexistente.HayQueConvertir());

    const ResultadoCargaNotas carpetaComoArchivo = CargarArchivoNotas(carpeta.path());
    QCOMPARE(carpetaComoArchivo.Error, ErrorArchivo::NoSePuedeLeer);
    QVERIFY(!carpetaComoArchivo.HayQueConvertir());
}

void TestArchivoNotas::textos_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QByteArray>("guardado"); // the count line and the text lines
    QTest::addColumn<QString>("leido");

    QTest::newRow("vacio") << "" << QByteArray("1\r\n\r\n") << "";
    QTest::newRow("una linea") << "hola" << QByteArray("1\r\nhola\r\n") << "hola";
    QTest::newRow("CR LF del editor") << "a\r\nb" << QByteArray("2\r\na\r\nb\r\n") << "a\rb";
    QTest::newRow("CR suelto de un texto leido") << "a\rb" << QByteArray("2\r\na\rb\r\n") << "a\rb";
    QTest::newRow("acaba en lineas vacias") << "a\r\n\r\n"
                                            << QByteArray("3\r\na\r\n\r\n\r\n") << "a";
    QTest::newRow("lineas vacias en medio")
        << "a\r\rb" << QByteArray("3\r\na\r\rb\r\n") << "a\r\rb";
    QTest::newRow("LF suelto es texto") << "a\nb" << QByteArray("1\r\na\nb\r\n") << "a\nb";
    QTest::newRow("solo saltos") << "\r\n\r" << QByteArray("3\r\n\r\n\r\r\n") << "";
    QTest::newRow("blancos y tabuladores") << " \t x " << QByteArray("1\r\n \t x \r\n") << " \t x ";
}

void TestArchivoNotas::textos() {
    QFETCH(QString, texto);
    QFETCH(QByteArray, guardado);
    QFETCH(QString, leido);

    DatosNota nota = NotaDelRegistro(VersionArchivoNotas::Actual);
    nota.Texto = texto;
    const QByteArray esperado = Cabecera(VersionArchivoNotas::Actual) +
                                Registro().Cabeza(VersionArchivoNotas::Actual) + guardado;
    const QByteArray bytes = BytesDeNotas({nota});
    QCOMPARE(bytes, esperado);

    const ResultadoCargaNotas vuelta = LeerArchivoNotas(bytes);
    QCOMPARE(vuelta.Error, ErrorArchivo::Ninguno);
    QCOMPARE(vuelta.Notas.size(), 1);
    QCOMPARE(vuelta.Notas[0].Texto, leido);

    // Once loaded, a text stays the same through any number of saves.
    const QByteArray otraVez = BytesDeNotas(vuelta.Notas);
    QCOMPARE(LeerArchivoNotas(otraVez).Notas, vuelta.Notas);
    QCOMPARE(BytesDeNotas(LeerArchivoNotas(otraVez).Notas), otraVez);
}

void TestArchivoNotas::textosLeidos_data() {
    QTest::addColumn<QByteArray>("cola"); // from the count line to the end of the file
    QTest::addColumn<QStringList>("textos");

    QTest::newRow("cero lineas") << QByteArray("0\r\n") << QStringList{""};
    QTest::newRow("cuenta negativa") << QByteArray("-3\r\n") << QStringList{""};
    QTest::newRow("cero lineas y otra nota")
        << QByteArray("0\r\n") + Registro().Bytes(VersionArchivoNotas::Actual)
        << QStringList{"", "hola\radios"};
    QTest::newRow("faltan lineas al final")
        << QByteArray("5\r\nuna\r\ndos") << QStringList{"una\rdos"};
    QTest::newRow("cuenta enorme al final")
        << QByteArray("2147483647\r\nx\r\n") << QStringList{"x"};
    QTest::newRow("CR sin LF") << QByteArray("2\runo\rdos\r") << QStringList{"uno\rdos"};
    QTest::newRow("LF tras CR LF es texto")
        << QByteArray("2\r\nuno\r\n\ndos\r\n") << QStringList{"uno\r\ndos"};
    QTest::newRow("Ctrl-Z acaba el archivo") << QByteArray("2\r\nab\x1A"
                                                           "cd\r\nx\r\n") +
                                                    Registro().Bytes(VersionArchivoNotas::Actual)
                                             << QStringList{"ab"};
    QTest::newRow("LF al final se quita") << QByteArray("1\r\nab\n\n\r\n") << QStringList{"ab"};
}

void TestArchivoNotas::textosLeidos() {
    QFETCH(QByteArray, cola);
    QFETCH(QStringList, textos);
    const ResultadoCargaNotas leido =
        LeerArchivoNotas(Cabecera(VersionArchivoNotas::Actual) +
                         Registro().Cabeza(VersionArchivoNotas::Actual) + cola);
    QCOMPARE(leido.Error, ErrorArchivo::Ninguno);
    QStringList leidos;
    for (const DatosNota& nota : leido.Notas)
        leidos << nota.Texto;
    QCOMPARE(leidos, textos);
}

void TestArchivoNotas::estiloFuente_data() {
    QTest::addColumn<QByteArray>("linea");
    QTest::addColumn<int>("estilo");
    QTest::newRow("negrita y subrayado") << QByteArray("1010") << int(fsBold | fsUnderline);
    QTest::newRow("cursiva y tachado") << QByteArray("0101") << int(fsItalic | fsStrikeOut);
    QTest::newRow("todos") << QByteArray("1111")
                           << int(fsBold | fsItalic | fsUnderline | fsStrikeOut);
    QTest::newRow("ninguno") << QByteArray("0000") << 0;
    QTest::newRow("vacia") << QByteArray("") << 0;
    QTest::newRow("un caracter") << QByteArray("1") << int(fsBold);
    QTest::newRow("tres caracteres") << QByteArray("011") << int(fsItalic | fsUnderline);
    QTest::newRow("sobra un caracter") << QByteArray("00011") << int(fsStrikeOut);
    QTest::newRow("otros caracteres no cuentan")
        << QByteArray("x1 1") << int(fsItalic | fsStrikeOut);
}

void TestArchivoNotas::estiloFuente() {
    QFETCH(QByteArray, linea);
    QFETCH(int, estilo);
    Registro registro;
    registro.estilo = linea;
    registro.fuente = "1111"; // a reader that runs past a short line would see these
    const ResultadoCargaNotas leido =
        LeerArchivoNotas(Archivo(VersionArchivoNotas::Actual, {registro}));
    QCOMPARE(leido.Error, ErrorArchivo::Ninguno);
    QCOMPARE(leido.Notas.size(), 1);
    QCOMPARE(int(leido.Notas[0].FontStyle), estilo);
    QCOMPARE(leido.Notas[0].FontName, QString("1111"));
}

void TestArchivoNotas::chincheta_data() {
    QTest::addColumn<QByteArray>("numero");
    QTest::addColumn<TColorChincheta>("color");
    QTest::newRow("rojo") << QByteArray("0") << TColorChincheta::Rojo;
    QTest::newRow("morado") << QByteArray("5") << TColorChincheta::Morado;
    QTest::newRow("net") << QByteArray("6") << TColorChincheta::Net;
    QTest::newRow("ninguna") << QByteArray("7") << TColorChincheta::None;
    QTest::newRow("8 no es chincheta") << QByteArray("8") << TColorChincheta::Rojo;
    QTest::newRow("255 no es chincheta") << QByteArray("255") << TColorChincheta::Rojo;
    QTest::newRow("negativo") << QByteArray("-1") << TColorChincheta::Rojo;
    QTest::newRow("byte bajo de 262 es Net") << QByteArray("262") << TColorChincheta::Net;
    QTest::newRow("byte bajo de 263 es None") << QByteArray("263") << TColorChincheta::None;
}

void TestArchivoNotas::chincheta() {
    QFETCH(QByteArray, numero);
    QFETCH(TColorChincheta, color);
    Registro registro;
    registro.chincheta = numero;
    const ResultadoCargaNotas leido =
        LeerArchivoNotas(Archivo(VersionArchivoNotas::Actual, {registro}));
    QCOMPARE(leido.Error, ErrorArchivo::Ninguno);
    QCOMPARE(leido.Notas.size(), 1);
    QCOMPARE(leido.Notas[0].ColorChincheta, color);
}

void TestArchivoNotas::campoNumerico_data() {
    QTest::addColumn<QByteArray>("campo");
    QTest::addColumn<bool>("valido");
    QTest::addColumn<int>("valor");
    QTest::newRow("positivo") << QByteArray("42") << true << 42;
    QTest::newRow("negativo") << QByteArray("-42") << true << -42;
    QTest::newRow("con +") << QByteArray("+42") << true << 42;
    QTest::newRow("cero") << QByteArray("0") << true << 0;
    QTest::newRow("blancos delante, resto de linea ignorado")
        << QByteArray("  \t42 basura") << true << 42;
    QTest::newRow("linea vacia: sigue en la siguiente") << QByteArray("\r\n42") << true << 42;
    QTest::newRow("maximo") << QByteArray("2147483647") << true << 2147483647;
    QTest::newRow("minimo") << QByteArray("-2147483648") << true << int(-2147483648LL);
    QTest::newRow("solo 32 caracteres") << QByteArray(31, '0') + "12" << true << 1;
    QTest::newRow("letra") << QByteArray("x") << false << 0;
    QTest::newRow("letra tras cifras") << QByteArray("12x") << false << 0;
    QTest::newRow("decimal") << QByteArray("1.5") << false << 0;
    QTest::newRow("solo signo") << QByteArray("-") << false << 0;
    QTest::newRow("hexadecimal") << QByteArray("$1F") << false << 0;
    QTest::newRow("pasa del maximo") << QByteArray("2147483648") << false << 0;
    QTest::newRow("pasa del minimo") << QByteArray("-2147483649") << false << 0;
    QTest::newRow("enorme") << QByteArray(32, '9') << false << 0;
}

void TestArchivoNotas::campoNumerico() {
    QFETCH(QByteArray, campo);
    QFETCH(bool, valido);
    QFETCH(int, valor);
    Registro registro;
    registro.left = campo;
    const ResultadoCargaNotas leido =
        LeerArchivoNotas(Archivo(VersionArchivoNotas::Actual, {registro, {}}));
    if (!valido) {
        QCOMPARE(leido.Error, ErrorArchivo::NumeroNoValido);
        QVERIFY(leido.Notas.isEmpty());
        return;
    }
    QCOMPARE(leido.Error, ErrorArchivo::Ninguno);
    QCOMPARE(leido.Notas.size(), 2);
    QCOMPARE(leido.Notas[0].Left, valor);
    QCOMPARE(leido.Notas[0].Top, -20);
    QCOMPARE(leido.Notas[1], NotaDelRegistro(VersionArchivoNotas::Actual));
}

void TestArchivoNotas::letraDondeVaNumero_data() {
    QTest::addColumn<VersionArchivoNotas>("version");
    QTest::addColumn<int>("campo");
    const QList<QByteArray Registro::*> numericos = {
        &Registro::left,      &Registro::top,        &Registro::width,      &Registro::height,
        &Registro::chincheta, &Registro::diaCreada,  &Registro::mesCreada,  &Registro::anioCreada,
        &Registro::diaLimite, &Registro::mesLimite,  &Registro::anioLimite, &Registro::tamano,
        &Registro::color,     &Registro::lineasTexto};
    for (const auto version : {VersionArchivoNotas::Actual, VersionArchivoNotas::Version2,
                               VersionArchivoNotas::Primera}) {
        for (int campo = 0; campo < numericos.size(); ++campo) {
            const bool tieneFuente = version != VersionArchivoNotas::Primera;
            if (!tieneFuente &&
                (numericos[campo] == &Registro::tamano || numericos[campo] == &Registro::color))
                continue;
            QTest::addRow("version %d campo %d", int(version), campo) << version << campo;
        }
    }
}

void TestArchivoNotas::letraDondeVaNumero() {
    QFETCH(VersionArchivoNotas, version);
    QFETCH(int, campo);
    const QList<QByteArray Registro::*> numericos = {
        &Registro::left,      &Registro::top,        &Registro::width,      &Registro::height,
        &Registro::chincheta, &Registro::diaCreada,  &Registro::mesCreada,  &Registro::anioCreada,
        &Registro::diaLimite, &Registro::mesLimite,  &Registro::anioLimite, &Registro::tamano,
        &Registro::color,     &Registro::lineasTexto};
    Registro malo;
    malo.*numericos[campo] = "x";
    const ResultadoCargaNotas leido = LeerArchivoNotas(Archivo(version, {{}, malo, {}}));
    QCOMPARE(leido.Error, ErrorArchivo::NumeroNoValido);
    QVERIFY(leido.Notas.isEmpty());
    QVERIFY(!leido.HayQueConvertir());
}

void TestArchivoNotas::lineaVaciaFinal_data() {
    registroDeCadaVersion_data();
}

void TestArchivoNotas::lineaVaciaFinal() {
    QFETCH(VersionArchivoNotas, version);
    const ResultadoCargaNotas leido = LeerArchivoNotas(Archivo(version, {{}}) + kFin);
    QCOMPARE(leido.Error, ErrorArchivo::Ninguno);
    QCOMPARE(leido.Notas.size(), 2);
    QCOMPARE(leido.Notas[0], NotaDelRegistro(version));
    DatosNota ceros;
    ceros.Left = ceros.Top = ceros.Width = ceros.Height = 0;
    if (version != VersionArchivoNotas::Primera) {
        ceros.FontSize = 0;
        ceros.FontColor = 0;
    }
    QCOMPARE(leido.Notas[1], ceros);
}

void TestArchivoNotas::ordenDeLasNotas() {
    QList<DatosNota> notas;
    for (const char* texto : {"arriba", "medio", "abajo"}) {
        DatosNota nota;
        nota.Texto = texto;
        notas << nota;
    }
    const QByteArray bytes = BytesDeNotas(notas);
    QVERIFY(bytes.indexOf("arriba") < bytes.indexOf("medio"));
    QVERIFY(bytes.indexOf("medio") < bytes.indexOf("abajo"));
    QCOMPARE(LeerArchivoNotas(bytes).Notas, notas);
}

void TestArchivoNotas::idaYVueltaByteAByte_data() {
    QTest::addColumn<QByteArray>("archivo");

    QByteArray todos; // every byte a line can hold
    for (int b = 0; b <= 0xFF; ++b)
        if (b != '\r' && b != 26)
            todos += char(b);
    Registro raro;
    raro.fuente = "\x81\x8D\x8F\x90\x9D";
    raro.hora = "\x80\x9F\xA0\xFF";
    raro.ip = todos;
    raro.usuario = "Jos\xe9 Mar\xed"
                   "a";
    raro.lineasTexto = "3";
    raro.texto = todos + "\r\x81\x8D\x8F\x90\x9D\r\tfin \r\n";
    Registro extremos;
    extremos.left = "-2147483648";
    extremos.top = "2147483647";
    extremos.color = "-1";
    extremos.chincheta = "7";
    extremos.diaCreada = "0";
    extremos.anioLimite = "-1";
    extremos.estilo = "0000";
    extremos.fuente = extremos.hora = extremos.ip = extremos.usuario = "";
    extremos.lineasTexto = "1";
    extremos.texto = "\r\n";
    Registro crSuelto;
    crSuelto.lineasTexto = "3";
    crSuelto.texto = "uno\rdos\r\ttres\r\n";

    QTest::newRow("vacio") << Archivo(VersionArchivoNotas::Actual, {});
    QTest::newRow("normal") << Archivo(VersionArchivoNotas::Actual, {{}});
    QTest::newRow("bytes raros") << Archivo(VersionArchivoNotas::Actual, {raro});
    QTest::newRow("extremos") << Archivo(VersionArchivoNotas::Actual, {extremos});
    QTest::newRow("CR suelto") << Archivo(VersionArchivoNotas::Actual, {crSuelto});
    QTest::newRow("varias") << Archivo(VersionArchivoNotas::Actual,
                                       {raro, {}, extremos, crSuelto, raro});
}

void TestArchivoNotas::idaYVueltaByteAByte() {
    QFETCH(QByteArray, archivo);
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.DAT");
    EscribirBytes(ruta, archivo);
    const ResultadoCargaNotas leido = CargarArchivoNotas(ruta);
    QCOMPARE(leido.Error, ErrorArchivo::Ninguno);
    QCOMPARE(leido.Version, VersionArchivoNotas::Actual);
    QCOMPARE(GuardarArchivoNotas(ruta, leido.Notas), ErrorArchivo::Ninguno);
    QCOMPARE(LeerBytes(ruta), archivo);
}

void TestArchivoNotas::conversionAlFormatoActual_data() {
    QTest::addColumn<VersionArchivoNotas>("version");
    QTest::newRow("2.0") << VersionArchivoNotas::Version2;
    QTest::newRow("primera") << VersionArchivoNotas::Primera;
}

void TestArchivoNotas::conversionAlFormatoActual() {
    QFETCH(VersionArchivoNotas, version);
    Registro segundo;
    segundo.lineasTexto = "1";
    segundo.texto = "\x81\x8D\x8F\x90\x9D\r\n";
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.DAT");
    EscribirBytes(ruta, Archivo(version, {{}, segundo}));
    const ResultadoCargaNotas viejo = CargarArchivoNotas(ruta);
    QVERIFY(viejo.HayQueConvertir());
    QCOMPARE(GuardarArchivoNotas(ruta, viejo.Notas), ErrorArchivo::Ninguno);
    QVERIFY(LeerBytes(ruta).startsWith("PINACO_NOTAS_BD_3.0\r\n"));
    const ResultadoCargaNotas nuevo = CargarArchivoNotas(ruta);
    QCOMPARE(nuevo.Version, VersionArchivoNotas::Actual);
    QVERIFY(!nuevo.HayQueConvertir());
    QCOMPARE(nuevo.Notas, viejo.Notas);
    QCOMPARE(nuevo.Notas[1].Texto, Cp1252::Decodificar("\x81\x8D\x8F\x90\x9D"));
}

void TestArchivoNotas::camposNoGuardables_data() {
    QTest::addColumn<int>("campo");
    QTest::addColumn<QString>("valor");
    enum { Texto, Fuente, Hora, IP, Usuario };
    const QString chino = QString::fromUtf8("中");
    QTest::newRow("texto fuera de Windows-1252") << int(Texto) << "nota " + chino;
    QTest::newRow("Ctrl-Z en el texto cortaria el archivo") << int(Texto) << QString("a\x1A");
    QTest::newRow("fuente fuera de Windows-1252") << int(Fuente) << chino;
    QTest::newRow("CR en la fuente") << int(Fuente) << QString("Arial\rNegrita");
    QTest::newRow("CR en la hora") << int(Hora) << QString("12:00\r");
    QTest::newRow("Ctrl-Z en la direccion") << int(IP) << QString("\x1A");
    QTest::newRow("CR en el usuario") << int(Usuario) << QString("\rAna");
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
    const QByteArray previo = Archivo(VersionArchivoNotas::Actual, {{}});
    EscribirBytes(ruta, previo);
    QCOMPARE(GuardarArchivoNotas(ruta, {DatosNota(), nota}), ErrorArchivo::TextoNoGuardable);
    QCOMPARE(LeerBytes(ruta), previo);
    QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files), QStringList({"Pinaco.DAT"}));

    DispositivoQueFalla dispositivo(1 << 20);
    QCOMPARE(EscribirArchivoNotas(dispositivo, {nota}), ErrorArchivo::TextoNoGuardable);
    QVERIFY(dispositivo.Escrito().isEmpty());
}

void TestArchivoNotas::escrituraQueFallaSeInforma() {
    const QList<DatosNota> notas = {NotaDelRegistro(VersionArchivoNotas::Actual), DatosNota()};
    const QByteArray completo = BytesDeNotas(notas);
    for (qint64 capacidad = 0; capacidad < completo.size(); ++capacidad) {
        DispositivoQueFalla dispositivo(capacidad);
        QCOMPARE(EscribirArchivoNotas(dispositivo, notas), ErrorArchivo::NoSePuedeEscribir);
    }
    DispositivoQueFalla justo(completo.size());
    QCOMPARE(EscribirArchivoNotas(justo, notas), ErrorArchivo::Ninguno);
    QCOMPARE(justo.Escrito(), completo);
}

void TestArchivoNotas::fallaAMitadConservaElAnterior() {
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("Pinaco.DAT");
    const QByteArray previo = Archivo(VersionArchivoNotas::Actual, {{}, {}});
    EscribirBytes(ruta, previo);
    const QList<DatosNota> notas = {DatosNota()};
    const ErrorArchivo error = GuardarAtomico(ruta, [&](QIODevice& destino) {
        // The disk gives up after half of the new file.
        const QByteArray nuevo = BytesDeNotas(notas);
        DispositivoQueFalla lleno(nuevo.size() / 2);
        destino.write(nuevo.first(nuevo.size() / 2));
        return EscribirArchivoNotas(lleno, notas);
    });
    QCOMPARE(error, ErrorArchivo::NoSePuedeEscribir);
    QCOMPARE(LeerBytes(ruta), previo);
    QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files), QStringList({"Pinaco.DAT"}));

    QCOMPARE(GuardarArchivoNotas(ruta, notas), ErrorArchivo::Ninguno);
    QCOMPARE(LeerBytes(ruta), BytesDeNotas(notas));
}

void TestArchivoNotas::carpetaImposibleSeInforma() {
    QTemporaryDir carpeta;
    // A plain file where the folder should be: no user, root included, can write there.
    const QString noCarpeta = carpeta.filePath("no-es-carpeta");
    EscribirBytes(noCarpeta, "x");
    QCOMPARE(GuardarArchivoNotas(noCarpeta + "/Pinaco.DAT", {DatosNota()}),
             ErrorArchivo::NoSePuedeEscribir);
    QCOMPARE(LeerBytes(noCarpeta), QByteArray("x"));
}

QTEST_GUILESS_MAIN(TestArchivoNotas)
#include "test_archivonotas.moc"
