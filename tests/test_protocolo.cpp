#include "net/Protocolo.h"

#include <QtTest>

using namespace Protocolo;

class TestProtocolo : public QObject {
    Q_OBJECT
private slots:
    void mensajesDeUnaNota();
    void guardarCampo_data();
    void guardarCampo();
};

// The sender's twelve messages carry every value as the receiver reads it back.
void TestProtocolo::mensajesDeUnaNota() {
    DatosNota nota;
    nota.DayExpires = 7;
    nota.MonthExpires = 12;
    nota.YearExpires = 2026;
    nota.FontStyle = fsBold | fsUnderline;
    nota.FontName = QStringLiteral("Comic Sans MS");
    nota.FontSize = 14;
    nota.FontColor = kColorTextoVentana;
    nota.Width = 120;
    nota.Height = 160;
    nota.Top = -3;
    nota.Left = 40;
    nota.Texto = QStringLiteral("Llamar a\r\nlas cinco €");
    const QList<QByteArray> esperados = {"DAY_EXPIRES:7",
                                         "MONTH_EXPIRES:12",
                                         "YEAR_EXPIRES:2026",
                                         "FONT_STYLE:1010",
                                         "FONT_NAME:Comic Sans MS",
                                         "FONT_SIZE:14",
                                         "FONT_COLOR:-2147483640",
                                         "WIDTH:120",
                                         "HEIGHT:160",
                                         "TOP:-3",
                                         "LEFT:40",
                                         "TEXT:Llamar a\r\nlas cinco \x80"};
    QCOMPARE(MensajesCampos(nota).value(), esperados);

    DatosNota recibida = NotaEntranteInicial();
    for (const QByteArray& m : esperados)
        QCOMPARE(GuardarCampo(m, recibida), LecturaCampo::Guardado);
    QCOMPARE(MensajesCampos(recibida).value(), esperados);

    nota.Texto = QStringLiteral("ideograma 字");
    QVERIFY(!MensajesCampos(nota));
    QCOMPARE(MensajeVersionId(), QByteArray("VERSION_ID:Pinaco v1.4o"));
    QCOMPARE(MensajeActualizarPuerto(2223), QByteArray("ACTUALIZE_MY_SERVER_PORT:2223"));
    QCOMPARE(MensajeCiaoNoPermitidoPor(5), QByteArray("CIAO_ACK_NOT_ALLOWED_FOR:5"));
}

