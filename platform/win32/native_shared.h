// What the native half's files share: UTF-16 texts for the wide functions.
#pragma once

#include <string>

namespace w32 {
std::wstring Widen(const std::string& strUtf8);
} // namespace w32
