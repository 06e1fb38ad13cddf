// The program's entry in a web page: the browser backend, then the application object's
// start-up, message loop and end, after which the page shows its closed state.
#pragma once

// Returns the exit status: the message loop's code, or 1 when start-up failed.
int AfxWebWinMain();
