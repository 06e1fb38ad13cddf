// Window classes: what a window looks like before it paints (its background brush) and
// its cursor. Registering the same description twice gives the same name.
#pragma once

#include "wintypes.h"

#include <cstdint>
#include <optional>

using HCURSOR = const char*;
using HBRUSH = std::intptr_t;
using HICON = const char*;

// One object for the whole program, so every file that names the cursor gets the same
// pointer (a string literal may have a different address in each file that spells it).
inline constexpr char IDC_ARROW_NAME[] = "arrow";
constexpr HCURSOR IDC_ARROW = IDC_ARROW_NAME;

struct WndClassInfo {
    UINT nClassStyle = 0;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = 0; // 0: no background; otherwise a system colour index + 1
    HICON hIcon = nullptr;
};

inline HCURSOR LoadCursorA(const void* /*hInstance*/, HCURSOR id) {
    return id;
}

// Returns a class name standing for this description; the name stays valid for the run.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = 0,
                           HICON hIcon = nullptr);
// The description of a name made by AfxRegisterWndClass, or null for any other name.
const WndClassInfo* AfxLookupWndClass(LPCSTR lpszClassName);

// The colour (0xRRGGBB) a window of this class is erased with: its brush's system colour in
// the classic Windows scheme, the same on every desktop. None for a class without a brush
// (or an unknown class): such a window is not erased.
std::optional<std::uint32_t> AfxClassBackgroundRgb(LPCSTR lpszClassName);
