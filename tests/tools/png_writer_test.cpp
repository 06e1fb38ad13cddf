// The screen tool's PNG writer, read back by a small inflater and PNG reader of the test's
// own (bit by bit, the other way round from the writer), and its checksums against the
// published check values.
#include "tools/screens/deflate.h"
#include "tools/screens/png_writer.h"

#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

std::uint32_t BigEndianAt(const Bytes& bytes, std::size_t at) {
    return (std::uint32_t{bytes.at(at)} << 24) | (std::uint32_t{bytes.at(at + 1)} << 16) |
           (std::uint32_t{bytes.at(at + 2)} << 8) | std::uint32_t{bytes.at(at + 3)};
}

// Reads deflate bits from the least significant end of each byte.
class BitReader {
public:
    BitReader(const Bytes& bytes, std::size_t start, std::size_t end)
        : m_bytes(bytes), m_pos(start), m_end(end) {}
    std::uint32_t Bit() {
        if (m_pos >= m_end)
            throw std::runtime_error("the stream ends inside its block");
        const std::uint32_t bit = (m_bytes[m_pos] >> m_nBit) & 1u;
        if (++m_nBit == 8) {
            m_nBit = 0;
            ++m_pos;
        }
        return bit;
    }
    std::uint32_t Bits(int n) { // a number, least significant bit first
        std::uint32_t value = 0;
        for (int i = 0; i < n; ++i)
            value |= Bit() << i;
        return value;
    }
    std::uint32_t Code(int n, std::uint32_t start) { // a Huffman code, most significant first
        std::uint32_t code = start;
        for (int i = 0; i < n; ++i)
            code = (code << 1) | Bit();
        return code;
    }
    std::size_t NextByte() const { return m_nBit == 0 ? m_pos : m_pos + 1; }

private:
    const Bytes& m_bytes;
    std::size_t m_pos;
    std::size_t m_end;
    int m_nBit = 0;
};

// The fixed literal/length code, read 7 bits first and lengthened as the code table says.
std::uint32_t FixedSymbol(BitReader& bits) {
    const std::uint32_t c7 = bits.Code(7, 0);
    if (c7 <= 0x17)
        return 256 + c7;
    const std::uint32_t c8 = bits.Code(1, c7);
    if (c8 >= 0x30 && c8 <= 0xBF)
        return c8 - 0x30;
    if (c8 >= 0xC0 && c8 <= 0xC7)
        return 280 + (c8 - 0xC0);
    const std::uint32_t c9 = bits.Code(1, c8);
    if (c9 >= 0x190 && c9 <= 0x1FF)
        return 144 + (c9 - 0x190);
    throw std::runtime_error("not a fixed literal/length code");
}

// Inflates a zlib stream that holds fixed-code blocks only, checking header and trailer.
Bytes Inflate(const Bytes& stream) {
    if (stream.size() < 6 || (stream[0] & 0x0F) != 8 || ((stream[0] << 8) | stream[1]) % 31 != 0 ||
        (stream[1] & 0x20) != 0)
        throw std::runtime_error("not a plain zlib header");
    static const std::uint32_t kLengthBase[] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                67, 83, 99, 115, 131, 163, 195, 227, 258};
    Bytes out;
    BitReader bits(stream, 2, stream.size() - 4);
    for (bool bLast = false; !bLast;) {
        bLast = bits.Bits(1) == 1;
        if (bits.Bits(2) != 1)
            throw std::runtime_error("a block without the fixed codes");
        for (;;) {
            const std::uint32_t symbol = FixedSymbol(bits);
            if (symbol < 256) {
                out.push_back(static_cast<std::uint8_t>(symbol));
                continue;
            }
            if (symbol == 256)
                break;
            if (symbol > 285)
                throw std::runtime_error("length symbol out of range");
            const std::uint32_t i = symbol - 257;
            const int nLengthExtra = (i < 8 || i == 28) ? 0 : static_cast<int>(i / 4 - 1);
            const std::size_t nLength = kLengthBase[i] + bits.Bits(nLengthExtra);
            const std::uint32_t d = bits.Code(5, 0);
            if (d > 29)
                throw std::runtime_error("distance symbol out of range");
            const int nDistExtra = d < 4 ? 0 : static_cast<int>(d / 2 - 1);
            const std::uint32_t nDistBase = d < 4 ? d + 1 : ((2u + (d & 1u)) << nDistExtra) + 1;
            const std::size_t nDistance = nDistBase + bits.Bits(nDistExtra);
            if (nDistance > out.size() || nDistance > 32768)
                throw std::runtime_error("a copy from before the start or the window");
            for (std::size_t k = 0; k < nLength; ++k)
                out.push_back(out[out.size() - nDistance]);
        }
    }
    if (bits.NextByte() != stream.size() - 4)
        throw std::runtime_error("bytes between the last block and the checksum");
    if (BigEndianAt(stream, stream.size() - 4) != Adler32(out))
        throw std::runtime_error("the checksum does not match");
    return out;
}

