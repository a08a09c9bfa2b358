#include "notes/FrmVerNotaNet.h"

#include "tests/NotasFalsas.h"

#include <QHelpEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

namespace {

DatosNota NotaRecibida(const QString& texto, QDate limite, const QString& ip,
                       const QString& usuario) {
    // An invalid date gives the zeros a sender may leave.
    DatosNota nota = NotaConFechas(texto, QDate(2026, 3, 4), limite);
    nota.ColorChincheta = TColorChincheta::Net;
    nota.ReceivedFromIP = ip;
    nota.ReceivedFromUser = usuario;
    return nota;
}

} // namespace

class TestVerNotaNet : public QObject {
    Q_OBJECT
private slots:
    void verYCerrar_data();
    void verYCerrar();
    void remitenteEntero();
};

void TestVerNotaNet::verYCerrar_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QDate>("limite");
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("libreta");    // the address book's name now
    QTest::addColumn<QStringList>("vistos"); // the text, the due date and the sender
    QTest::addColumn<bool>("aceptar");       // after a font is chosen; else Escape
    QTest::newRow("CR LF, trailing break, named sender; OK")
        << "Llamar a\r\nlas cinco, José\r\n"
        << QDate(2027, 1, 1) << "Ana"
        << "Oficina" << QStringList{"Llamar a\nlas cinco, José\n", "1-Ene-2027", "Ana  (10.0.0.7)"}
        << true;
    QTest::newRow("protocol defaults, unknown sender; Escape")
        << "" << QDate() << ""
        << "" << QStringList{"", "0--0", "(10.0.0.7)"} << false;
}

// The labels and the read-only text; only "&Aceptar" writes, and only the font.
void TestVerNotaNet::verYCerrar() {
    QFETCH(QString, texto);
    QFETCH(QDate, limite);
    QFETCH(QString, usuario);
    QFETCH(QString, libreta);
    QFETCH(bool, aceptar);
    QWidget tablero;
    DatosNota nota = NotaRecibida(texto, limite, "10.0.0.7", usuario);
    nota.FontStyle = fsItalic;
    DatosNota esperado = nota;
    TfrmVerNotaNet visor(&tablero);
    visor.CargarNotaEnVisor(nota, libreta);
    QTEST((QStringList{visor.MemoTexto->toPlainText(), visor.lblFechaLimite->text(),
                       visor.lblReceivedFromUser->text()}),
          "vistos");
    QVERIFY(visor.MemoTexto->isReadOnly());
    QCOMPARE(visor.lblReceivedDay->text(), QString("4-Mar-2026"));

    const QFont elegida("DejaVu Serif", 14, QFont::Bold);
    visor.ElegirFuente = [&](const FuenteNota&, QWidget*) { return FuenteNota{elegida, 0x00FF00}; };
    visor.show();
    QTest::mouseClick(visor.btnFuente, Qt::LeftButton);
    if (aceptar)
        QTest::mouseClick(visor.BitBtnOK, Qt::LeftButton);
    else
        QTest::keyClick(visor.MemoTexto, Qt::Key_Escape);
    QVERIFY(!visor.isVisible());
    QCOMPARE(visor.result(), int(aceptar ? QDialog::Accepted : QDialog::Rejected));
    if (aceptar) {
        esperado.FontName = "DejaVu Serif";
        esperado.FontSize = 14;
        esperado.FontStyle = fsBold;
        esperado.FontColor = 0x00FF00;
    }
    QCOMPARE(visor.Datos(), esperado);
}

// The sender is shown on one visible line: whole when it fits, else both its ends with the
// middle elided, and then the whole text as the tooltip.
void TestVerNotaNet::remitenteEntero() {
    const QString sinBlancos = QString(61, u'x').replace(30, 1, u'y');
    for (const auto& [usuario, entero] :
         {std::pair{QStringLiteral("Ana"), true},
          {sinBlancos, false},
          {QStringLiteral("Oficina de contabilidad de la segunda planta del edificio"), false}}) {
        QWidget tablero;
        TfrmVerNotaNet visor(&tablero);
        visor.CargarNotaEnVisor(NotaRecibida("x", QDate(2026, 3, 5), "127.0.0.1", usuario),
                                QString());
        visor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&visor));
        EtiquetaRecortada* etiqueta = visor.lblReceivedFromUser;
        const QString todo = usuario + "  (127.0.0.1)";
        const QString visto = etiqueta->TextoMostrado();
        QCOMPARE(etiqueta->text(), todo);
        QCOMPARE(visto == todo, entero);
        QVERIFY2(visto.startsWith(usuario.left(3)) && visto.endsWith("(127.0.0.1)"),
                 qPrintable(visto));
        QVERIFY(etiqueta->fontMetrics().horizontalAdvance(visto) <=
                etiqueta->contentsRect().width());
        const QRect lugar(etiqueta->mapTo(&visor, QPoint()), etiqueta->size());
        QVERIFY(visor.rect().contains(lugar));
        QVERIFY(etiqueta->height() >= etiqueta->fontMetrics().height());
        QHelpEvent pista(QEvent::ToolTip, QPoint(2, 2), etiqueta->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(etiqueta, &pista);
        QCOMPARE(QToolTip::text(), entero ? QString() : todo);
        QToolTip::hideText();
    }
}

QTEST_MAIN(TestVerNotaNet)
#include "test_vernotanet.moc"
