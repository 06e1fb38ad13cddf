// The program's command line: --help, --version and --scale N; anything else is an error.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// The version --version prints; the build passes the project's.
extern const char* const MORVANE_VERSION_TEXT;
// The largest --scale: beyond it the window outgrows any screen.
inline constexpr int MAX_SCALE = 16;

struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    int nScale = 1;       // whole factor for the window's picture
    std::string strError; // for Error: what is wrong, in one line
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// Exit statuses besides 0: a bad command line.
inline constexpr int EXIT_USAGE = 2;

// The --help text: usage, the keys, and the folders the pictures are looked for in.
void WriteUsage(std::ostream& out, const std::vector<std::filesystem::path>& folders);
