#include "load_report.h"

#include <cstdio>

void WriteLoadFailures(std::ostream& out, const std::vector<AssetFailure>& failures) {
    if (failures.empty())
        out << "morvane: the game window could not be made\n";
    for (const AssetFailure& failure : failures)
        out << "morvane: " << failure.strFile << ": " << failure.strReason << '\n';
    out.flush();
}

void WriteOutOfMemory() {
    std::fputs("morvane: out of memory\n", stderr);
    std::fflush(stderr);
}
