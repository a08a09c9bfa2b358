#pragma once
// The note record: what the notes file stores, the protocol carries and the dialogs edit.
#include "core/UnitComunes.h"

#include <QString>

// Colours are 32-bit values $00BBGGRR, or system-colour references with the top bit set.
constexpr quint32 kColorTextoVentana = 0x80000008;
constexpr quint32 kColorFondoNota = 0xE3FFFF;
constexpr quint32 kColorBlanco = 0xFFFFFF;
constexpr quint32 kColorGris = 0x808080;
constexpr quint32 kColorSombra = 0xCCCCCC;

// Bits of FontStyle.
enum EstiloFuente : quint8 {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

struct DatosNota {
    TColorChincheta ColorChincheta = TColorChincheta::Rojo;
    QString Texto;
    quint8 DayCreated = 0;
    quint8 DayExpires = 0;
    quint8 MonthCreated = 0;
    quint8 MonthExpires = 0;
    qint32 YearCreated = 0;
    qint32 YearExpires = 0;
    quint32 ColorNW = kColorBlanco;
    quint32 ColorSE = kColorGris;
    qint32 MinWidth = 80;
    qint32 MinHeight = 100;
    quint8 FontStyle = 0;
    QString FontName;
    qint32 FontSize = 8;
    quint32 FontColor = kColorTextoVentana;
    QString ReceivedTime;
    QString ReceivedFromIP;
    QString ReceivedFromUser;
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Width = 120;
    qint32 Height = 160;

    bool operator==(const DatosNota&) const = default;
};
