// The program: the one application object, made before main runs, and the Qt desktop.
#include "drillapp.h"

#include "platform/qt/qt_winmain.h"

CDrillApp theApp;

int main(int argc, char** argv) {
    return AfxQtWinMain(argc, argv);
}
