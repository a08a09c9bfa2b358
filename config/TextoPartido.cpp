#include "config/TextoPartido.h"

#include <QStylePainter>

namespace TextoPartidoDetalle {

namespace {

constexpr int kBanderasTexto =
    Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;

QRect RectContenido(const QWidget* boton, QStyleOptionButton opcion, const Elementos& elementos,
                    int ancho, int altoUnaLinea) {
    opcion.rect = QRect(0, 0, ancho, altoUnaLinea);
    return boton->style()->subElementRect(elementos.Contenido, &opcion, boton);
}

// The caption's first line sits where a one-line caption would.
int MargenSuperior(const QWidget* boton, int altoUnaLinea) {
    return qMax(0, (altoUnaLinea - boton->fontMetrics().height()) / 2);
}

} // namespace

int AltoParaAncho(const QWidget* boton, QStyleOptionButton opcion, const Elementos& elementos,
                  int ancho, int altoUnaLinea) {
    const QRect contenido = RectContenido(boton, opcion, elementos, ancho, altoUnaLinea);
    const QRect texto = boton->fontMetrics().boundingRect(
        QRect(0, 0, qMax(1, contenido.width()), 1 << 20), kBanderasTexto, opcion.text);
    return qMax(altoUnaLinea, texto.height() + 2 * MargenSuperior(boton, altoUnaLinea));
}

QSize TamanoMinimo(const QWidget* boton, QStyleOptionButton opcion, const Elementos& elementos,
                   int altoUnaLinea) {
    int palabraMasLarga = 0;
    for (const QString& palabra : opcion.text.split(u' ', Qt::SkipEmptyParts))
        palabraMasLarga = qMax(palabraMasLarga, boton->fontMetrics().horizontalAdvance(palabra));
    constexpr int kAnchoMuestra = 1000;
    const QRect contenido = RectContenido(boton, opcion, elementos, kAnchoMuestra, altoUnaLinea);
    const int margenes = kAnchoMuestra - contenido.width();
    return {margenes + palabraMasLarga, altoUnaLinea};
}

void Pintar(QWidget* boton, QStyleOptionButton opcion, const Elementos& elementos,
            int altoUnaLinea) {
    QStylePainter pintor(boton);
    const QString texto = opcion.text;
    const QRect todo = opcion.rect;
    const QRect contenido = RectContenido(boton, opcion, elementos, todo.width(), altoUnaLinea);
    // The style draws the indicator, on the first line; the caption is drawn here, broken.
    opcion.text.clear();
    opcion.rect.setHeight(altoUnaLinea);
    pintor.drawControl(elementos.Control, opcion);
    const int arriba = MargenSuperior(boton, altoUnaLinea);
    const QRect rectTexto(contenido.left(), arriba, contenido.width(), todo.height() - arriba);
    boton->style()->drawItemText(&pintor, rectTexto, kBanderasTexto, opcion.palette,
                                 boton->isEnabled(), texto, QPalette::WindowText);
}

} // namespace TextoPartidoDetalle
