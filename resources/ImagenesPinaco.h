#pragma once
// The board's image lists and pictures.
#include <QList>
#include <QPixmap>

namespace ImagenesPinaco {

QList<QPixmap> imglChinchetas();    // seven pushpins, 19 x 19, by pin ordinal 0..6
QList<QPixmap> imglAgarradera();    // one grip, 12 x 12
QList<QPixmap> ImageListTrayIcon(); // ordinary icon, then the received-note icon
QPixmap Corcho();                   // the background tile
QPixmap FranjaDialogo();            // the dialogs' decorative strip, 70 x 480

} // namespace ImagenesPinaco
