#pragma once
// Windows-1252 is the byte encoding of the notes file, the address book and the wire.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace Cp1252 {

// Every byte maps to one character; the five bytes the code page leaves undefined
// (81, 8D, 8F, 90, 9D) map to the C1 controls of the same number so they survive a
// load and save unchanged.
QChar CaracterDe(uchar byte);
QString Decodificar(QByteArrayView bytes);

// The byte of a character, or nothing when Windows-1252 cannot hold it.
std::optional<uchar> ByteDe(QChar c);

// Nothing when some character cannot be held; never a substitute byte.
std::optional<QByteArray> Codificar(const QString& texto);

// Ctrl-Z, though Windows-1252 holds it, ends the data files when they are read.
inline constexpr QChar kFinDeArchivo(26);
// Index of the first character a data file cannot carry, Ctrl-Z included, or -1.
qsizetype PrimeroNoGuardable(const QString& texto);
// The same for a one-line field: CR and LF would end the line and shift every later one.
qsizetype PrimeroNoGuardableEnLinea(const QString& texto);
// A one-line field with "?" for each character it cannot carry (a surrogate pair is one).
QString SustituirNoGuardablesEnLinea(const QString& texto);

} // namespace Cp1252
