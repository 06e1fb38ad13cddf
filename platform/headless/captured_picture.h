// What a headless window last showed: a top-down RGB copy of its client area, filled by
// the paints of its OnPaint, with a pixel reader and a hash for comparing whole screens.
#pragma once

#include "surface/present_target.h"

#include <cstdint>
#include <vector>

class CapturedPicture {
public:
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    bool IsEmpty() const { return m_nWidth == 0 || m_nHeight == 0; }

    // Makes the picture w x h; the pixels are kept where the old and new sizes overlap.
    void Resize(int w, int h);
    // Paints every pixel with one colour (0xRRGGBB), as a window's background brush does.
    void Fill(std::uint32_t rgb);
    // Copies a surface's pixels with their top-left at (x, y), dropping what lies outside.
    void Draw(int x, int y, const PixelBlock& block);

    // 0xRRGGBB of pixel (x, y); 0 outside the picture.
    std::uint32_t PixelAt(int x, int y) const;
    // FNV-1a over the size and every pixel: equal pictures, equal hashes.
    std::uint64_t Hash() const;
    // Red, green, blue bytes, rows top-down without padding.
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<std::uint8_t> m_bytes;
};
