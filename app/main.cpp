// The program: the one application object, made before main runs, its command line, and
// the backend chosen at build time.
#include "drillapp.h"
#include "startup.h"

#include "platform/backend_main.h"

#include <iostream>

CDrillApp theApp;

int main(int argc, char** argv) {
    const StartRequest start = PrepareStart(argc, argv, theApp, std::cout, std::cerr);
    if (!start.bRun)
        return start.nStatus;
    return AfxBackendMain(argc, argv);
}
