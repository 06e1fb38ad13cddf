// Deflate with the fixed Huffman codes: a greedy search along hash chains for the longest
// earlier copy of the next bytes, a literal where there is none worth taking.
#include "deflate.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr std::size_t MIN_MATCH = 3;
constexpr std::size_t MAX_MATCH = 258;
constexpr std::size_t WINDOW_SIZE = 32768;
constexpr int HASH_BITS = 15;
// Enough candidates to find the row above and the pixel to the left on a game screen;
// more would only cost time.
constexpr int MAX_CHAIN = 64;
constexpr std::uint32_t ADLER_MODULUS = 65521;

constexpr std::uint16_t LENGTH_BASE[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                           31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t LENGTH_EXTRA[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint16_t DISTANCE_BASE[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                             33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                             1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t DISTANCE_EXTRA[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class BitWriter {
public:
    // Deflate fills each byte from its least significant bit.
    void Put(std::uint32_t nValue, int nBits) {
        m_qwPending |= std::uint64_t{nValue} << m_nPending;
        m_nPending += nBits;
        while (m_nPending >= 8) {
            m_bytes.push_back(static_cast<std::uint8_t>(m_qwPending));
            m_qwPending >>= 8;
            m_nPending -= 8;
        }
    }
    // A Huffman code is read from its most significant bit, so it goes in reversed.
    void PutCode(std::uint32_t nCode, int nBits) {
        std::uint32_t nReversed = 0;
        for (int i = 0; i < nBits; ++i)
            nReversed |= ((nCode >> i) & 1u) << (nBits - 1 - i);
        Put(nReversed, nBits);
    }
    std::vector<std::uint8_t> Finish() {
        if (m_nPending > 0)
            m_bytes.push_back(static_cast<std::uint8_t>(m_qwPending));
        m_qwPending = 0;
        m_nPending = 0;
        return std::move(m_bytes);
    }
    std::vector<std::uint8_t>& Bytes() { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
    std::uint64_t m_qwPending = 0;
    int m_nPending = 0;
};

// The fixed code of a literal (0 to 255), the end of the block (256) or a length (257 to 285).
void PutSymbol(BitWriter& bits, std::uint32_t nSymbol) {
    if (nSymbol < 144)
        bits.PutCode(0x30 + nSymbol, 8);
    else if (nSymbol < 256)
        bits.PutCode(0x190 + nSymbol - 144, 9);
    else if (nSymbol < 280)
        bits.PutCode(nSymbol - 256, 7);
    else
        bits.PutCode(0xC0 + nSymbol - 280, 8);
}

void PutCopy(BitWriter& bits, std::size_t nLength, std::size_t nDistance) {
    int i = 28;
    while (LENGTH_BASE[i] > nLength)
        --i;
    PutSymbol(bits, 257 + static_cast<std::uint32_t>(i));
    bits.Put(static_cast<std::uint32_t>(nLength - LENGTH_BASE[i]), LENGTH_EXTRA[i]);
    int d = 29;
    while (DISTANCE_BASE[d] > nDistance)
        --d;
    bits.PutCode(static_cast<std::uint32_t>(d), 5);
    bits.Put(static_cast<std::uint32_t>(nDistance - DISTANCE_BASE[d]), DISTANCE_EXTRA[d]);
}

std::uint32_t Hash3(const std::uint8_t* p) {
    const std::uint32_t nKey = p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
    return (nKey * 2654435761u) >> (32 - HASH_BITS);
}

} // namespace

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % ADLER_MODULUS;
        b = (b + a) % ADLER_MODULUS;
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> data) {
    BitWriter bits;
    // Deflate with a 32 KB window, no preset dictionary; 0x7801 is a multiple of 31.
    bits.Bytes() = {0x78, 0x01};
    bits.Put(1, 1); // the final block
    bits.Put(1, 2); // with the fixed codes

    const std::size_t nSize = data.size();
    // The most recent position of each hash, and for every position the one before it.
    std::vector<std::int64_t> head(std::size_t{1} << HASH_BITS, -1);
    std::vector<std::int64_t> previous(nSize, -1);
    const auto remember = [&](std::size_t nPos) {
        if (nPos + MIN_MATCH > nSize)
            return;
        const std::uint32_t h = Hash3(&data[nPos]);
        previous[nPos] = head[h];
        head[h] = static_cast<std::int64_t>(nPos);
    };

    std::size_t nPos = 0;
    while (nPos < nSize) {
        std::size_t nBest = 0;
        std::size_t nBestDistance = 0;
        if (nPos + MIN_MATCH <= nSize) {
            const std::size_t nMax = std::min(MAX_MATCH, nSize - nPos);
            std::int64_t nCandidate = head[Hash3(&data[nPos])];
            for (int nChain = 0; nCandidate >= 0 && nChain < MAX_CHAIN; ++nChain) {
                const auto nFrom = static_cast<std::size_t>(nCandidate);
                if (nPos - nFrom > WINDOW_SIZE)
                    break;
                std::size_t nLength = 0;
                while (nLength < nMax && data[nFrom + nLength] == data[nPos + nLength])
                    ++nLength;
                if (nLength > nBest) {
                    nBest = nLength;
                    nBestDistance = nPos - nFrom;
                    if (nLength == nMax)
                        break;
                }
                nCandidate = previous[nFrom];
            }
        }
        if (nBest >= MIN_MATCH) {
            PutCopy(bits, nBest, nBestDistance);
            for (std::size_t k = 0; k < nBest; ++k)
                remember(nPos + k);
            nPos += nBest;
        } else {
            PutSymbol(bits, data[nPos]);
            remember(nPos);
            ++nPos;
        }
    }
    PutSymbol(bits, 256);

    std::vector<std::uint8_t> stream = bits.Finish();
    const std::uint32_t nAdler = Adler32(data);
    for (int nShift = 24; nShift >= 0; nShift -= 8)
        stream.push_back(static_cast<std::uint8_t>(nAdler >> nShift));
    return stream;
}
