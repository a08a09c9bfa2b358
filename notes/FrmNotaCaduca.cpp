#include "notes/FrmNotaCaduca.h"

#include "core/NotasCaducadas.h"
#include "core/UnitComunes.h"
#include "notes/FranjaDialogo.h"
#include "notes/Nota.h"
#include "notes/TableroNotas.h"
#include "notes/VentanaDialogo.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kAncho = 331;
constexpr int kAlto = 299;

std::function<bool(qsizetype)> CaducadaEn(const ListaNotas& notas) {
    const QDate hoy = QDate::currentDate();
    return [&notas, hoy](qsizetype i) { return NotaCaducada(*notas.En(i), hoy); };
}

QString TextoDelMemo(const QString& texto) {
    return LineasDeNota(texto).join(u'\n');
}

} // namespace

TfrmNotaCaduca::TfrmNotaCaduca(TableroNotas& tablero, bool AvisoNotaCaducada,
                               const QString& AvisoNotaCaducadaWAV)
    : QDialog(tablero.Ventana()), FTablero(tablero), FAvisoNotaCaducadaWAV(AvisoNotaCaducadaWAV) {
    setWindowTitle(QStringLiteral("Notas Caducadas:"));
    PedirVentanaDialogo(this);
    setFixedSize(kAncho, kAlto);
    CrearControles();
    Llenar(nullptr, false, false);

    TimerSound.setSingleShot(true);
    connect(&TimerSound, &QTimer::timeout, this, &TfrmNotaCaduca::TimerSoundTimer);
    if (AvisoNotaCaducada)
        TimerSound.start(10);
}

TfrmNotaCaduca::~TfrmNotaCaduca() {
    MediaPlayer.Cerrar();
}

void TfrmNotaCaduca::CrearControles() {
    CrearFranjaDialogo(this, kAlto);

    GroupBox1 = new QGroupBox(QStringLiteral("Nota:"), this);
    GroupBox1->setGeometry(80, 6, 243, 206);
    lblFechaIzda = new QLabel(QStringLiteral("Fecha Límite:"), GroupBox1);
    lblFechaIzda->setGeometry(10, 22, 90, 18);
    lblFechaDcha = new QLabel(GroupBox1);
    lblFechaDcha->setGeometry(100, 22, 133, 18);
    lblFechaDcha->setTextFormat(Qt::PlainText);
    QPalette azulOscuro = lblFechaDcha->palette();
    azulOscuro.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x60));
    lblFechaDcha->setPalette(azulOscuro);
    memoTexto = new MemoNota(GroupBox1);
    memoTexto->setGeometry(10, 46, 223, 150);
    memoTexto->setReadOnly(true);
    memoTexto->setFocusPolicy(Qt::ClickFocus);

    btnAnt = new QPushButton(QStringLiteral("<<"), this);
    btnAnt->setGeometry(80, 220, 44, 28);
    btnAnt->setToolTip(QStringLiteral("Anterior"));
    btnEliminarNota = new QPushButton(QStringLiteral(" &Eliminar Nota"), this);
    btnEliminarNota->setGeometry(130, 220, 143, 28);
    btnSig = new QPushButton(QStringLiteral(">>"), this);
    btnSig->setGeometry(279, 220, 44, 28);
    btnSig->setToolTip(QStringLiteral("Siguiente"));
    BitBtn2 = new QPushButton(QStringLiteral(" &Cerrar esta ventana"), this);
    BitBtn2->setGeometry(80, 259, 243, 30);
    BitBtn2->setDefault(true);
    for (QPushButton* boton : {btnAnt, btnEliminarNota, btnSig})
        boton->setAutoDefault(false);

    connect(btnAnt, &QPushButton::clicked, this, &TfrmNotaCaduca::btnAntClick);
    connect(btnSig, &QPushButton::clicked, this, &TfrmNotaCaduca::btnSigClick);
    connect(btnEliminarNota, &QPushButton::clicked, this, &TfrmNotaCaduca::btnEliminarNotaClick);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmNotaCaduca::BitBtn2Click);
}

bool TfrmNotaCaduca::MostrarPrimeraCaducada() {
    const ListaNotas& notas = FTablero.Notas();
    const VistaCaducada vista = PrimeraCaducada(notas.Cuenta(), CaducadaEn(notas));
    Mostrar(vista);
    return vista.Indice >= 0;
}

