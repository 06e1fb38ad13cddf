// Opening a picture never blocks and never reads without bound: whatever sits at the
// path, LoadBMP comes back within a second with a reason.
#include "surface/surface.h"
#include "testkit/bmp_bytes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct Result {
    bool bLoaded = false;
    std::string reason;
};

// Loads on another thread so that a load that blocks fails the test instead of hanging it.
Result LoadWithin1s(const std::string& path) {
    auto pending = std::async(std::launch::async, [path] {
        Surface s;
        Result r;
        r.bLoaded = s.LoadBMP(path.c_str(), r.reason);
        return r;
    });
    if (pending.wait_for(std::chrono::seconds(1)) != std::future_status::ready) {
        ADD_FAILURE() << path << " blocked the load";
        // A reader stuck on a named pipe is let go by a writer coming and going.
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    }
    return pending.get();
}

struct SpecialFile {
    const char* name;
    std::function<std::string(const fs::path& dir)> make; // returns the path to load
    const char* reason;                                   // the start of the expected reason
};

TEST(UnreadableFiles, AreRefusedAtOnceWithTheirReason) {
    const SpecialFile cases[] = {
        {"named pipe",
         [](const fs::path& dir) {
             const fs::path p = dir / "Q.bmp";
             EXPECT_EQ(::mkfifo(p.c_str(), 0600), 0);
             return p.string();
         },
         "not a regular file (a named pipe)"},
        {"character device", [](const fs::path&) { return std::string("/dev/zero"); },
         "not a regular file (a character device)"},
        {"directory",
         [](const fs::path& dir) {
             fs::create_directory(dir / "Q.bmp");
             return (dir / "Q.bmp").string();
         },
         "not a regular file (a directory)"},
        {"symlink loop",
         [](const fs::path& dir) {
             fs::create_symlink(dir / "b.bmp", dir / "a.bmp");
             fs::create_symlink(dir / "a.bmp", dir / "b.bmp");
             return (dir / "a.bmp").string();
         },
         "cannot open: "},
        {"sparse 4 GiB file",
         [](const fs::path& dir) {
             const fs::path p = dir / "Q.bmp";
             testkit::WriteFile(p, testkit::MakeBmp({}));
             fs::resize_file(p, std::uint64_t{4} << 30);
             return p.string();
         },
         "file too large (4294967296 bytes"},
    };
    for (const SpecialFile& c : cases) {
        SCOPED_TRACE(c.name);
        testkit::TempDir dir;
        const Result r = LoadWithin1s(c.make(dir.Path()));
        EXPECT_FALSE(r.bLoaded);
        EXPECT_EQ(r.reason.rfind(c.reason, 0), 0u) << "reason was: " << r.reason;
    }
}

TEST(UnreadableFiles, AFileGrowingWhileReadIsReadOnlyAsFarAsItsSizeWhenOpened) {
    testkit::TempDir dir;
    const std::string path = dir.File("Q.bmp");
    testkit::WriteFile(path, testkit::MakeBmp({.nWidth = 5, .nHeight = 3}));
    std::atomic<bool> bStop{false};
    std::thread writer([&] {
        std::FILE* f = std::fopen(path.c_str(), "ab");
        ASSERT_NE(f, nullptr);
        const std::vector<char> chunk(1 << 16, 'x');
        for (int n = 0; !bStop && n < 1024; ++n) // at most 64 MiB
            std::fwrite(chunk.data(), 1, chunk.size(), f);
        std::fclose(f);
    });
    Result r;
    for (int i = 0; i < 20; ++i)
        r = LoadWithin1s(path);
    bStop = true;
    writer.join();
    EXPECT_TRUE(r.bLoaded) << r.reason;
}

} // namespace
