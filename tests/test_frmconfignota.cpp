#include "notes/FrmConfigNota.h"
#include "notes/Mensaje.h"
#include "notes/Nota.h"
#include "resources/ImagenesPinaco.h"

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

// A board with one note on it, and the message boxes answered and kept.
struct Escena {
    QWidget tablero;
    TNota* nota;
    QList<PeticionMensaje> mensajes;

    Escena() : nota(new TNota(&tablero)) {
        nota->AsignarImagenes(ImagenesPinaco::imglChinchetas(), ImagenesPinaco::imglAgarradera());
        nota->setTexto(QStringLiteral("Comprar pan\r\nLlamar a Luis"));
        nota->setColorChincheta(TColorChincheta::Azul);
        nota->setDayExpires(9);
        nota->setMonthExpires(6);
        nota->setYearExpires(2025);
        tablero.show();
        FijarRespondedorMensajes([this](const PeticionMensaje& p) {
            mensajes.append(p);
            return QMessageBox::Ok;
        });
    }
    ~Escena() { FijarRespondedorMensajes({}); }
};

// The dialog open (not modal-blocking) and active, as the board would show it.
struct Editor {
    TfrmConfigNota dialogo;
    explicit Editor(Escena& e) : dialogo(e.nota, false, &e.tablero) {
        dialogo.show();
        dialogo.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialogo));
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

enum { Dia, Mes, Anio, Texto, BotonCancelar, AltC };

QWidget* Campo(TfrmConfigNota& d, int campo) {
    return QList<QWidget*>{d.ExpDay, d.ExpMonth->lineEdit(), d.ExpYear, d.MemoTexto}[campo];
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
    void aceptarEscribeTodo_data();
    void aceptarEscribeTodo();
    void cancelarNoCambiaNada_data();
    void cancelarNoCambiaNada();
    void filtroDeTeclas_data();
    void filtroDeTeclas();
    void dialogoDeFuenteSinCambios_data();
    void dialogoDeFuenteSinCambios();
};

void TestFrmConfigNota::abrirYAceptarSinCambios_data() {
    QTest::addColumn<int>("chincheta");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("mes");
    QTest::addColumn<QStringList>("lineas");

    QTest::newRow("salto final") << 0 << "uno\r\ndos\r\n" << 1 << QStringList{"uno", "dos", ""};
    QTest::newRow("sin chincheta, vacía") << 7 << "" << 12 << QStringList{""};
    QTest::newRow("CR y LF sueltos") << 3 << "a\rb\nc" << 8 << QStringList{"a", "b", "c"};
    QTest::newRow("espacio duro, líneas vacías")
        << 4 << "a\u00A0b\r\n\r\nc" << 9 << QStringList{"a\u00A0b", "", "c"};
    // A month out of range shows no month, and OK then refuses the date.
    QTest::newRow("mes fuera de rango") << 5 << "x" << 13 << QStringList{"x"};
}

// What the dialog shows is what OK writes back: pin, font, a system colour and the date
// come back unchanged, the text as its lines.
void TestFrmConfigNota::abrirYAceptarSinCambios() {
    QFETCH(int, chincheta);
    QFETCH(QString, texto);
    QFETCH(int, mes);
    QFETCH(QStringList, lineas);
    Escena e;
    e.nota->setColorChincheta(TColorChincheta(chincheta));
    e.nota->setTexto(texto);
    e.nota->setMonthExpires(quint8(mes));
    e.nota->setFontColor(0x80000005);
    e.nota->setFontStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
    e.nota->setFontSize(11);
    DatosNota esperado = e.nota->Datos();
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    QCOMPARE(d.MemoTexto->document()->toRawText().split(QChar::ParagraphSeparator), lineas);
    // Ready to type at the end of the text.
    QCOMPARE(QApplication::focusWidget(), d.MemoTexto);
    QCOMPARE(d.MemoTexto->textCursor().position(), d.MemoTexto->document()->characterCount() - 1);

    QTest::keyClick(&d, Qt::Key_Return);
    QCOMPARE(d.result() == QDialog::Accepted, mes <= 12);
    if (mes <= 12)
        esperado.Texto = lineas.join(QStringLiteral("\r\n"));
    QCOMPARE(e.nota->Datos(), esperado);
}

