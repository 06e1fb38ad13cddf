#include "window_scale.h"

#include <cmath>

namespace {
int s_nWindowScale = 1;
} // namespace

void AfxSetWindowScale(int nScale) {
    s_nWindowScale = nScale < 1 ? 1 : nScale;
}

int AfxGetWindowScale() {
    return s_nWindowScale;
}

int AfxWholeScale(double devicePixelRatio) {
    // A ratio computed as 1.9999999 is meant as 2.
    const double whole = std::floor(devicePixelRatio + 1e-6);
    return whole < 1 || std::isnan(whole) ? 1 : whole > 64 ? 64 : static_cast<int>(whole);
}

int AfxWindowFactor(double devicePixelRatio) {
    return AfxWholeScale(devicePixelRatio) * s_nWindowScale;
}
