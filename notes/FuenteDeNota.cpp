#include "notes/FuenteDeNota.h"

#include <QApplication>
#include <QFontInfo>

QFont FuenteDeNota(const DatosNota& datos) {
    QFont f(datos.FontName);
    // A size from a damaged file must not reach Qt as zero or below.
    f.setPointSize(datos.FontSize > 0 ? qMin(datos.FontSize, 500) : 8);
    f.setBold(datos.FontStyle & fsBold);
    f.setItalic(datos.FontStyle & fsItalic);
    f.setUnderline(datos.FontStyle & fsUnderline);
    f.setStrikeOut(datos.FontStyle & fsStrikeOut);
    return f;
}

void FuentePorDefecto(DatosNota& datos) {
    const QFont fuente = QApplication::font();
    // Not a generic family such as "Sans Serif": the name is stored and sent.
    datos.FontName = QFontInfo(fuente).family();
    datos.FontSize = fuente.pointSize() > 0 ? fuente.pointSize() : 8;
    datos.FontStyle = 0;
    datos.FontColor = kColorTextoVentana;
}
