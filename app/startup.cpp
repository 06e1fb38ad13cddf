#include "startup.h"

#include "asset_folder.h"
#include "command_line.h"
#include "drillapp.h"

#include "game/picture_files.h"
#include "platform/window_scale.h"

StartRequest PrepareStart(int argc, const char* const* argv, CDrillApp& app, std::ostream& out,
                          std::ostream& err) {
    StartRequest start;
    const CommandLine cmd = ParseCommandLine(argc, argv);
    // The data folder's place relative to the program's is the install layout's.
    const auto folders = AssetFolders(ProgramPath(argc > 0 ? argv[0] : nullptr), MORVANE_DATA_FROM_BIN);
    switch (cmd.action) {
    case CommandLine::Action::Help:
        WriteUsage(out, folders);
        return start;
    case CommandLine::Action::Version:
        out << "morvane " << MORVANE_VERSION_TEXT << '\n';
        return start;
    case CommandLine::Action::Error:
        err << "morvane: " << cmd.strError << '\n';
        start.nStatus = EXIT_USAGE;
        return start;
    case CommandLine::Action::Run:
        break;
    }
    app.SetPictureSearch(FindAssets(folders, PictureFileNames()));
    AfxSetWindowScale(cmd.nScale);
    start.bRun = true;
    return start;
}
