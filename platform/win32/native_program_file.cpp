// The program's file on Windows: the module's own name in UTF-16, so that a folder named in
// any script is found as it is; and names that the narrow C library opens.
#include "platform/program_file.h"

#include <windows.h>

#include <string>
#include <vector>

std::filesystem::path AfxProgramFile(const char* /*pszArgv0*/) {
    // Long paths (\\?\ names) reach 32767 characters; the buffer grows until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size())
            return std::filesystem::path(std::wstring(buffer.data(), n));
        if (buffer.size() >= 32768)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

namespace {
// The name in plain ASCII, or empty when it has any other character.
std::string Ascii(const std::wstring& wide) {
    std::string text;
    for (wchar_t c : wide) {
        if (c == 0 || c > 0x7F)
            return {};
        text.push_back(static_cast<char>(c));
    }
    return text;
}

std::string Utf8(const std::wstring& wide) {
    if (wide.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string text(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr,
                        nullptr);
    return text;
}
} // namespace

// The C library and the standard library's narrow paths read a name through different code
// pages (the system's, and the C locale's), so only ASCII means the same file to both.
std::string AfxOpenableName(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (std::string text = Ascii(wide); !text.empty() || wide.empty())
        return text;
    if (const DWORD n = GetShortPathNameW(wide.c_str(), nullptr, 0); n > 0) {
        std::wstring shortName(n, L'\0');
        shortName.resize(GetShortPathNameW(wide.c_str(), shortName.data(), n));
        if (std::string text = Ascii(shortName); !text.empty())
            return text;
    }
    return Utf8(wide);
}
