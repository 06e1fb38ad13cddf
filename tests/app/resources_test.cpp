// The program's resources, every text and number as the shell must have them.
#include "app/drill_resources.h"
#include "app/icon_data.h"
#include "app/resource.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

class ResourcesTest : public ::testing::Test {
protected:
    ResourcesTest() { AfxSetResourceHandle(&g_drillResources); }
    ~ResourcesTest() override { AfxSetResourceHandle(nullptr); }
};

TEST_F(ResourcesTest, IdsHaveTheirFrameworkValues) {
    EXPECT_EQ(IDR_MAINFRAME, 128u);
    EXPECT_EQ(IDD_ABOUTBOX, 100u);
    EXPECT_EQ(ID_APP_EXIT, 57665u);
    EXPECT_EQ(ID_APP_ABOUT, 57664u);
    EXPECT_EQ(AFX_IDS_APP_TITLE, 57344u);
    EXPECT_EQ(AFX_IDW_PANE_FIRST, 59648u);
    EXPECT_EQ(ID_EDIT_COPY, 57634u);
    EXPECT_EQ(ID_EDIT_PASTE, 57637u);
    EXPECT_EQ(ID_EDIT_UNDO, 57643u);
    EXPECT_EQ(ID_EDIT_CUT, 57635u);
    EXPECT_EQ(ID_NEXT_PANE, 57680u);
    EXPECT_EQ(ID_PREV_PANE, 57681u);
    EXPECT_EQ(g_drillResources.wLanguage, 0x0411);
}

TEST_F(ResourcesTest, TheMenuHasTwoPopupsOfOneItemEach) {
    const MenuResource* pMenu = AfxFindMenu(IDR_MAINFRAME);
    ASSERT_NE(pMenu, nullptr);
    ASSERT_EQ(pMenu->popups.size(), 2u);
    EXPECT_STREQ(pMenu->popups[0].pszText, "ﾌｧｲﾙ(&F)");
    EXPECT_STREQ(pMenu->popups[1].pszText, "ﾍﾙﾌﾟ(&H)");
    ASSERT_EQ(pMenu->popups[0].items.size(), 1u);
    ASSERT_EQ(pMenu->popups[1].items.size(), 1u);
    EXPECT_STREQ(pMenu->popups[0].items[0].pszText, "終了(&X)");
    EXPECT_EQ(pMenu->popups[0].items[0].nID, ID_APP_EXIT);
    EXPECT_STREQ(pMenu->popups[1].items[0].pszText, "ﾊﾞｰｼﾞｮﾝ情報(&A)...");
    EXPECT_EQ(pMenu->popups[1].items[0].nID, ID_APP_ABOUT);
    // Half-width katakana, not their full-width look-alikes: ﾌ is U+FF8C.
    EXPECT_EQ(std::string(pMenu->popups[0].pszText).substr(0, 3), "\xEF\xBE\x8C");
}

TEST_F(ResourcesTest, TheAcceleratorTableHasTheTenEntriesInOrder) {
    const AccelTable* pTable = AfxFindAccelTable(IDR_MAINFRAME);
    ASSERT_NE(pTable, nullptr);
    struct Entry {
        BYTE modifiers;
        WORD key;
        WORD cmd;
    };
    const Entry expected[] = {
        {FCONTROL, 'C', ID_EDIT_COPY},
        {FCONTROL, 'V', ID_EDIT_PASTE},
        {FALT, VK_BACK, ID_EDIT_UNDO},
        {FSHIFT, VK_DELETE, ID_EDIT_CUT},
        {0, VK_F6, ID_NEXT_PANE},
        {FSHIFT, VK_F6, ID_PREV_PANE},
        {FCONTROL, VK_INSERT, ID_EDIT_COPY},
        {FSHIFT, VK_INSERT, ID_EDIT_PASTE},
        {FCONTROL, 'X', ID_EDIT_CUT},
        {FCONTROL, 'Z', ID_EDIT_UNDO},
    };
    ASSERT_EQ(pTable->entries.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        // On virtual keys, without menu highlighting, with exactly these modifiers.
        EXPECT_EQ(pTable->entries[i].fVirt, FVIRTKEY | FNOINVERT | expected[i].modifiers);
        EXPECT_EQ(pTable->entries[i].key, expected[i].key);
        EXPECT_EQ(pTable->entries[i].cmd, expected[i].cmd);
    }
}

