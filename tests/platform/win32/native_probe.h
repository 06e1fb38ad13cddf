// What the Win32 backend's tests ask of the real system, in plain types (the tests include
// the window layer, which cannot share a file with <windows.h>).
#pragma once

#include "platform/win32/win32_native.h"

#include <functional>
#include <string>
#include <vector>

namespace probe {

// Handles the waiting messages as the program's loop does until pred holds or ms pass;
// false on time-out or when the loop was told to quit (then *pExitCode says how).
bool PumpUntil(const std::function<bool()>& pred, unsigned ms, int* pExitCode = nullptr);

// A key-down as the keyboard makes it: the modifiers are held (the thread's key state) and
// the message goes through one turn of the program's loop, accelerators first.
void PressKey(w32::Handle hWnd, unsigned nVirtKey, unsigned modifiers = 0);

struct MenuEntry {
    std::string strText; // UTF-8, as GetMenuStringW gives it
    unsigned nID = 0;    // 0 for a popup
    int nLevel = 0;      // 0: the menu bar, 1: a popup's item
};
std::vector<MenuEntry> MenuOf(w32::Handle hFrame);
std::string WindowText(w32::Handle hWnd);
// The child windows' texts, in creation (template) order.
std::vector<std::string> ChildTexts(w32::Handle hWnd);
std::uint32_t StyleOf(w32::Handle hWnd);
bool IsEnabled(w32::Handle hWnd);
// The dialog box shown by this thread, or null.
w32::Handle FindDialog();
// Clicks the dialog's button with this id.
void ClickButton(w32::Handle hDialog, int nID);
// Posts a command to a window, as its menu does.
void PostCommand(w32::Handle hWnd, unsigned nID);

// Counts the WM_PAINT messages a window gets from now on.
void CountPaints(w32::Handle hWnd, int* pnPaints);

// Calls fn every ms milliseconds from the thread's message loops (a modal one included)
// until StopCalling.
void CallEvery(unsigned ms, std::function<void()> fn);
void StopCalling();

// Runs a program in a folder and waits up to ms for its end: its exit code, or -1 when it
// did not end; its standard error in *pStdErr.
int RunProgram(const std::string& strExe, const std::string& strFolder, unsigned ms, std::string* pStdErr,
               const std::string& strArgs = "");

// What a program started the way a shortcut starts it (no console, no standard handles)
// showed: its message box, read and closed with OK, or its main window, measured and closed.
struct Launch {
    int nExit = -1; // -1: it did not end within the time
    bool bBox = false;
    std::string strBoxCaption, strBoxText; // UTF-8
    bool bWindow = false;
    w32::Rect rcClient;
};
// Paths in UTF-8; strArgs follows the program's quoted name on its command line.
Launch LaunchProgram(const std::string& strExe, const std::string& strArgs, const std::string& strFolder,
                     unsigned ms);
// A shortcut's (.lnk) target and the folder it starts it in, UTF-8; empty when unreadable.
struct Shortcut {
    std::string strTarget, strFolder;
};
Shortcut ReadShortcut(const std::string& strLink);

// Sends WM_DPICHANGED as the system does when a window moves to a monitor of nDpi,
// suggesting the window's present place.
void SendDpiChanged(w32::Handle hWnd, unsigned nDpi);

// The desktop's DPI as this (DPI-aware) program sees it.
unsigned SystemDpi();
// Whether the window has an input method context (text composition) of its own.
bool HasInputContext(w32::Handle hWnd);

} // namespace probe
