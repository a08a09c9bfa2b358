#include "notes/FrmConfigNota.h"
#include "notes/Mensaje.h"
#include "notes/Nota.h"
#include "resources/ImagenesPinaco.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QToolButton>
#include <QtTest>

namespace {

// A board with one note on it, and the message boxes answered and kept.
struct Escena {
    QWidget tablero;
    TNota* nota;
    QList<PeticionMensaje> mensajes;

    Escena() : nota(new TNota(&tablero)) {
        tablero.resize(600, 500);
        nota->AsignarImagenes(ImagenesPinaco::imglChinchetas(), ImagenesPinaco::imglAgarradera());
        nota->setGeometry(40, 70, 120, 160);
        nota->setTexto(QStringLiteral("Comprar pan\r\nLlamar a Luis"));
        nota->setColorChincheta(TColorChincheta::Azul);
        nota->setDayCreated(3);
        nota->setMonthCreated(2);
        nota->setYearCreated(2024);
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
    Editor(Escena& e, bool nueva = false) : dialogo(e.nota, nueva, &e.tablero) {
        dialogo.show();
        dialogo.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialogo));
    }
};

// Types each character as one key press, as a keyboard or input method would.
void Teclear(QWidget* w, const QString& texto) {
    const QList<uint> caracteres = texto.toUcs4();
    for (const uint c : caracteres) {
        const QString uno = QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
        if (uno == QStringLiteral("\n"))
            QTest::keyClick(w, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, uno, Qt::NoModifier);
    }
}

// Replaces a field's content by typing, as a user would.
void Reescribir(QWidget* w, const QString& texto) {
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Backspace);
    Teclear(w, texto);
}

QWidget* Campo(TfrmConfigNota& d, const QString& nombre) {
    if (nombre == u"dia")
        return d.ExpDay;
    if (nombre == u"mes")
        return d.ExpMonth->lineEdit();
    if (nombre == u"anio")
        return d.ExpYear;
    if (nombre == u"chincheta")
        return d.ComboColorChincheta->lineEdit();
    return d.MemoTexto;
}

QStringList LineasMemo(const QPlainTextEdit* memo) {
    QStringList lineas;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next())
        lineas.append(b.text());
    return lineas;
}

} // namespace

class TestFrmConfigNota : public QObject {
    Q_OBJECT
private slots:
    void ventana();
    void rellenar_data();
    void rellenar();
    void fechaValida_data();
    void fechaValida();
    void campoNoNumerico_data();
    void campoNoNumerico();
    void textoNoGuardable_data();
    void textoNoGuardable();
    void aceptarEscribeTodo();
    void chincheta_data();
    void chincheta();
    void aceptarSinCambiosDejaLaNotaIgual_data();
    void aceptarSinCambiosDejaLaNotaIgual();
    void cancelarNoCambiaNada_data();
    void cancelarNoCambiaNada();
    void filtroDeTeclas_data();
    void filtroDeTeclas();
    void intro_data();
    void intro();
    void ordenDeTabulacion();
    void botonFuente();
    void fuenteConNombreNoGuardable();
};

