// What the conformance cases ask of a backend: its real message loop, input through its
// native path, and what its native side shows. One driver per backend implements it; the
// cases are written once against it.
#pragma once

#include "platform/wintypes.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class CWnd;

namespace conformance {

struct Size {
    int cx = 0;
    int cy = 0;
};

struct MenuEntry {
    std::string strText; // UTF-8, as the menu bar shows it
    UINT nID = 0;        // 0 for a popup
    int nLevel = 0;      // 0: the menu bar, 1: a popup's item
    friend bool operator==(const MenuEntry&, const MenuEntry&) = default;
};

// The dialog the program shows, as the desktop sees it.
struct NativeDialog {
    RECT rcWindow{}; // device pixels, screen coordinates
    bool bVisible = false;
    bool bOwnerBlocked = false; // the frame under it takes no input
};

// How a run of the program that found no pictures ended.
struct ProgramEnd {
    int nStatus = -1;
    bool bRanItsLoop = false;       // a window was shown and waited for the player
    std::vector<std::string> lines; // what reached the user through the platform's channel
};

class Driver {
public:
    virtual ~Driver() = default;

    // Windows made from now on show their pictures at this whole factor; false when this
    // process cannot (the factor is fixed when the toolkit starts).
    virtual bool SetScale(int nScale) = 0;

    // Runs the backend's message loop until pred holds or ms pass (virtual time on a desktop
    // whose clock moves only when told); false on time-out.
    virtual bool PumpUntil(const std::function<bool()>& pred, unsigned ms) = 0;
    // Runs the message loop until the program ends it; the loop's exit code.
    virtual int RunLoop() = 0;
    // Keeps the loop from running for ms, as a long handler would.
    virtual void BlockLoop(unsigned ms) = 0;
    // Handles what is already waiting, without waiting for more.
    virtual void PumpWaiting() = 0;
    // Calls fn every ms from whichever loop runs (a modal one included) until StopCalling.
    virtual void CallEvery(unsigned ms, std::function<void()> fn) = 0;
    virtual void StopCalling() = 0;

    // Input as the user gives it, through the backend's native path.
    virtual void PressKey(CWnd& target, UINT nVirtKey, DWORD modifiers) = 0;
    // The next three are handled by the loop, as a click is.
    virtual void ChooseMenuItem(CWnd& frame, UINT nID) = 0;
    virtual void ClickCloseButton(CWnd& frame) = 0;
    // A close sent to the window from outside (as a task manager does).
    virtual void SendClose(CWnd& frame) = 0;
    virtual void PressDialogOk() = 0;

    // What the native side shows, in device pixels.
    virtual RECT WindowRect(const CWnd& wnd) = 0;
    virtual Size ClientSize(const CWnd& wnd) = 0;
    virtual RECT WorkArea() = 0;
    virtual std::vector<MenuEntry> MenuBar(const CWnd& frame) = 0;
    virtual std::optional<NativeDialog> OpenDialog() = 0;
    // Counts the paints the window gets from now on, as its native side sees them.
    virtual void CountPaints(const CWnd& wnd) = 0;
    virtual int Paints() = 0;

    // Runs the program in folder, which lacks pictures, to its end.
    virtual ProgramEnd RunWithoutPictures(const std::filesystem::path& folder) = 0;
};

// A backend under test: its name, as the log shows it, and how to make its driver (after
// which it is the window layer's backend).
struct Backend {
    const char* pszName;
    std::unique_ptr<Driver> (*make)();
};

// Test names and the log show a backend by its name.
inline void PrintTo(const Backend& backend, std::ostream* pOut) {
    *pOut << backend.pszName;
}

} // namespace conformance
