// The program's entry on Windows: the Win32 backend, then the application object's
// start-up, message loop and end.
#include "win32_window_system.h"

#include "platform/backend_main.h"
#include "platform/message_loop.h"
#include "platform/winapp.h"

int AfxBackendMain(int /*argc*/, char** /*argv*/) {
    Win32WindowSystem system;
    system.Install();
    return AfxWinMain(AfxRunMessageLoop);
}
