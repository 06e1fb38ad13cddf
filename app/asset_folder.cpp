#include "asset_folder.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {
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

std::vector<fs::path> AssetFolders(const fs::path& program, const std::vector<fs::path>& besideProgram) {
    std::vector<fs::path> folders{fs::path()};
    if (program.empty())
        return folders;
    for (const fs::path& relative : besideProgram)
        folders.push_back(relative == "." ? program.parent_path()
                                          : (program.parent_path() / relative).lexically_normal());
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

std::string PathText(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string FolderName(const fs::path& folder) {
    if (!folder.empty())
        return PathText(folder);
    std::error_code ec;
    const fs::path current = fs::current_path(ec);
    return ec ? std::string("the current folder") : PathText(current);
}
