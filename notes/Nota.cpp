#include "notes/Nota.h"

#include "notes/Colores.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

// The note's text: plain text, word-wrapped from the top left and cut at the bottom, with
// the caption convention that a single ampersand underlines the next character.
class EtiquetaNota : public QWidget {
public:
    explicit EtiquetaNota(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TranslucentBackground);
    }
    void setTexto(const QString& texto) {
        FTexto = LineasDeNota(texto).join(u'\n');
        update();
    }
    void setColor(const QColor& color) {
        FColor = color;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(FColor);
        p.setFont(font());
        p.setClipRect(rect());
        p.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic,
                   FTexto);
    }

private:
    QString FTexto;
    QColor FColor;
};

TNota::TNota(QWidget* owner) : QWidget(owner), FOwner(owner) {
    FEtiqueta = new EtiquetaNota(this);
    FEtiqueta->installEventFilter(this);

    FAgarradera = new QLabel(this);
    FAgarradera->resize(kAnchoAgarradera, kAnchoAgarradera);
    FAgarradera->raise();
    FAgarradera->setCursor(Qt::SizeFDiagCursor);
    FAgarradera->installEventFilter(this);

    FChincheta = new QLabel(this);
    FChincheta->setGeometry(18, 7, kLadoChincheta, kLadoChincheta);
    FChincheta->raise();
    FChincheta->installEventFilter(this);

    const QFont fuente = QApplication::font();
    // The name of the font really used, not a generic family such as "Sans Serif".
    FFontName = QFontInfo(fuente).family();
    FFontSize = fuente.pointSize() > 0 ? fuente.pointSize() : 8;
    FFontStyle = 0;
    FFontColor = kColorTextoVentana;
    AplicarFuente();

    setAutoFillBackground(false);
    resize(FMinWidth, FMinHeight);
}

TNota::~TNota() = default;

void TNota::AsignarImagenes(const QList<QPixmap>& chinchetas, const QList<QPixmap>& agarradera) {
    FImagenesChincheta.clear();
    for (const QPixmap& p : chinchetas)
        FImagenesChincheta.append(p.copy(0, 0, kAnchoCeldaChincheta, kLadoChincheta));
    FImagenesAgarradera.clear();
    for (const QPixmap& p : agarradera)
        FImagenesAgarradera.append(p.copy(0, 0, kAnchoAgarradera, kAnchoAgarradera));
    MostrarChincheta();
    if (!FImagenesAgarradera.isEmpty())
        FAgarradera->setPixmap(FImagenesAgarradera.first());
}

void TNota::MostrarChincheta() {
    const int indice = int(FColorChincheta);
    FChincheta->setPixmap(indice < FImagenesChincheta.size() ? FImagenesChincheta[indice]
                                                             : QPixmap());
}

void TNota::setColorChincheta(TColorChincheta valor) {
    if (valor == FColorChincheta)
        return;
    FColorChincheta = valor;
    if (valor != TColorChincheta::None) {
        FChincheta->show();
        MostrarChincheta();
    } else {
        FChincheta->hide();
    }
    Resize();
    Repintar();
}

void TNota::setTexto(const QString& valor) {
    if (valor == FTexto)
        return;
    FTexto = valor;
    FEtiqueta->setTexto(valor);
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
    AplicarFuente();
}

void TNota::setFontName(const QString& valor) {
    if (valor == FFontName)
        return;
    FFontName = valor;
    AplicarFuente();
}

void TNota::setFontSize(qint32 valor) {
    if (valor == FFontSize)
        return;
    FFontSize = valor;
    AplicarFuente();
}

void TNota::setFontColor(quint32 valor) {
    if (valor == FFontColor)
        return;
    FFontColor = valor;
    AplicarFuente();
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

void TNota::AplicarFuente() {
    FEtiqueta->setFont(FuenteTexto());
    FEtiqueta->setColor(ColorDesdeValor(FFontColor));
    Repintar();
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
    AplicarFuente();
    FReceivedTime = d.ReceivedTime;
    FReceivedFromIP = d.ReceivedFromIP;
    FReceivedFromUser = d.ReceivedFromUser;
    setGeometry(d.Left, d.Top, d.Width, d.Height);
}

QRect TNota::AreaTexto() const {
    return FEtiqueta->geometry();
}
QRect TNota::AreaAgarradera() const {
    return FAgarradera->geometry();
}
bool TNota::ChinchetaVisible() const {
    return !FChincheta->isHidden();
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

    if (FColorChincheta == TColorChincheta::None)
        FEtiqueta->setGeometry(8, 8, w - 16, h - 16);
    else
        FEtiqueta->setGeometry(8, 35, w - 16, h - 43);
    FAgarradera->move(w - FAgarradera->width() - 1, h - FAgarradera->height() - 1);
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
}

void TNota::LanzarPulsacion(const TMouseEvent& handler, QMouseEvent* event, QPoint origen) {
    if (!handler)
        return;
    const QPoint pos = origen + event->position().toPoint();
    handler(this, event->button(), event->buttons(), pos.x(), pos.y());
}

void TNota::LanzarDobleClic(QMouseEvent* event, QPoint origen, bool conPulsacion) {
    // Qt folds the second press into the double-click; raise it after OnDblClick, as the
    // board's double-click guard expects a press to follow.
    QPointer<TNota> viva(this);
    if (OnDblClick)
        OnDblClick(this);
    if (viva && conPulsacion)
        LanzarPulsacion(OnMouseDown, event, origen);
}

void TNota::mousePressEvent(QMouseEvent* event) {
    LanzarPulsacion(OnMouseDown, event, {});
}
void TNota::mouseReleaseEvent(QMouseEvent* event) {
    LanzarPulsacion(OnMouseUp, event, {});
}
void TNota::mouseDoubleClickEvent(QMouseEvent* event) {
    LanzarDobleClic(event, {}, true);
}

bool TNota::eventFilter(QObject* watched, QEvent* event) {
    auto* hijo = qobject_cast<QWidget*>(watched);
    if (!hijo)
        return false;
    const bool esAgarradera = hijo == FAgarradera;
    const QPoint origen = hijo->pos();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // The grip takes its press (so it keeps the mouse) without passing it on.
        if (!esAgarradera)
            LanzarPulsacion(OnMouseDown, static_cast<QMouseEvent*>(event), origen);
        return true;
    case QEvent::MouseButtonRelease:
        LanzarPulsacion(OnMouseUp, static_cast<QMouseEvent*>(event), origen);
        return true;
    case QEvent::MouseButtonDblClick:
        LanzarDobleClic(static_cast<QMouseEvent*>(event), origen, !esAgarradera);
        return true;
    case QEvent::MouseMove:
        if (esAgarradera && OnAgarraderaMouseMove) {
            auto* e = static_cast<QMouseEvent*>(event);
            const QPoint pos = origen + e->position().toPoint();
            OnAgarraderaMouseMove(this, e->buttons(), pos.x(), pos.y());
            return true;
        }
        return false;
    default:
        return false;
    }
}
