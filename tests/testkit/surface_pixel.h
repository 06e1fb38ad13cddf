// The colour of one pixel of a surface, as the tests compare it.
#pragma once

#include "surface/surface.h"
#include "testkit/bmp_bytes.h"

namespace testkit {

inline Rgb At(const Surface& s, int x, int y) {
    const std::uint8_t* p = s.PixelAt(x, y);
    return Rgb{p[2], p[1], p[0]};
}

} // namespace testkit
