// The keyed copy written the plain way, one pixel at a time: what every faster keyed copy
// must match byte for byte, and the yardstick the benchmarks compare it with.
#pragma once

#include "surface/surface.h"

#include <cstdint>

namespace testkit {

// Copies the w x h rectangle of src at (sx, sy) to (x, y) of dst; exact black is skipped.
inline void ReferenceBlitKeyedRect(Surface& dst, int x, int y, const Surface& src, int sx, int sy, int w,
                                   int h) {
    for (int i = 0; i < h; ++i) {
        std::uint8_t* pDst = dst.PixelAt(x, y + i);
        const std::uint8_t* pSrc = src.PixelAt(sx, sy + i);
        for (int j = 0; j < w; ++j, pDst += 3, pSrc += 3) {
            if (pSrc[0] != 0 || pSrc[1] != 0 || pSrc[2] != 0) {
                pDst[0] = pSrc[0];
                pDst[1] = pSrc[1];
                pDst[2] = pSrc[2];
            }
        }
    }
}

} // namespace testkit
