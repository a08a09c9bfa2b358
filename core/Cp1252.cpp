#include "core/Cp1252.h"

#include <array>

namespace Cp1252 {
namespace {

// 0x80..0x9F; the undefined bytes keep their own code point.
constexpr std::array<char16_t, 32> kAltos = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool Guardable(QChar c, bool enLinea) {
    if (enLinea && (c == u'\r' || c == u'\n'))
        return false;
    return c != kFinDeArchivo && ByteDe(c).has_value();
}

qsizetype PrimeroNoGuardableDe(const QString& texto, bool enLinea) {
    for (qsizetype i = 0; i < texto.size(); ++i)
        if (!Guardable(texto[i], enLinea))
            return i;
    return -1;
}

} // namespace

QChar CaracterDe(uchar byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kAltos[byte - 0x80]);
    return QChar(char16_t(byte));
}

QString Decodificar(QByteArrayView bytes) {
    QString texto;
    texto.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        texto[i] = CaracterDe(uchar(bytes[i]));
    return texto;
}

std::optional<uchar> ByteDe(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return uchar(u);
    for (std::size_t i = 0; i < kAltos.size(); ++i)
        if (kAltos[i] == u)
            return uchar(0x80 + i);
    return std::nullopt;
}

std::optional<QByteArray> Codificar(const QString& texto) {
    QByteArray bytes;
    bytes.resize(texto.size());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const auto b = ByteDe(texto[i]);
        if (!b)
            return std::nullopt;
        bytes[i] = char(*b);
    }
    return bytes;
}

qsizetype PrimeroNoGuardable(const QString& texto) {
    return PrimeroNoGuardableDe(texto, false);
}

qsizetype PrimeroNoGuardableEnLinea(const QString& texto) {
    return PrimeroNoGuardableDe(texto, true);
}

QString SustituirNoGuardablesEnLinea(const QString& texto) {
    QString r;
    r.reserve(texto.size());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (Guardable(texto[i], true)) {
            r += texto[i];
            continue;
        }
        r += u'?';
        if (texto[i].isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate())
            ++i;
    }
    return r;
}

} // namespace Cp1252
