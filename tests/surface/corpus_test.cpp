// Every input the fuzzer kept (fuzz/corpus) is read again on each test run, so a change to
// the reader that mishandles one of them is caught without running the fuzzer.
#include "surface/surface.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

TEST(BmpCorpus, EveryKeptInputLoadsCleanlyOrIsRejectedWithAReason) {
    int nFiles = 0, nLoaded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(MORVANE_FUZZ_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        SCOPED_TRACE(entry.path().filename().string());
        Surface s;
        std::string reason;
        if (s.LoadBMPFromMemory(bytes.data(), bytes.size(), reason)) {
            ++nLoaded;
            ASSERT_GT(s.Width(), 0);
            ASSERT_GT(s.Height(), 0);
            // The whole picture is inside the file it came from.
            EXPECT_LE(static_cast<std::size_t>(s.Pitch()) * static_cast<std::size_t>(s.Height()),
                      bytes.size());
            EXPECT_EQ(s.PixelAt(s.Width() - 1, 0) - s.Bits(),
                      (s.Height() - 1) * s.Pitch() + (s.Width() - 1) * 3);
        } else {
            EXPECT_FALSE(reason.empty());
            EXPECT_TRUE(s.IsEmpty());
        }
        ++nFiles;
    }
    EXPECT_GE(nFiles, 4) << "the seed files at least";
    EXPECT_GE(nLoaded, 4) << "the hand-made seeds are all good pictures";
}

} // namespace
