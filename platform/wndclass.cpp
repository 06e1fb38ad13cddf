#include "wndclass.h"

#include <cstdio>
#include <deque>
#include <string>

namespace {
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
