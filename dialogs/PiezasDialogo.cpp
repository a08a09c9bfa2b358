#include "dialogs/PiezasDialogo.h"

#include "dialogs/Colores.h"
#include "dialogs/FranjaDialogo.h"
#include "dialogs/VentanaDialogo.h"
#include "resources/ImagenesPinaco.h"

#include <QDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

// A letter in the note colours, as the font button's picture.
QIcon IconoFuente() {
    const qreal ratio = ImagenesPinaco::RatioPantallas();
    QPixmap p(QSize(20, 20) * ratio);
    p.setDevicePixelRatio(ratio);
    p.fill(Qt::transparent);
    QPainter pintor(&p);
    QFont f(QStringLiteral("Serif"));
    f.setPixelSize(16);
    f.setBold(true);
    pintor.setFont(f);
    pintor.setPen(QColor(0x20, 0x20, 0x80));
    pintor.drawText(QRect(0, 0, 20, 17), Qt::AlignCenter, QStringLiteral("A"));
    pintor.fillRect(QRect(3, 17, 14, 3), QColor(0xC0, 0x20, 0x20));
    return QIcon(p);
}

quint8 EstiloDeFuente(const QFont& f) {
    return quint8((f.bold() ? fsBold : 0) | (f.italic() ? fsItalic : 0) |
                  (f.underline() ? fsUnderline : 0) | (f.strikeOut() ? fsStrikeOut : 0));
}

int PuntosDeFuente(const QFont& f) {
    const int puntos = qRound(f.pointSizeF());
    return puntos > 0 ? puntos : QFontInfo(f).pointSize();
}

void PonerFuenteEnMemo(QPlainTextEdit* memo, const FuenteNota& fuente) {
    memo->setFont(fuente.Fuente);
    QPalette paleta = memo->palette();
    paleta.setColor(QPalette::Text, ColorDesdeValor(fuente.Color));
    memo->setPalette(paleta);
}

void EscribirFuenteEnNota(DatosNota& nota, const FuenteNota& fuente) {
    nota.FontSize = PuntosDeFuente(fuente.Fuente);
    nota.FontName = fuente.Fuente.family();
    nota.FontStyle = EstiloDeFuente(fuente.Fuente);
    nota.FontColor = fuente.Color;
}

MemoNota* CrearMemoNota(QGroupBox* caja, int altoMinimo) {
    auto* memo = new MemoNota(caja);
    memo->setMinimumSize(297, altoMinimo);
    (new QVBoxLayout(caja))->addWidget(memo);
    return memo;
}

QHBoxLayout* FilaAceptarCancelar(QDialog* dialogo, QPushButton*& ok, QPushButton*& cancelar) {
    ok = new QPushButton(dialogo->style()->standardIcon(QStyle::SP_DialogOkButton),
                         QStringLiteral("&Aceptar"), dialogo);
    ok->setDefault(true);
    cancelar = new QPushButton(dialogo->style()->standardIcon(QStyle::SP_DialogCancelButton),
                               QStringLiteral("&Cancelar"), dialogo);
    return FilaBotones({ok, cancelar});
}

QHBoxLayout* FilaBotones(std::initializer_list<QWidget*> botones) {
    auto* fila = new QHBoxLayout;
    fila->addStretch();
    for (QWidget* boton : botones)
        fila->addWidget(boton);
    return fila;
}

void PrepararDialogoNota(QDialog* dialogo, const QString& titulo, QSize cliente) {
    dialogo->setWindowTitle(titulo);
    PedirVentanaDialogo(dialogo);
    dialogo->setFixedSize(cliente);

    CrearFranjaDialogo(dialogo, cliente.height());
    // The layout keeps clear of the strip.
    dialogo->setContentsMargins(kAnchoFranja, 0, 0, 0);

    const QWidget* owner = dialogo->parentWidget();
    QScreen* pantalla = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (pantalla)
        dialogo->move(pantalla->availableGeometry().center() - dialogo->rect().center());
}
