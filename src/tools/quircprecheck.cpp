#include "quircprecheck.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

// The picture split in dark and light pixels at one threshold, as the runs along its rows, each
// knowing where the runs of the rows above and below that share a column with it begin.
class QuircPrecheck::DarkRuns
{
public:
    struct Run
    {
        int start;
        int length;
        int aboveFirst;
        int belowFirst;
        bool dark;
    };

    // Gives up, leaving tooBusy(), once there are more than `runLimit` runs.
    DarkRuns(const QImage &grey, int threshold, bool inverted, size_t runLimit);

    bool matches(int otherThreshold, bool otherInverted) const
    {
        return threshold == otherThreshold && inverted == otherInverted;
    }
    bool tooBusy() const { return busy; }
    int height() const { return int(rowBegin.size()) - 1; }
    // Runs [rowStart(y), rowEnd(y)) make up row y from left to right.
    int rowStart(int y) const { return rowBegin[size_t(y)]; }
    int rowEnd(int y) const { return rowBegin[size_t(y) + 1]; }
    const Run &operator[](int index) const { return runs[size_t(index)]; }
    int count() const { return int(runs.size()); }

private:
    void meetRows(int above, int below, int end);

    const int threshold;
    const bool inverted;
    bool busy = false;
    std::vector<Run> runs;
    std::vector<int> rowBegin;
};

namespace {

using Run = QuircPrecheck::DarkRuns::Run;

// quirc stops a flood fill this many spans deep, leaving the rest of a region to later labels.
constexpr int FloodFillDepth = 4096;
// quirc's first region label; 0 and 1 mark light and dark pixels.
constexpr int FirstLabel = 2;

// quirc's global threshold: Otsu's split of the histogram of the picture it is given, computed in
// the same types and order so that wrap-arounds on huge pictures and ties come out the same.
int quircThreshold(const std::array<unsigned, 256> &histogram, int pixelCount)
{
    unsigned sum = 0;
    for (unsigned value = 0; value < 256; ++value)
        sum += value * histogram[value];

    int sumBelow = 0;
    int countBelow = 0;
    double best = 0;
    int threshold = 0;
    for (unsigned value = 0; value < 256; ++value) {
        countBelow = int(unsigned(countBelow) + histogram[value]);
        if (countBelow == 0)
            continue;
        const int countAbove = pixelCount - countBelow;
        if (countAbove == 0)
            break;
        sumBelow = int(unsigned(sumBelow) + value * histogram[value]);
        const double meanBelow = double(sumBelow) / countBelow;
        const double meanAbove = (double(sum) - sumBelow) / countAbove;
        const double difference = meanBelow - meanAbove;
        const double variance = difference * difference * countBelow * countAbove;
        if (variance >= best) {
            threshold = int(value);
            best = variance;
        }
    }
    return threshold;
}

// The five runs before a light run as quirc's finder scan tests them: dark, light, dark, light,
// dark in the proportions 1:1:3:1:1, each within three quarters of the mean of the outer four.
bool looksLikeFinderRow(const int lengths[5])
{
    static constexpr int Proportions[5] = {1, 1, 3, 1, 1};
    const int mean = (lengths[0] + lengths[1] + lengths[3] + lengths[4]) / 4;
    const int slack = mean * 3 / 4;
    for (int index = 0; index < 5; ++index)
        if (lengths[index] < Proportions[index] * mean - slack ||
            lengths[index] > Proportions[index] * mean + slack)
            return false;
    return true;
}

// quirc's size test of a stone against its ring, in its int arithmetic; a product that int cannot
// hold there is taken as passing, since its outcome is not known.
bool stoneFitsRing(int64_t stonePixels, int64_t ringPixels)
{
    if (stonePixels * 100 > INT_MAX || ringPixels > INT_MAX)
        return true;
    const int64_t percent = stonePixels * 100 / ringPixels;
    return percent >= 10 && percent <= 70;
}

// Where the run starting at `from` ends: the first pixel of the other kind, or `width`.
int runEnd(const uint8_t *dark, int from, int width)
{
    const uint8_t kind = dark[from];
    const uint64_t same = kind ? 0x0101010101010101u : 0u;
    int x = from + 1;
    for (uint64_t word; x + 8 <= width; x += 8) {
        std::memcpy(&word, dark + x, sizeof word);
        if (word != same)
            break;
    }
    while (x < width && dark[x] == kind)
        ++x;
    return x;
}

// quirc's region labels on one candidate picture, made as its finder scan asks for them and spread
// as its flood fill spreads them. The candidate is the split picture with every pixel repeated
// `scale` times across and down; a span is one run in one of the repeats of its row.
class RegionLabels
{
public:
    RegionLabels(const QuircPrecheck::DarkRuns &split, int scale, int regionLimit)
        : split(split), scale(scale), regionLimit(regionLimit),
          spanLabel(size_t(split.count()) * size_t(scale), 0), labels(FirstLabel)
    {
    }

