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

    TColorChincheta ColorChincheta() const { return FColorChincheta; }
    void setColorChincheta(TColorChincheta valor);
    QString Texto() const { return FTexto; }
    void setTexto(const QString& valor);
    quint8 DayCreated() const { return FDayCreated; }
    void setDayCreated(quint8 v) { FDayCreated = v; }
    quint8 DayExpires() const { return FDayExpires; }
    void setDayExpires(quint8 v) { FDayExpires = v; }
    quint8 MonthCreated() const { return FMonthCreated; }
    void setMonthCreated(quint8 v) { FMonthCreated = v; }
    quint8 MonthExpires() const { return FMonthExpires; }
    void setMonthExpires(quint8 v) { FMonthExpires = v; }
    qint32 YearCreated() const { return FYearCreated; }
    void setYearCreated(qint32 v) { FYearCreated = v; }
    qint32 YearExpires() const { return FYearExpires; }
    void setYearExpires(qint32 v) { FYearExpires = v; }
    quint32 ColorNW() const { return FColorNW; }
    void setColorNW(quint32 valor);
    quint32 ColorSE() const { return FColorSE; }
    void setColorSE(quint32 valor);
    qint32 MinWidth() const { return FMinWidth; }
    void setMinWidth(qint32 v) { FMinWidth = v; }
    qint32 MinHeight() const { return FMinHeight; }
    void setMinHeight(qint32 v) { FMinHeight = v; }
    quint8 FontStyle() const { return FFontStyle; }
    void setFontStyle(quint8 valor);
    QString FontName() const { return FFontName; }
    void setFontName(const QString& valor);
    qint32 FontSize() const { return FFontSize; }
    void setFontSize(qint32 valor);
    quint32 FontColor() const { return FFontColor; }
    void setFontColor(quint32 valor);
    QString ReceivedTime() const { return FReceivedTime; }
    void setReceivedTime(const QString& v) { FReceivedTime = v; }
    QString ReceivedFromIP() const { return FReceivedFromIP; }
    void setReceivedFromIP(const QString& v) { FReceivedFromIP = v; }
    QString ReceivedFromUser() const { return FReceivedFromUser; }
    void setReceivedFromUser(const QString& v) { FReceivedFromUser = v; }

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

private:
    void Repintar();
    bool EnAgarradera(QPoint pos) const;
    void LanzarPulsacion(const TMouseEvent& handler, QMouseEvent* event);

    TColorChincheta FColorChincheta = TColorChincheta::Rojo;
    QString FTexto;
    // The text as drawn: lines joined with line feeds.
    QString FTextoPintado;
    // The press that is going on began on the grip: moves resize.
    bool FPulsadaAgarradera = false;
    bool FCursorAgarradera = false;
    QList<QPixmap> FImagenesChincheta;
    QList<QPixmap> FImagenesAgarradera;
    quint32 FColorNW = kColorBlanco;
    quint32 FColorSE = kColorGris;
    qint32 FMinWidth = 80;
    qint32 FMinHeight = 100;
    quint8 FFontStyle = 0;
    QString FFontName;
    qint32 FFontSize = 8;
    quint32 FFontColor = kColorTextoVentana;
    QString FReceivedTime;
    QString FReceivedFromIP;
    QString FReceivedFromUser;
    quint8 FDayCreated = 0;
    quint8 FDayExpires = 0;
    quint8 FMonthCreated = 0;
    quint8 FMonthExpires = 0;
    qint32 FYearCreated = 0;
    qint32 FYearExpires = 0;
    int FRepintados = 0;
};
