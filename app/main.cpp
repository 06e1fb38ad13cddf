// The program: the one application object, made before main runs, its command line, and
// the backend chosen at build time.
#include "drillapp.h"
#include "startup.h"

#include "platform/backend_main.h"
#include "platform/user_report.h"

#include <sstream>

CDrillApp theApp;

int main(int argc, char** argv) {
    // Composed here, shown by the backend where its users look (a terminal, a message box).
    std::ostringstream out, err;
    const StartRequest start = PrepareStart(argc, argv, theApp, out, err);
    if (!out.str().empty())
        AfxReportToUser(ReportKind::Info, out.str());
    if (!err.str().empty())
        AfxReportToUser(ReportKind::Error, err.str());
    if (!start.bRun)
        return start.nStatus;
    return AfxBackendMain(argc, argv);
}