    // quirc's label for the dark span of `run` (in row `row`, repeat `copy`), made on first use;
    // -1 once quirc would have no labels left.
    int labelOf(int run, int row, int copy)
    {
        int &label = spanLabel[span(run, copy)];
        if (label == 0) {
            if (int(labels.size()) >= regionLimit)
                return -1;
            labels.push_back({0, false});
            fill(run, row, copy, int(labels.size()) - 1);
        }
        return label;
    }

    int64_t pixels(int label) const { return labels[size_t(label)].pixels; }

    // Whether the label's fill stopped short somewhere for being too deep. Only then can quirc's
    // refill of a ring it takes reach further than the label, since every dark span next to one
    // that the fill reached was reached too.
    bool cutShort(int label) const { return labels[size_t(label)].cutShort; }

private:
    struct Label
    {
        int64_t pixels;
        bool cutShort;
    };

    struct Frame
    {
        int run;
        int row;
        int copy;
        bool below; // done with the row above, now at the row below
        int next;   // the neighbouring row's runs still to look at
        int end;
        int neighbourRow;
        int neighbourCopy;
    };

    size_t span(int run, int copy) const { return size_t(run) * size_t(scale) + size_t(copy); }

    void paint(int run, int copy, int label)
    {
        spanLabel[span(run, copy)] = label;
        labels[size_t(label)].pixels += int64_t(split[run].length) * scale;
    }

    // Points the frame at the runs of the row above (or below) that share a column with its run.
    void aim(Frame &frame) const
    {
        const int row = frame.row * scale + frame.copy + (frame.below ? 1 : -1);
        frame.next = frame.end = 0;
        if (row < 0 || row >= split.height() * scale)
            return;
        frame.neighbourRow = row / scale;
        frame.neighbourCopy = row % scale;
        const Run &run = split[frame.run];
        if (frame.neighbourRow == frame.row) {
            // The other repeat of the same row.
            frame.next = frame.run;
            frame.end = frame.run + 1;
            return;
        }
        frame.next = frame.below ? run.belowFirst : run.aboveFirst;
        frame.end = frame.next;
        const int rowEnd = split.rowEnd(frame.neighbourRow);
        while (frame.end < rowEnd && split[frame.end].start < run.start + run.length)
            ++frame.end;
    }

    Frame frameAt(int run, int row, int copy) const
    {
        Frame frame{run, row, copy, false, 0, 0, 0, 0};
        aim(frame);
        return frame;
    }

    // quirc's span fill: the seed's span, then, depth first, every unlabelled dark span sharing a
    // column with it in the row above, after that in the row below; one as deep as the limit is
    // left alone.
    void fill(int run, int row, int copy, int label)
    {
        paint(run, copy, label);
        stack.clear();
        stack.push_back(frameAt(run, row, copy));
        while (!stack.empty()) {
            Frame &top = stack.back();
            if (top.next == top.end) {
                if (top.below) {
                    stack.pop_back();
                } else {
                    top.below = true;
                    aim(top);
                }
                continue;
            }
            const int neighbour = top.next++;
            const int neighbourRow = top.neighbourRow;
            const int neighbourCopy = top.neighbourCopy;
            if (!split[neighbour].dark || spanLabel[span(neighbour, neighbourCopy)] != 0)
                continue;
            if (int(stack.size()) >= FloodFillDepth) {
                labels[size_t(label)].cutShort = true;
                continue;
            }
            paint(neighbour, neighbourCopy, label);
            stack.push_back(frameAt(neighbour, neighbourRow, neighbourCopy));
        }
    }

    const QuircPrecheck::DarkRuns &split;
    const int scale;
    const int regionLimit;
    std::vector<int> spanLabel;
    std::vector<Label> labels;
    std::vector<Frame> stack;
};

// quirc's finder scan over the candidate: at every light run after five runs shaped like a finder
// row it asks for the labels of the ring's right side, the stone and the ring's left side, and
// takes them for a finder pattern when both sides share a label, the stone has another one and
// the sizes fit, at most once per ring label.
int countFinderPatterns(const QuircPrecheck::DarkRuns &split, int scale, int regionLimit)
{
    if (split.tooBusy())
        return QuircPrecheck::Unbounded;
    RegionLabels labels(split, scale, regionLimit);
    std::vector<int> rings;
    std::vector<int> tested;
    for (int y = 0; y < split.height(); ++y) {
        tested.clear();
        for (int index = split.rowStart(y) + 5; index < split.rowEnd(y); ++index) {
            if (split[index].dark)
                continue;
            int lengths[5];
            for (int back = 0; back < 5; ++back)
                lengths[back] = split[index - 5 + back].length * scale;
            if (looksLikeFinderRow(lengths))
                tested.push_back(index);
        }
        for (int copy = 0; copy < scale; ++copy) {
            for (const int index : tested) {
                const int ringRight = labels.labelOf(index - 1, y, copy);
                const int stone = labels.labelOf(index - 3, y, copy);
                const int ringLeft = labels.labelOf(index - 5, y, copy);
                if (ringRight < 0 || stone < 0 || ringLeft != ringRight || stone == ringLeft ||
                    !stoneFitsRing(labels.pixels(stone), labels.pixels(ringLeft)))
                    continue;
                // Taking the pattern, quirc refills its ring; what that does to a label cut short
                // is not followed.
                if (labels.cutShort(ringLeft))
                    return QuircPrecheck::Unbounded;
                rings.push_back(ringLeft);
            }
        }
    }
    std::sort(rings.begin(), rings.end());
    return int(std::unique(rings.begin(), rings.end()) - rings.begin());
}

} // namespace

