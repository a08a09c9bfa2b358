#pragma once
// The frame's layout and outlines as plain numbers, for both board types.
#include <QRect>
#include <QRegion>

constexpr QSize kTamPanel1(215, 65);
constexpr QSize kTamChart3(118, 52);
constexpr QSize kTamChart6(23, 23);
constexpr QSize kTamChart8(28, 29);
constexpr int kGrosorBarra = 13;
constexpr int kAnchoMinimoPinaco = 400;
constexpr int kAltoMinimoPinaco = 300;

// Height of the top bar: 13 for "Original", 43 for "Extendido".
int AltoBarraSuperior(int tipoPinaco);

struct DisposicionMarco {
    QRect Image2, Chart3, Image4, Image5, Chart6, Image7, Chart8;
};

DisposicionMarco CalcularMarco(int W, int H, int tipoPinaco);

QRegion RegionPanel1(int tipoPinaco);
QRegion RegionChart3(int tipoPinaco);
QRegion RegionChart6();
QRegion RegionChart8();
