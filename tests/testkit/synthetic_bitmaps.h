// Small BMP files made in memory for the tests: 24-bit pictures from a pixel function,
// pictures of other bit depths, and a temporary folder to write them into.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace testkit {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// 0xRRGGBB, the form the headless backend's captured pictures use.
constexpr std::uint32_t Packed(Rgb c) {
    return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | std::uint32_t{c.b};
}

using PixelFunction = std::function<Rgb(int x, int y)>;

namespace detail {
inline void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t n) {
    v[at] = static_cast<std::uint8_t>(n);
    v[at + 1] = static_cast<std::uint8_t>(n >> 8);
}
inline void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t n) {
    Put16(v, at, n & 0xFFFF);
    Put16(v, at + 2, n >> 16);
}
} // namespace detail

// A BMP file with a 40-byte info header, bitCount bits per pixel and BI_RGB rows. For
// 24 bits the pixels come from the function (y counted from the top as a viewer sees
// it); other depths get zero pixels and, up to 8 bits, a grey palette. topDown stores
// the rows top first, which the header says with a negative height.
inline std::vector<std::uint8_t> MakeBmp(int w, int h, int bitCount, const PixelFunction& pixel = {},
                                         bool topDown = false) {
    const std::size_t pitch = ((static_cast<std::size_t>(w) * bitCount + 31) / 32) * 4;
    const std::size_t paletteEntries = bitCount <= 8 ? (std::size_t{1} << bitCount) : 0;
    const std::size_t offset = 14 + 40 + paletteEntries * 4;
    const std::size_t imageSize = pitch * static_cast<std::size_t>(h);
    std::vector<std::uint8_t> file(offset + imageSize, 0);
    file[0] = 'B';
    file[1] = 'M';
    detail::Put32(file, 2, static_cast<std::uint32_t>(file.size()));
    detail::Put32(file, 10, static_cast<std::uint32_t>(offset));
    detail::Put32(file, 14, 40);
    detail::Put32(file, 18, static_cast<std::uint32_t>(w));
    detail::Put32(file, 22, static_cast<std::uint32_t>(topDown ? -h : h));
    detail::Put16(file, 26, 1);
    detail::Put16(file, 28, static_cast<std::uint32_t>(bitCount));
    detail::Put32(file, 34, static_cast<std::uint32_t>(imageSize));
    detail::Put32(file, 38, 2835);
    detail::Put32(file, 42, 2835);
    for (std::size_t i = 0; i < paletteEntries; ++i) {
        const auto grey = static_cast<std::uint8_t>(i * 255 / (paletteEntries - 1));
        file[54 + i * 4] = file[55 + i * 4] = file[56 + i * 4] = grey;
    }
    if (bitCount == 24 && pixel) {
        for (int y = 0; y < h; ++y) {
            const std::size_t stored =
                topDown ? static_cast<std::size_t>(y) : static_cast<std::size_t>(h - 1 - y);
            std::uint8_t* row = file.data() + offset + stored * pitch;
            for (int x = 0; x < w; ++x) {
                const Rgb c = pixel(x, y);
                row[x * 3] = c.b;
                row[x * 3 + 1] = c.g;
                row[x * 3 + 2] = c.r;
            }
        }
    }
    return file;
}

inline std::vector<std::uint8_t> MakeBmp24(int w, int h, const PixelFunction& pixel) {
    return MakeBmp(w, h, 24, pixel);
}

inline std::vector<std::uint8_t> MakeSolidBmp24(int w, int h, Rgb colour) {
    return MakeBmp(w, h, 24, [colour](int, int) { return colour; });
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

// A fresh, empty folder under the system's temporary folder, removed with everything in
// it when the object goes.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "morvane-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        m_path = pattern;
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

} // namespace testkit
