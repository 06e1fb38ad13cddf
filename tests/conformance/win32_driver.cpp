// The conformance suite on Win32 (the 64-bit build under Wine): the backend's own message
// loop, key messages posted with the modifiers held, and what the system says of its windows.
#include "conformance_cases.h"
#include "native_probe.h"
#include "native_window.h"

#include "platform/message_loop.h"
#include "platform/win32/win32_window_system.h"
#include "platform/window_scale.h"

#include <sstream>

namespace conformance {
namespace {

// Made absolute while the current folder is still the build's drive.
const std::filesystem::path s_program = std::filesystem::absolute(MORVANE_EXECUTABLE);

RECT RectOf(const w32::Rect& rc) {
    return RECT{rc.left, rc.top, rc.right, rc.bottom};
}

class Win32Driver : public Driver {
public:
    Win32Driver() { m_system.Install(); }
    ~Win32Driver() override { AfxSetWindowScale(1); }

    bool SetScale(int nScale) override {
        AfxSetWindowScale(nScale);
        return true;
    }

    bool PumpUntil(const std::function<bool()>& pred, unsigned ms) override {
        return probe::PumpUntil(pred, ms);
    }
    int RunLoop() override { return AfxRunMessageLoop(); }
    void BlockLoop(unsigned ms) override { native::BlockThread(ms); }
    void PumpWaiting() override {
        w32::PumpMessages(nullptr);
        AfxDeliverDueTimers();
    }
    void CallEvery(unsigned ms, std::function<void()> fn) override { probe::CallEvery(ms, std::move(fn)); }
    void StopCalling() override { probe::StopCalling(); }

    void PressKey(CWnd& target, UINT nVirtKey, DWORD modifiers) override {
        probe::PressKey(Handle(target), nVirtKey, modifiers);
    }
    void ChooseMenuItem(CWnd& frame, UINT nID) override { probe::PostCommand(Handle(frame), nID); }
    void ClickCloseButton(CWnd& frame) override { native::PostCloseButton(Handle(frame)); }
    void SendClose(CWnd& frame) override { native::PostClose(Handle(frame)); }
    void PressDialogOk() override { probe::ClickButton(probe::FindDialog(), IDOK); }

    RECT WindowRect(const CWnd& wnd) override { return RectOf(native::WindowRectOf(Handle(wnd))); }
    Size ClientSize(const CWnd& wnd) override {
        const w32::Rect rc = w32::ClientRectOf(Handle(wnd));
        return {rc.right - rc.left, rc.bottom - rc.top};
    }
    RECT WorkArea() override { return RectOf(w32::WorkArea()); }
    std::vector<MenuEntry> MenuBar(const CWnd& frame) override {
        std::vector<MenuEntry> entries;
        for (const probe::MenuEntry& entry : probe::MenuOf(Handle(frame)))
            entries.push_back({entry.strText, entry.nID, entry.nLevel});
        return entries;
    }
    std::optional<NativeDialog> OpenDialog() override {
        const w32::Handle hDialog = probe::FindDialog();
        if (!hDialog)
            return std::nullopt;
        NativeDialog dialog;
        dialog.rcWindow = RectOf(native::WindowRectOf(hDialog));
        dialog.bVisible = true; // the probe finds visible dialogs only
        const w32::Handle hOwner = native::OwnerOf(hDialog);
        dialog.bOwnerBlocked = hOwner && !probe::IsEnabled(hOwner);
        return dialog;
    }
    void CountPaints(const CWnd& wnd) override { probe::CountPaints(Handle(wnd), &m_nPaints); }
    int Paints() override { return m_nPaints; }

    // The real program, copied into a folder of its own with no data folder beside it.
    ProgramEnd RunWithoutPictures(const std::filesystem::path& folder) override {
        const std::filesystem::path copy = folder / "bin" / "morvane.exe";
        std::filesystem::create_directories(copy.parent_path());
        std::filesystem::copy_file(s_program, copy);
        ProgramEnd end;
        std::string strErr;
        // A program that shows a window waits for the player and is not done in time.
        end.nStatus = probe::RunProgram(copy.string(), folder.string(), 60000, &strErr);
        end.bRanItsLoop = end.nStatus == 99;
        std::istringstream in(strErr);
        for (std::string line; std::getline(in, line);)
            end.lines.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
        return end;
    }

private:
    w32::Handle Handle(const CWnd& wnd) const { return m_system.NativeHandle(wnd); }

    Win32WindowSystem m_system;
    int m_nPaints = 0;
};

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<Win32Driver>();
}

} // namespace

INSTANTIATE_CONFORMANCE(Win32, (Backend{"win32", &MakeDriver}));

} // namespace conformance
