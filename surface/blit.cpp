// The block transfers that compose every screen.
#include "surface.h"

#include "keyed_row.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {
// Chosen once, on the first keyed copy, for the processor the program runs on.
keyed::RowFn KeyedRow() {
    static const keyed::RowFn row = keyed::BestRow();
    return row;
}
} // namespace

void Surface::BlitKeyed(int x, int y, const Surface& src) {
    const keyed::RowFn row = KeyedRow();
    for (int i = 0; i < src.m_nHeight; ++i)
        row(PixelAt(x, y + i), src.PixelAt(0, i), src.m_nWidth);
}

void Surface::BlitKeyedRect(int x, int y, const Surface& src, int sx, int sy, int w, int h) {
    if (h <= 0 || w <= 0)
        return;
    const keyed::RowFn row = KeyedRow();
    for (int i = 0; i < h; ++i)
        row(PixelAt(x, y + i), src.PixelAt(sx, sy + i), w);
}

void Surface::Blend(int x, int y, const Surface& src) {
    for (int i = 0; i < src.m_nHeight; ++i) {
        std::uint8_t* pDst = PixelAt(x, y + i);
        const std::uint8_t* pSrc = src.PixelAt(0, i);
        for (int k = 0; k < src.m_nWidth * 3; ++k)
            pDst[k] = static_cast<std::uint8_t>((unsigned{pDst[k]} + unsigned{pSrc[k]}) / 2);
    }
}

void Surface::BlitClipped(int x, int y, const Surface& src, int sx, int sy, int w, int h) {
    // 64-bit so that no origin or size, however extreme, can overflow while clipping.
    std::int64_t dx = x, dy = y, srcX = sx, srcY = sy, cols = w, rows = h;
    if (dx < 0) { // the part left of this surface is dropped
        srcX -= dx;
        cols += dx;
        dx = 0;
    }
    if (dx > m_nWidth)
        return;
    if (dy < 0) {
        srcY -= dy;
        rows += dy;
        dy = 0;
    }
    if (dy > m_nHeight)
        return;
    if (srcX < 0) { // and so is the part left of or above the source
        dx -= srcX;
        cols += srcX;
        srcX = 0;
    }
    if (srcY < 0) {
        dy -= srcY;
        rows += srcY;
        srcY = 0;
    }
    cols = std::min({cols, m_nWidth - dx, src.m_nWidth - srcX});
    rows = std::min({rows, m_nHeight - dy, src.m_nHeight - srcY});
    if (cols <= 0 || rows <= 0)
        return;
    for (std::int64_t i = 0; i < rows; ++i)
        std::memcpy(PixelAt(static_cast<int>(dx), static_cast<int>(dy + i)),
                    src.PixelAt(static_cast<int>(srcX), static_cast<int>(srcY + i)),
                    static_cast<std::size_t>(cols) * 3);
}
