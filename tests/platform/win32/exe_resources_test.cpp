// The shipped 32-bit program: a PE32 i386 GUI executable whose resources, all in Japanese
// (0x0411), are the window layer's tables, read back from the built file.
#include "app/drill_resources.h"
#include "app/icon_data.h"
#include "app/resource.h"
#include "exe_resources.h"

#include <array>
#include <cctype>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

namespace {

// Little-endian reads of the file's PE headers.
std::uint32_t Le(const std::vector<char>& b, std::size_t at, int nBytes) {
    std::uint32_t v = 0;
    for (int i = nBytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(at + i < b.size() ? b[at + i] : 0);
    return v;
}

class ShippedProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        AfxSetResourceHandle(&g_drillResources);
        std::string strError;
        std::vector<unsigned> ids;
        for (const StringEntry& s : g_drillResources.strings)
            ids.push_back(s.nID);
        s_program = exeres::ReadProgram(MORVANE_SHIPPED_EXE, IDR_MAINFRAME, IDD_ABOUTBOX, ids, &strError);
        s_strError = strError;
    }
    void SetUp() override { ASSERT_TRUE(s_program) << s_strError; }

    static inline std::optional<exeres::Program> s_program;
    static inline std::string s_strError;
};

TEST(ShippedProgramFileTest, IsA32BitIntelGuiProgram) {
    std::ifstream in(MORVANE_SHIPPED_EXE, std::ios::binary);
    ASSERT_TRUE(in) << MORVANE_SHIPPED_EXE;
    const std::vector<char> b{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::uint32_t pe = Le(b, 0x3C, 4);
    ASSERT_EQ(Le(b, pe, 4), 0x00004550u);  // "PE\0\0"
    EXPECT_EQ(Le(b, pe + 4, 2), 0x014Cu);  // i386
    EXPECT_EQ(Le(b, pe + 24, 2), 0x010Bu); // PE32, not PE32+
    EXPECT_EQ(Le(b, pe + 24 + 68, 2), 2u); // the Windows GUI subsystem
}

TEST_F(ShippedProgramTest, EveryResourceIsJapanese) {
    EXPECT_EQ(s_program->languages, std::vector<std::uint16_t>{g_drillResources.wLanguage});
}

TEST_F(ShippedProgramTest, MenuAcceleratorsAndStringsAreTheLayers) {
    std::vector<exeres::MenuItem> expected;
    for (const MenuPopup& popup : AfxFindMenu(IDR_MAINFRAME)->popups) {
        expected.push_back({popup.pszText, 0x10, 0, 0}); // MF_POPUP
        for (const MenuItem& item : popup.items)
            expected.push_back({item.pszText, 0, static_cast<std::uint16_t>(item.nID), 1});
    }
    ASSERT_EQ(s_program->menu.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(s_program->menu[i].strText, expected[i].strText);
        EXPECT_EQ(s_program->menu[i].nFlags, expected[i].nFlags) << expected[i].strText;
        EXPECT_EQ(s_program->menu[i].nID, expected[i].nID) << expected[i].strText;
        EXPECT_EQ(s_program->menu[i].nLevel, expected[i].nLevel) << expected[i].strText;
    }

    const std::span<const ACCEL> accels = AfxFindAccelTable(IDR_MAINFRAME)->entries;
    ASSERT_EQ(s_program->accels.size(), accels.size());
    for (std::size_t i = 0; i < accels.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(s_program->accels[i].nFlags, accels[i].fVirt);
        EXPECT_EQ(s_program->accels[i].nKey, accels[i].key);
        EXPECT_EQ(s_program->accels[i].nCmd, accels[i].cmd);
    }

    ASSERT_EQ(s_program->strings.size(), g_drillResources.strings.size());
    for (std::size_t i = 0; i < s_program->strings.size(); ++i)
        EXPECT_EQ(s_program->strings[i].second, g_drillResources.strings[i].pszText);
}

TEST_F(ShippedProgramTest, TheAboutBoxTemplateIsTheLayers) {
    const DialogTemplate& dlg = *AfxFindDialog(IDD_ABOUTBOX);
    const exeres::Dialog& d = s_program->dialog;
    EXPECT_EQ(d.dwStyle, dlg.style);
    EXPECT_EQ(d.dwExStyle, dlg.dwExStyle);
    EXPECT_EQ((std::array{d.x, d.y, d.cx, d.cy}), (std::array{dlg.x, dlg.y, dlg.cx, dlg.cy}));
    EXPECT_EQ(d.strCaption, dlg.pszCaption);
    EXPECT_EQ(d.nPointSize, dlg.wPointSize);
    EXPECT_EQ(d.strFace, dlg.pszFaceName);
    ASSERT_EQ(d.controls.size(), dlg.controls.size());
    for (std::size_t i = 0; i < d.controls.size(); ++i) {
        SCOPED_TRACE(i);
        const exeres::Control& c = d.controls[i];
        const DialogControl& l = dlg.controls[i];
        EXPECT_EQ(c.dwStyle, l.style);
        EXPECT_EQ(c.dwExStyle, 0u);
        EXPECT_EQ((std::array{c.x, c.y, c.cx, c.cy}), (std::array{l.x, l.y, l.cx, l.cy}));
        EXPECT_EQ(c.nID, static_cast<std::uint16_t>(l.nID));
        // The class by its atom or by its name: the system takes either.
        const bool bButton = l.kind == ControlClass::Button;
        std::string strClass = c.strClass;
        for (char& ch : strClass)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_TRUE(c.nClassAtom == (bButton ? 0x80 : 0x82) || strClass == (bButton ? "BUTTON" : "STATIC"))
            << c.nClassAtom << " " << c.strClass;
        if (l.pszText) {
            EXPECT_EQ(c.strText, l.pszText);
        } else {
            EXPECT_EQ(c.nTextOrdinal, l.nIconID);
        }
    }
}

TEST_F(ShippedProgramTest, TheIconGroupHoldsTheImagesOfTheIconFile) {
    // The .ico directory: a six-byte header, then 16 bytes an image.
    const std::span<const std::uint8_t> ico = IconFileBytes();
    ASSERT_GE(ico.size(), 6u);
    const std::size_t count = ico[4] | (ico[5] << 8);
    ASSERT_EQ(s_program->icons.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = ico.data() + 6 + 16 * i;
        const exeres::IconEntry& got = s_program->icons[i];
        EXPECT_EQ(got.nWidth, e[0]);
        EXPECT_EQ(got.nHeight, e[1]);
        EXPECT_EQ(got.nColours, e[2]);
        EXPECT_EQ(got.nBitCount, e[6] | (e[7] << 8));
        EXPECT_EQ(got.nBytes,
                  std::uint32_t{e[8]} | (e[9] << 8) | (e[10] << 16) | (std::uint32_t{e[11]} << 24));
    }
}

TEST_F(ShippedProgramTest, TheVersionBlockIsTheLayers) {
    const VersionInfo& ver = *g_drillResources.pVersion;
    const exeres::Version& v = s_program->version;
    auto ms = [](const WORD(&w)[4]) { return (std::uint32_t{w[0]} << 16) | w[1]; };
    auto ls = [](const WORD(&w)[4]) { return (std::uint32_t{w[2]} << 16) | w[3]; };
    EXPECT_EQ(v.fileMS, ms(ver.fileVersion));
    EXPECT_EQ(v.fileLS, ls(ver.fileVersion));
    EXPECT_EQ(v.productMS, ms(ver.productVersion));
    EXPECT_EQ(v.productLS, ls(ver.productVersion));
    EXPECT_EQ(v.dwFlagsMask, ver.dwFileFlagsMask);
    EXPECT_EQ(v.dwFlags, ver.dwFileFlags);
    EXPECT_EQ(v.dwOS, ver.dwFileOS);
    EXPECT_EQ(v.dwType, ver.dwFileType);
    EXPECT_EQ(v.dwSubtype, ver.dwFileSubtype);
    EXPECT_EQ(v.strStringBlock, ver.pszStringBlock);
    ASSERT_EQ(v.strings.size(), ver.strings.size());
    for (std::size_t i = 0; i < ver.strings.size(); ++i) {
        EXPECT_EQ(v.strings[i].first, ver.strings[i].pszKey);
        EXPECT_EQ(v.strings[i].second, ver.strings[i].pszValue) << ver.strings[i].pszKey;
    }
    EXPECT_EQ(v.wTranslationLanguage, ver.wLanguage);
    EXPECT_EQ(v.wTranslationCodePage, ver.wCodePage);
}

} // namespace
