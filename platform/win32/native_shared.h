// What the native half's files share: UTF-16 texts for the wide functions, and the window
// property that holds a top-level window's accelerator table.
#pragma once

#include <string>

namespace w32 {
std::wstring Widen(const std::string& strUtf8);

inline constexpr wchar_t ACCEL_PROPERTY[] = L"Morvane.Accelerators";
} // namespace w32
