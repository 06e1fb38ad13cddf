// PNG pictures of the screens through libpng, and the enlargement that keeps pixels crisp.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The bytes of a PNG file of a width x height picture given as red, green, blue bytes,
// rows top-down without padding. The same picture always gives the same bytes: libpng
// writes no time stamp, and its filters and compression depend on the pixels alone.
std::vector<std::uint8_t> EncodePng(int nWidth, int nHeight, std::span<const std::uint8_t> rgb);

// The same picture with every pixel made an nScale x nScale square (nearest neighbour).
std::vector<std::uint8_t> ScaleNearest(int nWidth, int nHeight, std::span<const std::uint8_t> rgb,
                                       int nScale);