void TestFrmConfigNota::ventana() {
    Escena e;
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    QCOMPARE(d.windowTitle(), QStringLiteral("Configuración de la Nota:"));
    QCOMPARE(d.size(), QSize(417, 274));
    QVERIFY(!(d.windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(d.GroupBox2->title(), QStringLiteral("Chincheta y Fuente:"));
    QCOMPARE(d.GroupBox3->title(), QStringLiteral("Fecha límite:"));
    QCOMPARE(d.GroupBox1->title(), QStringLiteral("Texto:"));
    QCOMPARE(d.ComboColorChincheta->toolTip(), QStringLiteral("Color de Chincheta"));
    QCOMPARE(d.btnFuente->toolTip(), QStringLiteral("Fuente del texto de la Nota"));
    QCOMPARE(d.BitBtnOK->text(), QStringLiteral("&Aceptar"));
    QCOMPARE(d.BitBtnCancel->text(), QStringLiteral("&Cancelar"));
    QVERIFY(d.BitBtnOK->isDefault());
    QCOMPARE(QApplication::focusWidget(), d.MemoTexto);
    QCOMPARE(d.MemoTexto->textCursor().position(), e.nota->Texto().size() - 1); // CR LF -> LF
    QStringList colores, meses;
    for (int i = 0; i < d.ComboColorChincheta->count(); ++i)
        colores << d.ComboColorChincheta->itemText(i);
    for (int i = 0; i < d.ExpMonth->count(); ++i)
        meses << d.ExpMonth->itemText(i);
    QCOMPARE(colores,
             QStringList({"(Ninguna)", "Rojo", "Verde", "Azul", "Cyan", "Amarillo", "Morado"}));
    QCOMPARE(meses, QStringList({"Ene", "Feb", "Mar", "Abr", "May", "Jun", "Jul", "Ago", "Sep",
                                 "Oct", "Nov", "Dic"}));
    QCOMPARE(d.ExpDay->width(), 33);
    QCOMPARE(d.ExpYear->width(), 41);
    QVERIFY(d.MemoTexto->width() >= 297 && d.MemoTexto->height() >= 97);
    // Everything lies right of the strip and inside the window.
    for (QWidget* w : std::initializer_list<QWidget*>{d.GroupBox1, d.GroupBox2, d.GroupBox3,
                                                      d.BitBtnOK, d.BitBtnCancel}) {
        QVERIFY2(w->geometry().left() >= 70, qPrintable(w->objectName()));
        QVERIFY(d.rect().contains(w->geometry()));
    }
}

void TestFrmConfigNota::rellenar_data() {
    QTest::addColumn<int>("chincheta");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("mes");
    QTest::addColumn<QString>("textoChincheta");
    QTest::addColumn<QStringList>("lineas");
    QTest::addColumn<QString>("textoMes");

    QTest::newRow("rojo, dos líneas")
        << 0 << "uno\r\ndos" << 1 << "Rojo" << QStringList{"uno", "dos"} << "Ene";
    QTest::newRow("morado, salto final") << 5 << "uno\r\n"
                                         << 12 << "Morado" << QStringList{"uno", ""} << "Dic";
    QTest::newRow("sin chincheta, vacío")
        << 7 << "" << 2 << "(Ninguna)" << QStringList{""} << "Feb";
    QTest::newRow("CR suelto") << 3 << "a\rb" << 8 << "Cyan" << QStringList{"a", "b"} << "Ago";
    QTest::newRow("LF suelto") << 4 << "a\nb" << 9 << "Amarillo" << QStringList{"a", "b"} << "Sep";
    QTest::newRow("mes fuera de rango") << 1 << "x" << 0 << "Verde" << QStringList{"x"} << "";
}

void TestFrmConfigNota::rellenar() {
    QFETCH(int, chincheta);
    QFETCH(QString, texto);
    QFETCH(int, mes);
    Escena e;
    e.nota->setColorChincheta(TColorChincheta(chincheta));
    e.nota->setTexto(texto);
    e.nota->setMonthExpires(quint8(mes));
    e.nota->setDayExpires(7);
    e.nota->setYearExpires(2031);
    e.nota->setFontName(QStringLiteral("DejaVu Serif"));
    e.nota->setFontSize(13);
    e.nota->setFontStyle(fsItalic | fsStrikeOut);
    e.nota->setFontColor(0x0000FF);
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    QTEST(d.ComboColorChincheta->currentText(), "textoChincheta");
    QTEST(LineasMemo(d.MemoTexto), "lineas");
    QTEST(d.ExpMonth->currentText(), "textoMes");
    QCOMPARE(d.ExpDay->text(), QStringLiteral("7"));
    QCOMPARE(d.ExpYear->text(), QStringLiteral("2031"));
    const QFont f = d.MemoTexto->font();
    QCOMPARE(f.family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(f.pointSize(), 13);
    QVERIFY(f.italic() && f.strikeOut() && !f.bold() && !f.underline());
    QCOMPARE(d.MemoTexto->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(d.NotaEditada(), e.nota);
    QVERIFY(!d.EsNotaNueva());
}

void TestFrmConfigNota::fechaValida_data() {
    QTest::addColumn<QString>("dia");
    QTest::addColumn<QString>("mes");
    QTest::addColumn<QString>("anio");
    QTest::addColumn<bool>("valida");

    QTest::newRow("29 Feb 2000") << "29"
                                 << "Feb"
                                 << "2000" << true;
    QTest::newRow("29 Feb 2004") << "29"
                                 << "Feb"
                                 << "2004" << true;
    QTest::newRow("29 Feb 1900") << "29"
                                 << "Feb"
                                 << "1900" << false;
    QTest::newRow("29 Feb 2001") << "29"
                                 << "Feb"
                                 << "2001" << false;
    QTest::newRow("28 Feb 2001") << "28"
                                 << "Feb"
                                 << "2001" << true;
    QTest::newRow("30 Feb 2000") << "30"
                                 << "Feb"
                                 << "2000" << false;
    QTest::newRow("31 Abr") << "31"
                            << "Abr"
                            << "2025" << false;
    QTest::newRow("30 Abr") << "30"
                            << "Abr"
                            << "2025" << true;
    QTest::newRow("31 Jun") << "31"
                            << "Jun"
                            << "2025" << false;
    QTest::newRow("31 Sep") << "31"
                            << "Sep"
                            << "2025" << false;
    QTest::newRow("31 Nov") << "31"
                            << "Nov"
                            << "2025" << false;
    QTest::newRow("31 Ago") << "31"
                            << "Ago"
                            << "2025" << true;
    QTest::newRow("31 Dic") << "31"
                            << "Dic"
                            << "1999" << true;
    QTest::newRow("32 Ene") << "32"
                            << "Ene"
                            << "2025" << false;
    QTest::newRow("día 0") << "0"
                           << "Ene"
                           << "2025" << false;
    QTest::newRow("01 con cero") << "01"
                                 << "Mar"
                                 << "2025" << true;
    QTest::newRow("mes en minúsculas") << "1"
                                       << "ene"
                                       << "2025" << false;
    QTest::newRow("mes en mayúsculas") << "1"
                                       << "ENE"
                                       << "2025" << false;
    QTest::newRow("mes completo") << "1"
                                  << "Enero"
                                  << "2025" << false;
    QTest::newRow("mes vacío") << "1"
                               << ""
                               << "2025" << false;
    QTest::newRow("año 0 bisiesto") << "29"
                                    << "Feb"
                                    << "0" << true;
    // Past 16 bits: 67500 is no leap year although 67500 - 65536 is.
    QTest::newRow("29 Feb 67500") << "29"
                                  << "Feb"
                                  << "67500" << false;
    QTest::newRow("29 Feb 67600") << "29"
                                  << "Feb"
                                  << "67600" << true;
}

void TestFrmConfigNota::fechaValida() {
    QFETCH(QString, dia);
    QFETCH(QString, mes);
    QFETCH(QString, anio);
    QFETCH(bool, valida);
    QCOMPARE(TfrmConfigNota::FechaValida(dia.toInt(), mes, anio.toInt()), valida);

    Escena e;
    const DatosNota antes = e.nota->Datos();
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    Reescribir(d.ExpDay, dia);
    Reescribir(d.ExpMonth->lineEdit(), mes);
    Reescribir(d.ExpYear, anio);
    QCOMPARE(d.ExpMonth->currentText(), mes);
    d.BitBtnCancel->setFocus();
    QTest::mouseClick(d.BitBtnOK, Qt::LeftButton);
    if (valida) {
        QVERIFY(e.mensajes.isEmpty());
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(int(e.nota->DayExpires()), dia.toInt());
        QCOMPARE(e.nota->MonthExpires(), MesDeTexto(mes));
        QCOMPARE(e.nota->YearExpires(), anio.toInt());
    } else {
        QCOMPARE(e.mensajes.size(), 1);
        QCOMPARE(e.mensajes[0].Texto, QStringLiteral(" Fecha no válida "));
        QCOMPARE(e.mensajes[0].Titulo, QStringLiteral("Error"));
        QCOMPARE(e.mensajes[0].Icono, IconoMensaje::Exclamacion);
        QCOMPARE(e.mensajes[0].Botones, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(d.isVisible());
        QCOMPARE(QApplication::focusWidget(), d.ExpDay);
        QCOMPARE(e.nota->Datos(), antes);
    }
}

void TestFrmConfigNota::campoNoNumerico_data() {
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("dia");
    QTest::addColumn<QString>("anio");
    QTest::addColumn<QString>("pegado");
    QTest::addColumn<QString>("mensaje");

    QTest::newRow("día vacío") << "dia"
                               << ""
                               << "2025"
                               << ""
                               << "'' no es un valor entero válido";
    QTest::newRow("año vacío") << "anio"
                               << "12"
                               << ""
                               << ""
                               << "'' no es un valor entero válido";
    QTest::newRow("los dos vacíos") << "anio"
                                    << ""
                                    << ""
                                    << ""
                                    << "'' no es un valor entero válido";
    QTest::newRow("día pegado con letras") << "dia"
                                           << "1"
                                           << "2025"
                                           << "2x"
                                           << "'12x' no es un valor entero válido";
    QTest::newRow("año demasiado grande") << "anio"
                                          << "1"
                                          << "99999999999"
                                          << ""
                                          << "'99999999999' no es un valor entero válido";
}

void TestFrmConfigNota::campoNoNumerico() {
    QFETCH(QString, campo);
    QFETCH(QString, dia);
    QFETCH(QString, anio);
    QFETCH(QString, pegado);
    QFETCH(QString, mensaje);
    Escena e;
    const DatosNota antes = e.nota->Datos();
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    Reescribir(d.ExpDay, dia);
    Reescribir(d.ExpYear, anio);
    if (!pegado.isEmpty()) {
        // The key filter sees single keys only; a paste gets past it.
        QGuiApplication::clipboard()->setText(pegado);
        d.ExpDay->setFocus();
        d.ExpDay->end(false);
        QTest::keyClick(d.ExpDay, Qt::Key_V, Qt::ControlModifier);
    }
    QTest::mouseClick(d.BitBtnOK, Qt::LeftButton);
    QCOMPARE(e.mensajes.size(), 1);
    QCOMPARE(e.mensajes[0].Texto, mensaje);
    QCOMPARE(e.mensajes[0].Icono, IconoMensaje::Error);
    QVERIFY(d.isVisible());
    QCOMPARE(QApplication::focusWidget(), Campo(d, campo));
    QCOMPARE(e.nota->Datos(), antes);
}

void TestFrmConfigNota::textoNoGuardable_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("caracter");
    QTest::addColumn<int>("posicion");

    QTest::newRow("emoji") << QStringLiteral("Hola 😀 mundo") << "«😀» (U+1F600)" << 5;
    QTest::newRow("CJK") << QStringLiteral("Ver 中文") << "«中» (U+4E2D)" << 4;
    QTest::newRow("flecha") << QStringLiteral("Ir\n→ casa") << "«→» (U+2192)" << 3;
    QTest::newRow("Windows-1252 sí") << QStringLiteral("Año 10€ “ñ” … ü") << "" << -1;
}

void TestFrmConfigNota::textoNoGuardable() {
    QFETCH(QString, texto);
    QFETCH(QString, caracter);
    QFETCH(int, posicion);
    Escena e;
    const DatosNota antes = e.nota->Datos();
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    Reescribir(d.MemoTexto, texto);
    Reescribir(d.ExpDay, QStringLiteral("20"));
    QTest::mouseClick(d.BitBtnOK, Qt::LeftButton);
    if (posicion < 0) {
        QVERIFY(e.mensajes.isEmpty());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(e.nota->Texto(), texto);
        return;
    }
    QCOMPARE(e.mensajes.size(), 1);
    QCOMPARE(e.mensajes[0].Titulo, QStringLiteral("Error"));
    QCOMPARE(e.mensajes[0].Icono, IconoMensaje::Error);
    QVERIFY2(e.mensajes[0].Texto.contains(caracter), qPrintable(e.mensajes[0].Texto));
    QVERIFY(d.isVisible());
    QCOMPARE(e.nota->Datos(), antes);
    QCOMPARE(QApplication::focusWidget(), d.MemoTexto);
    QCOMPARE(d.MemoTexto->textCursor().position(), posicion);
    // The text is still there to be mended.
    QCOMPARE(d.MemoTexto->toPlainText(), texto);
}

void TestFrmConfigNota::aceptarEscribeTodo() {
    Escena e;
    e.nota->setFontColor(kColorTextoVentana);
    const DatosNota antes = e.nota->Datos();
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    QFont elegida(QStringLiteral("DejaVu Sans Mono"));
    elegida.setPointSize(17);
    elegida.setBold(true);
    elegida.setUnderline(true);
    d.ElegirFuente = [&](const FuenteNota&, QWidget*) {
        return std::optional<FuenteNota>(FuenteNota{elegida, 0x00FF00});
    };
    Reescribir(d.ComboColorChincheta->lineEdit(), QStringLiteral("Amarillo"));
    QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    Reescribir(d.ExpDay, QStringLiteral("5"));
    Reescribir(d.ExpMonth->lineEdit(), QStringLiteral("Nov"));
    Reescribir(d.ExpYear, QStringLiteral("2030"));
    Reescribir(d.MemoTexto, QStringLiteral("Primera <b>línea</b>\nSegunda\u00A0línea\n"));
    QCOMPARE(e.nota->Datos(), antes); // nothing reaches the note before OK
    QTest::mouseClick(d.BitBtnOK, Qt::LeftButton);

    QVERIFY(e.mensajes.isEmpty());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QVERIFY(!d.isVisible());
    const DatosNota despues = e.nota->Datos();
    QCOMPARE(despues.ColorChincheta, TColorChincheta::Amarillo);
    QCOMPARE(despues.Texto, QStringLiteral("Primera <b>línea</b>\r\nSegunda\u00A0línea\r\n"));
    QCOMPARE(despues.DayExpires, quint8(5));
    QCOMPARE(despues.MonthExpires, quint8(11));
    QCOMPARE(despues.YearExpires, 2030);
    QCOMPARE(despues.FontName, QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(despues.FontSize, 17);
    QCOMPARE(despues.FontStyle, quint8(fsBold | fsUnderline));
    QCOMPARE(despues.FontColor, 0x00FF00u);
    // The rest of the record is not the editor's business.
    DatosNota resto = despues;
    resto.ColorChincheta = antes.ColorChincheta;
    resto.Texto = antes.Texto;
    resto.DayExpires = antes.DayExpires;
    resto.MonthExpires = antes.MonthExpires;
    resto.YearExpires = antes.YearExpires;
    resto.FontName = antes.FontName;
    resto.FontSize = antes.FontSize;
    resto.FontStyle = antes.FontStyle;
    resto.FontColor = antes.FontColor;
    QCOMPARE(resto, antes);
}

void TestFrmConfigNota::chincheta_data() {
    QTest::addColumn<QString>("escrito");
    QTest::addColumn<int>("flechaArriba");
    QTest::addColumn<int>("esperada");
    QTest::addColumn<int>("arribaTexto");

    // The note comes with the blue pin, third after "(Ninguna)".
    QTest::newRow("(Ninguna) con la flecha") << "" << 3 << int(TColorChincheta::None) << 8;
    QTest::newRow("Rojo con la flecha") << "" << 2 << int(TColorChincheta::Rojo) << 35;
    QTest::newRow("(Ninguna) escrito") << "(Ninguna)" << 0 << int(TColorChincheta::None) << 8;
    QTest::newRow("Verde") << "Verde" << 0 << int(TColorChincheta::Verde) << 35;
    QTest::newRow("Morado") << "Morado" << 0 << int(TColorChincheta::Morado) << 35;
    QTest::newRow("Cyan") << "Cyan" << 0 << int(TColorChincheta::Cyan) << 35;
    QTest::newRow("rojo en minúsculas") << "rojo" << 0 << int(TColorChincheta::None) << 8;
    QTest::newRow("nombre inventado") << "Naranja" << 0 << int(TColorChincheta::None) << 8;
    QTest::newRow("Net no se elige") << "Net" << 0 << int(TColorChincheta::None) << 8;
}

void TestFrmConfigNota::chincheta() {
    QFETCH(QString, escrito);
    QFETCH(int, flechaArriba);
    QFETCH(int, esperada);
    Escena e;
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    if (!escrito.isEmpty())
        Reescribir(d.ComboColorChincheta->lineEdit(), escrito);
    d.ComboColorChincheta->setFocus();
    for (int i = 0; i < flechaArriba; ++i)
        QTest::keyClick(d.ComboColorChincheta->lineEdit(), Qt::Key_Up);
    QTest::mouseClick(d.BitBtnOK, Qt::LeftButton);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(e.nota->ColorChincheta(), TColorChincheta(esperada));
    QCOMPARE(e.nota->ChinchetaVisible(), TColorChincheta(esperada) != TColorChincheta::None);
    QTEST(e.nota->AreaTexto().top(), "arribaTexto");
}

void TestFrmConfigNota::aceptarSinCambiosDejaLaNotaIgual_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<quint32>("color");
    QTest::addColumn<int>("chincheta");

    QTest::newRow("salto final") << "uno\r\ndos\r\n"
                                 << kColorTextoVentana << int(TColorChincheta::Rojo);
    QTest::newRow("texto rojo") << "rojo" << 0x0000FFu << int(TColorChincheta::Morado);
    QTest::newRow("vacía sin chincheta") << "" << 0x123456u << int(TColorChincheta::None);
    QTest::newRow("espacio duro y líneas vacías")
        << "a\u00A0b\r\n\r\n\r\nc" << 0x80000005u << int(TColorChincheta::Amarillo);
}

void TestFrmConfigNota::aceptarSinCambiosDejaLaNotaIgual() {
    QFETCH(QString, texto);
    QFETCH(quint32, color);
    QFETCH(int, chincheta);
    Escena e;
    e.nota->setTexto(texto);
    e.nota->setFontColor(color);
    e.nota->setColorChincheta(TColorChincheta(chincheta));
    e.nota->setFontStyle(fsBold | fsItalic);
    e.nota->setFontSize(11);
    const DatosNota antes = e.nota->Datos();
    Editor ed(e);
    QTest::keyClick(&ed.dialogo, Qt::Key_Return);
    QCOMPARE(ed.dialogo.result(), int(QDialog::Accepted));
    QCOMPARE(e.nota->Datos(), antes);
}

void TestFrmConfigNota::cancelarNoCambiaNada_data() {
    QTest::addColumn<bool>("nueva");
    QTest::addColumn<QString>("como");

    QTest::newRow("botón, existente") << false << "boton";
    QTest::newRow("botón, nueva") << true << "boton";
    QTest::newRow("Alt+C") << false << "alt";
    QTest::newRow("Escape en el día") << false << "dia";
    QTest::newRow("Escape en el mes, nueva") << true << "mes";
    QTest::newRow("Escape en la chincheta") << false << "chincheta";
    QTest::newRow("Escape en el texto") << false << "texto";
}

void TestFrmConfigNota::cancelarNoCambiaNada() {
    QFETCH(bool, nueva);
    QFETCH(QString, como);
    Escena e;
    const DatosNota antes = e.nota->Datos();
    Editor ed(e, nueva);
    TfrmConfigNota& d = ed.dialogo;
    d.ElegirFuente = [](const FuenteNota& f, QWidget*) {
        FuenteNota otra = f;
        otra.Fuente.setPointSize(30);
        otra.Color = 0xFF;
        return std::optional<FuenteNota>(otra);
    };
    QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    Reescribir(d.ComboColorChincheta->lineEdit(), QStringLiteral("Verde"));
    Reescribir(d.ExpDay, QStringLiteral("1"));
    Reescribir(d.ExpMonth->lineEdit(), QStringLiteral("Ene"));
    Reescribir(d.ExpYear, QStringLiteral("2040"));
    Reescribir(d.MemoTexto, QStringLiteral("otro texto"));
    if (como == u"boton") {
        QTest::mouseClick(d.BitBtnCancel, Qt::LeftButton);
    } else if (como == u"alt") {
        QTest::keyClick(&d, Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!d.isVisible());
    } else {
        QWidget* w = Campo(d, como);
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Escape);
    }
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(d.EsNotaNueva(), nueva);
    QVERIFY(e.mensajes.isEmpty());
    QCOMPARE(e.nota->Datos(), antes);
}

void TestFrmConfigNota::filtroDeTeclas_data() {
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<int>("retrocesos");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("día: solo cifras") << "dia"
                                      << "1a2 -3.x" << 0 << "123";
    QTest::newRow("día: retroceso pasa") << "dia"
                                         << "27" << 1 << "2";
    QTest::newRow("día: acentos y emoji fuera") << "dia" << QStringLiteral("ñ1é😀") << 0 << "1";
    QTest::newRow("día: cifras de otra escritura") << "dia" << QStringLiteral("٣4") << 0 << "4";
    QTest::newRow("año: solo cifras") << "anio"
                                      << "2o2S5" << 0 << "225";
    QTest::newRow("año: retroceso pasa") << "anio"
                                         << "2025" << 2 << "20";
    QTest::newRow("mes: texto libre") << "mes"
                                      << "xyz 1" << 0 << "xyz 1";
    QTest::newRow("chincheta: texto libre") << "chincheta"
                                            << "Azul 2!" << 0 << "Azul 2!";
}

void TestFrmConfigNota::filtroDeTeclas() {
    QFETCH(QString, campo);
    QFETCH(QString, tecleado);
    QFETCH(int, retrocesos);
    Escena e;
    Editor ed(e);
    QWidget* w = Campo(ed.dialogo, campo);
    Reescribir(w, tecleado);
    for (int i = 0; i < retrocesos; ++i)
        QTest::keyClick(w, Qt::Key_Backspace);
    QTEST(static_cast<QLineEdit*>(w)->text(), "esperado");
    QVERIFY(ed.dialogo.isVisible());
}

void TestFrmConfigNota::intro_data() {
    QTest::addColumn<QString>("campo");
    QTest::addColumn<bool>("acepta");

    QTest::newRow("día") << "dia" << true;
    QTest::newRow("mes") << "mes" << true;
    QTest::newRow("año") << "anio" << true;
    QTest::newRow("chincheta") << "chincheta" << true;
    QTest::newRow("texto: nueva línea") << "texto" << false;
}

void TestFrmConfigNota::intro() {
    QFETCH(QString, campo);
    QFETCH(bool, acepta);
    Escena e;
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    Reescribir(d.ExpDay, QStringLiteral("12"));
    Reescribir(d.ComboColorChincheta->lineEdit(), QStringLiteral("Morado"));
    Reescribir(d.MemoTexto, QStringLiteral("ab"));
    QWidget* w = Campo(d, campo);
    w->setFocus();
    QTest::keyClick(w, Qt::Key_Return);
    QCOMPARE(!d.isVisible(), acepta);
    // Enter adds no item to the editable combos.
    QCOMPARE(d.ComboColorChincheta->count(), 7);
    QCOMPARE(d.ExpMonth->count(), 12);
    if (acepta) {
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(e.nota->DayExpires(), quint8(12));
        QCOMPARE(e.nota->ColorChincheta(), TColorChincheta::Morado);
        QCOMPARE(e.nota->Texto(), QStringLiteral("ab"));
    } else {
        QCOMPARE(d.MemoTexto->toPlainText(), QStringLiteral("ab\n"));
    }
}

void TestFrmConfigNota::ordenDeTabulacion() {
    Escena e;
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    d.ComboColorChincheta->setFocus();
    const QList<QWidget*> esperado = {
        d.btnFuente, d.ExpDay,   d.ExpMonth,     d.ExpYear,
        d.MemoTexto, d.BitBtnOK, d.BitBtnCancel, d.ComboColorChincheta};
    for (QWidget* siguiente : esperado) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* foco = QApplication::focusWidget();
        // An editable combo's focus lies in its line edit.
        if (foco && foco->parentWidget() && qobject_cast<QComboBox*>(foco->parentWidget()))
            foco = foco->parentWidget();
        QCOMPARE(foco, siguiente);
    }
}

void TestFrmConfigNota::botonFuente() {
    Escena e;
    e.nota->setFontName(QStringLiteral("DejaVu Serif"));
    e.nota->setFontSize(12);
    e.nota->setFontStyle(fsItalic);
    e.nota->setFontColor(0x0000FF);
    const DatosNota antes = e.nota->Datos();
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    QList<FuenteNota> recibidas;
    QWidget* dueno = nullptr;
    std::optional<FuenteNota> respuesta;
    d.ElegirFuente = [&](const FuenteNota& actual, QWidget* owner) {
        recibidas.append(actual);
        dueno = owner;
        return respuesta;
    };

    // Cancelled in the font dialog: nothing changes.
    QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    QCOMPARE(recibidas.size(), 1);
    QCOMPARE(dueno, &d);
    QCOMPARE(recibidas[0].Fuente.family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(recibidas[0].Fuente.pointSize(), 12);
    QVERIFY(recibidas[0].Fuente.italic());
    QCOMPARE(recibidas[0].Color, 0x0000FFu);
    QCOMPARE(d.MemoTexto->font().family(), QStringLiteral("DejaVu Serif"));

    // Confirmed: the memo shows it at once, the note only after OK.
    QFont nueva(QStringLiteral("DejaVu Sans"));
    nueva.setPointSize(20);
    nueva.setStrikeOut(true);
    respuesta = FuenteNota{nueva, 0x00A000};
    QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    QCOMPARE(d.MemoTexto->font().family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(d.MemoTexto->font().pointSize(), 20);
    QCOMPARE(d.MemoTexto->palette().color(QPalette::Text), QColor(0x00, 0xA0, 0x00));
    QCOMPARE(e.nota->Datos(), antes);

    // The next opening starts from the font chosen last.
    respuesta.reset();
    QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    QCOMPARE(recibidas.size(), 3);
    QCOMPARE(recibidas[2].Fuente.family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(recibidas[2].Color, 0x00A000u);

    QTest::mouseClick(d.BitBtnOK, Qt::LeftButton);
    QCOMPARE(e.nota->FontName(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(e.nota->FontSize(), 20);
    QCOMPARE(e.nota->FontStyle(), quint8(fsStrikeOut));
    QCOMPARE(e.nota->FontColor(), 0x00A000u);
}

void TestFrmConfigNota::fuenteConNombreNoGuardable() {
    Escena e;
    const DatosNota antes = e.nota->Datos();
    Editor ed(e);
    TfrmConfigNota& d = ed.dialogo;
    d.ElegirFuente = [](const FuenteNota& f, QWidget*) {
        return std::optional<FuenteNota>(FuenteNota{QFont(QStringLiteral("文泉驿")), f.Color});
    };
    QTest::mouseClick(d.btnFuente, Qt::LeftButton);
    QTest::mouseClick(d.BitBtnOK, Qt::LeftButton);
    QCOMPARE(e.mensajes.size(), 1);
    QCOMPARE(e.mensajes[0].Icono, IconoMensaje::Error);
    QVERIFY(e.mensajes[0].Texto.contains(QStringLiteral("文泉驿")));
    QVERIFY(d.isVisible());
    QCOMPARE(e.nota->Datos(), antes);
}

QTEST_MAIN(TestFrmConfigNota)
#include "test_frmconfignota.moc"
