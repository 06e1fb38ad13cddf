// The PNG file through libpng's simplified writer: 8-bit RGB, one call to size the file and
// one to write it.
#include "png_writer.h"

#include <png.h>

#include <cstddef>
#include <stdexcept>
#include <string>

namespace {
constexpr std::size_t BYTES_PER_PIXEL = 3;
} // namespace

std::vector<std::uint8_t> EncodePng(int nWidth, int nHeight, std::span<const std::uint8_t> rgb) {
    if (nWidth <= 0 || nHeight <= 0)
        throw std::invalid_argument("a PNG picture needs a positive size");
    const std::size_t nStride = static_cast<std::size_t>(nWidth) * BYTES_PER_PIXEL;
    if (rgb.size() != nStride * static_cast<std::size_t>(nHeight))
        throw std::invalid_argument("the pixels do not match the picture's size");

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(nWidth);
    image.height = static_cast<png_uint_32>(nHeight);
    image.format = PNG_FORMAT_RGB;
    const auto nRowStride = static_cast<png_int_32>(nStride);
    png_alloc_size_t nBytes = 0;
    if (png_image_write_to_memory(&image, nullptr, &nBytes, 0, rgb.data(), nRowStride, nullptr)) {
        std::vector<std::uint8_t> file(nBytes);
        if (png_image_write_to_memory(&image, file.data(), &nBytes, 0, rgb.data(), nRowStride, nullptr)) {
            file.resize(nBytes);
            return file;
        }
    }
    const std::string strWhy = image.message;
    png_image_free(&image);
    throw std::runtime_error("libpng cannot write the picture: " + strWhy);
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