// What OK makes of a date; the message for a field that is no integer quotes the field.
enum Resultado { Acepta, FechaMala, DiaNoEntero, AnioNoEntero };

void TestFrmConfigNota::fecha_data() {
    QTest::addColumn<QString>("fecha"); // day, month and year, as typed
    QTest::addColumn<int>("resultado");

    QTest::newRow("29 Feb bisiesto") << "29 Feb 2004" << int(Acepta);
    QTest::newRow("29 Feb, año 400") << "29 Feb 2000" << int(Acepta);
    QTest::newRow("29 Feb, año 100") << "29 Feb 1900" << int(FechaMala);
    QTest::newRow("29 Feb no bisiesto") << "29 Feb 2001" << int(FechaMala);
    QTest::newRow("31 de un mes de 30") << "31 Abr 2025" << int(FechaMala);
    QTest::newRow("30 de un mes de 30") << "30 Abr 2025" << int(Acepta);
    QTest::newRow("32 Ene") << "32 Ene 2025" << int(FechaMala);
    QTest::newRow("día 0") << "0 Ene 2025" << int(FechaMala);
    QTest::newRow("mes en minúsculas") << "1 ene 2025" << int(FechaMala);
    QTest::newRow("mes completo") << "1 Enero 2025" << int(FechaMala);
    // Past 16 bits: 67500 is no leap year although 67500 - 65536 is.
    QTest::newRow("29 Feb 67500") << "29 Feb 67500" << int(FechaMala);
    QTest::newRow("29 Feb 67600") << "29 Feb 67600" << int(Acepta);
    QTest::newRow("día vacío") << " Ene 2025" << int(DiaNoEntero);
    QTest::newRow("año vacío") << "12 Ene " << int(AnioNoEntero);
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
    const DatosNota antes = e.nota->Datos();
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    Reescribir(d.ExpDay, dia);
    if (d.ExpDay->text() != dia) {
        // The key filter sees single keys only; a paste gets past it.
        QGuiApplication::clipboard()->setText(dia);
        QTest::keyClick(d.ExpDay, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(d.ExpDay, Qt::Key_V, Qt::ControlModifier);
    }
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
    QCOMPARE(e.mensajes.size(), 1);
    QCOMPARE(e.mensajes[0].Texto, resultado == FechaMala
                                      ? QStringLiteral(" Fecha no válida ")
                                      : QStringLiteral("'%1' no es un valor entero válido")
                                            .arg(resultado == DiaNoEntero ? dia : anio));
    QVERIFY(d.isVisible());
    QCOMPARE(QApplication::focusWidget(), resultado == AnioNoEntero ? d.ExpYear : d.ExpDay);
    QCOMPARE(e.nota->Datos(), antes);
}

void TestFrmConfigNota::textoNoGuardable_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("familia");  // empty: the note's own font
    QTest::addColumn<QString>("descrito"); // the bad character in the message
    QTest::addColumn<int>("posicion");     // of the cursor; -1: the font button has the focus

    QTest::newRow("emoji") << QStringLiteral("Hola 😀 mundo") << QString() << "«😀» (U+1F600)" << 5;
    QTest::newRow("en la segunda línea")
        << QStringLiteral("Ir\n→ casa") << QString() << "«→» (U+2192)" << 3;
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
    const DatosNota antes = e.nota->Datos();
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    if (!familia.isEmpty()) {
        d.ElegirFuente = [&](const FuenteNota&, QWidget*) { return Fuente(familia, 12, 0); };
        QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    }
    // Pasted, as such characters mostly arrive.
    QGuiApplication::clipboard()->setText(texto);
    d.MemoTexto->setFocus();
    QTest::keyClick(d.MemoTexto, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(d.MemoTexto, Qt::Key_V, Qt::ControlModifier);
    QTest::mouseClick(d.BitBtnOK, Qt::LeftButton);
    QCOMPARE(e.mensajes.size(), 1);
    QVERIFY2(e.mensajes[0].Texto.contains(descrito), qPrintable(e.mensajes[0].Texto));
    QVERIFY(d.isVisible());
    QCOMPARE(e.nota->Datos(), antes);
    // The text is still there to be mended, the cursor on the first bad character.
    QCOMPARE(d.MemoTexto->toPlainText(), texto);
    if (posicion < 0) {
        QCOMPARE(QApplication::focusWidget(), d.btnFuente);
    } else {
        QCOMPARE(QApplication::focusWidget(), d.MemoTexto);
        QCOMPARE(d.MemoTexto->textCursor().position(), posicion);
    }
}

void TestFrmConfigNota::aceptarEscribeTodo_data() {
    QTest::addColumn<QString>("chincheta");
    QTest::addColumn<int>("esperada");
    // Anything but an exact pin name takes the pin away.
    QTest::newRow("Amarillo") << "Amarillo" << int(TColorChincheta::Amarillo);
    QTest::newRow("(Ninguna)") << "(Ninguna)" << int(TColorChincheta::None);
    QTest::newRow("rojo en minúsculas") << "rojo" << int(TColorChincheta::None);
    QTest::newRow("Net no se elige") << "Net" << int(TColorChincheta::None);
}

void TestFrmConfigNota::aceptarEscribeTodo() {
    QFETCH(QString, chincheta);
    QFETCH(int, esperada);
    Escena e;
    e.nota->setFontName(QStringLiteral("DejaVu Serif"));
    e.nota->setFontColor(0x0000FF);
    DatosNota esperado = e.nota->Datos();
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    // The font dialog, offered the note's font, is answered; opened again, it is cancelled.
    QList<FuenteNota> ofrecidas;
    QList<std::optional<FuenteNota>> respuestas{
        Fuente(QStringLiteral("DejaVu Sans Mono"), 17, 0x00A0FF), std::nullopt};
    d.ElegirFuente = [&](const FuenteNota& actual, QWidget*) {
        ofrecidas.append(actual);
        return respuestas.takeFirst();
    };
    QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    QCOMPARE(ofrecidas[0].Fuente.family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(ofrecidas[0].Color, 0x0000FFu);
    // Colour values are BGR.
    QCOMPARE(d.MemoTexto->palette().color(QPalette::Text), QColor(0xFF, 0xA0, 0x00));

    Reescribir(d.ComboColorChincheta->lineEdit(), chincheta);
    Reescribir(d.ExpDay, QStringLiteral("5"));
    Reescribir(d.ExpMonth->lineEdit(), QStringLiteral("Nov"));
    Reescribir(d.ExpYear, QStringLiteral("2030"));
    // Windows-1252 holds all of these.
    // A line separator stands for Shift+Enter: a line break like Enter.
    Reescribir(d.MemoTexto,
               QStringLiteral("Primera <b>línea</b> 10€ “ñ” …\nSegunda\u00A0línea\u2028Tercera\n"));
    QCOMPARE(e.nota->Datos(), esperado); // nothing reaches the note before OK
    QTest::mouseClick(d.BitBtnOK, Qt::LeftButton);

    QVERIFY(e.mensajes.isEmpty());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    esperado.ColorChincheta = TColorChincheta(esperada);
    esperado.Texto =
        QStringLiteral("Primera <b>línea</b> 10€ “ñ” …\r\nSegunda\u00A0línea\r\nTercera\r\n");
    esperado.DayExpires = 5;
    esperado.MonthExpires = 11;
    esperado.YearExpires = 2030;
    esperado.FontName = QStringLiteral("DejaVu Sans Mono");
    esperado.FontSize = 17;
    esperado.FontStyle = 0;
    esperado.FontColor = 0x00A0FF;
    // The rest of the record is not the editor's business.
    QCOMPARE(e.nota->Datos(), esperado);
}

void TestFrmConfigNota::cancelarNoCambiaNada_data() {
    QTest::addColumn<int>("como");
    QTest::newRow("botón") << int(BotonCancelar);
    QTest::newRow("Alt+C") << int(AltC);
    QTest::newRow("Escape en el mes") << int(Mes);
    QTest::newRow("Escape en el texto") << int(Texto);
}

void TestFrmConfigNota::cancelarNoCambiaNada() {
    QFETCH(int, como);
    Escena e;
    const DatosNota antes = e.nota->Datos();
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    d.ElegirFuente = [](const FuenteNota&, QWidget*) {
        return Fuente(QStringLiteral("DejaVu Sans"), 30, 0xFF);
    };
    QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    Reescribir(d.ComboColorChincheta->lineEdit(), QStringLiteral("Verde"));
    Reescribir(d.ExpDay, QStringLiteral("1"));
    Reescribir(d.MemoTexto, QStringLiteral("otro texto"));
    if (como == BotonCancelar) {
        QTest::mouseClick(d.BitBtnCancel, Qt::LeftButton);
    } else if (como == AltC) {
        QTest::keyClick(&d, Qt::Key_C, Qt::AltModifier);
    } else {
        QWidget* w = Campo(d, como);
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Escape);
    }
    QTRY_VERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(e.mensajes.isEmpty());
    QCOMPARE(e.nota->Datos(), antes);
}

void TestFrmConfigNota::filtroDeTeclas_data() {
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<int>("campo");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("día: solo cifras") << "1a2 -3.x" << int(Dia) << "123";
    // Letters, emoji and digits of other scripts are no ASCII digits.
    QTest::newRow("día: ni acentos, ni emoji, ni otras cifras") << "ñ1é😀٣4" << int(Dia) << "14";
    QTest::newRow("año: solo cifras") << "2o2S5" << int(Anio) << "225";
    QTest::newRow("mes: texto libre") << "xyz 1" << int(Mes) << "xyz 1";
}

void TestFrmConfigNota::filtroDeTeclas() {
    QFETCH(int, campo);
    QFETCH(QString, tecleado);
    QFETCH(QString, esperado);
    Escena e;
    Editor ed(e);
    auto* w = static_cast<QLineEdit*>(Campo(ed.dialogo, campo));
    Reescribir(w, tecleado);
    QCOMPARE(w->text(), esperado);
    // Backspace is no typed character: it still edits.
    QTest::keyClick(w, Qt::Key_Backspace);
    QCOMPARE(w->text(), esperado.chopped(1));
}

// Confirmed without a change, the font dialog shows and gives back the note's own style.
void TestFrmConfigNota::dialogoDeFuenteSinCambios_data() {
    QTest::addColumn<QString>("familia");
    QTest::addColumn<bool>("negrita");
    QTest::addColumn<bool>("cursiva");
    for (const char* familia : {"DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono"})
        for (const int estilo : {0, 1, 2, 3})
            QTest::addRow("%s %d", familia, estilo)
                << familia << bool(estilo & 1) << bool(estilo & 2);
}

void TestFrmConfigNota::dialogoDeFuenteSinCambios() {
    QFETCH(QString, familia);
    QFETCH(bool, negrita);
    QFETCH(bool, cursiva);
    QFont fuente(familia, 9);
    fuente.setBold(negrita);
    fuente.setItalic(cursiva);
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
    QCOMPARE(elegida->Fuente.family(), familia);
    QCOMPARE(elegida->Fuente.bold(), negrita);
    QCOMPARE(elegida->Fuente.italic(), cursiva);
    QCOMPARE(elegida->Fuente.underline(), true);
    QCOMPARE(elegida->Fuente.pointSize(), 9);
    QCOMPARE(elegida->Color, 0x123456u);
}

QTEST_MAIN(TestFrmConfigNota)
#include "test_frmconfignota.moc"
