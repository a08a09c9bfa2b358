#include "notes/FrmConfigNota.h"

#include "core/AvisoNoGuardable.h"
#include "core/Cp1252.h"
#include "core/DatosNota.h"
#include "core/UnitComunes.h"
#include "dialogs/Colores.h"
#include "dialogs/Mensaje.h"
#include "notes/FuenteDeNota.h"

#include <QColorDialog>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The colour combo lists "(Ninguna)" first, then the six pins a user may choose.
constexpr int kPinesElegibles = 6;
const QString kSinChincheta = QStringLiteral("(Ninguna)");

QString TextoChincheta(TColorChincheta color) {
    const int i = int(color);
    return i < kPinesElegibles ? NombreColor[i] : kSinChincheta;
}

// Exact names only: anything else, "(Ninguna)" included, takes the pin away.
TColorChincheta ChinchetaDeTexto(const QString& texto) {
    for (int i = 0; i < kPinesElegibles; ++i)
        if (texto == NombreColor[i])
            return TColorChincheta(i);
    return TColorChincheta::None;
}

// Selects the item with exactly that text, or shows the text with no item selected.
void PonerTextoCombo(QComboBox* combo, const QString& texto) {
    const int indice = combo->findText(texto, Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(indice);
    if (indice < 0)
        combo->setEditText(texto);
}

QIcon IconoMuestra(const QColor& color) {
    QPixmap p(16, 16);
    p.fill(color);
    return QIcon(p);
}

QMessageBox::StandardButton MostrarError(QWidget* owner, const QString& texto) {
    return MostrarMensaje(owner, QStringLiteral("Error"), texto, IconoMensaje::Error);
}

// The font dialog picks its style by name: a font without one (the notes file keeps only
// bold and italic) would open on some other face of the family, "Oblique" or "Condensed".
// The face the font system really draws is the one to show.
QFont FuenteConNombreDeEstilo(QFont fuente) {
    if (fuente.styleName().isEmpty())
        fuente.setStyleName(QFontInfo(fuente).styleName());
    return fuente;
}

} // namespace

// Qt's font dialog has no colour; this one adds it under the font choice.
std::optional<FuenteNota> ElegirFuenteConDialogo(const FuenteNota& actual, QWidget* owner) {
    QDialog dialogo(owner);
    dialogo.setWindowTitle(QStringLiteral("Fuente"));
    auto* selector = new QFontDialog(FuenteConNombreDeEstilo(actual.Fuente), &dialogo);
    selector->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    selector->setWindowFlags(Qt::Widget);
    const QFont mostrada = selector->currentFont();

    FuenteNota elegida = actual;
    auto* btnColor = new QPushButton(QStringLiteral("C&olor..."), &dialogo);
    btnColor->setIcon(IconoMuestra(ColorDesdeValor(actual.Color)));
    QObject::connect(btnColor, &QPushButton::clicked, &dialogo, [&] {
        const QColor c = QColorDialog::getColor(ColorDesdeValor(elegida.Color), &dialogo,
                                                QStringLiteral("Color del texto"));
        if (!c.isValid())
            return;
        elegida.Color = ValorDesdeColor(c);
        btnColor->setIcon(IconoMuestra(c));
    });

    auto* botones = new QDialogButtonBox(&dialogo);
    botones->addButton(QStringLiteral("&Aceptar"), QDialogButtonBox::AcceptRole);
    botones->addButton(QStringLiteral("&Cancelar"), QDialogButtonBox::RejectRole);
    QObject::connect(botones, &QDialogButtonBox::accepted, &dialogo, &QDialog::accept);
    QObject::connect(botones, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);

    auto* fila = new QHBoxLayout;
    fila->addWidget(btnColor);
    fila->addStretch();
    fila->addWidget(botones);
    auto* columna = new QVBoxLayout(&dialogo);
    columna->addWidget(selector);
    columna->addLayout(fila);

    if (dialogo.exec() != QDialog::Accepted)
        return std::nullopt;
    // A family without the note's style shows another one: left alone, the style stays.
    if (selector->currentFont() != mostrada)
        elegida.Fuente = selector->currentFont();
    return elegida;
}

TfrmConfigNota::TfrmConfigNota(const DatosNota& nota, bool EsNueva, QWidget* owner)
    : QDialog(owner), ElegirFuente(ElegirFuenteConDialogo), FDatos(nota), FEsNotaNueva(EsNueva) {
    CrearControles();
    PrepararDialogoNota(this, QStringLiteral("Configuración de la Nota:"), QSize(417, 274));
    Rellenar();
}

