// The program: the one application object, made before main runs, and the backend chosen
// at build time.
#include "drillapp.h"

#include "platform/backend_main.h"

CDrillApp theApp;

int main(int argc, char** argv) {
    return AfxBackendMain(argc, argv);
}
