// Builds BMP files byte by byte for the tests: a valid 24-bit picture by default, with
// every header field open to being made wrong on purpose.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace testkit {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A colour that tells pixel (x, y) apart from its neighbours and is never black.
inline Rgb PatternColour(int x, int y) {
    return Rgb{static_cast<std::uint8_t>(1 + x % 250), static_cast<std::uint8_t>(1 + y % 250),
               static_cast<std::uint8_t>(1 + (x * 7 + y * 13) % 250)};
}

struct BmpRecipe {
    int nWidth = 4;
    int nHeight = 3; // negative: rows stored top-down
    std::uint32_t nHeaderSize = 40;
    std::uint16_t nPlanes = 1;
    std::uint16_t nBitCount = 24;
    std::uint32_t nCompression = 0;
    std::uint32_t nGap = 0;           // bytes between the headers and the pixels
    std::int64_t nOffsetBits = -1;    // pixel offset field; -1: where the pixels really start
    std::uint32_t nFileSizeField = 0; // untrusted fields, free to lie
    std::uint32_t nImageSizeField = 0;
    std::uint32_t nClrUsedField = 0;
    std::function<Rgb(int, int)> pixel = PatternColour; // top-down (x, y)
};

inline void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t n) {
    v[at] = static_cast<std::uint8_t>(n);
    v[at + 1] = static_cast<std::uint8_t>(n >> 8);
}
inline void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t n) {
    for (int i = 0; i < 4; ++i)
        v[at + i] = static_cast<std::uint8_t>(n >> (8 * i));
}

// The file's bytes. Pixels are written only for 24-bit pictures of a sane size; other bit
// counts get rows of the matching length filled with a pattern.
inline std::vector<std::uint8_t> MakeBmp(const BmpRecipe& s) {
    const std::int64_t nRows = s.nHeight < 0 ? -std::int64_t{s.nHeight} : s.nHeight;
    const std::int64_t nWidth = s.nWidth > 0 ? s.nWidth : 0;
    const std::int64_t nRowBytes = ((nWidth * s.nBitCount + 31) / 32) * 4;
    const std::size_t nHeaders = 14 + s.nHeaderSize;
    const std::size_t nPixelStart = nHeaders + s.nGap;
    std::vector<std::uint8_t> v(nPixelStart + static_cast<std::size_t>(nRowBytes * nRows), 0);
    v[0] = 'B';
    v[1] = 'M';
    Put32(v, 2, s.nFileSizeField);
    Put32(v, 10,
          s.nOffsetBits >= 0 ? static_cast<std::uint32_t>(s.nOffsetBits)
                             : static_cast<std::uint32_t>(nPixelStart));
    Put32(v, 14, s.nHeaderSize);
    if (s.nHeaderSize == 12) {
        Put16(v, 18, static_cast<std::uint32_t>(s.nWidth));
        Put16(v, 20, static_cast<std::uint32_t>(s.nHeight));
        Put16(v, 22, s.nPlanes);
        Put16(v, 24, s.nBitCount);
    } else {
        Put32(v, 18, static_cast<std::uint32_t>(s.nWidth));
        Put32(v, 22, static_cast<std::uint32_t>(s.nHeight));
        Put16(v, 26, s.nPlanes);
        Put16(v, 28, s.nBitCount);
        Put32(v, 30, s.nCompression);
        Put32(v, 34, s.nImageSizeField);
        Put32(v, 46, s.nClrUsedField);
    }
    for (std::int64_t row = 0; row < nRows; ++row) {
        // Row `row` in the file is picture row (nRows - 1 - row) for a bottom-up file.
        const int y = static_cast<int>(s.nHeight < 0 ? row : nRows - 1 - row);
        std::uint8_t* p = v.data() + nPixelStart + row * nRowBytes;
        for (int x = 0; x < nWidth; ++x) {
            if (s.nBitCount == 24) {
                const Rgb c = s.pixel(x, y);
                p[3 * x] = c.b;
                p[3 * x + 1] = c.g;
                p[3 * x + 2] = c.r;
            }
        }
        if (s.nBitCount != 24)
            for (std::int64_t k = 0; k < nRowBytes; ++k)
                p[k] = static_cast<std::uint8_t>(k * 31 + row);
    }
    return v;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir() {
        static int s_nCounter = 0;
        m_path = std::filesystem::temp_directory_path() /
                 ("morvane-test-" + std::to_string(::getpid()) + "-" + std::to_string(++s_nCounter));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

} // namespace testkit