TEST_F(ResourcesTest, TheStringTableNamesTheWindowAndTheApplication) {
    std::string text;
    ASSERT_TRUE(AfxLoadString(IDR_MAINFRAME, text));
    EXPECT_EQ(text, "Morvane"); // the whole string: no further sub-strings
    ASSERT_TRUE(AfxLoadString(AFX_IDS_APP_TITLE, text));
    EXPECT_EQ(text, "Morvane");
    EXPECT_FALSE(AfxLoadString(1, text));
}

TEST_F(ResourcesTest, TheAboutBoxTemplateIsExact) {
    const DialogTemplate* pDlg = AfxFindDialog(IDD_ABOUTBOX);
    ASSERT_NE(pDlg, nullptr);
    EXPECT_EQ(pDlg->style, 0x80C800C0u);
    EXPECT_EQ(pDlg->dwExStyle, 0u);
    EXPECT_EQ(pDlg->x, 0);
    EXPECT_EQ(pDlg->y, 0);
    EXPECT_EQ(pDlg->cx, 149);
    EXPECT_EQ(pDlg->cy, 101);
    EXPECT_STREQ(pDlg->pszCaption, "ﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(pDlg->wPointSize, 9);
    EXPECT_STREQ(pDlg->pszFaceName, "ＭＳ Ｐゴシック");

    struct Control {
        ControlClass kind;
        DWORD style;
        short x, y, cx, cy;
        int nID;
    };
    const Control expected[] = {
        {ControlClass::Static, 0x50000003, 64, 13, 20, 21, -1},
        {ControlClass::Static, 0x50020080, 37, 43, 75, 8, -1},
        {ControlClass::Static, 0x50020000, 25, 61, 98, 8, -1},
        {ControlClass::Button, 0x50030001, 49, 80, 50, 14, 1},
    };
    ASSERT_EQ(pDlg->controls.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const DialogControl& c = pDlg->controls[i];
        EXPECT_EQ(c.kind, expected[i].kind);
        EXPECT_EQ(c.style, expected[i].style);
        EXPECT_EQ(c.x, expected[i].x);
        EXPECT_EQ(c.y, expected[i].y);
        EXPECT_EQ(c.cx, expected[i].cx);
        EXPECT_EQ(c.cy, expected[i].cy);
        EXPECT_EQ(c.nID, expected[i].nID);
    }
    EXPECT_EQ(pDlg->controls[0].nIconID, IDR_MAINFRAME);
    // Full-width tilde U+FF5E and ideographic space U+3000 on each side of the title.
    EXPECT_STREQ(pDlg->controls[1].pszText, "\xEF\xBD\x9E\xE3\x80\x80Morvane\xE3\x80\x80\xEF\xBD\x9E");
    ASSERT_NE(pDlg->controls[2].pszText, nullptr);
    EXPECT_GT(std::strlen(pDlg->controls[2].pszText), 0u);
    EXPECT_STREQ(pDlg->controls[3].pszText, "OK");
}

TEST_F(ResourcesTest, TheIconGroupHoldsA32AndA16PixelImageOf16Colours) {
    const IconResource* pIcon = AfxFindIcon(IDR_MAINFRAME);
    ASSERT_NE(pIcon, nullptr);
    const auto bytes = pIcon->ico;
    ASSERT_EQ(bytes.data(), IconFileBytes().data());
    ASSERT_GE(bytes.size(), 6u + 2 * 16u);
    auto word = [&](std::size_t at) { return bytes[at] | (bytes[at + 1] << 8); };
    EXPECT_EQ(word(0), 0); // reserved
    EXPECT_EQ(word(2), 1); // an icon, not a cursor
    ASSERT_EQ(word(4), 2); // two images
    std::vector<int> sizes;
    for (int i = 0; i < 2; ++i) {
        const std::size_t entry = 6 + 16 * i;
        sizes.push_back(bytes[entry]);
        EXPECT_EQ(bytes[entry], bytes[entry + 1]); // square
        EXPECT_EQ(bytes[entry + 2], 16);           // colours
        EXPECT_EQ(word(entry + 6), 4);             // bits per pixel
    }
    EXPECT_EQ(sizes, (std::vector<int>{32, 16}));
}

} // namespace
