#include "core/Cp1252.h"
#include "core/UnitComunes.h"

#include <QtTest>

class TestComunes : public QObject {
    Q_OBJECT
private slots:
    void compararFechas_data();
    void compararFechas();
    void compararHoras();
    void normalizar_data();
    void normalizar();
    void mesDeTexto_data();
    void mesDeTexto();
    void ipValida_data();
    void ipValida();
    void esNumeroYReemplazar();
    void clavesDeOrden();
    void ordenPorNombre();
    void ordenPorDireccion();
    void fechaCorta();
    void cp1252IdaYVuelta();
    void cp1252RechazaLoQueNoCabe();
};

void TestComunes::compararFechas_data() {
    QTest::addColumn<QList<int>>("a");
    QTest::addColumn<QList<int>>("b");
    QTest::addColumn<int>("esperado");
    QTest::newRow("fin de siglo") << QList<int>{31, 12, 1999} << QList<int>{1, 1, 2000} << -1;
    QTest::newRow("iguales") << QList<int>{5, 6, 2004} << QList<int>{5, 6, 2004} << 0;
    QTest::newRow("mes 13 es mayor") << QList<int>{1, 13, 2004} << QList<int>{31, 12, 2004} << 1;
    QTest::newRow("dia decide") << QList<int>{2, 3, 2004} << QList<int>{1, 3, 2004} << 1;
    QTest::newRow("anio antes que dia") << QList<int>{31, 12, 2003} << QList<int>{1, 1, 2004} << -1;
    QTest::newRow("anio negativo") << QList<int>{1, 1, -5} << QList<int>{1, 1, 0} << -1;
}

void TestComunes::compararFechas() {
    QFETCH(QList<int>, a);
    QFETCH(QList<int>, b);
    QFETCH(int, esperado);
    QCOMPARE(CompararFechas(quint8(a[0]), quint8(a[1]), a[2], quint8(b[0]), quint8(b[1]), b[2]),
             esperado);
    QCOMPARE(CompararFechas(quint8(b[0]), quint8(b[1]), b[2], quint8(a[0]), quint8(a[1]), a[2]),
             -esperado);
}

void TestComunes::compararHoras() {
    QCOMPARE(CompararHoras(23, 59, 59, 0, 0, 0), 1);
    QCOMPARE(CompararHoras(10, 0, 1, 10, 0, 2), -1);
    QCOMPARE(CompararHoras(10, 5, 0, 10, 4, 59), 1);
    QCOMPARE(CompararHoras(7, 7, 7, 7, 7, 7), 0);
}

void TestComunes::normalizar_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("ejemplo") << QString("Año señal á") << QString("AÑO SEÑAL A");
    QTest::newRow("vocales") << QString("áéíóú") << QString("AEIOU");
    QTest::newRow("mayuscula acentuada queda") << QString("Á") << QString("Á");
    QTest::newRow("dieresis queda") << QString("ü") << QString("ü");
    QTest::newRow("otras letras quedan") << QString("çàè") << QString("çàè");
    QTest::newRow("vacio") << QString() << QString();
    QTest::newRow("ascii") << QString("Hola, z 9!") << QString("HOLA, Z 9!");
}

void TestComunes::normalizar() {
    QFETCH(QString, texto);
    QFETCH(QString, esperado);
    QCOMPARE(Normalizar(texto), esperado);
}

void TestComunes::mesDeTexto_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("mes");
    QTest::newRow("ene") << "ene" << 1;
    QTest::newRow("Ene") << "Ene" << 1;
    QTest::newRow("ENE") << "ENE" << 1;
    QTest::newRow("dic") << "dic" << 12;
    QTest::newRow("ago") << "aGo" << 8;
    QTest::newRow("con blanco") << "Dic " << 0;
    QTest::newRow("nombre entero") << "Enero" << 0;
    QTest::newRow("vacio") << "" << 0;
    QTest::newRow("numero") << "12" << 0;
}

void TestComunes::mesDeTexto() {
    QFETCH(QString, texto);
    QFETCH(int, mes);
    QCOMPARE(int(MesDeTexto(texto)), mes);
}

void TestComunes::ipValida_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("valida");
    QTest::newRow("normal") << "192.168.1.255" << true;
    QTest::newRow("patron") << "192.168.*.*" << true;
    QTest::newRow("comodin") << "*.*.*.*" << true;
    QTest::newRow("grupo vacio") << "1..2.3" << true;
    QTest::newRow("ceros delante") << "001.002.003.004" << true;
    QTest::newRow("cero y asterisco") << "0*.1.1.1" << true;
    QTest::newRow("256 al final") << "192.168.1.256" << false;
    QTest::newRow("256 al principio") << "256.1.1.1" << false;
    QTest::newRow("tres grupos") << "1.2.3" << false;
    QTest::newRow("cinco grupos") << "1.2.3.4.5" << false;
    QTest::newRow("letra") << "1.2.3.a" << false;
    QTest::newRow("vacio") << "" << false;
    QTest::newRow("asterisco y digito") << "*1.1.1.1" << false;
    QTest::newRow("dos asteriscos") << "**.1.1.1" << false;
    QTest::newRow("digitos sin fin") << "1.1.1.99999999999999999999" << false;
    QTest::newRow("blanco") << "1.1.1.1 " << false;
}

void TestComunes::ipValida() {
    QFETCH(QString, texto);
    QFETCH(bool, valida);
    QCOMPARE(IPValida(texto), valida);
}

