#include "giflzw.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr quint32 clearCode = 256;
constexpr quint32 endCode = 257;
constexpr int codeBits = 9;
constexpr int literalsPerClear = 250;
constexpr int subBlockSize = 255;

qint64 codeCount(qint64 pixelCount)
{
    const qint64 extraClears = pixelCount > 0 ? (pixelCount - 1) / literalsPerClear : 0;
    return 1 + pixelCount + extraClears + 1;
}

// Packs codes least significant bit first and cuts the bytes into sub-blocks on the fly. The
// accumulator is emptied seven bytes at a time with one unaligned store into a small staging
// buffer, which keeps the per-code work to a shift, an or and a rarely taken branch.
class LiteralCodeWriter
{
public:
    explicit LiteralCodeWriter(uchar *out) : m_out(out) {}

    void put(quint32 code)
    {
        m_bits |= quint64(code) << m_bitCount;
        m_bitCount += codeBits;
        if (m_bitCount >= 56)
            spillSevenBytes();
    }

    void finish()
    {
        put(endCode);
        while (m_bitCount > 0) {
            appendByte(uchar(m_bits));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
        if (m_staged > 0) {
            *m_out++ = uchar(m_staged);
            std::memcpy(m_out, m_staging, std::size_t(m_staged));
            m_out += m_staged;
        }
        *m_out = 0x00;
    }

private:
    void spillSevenBytes()
    {
        const quint64 littleEndian = qToLittleEndian(m_bits);
        std::memcpy(m_staging + m_staged, &littleEndian, sizeof littleEndian);
        m_staged += 7;
        m_bits >>= 56;
        m_bitCount -= 56;
        if (m_staged >= subBlockSize)
            emitSubBlock();
    }

    void appendByte(uchar byte)
    {
        m_staging[m_staged++] = byte;
        if (m_staged >= subBlockSize)
            emitSubBlock();
    }

    void emitSubBlock()
    {
        *m_out++ = uchar(subBlockSize);
        std::memcpy(m_out, m_staging, subBlockSize);
        m_out += subBlockSize;
        m_staged -= subBlockSize;
        std::memmove(m_staging, m_staging + subBlockSize, std::size_t(m_staged));
    }

    uchar *m_out;
    quint64 m_bits = 0;
    int m_bitCount = 0;
    int m_staged = 0;
    // A spill starts below subBlockSize and stores eight bytes.
    uchar m_staging[subBlockSize + 8];
};

} // namespace

qint64 literalLzwSize(qint64 pixelCount)
{
    const qint64 dataBytes = (codeCount(pixelCount) * codeBits + 7) / 8;
    const qint64 lengthBytes = (dataBytes + subBlockSize - 1) / subBlockSize;
    return 1 + dataBytes + lengthBytes + 1;
}

void writeLiteralLzw(const QImage &rgb32Frame, int width, int height, const GifLookupTable &table,
                     uchar *out)
{
    *out++ = 0x08;
    LiteralCodeWriter writer(out);
    writer.put(clearCode);
    int literals = 0;
    for (int y = 0; y < height; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb32Frame.constScanLine(y));
        int x = 0;
        while (x < width) {
            if (literals == literalsPerClear) {
                writer.put(clearCode);
                literals = 0;
            }
            const int run = std::min(width - x, literalsPerClear - literals);
            for (const QRgb *p = line + x, *end = p + run; p != end; ++p)
                writer.put(table[gifColourKey15(*p)]);
            x += run;
            literals += run;
        }
    }
    writer.finish();
}
