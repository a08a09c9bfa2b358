#include "config/FrmAbout.h"

#include "config/ImagenesAcerca.h"
#include "config/MascaraAcerca.h"
#include "core/VersionPinaco.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <utility>

namespace {

TfrmAbout::AbridorWeb& Abridor() {
    static TfrmAbout::AbridorWeb abridor;
    return abridor;
}

int AzarDelSistema(int n) {
    return int(QRandomGenerator::global()->bounded(n));
}

const QString kDedicatoria =
    QStringLiteral("Este programa está dedicado a toda la gente que me ha apoyado y ayudado "
                   "durante su creación. Gracias a todos los que han aportado ideas, porque es "
                   "así como mejoran los programas. :-)");
const QString kPresentaEnlace = QStringLiteral("Visita mi página web:");

struct TextoEnSuSitio {
    QString texto;
    QSize sitio;
};

// The box's 8 point font, made smaller or narrower until every text fits its place on the
// note: the places are fixed, and the default font here is wider than the one they were
// drawn for.
QFont FuenteQueCabe(QFont fuente, const QList<TextoEnSuSitio>& textos) {
    for (double puntos = 8; puntos >= 6; puntos -= 0.5)
        for (int ancho :
             {int(QFont::Unstretched), int(QFont::SemiCondensed), int(QFont::Condensed)}) {
            fuente.setPointSizeF(puntos);
            fuente.setStretch(ancho);
            const QFontMetrics medidas(fuente);
            bool caben = true;
            for (const TextoEnSuSitio& t : textos) {
                const QRect ocupa = medidas.boundingRect(
                    QRect(QPoint(0, 0), QSize(t.sitio.width(), 10000)), Qt::TextWordWrap, t.texto);
                caben =
                    caben && ocupa.width() <= t.sitio.width() && ocupa.height() <= t.sitio.height();
            }
            if (caben)
                return fuente;
        }
    return fuente;
}

} // namespace

void TfrmAbout::FijarAbridorWeb(AbridorWeb abridor) {
    Abridor() = std::move(abridor);
}

QUrl TfrmAbout::DireccionWeb() {
    return QUrl(QStringLiteral("http://www.morvanti.com"));
}

QString TfrmAbout::LineaCreditos() {
    return QStringLiteral("%1 - por Morvanti").arg(QLatin1String(kNombreVersionPinaco));
}

TfrmAbout::TfrmAbout(QWidget* owner, EscenaMoztro::Azar azar)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint),
      FEscena(azar ? std::move(azar) : EscenaMoztro::Azar(AzarDelSistema)) {
    // Freed on close: a box kept hidden until the board dies would pile up, one per opening.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Acerca de"));
    setFont(FuenteQueCabe(QApplication::font(), {{kDedicatoria, QSize(145, 94)},
                                                 {kPresentaEnlace, QSize(145, 41)},
                                                 {DireccionWeb().host(), QSize(100, 17)},
                                                 {LineaCreditos(), QSize(145, 28)}}));

    ImgFondo = Imagen("ImgFondo", QStringLiteral("fondo"), QPoint(0, 0));
    setFixedSize(ImgFondo->size());
    setMask(MascaraAcerca());

    Label1 = Texto("Label1", LineaCreditos(), QRect(61, 115, 0, 0));
    Label1->adjustSize();
    Label2 = Texto("Label2", kDedicatoria, QRect(61, 144, 145, 94));
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label3 = Texto("Label3", kPresentaEnlace, QRect(61, 248, 145, 41));
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label4 = Texto("Label4", DireccionWeb().host(), QRect(61, 288, 100, 17));
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label4->setCursor(Qt::PointingHandCursor);
    QFont subrayada = Label4->font();
    subrayada.setUnderline(true);
    Label4->setFont(subrayada);
    QPalette azul = Label4->palette();
    azul.setColor(QPalette::WindowText, QColor(0, 0, 0xFF));
    Label4->setPalette(azul);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(10, 8, 114, 45);
    ImgAceptarApretado = new QLabel(Panel1);
    ImgAceptarApretado->setObjectName(QStringLiteral("ImgAceptarApretado"));
    ImgAceptarApretado->setPixmap(ImagenAcerca(QStringLiteral("aceptar_apretado")));
    ImgAceptarApretado->setGeometry(0, 0, 114, 45);
    ImgAceptarNormal = new QLabel(Panel1);
    ImgAceptarNormal->setObjectName(QStringLiteral("ImgAceptarNormal"));
    ImgAceptarNormal->setPixmap(ImagenAcerca(QStringLiteral("aceptar_normal")));
    ImgAceptarNormal->setGeometry(0, 0, 114, 45);
    ImgAceptarNormal->installEventFilter(this);

    CrearEscena();

    const QScreen* pantalla = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (pantalla)
        move(pantalla->availableGeometry().center() - rect().center());

    TimerBug = new QTimer(this);
    TimerBug->setObjectName(QStringLiteral("TimerBug"));
    TimerBug->setInterval(250);
    connect(TimerBug, &QTimer::timeout, this, &TfrmAbout::TimerBugTimer);
    TimerBug->start();
}

QLabel* TfrmAbout::Imagen(const char* nombre, const QString& archivo, QPoint posicion) {
    auto* imagen = new QLabel(this);
    imagen->setObjectName(QString::fromLatin1(nombre));
    imagen->setPixmap(ImagenAcerca(archivo));
    imagen->setGeometry(QRect(posicion, imagen->pixmap().deviceIndependentSize().toSize()));
    imagen->installEventFilter(this);
    return imagen;
}

