#include "gifpalette.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

int gifSamplingStep(qint64 totalPixels)
{
    const qint64 total = std::max<qint64>(totalPixels, 1);
    return std::max(1, int(std::sqrt(double(total) / 250000.0)));
}

namespace {

using Histogram = QHash<quint32, qint64>;

void sampleRow(const QRgb *line, int width, int step, Histogram &histogram)
{
    for (int x = 0; x < width; x += step)
        ++histogram[line[x] & 0xFFFFFFu];
}

void sampleFrame(const QImage &frame, int step, Histogram &histogram)
{
    const bool isRgb32 = frame.format() == QImage::Format_RGB32;
    for (int y = 0; y < frame.height(); y += step) {
        if (isRgb32) {
            sampleRow(reinterpret_cast<const QRgb *>(frame.constScanLine(y)), frame.width(), step,
                      histogram);
        } else {
            // Converting only the sampled rows spares a full copy of every frame.
            const QImage row =
                frame.copy(0, y, frame.width(), 1).convertToFormat(QImage::Format_RGB32);
            sampleRow(reinterpret_cast<const QRgb *>(row.constScanLine(0)), row.width(), step,
                      histogram);
        }
    }
}

} // namespace

GifPalette buildGifPalette(qsizetype count, qint64 totalPixels,
                           const std::function<QImage(qsizetype)> &frameAt)
{
    const int step = gifSamplingStep(totalPixels);

    Histogram histogram;
    for (qsizetype i = 0; i < count; ++i)
        sampleFrame(frameAt(i), step, histogram);

    std::vector<std::pair<quint32, qint64>> counts;
    counts.reserve(std::size_t(histogram.size()));
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it)
        counts.emplace_back(it.key(), it.value());
    // Ties broken by colour, so that the same frames always give the same file.
    const auto byPopularity = [](const auto &a, const auto &b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    };
    const std::size_t chosen = std::min<std::size_t>(counts.size(), 256);
    std::partial_sort(counts.begin(), counts.begin() + chosen, counts.end(), byPopularity);

    GifPalette palette;
    palette.fill(gifFillerColour);
    for (std::size_t i = 0; i < chosen; ++i)
        palette[i] = counts[i].first;
    return palette;
}

GifLookupTable buildGifLookupTable(const GifPalette &palette)
{
    std::array<int, 256> red, green, blue;
    for (std::size_t i = 0; i < 256; ++i) {
        red[i] = qRed(palette[i]);
        green[i] = qGreen(palette[i]);
        blue[i] = qBlue(palette[i]);
    }

    GifLookupTable table;
    for (int r5 = 0; r5 < 32; ++r5) {
        for (int g5 = 0; g5 < 32; ++g5) {
            for (int b5 = 0; b5 < 32; ++b5) {
                const int r = r5 * 255 / 31, g = g5 * 255 / 31, b = b5 * 255 / 31;
                // Distance and index in one number: its minimum is the nearest entry, and
                // among equally near entries the lowest index. A plain minimum over all
                // entries lets the compiler vectorise the search.
                int best = 0x7FFFFFFF;
                for (int i = 0; i < 256; ++i) {
                    const int dr = red[i] - r, dg = green[i] - g, db = blue[i] - b;
                    best = std::min(best, ((dr * dr + dg * dg + db * db) << 8) | i);
                }
                table[(r5 << 10) | (g5 << 5) | b5] = quint8(best & 0xFF);
            }
        }
    }
    return table;
}
