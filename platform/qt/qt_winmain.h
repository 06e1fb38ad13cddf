// The program's entry on the Qt desktop: the Qt application, the Qt backend, then the
// application object's start-up, message loop and end.
#pragma once

// Returns the process exit status: the message loop's code, or 1 when start-up failed.
int AfxQtWinMain(int argc, char** argv);
