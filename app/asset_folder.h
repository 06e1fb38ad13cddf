// Where the game's pictures are read from. All of them come from one folder: the current
// folder when it holds every picture file (so a folder of one's own pictures wins), else
// the folders found from the program's own place: <prefix>/share/morvane for
// <prefix>/bin/morvane (a build tree links the same place to the source pictures), and on
// Windows first the program's own folder, where the release puts them.
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

// The folders to look in, in order: the current folder (empty path), then, when the program
// is known, each of besideProgram taken relative to the program's folder ("." for the folder
// itself).
std::vector<std::filesystem::path> AssetFolders(const std::filesystem::path& program,
                                                const std::vector<std::filesystem::path>& besideProgram);

AssetSearch FindAssets(const std::vector<std::filesystem::path>& folders,
                       const std::vector<std::string>& files);

// A folder as a user reads it, in UTF-8: the current folder by its absolute name.
std::string FolderName(const std::filesystem::path& folder);
// Any path in UTF-8, whatever the system's own encoding of names.
std::string PathText(const std::filesystem::path& path);
