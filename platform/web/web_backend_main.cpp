// The program's entry in a web page: the browser backend, then the application object's
// start-up, message loop and end, after which the page shows its closed state.
#include "web_bridge.h"
#include "web_window_system.h"

#include "platform/backend_main.h"
#include "platform/message_loop.h"
#include "platform/winapp.h"

#include <cstdio>

int AfxBackendMain(int /*argc*/, char** /*argv*/) {
    WebWindowSystem system;
    system.Install();
    // A lambda, not the function's address: the type information of a function pointer, which
    // std::function keeps, would link the C++ runtime's pointer-matching code into the page.
    const int nStatus = AfxWinMain([] { return AfxRunMessageLoop(); });
    std::fflush(stderr);
    web::Finish(nStatus);
    return nStatus;
}
