// The user's channel for what the program has to say outside its windows: its help, its
// version, a bad command line, a start-up that failed. The text is composed once by the
// program (UTF-8, lines ending in '\n'); each backend shows it where its users look: a
// terminal's standard output and error on the desktop and in the page, a message box on
// Windows unless the program was started from a console.
#pragma once

#include <string>

enum class ReportKind {
    Info, // asked for: --help, --version
    Error // something went wrong
};

void AfxReportToUser(ReportKind kind, const std::string& text);

// Whether a bad command line's report should carry the usage after the error: true where the
// report is a window of its own, which offers no way to ask for --help next; false where a
// terminal keeps the conventional one-line error.
bool AfxReportCarriesUsage();
