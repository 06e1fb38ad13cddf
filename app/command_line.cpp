#include "command_line.h"

#include "asset_folder.h"

#include <charconv>
#include <string_view>

const char* const MORVANE_VERSION_TEXT = MORVANE_VERSION;

namespace {
CommandLine Error(std::string strError) {
    CommandLine cmd;
    cmd.action = CommandLine::Action::Error;
    cmd.strError = std::move(strError);
    return cmd;
}

// A whole number from 1 to MAX_SCALE, or 0.
int ParseScale(std::string_view text) {
    int nScale = 0;
    const auto [pEnd, ec] = std::from_chars(text.data(), text.data() + text.size(), nScale);
    if (ec != std::errc{} || pEnd != text.data() + text.size() || nScale < 1 || nScale > MAX_SCALE)
        return 0;
    return nScale;
}
} // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine cmd;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            cmd.action = CommandLine::Action::Help;
            return cmd;
        }
        if (arg == "--version") {
            cmd.action = CommandLine::Action::Version;
            return cmd;
        }
        if (arg == "--scale" || arg.starts_with("--scale=")) {
            std::string_view value;
            if (arg == "--scale") {
                if (i + 1 >= argc)
                    return Error("--scale needs a number");
                value = argv[++i];
            } else {
                value = arg.substr(8);
            }
            cmd.nScale = ParseScale(value);
            if (cmd.nScale == 0)
                return Error("--scale takes a whole number from 1 to " + std::to_string(MAX_SCALE) +
                             ", not '" + std::string(value) + "'");
            continue;
        }
        if (arg.starts_with("-"))
            return Error("unknown option '" + std::string(arg) + "' (try --help)");
        return Error("unexpected argument '" + std::string(arg) + "' (try --help)");
    }
    return cmd;
}

void WriteUsage(std::ostream& out, const std::vector<std::filesystem::path>& folders) {
    out << "Usage: morvane [--scale N]\n"
           "A keyboard practice game: press the key of the capital letter shown.\n"
           "\n"
           "  --scale N   show the picture N times larger (a whole number, 1 to "
        << MAX_SCALE
        << ")\n"
           "  --help      show this help and exit\n"
           "  --version   show the version and exit\n"
           "\n"
           "Keys: on the title screen F starts a game and J quits. During play press the\n"
           "letter shown; Esc asks whether to quit (Y / N). Letters are judged by what the\n"
           "key types on a Latin keyboard layout, and by their US position on others.\n"
           "\n"
           "The pictures are all read from the first of these folders that holds every one:\n";
    for (const std::filesystem::path& folder : folders)
        out << "  " << FolderName(folder) << (folder.empty() ? " (the current folder)" : "") << '\n';
}
