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
    nota.FontStyle = fsBold | fsUnderline;
    nota.FontName = QStringLiteral("Comic Sans MS");
    nota.Top = -3;
    nota.Texto = QStringLiteral("Llamar a\r\nlas cinco €");
    const QList<QByteArray> esperados =
        QByteArray("DAY_EXPIRES:0|MONTH_EXPIRES:0|YEAR_EXPIRES:0|FONT_STYLE:1010|"
                   "FONT_NAME:Comic Sans MS|FONT_SIZE:8|FONT_COLOR:-2147483640|WIDTH:120|"
                   "HEIGHT:160|TOP:-3|LEFT:0|TEXT:Llamar a\r\nlas cinco \x80")
            .split('|');
    QCOMPARE(MensajesCampos(nota).value(), esperados);

    DatosNota recibida = NotaEntranteInicial();
    for (const QByteArray& m : esperados)
        QCOMPARE(GuardarCampo(m, recibida), LecturaCampo::Guardado);
    QCOMPARE(MensajesCampos(recibida).value(), esperados);

    nota.Texto = QStringLiteral("ideograma 字");
    QVERIFY(!MensajesCampos(nota));
    QCOMPARE(MensajeActualizarPuerto(2223), QByteArray("ACTUALIZE_MY_SERVER_PORT:2223"));
}

namespace {
void Fila(const char* caso, const QByteArray& mensaje, LecturaCampo lectura,
          const QByteArray& quedaComo) {
    QTest::newRow(caso) << mensaje << int(lectura) << quedaComo;
}
} // namespace

// One received message; "quedaComo" is the field as this board would send it on.
void TestProtocolo::guardarCampo_data() {
    QTest::addColumn<QByteArray>("mensaje");
    QTest::addColumn<int>("lectura");
    QTest::addColumn<QByteArray>("quedaComo");
    const auto si = LecturaCampo::Guardado;
    const auto no = LecturaCampo::NoNumerico;
    Fila("dia: 8 bits bajos", "DAY_EXPIRES:300", si, "DAY_EXPIRES:44");
    Fila("estilo de una bandera", "FONT_STYLE:1", si, "FONT_STYLE:1000");
    Fila("otra letra no cuenta", "FONT_STYLE:1x1Y", si, "FONT_STYLE:1010");
    Fila("quinta bandera ignorada", "FONT_STYLE:00011", si, "FONT_STYLE:0001");
    Fila("entero mas bajo", "TOP:-2147483648", si, "TOP:-2147483648");
    Fila("color sin signo", "FONT_COLOR:2147483656", no, "FONT_COLOR:0");
    Fila("desborde", "LEFT:99999999999999999999", no, "LEFT:0");
    Fila("blanco delante", "FONT_SIZE: 12", no, "FONT_SIZE:11");
    Fila("Ctrl-Z en un numero", "YEAR_EXPIRES:20\x1A", no, "YEAR_EXPIRES:0");
    Fila("texto con CR LF", "TEXT:uno\r\ndos\r\n", si, "TEXT:uno\r\ndos\r\n");
    Fila("texto pierde Ctrl-Z", "TEXT:a\x1A\x1AZ\x1A", si, "TEXT:aZ");
    Fila("fuente en una linea", "FONT_NAME:Ar\r\nial\x1A\n", si, "FONT_NAME:Ar  ial ");
    Fila("sin dos puntos", "DAY_EXPIRES", LecturaCampo::NoEsCampo, "DAY_EXPIRES:0");
    Fila("minusculas", "text:hola", LecturaCampo::NoEsCampo, "TEXT:");
}

void TestProtocolo::guardarCampo() {
    QFETCH(QByteArray, mensaje);
    QFETCH(int, lectura);
    QFETCH(QByteArray, quedaComo);
    DatosNota pendiente = NotaEntranteInicial();
    QCOMPARE(int(GuardarCampo(mensaje, pendiente)), lectura);
    QList<QByteArray> esperados = MensajesCampos(NotaEntranteInicial()).value();
    for (QByteArray& campo : esperados)
        if (campo.startsWith(quedaComo.left(quedaComo.indexOf(':') + 1)))
            campo = quedaComo;
    QCOMPARE(MensajesCampos(pendiente).value(), esperados);
}

QTEST_GUILESS_MAIN(TestProtocolo)
#include "test_protocolo.moc"