Bytes Noise(std::size_t n, std::uint32_t seed) {
    Bytes bytes(n);
    for (auto& b : bytes) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(seed >> 24);
    }
    return bytes;
}

TEST(ChecksumTest, CrcAndAdlerGiveTheirPublishedCheckValues) {
    EXPECT_EQ(Crc32(BytesOf("123456789")), 0xCBF43926u);
    EXPECT_EQ(Crc32(BytesOf("IEND")), 0xAE426082u) << "the CRC every PNG file ends with";
    EXPECT_EQ(Crc32({}), 0u);
    EXPECT_EQ(Adler32(BytesOf("Wikipedia")), 0x11E60398u);
    EXPECT_EQ(Adler32({}), 1u);
    EXPECT_EQ(Adler32(Bytes(100000, 0xFF)), 0x149A302Cu) << "both sums wrap at 65521 many times";
}

struct DeflateCase {
    const char* name;
    Bytes data;
};

Bytes Repeated(const Bytes& block, int nTimes) {
    Bytes out;
    for (int i = 0; i < nTimes; ++i)
        out.insert(out.end(), block.begin(), block.end());
    return out;
}

// Names the case instead of dumping its bytes.
void PrintTo(const DeflateCase& c, std::ostream* os) {
    *os << c.name;
}

class DeflateRoundTrip : public ::testing::TestWithParam<DeflateCase> {};

TEST_P(DeflateRoundTrip, InflatesToTheSameBytes) {
    const Bytes& data = GetParam().data;
    const Bytes stream = ZlibCompress(data);
    Bytes back;
    ASSERT_NO_THROW(back = Inflate(stream));
    EXPECT_EQ(back, data);
}

INSTANTIATE_TEST_SUITE_P(Inputs, DeflateRoundTrip,
                         ::testing::Values(DeflateCase{"empty", {}}, DeflateCase{"one_byte", {0x90}},
                                           DeflateCase{"two_bytes", {0x00, 0xFF}},
                                           DeflateCase{"text", BytesOf("abcabcabcabcXabcabc")},
                                           DeflateCase{"long_run", Bytes(100000, 0)},
                                           DeflateCase{"noise_literals", Noise(70000, 7)},
                                           DeflateCase{"repeat_at_full_window",
                                                       Repeated(Noise(32768, 11), 3)},
                                           DeflateCase{"repeat_beyond_window", Repeated(Noise(40000, 13), 2)},
                                           DeflateCase{"every_length",
                                                       [] {
                                                           Bytes b;
                                                           for (int n = 1; n <= 260; ++n) {
                                                               Bytes run(static_cast<std::size_t>(n),
                                                                         static_cast<std::uint8_t>(n));
                                                               b.insert(b.end(), run.begin(), run.end());
                                                               b.push_back(0xAB);
                                                           }
                                                           return b;
                                                       }()}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DeflateTest, RunsAndRepeatsShrink) {
    EXPECT_LT(ZlibCompress(Bytes(100000, 0)).size(), 1000u);
    EXPECT_LT(ZlibCompress(Repeated(Noise(1000, 3), 20)).size(), 2000u);
    EXPECT_LT(ZlibCompress(Noise(10000, 5)).size(), 10000u * 9 / 8 + 16)
        << "noise costs at most 9 bits a byte";
}

// A PNG file's chunks, each checked against its CRC.
struct Chunk {
    std::string type;
    Bytes data;
};

std::vector<Chunk> ReadChunks(const Bytes& file) {
    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(signature.begin(), signature.end(), file.begin()))
        throw std::runtime_error("no PNG signature");
    std::vector<Chunk> chunks;
    for (std::size_t at = 8; at < file.size();) {
        const std::uint32_t nLength = BigEndianAt(file, at);
        if (at + 12 + nLength > file.size())
            throw std::runtime_error("a chunk runs past the end");
        const Bytes typed(file.begin() + static_cast<std::ptrdiff_t>(at + 4),
                          file.begin() + static_cast<std::ptrdiff_t>(at + 8 + nLength));
        if (BigEndianAt(file, at + 8 + nLength) != Crc32(typed))
            throw std::runtime_error("a chunk's CRC does not match");
        chunks.push_back(
            {std::string(typed.begin(), typed.begin() + 4), Bytes(typed.begin() + 4, typed.end())});
        at += 12 + nLength;
    }
    return chunks;
}

