#include "config/PanelSeguridad.h"

#include "config/ControlesPanel.h"
#include "config/TextoPartido.h"
#include "core/Configuracion.h"
#include "core/ValoresConfiguracion.h"
#include "dialogs/Mensaje.h"
#include "net/EscritorLog.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QColor kBlanco(0xFF, 0xFF, 0xFF);
const QColor kPlata(0xC0, 0xC0, 0xC0);
const QColor kGris(0x80, 0x80, 0x80);

void HabilitarCampo(QLineEdit* campo, bool habilitado) {
    campo->setEnabled(habilitado);
    QPalette paleta = campo->palette();
    paleta.setColor(QPalette::Base, habilitado ? kBlanco : kPlata);
    // The style's pale disabled text would vanish on silver.
    paleta.setColor(QPalette::Disabled, QPalette::Text, kGris);
    campo->setPalette(paleta);
}

// Shows the number the field gave, a default when it gave none.
int Tomar(QLineEdit* campo, int valor) {
    campo->setText(QString::number(valor));
    return valor;
}

// The small bullet before the file line and the two flood-control lines.
QLabel* CrearVineta(QWidget* padre) {
    const int lado = qMax(5, padre->fontMetrics().height() / 3);
    const qreal escala = padre->devicePixelRatioF();
    QPixmap punto(QSize(lado, lado) * escala);
    punto.setDevicePixelRatio(escala);
    punto.fill(Qt::transparent);
    QPainter pintor(&punto);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(Qt::NoPen);
    pintor.setBrush(QColor(0x00, 0x00, 0x80));
    pintor.drawEllipse(QRectF(0, 0, lado, lado));
    auto* vineta = new QLabel(padre);
    vineta->setPixmap(punto);
    return vineta;
}

QString ElegirLogConDialogo(QWidget* padre, const QString& actual) {
    // The log is appended to: naming an existing file is what the user wants.
    return QFileDialog::getSaveFileName(padre, QStringLiteral("Escoja archivo para Log..."), actual,
                                        QString(), nullptr, QFileDialog::DontConfirmOverwrite);
}

} // namespace

PanelSeguridad::PanelSeguridad(QWidget* parent) : PanelConfiguracion(parent) {
    CrearControles();
    ElegirArchivoLog = [this](const QString& actual) { return ElegirLogConDialogo(this, actual); };
    ActualizarControlesSeguridad();
}

QLineEdit* PanelSeguridad::CrearCampoNumero(int anchoNominal, int cifras) {
    auto* campo = new QLineEdit(this);
    // Digits only, typed or pasted; an empty field is allowed and gets its default at OK.
    campo->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), campo));
    const int marcos = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, campo) + 8;
    const int anchoCifras = fontMetrics().horizontalAdvance(QString(cifras, u'0'));
    campo->setFixedWidth(qMax(anchoNominal, anchoCifras + marcos));
    return campo;
}

