#pragma once
// Qt's name for a picture's twin at a finer pixel ratio: "corcho.png" at 2 is "corcho@2x.png".
#include <QString>

inline QString NombreConRatio(const QString& nombre, int ratio) {
    if (ratio == 1)
        return nombre;
    qsizetype punto = nombre.lastIndexOf(u'.');
    if (punto < 0 || nombre.indexOf(u'/', punto) >= 0)
        punto = nombre.size();
    return nombre.left(punto) + QStringLiteral("@%1x").arg(ratio) + nombre.mid(punto);
}