QuircPrecheck::DarkRuns::DarkRuns(const QImage &grey, int threshold, bool inverted, size_t runLimit)
    : threshold(threshold), inverted(inverted)
{
    const int width = grey.width();
    std::vector<uint8_t> dark(size_t(width), 0);
    // A row adds at most `width` runs past the limit; reserved pages are only paid for when used.
    runs.reserve(runLimit + size_t(width));
    rowBegin.reserve(size_t(grey.height()) + 1);
    rowBegin.push_back(0);
    // Inverted, a pixel v is dark to quirc when 255 - v < threshold.
    const int lightestDark = 255 - threshold;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *row = grey.constScanLine(y);
        if (inverted) {
            for (int x = 0; x < width; ++x)
                dark[size_t(x)] = row[x] > lightestDark;
        } else {
            for (int x = 0; x < width; ++x)
                dark[size_t(x)] = row[x] < threshold;
        }
        for (int x = 0; x < width;) {
            const int end = runEnd(dark.data(), x, width);
            runs.push_back({x, end - x, 0, 0, dark[size_t(x)] != 0});
            x = end;
        }
        if (runs.size() > runLimit) {
            busy = true;
            runs = {};
            return;
        }
        rowBegin.push_back(int(runs.size()));
        if (y > 0)
            meetRows(rowStart(y - 1), rowStart(y), rowEnd(y));
    }
}

// Notes for the runs of two neighbouring rows where the ones sharing a column with them begin.
// Both rows are covered by their runs, so walking them side by side meets every such pair.
void QuircPrecheck::DarkRuns::meetRows(int above, int below, int end)
{
    for (int upper = above, lower = below; upper < below && lower < end;) {
        Run &a = runs[size_t(upper)];
        Run &b = runs[size_t(lower)];
        if (a.start <= b.start)
            b.aboveFirst = upper;
        if (b.start <= a.start)
            a.belowFirst = lower;
        const int upperEnd = a.start + a.length;
        const int lowerEnd = b.start + b.length;
        if (upperEnd <= lowerEnd)
            ++upper;
        if (lowerEnd <= upperEnd)
            ++lower;
    }
}

QuircPrecheck::QuircPrecheck(const QImage &grey, int regionLimit)
    : grey(grey), regionLimit(regionLimit)
{
    // Four partial counts, so that runs of one grey value do not wait on each other.
    std::array<std::array<unsigned, 256>, 4> partial{};
    const int width = grey.width();
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *row = grey.constScanLine(y);
        int x = 0;
        for (; x + 4 <= width; x += 4) {
            ++partial[0][row[x]];
            ++partial[1][row[x + 1]];
            ++partial[2][row[x + 2]];
            ++partial[3][row[x + 3]];
        }
        for (; x < width; ++x)
            ++partial[0][row[x]];
    }
    for (size_t value = 0; value < 256; ++value)
        histogram[value] =
            partial[0][value] + partial[1][value] + partial[2][value] + partial[3][value];
}

QuircPrecheck::~QuircPrecheck() = default;

int QuircPrecheck::finderPatternBound(Candidate candidate)
{
    const int pixelCount = grey.width() * grey.height();
    switch (candidate) {
    case Candidate::AsItIs: {
        const int threshold = quircThreshold(histogram, pixelCount);
        return countFinderPatterns(runsDarkerThan(threshold, false), 1, regionLimit);
    }
    case Candidate::Doubled: {
        // Every pixel four times over.
        std::array<unsigned, 256> doubled;
        std::transform(histogram.begin(), histogram.end(), doubled.begin(),
                       [](unsigned count) { return count * 4; });
        const int threshold = quircThreshold(doubled, pixelCount * 4);
        return countFinderPatterns(runsDarkerThan(threshold, false), 2, regionLimit);
    }
    case Candidate::Inverted: {
        std::array<unsigned, 256> inverted;
        std::reverse_copy(histogram.begin(), histogram.end(), inverted.begin());
        const int threshold = quircThreshold(inverted, pixelCount);
        return countFinderPatterns(runsDarkerThan(threshold, true), 1, regionLimit);
    }
    }
    return Unbounded;
}

const QuircPrecheck::DarkRuns &QuircPrecheck::runsDarkerThan(int threshold, bool inverted)
{
    for (const auto &runs : split)
        if (runs->matches(threshold, inverted))
            return *runs;
    // Beyond one run in 16 pixels on average (text set close, photographs, noise) working the
    // labels out would cost about what decoding does, and such pictures rarely lack rows that
    // look like finder patterns anyway: they are left to quirc.
    const size_t runLimit = size_t(grey.width()) * size_t(grey.height()) / 16;
    split.push_back(std::make_unique<DarkRuns>(grey, threshold, inverted, runLimit));
    return *split.back();
}
