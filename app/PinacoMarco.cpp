// The board's own frame: pieces, round buttons, dragging, resizing, maximising.
#include "app/ArrastreRaton.h"
#include "app/BotonRedondo.h"
#include "app/DisposicionMarco.h"
#include "app/FondoCorcho.h"
#include "app/PiezaMarco.h"
#include "app/Pinaco.h"
#include "app/TecladoTablero.h"
#include "core/PantallasTablero.h"
#include "resources/ImagenesPinaco.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

namespace {

BotonRedondo::Caras CarasDe(const QString& nombre, const QString& pista) {
    return {ImagenesPinaco::Boton(nombre, false), ImagenesPinaco::Boton(nombre, true), pista};
}

} // namespace

void TPinaco::CrearMarco() {
    using Modo = PiezaMarco::Modo;
    // On the window itself, so that the window manager keeps to it as well.
    setMinimumSize(kAnchoMinimoPinaco, kAltoMinimoPinaco);
    auto arrastrar = [this](QMouseEvent* e) { Image2MouseDown(e); };

    Image2 = new PiezaMarco(Modo::Estirada, this);
    Image4 = new PiezaMarco(Modo::Estirada, this);
    Image5 = new PiezaMarco(Modo::Estirada, this);
    Image7 = new PiezaMarco(Modo::Estirada, this);
    Image4->setImagen(ImagenesPinaco::BarraIzquierda());
    Image5->setImagen(ImagenesPinaco::BarraDerecha());
    Image7->setImagen(ImagenesPinaco::BarraInferior());
    for (PiezaMarco* barra : {Image2, Image4, Image5, Image7})
        barra->OnMouseDown = arrastrar;

    Chart6 = new PiezaMarco(Modo::Centrada, this);
    Chart6->resize(kTamChart6);
    Chart6->setImagen(ImagenesPinaco::Esquina());
    Chart8 = new PiezaMarco(Modo::Centrada, this);
    Chart8->resize(kTamChart8);
    Chart8->setImagen(ImagenesPinaco::AgarraderaPinaco());
    Chart8->setCursor(Qt::SizeFDiagCursor);
    Chart8->setAccessibleName(QStringLiteral("Cambiar el tamaño"));
    // Only the grip resizes the board.
    Chart8->OnMouseMove = [this](QMouseEvent* e) { chart8MouseMove(e); };

    auto* panel1 = new PiezaMarco(Modo::Centrada, this);
    panel1->resize(kTamPanel1);
    panel1->OnMouseDown = arrastrar;
    panel1->setAccessibleName(QStringLiteral("Barra de herramientas"));
    Panel1 = panel1;
    auto* chart3 = new PiezaMarco(Modo::Centrada, this);
    chart3->resize(kTamChart3);
    chart3->OnMouseDown = arrastrar;
    chart3->setAccessibleName(QStringLiteral("Botones de la ventana"));
    Chart3 = chart3;

    struct Definicion {
        BotonRedondo** Boton;
        QWidget* Pieza;
        int Diametro;
        const char* Nombre;
        const char* Pista;
        void (TPinaco::*Accion)();
    };
    const Definicion botones[] = {
        {&PanelAdd, Panel1, 44, "Add", "Añadir Nota", &TPinaco::AnadirNota},
        {&PanelConfigurar, Panel1, 44, "Conf", "Configurar Pinaco",
         &TPinaco::mnuFondoConfigPinacoClick},
        {&PanelOrganizar, Panel1, 44, "Org", "Organizar Notas", &TPinaco::mnuFondoOrganizarClick},
        {&PanelBuscar, Panel1, 44, "Bus", "Buscar Nota", &TPinaco::mnuFondoBuscarNotaClick},
        {&PanelMinimizar, Chart3, 30, "Min", "Minimizar", &TPinaco::Minimizar},
        {&PanelMaximizar, Chart3, 30, "Max", "Maximizar", &TPinaco::AlternarMaximizado},
        {&PanelCerrar, Chart3, 30, "Cerrar", "Cerrar", &TPinaco::Cerrar},
    };
    for (const Definicion& d : botones) {
        auto* boton = new BotonRedondo(
            d.Diametro, CarasDe(QString::fromLatin1(d.Nombre), QString::fromUtf8(d.Pista)),
            d.Pieza);
        *d.Boton = boton;
        const bool deVentana = d.Pieza == Chart3;
        if (deVentana)
            boton->setColorFondo(QColor(0xC3, 0x85, 0x00));
        boton->OnMouseDown = [this, boton, deVentana](QMouseEvent* e) {
            BotonMouseDown(boton, e->button(), deVentana);
        };
        boton->OnPulsar = [this, accion = d.Accion] { (this->*accion)(); };
        boton->OnMouseUp = [this, boton](QMouseEvent*) {
            if (BotonMouseUp(boton))
                boton->OnPulsar();
        };
    }
    PanelMaximizar->setAlterna(CarasDe(QStringLiteral("Res"), QStringLiteral("Restaurar")));
    PanelMinimizar->move(14, 8);
    PanelMaximizar->move(47, 8);
    PanelCerrar->move(80, 8);
}

