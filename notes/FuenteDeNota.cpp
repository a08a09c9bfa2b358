#include "notes/FuenteDeNota.h"

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
