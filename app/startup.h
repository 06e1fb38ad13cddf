// What the program does before any window: --help and --version write their text and end, a
// bad command line ends with a one-line error (followed by the usage where the report is a
// window of its own) and status 2; otherwise the application is told
// which folder its pictures are in, the window layer the scale of its windows, and the
// program goes on.
#pragma once

#include <ostream>

class CDrillApp;

struct StartRequest {
    bool bRun = false; // false: end now with nStatus
    int nStatus = 0;
};

StartRequest PrepareStart(int argc, const char* const* argv, CDrillApp& app, std::ostream& out,
                          std::ostream& err);
