#include "notes/FrmVerNotaNet.h"
#include "notes/Nota.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

class TestVerNotaNet : public QObject {
    Q_OBJECT
private slots:
    void carga_data();
    void carga();
    void soloAceptarCambiaLaFuente_data();
    void soloAceptarCambiaLaFuente();
};

void TestVerNotaNet::carga_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QList<int>>("fecha"); // day, month, year due
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("libreta"); // the address book's name now
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("fechaVista");
    QTest::addColumn<QString>("remitente");
    QTest::newRow("two lines, named sender") << "uno\rdos" << QList<int>{5, 12, 2026} << "Ana"
                                             << "Oficina"
                                             << "uno\ndos"
                                             << "5-Dic-2026"
                                             << "Ana  (10.0.0.7)";
    QTest::newRow("received CR LF, trailing break: empty last line")
        << QString::fromUtf8("Llamar a\r\nlas cinco, José\r\n") << QList<int>{1, 1, 2027} << ""
        << "Oficina" << QString::fromUtf8("Llamar a\nlas cinco, José\n") << "1-Ene-2027"
        << "Oficina  (10.0.0.7)";
    QTest::newRow("protocol defaults, unknown sender") << "" << QList<int>{0, 0, 0} << ""
                                                       << ""
                                                       << ""
                                                       << "0--0"
                                                       << "(10.0.0.7)";
}

void TestVerNotaNet::carga() {
    QFETCH(QString, texto);
    QFETCH(QList<int>, fecha);
    QFETCH(QString, usuario);
    QFETCH(QString, libreta);
    QFETCH(QString, memo);
    QFETCH(QString, fechaVista);
    QFETCH(QString, remitente);
    QWidget tablero;
    TNota nota(&tablero);
    nota.setColorChincheta(TColorChincheta::Net);
    nota.setTexto(texto);
    nota.setDayExpires(quint8(fecha[0]));
    nota.setMonthExpires(quint8(fecha[1]));
    nota.setYearExpires(fecha[2]);
    nota.setDayCreated(4);
    nota.setMonthCreated(3);
    nota.setYearCreated(2026);
    nota.setReceivedTime("14:03:22");
    nota.setReceivedFromIP("10.0.0.7");
    nota.setReceivedFromUser(usuario);
    TfrmVerNotaNet visor(&tablero);
    visor.CargarNotaEnVisor(&nota, libreta);
    QCOMPARE(visor.windowTitle(), QString("Ver Nota de Red"));
    QCOMPARE(visor.MemoTexto->toPlainText(), memo);
    QVERIFY(visor.MemoTexto->isReadOnly());
    QCOMPARE(visor.lblFechaLimite->text(), fechaVista);
    QCOMPARE(visor.lblReceivedDay->text(), QString("4-Mar-2026"));
    QCOMPARE(visor.lblReceivedTime->text(), QString("14:03:22"));
    QCOMPARE(visor.lblReceivedFromUser->text(), remitente);
}

// Only "&Aceptar" writes, and only the font; Escape in the text is "&Cancelar".
void TestVerNotaNet::soloAceptarCambiaLaFuente_data() {
    QTest::addColumn<bool>("eligeFuente");
    QTest::addColumn<QString>("cierre");
    QTest::addColumn<bool>("cambia");
    QTest::newRow("OK untouched") << false << "ok" << false;
    QTest::newRow("font, then Cancel") << true << "cancel" << false;
    QTest::newRow("font, then Escape") << true << "escape" << false;
    QTest::newRow("font, then OK") << true << "ok" << true;
}

void TestVerNotaNet::soloAceptarCambiaLaFuente() {
    QFETCH(bool, eligeFuente);
    QFETCH(QString, cierre);
    QFETCH(bool, cambia);
    QWidget tablero;
    TNota nota(&tablero);
    nota.setColorChincheta(TColorChincheta::Net);
    nota.setTexto("hola");
    nota.setFontName("DejaVu Sans");
    nota.setFontSize(9);
    nota.setFontStyle(fsItalic);
    nota.setFontColor(0x000080);
    const DatosNota antes = nota.Datos();
    TfrmVerNotaNet visor(&tablero);
    visor.CargarNotaEnVisor(&nota, {});
    visor.ElegirFuente = [](const FuenteNota&, QWidget*) {
        QFont f("DejaVu Serif");
        f.setPointSize(14);
        f.setBold(true);
        return std::optional<FuenteNota>(FuenteNota{f, 0x00FF00});
    };
    visor.show();
    if (eligeFuente)
        QTest::mouseClick(visor.btnFuente, Qt::LeftButton);
    if (cierre == "ok")
        QTest::mouseClick(visor.BitBtnOK, Qt::LeftButton);
    else if (cierre == "cancel")
        QTest::mouseClick(visor.BitBtnCancel, Qt::LeftButton);
    else
        QTest::keyClick(visor.MemoTexto, Qt::Key_Escape);
    QVERIFY(!visor.isVisible());
    QCOMPARE(visor.result(), int(cierre == "ok" ? QDialog::Accepted : QDialog::Rejected));
    DatosNota esperado = antes;
    if (cambia) {
        esperado.FontName = "DejaVu Serif";
        esperado.FontSize = 14;
        esperado.FontStyle = fsBold;
        esperado.FontColor = 0x00FF00;
    }
    QCOMPARE(nota.Datos(), esperado);
}

QTEST_MAIN(TestVerNotaNet)
#include "test_vernotanet.moc"
