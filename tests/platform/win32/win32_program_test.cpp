// The Windows program started as a player starts it, from a shortcut (no console): what it
// has to say in a message box, its pictures found beside it from any folder, and its window
// at the whole factor of the display's DPI.
#include "native_probe.h"
#include "platform/window_scale.h"
#include "testkit/game_assets.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
constexpr unsigned WAIT_MS = 30000;

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

class ProgramTest : public ::testing::Test {
protected:
    probe::Launch Launch(const std::string& strArgs, const fs::path& folder) const {
        return probe::LaunchProgram(Utf8(m_program), strArgs, Utf8(folder), WAIT_MS);
    }
    // A copy of the program in folder, so that where it lies is the test's choice.
    fs::path CopyProgramTo(const fs::path& folder) const {
        fs::create_directories(folder);
        fs::copy_file(m_program, folder / "morvane.exe");
        return folder / "morvane.exe";
    }

    testkit::TempDir dir;
    // MORVANE_PROGRAM names another build of the program to test (the shipped 32-bit one,
    // where this machine runs it).
    const fs::path m_program =
        fs::absolute(std::getenv("MORVANE_PROGRAM") ? std::getenv("MORVANE_PROGRAM") : MORVANE_EXECUTABLE);
};

TEST_F(ProgramTest, HelpVersionAndABadOptionShowAMessageBoxAndEndWithTheirStatus) {
    const probe::Launch version = Launch("--version", dir.Path());
    EXPECT_TRUE(version.bBox);
    EXPECT_EQ(version.strBoxCaption, "Morvane");
    EXPECT_EQ(version.strBoxText, "morvane 1.0.1");
    EXPECT_EQ(version.nExit, 0);

    const probe::Launch help = Launch("--help", dir.Path());
    EXPECT_EQ(help.strBoxText.rfind("Usage: morvane [--scale N]", 0), 0u) << help.strBoxText;
    EXPECT_EQ(help.nExit, 0);

    const probe::Launch bad = Launch("--bogus", dir.Path());
    EXPECT_EQ(bad.strBoxCaption, "Morvane");
    EXPECT_EQ(bad.strBoxText.rfind("morvane: unknown option '--bogus' (try --help)\n", 0), 0u)
        << bad.strBoxText;
    EXPECT_NE(bad.strBoxText.find("Usage: morvane"), std::string::npos) << "the usage follows";
    EXPECT_EQ(bad.nExit, 2);
    EXPECT_FALSE(version.bWindow || help.bWindow || bad.bWindow);
}

TEST_F(ProgramTest, AMissingPictureIsShownInAMessageBoxWithTheLinesLinuxPrints) {
    testkit::WriteGameAssets(dir.Path());
    fs::remove(dir.Path() / "Q.bmp");
    const fs::path copy = CopyProgramTo(dir.Path() / "bin");
    const probe::Launch launch = probe::LaunchProgram(Utf8(copy), "", Utf8(dir.Path()), WAIT_MS);
    EXPECT_EQ(launch.nExit, 1);
    EXPECT_FALSE(launch.bWindow);
    EXPECT_EQ(launch.strBoxCaption, "Morvane");
    const std::string strFirst = "morvane: no folder holds every picture; looked in " + Utf8(dir.Path()) +
                                 ", " + Utf8(dir.Path() / "bin") + ", " +
                                 Utf8(dir.Path() / "share" / "morvane");
    EXPECT_EQ(launch.strBoxText.rfind(strFirst + "\nmorvane: Q.bmp: ", 0), 0u) << launch.strBoxText;
}

TEST_F(ProgramTest, FromAnotherFolderThePicturesAreFoundBesideTheProgramInAJapaneseFolder) {
    // Where a Japanese player keeps games, with folder names outside any 8-bit code page.
    const fs::path game = fs::path(u8"C:\\Users\\プレイヤー\\ゲーム");
    fs::remove_all(game.parent_path());
    fs::create_directories(game);
    testkit::WriteGameAssets(game);
    const fs::path copy = CopyProgramTo(game);
    const fs::path elsewhere = dir.Path() / "elsewhere";
    fs::create_directories(elsewhere);
    const probe::Launch beside = probe::LaunchProgram(Utf8(copy), "", Utf8(elsewhere), WAIT_MS);
    fs::remove_all(game.parent_path());
    EXPECT_TRUE(beside.bWindow) << beside.strBoxText;
    EXPECT_EQ(beside.nExit, 0);

    // An installed layout: bin\morvane.exe with its pictures in share\morvane.
    fs::create_directories(dir.Path() / "share" / "morvane");
    testkit::WriteGameAssets(dir.Path() / "share" / "morvane");
    const probe::Launch installed =
        probe::LaunchProgram(Utf8(CopyProgramTo(dir.Path() / "bin")), "", Utf8(elsewhere), WAIT_MS);
    EXPECT_TRUE(installed.bWindow) << installed.strBoxText;
    EXPECT_EQ(installed.nExit, 0);
}

TEST_F(ProgramTest, TheWindowShowsAtTheWholeFactorOfTheDisplaysDpiTimesItsScale) {
    testkit::WriteGameAssets(dir.Path());
    const unsigned nDpi = probe::SystemDpi();
    const int f = AfxWholeScale(nDpi / 96.0);
    for (int nScale : {1, 2}) {
        const probe::Launch launch = Launch(nScale == 1 ? "" : "--scale 2", dir.Path());
        ASSERT_TRUE(launch.bWindow) << launch.strBoxText;
        const int cx = launch.rcClient.right - launch.rcClient.left,
                  cy = launch.rcClient.bottom - launch.rcClient.top;
        std::cout << "at " << nDpi << " DPI with scale " << nScale << ": client area " << cx << "x" << cy
                  << '\n';
        EXPECT_EQ(cx, 320 * f * nScale);
        EXPECT_EQ(cy, 240 * f * nScale);
        EXPECT_EQ(launch.nExit, 0);
    }
}

// Run by the Windows stage after it installed the program silently (MORVANE_SHORTCUT names the
// Start-menu shortcut it made); skipped otherwise.
TEST(InstalledProgramTest, TheStartMenuShortcutStartsTheGameInItsOwnFolder) {
    const char* pszLink = std::getenv("MORVANE_SHORTCUT");
    if (!pszLink)
        GTEST_SKIP() << "no installed shortcut named (MORVANE_SHORTCUT)";
    const probe::Shortcut shortcut = probe::ReadShortcut(pszLink);
    ASSERT_FALSE(shortcut.strTarget.empty()) << pszLink;
    const fs::path target = fs::path(std::u8string(shortcut.strTarget.begin(), shortcut.strTarget.end()));
    EXPECT_EQ(target.filename(), "morvane.exe");
    EXPECT_EQ(fs::path(std::u8string(shortcut.strFolder.begin(), shortcut.strFolder.end())),
              target.parent_path());
    const probe::Launch launch = probe::LaunchProgram(shortcut.strTarget, "", shortcut.strFolder, WAIT_MS);
    EXPECT_TRUE(launch.bWindow) << launch.strBoxText;
    EXPECT_EQ(launch.nExit, 0);
}

} // namespace
