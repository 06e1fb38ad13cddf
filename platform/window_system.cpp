#include "window_system.h"

#include "clock.h"

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

void AfxSetWindowSystem(IWindowSystem* pSystem) {
    g_pSystem = pSystem;
}

DWORD timeGetTime() {
    return AfxWindowSystem().Now();
}
