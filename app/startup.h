// What the program does before any window: --help and --version print and end, a bad
// command line ends with a one-line error and status 2; otherwise the application is told
// which folder its pictures are in and the program goes on, with the window's scale.
#pragma once

#include <ostream>

class CDrillApp;

struct StartRequest {
    bool bRun = false; // false: end now with nStatus
    int nStatus = 0;
    int nScale = 1; // whole factor for the window's picture
};

StartRequest PrepareStart(int argc, const char* const* argv, CDrillApp& app, std::ostream& out,
                          std::ostream& err);
