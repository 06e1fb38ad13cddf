// Where the game's pictures are read from. All of them come from one folder: the current
// folder when it holds every picture file (so a folder of one's own pictures wins), else
// the data folder found from the program's own place, <prefix>/share/morvane for
// <prefix>/bin/morvane (a build tree links the same place to the source pictures).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct AssetSearch {
    // The folder to read; empty for the current one.
    std::filesystem::path folder;
    // Whether that folder holds every picture file. When none does, folder is the one that
    // holds the most (the first of equals), so that the errors say what is missing there.
    bool bComplete = true;
    // Every folder looked at, in order, as the user would name them.
    std::vector<std::filesystem::path> searched;
};

// The running program's file: /proc/self/exe where there is one, else argv[0] made
// absolute (looked up on PATH when it names no folder). Empty when neither is known.
std::filesystem::path ProgramPath(const char* pszArgv0);

// The folders to look in, in order: the current folder (empty path), then the data folder
// at dataFromBin relative to the program's folder, when the program is known.
std::vector<std::filesystem::path> AssetFolders(const std::filesystem::path& program,
                                                const std::filesystem::path& dataFromBin);

AssetSearch FindAssets(const std::vector<std::filesystem::path>& folders,
                       const std::vector<std::string>& files);

// A folder as a user reads it: the current folder by its absolute name.
std::string FolderName(const std::filesystem::path& folder);
