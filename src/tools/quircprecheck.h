#pragma once

#include <QImage>

#include <array>
#include <climits>
#include <memory>
#include <vector>

// Tells from a grey picture alone when quirc cannot find a code in it, so that a scan may skip
// decoding it without changing any result. quirc builds a code from three finder patterns (a dark
// ring around a dark stone) and finds them in a fixed way: one global Otsu threshold, the
// 1:1:3:1:1 run test along every row, and ring and stone as different labelled regions with a
// stone of 10 to 70 % of the ring. This follows those steps on runs instead of pixels, labels
// regions the way quirc's flood fill does (including where it gives up, 4096 spans deep), and
// counts the rings that could pass. It holds only for the quirc sources it was written against,
// which is why the build uses it only with those (src/tools/CMakeLists.txt).
class QuircPrecheck
{
public:
    // The pictures a scan hands to quirc: the grey one, the same enlarged twice by nearest
    // neighbour, and its inverse (every byte v replaced by 255 - v).
    enum class Candidate
    {
        AsItIs,
        Doubled,
        Inverted
    };

    static constexpr int Unbounded = INT_MAX;

    // `grey` must be Format_Grayscale8; it is read, not copied, so it must outlive this object.
    // `regionLimit` is the QUIRC_MAX_REGIONS quirc was built with.
    QuircPrecheck(const QImage &grey, int regionLimit);
    ~QuircPrecheck();

    // At least as many finder patterns as quirc records in the candidate. Unbounded when the
    // picture is too busy to be worth working through, or when quirc would take a ring whose
    // label its flood fill cut short, which this does not follow further.
    int finderPatternBound(Candidate candidate);
    bool mayHoldCode(Candidate candidate) { return finderPatternBound(candidate) >= 3; }

    // The picture split at a threshold; named here only for the helpers that read it.
    class DarkRuns;

private:
    const DarkRuns &runsDarkerThan(int threshold, bool inverted);

    const QImage &grey;
    const int regionLimit;
    std::array<unsigned, 256> histogram{};
    std::vector<std::unique_ptr<DarkRuns>> split;
};