void TPinaco::BotonMouseDown(BotonRedondo* boton, Qt::MouseButton b, bool deVentana) {
    if (b == Qt::LeftButton) {
        boton->MostrarApretado();
        FBotonApretado = true;
    } else if (deVentana) {
        FBotonApretado = false;
    }
}

bool TPinaco::BotonMouseUp(BotonRedondo* boton) {
    boton->MostrarNormal();
    if (!FBotonApretado)
        return false;
    FBotonApretado = false;
    return true;
}

void TPinaco::AplicarTipoPinaco() {
    const bool extendido = Config.TipoPinaco == 2;
    static_cast<PiezaMarco*>(Panel1)->setImagen(extendido ? ImagenesPinaco::img12()
                                                          : ImagenesPinaco::img11());
    Image2->setImagen(extendido ? ImagenesPinaco::img22() : ImagenesPinaco::img21());
    Image2->resize(Image2->width(), AltoBarraSuperior(Config.TipoPinaco));
    static_cast<PiezaMarco*>(Chart3)->setImagen(extendido ? ImagenesPinaco::img32()
                                                          : ImagenesPinaco::img31());
}

void TPinaco::CrearRegiones() {
    Panel1->setMask(RegionPanel1(Config.TipoPinaco));
    Chart3->setMask(RegionChart3(Config.TipoPinaco));
    Chart6->setMask(RegionChart6());
    Chart8->setMask(RegionChart8());
}

void TPinaco::ColocarBotones() {
    Panel1->move(0, 0);
    PanelAdd->move(10, 8);
    PanelConfigurar->move(60, 8);
    PanelOrganizar->move(110, 8);
    PanelBuscar->move(160, 8);
}

void TPinaco::ColocarMarco() {
    const DisposicionMarco m = CalcularMarco(width(), height(), Config.TipoPinaco);
    Image2->setGeometry(m.Image2);
    Chart3->setGeometry(m.Chart3);
    Image4->setGeometry(m.Image4);
    Image5->setGeometry(m.Image5);
    Chart6->setGeometry(m.Chart6);
    Image7->setGeometry(m.Image7);
    Chart8->setGeometry(m.Chart8);
}

void TPinaco::Image2MouseDown(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        ArrastrarVentana();
}

void TPinaco::ArrastrarVentana() {
    if (FIsMaximized)
        return;
    ArrastreRaton::IniciarVentana(this, QCursor::pos());
}

void TPinaco::chart8MouseMove(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || FIsMaximized)
        return;
    const QPoint cursor = event->globalPosition().toPoint();
    CambiarTamano(cursor.x() + 5 - x(), cursor.y() + 5 - y());
}

void TPinaco::CambiarTamano(int ancho, int alto) {
    ancho = qMax(ancho, kAnchoMinimoPinaco);
    alto = qMax(alto, kAltoMinimoPinaco);
    if (ancho == width() && alto == height())
        return;
    resize(ancho, alto);
    update();
}

void TPinaco::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!Chart3)
        return; // still being built
    // The cork grows with the board and never shrinks.
    ChartFondo->resize(qMax(ChartFondo->width(), width()), qMax(ChartFondo->height(), height()));
    ColocarMarco();
    AjustarNotasAlPinaco();
}

bool TPinaco::focusNextPrevChild(bool next) {
    return FTeclado ? FTeclado->MoverFoco(next) : QWidget::focusNextPrevChild(next);
}

void TPinaco::AlternarMaximizado() {
    if (PanelMaximizar->AlternaVisible())
        Restaurar();
    else
        Maximizar();
}

QList<QRect> TPinaco::AreasDePantallas() {
    QList<QRect> areas;
    for (const QScreen* pantalla : QGuiApplication::screens())
        areas.append(pantalla->availableGeometry());
    return areas;
}

const QScreen* TPinaco::PantallaPropia() const {
    return screen() ? screen() : QGuiApplication::primaryScreen();
}

QRect TPinaco::AreaMaximizada() const {
    const QScreen* pantalla = PantallaPropia();
    return pantalla ? pantalla->availableGeometry() : QRect(0, 0, 1024, 768);
}

void TPinaco::VolverAPantalla() {
    // Only bounds on no screen move; a board on a screen that is still there stays put.
    const QList<QRect> areas = AreasDePantallas();
    const auto aPantalla = [&areas](const QRect& limites) {
        return PantallaDelTablero(limites, areas) < 0
                   ? TableroVisible(limites, areas, QSize(kAnchoMinimoPinaco, kAltoMinimoPinaco))
                   : limites;
    };
    if (FIsMaximized) {
        setGeometry(AreaMaximizada());
        FLimitesRestaurar = aPantalla(FLimitesRestaurar);
    } else {
        setGeometry(aPantalla(geometry()));
    }
}

void TPinaco::Maximizar() {
    FIsMaximized = true;
    PanelMaximizar->MostrarAlterna(true);
    FLimitesRestaurar = geometry();
    setGeometry(AreaMaximizada());
}

void TPinaco::Restaurar() {
    PanelMaximizar->MostrarAlterna(false);
    FIsMaximized = false;
    setGeometry(FLimitesRestaurar);
    ActualizarSombras();
}

void TPinaco::Cerrar() {
    update();
    close();
}
