#pragma once
// The one text that tells the user which character a data file cannot carry.
#include <QString>

// "<quien> tiene un carácter que <donde> no puede guardar: «🙂» (U+1F642)." naming the
// character at `indice` (a whole surrogate pair when it starts one); the caller adds what to do.
QString AvisoCaracterNoGuardable(const QString& quien, const QString& donde, const QString& texto,
                                 qsizetype indice);
