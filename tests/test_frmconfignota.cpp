#include "notes/FrmConfigNota.h"
#include "notes/Nota.h"
#include "resources/ImagenesPinaco.h"

#include "tests/DialogosPrueba.h"

#include <QClipboard>
#include <QComboBox>
#include <QFontDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

// A board with one note, its editor open and active, and the message boxes answered and kept.
struct Escena {
    QWidget tablero;
    TNota* nota;
    Cajas cajas;
    DatosNota antes;
    std::optional<TfrmConfigNota> d;

    explicit Escena(const std::function<void(TNota*)>& preparar = {}) : nota(new TNota(&tablero)) {
        nota->AsignarImagenes(ImagenesPinaco::imglChinchetas(), ImagenesPinaco::imglAgarradera());
        nota->setColorChincheta(TColorChincheta::Azul);
        nota->setTexto(QStringLiteral("Comprar pan\r\nLlamar a Luis"));
        nota->setDayExpires(9);
        nota->setMonthExpires(6);
        nota->setYearExpires(2025);
        if (preparar)
            preparar(nota);
        antes = nota->Datos();
        tablero.show();
        d.emplace(nota, false, &tablero);
        d->show();
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&*d));
    }
};

// Replaces a field's content by typing one key per character, as a user would.
void Reescribir(QWidget* w, const QString& texto) {
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Backspace);
    for (const uint c : texto.toUcs4()) {
        if (c == '\n')
            QTest::keyClick(w, Qt::Key_Return);
        else if (c == QChar::LineSeparator)
            QTest::keyClick(w, Qt::Key_Return, Qt::ShiftModifier);
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown,
                                QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1),
                                Qt::NoModifier);
    }
}

void Pegar(QWidget* w, const QString& texto) {
    QGuiApplication::clipboard()->setText(texto);
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
}

std::optional<FuenteNota> Fuente(const QString& familia, int puntos, quint32 color) {
    QFont f(familia);
    f.setPointSize(puntos);
    return FuenteNota{f, color};
}

} // namespace

class TestFrmConfigNota : public QObject {
    Q_OBJECT
private slots:
    void abrirYAceptarSinCambios_data();
    void abrirYAceptarSinCambios();
    void fecha_data();
    void fecha();
    void textoNoGuardable_data();
    void textoNoGuardable();
    void aceptarEscribeTodo();
    void cancelarNoCambiaNada_data();
    void cancelarNoCambiaNada();
    void dialogoDeFuenteSinCambios_data();
    void dialogoDeFuenteSinCambios();
};

void TestFrmConfigNota::abrirYAceptarSinCambios_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("mes");
    QTest::addColumn<QStringList>("lineas");
    QTest::newRow("salto final") << "uno\r\ndos\r\n" << 1 << QStringList{"uno", "dos", ""};
    QTest::newRow("CR y LF sueltos") << "a\rb\nc" << 8 << QStringList{"a", "b", "c"};
    // A month out of range shows no month, and OK then refuses the date.
    QTest::newRow("mes fuera de rango") << "x" << 13 << QStringList{"x"};
}

// What the dialog shows is what OK writes back: pin, font, a system colour and the date
// come back unchanged, the text as its lines.
void TestFrmConfigNota::abrirYAceptarSinCambios() {
    QFETCH(QString, texto);
    QFETCH(int, mes);
    QFETCH(QStringList, lineas);
    Escena e([&](TNota* n) {
        n->setColorChincheta(TColorChincheta::Morado);
        n->setTexto(texto);
        n->setMonthExpires(quint8(mes));
        n->setFontColor(0x80000005);
        n->setFontStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
        n->setFontSize(11);
    });
    TfrmConfigNota& d = *e.d;
    QCOMPARE(d.MemoTexto->document()->toRawText().split(QChar::ParagraphSeparator), lineas);
    // Ready to type at the end of the text.
    QCOMPARE(QApplication::focusWidget(), d.MemoTexto);
    QCOMPARE(d.MemoTexto->textCursor().position(), d.MemoTexto->document()->characterCount() - 1);
    QTest::keyClick(&d, Qt::Key_Return);
    QCOMPARE(d.result() == QDialog::Accepted, mes <= 12);
    if (mes <= 12)
        e.antes.Texto = lineas.join(QStringLiteral("\r\n"));
    QCOMPARE(e.nota->Datos(), e.antes);
}

// What OK makes of a date; the message for a field that is no integer quotes the field.
enum Resultado { Acepta, FechaMala, DiaNoEntero, AnioNoEntero };