// Undoes the row filters of an 8-bit RGB picture.
Bytes Unfilter(const Bytes& rows, int w, int h) {
    const std::size_t stride = static_cast<std::size_t>(w) * 3;
    if (rows.size() != (stride + 1) * static_cast<std::size_t>(h))
        throw std::runtime_error("the rows have the wrong length");
    Bytes out;
    Bytes above(stride, 0);
    for (int y = 0; y < h; ++y) {
        const std::size_t at = static_cast<std::size_t>(y) * (stride + 1);
        const int filter = rows[at];
        Bytes line(rows.begin() + static_cast<std::ptrdiff_t>(at + 1),
                   rows.begin() + static_cast<std::ptrdiff_t>(at + 1 + stride));
        for (std::size_t i = 0; i < stride; ++i) {
            const int left = i >= 3 ? line[i - 3] : 0;
            const int up = above[i];
            const int corner = i >= 3 ? above[i - 3] : 0;
            int add = 0;
            if (filter == 1) {
                add = left;
            } else if (filter == 2) {
                add = up;
            } else if (filter == 3) {
                add = (left + up) >> 1;
            } else if (filter == 4) {
                const int pa = std::abs(up - corner);
                const int pb = std::abs(left - corner);
                const int pc = std::abs(left + up - 2 * corner);
                add = (pa <= pb && pa <= pc) ? left : (pb <= pc ? up : corner);
            } else if (filter != 0) {
                throw std::runtime_error("unknown filter " + std::to_string(filter));
            }
            line[i] = static_cast<std::uint8_t>(line[i] + add);
        }
        out.insert(out.end(), line.begin(), line.end());
        above = line;
    }
    return out;
}

struct PictureCase {
    const char* name;
    int w;
    int h;
    Bytes (*make)(int w, int h);
};

void PrintTo(const PictureCase& c, std::ostream* os) {
    *os << c.name;
}

// Flat bands, a gradient and noise, so that every filter has rows it wins.
Bytes Mixed(int w, int h) {
    Bytes rgb = Noise(static_cast<std::size_t>(w) * h * 3, 17);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < w * 3; ++x)
            rgb[static_cast<std::size_t>(y * w * 3 + x)] =
                static_cast<std::uint8_t>(y < 4 ? 0x40 : x * 5 + y);
    return rgb;
}
// Faint noise: the predictors often tie, and a tie broken the wrong way shows.
Bytes Faint(int w, int h) {
    Bytes rgb = Noise(static_cast<std::size_t>(w) * h * 3, 23);
    for (auto& b : rgb)
        b = static_cast<std::uint8_t>(0x80 + (b & 3));
    return rgb;
}
Bytes Slopes(int w, int h) {
    Bytes rgb;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            rgb.insert(rgb.end(), {static_cast<std::uint8_t>(x * 7 + y * 3), static_cast<std::uint8_t>(x * y),
                                   static_cast<std::uint8_t>(255 - y * 11)});
    return rgb;
}

class PngRoundTrip : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PngRoundTrip, ReadsBackAsTheSamePicture) {
    const int w = GetParam().w;
    const int h = GetParam().h;
    const Bytes rgb = GetParam().make(w, h);

    const Bytes file = EncodePng(w, h, rgb);
    std::vector<Chunk> chunks;
    ASSERT_NO_THROW(chunks = ReadChunks(file));
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_TRUE(chunks[2].data.empty());
    const Bytes header = {0,
                          0,
                          static_cast<std::uint8_t>(w >> 8),
                          static_cast<std::uint8_t>(w),
                          0,
                          0,
                          static_cast<std::uint8_t>(h >> 8),
                          static_cast<std::uint8_t>(h),
                          8,
                          2,
                          0,
                          0,
                          0};
    EXPECT_EQ(chunks[0].data, header);

    Bytes pixels;
    ASSERT_NO_THROW(pixels = Unfilter(Inflate(chunks[1].data), w, h));
    EXPECT_EQ(pixels, rgb);
}

INSTANTIATE_TEST_SUITE_P(Pictures, PngRoundTrip,
                         ::testing::Values(PictureCase{"mixed", 37, 23, Mixed},
                                           PictureCase{"faint", 64, 64, Faint},
                                           PictureCase{"slopes", 300, 2, Slopes},
                                           PictureCase{"one_pixel", 1, 1, Faint}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PngTest, RefusesPixelsThatDoNotMatchTheSize) {
    EXPECT_THROW(EncodePng(2, 2, Bytes(11, 0)), std::invalid_argument);
    EXPECT_THROW(EncodePng(0, 2, Bytes{}), std::invalid_argument);
    EXPECT_THROW(ScaleNearest(2, 2, Bytes(13, 0), 2), std::invalid_argument);
}

TEST(ScaleTest, EveryPixelBecomesASquare) {
    // 2 x 2 pixels: red, green / blue, white.
    const Bytes rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    const Bytes scaled = ScaleNearest(2, 2, rgb, 2);
    const Bytes expected = {
        255, 0, 0,   255, 0, 0,   0,   255, 0,   0,   255, 0,   //
        255, 0, 0,   255, 0, 0,   0,   255, 0,   0,   255, 0,   //
        0,   0, 255, 0,   0, 255, 255, 255, 255, 255, 255, 255, //
        0,   0, 255, 0,   0, 255, 255, 255, 255, 255, 255, 255, //
    };
    EXPECT_EQ(scaled, expected);
    EXPECT_EQ(ScaleNearest(2, 2, rgb, 1), rgb);
}

} // namespace
