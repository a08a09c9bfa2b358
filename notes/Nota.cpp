#include "notes/Nota.h"

#include "core/UnitComunes.h"
#include "notes/Colores.h"

#include <QApplication>
#include <QFontInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

TNota::TNota(QWidget* owner) : QWidget(owner) {
    const QFont fuente = QApplication::font();
    // The name of the font really used, not a generic family such as "Sans Serif".
    FFontName = QFontInfo(fuente).family();
    FFontSize = fuente.pointSize() > 0 ? fuente.pointSize() : 8;
    FFontStyle = 0;
    FFontColor = kColorTextoVentana;
    // Hover moves only switch the cursor over the grip.
    setMouseTracking(true);
    setAutoFillBackground(false);
    resize(FMinWidth, FMinHeight);
}

TNota::~TNota() = default;

void TNota::AsignarImagenes(const QList<QPixmap>& chinchetas, const QList<QPixmap>& agarradera) {
    FImagenesChincheta = chinchetas;
    FImagenesAgarradera = agarradera;
    Repintar();
}

void TNota::setColorChincheta(TColorChincheta valor) {
    if (valor == FColorChincheta)
        return;
    FColorChincheta = valor;
    Resize();
    Repintar();
}

void TNota::setTexto(const QString& valor) {
    if (valor == FTexto)
        return;
    FTexto = valor;
    FTextoPintado = LineasDeNota(valor).join(u'\n');
    Repintar();
}

void TNota::setColorNW(quint32 valor) {
    if (valor == FColorNW)
        return;
    FColorNW = valor;
    Repintar();
}

void TNota::setColorSE(quint32 valor) {
    if (valor == FColorSE)
        return;
    FColorSE = valor;
    Repintar();
}

void TNota::setFontStyle(quint8 valor) {
    if (valor == FFontStyle)
        return;
    FFontStyle = valor;
    Repintar();
}

void TNota::setFontName(const QString& valor) {
    if (valor == FFontName)
        return;
    FFontName = valor;
    Repintar();
}

void TNota::setFontSize(qint32 valor) {
    if (valor == FFontSize)
        return;
    FFontSize = valor;
    Repintar();
}

void TNota::setFontColor(quint32 valor) {
    if (valor == FFontColor)
        return;
    FFontColor = valor;
    Repintar();
}

QFont TNota::FuenteTexto() const {
    QFont f(FFontName);
    // A size from a damaged file must not reach Qt as zero or below.
    f.setPointSize(FFontSize > 0 ? qMin(FFontSize, 500) : 8);
    f.setBold(FFontStyle & fsBold);
    f.setItalic(FFontStyle & fsItalic);
    f.setUnderline(FFontStyle & fsUnderline);
    f.setStrikeOut(FFontStyle & fsStrikeOut);
    return f;
}

void TNota::Repintar() {
    ++FRepintados;
    update();
}

DatosNota TNota::Datos() const {
    DatosNota d;
    d.ColorChincheta = FColorChincheta;
    d.Texto = FTexto;
    d.DayCreated = FDayCreated;
    d.DayExpires = FDayExpires;
    d.MonthCreated = FMonthCreated;
    d.MonthExpires = FMonthExpires;
    d.YearCreated = FYearCreated;
    d.YearExpires = FYearExpires;
    d.ColorNW = FColorNW;
    d.ColorSE = FColorSE;
    d.MinWidth = FMinWidth;
    d.MinHeight = FMinHeight;
    d.FontStyle = FFontStyle;
    d.FontName = FFontName;
    d.FontSize = FFontSize;
    d.FontColor = FFontColor;
    d.ReceivedTime = FReceivedTime;
    d.ReceivedFromIP = FReceivedFromIP;
    d.ReceivedFromUser = FReceivedFromUser;
    d.Left = x();
    d.Top = y();
    d.Width = width();
    d.Height = height();
    return d;
}

void TNota::AsignarDatos(const DatosNota& d) {
    setColorChincheta(d.ColorChincheta);
    setTexto(d.Texto);
    FDayCreated = d.DayCreated;
    FDayExpires = d.DayExpires;
    FMonthCreated = d.MonthCreated;
    FMonthExpires = d.MonthExpires;
    FYearCreated = d.YearCreated;
    FYearExpires = d.YearExpires;
    setColorNW(d.ColorNW);
    setColorSE(d.ColorSE);
    FMinWidth = d.MinWidth;
    FMinHeight = d.MinHeight;
    FFontStyle = d.FontStyle;
    FFontName = d.FontName;
    FFontSize = d.FontSize;
    FFontColor = d.FontColor;
    Repintar();
    FReceivedTime = d.ReceivedTime;
    FReceivedFromIP = d.ReceivedFromIP;
    FReceivedFromUser = d.ReceivedFromUser;
    setGeometry(d.Left, d.Top, d.Width, d.Height);
}

QRect TNota::AreaTexto() const {
    if (FColorChincheta == TColorChincheta::None)
        return {8, 8, width() - 16, height() - 16};
    return {8, 35, width() - 16, height() - 43};
}
QRect TNota::AreaAgarradera() const {
    return {width() - kAnchoAgarradera - 1, height() - kAnchoAgarradera - 1, kAnchoAgarradera,
            kAnchoAgarradera};
}
bool TNota::ChinchetaVisible() const {
    return FColorChincheta != TColorChincheta::None;
}
bool TNota::EnAgarradera(QPoint pos) const {
    return AreaAgarradera().contains(pos);
}

void TNota::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Resize();
}

void TNota::Resize() {
    if (FMinWidth > width() || FMinHeight > height()) {
        // resize() re-enters through resizeEvent with the corrected size.
        resize(qMax(width(), FMinWidth), qMax(height(), FMinHeight));
        return;
    }
    const int w = width();
    const int h = height();
    QRegion region(0, 0, w, h);
    region = region.xored(QRegion(w - 1, 0, 1, 1)).xored(QRegion(0, h - 1, 1, 1));
    setMask(region);
}

void TNota::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width();
    const int h = height();
    p.fillRect(rect(), ColorDesdeValor(kColorFondoNota));
    p.setPen(ColorDesdeValor(FColorNW));
    const QPoint nw[] = {{0, h}, {0, 0}, {w, 0}};
    p.drawPolyline(nw, 3);
    p.setPen(ColorDesdeValor(FColorSE));
    const QPoint se[] = {{0, h - 1}, {w - 1, h - 1}, {w - 1, 0}};
    p.drawPolyline(se, 3);

    // Text first, then the grip and the pin over it; each picture is the first cell.
    const QRect texto = AreaTexto();
    p.setClipRect(texto);
    p.setPen(ColorDesdeValor(FFontColor));
    p.setFont(FuenteTexto());
    p.drawText(texto, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic,
               FTextoPintado);
    p.setClipping(false);
    if (!FImagenesAgarradera.isEmpty())
        p.drawPixmap(AreaAgarradera().topLeft(), FImagenesAgarradera.first(),
                     QRect(0, 0, kAnchoAgarradera, kAnchoAgarradera));
    const int chincheta = int(FColorChincheta);
    if (ChinchetaVisible() && chincheta < FImagenesChincheta.size())
        p.drawPixmap(QPoint(18, 7), FImagenesChincheta[chincheta],
                     QRect(0, 0, kAnchoCeldaChincheta, kLadoChincheta));
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
    FPulsadaAgarradera = false;
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
