// Picture files for the tests, built on the byte builder of bmp_bytes.h: 24-bit pictures
// from a pixel function or of one colour, and files of another bit depth.
#pragma once

#include "testkit/bmp_bytes.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace testkit {

// 0xRRGGBB, the form the headless backend's captured pictures use.
constexpr std::uint32_t Packed(Rgb c) {
    return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | std::uint32_t{c.b};
}

inline std::vector<std::uint8_t> MakeBmp24(int w, int h, std::function<Rgb(int, int)> pixel) {
    BmpRecipe recipe;
    recipe.nWidth = w;
    recipe.nHeight = h;
    recipe.pixel = std::move(pixel);
    return MakeBmp(recipe);
}

inline std::vector<std::uint8_t> MakeSolidBmp24(int w, int h, Rgb colour) {
    return MakeBmp24(w, h, [colour](int, int) { return colour; });
}

// A well-formed picture of another bit depth (8, 16, 32 ...), which the game refuses.
inline std::vector<std::uint8_t> MakeBmpOfDepth(int w, int h, std::uint16_t nBitCount) {
    BmpRecipe recipe;
    recipe.nWidth = w;
    recipe.nHeight = h;
    recipe.nBitCount = nBitCount;
    return MakeBmp(recipe);
}

} // namespace testkit