void TfrmNotaCaduca::Llenar(TNota* nota, bool HayAnterior, bool HaySiguiente) {
    FNotaCaducaActual = nota;
    btnAnt->setEnabled(HayAnterior);
    btnSig->setEnabled(HaySiguiente);
    memoTexto->clear();
    btnEliminarNota->setEnabled(nota != nullptr);
    if (!nota) {
        lblFechaDcha->clear();
        return;
    }
    lblFechaDcha->setText(
        FechaCorta(nota->DayExpires(), nota->MonthExpires(), nota->YearExpires()));
    if (!nota->Texto().isEmpty())
        memoTexto->PonerTexto(TextoDelMemo(nota->Texto()));
}

void TfrmNotaCaduca::Mostrar(const VistaCaducada& vista) {
    if (vista.Indice < 0) {
        Llenar(nullptr, false, false);
        return;
    }
    Llenar(FTablero.Notas().En(vista.Indice), vista.HayAnterior, vista.HaySiguiente);
}

qsizetype TfrmNotaCaduca::IndiceActual() const {
    if (!FNotaCaducaActual)
        return -1;
    return FTablero.Notas().Indice(FNotaCaducaActual.data());
}

void TfrmNotaCaduca::MostrarNotaCaducada(Sentido sentido) {
    const ListaNotas& notas = FTablero.Notas();
    const qsizetype actual = IndiceActual();
    if (actual < 0) {
        // The note was taken off the board behind our back: start over.
        MostrarPrimeraCaducada();
        return;
    }
    const int paso = sentido == Sentido::HaciaElPrimero ? -1 : 1;
    const VistaCaducada vista = PasoCaducada(notas.Cuenta(), actual, paso, CaducadaEn(notas));
    // Nothing that way any more: stay, with the buttons told the truth.
    Mostrar(vista.Indice >= 0 ? vista : VistaEn(notas.Cuenta(), actual, CaducadaEn(notas)));
}

void TfrmNotaCaduca::BorrarNotaCaducada() {
    const qsizetype actual = IndiceActual();
    if (actual < 0) {
        MostrarPrimeraCaducada();
        return;
    }
    TNota* nota = FNotaCaducaActual.data();
    FNotaCaducaActual = nullptr;
    FTablero.BorrarNota(nota);
    // The deletion must reach the notes file.
    FTablero.MarcarNotasCambiadas();
    const ListaNotas& notas = FTablero.Notas();
    Mostrar(TrasBorrarCaducada(notas.Cuenta(), actual, CaducadaEn(notas)));
}

void TfrmNotaCaduca::btnAntClick() {
    MostrarNotaCaducada(Sentido::HaciaElPrimero);
}

void TfrmNotaCaduca::btnSigClick() {
    MostrarNotaCaducada(Sentido::HaciaElUltimo);
}

void TfrmNotaCaduca::btnEliminarNotaClick() {
    BorrarNotaCaducada();
}

void TfrmNotaCaduca::BitBtn2Click() {
    accept();
}

void TfrmNotaCaduca::TimerSoundTimer() {
    TimerSound.stop();
    if (QWidget* pinaco = FTablero.Ventana())
        pinaco->update();
    MediaPlayer.Reproducir(FAvisoNotaCaducadaWAV);
}

bool NotaCaducada(const TNota& nota, QDate hoy) {
    return FechaCaducada(nota.DayExpires(), nota.MonthExpires(), nota.YearExpires(), hoy);
}

bool HayNotasCaducadas(const ListaNotas& notas, QDate hoy) {
    for (const TNota* nota : notas)
        if (NotaCaducada(*nota, hoy))
            return true;
    return false;
}

bool ComprobarNotasCaducadas(TableroNotas& tablero, bool AvisoNotaCaducada,
                             const QString& AvisoNotaCaducadaWAV) {
    if (!HayNotasCaducadas(tablero.Notas(), QDate::currentDate()))
        return false;
    TfrmNotaCaduca dialogo(tablero, AvisoNotaCaducada, AvisoNotaCaducadaWAV);
    dialogo.MostrarPrimeraCaducada();
    dialogo.exec();
    return true;
}
