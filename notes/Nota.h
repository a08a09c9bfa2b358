#pragma once
// The sticky note: a child window of the board that is also the note record. Pin, grip and
// text are drawn by the note itself: a board may hold many thousands of notes.
#include "core/DatosNota.h"

#include <QPixmap>
#include <QWidget>
#include <functional>

class TNota;

using TMouseEvent = std::function<void(TNota* Sender, Qt::MouseButton Button,
                                       Qt::MouseButtons Shift, int X, int Y)>;
using TOnAgarraderaMouseMove =
    std::function<void(TNota* Sender, Qt::MouseButtons Shift, int X, int Y)>;
using TNotifyEvent = std::function<void(TNota* Sender)>;

class TNota : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAnchoAgarradera = 12;
    static constexpr int kLadoChincheta = 19;
    static constexpr int kAnchoCeldaChincheta = 18;

    explicit TNota(QWidget* owner);
    ~TNota() override;

    // Shares the board's pictures (cells of kAnchoCeldaChincheta and kAnchoAgarradera).
    void AsignarImagenes(const QList<QPixmap>& chinchetas, const QList<QPixmap>& agarradera);

    TColorChincheta ColorChincheta() const { return FDatos.ColorChincheta; }
    void setColorChincheta(TColorChincheta valor);
    QString Texto() const { return FDatos.Texto; }
    void setTexto(const QString& valor);
    quint8 DayCreated() const { return FDatos.DayCreated; }
    void setDayCreated(quint8 v) { FDatos.DayCreated = v; }
    quint8 DayExpires() const { return FDatos.DayExpires; }
    void setDayExpires(quint8 v) { FDatos.DayExpires = v; }
    quint8 MonthCreated() const { return FDatos.MonthCreated; }
    void setMonthCreated(quint8 v) { FDatos.MonthCreated = v; }
    quint8 MonthExpires() const { return FDatos.MonthExpires; }
    void setMonthExpires(quint8 v) { FDatos.MonthExpires = v; }
    qint32 YearCreated() const { return FDatos.YearCreated; }
    void setYearCreated(qint32 v) { FDatos.YearCreated = v; }
    qint32 YearExpires() const { return FDatos.YearExpires; }
    void setYearExpires(qint32 v) { FDatos.YearExpires = v; }
    quint32 ColorNW() const { return FDatos.ColorNW; }
    void setColorNW(quint32 valor);
    quint32 ColorSE() const { return FDatos.ColorSE; }
    void setColorSE(quint32 valor);
    qint32 MinWidth() const { return FDatos.MinWidth; }
    void setMinWidth(qint32 v) { FDatos.MinWidth = v; }
    qint32 MinHeight() const { return FDatos.MinHeight; }
    void setMinHeight(qint32 v) { FDatos.MinHeight = v; }
    quint8 FontStyle() const { return FDatos.FontStyle; }
    void setFontStyle(quint8 valor);
    QString FontName() const { return FDatos.FontName; }
    void setFontName(const QString& valor);
    qint32 FontSize() const { return FDatos.FontSize; }
    void setFontSize(qint32 valor);
    quint32 FontColor() const { return FDatos.FontColor; }
    void setFontColor(quint32 valor);
    QString ReceivedTime() const { return FDatos.ReceivedTime; }
    void setReceivedTime(const QString& v) { FDatos.ReceivedTime = v; }
    QString ReceivedFromIP() const { return FDatos.ReceivedFromIP; }
    void setReceivedFromIP(const QString& v) { FDatos.ReceivedFromIP = v; }
    QString ReceivedFromUser() const { return FDatos.ReceivedFromUser; }
    void setReceivedFromUser(const QString& v) { FDatos.ReceivedFromUser = v; }

    // The record with position and size, and the way back.
    DatosNota Datos() const;
    void AsignarDatos(const DatosNota& datos);

    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TOnAgarraderaMouseMove OnAgarraderaMouseMove;
    TNotifyEvent OnDblClick;

    // Read-only access for tests and the board's layout checks.
    QRect AreaTexto() const;
    QRect AreaAgarradera() const;
    bool ChinchetaVisible() const;
    int Repintados() const { return FRepintados; }
    QFont FuenteTexto() const;

protected:
    void Resize();
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // The focused note is framed, so the keyboard user sees which one the keys act on.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void AvisarTextoCambiado();
    bool FMarcaFoco = false;
    void Repintar();
    bool EnAgarradera(QPoint pos) const;
    void LanzarPulsacion(const TMouseEvent& handler, QMouseEvent* event);

    // The start of the text that can show in an area, lines joined with line feeds.
    QString TextoPintado(const QFont& fuente, QSize area) const;
    // The press that is going on began on the grip: moves resize.
    bool FPulsadaAgarradera = false;
    bool FCursorAgarradera = false;
    QList<QPixmap> FImagenesChincheta;
    QList<QPixmap> FImagenesAgarradera;
    // The record itself; its Left, Top, Width and Height are the widget's geometry instead.
    DatosNota FDatos;
    int FRepintados = 0;
};
