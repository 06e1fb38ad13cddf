// Before the window: the command line, the folder the pictures are read from, and the
// message when no folder holds them all.
#include "app/asset_folder.h"
#include "app/command_line.h"
#include "app/drillapp.h"
#include "app/load_report.h"
#include "app/startup.h"
#include "game/picture_files.h"
#include "platform/program_file.h"
#include "platform/window_scale.h"
#include "testkit/game_assets.h"

#include <sstream>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using Action = CommandLine::Action;

CommandLine Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "morvane");
    return ParseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLineTest, OptionsAndTheirMistakes) {
    struct Case {
        std::vector<const char*> args;
        Action action;
        int nScale;
    };
    const Case cases[] = {
        {{}, Action::Run, 1},
        {{"--scale", "3"}, Action::Run, 3},
        {{"--scale=16"}, Action::Run, 16},
        {{"--help"}, Action::Help, 1},
        {{"-h"}, Action::Help, 1},
        {{"--version"}, Action::Version, 1},
        {{"--bogus"}, Action::Error, 1},
        {{"-platform"}, Action::Error, 1},
        {{"title.bmp"}, Action::Error, 1},
        {{"--scale"}, Action::Error, 1},
    };
    for (const Case& c : cases) {
        const CommandLine cmd = Parse(c.args);
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0]);
        EXPECT_EQ(cmd.action, c.action);
        EXPECT_EQ(cmd.action == Action::Error, !cmd.strError.empty());
        if (cmd.action == Action::Run) {
            EXPECT_EQ(cmd.nScale, c.nScale);
        }
    }
    for (const char* pszScale : {"0", "17", "-2", "1.5", "2x", ""})
        EXPECT_EQ(Parse({"--scale", pszScale}).action, Action::Error) << pszScale;
}

struct Started {
    StartRequest start;
    std::string strOut, strErr;
};

Started Start(CDrillApp& app, std::vector<const char*> args) {
    args.insert(args.begin(), "morvane");
    std::ostringstream out, err;
    Started s{PrepareStart(static_cast<int>(args.size()), args.data(), app, out, err), {}, {}};
    s.strOut = out.str();
    s.strErr = err.str();
    return s;
}

// Linux (/proc/self/exe) and Windows (the module's file name) name the running program's
// file. Elsewhere a program started by a bare name does not know its folder.
#if defined(__linux__) || defined(_WIN32)
constexpr bool KNOWS_ITS_OWN_FILE = true;
#else
constexpr bool KNOWS_ITS_OWN_FILE = false;
#endif

TEST(StartupTest, HelpVersionAndABadOptionEndWithTheirStatus) {
    CDrillApp app;
    const Started version = Start(app, {"--version"});
    EXPECT_FALSE(version.start.bRun);
    EXPECT_EQ(version.start.nStatus, 0);
    EXPECT_EQ(version.strOut, "morvane 1.0.1\n");

    const Started help = Start(app, {"--help"});
    EXPECT_FALSE(help.start.bRun);
    EXPECT_EQ(help.start.nStatus, 0);
    EXPECT_NE(help.strOut.find("Usage: morvane"), std::string::npos);
    if (KNOWS_ITS_OWN_FILE) {
        EXPECT_NE(help.strOut.find((fs::path("share") / "morvane").string()), std::string::npos)
            << "the data folder is listed";
    }

    const Started bad = Start(app, {"--fullscreen"});
    EXPECT_FALSE(bad.start.bRun);
    EXPECT_EQ(bad.start.nStatus, 2);
    EXPECT_TRUE(bad.strOut.empty());
    EXPECT_EQ(bad.strErr.rfind("morvane: ", 0), 0u);
    EXPECT_EQ(std::count(bad.strErr.begin(), bad.strErr.end(), '\n'), 1);

    const Started run = Start(app, {"--scale", "2"});
    EXPECT_TRUE(run.start.bRun);
    EXPECT_EQ(AfxGetWindowScale(), 2);
    AfxSetWindowScale(1);
    EXPECT_TRUE(run.strOut.empty() && run.strErr.empty());
}

TEST(AssetFolderTest, TheFoldersBesideTheProgramFollowTheCurrentOneInOrder) {
    EXPECT_EQ(AssetFolders("/opt/m/bin/morvane", {"../share/morvane"}),
              (std::vector<fs::path>{fs::path(), "/opt/m/share/morvane"}));
    EXPECT_EQ(AssetFolders("/opt/m/morvane", {".", "../share/morvane"}),
              (std::vector<fs::path>{fs::path(), "/opt/m", "/opt/share/morvane"}));
    EXPECT_EQ(AssetFolders(fs::path(), {"../share/morvane"}), std::vector<fs::path>{fs::path()});
    if (KNOWS_ITS_OWN_FILE) {
        EXPECT_EQ(AfxProgramFile(nullptr).stem(), "app_tests");
    }
}

// The current folder and one other, each with all the pictures, some or none.
class AssetSearchTest : public ::testing::Test {
protected:
    AssetSearchTest() : m_oldDir(fs::current_path()) {
        fs::create_directories(current);
        fs::create_directories(data);
        fs::current_path(current);
    }
    ~AssetSearchTest() override { fs::current_path(m_oldDir); }

    void Fill(const fs::path& folder, std::initializer_list<const char*> missing) {
        testkit::WriteGameAssets(folder);
        for (const char* pszFile : missing)
            fs::remove(folder / pszFile);
    }
    AssetSearch Find() const { return FindAssets({fs::path(), data}, PictureFileNames()); }

    testkit::TempDir dir;
    fs::path current = dir.Path() / "here";
    fs::path data = dir.Path() / "share";

private:
    fs::path m_oldDir;
};

TEST_F(AssetSearchTest, TheFirstFolderHoldingEveryPictureWins) {
    Fill(current, {});
    Fill(data, {});
    AssetSearch search = Find();
    EXPECT_TRUE(search.bComplete);
    EXPECT_EQ(search.folder, fs::path());

    fs::remove(current / "Z.bmp");
    search = Find();
    EXPECT_TRUE(search.bComplete);
    EXPECT_EQ(search.folder, data);
}

TEST_F(AssetSearchTest, WithNoneCompleteTheFullestFolderIsReportedWithEveryFolderLookedIn) {
    Fill(data, {"Q.bmp"});
    const AssetSearch search = Find();
    EXPECT_FALSE(search.bComplete);
    EXPECT_EQ(search.folder, data);

    std::ostringstream out;
    WriteLoadFailures(out, {{"Q.bmp", "no such file"}}, search);
    EXPECT_EQ(out.str(), "morvane: no folder holds every picture; looked in " + current.string() + ", " +
                             data.string() + "\nmorvane: " + (data / "Q.bmp").string() + ": no such file\n");
}

} // namespace
