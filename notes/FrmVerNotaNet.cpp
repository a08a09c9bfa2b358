#include "notes/FrmVerNotaNet.h"

#include "core/UnitComunes.h"
#include "dialogs/TeclaBoton.h"
#include "notes/FuenteDeNota.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <class TipoEtiqueta = QLabel>
TipoEtiqueta* Etiqueta(const QString& texto, const QColor& color, QWidget* padre) {
    auto* etiqueta = new TipoEtiqueta(texto, padre);
    etiqueta->setTextFormat(Qt::PlainText);
    QPalette paleta = etiqueta->palette();
    paleta.setColor(QPalette::WindowText, color);
    etiqueta->setPalette(paleta);
    return etiqueta;
}

} // namespace

TfrmVerNotaNet::TfrmVerNotaNet(QWidget* owner)
    : QDialog(owner), ElegirFuente(ElegirFuenteConDialogo) {
    CrearControles();
    PrepararDialogoNota(this, QStringLiteral("Ver Nota de Red"), QSize(417, 311));
}

void TfrmVerNotaNet::CrearControles() {
    const QColor azul(0, 0, 0x60);
    const QColor verde(0, 0x60, 0);
    GroupBoxInformacion = new QGroupBox(QStringLiteral("Información:"), this);
    lblFechaLimite = Etiqueta(QStringLiteral("00-Ene-2000"), verde, GroupBoxInformacion);
    lblReceivedDay = Etiqueta(QStringLiteral("00-Ene-2000"), verde, GroupBoxInformacion);
    lblReceivedTime = Etiqueta(QStringLiteral("00:00:00"), verde, GroupBoxInformacion);
    lblReceivedFromUser = Etiqueta<EtiquetaRecortada>(QStringLiteral("Usuario  (0.0.0.0)"), verde,
                                                      GroupBoxInformacion);
    auto* rejilla = new QGridLayout(GroupBoxInformacion);
    const QList<QPair<QString, QLabel*>> filas = {
        {QStringLiteral("Fecha límite:"), lblFechaLimite},
        {QStringLiteral("Recibido el día:"), lblReceivedDay},
        {QStringLiteral("Recibido a las:"), lblReceivedTime},
        {QStringLiteral("Recibido de:"), lblReceivedFromUser}};
    for (int i = 0; i < filas.size(); ++i) {
        rejilla->addWidget(Etiqueta(filas[i].first, azul, GroupBoxInformacion), i, 0);
        // The sender's name may be long: it takes the whole width.
        const int columnas = filas[i].second == lblReceivedFromUser ? 2 : 1;
        rejilla->addWidget(filas[i].second, i, 1, 1, columnas);
    }
    rejilla->setVerticalSpacing(1);
    rejilla->setColumnStretch(1, 1);

    auto* cajaFuente = new QGroupBox(QStringLiteral("Texto:"), GroupBoxInformacion);
    btnFuente = new QToolButton(cajaFuente);
    btnFuente->setAutoRaise(true);
    btnFuente->setIcon(IconoFuente());
    btnFuente->setIconSize(QSize(20, 20));
    btnFuente->setToolTip(QStringLiteral("Fuente del texto de la Nota"));
    btnFuente->setAccessibleName(QStringLiteral("Fuente del texto de la Nota"));
    (new QVBoxLayout(cajaFuente))->addWidget(btnFuente);
    rejilla->addWidget(cajaFuente, 0, 2, 3, 1, Qt::AlignTop);

    GroupBoxTexto = new QGroupBox(QStringLiteral("Texto:"), this);
    MemoTexto = CrearMemoNota(GroupBoxTexto, 80);
    MemoTexto->setReadOnly(true);
    QPalette fondo = MemoTexto->palette();
    fondo.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    MemoTexto->setPalette(fondo);

    QHBoxLayout* botones = FilaAceptarCancelar(this, BitBtnOK, BitBtnCancel);
    TeclaPulsaBoton(MemoTexto, Qt::Key_Escape, BitBtnCancel);
    connect(BitBtnOK, &QPushButton::clicked, this, &TfrmVerNotaNet::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TfrmVerNotaNet::BitBtnCancelClick);
    connect(btnFuente, &QToolButton::clicked, this, &TfrmVerNotaNet::btnFuenteClick);

    auto* columna = new QVBoxLayout(this);
    columna->addWidget(GroupBoxInformacion);
    columna->addWidget(GroupBoxTexto, 1);
    columna->addLayout(botones);
}

QString TfrmVerNotaNet::TextoFecha(int dia, int mes, qint32 anio) {
    const QString nombreMes = mes >= 1 && mes <= 12 ? NombreMes[mes] : QString();
    return QStringLiteral("%1-%2-%3").arg(dia).arg(nombreMes).arg(anio);
}

QString TfrmVerNotaNet::TextoRemitente(const QString& usuario, const QString& ip,
                                       const QString& nombreEnLibreta) {
    if (!usuario.isEmpty())
        return QStringLiteral("%1  (%2)").arg(usuario, ip);
    const QString nombre = nombreEnLibreta.isEmpty() ? QString() : nombreEnLibreta + "  ";
    return QStringLiteral("%1(%2)").arg(nombre, ip);
}

void TfrmVerNotaNet::CargarNotaEnVisor(const DatosNota& nota, const QString& NombreEnLibreta) {
    FDatos = nota;
    // One memo line per CR; LFs are skipped and a trailing CR leaves an empty last line.
    QString texto = nota.Texto;
    texto.remove(u'\n');
    MemoTexto->PonerTexto(texto.split(u'\r').join(u'\n'));
    lblFechaLimite->setText(TextoFecha(nota.DayExpires, nota.MonthExpires, nota.YearExpires));
    lblReceivedDay->setText(TextoFecha(nota.DayCreated, nota.MonthCreated, nota.YearCreated));
    lblReceivedTime->setText(nota.ReceivedTime);
    lblReceivedFromUser->setText(
        TextoRemitente(nota.ReceivedFromUser, nota.ReceivedFromIP, NombreEnLibreta));
    FFuente = {FuenteDeNota(nota), nota.FontColor};
    PonerFuenteEnMemo(MemoTexto, FFuente);
}

void TfrmVerNotaNet::btnFuenteClick() {
    if (!ElegirFuente)
        return;
    if (const std::optional<FuenteNota> elegida = ElegirFuente(FFuente, this)) {
        FFuente = *elegida;
        PonerFuenteEnMemo(MemoTexto, FFuente);
    }
}

void TfrmVerNotaNet::BitBtnOKClick() {
    EscribirFuenteEnNota(FDatos, FFuente);
    accept();
}

void TfrmVerNotaNet::BitBtnCancelClick() {
    reject();
}
