#include "notes/FrmNotaCaduca.h"

#include "core/NotasCaducadas.h"
#include "core/UnitComunes.h"
#include "dialogs/FranjaDialogo.h"
#include "dialogs/VentanaDialogo.h"

#include <QDate>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kAncho = 331;
constexpr int kAlto = 299;

QString TextoDelMemo(const QString& texto) {
    return LineasDeNota(texto).join(u'\n');
}

} // namespace

TfrmNotaCaduca::TfrmNotaCaduca(LeerRegistros Notas, AccionNota Borrar, bool AvisoNotaCaducada,
                               const QString& AvisoNotaCaducadaWAV, QWidget* owner, FechaDeHoy Hoy)
    : QDialog(owner), FNotas(std::move(Notas)), FBorrar(std::move(Borrar)),
      FHoy(Hoy ? std::move(Hoy) : FechaDeHoy(&QDate::currentDate)),
      FAvisoNotaCaducadaWAV(AvisoNotaCaducadaWAV) {
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

std::function<bool(qsizetype)> TfrmNotaCaduca::CaducadaEn(const QList<RegistroNota>& notas) const {
    const QDate hoy = FHoy();
    return [&notas, hoy](qsizetype i) { return NotaCaducada(notas[i].Datos, hoy); };
}

bool TfrmNotaCaduca::MostrarPrimeraCaducada() {
    const QList<RegistroNota> notas = FNotas();
    const VistaCaducada vista = PrimeraCaducada(notas.size(), CaducadaEn(notas));
    Mostrar(notas, vista);
    return vista.Indice >= 0;
}

void TfrmNotaCaduca::Llenar(const RegistroNota* nota, bool HayAnterior, bool HaySiguiente) {
    FIdActual = nota ? nota->Id : kSinNota;
    btnAnt->setEnabled(HayAnterior);
    btnSig->setEnabled(HaySiguiente);
    memoTexto->clear();
    btnEliminarNota->setEnabled(nota != nullptr);
    if (!nota) {
        lblFechaDcha->clear();
        return;
    }
    const DatosNota& datos = nota->Datos;
    lblFechaDcha->setText(FechaCorta(datos.DayExpires, datos.MonthExpires, datos.YearExpires));
    if (!datos.Texto.isEmpty())
        memoTexto->PonerTexto(TextoDelMemo(datos.Texto));
}

void TfrmNotaCaduca::Mostrar(const QList<RegistroNota>& notas, const VistaCaducada& vista) {
    if (vista.Indice < 0) {
        Llenar(nullptr, false, false);
        return;
    }
    Llenar(&notas[vista.Indice], vista.HayAnterior, vista.HaySiguiente);
}

qsizetype TfrmNotaCaduca::IndiceActual(const QList<RegistroNota>& notas) const {
    if (FIdActual == kSinNota)
        return -1;
    for (qsizetype i = 0; i < notas.size(); ++i)
        if (notas[i].Id == FIdActual)
            return i;
    return -1;
}

void TfrmNotaCaduca::MostrarNotaCaducada(Sentido sentido) {
    const QList<RegistroNota> notas = FNotas();
    const qsizetype actual = IndiceActual(notas);
    if (actual < 0) {
        // The note was taken off the board behind our back: start over.
        MostrarPrimeraCaducada();
        return;
    }
    const int paso = sentido == Sentido::HaciaElPrimero ? -1 : 1;
    const VistaCaducada vista = PasoCaducada(notas.size(), actual, paso, CaducadaEn(notas));
    // Nothing that way any more: stay, with the buttons told the truth.
    Mostrar(notas, vista.Indice >= 0 ? vista : VistaEn(notas.size(), actual, CaducadaEn(notas)));
}

void TfrmNotaCaduca::BorrarNotaCaducada() {
    const qsizetype actual = IndiceActual(FNotas());
    if (actual < 0) {
        MostrarPrimeraCaducada();
        return;
    }
    const IdNota id = std::exchange(FIdActual, kSinNota);
    if (FBorrar)
        FBorrar(id);
    const QList<RegistroNota> notas = FNotas();
    Mostrar(notas, TrasBorrarCaducada(notas.size(), actual, CaducadaEn(notas)));
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
    if (QWidget* pinaco = parentWidget())
        pinaco->update();
    MediaPlayer.Reproducir(FAvisoNotaCaducadaWAV);
}

bool ComprobarNotasCaducadas(const LeerRegistros& Notas, const AccionNota& Borrar,
                             bool AvisoNotaCaducada, const QString& AvisoNotaCaducadaWAV,
                             QWidget* owner, const FechaDeHoy& Hoy) {
    if (!HayNotasCaducadas(Notas(), Hoy ? Hoy() : QDate::currentDate()))
        return false;
    TfrmNotaCaduca dialogo(Notas, Borrar, AvisoNotaCaducada, AvisoNotaCaducadaWAV, owner, Hoy);
    dialogo.MostrarPrimeraCaducada();
    dialogo.exec();
    return true;
}
