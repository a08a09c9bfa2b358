#include "notes/FrmConfigNota.h"

#include "tests/DialogosPrueba.h"

#include <QClipboard>
#include <QComboBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QToolButton>
#include <QtTest>

namespace {

// The editor of one note record open and active over a board, and the message boxes answered
// and kept.
struct Escena {
    QWidget tablero;
    Cajas cajas;
    DatosNota antes;
    std::optional<TfrmConfigNota> d;

    explicit Escena(const std::function<void(DatosNota&)>& preparar = {}) {
        if (preparar)
            preparar(antes);
        tablero.show();
        d.emplace(antes, false, &tablero);
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
        if (c == '\n' || c == QChar::LineSeparator)
            QTest::keyClick(w, Qt::Key_Return, c == '\n' ? Qt::NoModifier : Qt::ShiftModifier);
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown,
                                QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1),
                                Qt::NoModifier);
    }
}

} // namespace

class TestFrmConfigNota : public QObject {
    Q_OBJECT
private slots:
    void abrirYCerrar_data();
    void abrirYCerrar();
    void aceptarRechaza_data();
    void aceptarRechaza();
    void dialogoDeFuenteSinCambios();
    void textoLargo();
};

// Intro leaves every field as shown; the other ways out follow edits of every field.
enum Cierre { Intro, Aceptar, EscapeEnElMes };

void TestFrmConfigNota::abrirYCerrar_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("mes");
    QTest::addColumn<QStringList>("lineas");
    QTest::addColumn<int>("cierre");
    QTest::newRow("CR, LF y salto final; Intro")
        << "a\rb\nc\r\n"
        << 8 << QStringList{"a", "b", "c", ""} << int(Intro);
    // A month out of range shows no month, and OK then refuses the date.
    QTest::newRow("mes fuera de rango; Intro") << "x" << 13 << QStringList{"x"} << int(Intro);
    QTest::newRow("cambios; Aceptar") << "x" << 6 << QStringList{"x"} << int(Aceptar);
    QTest::newRow("cambios; Esc en el mes") << "x" << 6 << QStringList{"x"} << int(EscapeEnElMes);
}

// What the dialog shows is what OK writes back: pin, font, a system colour and the date
// come back unchanged, the text as its lines. Edits reach the note on OK only.
void TestFrmConfigNota::abrirYCerrar() {
    QFETCH(QString, texto);
    QFETCH(int, mes);
    QFETCH(QStringList, lineas);
    QFETCH(int, cierre);
    Escena e([&](DatosNota& n) {
        n.ColorChincheta = TColorChincheta::Morado;
        n.Texto = texto;
        n.DayExpires = 9;
        n.MonthExpires = quint8(mes);
        n.YearExpires = 2025;
        n.FontName = QStringLiteral("DejaVu Serif");
        n.FontColor = 0x80000005;
        n.FontStyle = fsBold | fsItalic | fsUnderline | fsStrikeOut;
        n.FontSize = 11;
    });
    TfrmConfigNota& d = *e.d;
    DatosNota esperado = e.antes;
    if (cierre == Intro) {
        QTest::keyClick(&d, Qt::Key_Return);
        QCOMPARE(d.result() == QDialog::Accepted, mes <= 12);
        if (mes <= 12)
            esperado.Texto = lineas.join(QStringLiteral("\r\n"));
        QCOMPARE(e.d->Datos(), esperado);
        return;
    }
    d.ElegirFuente = [](const FuenteNota&, QWidget*) {
        return FuenteNota{QFont(QStringLiteral("DejaVu Sans Mono"), 17), 0x00A0FF};
    };
    QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    // Anything but an exact pin name takes the pin away.
    Reescribir(d.ComboColorChincheta->lineEdit(), QStringLiteral("rojo"));
    // The day and year take ASCII digits only, typed; Backspace still edits.
    Reescribir(d.ExpDay, QStringLiteral("1a2 ñé😀٣-3"));
    QTest::keyClick(d.ExpDay, Qt::Key_Backspace);
    Reescribir(d.ExpMonth->lineEdit(), QStringLiteral("Nov"));
    Reescribir(d.ExpYear, QStringLiteral("2o2S5"));
    // Windows-1252 holds all of these; a line separator stands for Shift+Enter, a line break.
    Reescribir(d.MemoTexto,
               QStringLiteral("Primera <b>línea</b> 10€ “ñ” …\nSegunda\u00A0línea\u2028Tercera\n"));
    QCOMPARE(e.d->Datos(), e.antes);
    if (cierre == Aceptar)
        QTest::mouseClick(d.BitBtnOK, Qt::LeftButton);
    else
        QTest::keyClick(d.ExpMonth->lineEdit(), Qt::Key_Escape);
    QTRY_VERIFY(!d.isVisible());
    QVERIFY(e.cajas.vistas.isEmpty());
    QCOMPARE(d.result(), int(cierre == Aceptar ? QDialog::Accepted : QDialog::Rejected));
    if (cierre == Aceptar) {
        esperado.ColorChincheta = TColorChincheta::None;
        esperado.Texto =
            QStringLiteral("Primera <b>línea</b> 10€ “ñ” …\r\nSegunda\u00A0línea\r\nTercera\r\n");
        esperado.DayExpires = 12;
        esperado.MonthExpires = 11;
        esperado.YearExpires = 225;
        esperado.FontStyle = 0;
        esperado.FontName = QStringLiteral("DejaVu Sans Mono");
        esperado.FontSize = 17;
        esperado.FontColor = 0x00A0FF;
    }
    QCOMPARE(e.d->Datos(), esperado);
}

