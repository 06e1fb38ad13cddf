// Running out of memory at start-up: the program is started again and again on the headless
// desktop, each time with the N-th allocation failing, for every N that start-up reaches.
// Each start must end cleanly: status 1, a line on standard error saying why, no crash and
// (under LeakSanitizer) nothing leaked.
#include "app/drillapp.h"
#include "platform/headless/headless_system.h"
#include "platform/winapp.h"
#include "platform/wnd.h"
#include "testkit/game_assets.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define MORVANE_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVANE_LSAN 1
#endif
#endif
#ifdef MORVANE_LSAN
#include <sanitizer/lsan_interface.h>
#endif

namespace {
// Counts allocations while armed; the one numbered g_nFailAt fails, and only that one.
bool g_bArmed = false;
long g_nAllocations = 0;
long g_nFailAt = -1;

bool FailThisOne() {
    return g_bArmed && ++g_nAllocations == g_nFailAt;
}
void* Allocate(std::size_t n) {
    if (FailThisOne())
        throw std::bad_alloc();
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}
void* AllocateNoThrow(std::size_t n) noexcept {
    return FailThisOne() ? nullptr : std::malloc(n ? n : 1);
}
} // namespace

void* operator new(std::size_t n) {
    return Allocate(n);
}
void* operator new[](std::size_t n) {
    return Allocate(n);
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    return AllocateNoThrow(n);
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {
    return AllocateNoThrow(n);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

constexpr int LEAKED = 99;
constexpr int UNCAUGHT = 98;

// The program's start-up as main runs it, with the headless desktop for the real one, then
// its end: the main window closed as the exit command does. Returns the exit status.
int StartProgram(long nFailAt) {
    HeadlessSystem system;
    system.Install();
    CDrillApp app;
    g_nAllocations = 0;
    g_nFailAt = nFailAt;
    g_bArmed = true;
    const int nStatus = AfxWinMain([&] {
        g_bArmed = false; // start-up is over: the message loop runs
        app.m_pMainWnd->SendMessage(WM_CLOSE);
        return system.ExitCode();
    });
    g_bArmed = false;
    return nStatus;
}

struct Outcome {
    int nStatus = -1; // exit status, or 128 + signal
    std::string strErr;
};

// One start in a child process, so that a crash is seen as one and every start is fresh.
Outcome StartInChild(long nFailAt) {
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], STDERR_FILENO);
        ::close(fds[0]);
        int nStatus = UNCAUGHT;
        try {
            nStatus = StartProgram(nFailAt);
        } catch (const std::exception& e) {
            // What the real program would die of: std::terminate.
            std::fprintf(stderr, "uncaught: %s\n", e.what());
        }
#ifdef MORVANE_LSAN
        if (__lsan_do_recoverable_leak_check())
            nStatus = LEAKED;
#endif
        std::fflush(nullptr);
        ::_exit(nStatus);
    }
    ::close(fds[1]);
    Outcome run;
    char buf[512];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
        run.strErr.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int wstatus = 0;
    ::waitpid(pid, &wstatus, 0);
    run.nStatus = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    return run;
}

TEST(StartupOutOfMemory, EveryFailedAllocationEndsStartUpCleanlyWithAReason) {
    testkit::TempDir dir;
    testkit::WriteGameAssets(dir.Path());
    const std::filesystem::path oldDir = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path()); // the program reads the current folder

    // How many allocations a whole start-up makes.
    const Outcome whole = StartInChild(0);
    ASSERT_EQ(whole.nStatus, 0) << whole.strErr;
    long nFailAt = 1;
    for (;; ++nFailAt) {
        const Outcome run = StartInChild(nFailAt);
        if (run.nStatus == 0 && run.strErr.empty())
            break; // start-up made fewer allocations than that: every one has failed once
        SCOPED_TRACE("allocation " + std::to_string(nFailAt));
        EXPECT_EQ(run.nStatus, 1) << run.strErr;
        EXPECT_EQ(run.strErr.rfind("morvane: ", 0), 0u) << run.strErr;
        EXPECT_NE(run.strErr.find("out of memory"), std::string::npos) << run.strErr;
        if (::testing::Test::HasFailure())
            break; // the first failure says it all
    }
    EXPECT_GT(nFailAt, 100) << "start-up makes far more allocations than that";
    std::printf("start-up made %ld allocations; each failed once\n", nFailAt - 1);
    std::filesystem::current_path(oldDir);
}

} // namespace
