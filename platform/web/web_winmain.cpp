#include "web_winmain.h"

#include "web_bridge.h"
#include "web_window_system.h"

#include "platform/winapp.h"

#include <cstdio>

int AfxWebWinMain() {
    WebWindowSystem system;
    system.Install();
    const int nStatus = AfxWinMain([&system] { return system.Run(); });
    std::fflush(stderr);
    web::Finish(nStatus);
    return nStatus;
}
