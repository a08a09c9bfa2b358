#pragma once
// The board's image lists and pictures, each loaded for the screens' pixel ratio.
#include <QIcon>
#include <QList>
#include <QPixmap>

namespace ImagenesPinaco {

// The highest pixel ratio among the screens: the one the pictures are loaded for.
qreal RatioPantallas();

// A picture of the resources, e.g. ":/imagenes/corcho.png", for a screen of the given pixel
// ratio: above 1, its finer twin ("corcho@2x.png") where there is one. The picture carries its
// ratio, so it keeps its size in logical pixels wherever it is drawn. Sizes below are logical.
QPixmap Cargar(const QString& ruta, qreal ratio = RatioPantallas());

// A part of a picture given in logical pixels, in the picture's own pixels: what QPainter's
// source rectangles and QPixmap::copy take.
QRect EnPixeles(const QPixmap& imagen, const QRect& logico);

// The program's icon at every size it ships.
QIcon IconoPrograma();

QList<QPixmap> imglChinchetas();    // seven pushpins, 19 x 19, by pin ordinal 0..6
QList<QPixmap> imglAgarradera();    // one grip, 12 x 12
QList<QPixmap> ImageListTrayIcon(); // ordinary icon, then the received-note icon
QPixmap Corcho();                   // the background tile
QPixmap FranjaDialogo();            // the dialogs' decorative strip, 70 x 480

// The frame pieces. Outside the outlines the board cuts them to they are plain green.
QPixmap img11();            // top-left piece of board type 1, 215 x 65
QPixmap img12();            // top-left piece of board type 2, 215 x 65
QPixmap img21();            // top bar of type 1, 45 x 13, stretched across
QPixmap img22();            // top bar of type 2, 45 x 43, stretched across
QPixmap img31();            // top-right piece of type 1, 116 x 50, centred in its 118 x 52
QPixmap img32();            // top-right piece of type 2, 116 x 50
QPixmap BarraIzquierda();   // left bar, 13 x 40, stretched down
QPixmap BarraDerecha();     // right bar, 13 x 40, stretched down
QPixmap BarraInferior();    // bottom bar, 40 x 13, stretched across
QPixmap Esquina();          // bottom-left corner, 23 x 23
QPixmap AgarraderaPinaco(); // resize grip in the bottom-right corner, 28 x 29

// A button face: nombre is "Add", "Conf", "Org" or "Bus" (toolbar, 44 x 44) or "Min", "Max",
// "Res" or "Cerrar" (window, 30 x 30); apretado gives the pressed face. Each face is a disc
// filling its square, meant to be shown under a circular mask; a null pixmap for other names.
QPixmap Boton(const QString& nombre, bool apretado);

} // namespace ImagenesPinaco
