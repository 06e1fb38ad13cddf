#include "load_report.h"

#include "platform/user_report.h"

#include <cstdio>
#include <sstream>

void WriteLoadFailures(std::ostream& out, const std::vector<AssetFailure>& failures,
                       const AssetSearch& search) {
    if (!search.bComplete) {
        out << "morvane: no folder holds every picture; looked in ";
        for (std::size_t i = 0; i < search.searched.size(); ++i)
            out << (i ? ", " : "") << FolderName(search.searched[i]);
        out << '\n';
    }
    if (failures.empty())
        out << "morvane: the game window could not be made\n";
    for (const AssetFailure& failure : failures) {
        // "back buffer" and the like are not files: they keep their bare name.
        const bool bFile = failure.strFile.ends_with(".bmp");
        const std::string strName =
            bFile && !search.folder.empty() ? PathText(search.folder / failure.strFile) : failure.strFile;
        out << "morvane: " << strName << ": " << failure.strReason << '\n';
    }
    out.flush();
}

void ReportLoadFailures(const std::vector<AssetFailure>& failures, const AssetSearch& search) {
    std::ostringstream out;
    WriteLoadFailures(out, failures, search);
    AfxReportToUser(ReportKind::Error, out.str());
}

void WriteOutOfMemory() {
    std::fputs("morvane: out of memory\n", stderr);
    std::fflush(stderr);
}
