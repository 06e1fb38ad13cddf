// The PNG file: signature, header, the filtered rows deflated into one data chunk, end.
#include "png_writer.h"

#include "deflate.h"

#include <array>
#include <cstddef>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace {

constexpr std::size_t BYTES_PER_PIXEL = 3;
constexpr std::uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int FILTER_COUNT = 5; // none, sub, up, average, Paeth

std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t nValue) {
    for (int nShift = 24; nShift >= 0; nShift -= 8)
        out.push_back(static_cast<std::uint8_t>(nValue >> nShift));
}

// Length, type, data and the CRC of type and data.
void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, std::span<const std::uint8_t> data) {
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t nTypeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, Crc32(std::span(out).subspan(nTypeAt)));
}

std::uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return static_cast<std::uint8_t>(a);
    return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// Row bytes under one filter; 'above' is the row before (all zero for the first row).
void FilterRow(int nFilter, std::span<const std::uint8_t> row, std::span<const std::uint8_t> above,
               std::vector<std::uint8_t>& out) {
    out.resize(row.size());
    for (std::size_t i = 0; i < row.size(); ++i) {
        const int a = i >= BYTES_PER_PIXEL ? row[i - BYTES_PER_PIXEL] : 0;
        const int b = above[i];
        const int c = i >= BYTES_PER_PIXEL ? above[i - BYTES_PER_PIXEL] : 0;
        int nPredicted = 0;
        switch (nFilter) {
        case 1:
            nPredicted = a;
            break;
        case 2:
            nPredicted = b;
            break;
        case 3:
            nPredicted = (a + b) / 2;
            break;
        case 4:
            nPredicted = Paeth(a, b, c);
            break;
        default:
            break;
        }
        out[i] = static_cast<std::uint8_t>(row[i] - nPredicted);
    }
}

// The usual guess at what compresses best: the smallest sum of the bytes read as signed.
long FilterCost(const std::vector<std::uint8_t>& filtered) {
    long nCost = 0;
    for (std::uint8_t byte : filtered)
        nCost += std::abs(static_cast<int>(static_cast<std::int8_t>(byte)));
    return nCost;
}

} // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> data) {
    static const std::array<std::uint32_t, 256> s_table = MakeCrcTable();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::uint8_t byte : data)
        c = s_table[(c ^ byte) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::vector<std::uint8_t> EncodePng(int nWidth, int nHeight, std::span<const std::uint8_t> rgb) {
    if (nWidth <= 0 || nHeight <= 0)
        throw std::invalid_argument("a PNG picture needs a positive size");
    const std::size_t nStride = static_cast<std::size_t>(nWidth) * BYTES_PER_PIXEL;
    if (rgb.size() != nStride * static_cast<std::size_t>(nHeight))
        throw std::invalid_argument("the pixels do not match the picture's size");

    std::vector<std::uint8_t> rows;
    rows.reserve((nStride + 1) * static_cast<std::size_t>(nHeight));
    const std::vector<std::uint8_t> zeros(nStride, 0);
    std::vector<std::uint8_t> trial;
    std::vector<std::uint8_t> best;
    for (int y = 0; y < nHeight; ++y) {
        const auto row = rgb.subspan(static_cast<std::size_t>(y) * nStride, nStride);
        const auto above = y > 0 ? rgb.subspan(static_cast<std::size_t>(y - 1) * nStride, nStride)
                                 : std::span<const std::uint8_t>(zeros);
        int nBestFilter = 0;
        long nBestCost = -1;
        for (int nFilter = 0; nFilter < FILTER_COUNT; ++nFilter) {
            FilterRow(nFilter, row, above, trial);
            const long nCost = FilterCost(trial);
            if (nBestCost < 0 || nCost < nBestCost) {
                nBestCost = nCost;
                nBestFilter = nFilter;
                best.swap(trial);
            }
        }
        rows.push_back(static_cast<std::uint8_t>(nBestFilter));
        rows.insert(rows.end(), best.begin(), best.end());
    }

    std::vector<std::uint8_t> file(std::begin(PNG_SIGNATURE), std::end(PNG_SIGNATURE));
    std::vector<std::uint8_t> header;
    PutBigEndian(header, static_cast<std::uint32_t>(nWidth));
    PutBigEndian(header, static_cast<std::uint32_t>(nHeight));
    // 8 bits a sample, truecolour, deflate, the adaptive filters, not interlaced.
    header.insert(header.end(), {8, 2, 0, 0, 0});
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", ZlibCompress(rows));
    PutChunk(file, "IEND", {});
    return file;
}

std::vector<std::uint8_t> ScaleNearest(int nWidth, int nHeight, std::span<const std::uint8_t> rgb,
                                       int nScale) {
    if (nWidth <= 0 || nHeight <= 0 || nScale <= 0)
        throw std::invalid_argument("scaling needs a positive size and factor");
    const auto w = static_cast<std::size_t>(nWidth);
    const auto h = static_cast<std::size_t>(nHeight);
    const auto s = static_cast<std::size_t>(nScale);
    if (rgb.size() != w * h * BYTES_PER_PIXEL)
        throw std::invalid_argument("the pixels do not match the picture's size");
    std::vector<std::uint8_t> out;
    out.reserve(rgb.size() * s * s);
    for (std::size_t y = 0; y < h * s; ++y) {
        const std::uint8_t* pRow = &rgb[(y / s) * w * BYTES_PER_PIXEL];
        for (std::size_t x = 0; x < w * s; ++x) {
            const std::uint8_t* pPixel = pRow + (x / s) * BYTES_PER_PIXEL;
            out.insert(out.end(), pPixel, pPixel + BYTES_PER_PIXEL);
        }
    }
    return out;
}
