#include "wndclass.h"

#include <cstdio>
#include <deque>
#include <iterator>
#include <string>

namespace {
// The classic Windows scheme, by system colour index (COLOR_SCROLLBAR to COLOR_BTNHIGHLIGHT).
constexpr std::uint32_t SYSTEM_COLOURS[] = {
    0xC0C0C0, 0x008080, 0x000080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000,
    0x000000, 0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x000080,
    0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF,
};

struct RegisteredClass {
    std::string strName;
    WndClassInfo info;
};
// A deque keeps every name's address stable for the whole run.
std::deque<RegisteredClass>& Registry() {
    static std::deque<RegisteredClass> registry;
    return registry;
}
} // namespace

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    for (const RegisteredClass& entry : Registry())
        if (entry.info.nClassStyle == nClassStyle && entry.info.hCursor == hCursor &&
            entry.info.hbrBackground == hbrBackground && entry.info.hIcon == hIcon)
            return entry.strName.c_str();
    char name[64];
    std::snprintf(name, sizeof name, "Afx:%x:%s:%lx:%s", nClassStyle, hCursor ? hCursor : "0",
                  static_cast<long>(hbrBackground), hIcon ? hIcon : "0");
    Registry().push_back({name, WndClassInfo{nClassStyle, hCursor, hbrBackground, hIcon}});
    return Registry().back().strName.c_str();
}

const WndClassInfo* AfxLookupWndClass(LPCSTR lpszClassName) {
    if (!lpszClassName)
        return nullptr;
    for (const RegisteredClass& entry : Registry())
        if (entry.strName == lpszClassName)
            return &entry.info;
    return nullptr;
}

std::optional<std::uint32_t> AfxClassBackgroundRgb(LPCSTR lpszClassName) {
    const WndClassInfo* pInfo = AfxLookupWndClass(lpszClassName);
    // A brush is a system colour index + 1.
    const HBRUSH index = pInfo ? pInfo->hbrBackground - 1 : -1;
    if (index < 0 || index >= static_cast<HBRUSH>(std::size(SYSTEM_COLOURS)))
        return std::nullopt;
    return SYSTEM_COLOURS[index];
}
