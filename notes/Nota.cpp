#include "notes/Nota.h"

#include "core/UnitComunes.h"
#include "dialogs/Colores.h"
#include "notes/FocoVisible.h"
#include "notes/FuenteDeNota.h"
#include "resources/ImagenesPinaco.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

TNota::TNota(QWidget* owner, ModeloNotas& modelo, IdNota id)
    : QWidget(owner), FModelo(modelo), FId(id) {
    // Hover moves only switch the cursor over the grip.
    setMouseTracking(true);
    setAutoFillBackground(false);
    // The note paints every pixel of its mask, so Qt need not paint what lies under it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Tab reaches it through the board's own order; a click on it takes the focus too.
    setFocusPolicy(Qt::StrongFocus);
}

TNota::~TNota() = default;

void TNota::AsignarImagenes(const QList<QPixmap>* chinchetas, const QList<QPixmap>* agarradera) {
    FImagenesChincheta = chinchetas;
    FImagenesAgarradera = agarradera;
    Repintar();
}

void TNota::AvisarTextoCambiado() {
    // A screen reader reads the note by its text.
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent evento(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&evento);
}

QFont TNota::FuenteTexto() const {
    return FuenteDeNota(Registro());
}

void TNota::Repintar() {
    ++FRepintados;
    update();
}

DatosNota TNota::Datos() const {
    DatosNota d = Registro();
    d.Left = x();
    d.Top = y();
    d.Width = width();
    d.Height = height();
    return d;
}

void TNota::AsignarDatos(const DatosNota& d) {
    FModelo.Cambiar(FId, d);
}

void TNota::Mostrar() {
    const QRect guardada = FModelo.Geometria(FId);
    Repintar();
    AvisarTextoCambiado();
    const DatosNota& d = Registro();
    if (geometry() != guardada)
        setGeometry(guardada);
    else if (d.MinWidth > width() || d.MinHeight > height())
        Resize();
    // A record smaller than its minimum shows at the minimum: the record follows.
    if (geometry() != guardada)
        GuardarGeometria();
}

void TNota::GuardarGeometria() {
    FModelo.CambiarGeometria(FId, geometry());
}

void TNota::Soltar() {
    hide();
    OnMouseDown = nullptr;
    OnMouseUp = nullptr;
    OnDblClick = nullptr;
    OnAgarraderaMouseMove = nullptr;
}

QRect TNota::AreaTexto() const {
    if (Registro().ColorChincheta == TColorChincheta::None)
        return {8, 8, width() - 16, height() - 16};
    return {8, 35, width() - 16, height() - 43};
}
QRect TNota::AreaAgarradera() const {
    return {width() - kAnchoAgarradera - 1, height() - kAnchoAgarradera - 1, kAnchoAgarradera,
            kAnchoAgarradera};
}
bool TNota::ChinchetaVisible() const {
    return Registro().ColorChincheta != TColorChincheta::None;
}
bool TNota::EnAgarradera(QPoint pos) const {
    return AreaAgarradera().contains(pos);
}

void TNota::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Resize();
}

void TNota::Resize() {
    const DatosNota& d = Registro();
    if (d.MinWidth > width() || d.MinHeight > height()) {
        // resize() re-enters through resizeEvent with the corrected size.
        resize(qMax(width(), d.MinWidth), qMax(height(), d.MinHeight));
        return;
    }
    const int w = width();
    const int h = height();
    QRegion region(0, 0, w, h);
    region = region.xored(QRegion(w - 1, 0, 1, 1)).xored(QRegion(0, h - 1, 1, 1));
    setMask(region);
}

QString TNota::TextoPintado(const QFont& fuente, QSize area) const {
    // Only what can show in the area is laid out: a megabyte of text paints as fast as a
    // screenful. Hardly any letter is narrower than half the average one.
    const QFontMetrics medidas(fuente);
    const qint64 lineas = qMax(area.height(), 0) / qMax(medidas.lineSpacing(), 1) + 2;
    const qint64 porLinea = qMax(area.width(), 0) / qMax(medidas.averageCharWidth() / 2, 1) + 2;
    return LineasDeNota(Registro().Texto.left(qsizetype(qMin<qint64>(lineas * porLinea, 1 << 24))))
        .join(u'\n');
}