void TfrmConfigNota::CrearControles() {
    GroupBox2 = new QGroupBox(QStringLiteral("Chincheta y Fuente:"), this);
    ComboColorChincheta = new QComboBox(GroupBox2);
    ComboColorChincheta->setEditable(true);
    ComboColorChincheta->setInsertPolicy(QComboBox::NoInsert);
    ComboColorChincheta->addItem(kSinChincheta);
    for (int i = 0; i < kPinesElegibles; ++i)
        ComboColorChincheta->addItem(NombreColor[i]);
    PonerTextoCombo(ComboColorChincheta, NombreColor[int(TColorChincheta::Rojo)]);
    ComboColorChincheta->setToolTip(QStringLiteral("Color de Chincheta"));
    ComboColorChincheta->setAccessibleName(QStringLiteral("Color de Chincheta"));
    btnFuente = new QToolButton(GroupBox2);
    btnFuente->setAutoRaise(true);
    btnFuente->setIcon(IconoFuente());
    btnFuente->setIconSize(QSize(20, 20));
    btnFuente->setToolTip(QStringLiteral("Fuente del texto de la Nota"));
    btnFuente->setAccessibleName(QStringLiteral("Fuente del texto de la Nota"));
    auto* filaChincheta = new QHBoxLayout(GroupBox2);
    filaChincheta->addWidget(ComboColorChincheta, 1);
    filaChincheta->addWidget(btnFuente);

    GroupBox3 = new QGroupBox(QStringLiteral("Fecha límite:"), this);
    ExpDay = new QLineEdit(GroupBox3);
    ExpDay->setFixedWidth(33);
    ExpDay->setAccessibleName(QStringLiteral("Día"));
    ExpMonth = new QComboBox(GroupBox3);
    ExpMonth->setEditable(true);
    ExpMonth->setInsertPolicy(QComboBox::NoInsert);
    for (int mes = 1; mes <= 12; ++mes)
        ExpMonth->addItem(NombreMes[mes]);
    ExpMonth->setAccessibleName(QStringLiteral("Mes"));
    // Completion must not turn a typed "ene" into "Ene": only exact names count.
    for (QComboBox* combo : {ComboColorChincheta, ExpMonth})
        combo->completer()->setCaseSensitivity(Qt::CaseSensitive);
    ExpYear = new QLineEdit(GroupBox3);
    ExpYear->setFixedWidth(41);
    ExpYear->setAccessibleName(QStringLiteral("Año"));
    auto* filaFecha = new QHBoxLayout(GroupBox3);
    filaFecha->addWidget(ExpDay);
    filaFecha->addWidget(ExpMonth, 1);
    filaFecha->addWidget(ExpYear);
    for (QLineEdit* campo : {ExpDay, ExpYear})
        campo->installEventFilter(this);

    GroupBox1 = new QGroupBox(QStringLiteral("Texto:"), this);
    MemoTexto = CrearMemoNota(GroupBox1, 97);

    QHBoxLayout* botones = FilaAceptarCancelar(this, BitBtnOK, BitBtnCancel);
    connect(BitBtnOK, &QPushButton::clicked, this, &TfrmConfigNota::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TfrmConfigNota::BitBtnCancelClick);
    connect(btnFuente, &QToolButton::clicked, this, &TfrmConfigNota::btnFuenteClick);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(GroupBox2, 1);
    arriba->addWidget(GroupBox3, 1);
    auto* columna = new QVBoxLayout(this);
    columna->addLayout(arriba);
    columna->addWidget(GroupBox1, 1);
    columna->addLayout(botones);

    setTabOrder(ComboColorChincheta, btnFuente);
    setTabOrder(btnFuente, ExpDay);
    setTabOrder(ExpDay, ExpMonth);
    setTabOrder(ExpMonth, ExpYear);
    setTabOrder(ExpYear, MemoTexto);
    setTabOrder(MemoTexto, BitBtnOK);
    setTabOrder(BitBtnOK, BitBtnCancel);
}

void TfrmConfigNota::Rellenar() {
    const DatosNota& nota = FDatos;
    PonerTextoCombo(ComboColorChincheta, TextoChincheta(nota.ColorChincheta));
    if (!nota.Texto.isEmpty())
        MemoTexto->PonerTexto(LineasDeNota(nota.Texto).join(u'\n'));
    ExpDay->setText(QString::number(nota.DayExpires));
    const quint8 mes = nota.MonthExpires;
    PonerTextoCombo(ExpMonth, mes >= 1 && mes <= 12 ? NombreMes[mes] : QString());
    ExpYear->setText(QString::number(nota.YearExpires));
    PonerFuenteMemo({FuenteDeNota(nota), nota.FontColor});
    // Writing the text is what the dialog is opened for, a new note above all.
    MemoTexto->moveCursor(QTextCursor::End);
    MemoTexto->setFocus();
}

void TfrmConfigNota::PonerFuenteMemo(const FuenteNota& fuente) {
    PonerFuenteEnMemo(MemoTexto, fuente);
    FColorFuente = fuente.Color;
}

