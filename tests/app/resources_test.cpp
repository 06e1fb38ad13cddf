// The program's resources that the shell's own tests do not show: the string table as the
// layer looks it up, and the icon file embedded in the program.
#include "app/drill_resources.h"
#include "app/icon_data.h"
#include "app/resource.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

class ResourcesTest : public ::testing::Test {
protected:
    ResourcesTest() { AfxSetResourceHandle(&g_drillResources); }
    ~ResourcesTest() override { AfxSetResourceHandle(nullptr); }
};

TEST_F(ResourcesTest, TheStringTableNamesTheWindowAndTheApplication) {
    std::string text;
    ASSERT_TRUE(AfxLoadString(IDR_MAINFRAME, text));
    EXPECT_EQ(text, "Morvane"); // the whole string: no further sub-strings
    ASSERT_TRUE(AfxLoadString(AFX_IDS_APP_TITLE, text));
    EXPECT_EQ(text, "Morvane");
    EXPECT_FALSE(AfxLoadString(1, text));
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