void PanelSeguridad::CrearControles() {
    QVBoxLayout* columna = CrearColumnaPanel(this);
    // Indented rows line up with the captions of the check boxes above them.
    const int sangria = style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                        style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    auto casilla = [&](const char* texto, int sangriaFila = 0) {
        QCheckBox* c = new CasillaPartida(QString::fromUtf8(texto), this);
        AnadirFila(columna, sangriaFila)->addWidget(c);
        return c;
    };
    auto etiqueta = [&](const char* texto) { return new QLabel(QString::fromUtf8(texto), this); };
    // A bullet, a label, a number field and the rest of the sentence.
    auto frase = [&](QLabel* antes, QLineEdit* campo, QLabel* despues) {
        QHBoxLayout* fila = AnadirFila(columna, sangria);
        fila->addWidget(CrearVineta(this));
        for (QWidget* control : std::initializer_list<QWidget*>{antes, campo, despues})
            fila->addWidget(control);
        fila->addStretch();
    };

    chkServerActivo =
        new CasillaPartida(QStringLiteral("Servidor de Notas activo en el puerto:"), this);
    editServerPort = CrearCampoNumero(41, 4);
    QHBoxLayout* filaPuerto = AnadirFila(columna);
    filaPuerto->addWidget(chkServerActivo, 1);
    filaPuerto->addWidget(editServerPort, 0, Qt::AlignTop);
    chkQuiereActualizarPuertoDelSevidor =
        casilla("Comunicar el puerto de este Pinaco al enviar una Nota");
    SepararGrupo(columna);

    chkArchivoLog = casilla("Mantener un archivo de Log sobre las Notas recibidas:");
    chkLogApuntarNombre = casilla("Escribir el Nombre asociado al IP del emisor", sangria);
    chkLogApuntarTexto = casilla("Escribir el Texto de la Nota", sangria);
    lblArchivo = etiqueta("Archivo:");
    editLogArchivo = new QLineEdit(this);
    editLogArchivo->setMinimumWidth(fontMetrics().averageCharWidth() * 12);
    btnEscogerArchivoLog = CrearBotonHerramienta(this, QStyle::SP_DialogOpenButton,
                                                 QStringLiteral("Escoger archivo para Log"));
    QHBoxLayout* filaArchivo = AnadirFila(columna, sangria);
    filaArchivo->addWidget(CrearVineta(this));
    filaArchivo->addWidget(lblArchivo);
    filaArchivo->addWidget(editLogArchivo, 1);
    filaArchivo->addWidget(btnEscogerArchivoLog);
    SepararGrupo(columna);

    chkNumMaxNotas = casilla("Número máximo de Notas por unidad de tiempo:");
    lblSiUnUsuario = etiqueta("Si un usuario envía más de");
    editNumMaxNotas = CrearCampoNumero(25, 3);
    lblNotas = etiqueta("notas,");
    frase(lblSiUnUsuario, editNumMaxNotas, lblNotas);
    lblEnMenosDe = etiqueta("en menos de");
    editNumMinSegundos = CrearCampoNumero(27, 3);
    lblSegundos = etiqueta("segundos...");
    frase(lblEnMenosDe, editNumMinSegundos, lblSegundos);
    radioRetirarPermanente = new RadioPartido(
        QStringLiteral("Retirarle el permiso en esta máquina, permanentemente"), this);
    radioRetirarPermanente->setChecked(true);
    AnadirFila(columna, sangria)->addWidget(radioRetirarPermanente);
    radioRetirarTemporal = new QRadioButton(QStringLiteral("Retirarle el permiso durante"), this);
    editRetirarTemporalMinutos = CrearCampoNumero(25, 3);
    lblMinutos = etiqueta("minutos");
    lblMinutos->installEventFilter(this);
    QHBoxLayout* filaTemporal = AnadirFila(columna, sangria);
    for (QWidget* control : std::initializer_list<QWidget*>{radioRetirarTemporal,
                                                            editRetirarTemporalMinutos, lblMinutos})
        filaTemporal->addWidget(control);
    filaTemporal->addStretch();
    columna->addStretch();

    for (QCheckBox* c : {chkServerActivo, chkArchivoLog, chkNumMaxNotas})
        connect(c, &QCheckBox::toggled, this, &PanelSeguridad::ActualizarControlesSeguridad);
    connect(btnEscogerArchivoLog, &QToolButton::clicked, this,
            &PanelSeguridad::btnEscogerArchivoLogClick);
}

// "minutos" ends the radio's caption: a click on it is a click on the radio.
bool PanelSeguridad::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == lblMinutos && evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton &&
        radioRetirarTemporal->isEnabled())
        radioRetirarTemporal->click();
    return QWidget::eventFilter(objeto, evento);
}

void PanelSeguridad::Rellenar(const Configuracion& c) {
    chkServerActivo->setChecked(c.ServerActivo);
    editServerPort->setText(QString::number(c.ServerPort));
    chkQuiereActualizarPuertoDelSevidor->setChecked(c.ActualizarPuertoAlEnviarNota);
    chkArchivoLog->setChecked(c.CrearArchivoLog);
    chkLogApuntarNombre->setChecked(c.LogWithSenderName);
    chkLogApuntarTexto->setChecked(c.LogWithNotaText);
    editLogArchivo->setText(c.LogFilename);
    chkNumMaxNotas->setChecked(c.HabilitarNumMaxNotas);
    editNumMaxNotas->setText(QString::number(c.NumMaxNotas));
    editNumMinSegundos->setText(QString::number(c.NumMinSegundos));
    MarcarRadios(
        {{radioRetirarPermanente, c.RetiroPermanente}, {radioRetirarTemporal, c.RetiroTemporal}});
    editRetirarTemporalMinutos->setText(QString::number(c.RetiroTemporalMinutos));
    ActualizarControlesSeguridad();
}