FuenteNota TfrmConfigNota::FuenteMemo() const {
    return {MemoTexto->font(), FColorFuente};
}

bool TfrmConfigNota::FechaValida(int dia, const QString& mes, qint32 anio) {
    const quint8 numero = MesDeTexto(mes);
    // Exact abbreviations only, although MesDeTexto would take "ene" as well.
    if (numero == 0 || mes != NombreMes[numero])
        return false;
    const bool bisiesto = (anio % 4 == 0 && anio % 100 != 0) || anio % 400 == 0;
    const int ultimo = DiasMes[numero] + (numero == 2 && bisiesto ? 1 : 0);
    return dia >= 1 && dia <= ultimo;
}

bool TfrmConfigNota::ExpDayKeyPress(const QKeyEvent& tecla) {
    // Only typed characters are filtered; backspace, Enter, Tab, the cursor keys and
    // shortcuts such as Ctrl+A keep their usual meaning.
    if (tecla.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QList<uint> caracteres = tecla.text().toUcs4();
    if (caracteres.isEmpty() || !QChar::isPrint(caracteres.first()))
        return false;
    for (const uint c : caracteres)
        if (c < '0' || c > '9')
            return true;
    return false;
}

bool TfrmConfigNota::ExpYearKeyPress(const QKeyEvent& tecla) {
    return ExpDayKeyPress(tecla);
}

bool TfrmConfigNota::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto& tecla = *static_cast<QKeyEvent*>(event);
        if (watched == ExpDay)
            return ExpDayKeyPress(tecla);
        if (watched == ExpYear)
            return ExpYearKeyPress(tecla);
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmConfigNota::btnFuenteClick() {
    if (!ElegirFuente)
        return;
    if (const std::optional<FuenteNota> elegida = ElegirFuente(FuenteMemo(), this))
        PonerFuenteMemo(*elegida);
}

std::optional<int> TfrmConfigNota::LeerEntero(QLineEdit* campo) {
    bool ok = false;
    const int valor = campo->text().toInt(&ok);
    if (ok)
        return valor;
    MostrarMensaje(this, QStringLiteral("Pinaco"),
                   QStringLiteral("'%1' no es un valor entero válido").arg(campo->text()),
                   IconoMensaje::Error);
    campo->setFocus();
    campo->selectAll();
    return std::nullopt;
}

bool TfrmConfigNota::TextosGuardables() {
    // The notes file and the wire hold Windows-1252 only; refuse rather than lose text.
    const QString texto = MemoTexto->Texto();
    if (const qsizetype i = Cp1252::PrimeroNoGuardable(texto); i >= 0) {
        MostrarError(this, AvisoCaracterNoGuardable(QStringLiteral("El texto"),
                                                    QStringLiteral("la nota"), texto, i) +
                               QStringLiteral("\rBórrelo o cámbielo por otro y vuelva a aceptar."));
        MemoTexto->setFocus();
        QTextCursor cursor = MemoTexto->textCursor();
        cursor.setPosition(MemoTexto->PosicionDeIndice(i));
        MemoTexto->setTextCursor(cursor);
        return false;
    }
    const QString nombre = MemoTexto->font().family();
    if (const qsizetype i = Cp1252::PrimeroNoGuardable(nombre); i >= 0) {
        MostrarError(this, AvisoCaracterNoGuardable(
                               QStringLiteral("El nombre de la fuente «%1»").arg(nombre),
                               QStringLiteral("la nota"), nombre, i) +
                               QStringLiteral("\rElija otra fuente."));
        btnFuente->setFocus();
        return false;
    }
    return true;
}

void TfrmConfigNota::BitBtnOKClick() {
    const std::optional<int> anio = LeerEntero(ExpYear);
    if (!anio)
        return;
    const std::optional<int> dia = LeerEntero(ExpDay);
    if (!dia)
        return;
    if (!FechaValida(*dia, ExpMonth->currentText(), *anio)) {
        MostrarMensaje(this, QStringLiteral("Error"), QStringLiteral(" Fecha no válida "),
                       IconoMensaje::Exclamacion);
        ExpDay->setFocus();
        return;
    }
    if (!TextosGuardables())
        return;
    EscribirNota(*dia, *anio);
    accept();
}

void TfrmConfigNota::EscribirNota(int dia, int anio) {
    DatosNota& nota = FDatos;
    nota.ColorChincheta = ChinchetaDeTexto(ComboColorChincheta->currentText());
    nota.Texto = MemoTexto->Texto().split(u'\n').join(QStringLiteral("\r\n"));
    nota.DayExpires = quint8(dia);
    nota.MonthExpires = MesDeTexto(ExpMonth->currentText());
    nota.YearExpires = anio;
    EscribirFuenteEnNota(nota, FuenteMemo());
}

void TfrmConfigNota::BitBtnCancelClick() {
    reject();
}
