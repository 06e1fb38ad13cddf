#include "window_system.h"

#include "clock.h"
#include "message_loop.h"

#include <cstdio>
#include <cstdlib>

namespace {
IWindowSystem* g_pSystem = nullptr;
}

IWindowSystem::~IWindowSystem() {
    if (g_pSystem == this)
        g_pSystem = nullptr;
}

IWindowSystem& AfxWindowSystem() {
    if (!g_pSystem) {
        // A program that creates windows without a backend is a build mistake, not a user error.
        std::fputs("morvane: no window system installed\n", stderr);
        std::abort();
    }
    return *g_pSystem;
}

std::uint64_t IWindowSystem::Clock() {
    const DWORD dwNow = Now();
    if (m_bClockRead)
        m_qwClock += static_cast<DWORD>(dwNow - m_dwLastNow);
    m_bClockRead = true;
    m_dwLastNow = dwNow;
    return m_qwClock;
}

IWindowSystem* AfxFindWindowSystem() {
    return g_pSystem;
}

void AfxSetWindowSystem(IWindowSystem* pSystem) {
    g_pSystem = pSystem;
    AfxResetMessageLoop();
}

DWORD timeGetTime() {
    return AfxWindowSystem().Now();
}
