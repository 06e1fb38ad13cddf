#include "asset_folder.h"

#include <cstdlib>
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

int CountFiles(const fs::path& folder, const std::vector<std::string>& files) {
    int nFound = 0;
    for (const std::string& strFile : files) {
        std::error_code ec;
        if (fs::is_regular_file(folder.empty() ? fs::path(strFile) : folder / strFile, ec))
            ++nFound;
    }
    return nFound;
}
} // namespace

fs::path ProgramPath(const char* pszArgv0) {
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

std::vector<fs::path> AssetFolders(const fs::path& program, const fs::path& dataFromBin) {
    std::vector<fs::path> folders{fs::path()};
    if (!program.empty())
        folders.push_back((program.parent_path() / dataFromBin).lexically_normal());
    return folders;
}

AssetSearch FindAssets(const std::vector<fs::path>& folders, const std::vector<std::string>& files) {
    AssetSearch search;
    search.searched = folders;
    int nBest = -1;
    for (const fs::path& folder : folders) {
        const int nFound = CountFiles(folder, files);
        if (nFound == static_cast<int>(files.size())) {
            search.folder = folder;
            search.bComplete = true;
            return search;
        }
        if (nFound > nBest) {
            nBest = nFound;
            search.folder = folder;
        }
    }
    search.bComplete = false;
    return search;
}

std::string FolderName(const fs::path& folder) {
    if (!folder.empty())
        return folder.string();
    std::error_code ec;
    const fs::path current = fs::current_path(ec);
    return ec ? std::string("the current folder") : current.string();
}