void PanelSeguridad::Escribir(Configuracion& c, const QString& nombreLogPorDefecto) {
    const Configuracion inicial;
    c.ServerActivo = chkServerActivo->isChecked();
    c.ServerPort = Tomar(editServerPort, PuertoServidorDeCampo(editServerPort->text()));
    c.ActualizarPuertoAlEnviarNota = chkQuiereActualizarPuertoDelSevidor->isChecked();
    // The field keeps what the user left in it.
    c.LogFilename =
        NombreLogDeCampo(editLogArchivo->text(), chkArchivoLog->isChecked(), nombreLogPorDefecto);
    c.CrearArchivoLog = chkArchivoLog->isChecked();
    c.LogWithSenderName = chkLogApuntarNombre->isChecked();
    c.LogWithNotaText = chkLogApuntarTexto->isChecked();
    c.HabilitarNumMaxNotas = chkNumMaxNotas->isChecked();
    c.NumMaxNotas =
        Tomar(editNumMaxNotas, NumeroDeCampo(editNumMaxNotas->text(), inicial.NumMaxNotas));
    c.NumMinSegundos = Tomar(editNumMinSegundos,
                             NumeroDeCampo(editNumMinSegundos->text(), inicial.NumMinSegundos));
    c.RetiroPermanente = radioRetirarPermanente->isChecked();
    c.RetiroTemporal = radioRetirarTemporal->isChecked();
    c.RetiroTemporalMinutos =
        Tomar(editRetirarTemporalMinutos,
              NumeroDeCampo(editRetirarTemporalMinutos->text(), inicial.RetiroTemporalMinutos));
}

bool PanelSeguridad::ComprobarLog(const QString& nombreLogPorDefecto,
                                  const ArchivosPropios& propios) {
    if (!chkArchivoLog->isChecked())
        return true;
    const QString ruta =
        propios.RutaLog(NombreLogDeCampo(editLogArchivo->text(), true, nombreLogPorDefecto));
    QString problema;
    if (const QString choque = ChoqueDeLog(ruta, propios); !choque.isEmpty())
        problema =
            QStringLiteral("El archivo de Log no puede ser:\r%1\r\rEs %2.").arg(ruta, choque);
    else if (const QString causa = LogNoEscribible(ruta); !causa.isEmpty())
        problema =
            QStringLiteral("No se puede escribir el archivo de Log:\r%1\r\r%2").arg(ruta, causa);
    if (problema.isEmpty())
        return true;
    MostrarMensaje(this, QStringLiteral("Error"), problema, IconoMensaje::Error);
    editLogArchivo->setFocus();
    return false;
}

// Disabled fields keep their values, and OK still stores them.
void PanelSeguridad::ActualizarControlesSeguridad() {
    HabilitarCampo(editServerPort, chkServerActivo->isChecked());

    const bool log = chkArchivoLog->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{chkLogApuntarNombre, chkLogApuntarTexto,
                                                            lblArchivo, btnEscogerArchivoLog})
        control->setEnabled(log);
    HabilitarCampo(editLogArchivo, log);

    const bool limite = chkNumMaxNotas->isChecked();
    for (QWidget* control :
         std::initializer_list<QWidget*>{lblSiUnUsuario, lblNotas, lblEnMenosDe, lblSegundos,
                                         radioRetirarPermanente, radioRetirarTemporal, lblMinutos})
        control->setEnabled(limite);
    for (QLineEdit* campo : {editNumMaxNotas, editNumMinSegundos, editRetirarTemporalMinutos})
        HabilitarCampo(campo, limite);
}

void PanelSeguridad::btnEscogerArchivoLogClick() {
    const QString elegido = ElegirArchivoLog(editLogArchivo->text());
    if (!elegido.isEmpty())
        editLogArchivo->setText(elegido);
}
