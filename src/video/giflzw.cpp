#include "giflzw.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QUORVEL_GIF_SSE2
#endif

namespace {

constexpr quint16 clearCode = 256;
constexpr quint16 endCode = 257;
constexpr int codeBits = 9;
constexpr int literalsPerClear = 250;
constexpr int subBlockSize = 255;

// Eight 9-bit codes fill exactly nine bytes, and 255 such groups fill exactly nine sub-blocks,
// so codes are gathered in chunks of that many and each full chunk packs without any bit or
// block bookkeeping.
constexpr int groupCodes = 8;
constexpr int groupBytes = 9;
constexpr int chunkGroups = subBlockSize;
constexpr int chunkCodes = chunkGroups * groupCodes;
constexpr int chunkBytes = chunkGroups * groupBytes;

qint64 codeCount(qint64 pixelCount)
{
    const qint64 extraClears = pixelCount > 0 ? (pixelCount - 1) / literalsPerClear : 0;
    return 1 + pixelCount + extraClears + 1;
}

// Least significant bit first: the eighth code straddles the last two bytes.
void packGroup(const quint16 *codes, uchar *out)
{
    const quint64 bits = quint64(codes[0]) | quint64(codes[1]) << 9 | quint64(codes[2]) << 18 |
                         quint64(codes[3]) << 27 | quint64(codes[4]) << 36 |
                         quint64(codes[5]) << 45 | quint64(codes[6]) << 54 |
                         quint64(codes[7]) << 63;
    qToLittleEndian(bits, out);
    out[8] = uchar(codes[7] >> 1);
}

uchar *writeSubBlocks(const uchar *data, int length, uchar *out)
{
    while (length > 0) {
        const int block = std::min(length, subBlockSize);
        *out++ = uchar(block);
        std::memcpy(out, data, std::size_t(block));
        out += block;
        data += block;
        length -= block;
    }
    return out;
}

class CodeChunks
{
public:
    explicit CodeChunks(uchar *out) : m_out(out) {}

    quint16 *tail() { return m_codes + m_count; }
    int room() const { return chunkCodes - m_count; }

    void append(quint16 code)
    {
        *tail() = code;
        appended(1);
    }

    void appended(int count)
    {
        m_count += count;
        if (m_count == chunkCodes) {
            packGroups(chunkGroups);
            m_out = writeSubBlocks(m_packed, chunkBytes, m_out);
            m_count = 0;
        }
    }

    // The padding codes are zero, so the last byte's unused upper bits are zero too.
    void finish()
    {
        std::fill(m_codes + m_count, m_codes + m_count + groupCodes, quint16(0));
        packGroups((m_count + groupCodes - 1) / groupCodes);
        m_out = writeSubBlocks(m_packed, (m_count * codeBits + 7) / 8, m_out);
        *m_out = 0x00;
    }

private:
    void packGroups(int groups)
    {
        for (int g = 0; g < groups; ++g)
            packGroup(m_codes + g * groupCodes, m_packed + g * groupBytes);
    }

    uchar *m_out;
    int m_count = 0;
    quint16 m_codes[chunkCodes + groupCodes];
    uchar m_packed[chunkBytes];
};

// The colour key of four pixels at once leaves only the table loads to scalar code, which
// roughly halves the time per pixel.
void mapPixels(const QRgb *pixels, int count, const GifLookupTable &table, quint16 *codes)
{
    int i = 0;
#ifdef QUORVEL_GIF_SSE2
    const __m128i red = _mm_set1_epi32(0x7C00), green = _mm_set1_epi32(0x3E0),
                  blue = _mm_set1_epi32(0x1F);
    for (; i + 4 <= count; i += 4) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i *>(pixels + i));
        const __m128i keys = _mm_or_si128(_mm_or_si128(_mm_and_si128(_mm_srli_epi32(p, 9), red),
                                                       _mm_and_si128(_mm_srli_epi32(p, 6), green)),
                                          _mm_and_si128(_mm_srli_epi32(p, 3), blue));
        codes[i] = table[std::size_t(_mm_extract_epi16(keys, 0))];
        codes[i + 1] = table[std::size_t(_mm_extract_epi16(keys, 2))];
        codes[i + 2] = table[std::size_t(_mm_extract_epi16(keys, 4))];
        codes[i + 3] = table[std::size_t(_mm_extract_epi16(keys, 6))];
    }
#endif
    for (; i < count; ++i)
        codes[i] = table[std::size_t(gifColourKey15(pixels[i]))];
}

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
    CodeChunks chunks(out);
    chunks.append(clearCode);
    int literals = 0;
    for (int y = 0; y < height; ++y) {
        const QRgb *pixel = reinterpret_cast<const QRgb *>(rgb32Frame.constScanLine(y));
        const QRgb *const lineEnd = pixel + width;
        while (pixel != lineEnd) {
            if (literals == literalsPerClear) {
                chunks.append(clearCode);
                literals = 0;
            }
            const int run = int(
                std::min<qptrdiff>({lineEnd - pixel, literalsPerClear - literals, chunks.room()}));
            mapPixels(pixel, run, table, chunks.tail());
            pixel += run;
            literals += run;
            chunks.appended(run);
        }
    }
    chunks.append(endCode);
    chunks.finish();
}
