// Window styles in Qt's terms: which title-bar buttons a top-level window gets and whether
// it can be resized.
#pragma once

#include "platform/wintypes.h"

#include <QtCore/qnamespace.h>

Qt::WindowFlags TopLevelWindowFlags(DWORD dwStyle, bool bDialog);
// Only a sizing border (WS_THICKFRAME) lets the user resize a window.
constexpr bool IsResizable(DWORD dwStyle) {
    return (dwStyle & WS_THICKFRAME) != 0;
}
