// PNG pictures of the screens with our own encoder (no image library): 8-bit RGB, each row
// filtered the way that leaves the smallest bytes, and the enlargement that keeps pixels crisp.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The checksum of every PNG chunk (the common CRC-32, reflected, polynomial 0xEDB88320).
std::uint32_t Crc32(std::span<const std::uint8_t> data);

// The bytes of a PNG file of a width x height picture given as red, green, blue bytes,
// rows top-down without padding.
std::vector<std::uint8_t> EncodePng(int nWidth, int nHeight, std::span<const std::uint8_t> rgb);

// The same picture with every pixel made an nScale x nScale square (nearest neighbour).
std::vector<std::uint8_t> ScaleNearest(int nWidth, int nHeight, std::span<const std::uint8_t> rgb,
                                       int nScale);