void TestFrmConfigNota::aceptarRechaza_data() {
    QTest::addColumn<QString>("fecha"); // day, month and year, past the key filter
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("familia"); // empty: the note's own font
    QTest::addColumn<QString>("mensaje"); // part of the message; empty: accepted
    const auto fila = [](const char* caso, const char* fecha, const char* mensaje,
                         const QString& texto = "x", const QString& familia = {}) {
        QTest::newRow(caso) << QString(fecha) << texto << familia << QString::fromUtf8(mensaje);
    };
    const char *hoy = "9 Jun 2025", *malo = " Fecha no válida ";
    fila("29 Feb bisiesto", "29 Feb 2004", "");
    // Past 16 bits: 67500 is no leap year although 67500 - 65536 is.
    fila("29 Feb 67500", "29 Feb 67500", malo);
    fila("mes en minúsculas", "1 ene 2025", malo);
    fila("día vacío, año enorme: el año primero", " Ene 99999999999",
         "'99999999999' no es un valor entero válido");
    fila("letras pegadas en el día", "12x Ene 2025", "'12x' no es un valor entero válido");
    fila("emoji", hoy, "«😀» (U+1F600)", QStringLiteral("Hola 😀 mundo"));
    fila("Ctrl-Z pegado", hoy, "U+001A (Ctrl-Z)", QStringLiteral("x\x1Ay"));
    fila("nombre de fuente", hoy, "«文» (U+6587)", "Hola", QStringLiteral("文泉驿"));
}

void TestFrmConfigNota::aceptarRechaza() {
    QFETCH(QString, fecha);
    QFETCH(QString, texto);
    QFETCH(QString, familia);
    QFETCH(QString, mensaje);
    const QStringList partes = fecha.split(u' ');
    Escena e;
    TfrmConfigNota& d = *e.d;
    d.ExpDay->setText(partes[0]);
    d.ExpMonth->setEditText(partes[1]);
    d.ExpYear->setText(partes[2]);
    if (!familia.isEmpty()) {
        d.ElegirFuente = [&](const FuenteNota&, QWidget*) {
            return FuenteNota{QFont(familia, 12)};
        };
        QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    }
    d.MemoTexto->setPlainText(texto);
    // Enter in the editable month combo means OK, and adds no month.
    QTest::keyClick(d.ExpMonth->lineEdit(), Qt::Key_Return);
    QCOMPARE(d.ExpMonth->count(), 12);
    if (mensaje.isEmpty()) {
        QCOMPARE(d.result(), int(QDialog::Accepted));
        const DatosNota& escrita = d.Datos();
        QCOMPARE(QDate(escrita.YearExpires, escrita.MonthExpires, escrita.DayExpires),
                 QDate(2004, 2, 29));
        return;
    }
    QCOMPARE(e.cajas.vistas.size(), 1);
    QVERIFY2(e.cajas.vistas[0].Texto.contains(mensaje), qPrintable(e.cajas.vistas[0].Texto));
    QVERIFY(d.isVisible());
    QCOMPARE(e.d->Datos(), e.antes);
    // The text is still there to be mended.
    QCOMPARE(d.MemoTexto->toPlainText(), texto);
}