void TNota::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const DatosNota& d = Registro();
    const int w = width();
    const int h = height();
    p.fillRect(rect(), ColorDesdeValor(kColorFondoNota));
    p.setPen(ColorDesdeValor(d.ColorNW));
    const QPoint nw[] = {{0, h}, {0, 0}, {w, 0}};
    p.drawPolyline(nw, 3);
    p.setPen(ColorDesdeValor(d.ColorSE));
    const QPoint se[] = {{0, h - 1}, {w - 1, h - 1}, {w - 1, 0}};
    p.drawPolyline(se, 3);

    // Text first, then the grip and the pin over it; each picture is the first cell.
    const QRect texto = AreaTexto();
    p.setClipRect(texto);
    p.setPen(ColorDesdeValor(d.FontColor));
    const QFont fuente = FuenteTexto();
    p.setFont(fuente);
    p.drawText(texto, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               TextoPintado(fuente, texto.size()));
    p.setClipping(false);
    if (FImagenesAgarradera && !FImagenesAgarradera->isEmpty())
        p.drawPixmap(AreaAgarradera().topLeft(), FImagenesAgarradera->first(),
                     ImagenesPinaco::EnPixeles(FImagenesAgarradera->first(),
                                               QRect(0, 0, kAnchoAgarradera, kAnchoAgarradera)));
    const int chincheta = int(d.ColorChincheta);
    if (ChinchetaVisible() && FImagenesChincheta && chincheta < FImagenesChincheta->size())
        p.drawPixmap(QPoint(18, 7), (*FImagenesChincheta)[chincheta],
                     ImagenesPinaco::EnPixeles((*FImagenesChincheta)[chincheta],
                                               QRect(0, 0, kAnchoCeldaChincheta, kLadoChincheta)));
    if (hasFocus() && FMarcaFoco) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

void TNota::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    FMarcaFoco = MarcaDeFocoVisible(this, event, FMarcaFoco);
    update();
}

void TNota::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void TNota::LanzarPulsacion(const TMouseEvent& handler, QMouseEvent* event) {
    if (!handler)
        return;
    const QPoint pos = event->position().toPoint();
    handler(this, event->button(), event->buttons(), pos.x(), pos.y());
}

void TNota::mousePressEvent(QMouseEvent* event) {
    // The grip keeps its press to itself: it resizes, it does not drag.
    FPulsadaAgarradera = EnAgarradera(event->position().toPoint());
    if (!FPulsadaAgarradera)
        LanzarPulsacion(OnMouseDown, event);
}

void TNota::mouseReleaseEvent(QMouseEvent* event) {
    if (std::exchange(FPulsadaAgarradera, false))
        GuardarGeometria();
    LanzarPulsacion(OnMouseUp, event);
}

void TNota::mouseDoubleClickEvent(QMouseEvent* event) {
    FPulsadaAgarradera = EnAgarradera(event->position().toPoint());
    // Qt folds the second press into the double-click; raise it after OnDblClick, as the
    // board's double-click guard expects a press to follow. The grip's brings none.
    QPointer<TNota> viva(this);
    if (OnDblClick)
        OnDblClick(this);
    if (viva && !FPulsadaAgarradera)
        LanzarPulsacion(OnMouseDown, event);
}

void TNota::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->buttons() == Qt::NoButton) {
        const bool sobreAgarradera = EnAgarradera(pos);
        if (sobreAgarradera != FCursorAgarradera) {
            FCursorAgarradera = sobreAgarradera;
            if (sobreAgarradera)
                setCursor(Qt::SizeFDiagCursor);
            else
                unsetCursor();
        }
        return;
    }
    if (FPulsadaAgarradera && OnAgarraderaMouseMove) {
        OnAgarraderaMouseMove(this, event->buttons(), pos.x(), pos.y());
        return;
    }
    event->ignore();
}