void TestFrmConfigNota::fecha_data() {
    QTest::addColumn<QString>("fecha"); // day, month and year, as typed
    QTest::addColumn<int>("resultado");
    QTest::newRow("29 Feb bisiesto") << "29 Feb 2004" << int(Acepta);
    QTest::newRow("29 Feb, año 100") << "29 Feb 1900" << int(FechaMala);
    QTest::newRow("31 de un mes de 30") << "31 Abr 2025" << int(FechaMala);
    QTest::newRow("mes en minúsculas") << "1 ene 2025" << int(FechaMala);
    // Past 16 bits: 67500 is no leap year although 67500 - 65536 is.
    QTest::newRow("29 Feb 67500") << "29 Feb 67500" << int(FechaMala);
    QTest::newRow("los dos vacíos: el año primero") << " Ene " << int(AnioNoEntero);
    QTest::newRow("año demasiado grande") << "1 Ene 99999999999" << int(AnioNoEntero);
    QTest::newRow("letras pegadas en el día") << "12x Ene 2025" << int(DiaNoEntero);
}

void TestFrmConfigNota::fecha() {
    QFETCH(QString, fecha);
    QFETCH(int, resultado);
    const QStringList partes = fecha.split(u' ');
    const QString &dia = partes[0], &mes = partes[1], &anio = partes[2];
    Escena e;
    TfrmConfigNota& d = *e.d;
    Reescribir(d.ExpDay, dia);
    if (d.ExpDay->text() != dia)
        Pegar(d.ExpDay, dia); // the key filter sees single keys only; a paste gets past it
    Reescribir(d.ExpMonth->lineEdit(), mes);
    Reescribir(d.ExpYear, anio);
    // Enter in the editable month combo means OK, and adds no month.
    QTest::keyClick(d.ExpMonth->lineEdit(), Qt::Key_Return);
    QCOMPARE(d.ExpMonth->count(), 12);
    if (resultado == Acepta) {
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(int(e.nota->DayExpires()), dia.toInt());
        QCOMPARE(e.nota->MonthExpires(), MesDeTexto(mes));
        QCOMPARE(e.nota->YearExpires(), anio.toInt());
        return;
    }
    QCOMPARE(e.cajas.Textos(), QStringList{resultado == FechaMala
                                               ? QStringLiteral(" Fecha no válida ")
                                               : QStringLiteral("'%1' no es un valor entero válido")
                                                     .arg(resultado == DiaNoEntero ? dia : anio)});
    QVERIFY(d.isVisible());
    QCOMPARE(QApplication::focusWidget(), resultado == AnioNoEntero ? d.ExpYear : d.ExpDay);
    QCOMPARE(e.nota->Datos(), e.antes);
}

void TestFrmConfigNota::textoNoGuardable_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("familia");  // empty: the note's own font
    QTest::addColumn<QString>("descrito"); // the bad character in the message
    QTest::addColumn<int>("posicion");     // of the cursor; -1: the font button has the focus
    QTest::newRow("emoji") << QStringLiteral("Hola 😀 mundo") << QString() << "«😀» (U+1F600)" << 5;
    QTest::newRow("Ctrl-Z pegado")
        << QStringLiteral("x\x1Ay") << QString() << "U+001A (Ctrl-Z)" << 1;
    QTest::newRow("nombre de fuente")
        << "Hola" << QStringLiteral("文泉驿") << "«文» (U+6587)" << -1;
}

void TestFrmConfigNota::textoNoGuardable() {
    QFETCH(QString, texto);
    QFETCH(QString, familia);
    QFETCH(QString, descrito);
    QFETCH(int, posicion);
    Escena e;
    TfrmConfigNota& d = *e.d;
    if (!familia.isEmpty()) {
        d.ElegirFuente = [&](const FuenteNota&, QWidget*) { return Fuente(familia, 12, 0); };
        QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    }
    Pegar(d.MemoTexto, texto); // as such characters mostly arrive
    QTest::mouseClick(d.BitBtnOK, Qt::LeftButton);
    QCOMPARE(e.cajas.vistas.size(), 1);
    QVERIFY2(e.cajas.vistas[0].Texto.contains(descrito), qPrintable(e.cajas.vistas[0].Texto));
    QVERIFY(d.isVisible());
    QCOMPARE(e.nota->Datos(), e.antes);
    // The text is still there to be mended, the cursor on the first bad character.
    QCOMPARE(d.MemoTexto->toPlainText(), texto);
    QCOMPARE(QApplication::focusWidget(),
             posicion < 0 ? static_cast<QWidget*>(d.btnFuente) : d.MemoTexto);
    if (posicion >= 0)
        QCOMPARE(d.MemoTexto->textCursor().position(), posicion);
}

