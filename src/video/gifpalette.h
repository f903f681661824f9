#pragma once

#include <QImage>

#include <array>
#include <cstdint>
#include <functional>

// One palette for the whole animation: the most frequent sampled colours, black after them.
using GifPalette = std::array<quint32, 256>;
// Palette index per 15-bit colour, indexed by (r5 << 10) | (g5 << 5) | b5.
using GifLookupTable = std::array<quint8, 32768>;

inline constexpr quint32 gifFillerColour = 0xFF000000u;

// Distance between sampled pixels in both directions, so that about 250 000 pixels are sampled.
int gifSamplingStep(qint64 totalPixels);

// Frames are read one by one in order, so that they need not all be decoded at once.
GifPalette buildGifPalette(qsizetype count, qint64 totalPixels,
                           const std::function<QImage(qsizetype)> &frameAt);

GifLookupTable buildGifLookupTable(const GifPalette &palette);

inline int gifColourKey15(quint32 pixel)
{
    return int(((pixel >> 9) & 0x7C00u) | ((pixel >> 6) & 0x3E0u) | ((pixel >> 3) & 0x1Fu));
}
