// The report channel of the backends that have standard streams their users see: Info on
// standard output, Error on standard error, byte for byte.
#include "user_report.h"

#include <cstdio>

void AfxReportToUser(ReportKind kind, const std::string& text) {
    std::FILE* pStream = kind == ReportKind::Error ? stderr : stdout;
    std::fwrite(text.data(), 1, text.size(), pStream);
    std::fflush(pStream);
}

bool AfxReportCarriesUsage() {
    return false;
}