void TestComunes::esNumeroYReemplazar() {
    QVERIFY(EsNumero(QString()));
    QVERIFY(EsNumero("0123456789"));
    QVERIFY(!EsNumero("12a"));
    QVERIFY(!EsNumero("-1"));
    QVERIFY(!EsNumero("٣")); // a digit of another script is no number here
    const QString r = ReemplazarCaracter("a\nb\n", u'\n', QChar(0));
    QCOMPARE(r.size(), 4);
    QCOMPARE(r[1], QChar(0));
    QCOMPARE(r[3], QChar(0));
    QCOMPARE(ReemplazarCaracter("abc", u'x', u'y'), QString("abc"));
}

void TestComunes::clavesDeOrden() {
    QCOMPARE(ByteAHex(0), QString("00"));
    QCOMPARE(ByteAHex(-3), QString("00"));
    QCOMPARE(ByteAHex(10), QString("0A"));
    QCOMPARE(ByteAHex(255), QString("FF"));
    QCOMPARE(ByteAHex(256), QString("0100"));
    QCOMPARE(TextoAHex(QString()), QString());
    QCOMPARE(TextoAHex("abc"), QString("616263"));
    QCOMPARE(TextoAHex("€"), QString("80")); // by its Windows-1252 byte
    QCOMPARE(InvertirTexto(QString(QChar(0))), QString(QChar(u'ÿ')));
    QCOMPARE(RellenarIP("10.0.0.1"), QString("010.000.000.001"));
    QCOMPARE(RellenarIP("*.*.*.*"), QString("00*.00*.00*.00*"));
    QCOMPARE(RellenarIP("1234.5"), QString("1234.005"));
    QCOMPARE(InvertirDigitos("010.3*"), QString("989.6*"));
}

void TestComunes::ordenPorNombre() {
    // Ascending by TextoAHex follows byte values; the inverted key sorts the other way.
    const QStringList nombres = {"ana", "Ana", "b", "ab", "á", "", "zz"};
    QStringList asc = nombres, desc = nombres;
    std::sort(asc.begin(), asc.end(),
              [](const QString& a, const QString& b) { return TextoAHex(a) < TextoAHex(b); });
    std::sort(desc.begin(), desc.end(), [](const QString& a, const QString& b) {
        return TextoAHex(InvertirTexto(a)) < TextoAHex(InvertirTexto(b));
    });
    QCOMPARE(asc, (QStringList{"", "Ana", "ab", "ana", "b", "zz", "á"}));
    // Reversed byte order, except that a prefix (the empty text too) still comes first.
    QCOMPARE(desc, (QStringList{"", "á", "zz", "b", "ana", "ab", "Ana"}));
}

void TestComunes::ordenPorDireccion() {
    const QStringList ips = {"10.0.0.1", "9.255.0.1", "10.0.0.12", "192.168.1.2"};
    QStringList asc = ips, desc = ips;
    std::sort(asc.begin(), asc.end(),
              [](const QString& a, const QString& b) { return RellenarIP(a) < RellenarIP(b); });
    std::sort(desc.begin(), desc.end(), [](const QString& a, const QString& b) {
        return InvertirDigitos(RellenarIP(a)) < InvertirDigitos(RellenarIP(b));
    });
    QCOMPARE(asc, (QStringList{"9.255.0.1", "10.0.0.1", "10.0.0.12", "192.168.1.2"}));
    QCOMPARE(desc, (QStringList{"192.168.1.2", "10.0.0.12", "10.0.0.1", "9.255.0.1"}));
}

void TestComunes::fechaCorta() {
    QCOMPARE(FechaCorta(1, 1, 2000), QString("01-Ene-2000"));
    QCOMPARE(FechaCorta(31, 12, 34), QString("31-Dic-34"));
    QCOMPARE(NombreColor[7], QString("Ninguna"));
    QCOMPARE(DiasMes[2], 28);
}

void TestComunes::cp1252IdaYVuelta() {
    QByteArray todos;
    for (int b = 0; b < 256; ++b)
        todos.append(char(b));
    const QString texto = Cp1252::Decodificar(todos);
    QCOMPARE(texto.size(), 256);
    // The five undefined bytes come back as themselves.
    for (uchar b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        QCOMPARE(texto[b].unicode(), char16_t(b));
    QCOMPARE(texto[0x80], QChar(0x20AC));
    QCOMPARE(texto[0x9F], QChar(0x0178));
    QCOMPARE(texto[0xF1], QChar(u'ñ'));
    const auto vuelta = Cp1252::Codificar(texto);
    QVERIFY(vuelta.has_value());
    QCOMPARE(*vuelta, todos);
}

void TestComunes::cp1252RechazaLoQueNoCabe() {
    for (const QString& malo :
         {QString("flecha →"), QString("emoji 😀"), QString("漢字"), QString(QChar(0x0100))}) {
        QVERIFY2(!Cp1252::Codificar(malo).has_value(), qPrintable(malo));
        QVERIFY(Cp1252::PrimeroNoGuardable(malo) >= 0);
    }
    QCOMPARE(Cp1252::PrimeroNoGuardable("ab→c"), 2);
    QCOMPARE(Cp1252::PrimeroNoGuardable("Año €"), -1);
    // Windows-1252 holds Ctrl-Z, but it ends the data files.
    QCOMPARE(Cp1252::PrimeroNoGuardable(QString("ab\x1A")), 2);
    QCOMPARE(*Cp1252::Codificar("Año €"), QByteArray("A\xF1o \x80"));
}

QTEST_APPLESS_MAIN(TestComunes)
#include "test_comunes.moc"
