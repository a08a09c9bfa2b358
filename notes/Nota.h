#pragma once
// The sticky note: a child window of the board that shows one record of the notes model.
// Pin, grip and text are drawn by the note itself: a board may hold many thousands of notes.
#include "core/ModeloNotas.h"

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

    TNota(QWidget* owner, ModeloNotas& modelo, IdNota id);
    ~TNota() override;

    // Shares the board's pictures (cells of kAnchoCeldaChincheta and kAnchoAgarradera), which
    // outlive the note: a board of many notes keeps one copy of the lists.
    void AsignarImagenes(const QList<QPixmap>* chinchetas, const QList<QPixmap>* agarradera);

    IdNota Id() const { return FId; }
    // The record this note shows, as the model holds it.
    const DatosNota& Registro() const { return FModelo.Datos(FId); }

    // Each property is the record's: read from the model and written through it.
    TColorChincheta ColorChincheta() const { return Registro().ColorChincheta; }
    void setColorChincheta(TColorChincheta v) { Poner(&DatosNota::ColorChincheta, v); }
    QString Texto() const { return Registro().Texto; }
    void setTexto(const QString& v) { Poner(&DatosNota::Texto, v); }
    quint8 DayCreated() const { return Registro().DayCreated; }
    void setDayCreated(quint8 v) { Poner(&DatosNota::DayCreated, v); }
    quint8 DayExpires() const { return Registro().DayExpires; }
    void setDayExpires(quint8 v) { Poner(&DatosNota::DayExpires, v); }
    quint8 MonthCreated() const { return Registro().MonthCreated; }
    void setMonthCreated(quint8 v) { Poner(&DatosNota::MonthCreated, v); }
    quint8 MonthExpires() const { return Registro().MonthExpires; }
    void setMonthExpires(quint8 v) { Poner(&DatosNota::MonthExpires, v); }
    qint32 YearCreated() const { return Registro().YearCreated; }
    void setYearCreated(qint32 v) { Poner(&DatosNota::YearCreated, v); }
    qint32 YearExpires() const { return Registro().YearExpires; }
    void setYearExpires(qint32 v) { Poner(&DatosNota::YearExpires, v); }
    quint32 ColorNW() const { return Registro().ColorNW; }
    void setColorNW(quint32 v) { Poner(&DatosNota::ColorNW, v); }
    quint32 ColorSE() const { return Registro().ColorSE; }
    void setColorSE(quint32 v) { Poner(&DatosNota::ColorSE, v); }
    qint32 MinWidth() const { return Registro().MinWidth; }
    void setMinWidth(qint32 v) { Poner(&DatosNota::MinWidth, v); }
    qint32 MinHeight() const { return Registro().MinHeight; }
    void setMinHeight(qint32 v) { Poner(&DatosNota::MinHeight, v); }
    quint8 FontStyle() const { return Registro().FontStyle; }
    void setFontStyle(quint8 v) { Poner(&DatosNota::FontStyle, v); }
    QString FontName() const { return Registro().FontName; }
    void setFontName(const QString& v) { Poner(&DatosNota::FontName, v); }
    qint32 FontSize() const { return Registro().FontSize; }
    void setFontSize(qint32 v) { Poner(&DatosNota::FontSize, v); }
    quint32 FontColor() const { return Registro().FontColor; }
    void setFontColor(quint32 v) { Poner(&DatosNota::FontColor, v); }
    QString ReceivedTime() const { return Registro().ReceivedTime; }
    void setReceivedTime(const QString& v) { Poner(&DatosNota::ReceivedTime, v); }
    QString ReceivedFromIP() const { return Registro().ReceivedFromIP; }
    void setReceivedFromIP(const QString& v) { Poner(&DatosNota::ReceivedFromIP, v); }
    QString ReceivedFromUser() const { return Registro().ReceivedFromUser; }
    void setReceivedFromUser(const QString& v) { Poner(&DatosNota::ReceivedFromUser, v); }

    // The record with the place and size the note has on the screen now, which a drag
    // writes back only when it ends; and a whole record written through the model.
    DatosNota Datos() const;
    void AsignarDatos(const DatosNota& datos);
    // The record as the model holds it now: called on every change of it.
    void Mostrar();
    // A drag or a resize has ended: the place and size go into the record.
    void GuardarGeometria();
    // Its record is gone: no handler runs any more, and it is not seen until destroyed.
    void Soltar();

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
    template <typename T> void Poner(T DatosNota::*campo, const T& valor) {
        if (Registro().*campo != valor)
            FModelo.Modificar(FId, [&](DatosNota& d) { d.*campo = valor; });
    }
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
    const QList<QPixmap>* FImagenesChincheta = nullptr;
    const QList<QPixmap>* FImagenesAgarradera = nullptr;
    ModeloNotas& FModelo;
    const IdNota FId;
    int FRepintados = 0;
};