QLabel* TfrmAbout::Texto(const char* nombre, const QString& texto, QRect zona) {
    auto* etiqueta = new QLabel(texto, this);
    etiqueta->setObjectName(QString::fromLatin1(nombre));
    etiqueta->setTextFormat(Qt::PlainText);
    etiqueta->setGeometry(zona);
    etiqueta->installEventFilter(this);
    return etiqueta;
}

// The scene's pieces, in the order they stack (later ones on top).
void TfrmAbout::CrearEscena() {
    using E = EscenaMoztro;
    FElementos[E::imgMoztro] = Imagen("imgMoztro", QStringLiteral("moztro"), QPoint(19, 311));
    FElementos[E::imgMoztroParpadea] =
        Imagen("imgMoztroParpadea", QStringLiteral("moztro_parpadea"), QPoint(24, 312));
    FElementos[E::imgMoztroOjosDcha] =
        Imagen("imgMoztroOjosDcha", QStringLiteral("moztro_ojos_dcha"), QPoint(23, 318));
    FElementos[E::imgMoztroOjosIzda] =
        Imagen("imgMoztroOjosIzda", QStringLiteral("moztro_ojos_izda"), QPoint(23, 318));
    FElementos[E::imgBocadilloGrande] =
        Imagen("imgBocadilloGrande", QStringLiteral("bocadillo"), QPoint(51, 264));
    QPalette azulOscuro = palette();
    azulOscuro.setColor(QPalette::WindowText, QColor(0, 0, 0x90));
    FElementos[E::lblMoztro1] = Texto("lblMoztro1", QString(), QRect(57, 276, 105, 14));
    FElementos[E::lblMoztro2] = Texto("lblMoztro2", QString(), QRect(58, 291, 105, 14));
    for (E::Elemento e : {E::lblMoztro1, E::lblMoztro2}) {
        FElementos[e]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        FElementos[e]->setPalette(azulOscuro);
    }
    FElementos[E::imgRoto] = Imagen("imgRoto", QStringLiteral("roto"), QPoint(171, 272));
    Aplicar();
}

void TfrmAbout::Aplicar() {
    for (int e = 0; e < EscenaMoztro::NumElementos; ++e)
        FElementos[e]->setVisible(FEscena.Visible(EscenaMoztro::Elemento(e)));
    FElementos[EscenaMoztro::lblMoztro1]->setText(FEscena.TextoMoztro1());
    FElementos[EscenaMoztro::lblMoztro2]->setText(FEscena.TextoMoztro2());
}

void TfrmAbout::TimerBugTimer() {
    FEscena.TimerBugTimer();
    Aplicar();
}

void TfrmAbout::imgMoztroClick() {
    if (FEscena.imgMoztroClick())
        Aplicar();
}

void TfrmAbout::Label4Click() {
    const AbridorWeb& abridor = Abridor();
    if (abridor)
        abridor(DireccionWeb());
    else
        QDesktopServices::openUrl(DireccionWeb());
}

bool TfrmAbout::Arrastra(QObject* objeto) const {
    if (objeto == FElementos[EscenaMoztro::imgMoztro])
        return FEscena.MoztroArrastra();
    return objeto != Label4 && objeto != ImgAceptarNormal;
}

void TfrmAbout::ImgFondoMouseDown(QPoint global) {
    if (QWindow* ventana = windowHandle(); ventana && ventana->startSystemMove())
        return;
    FArrastrando = true;
    FAgarre = global - pos();
}

void TfrmAbout::ImgAceptarNormalMouseDown() {
    ImgAceptarApretado->raise();
}

void TfrmAbout::ImgAceptarNormalMouseUp() {
    ImgAceptarNormal->raise();
    ImgAceptarNormal->repaint();
    close();
}

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type tipo = event->type();
    if (tipo != QEvent::MouseButtonPress && tipo != QEvent::MouseButtonRelease &&
        tipo != QEvent::MouseMove)
        return QWidget::eventFilter(watched, event);
    auto* raton = static_cast<QMouseEvent*>(event);
    const QPoint global = raton->globalPosition().toPoint();
    auto* widget = qobject_cast<QWidget*>(watched);

    if (tipo == QEvent::MouseMove) {
        if (FArrastrando)
            move(global - FAgarre);
        return FArrastrando;
    }
    if (tipo == QEvent::MouseButtonRelease && FArrastrando) {
        FArrastrando = false;
        return true;
    }
    if (watched == ImgAceptarNormal) {
        if (tipo == QEvent::MouseButtonPress)
            ImgAceptarNormalMouseDown();
        else
            ImgAceptarNormalMouseUp();
        return true;
    }
    // Label4 and the monster waiting in state 1 act on a left click, as buttons do.
    const bool clic = tipo == QEvent::MouseButtonRelease && raton->button() == Qt::LeftButton &&
                      widget && widget->rect().contains(raton->position().toPoint());
    if (watched == Label4) {
        if (clic)
            Label4Click();
        return true;
    }
    if (tipo == QEvent::MouseButtonPress && Arrastra(watched)) {
        ImgFondoMouseDown(global);
        return true;
    }
    if (watched == FElementos[EscenaMoztro::imgMoztro] && clic)
        imgMoztroClick();
    return true;
}
