// What the native half's files share: UTF-16 texts for the wide functions, and the scaling
// of top-level windows to their display's DPI.
#pragma once

#include "win32_native.h"

#include <cstdint>
#include <string>

namespace w32 {
std::wstring Widen(const std::string& strUtf8);

// Gives a new top-level window its factor for the DPI of its display and grows it to match.
void ScaleNewTopLevel(Handle hWnd);
// Resizes a top-level window so that its client area is nWidth x nHeight system pixels,
// keeping its centre where it was.
void FitClientArea(Handle hWnd, int nWidth, int nHeight);
// WM_DPICHANGED: the new factor, the children moved to match, and the window at the place
// the system suggests (pSuggested is the message's RECT).
void OnDpiChanged(Handle hWnd, std::uint32_t nDpi, const void* pSuggested);
} // namespace w32
