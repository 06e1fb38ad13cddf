#include "dlgunits.h"

#include "resources.h"

#include <cstdint>
#include <limits>

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = (c < 0 ? -static_cast<std::int64_t>(c) : c) / 2;
    const bool bNegative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (product < 0 ? -product : product) + half;
    const std::int64_t quotient = magnitude / (c < 0 ? -static_cast<std::int64_t>(c) : c);
    const std::int64_t result = bNegative ? -quotient : quotient;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(result);
}

RECT MapDialogRect(const RECT& rc, DialogBaseUnits units) {
    return RECT{MulDiv(rc.left, units.cx, 4), MulDiv(rc.top, units.cy, 8), MulDiv(rc.right, units.cx, 4),
                MulDiv(rc.bottom, units.cy, 8)};
}

std::string StaticControlText(const char* pszText, DWORD dwStyle) {
    const std::string text = pszText ? pszText : "";
    if (dwStyle & SS_NOPREFIX)
        return text;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}
