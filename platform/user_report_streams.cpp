// The report channel of the backends that have standard streams their users see: Info on
// standard output, Error on standard error, byte for byte, through the C++ streams (so that
// a program or test that redirects them hears it).
#include "user_report.h"

#include <iostream>

void AfxReportToUser(ReportKind kind, const std::string& text) {
    std::ostream& out = kind == ReportKind::Error ? std::cerr : std::cout;
    out << text << std::flush;
}

bool AfxReportCarriesUsage() {
    return false;
}