void TestFrmConfigNota::aceptarEscribeTodo() {
    Escena e([](TNota* n) {
        n->setFontName(QStringLiteral("DejaVu Serif"));
        n->setFontColor(0x0000FF);
    });
    TfrmConfigNota& d = *e.d;
    // The font dialog, offered the note's font, is answered.
    QString ofrecida;
    d.ElegirFuente = [&](const FuenteNota& actual, QWidget*) {
        ofrecida = QString("%1 %2").arg(actual.Fuente.family()).arg(actual.Color, 0, 16);
        return Fuente(QStringLiteral("DejaVu Sans Mono"), 17, 0x00A0FF);
    };
    QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    QCOMPARE(ofrecida, QString("DejaVu Serif ff"));
    // Colour values are BGR.
    QCOMPARE(d.MemoTexto->palette().color(QPalette::Text), QColor(0xFF, 0xA0, 0x00));
    // Anything but an exact pin name takes the pin away.
    Reescribir(d.ComboColorChincheta->lineEdit(), QStringLiteral("rojo"));
    Reescribir(d.ExpDay, QStringLiteral("5"));
    Reescribir(d.ExpMonth->lineEdit(), QStringLiteral("Nov"));
    Reescribir(d.ExpYear, QStringLiteral("2030"));
    // Windows-1252 holds all of these; a line separator stands for Shift+Enter, a line break.
    Reescribir(d.MemoTexto,
               QStringLiteral("Primera <b>línea</b> 10€ “ñ” …\nSegunda\u00A0línea\u2028Tercera\n"));
    QCOMPARE(e.nota->Datos(), e.antes); // nothing reaches the note before OK
    QTest::mouseClick(d.BitBtnOK, Qt::LeftButton);
    QVERIFY(e.cajas.vistas.isEmpty());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    DatosNota esperado = e.antes;
    esperado.ColorChincheta = TColorChincheta::None;
    esperado.Texto =
        QStringLiteral("Primera <b>línea</b> 10€ “ñ” …\r\nSegunda\u00A0línea\r\nTercera\r\n");
    esperado.DayExpires = 5;
    esperado.MonthExpires = 11;
    esperado.YearExpires = 2030;
    esperado.FontName = QStringLiteral("DejaVu Sans Mono");
    esperado.FontSize = 17;
    esperado.FontColor = 0x00A0FF;
    QCOMPARE(e.nota->Datos(), esperado);
}

void TestFrmConfigNota::cancelarNoCambiaNada_data() {
    QTest::addColumn<bool>("escape"); // in the editable month combo, else Alt+C
    QTest::newRow("Alt+C") << false;
    QTest::newRow("Escape en el mes") << true;
}

// The day and year take ASCII digits only, typed; Backspace still edits.
void TestFrmConfigNota::cancelarNoCambiaNada() {
    QFETCH(bool, escape);
    Escena e;
    TfrmConfigNota& d = *e.d;
    d.ElegirFuente = [](const FuenteNota&, QWidget*) { return Fuente("DejaVu Sans", 30, 0xFF); };
    QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    Reescribir(d.ComboColorChincheta->lineEdit(), QStringLiteral("Verde"));
    Reescribir(d.ExpDay, QStringLiteral("1a2 ñé😀٣-3"));
    QCOMPARE(d.ExpDay->text(), QString("123"));
    QTest::keyClick(d.ExpDay, Qt::Key_Backspace);
    QCOMPARE(d.ExpDay->text(), QString("12"));
    Reescribir(d.ExpYear, QStringLiteral("2o2S5"));
    QCOMPARE(d.ExpYear->text(), QString("225"));
    Reescribir(d.MemoTexto, QStringLiteral("otro texto"));
    QWidget* foco = escape ? d.ExpMonth->lineEdit() : static_cast<QWidget*>(&d);
    foco->setFocus();
    QTest::keyClick(foco, escape ? Qt::Key_Escape : Qt::Key_C,
                    escape ? Qt::NoModifier : Qt::AltModifier);
    QTRY_VERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(e.cajas.vistas.isEmpty());
    QCOMPARE(e.nota->Datos(), e.antes);
}

// Confirmed without a change, the font dialog shows and gives back the note's own style.
void TestFrmConfigNota::dialogoDeFuenteSinCambios_data() {
    QTest::addColumn<QString>("familia");
    QTest::addColumn<int>("estilo");
    for (const char* familia : {"DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono"})
        for (const int estilo : {0, 1, 2, 3})
            QTest::addRow("%s %d", familia, estilo) << familia << estilo;
}

void TestFrmConfigNota::dialogoDeFuenteSinCambios() {
    QFETCH(QString, familia);
    QFETCH(int, estilo);
    QFont fuente(familia, 9);
    fuente.setBold(estilo & 1);
    fuente.setItalic(estilo & 2);
    fuente.setUnderline(true);
    QFont mostrada;
    QTimer::singleShot(0, [&] {
        auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialogo);
        mostrada = dialogo->findChild<QFontDialog*>()->currentFont();
        dialogo->accept();
    });
    const std::optional<FuenteNota> elegida = ElegirFuenteConDialogo({fuente, 0x123456}, nullptr);
    QVERIFY(elegida);
    // The face the note is drawn with, not merely one of the same weight and slant.
    QCOMPARE(mostrada.styleName(), QFontInfo(fuente).styleName());
    QCOMPARE(elegida->Fuente, fuente);
    QCOMPARE(elegida->Color, 0x123456u);
}

QTEST_MAIN(TestFrmConfigNota)
#include "test_frmconfignota.moc"
