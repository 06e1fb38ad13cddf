#include "window_scale.h"

namespace {
int s_nWindowScale = 1;
} // namespace

void AfxSetWindowScale(int nScale) {
    s_nWindowScale = nScale < 1 ? 1 : nScale;
}

int AfxGetWindowScale() {
    return s_nWindowScale;
}
