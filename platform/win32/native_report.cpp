// The report channel on Windows. A program of the window subsystem has no terminal of its
// own: its text goes to the standard handle it was given (a redirection), else to the
// console of the program that started it, else into a message box, the way Windows
// programs with a window speak to a user who started them from a shortcut.
#include "native_shared.h"
#include "platform/user_report.h"

#include <windows.h>

namespace {

bool UsableHandle(HANDLE h) {
    return h && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

// The bytes as they are to a file or pipe, the wide text to a console.
bool WriteTo(HANDLE h, const std::string& text) {
    DWORD nMode = 0;
    if (GetConsoleMode(h, &nMode)) {
        const std::wstring wide = w32::Widen(text);
        DWORD nWritten = 0;
        return WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &nWritten, nullptr) != 0;
    }
    DWORD nWritten = 0;
    return WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &nWritten, nullptr) != 0 &&
           nWritten == text.size();
}

bool WriteToParentConsole(const std::string& text) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return false;
    HANDLE hConsole = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    const bool bWritten = hConsole != INVALID_HANDLE_VALUE && WriteTo(hConsole, text);
    if (hConsole != INVALID_HANDLE_VALUE)
        CloseHandle(hConsole);
    FreeConsole();
    return bWritten;
}

} // namespace

void AfxReportToUser(ReportKind kind, const std::string& text) {
    const bool bError = kind == ReportKind::Error;
    HANDLE hStd = GetStdHandle(bError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (UsableHandle(hStd) && WriteTo(hStd, text))
        return;
    if (WriteToParentConsole(text))
        return;
    std::string strBox = text;
    while (!strBox.empty() && strBox.back() == '\n')
        strBox.pop_back();
    MessageBoxW(nullptr, w32::Widen(strBox).c_str(), L"Morvane",
                MB_OK | MB_SETFOREGROUND | (bError ? MB_ICONERROR : MB_ICONINFORMATION));
}

bool AfxReportCarriesUsage() {
    return true;
}