// One received message; "quedaComo" is the field as this board would send it on.
void TestProtocolo::guardarCampo_data() {
    QTest::addColumn<QByteArray>("mensaje");
    QTest::addColumn<int>("lectura");
    QTest::addColumn<QByteArray>("quedaComo");
    const int guardado = int(LecturaCampo::Guardado);
    const int noNumerico = int(LecturaCampo::NoNumerico);
    const int noEsCampo = int(LecturaCampo::NoEsCampo);
    QTest::newRow("dia: 8 bits bajos")
        << QByteArray("DAY_EXPIRES:300") << guardado << QByteArray("DAY_EXPIRES:44");
    QTest::newRow("mes negativo") << QByteArray("MONTH_EXPIRES:-1") << guardado
                                  << QByteArray("MONTH_EXPIRES:255");
    QTest::newRow("estilo de una bandera")
        << QByteArray("FONT_STYLE:1") << guardado << QByteArray("FONT_STYLE:1000");
    QTest::newRow("cursiva y tachada")
        << QByteArray("FONT_STYLE:0101") << guardado << QByteArray("FONT_STYLE:0101");
    QTest::newRow("otra letra no cuenta")
        << QByteArray("FONT_STYLE:1x1Y") << guardado << QByteArray("FONT_STYLE:1010");
    QTest::newRow("estilo vacio") << QByteArray("FONT_STYLE:") << guardado
                                  << QByteArray("FONT_STYLE:0000");
    QTest::newRow("quinta bandera ignorada")
        << QByteArray("FONT_STYLE:00011") << guardado << QByteArray("FONT_STYLE:0001");
    QTest::newRow("color de sistema")
        << QByteArray("FONT_COLOR:-2147483640") << guardado << QByteArray("FONT_COLOR:-2147483640");
    QTest::newRow("entero mas alto")
        << QByteArray("LEFT:2147483647") << guardado << QByteArray("LEFT:2147483647");
    QTest::newRow("entero mas bajo")
        << QByteArray("TOP:-2147483648") << guardado << QByteArray("TOP:-2147483648");
    QTest::newRow("signo mas") << QByteArray("WIDTH:+5") << guardado << QByteArray("WIDTH:5");
    QTest::newRow("color sin signo")
        << QByteArray("FONT_COLOR:2147483656") << noNumerico << QByteArray("FONT_COLOR:0");
    QTest::newRow("desborde") << QByteArray("LEFT:99999999999999999999") << noNumerico
                              << QByteArray("LEFT:0");
    QTest::newRow("blanco delante")
        << QByteArray("FONT_SIZE: 12") << noNumerico << QByteArray("FONT_SIZE:11");
    QTest::newRow("hexadecimal") << QByteArray("FONT_SIZE:$C") << noNumerico
                                 << QByteArray("FONT_SIZE:11");
    QTest::newRow("numero vacio") << QByteArray("HEIGHT:") << noNumerico << QByteArray("HEIGHT:0");
    QTest::newRow("solo signo") << QByteArray("HEIGHT:-") << noNumerico << QByteArray("HEIGHT:0");
    QTest::newRow("letra detras") << QByteArray("YEAR_EXPIRES:2026x") << noNumerico
                                  << QByteArray("YEAR_EXPIRES:0");
    QTest::newRow("Ctrl-Z en un numero") << QByteArray("YEAR_EXPIRES:20\x1A"
                                                       "26")
                                         << noNumerico << QByteArray("YEAR_EXPIRES:0");
    QTest::newRow("texto con CR LF")
        << QByteArray("TEXT:uno\r\ndos\r\n") << guardado << QByteArray("TEXT:uno\r\ndos\r\n");
    QTest::newRow("texto vacio") << QByteArray("TEXT:") << guardado << QByteArray("TEXT:");
    QTest::newRow("texto pierde Ctrl-Z") << QByteArray("TEXT:a\x1A\x1A"
                                                       "Z\x1A")
                                         << guardado << QByteArray("TEXT:aZ");
    QTest::newRow("texto en Windows-1252")
        << QByteArray("TEXT:A\xF1o \x80\x81") << guardado << QByteArray("TEXT:A\xF1o \x80\x81");
    QTest::newRow("fuente en una linea")
        << QByteArray("FONT_NAME:Ar\r\nial\x1A\n") << guardado << QByteArray("FONT_NAME:Ar  ial ");
    QTest::newRow("sin dos puntos")
        << QByteArray("DAY_EXPIRES") << noEsCampo << QByteArray("DAY_EXPIRES:0");
    QTest::newRow("minusculas") << QByteArray("text:hola") << noEsCampo << QByteArray("TEXT:");
    QTest::newRow("orden") << QByteArray("HOLA") << noEsCampo << QByteArray("TEXT:");
}

void TestProtocolo::guardarCampo() {
    QFETCH(QByteArray, mensaje);
    QFETCH(int, lectura);
    QFETCH(QByteArray, quedaComo);
    DatosNota pendiente = NotaEntranteInicial();
    QCOMPARE(int(GuardarCampo(mensaje, pendiente)), lectura);
    const QByteArray clave = quedaComo.left(quedaComo.indexOf(':') + 1);
    for (int i = 0; i < kNumCampos; ++i) {
        if (ClaveDe(Campo(i)) == clave)
            QCOMPARE(MensajeCampo(Campo(i), pendiente).value(), quedaComo);
        else
            QCOMPARE(MensajeCampo(Campo(i), pendiente).value(),
                     MensajeCampo(Campo(i), NotaEntranteInicial()).value());
    }
}

QTEST_GUILESS_MAIN(TestProtocolo)
#include "test_protocolo.moc"