// Confirmed without a change, the font dialog shows and gives back the note's own style.
void TestFrmConfigNota::dialogoDeFuenteSinCambios() {
    QFont fuente("DejaVu Serif", 9);
    fuente.setUnderline(true);
    QFont mostrada;
    AlAbrirseDialogo([&](QDialog* dialogo) {
        mostrada = dialogo->findChild<QFontDialog*>()->currentFont();
        dialogo->accept();
    });
    const std::optional<FuenteNota> elegida = ElegirFuenteConDialogo({fuente, 0x123456}, nullptr);
    QVERIFY(elegida);
    // The face the note is drawn with, not the "Condensed Italic" the dialog opened on here.
    QCOMPARE(mostrada.styleName(), QFontInfo(fuente).styleName());
    QCOMPARE(elegida->Fuente, fuente);
    QCOMPARE(elegida->Color, 0x123456u);
}

// Long lines are held in bounded blocks, yet what the user edits is what OK writes: no line
// break is added or lost at a block's edge, whatever the edit.
void TestFrmConfigNota::textoLargo() {
    const QString digitos = QString("0123456789").repeated(300);
    const auto fechaValida = [](TfrmConfigNota& d) {
        d.ExpDay->setText("1");
        d.ExpMonth->setCurrentIndex(0);
        d.ExpYear->setText("2030");
    };
    const auto cursorEn = [](MemoNota& m, qsizetype indice) {
        QTextCursor c = m.textCursor();
        c.setPosition(m.PosicionDeIndice(indice));
        m.setTextCursor(c);
    };
    const std::tuple<const char*, QString, std::function<void(MemoNota&)>, QString> casos[] = {
        {"a megabyte word and a line of words",
         QString(1048000, u'a') + "\n" + QString("palabra ").repeated(400),
         [](MemoNota&) {},
         {}},
        {"Enter inside a later block", QString(3000, u'a'),
         [&](MemoNota& m) {
             cursorEn(m, 1500);
             QTest::keyClick(&m, Qt::Key_Return);
         },
         QString(1500, u'a') + "\n" + QString(1500, u'a')},
        {"Backspace and Delete at a block's edge", QString(999, u'a') + "XY" + QString(999, u'a'),
         [&](MemoNota& m) {
             cursorEn(m, 1000);
             QTest::keyClick(&m, Qt::Key_Backspace);
             cursorEn(m, 999);
             QTest::keyClick(&m, Qt::Key_Delete);
         },
         QString(1998, u'a')},
        {"a long paste with CR LF", "xy",
         [](MemoNota& m) {
             QGuiApplication::clipboard()->setText(QString(2500, u'b') + "\r\nc");
             m.moveCursor(QTextCursor::Start);
             m.moveCursor(QTextCursor::NextCharacter);
             m.paste();
         },
         "x" + QString(2500, u'b') + "\ncy"},
        {"a copy over a block's edge", digitos,
         [&](MemoNota& m) {
             QTextCursor c = m.textCursor();
             c.setPosition(m.PosicionDeIndice(990));
             c.setPosition(m.PosicionDeIndice(1010), QTextCursor::KeepAnchor);
             m.setTextCursor(c);
             m.copy();
             m.moveCursor(QTextCursor::End);
             m.paste();
         },
         digitos + digitos.mid(990, 20)},
    };
    for (const auto& [nombre, texto, editar, esperado] : casos) {
        Escena e([&](DatosNota& n) { n.Texto = QString(texto).replace("\n", "\r\n"); });
        MemoNota& memo = *e.d->MemoTexto;
        fechaValida(*e.d);
        editar(memo);
        // An edit at an edge may join two blocks, no more.
        for (QTextBlock b = memo.document()->begin(); b.isValid(); b = b.next())
            QVERIFY2(b.length() <= 2 * MemoNota::kLetrasPorBloque, nombre);
        e.d->BitBtnOK->click();
        QVERIFY2(e.d->Datos().Texto ==
                     QString(esperado.isNull() ? texto : esperado).replace("\n", "\r\n"),
                 nombre);
    }

    // A letter the file cannot hold is found and shown where it is, past the blocks' edges.
    Escena e;
    fechaValida(*e.d);
    e.d->MemoTexto->PonerTexto(QString(2500, u'a') + QChar(0x175) + "a");
    e.d->BitBtnOK->click();
    QCOMPARE(e.cajas.vistas.size(), 1);
    QVERIFY(e.cajas.vistas[0].Texto.contains(QChar(0x175)));
    const QTextCursor c = e.d->MemoTexto->textCursor();
    QCOMPARE(e.d->MemoTexto->document()->characterAt(c.position()), QChar(0x175));
}

QTEST_MAIN(TestFrmConfigNota)
#include "test_frmconfignota.moc"
