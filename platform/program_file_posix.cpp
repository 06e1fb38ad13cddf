// The program's file on POSIX systems: /proc/self/exe where there is one, else argv[0] made
// absolute (looked up on PATH when it names no folder).
#include "program_file.h"

#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace {
// The folder on PATH that holds an executable of this name, or an empty path.
fs::path FindOnPath(const std::string& strName) {
    const char* pszPath = std::getenv("PATH");
    std::string_view rest = pszPath ? pszPath : "";
    while (!rest.empty()) {
        const std::size_t nEnd = rest.find(':');
        const std::string_view dir = rest.substr(0, nEnd);
        rest = nEnd == std::string_view::npos ? std::string_view{} : rest.substr(nEnd + 1);
        std::error_code ec;
        const fs::path candidate = fs::path(dir.empty() ? "." : dir) / strName;
        if (fs::is_regular_file(candidate, ec))
            return fs::absolute(candidate, ec);
    }
    return {};
}
} // namespace

fs::path AfxProgramFile(const char* pszArgv0) {
    std::error_code ec;
    if (fs::path self = fs::read_symlink("/proc/self/exe", ec); !ec)
        return self;
    const std::string strArgv0 = pszArgv0 ? pszArgv0 : "";
    if (strArgv0.empty())
        return {};
    if (strArgv0.find('/') == std::string::npos)
        return FindOnPath(strArgv0);
    fs::path program = fs::absolute(strArgv0, ec);
    return ec ? fs::path() : program;
}

std::string AfxOpenableName(const fs::path& path) {
    return path.string();
}
