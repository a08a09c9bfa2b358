#pragma once
// The about box's pictures, kept in the program's resources under ":/acerca/".
#include <QPixmap>
#include <QString>

// nombre without folder or extension, e.g. "fondo"; a null pixmap when there is none. Loaded
// for the screens' pixel ratio, as the board's pictures are.
QPixmap ImagenAcerca(const QString& nombre);
