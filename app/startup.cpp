#include "startup.h"

#include "asset_folder.h"
#include "command_line.h"
#include "drillapp.h"

#include "game/picture_files.h"
#include "platform/program_file.h"
#include "platform/user_report.h"
#include "platform/window_scale.h"

namespace {
// The folders beside the program's that may hold its pictures, in order: the install
// layout's data folder, and on Windows first the program's own folder (the release's).
std::vector<std::filesystem::path> FoldersBesideProgram() {
#if MORVANE_DATA_BESIDE_PROGRAM
    return {".", MORVANE_DATA_FROM_BIN};
#else
    return {MORVANE_DATA_FROM_BIN};
#endif
}
} // namespace

StartRequest PrepareStart(int argc, const char* const* argv, CDrillApp& app, std::ostream& out,
                          std::ostream& err) {
    StartRequest start;
    const CommandLine cmd = ParseCommandLine(argc, argv);
    const auto folders = AssetFolders(AfxProgramFile(argc > 0 ? argv[0] : nullptr), FoldersBesideProgram());
    switch (cmd.action) {
    case CommandLine::Action::Help:
        WriteUsage(out, folders);
        return start;
    case CommandLine::Action::Version:
        out << "morvane " << MORVANE_VERSION_TEXT << '\n';
        return start;
    case CommandLine::Action::Error:
        err << "morvane: " << cmd.strError << '\n';
        if (AfxReportCarriesUsage()) {
            err << '\n';
            WriteUsage(err, folders);
        }
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
