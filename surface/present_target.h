// Where a Surface shows its pixels: the window layer's paint context implements this,
// so the surface code never depends on a toolkit or on the window layer.
#pragma once

#include <cstddef>
#include <cstdint>

// A block of 24-bit pixels in the surface layout: 3 bytes per pixel (blue, green, red),
// rows of nPitch bytes stored bottom-up (the first row in memory is the bottom row).
struct PixelBlock {
    const std::uint8_t* pBits = nullptr;
    int nWidth = 0;
    int nHeight = 0;
    int nPitch = 0;
};

// The first byte of row y of a block, rows counted from the top.
inline const std::uint8_t* TopDownRow(const PixelBlock& block, int y) {
    return block.pBits + static_cast<std::ptrdiff_t>(block.nHeight - 1 - y) * block.nPitch;
}

class PresentTarget {
public:
    virtual ~PresentTarget() = default;
    // Draws every pixel of the block unchanged with its top-left pixel at (x, y).
    virtual void DrawPixels(int x, int y, const PixelBlock& block) = 0;
};
