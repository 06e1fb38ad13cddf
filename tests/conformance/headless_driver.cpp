// The conformance suite on the headless desktop: its "native" side is what the desktop
// remembers of each window, its loop delivers the next due tick (virtual time) and paints.
#include "conformance_cases.h"

#include "app/startup.h"

#include "platform/dialog.h"
#include "platform/headless/headless_system.h"
#include "platform/message_loop.h"
#include "platform/resources.h"
#include "platform/winapp.h"
#include "platform/window_scale.h"

#include <iostream>
#include <sstream>
#include <utility>

namespace conformance {
namespace {

constexpr std::uint64_t LOOP_LIMIT_MS = 60000; // virtual: a program that never ends stops here

class HeadlessDriver : public Driver {
public:
    HeadlessDriver() {
        m_system.Install();
        m_system.SetAutoPaint(true);
        // A dialog's modal loop is this driver's loop, nested, until the dialog ends or goes.
        m_system.SetModalLoopHook([this](CWnd& dialog) {
            const auto& modal = static_cast<const CDialog&>(dialog);
            CWnd* pOuter = std::exchange(m_pDialog, &dialog);
            PumpUntil([&] { return modal.IsModalLoopEnded(); }, LOOP_LIMIT_MS);
            m_pDialog = pOuter;
        });
    }
    ~HeadlessDriver() override { AfxSetWindowScale(1); }

    bool SetScale(int nScale) override {
        AfxSetWindowScale(nScale);
        return true;
    }

    bool PumpUntil(const std::function<bool()>& pred, unsigned ms) override {
        const std::uint64_t qwEnd = m_system.Elapsed() + ms;
        while (!pred()) {
            if (m_system.Elapsed() > qwEnd || !m_system.DeliverNextTick())
                return pred();
            if (m_call)
                m_call();
        }
        return true;
    }
    int RunLoop() override {
        PumpUntil([this] { return m_system.IsQuitRequested(); }, LOOP_LIMIT_MS);
        return m_system.IsQuitRequested() ? m_system.ExitCode() : 99;
    }
    void BlockLoop(unsigned ms) override { m_system.Stall(ms); }
    void PumpWaiting() override { AfxDeliverDueTimers(); }
    void CallEvery(unsigned, std::function<void()> fn) override { m_call = std::move(fn); }
    void StopCalling() override { m_call = nullptr; }

    // There is no queue: input and commands are handled at once.
    void PressKey(CWnd& target, UINT nVirtKey, DWORD modifiers) override {
        m_system.PressKey(target, nVirtKey, modifiers);
    }
    void ChooseMenuItem(CWnd& frame, UINT nID) override { frame.SendMessage(WM_COMMAND, nID); }
    void ClickCloseButton(CWnd& frame) override { frame.SendMessage(WM_CLOSE); }
    void SendClose(CWnd& frame) override { frame.SendMessage(WM_CLOSE); }
    void PressDialogOk() override {
        if (m_pDialog && m_pDialog->GetSafeHwnd())
            m_pDialog->SendMessage(WM_COMMAND, IDOK);
    }

    RECT WindowRect(const CWnd& wnd) override { return m_system.PeerOf(wnd)->WindowRect(); }
    Size ClientSize(const CWnd& wnd) override {
        const RECT rc = m_system.PeerOf(wnd)->GetClientRect();
        return {static_cast<int>(rc.right - rc.left), static_cast<int>(rc.bottom - rc.top)};
    }
    RECT WorkArea() override { return m_system.WorkArea(); }
    // The menu the desktop was handed with the window.
    std::vector<MenuEntry> MenuBar(const CWnd& frame) override {
        std::vector<MenuEntry> entries;
        const MenuResource* pMenu = AfxFindMenu(m_system.PeerOf(frame)->CreateParams().hMenu);
        for (const MenuPopup& popup : pMenu ? pMenu->popups : std::span<const MenuPopup>{}) {
            entries.push_back({popup.pszText, 0, 0});
            for (const MenuItem& item : popup.items)
                entries.push_back({item.pszText, item.nID, 1});
        }
        return entries;
    }
    // The desktop takes no input at all, so it has none to hold back from the frame.
    std::optional<NativeDialog> OpenDialog() override {
        if (!m_pDialog || !m_pDialog->GetSafeHwnd())
            return std::nullopt;
        return NativeDialog{m_system.PeerOf(*m_pDialog)->WindowRect(), m_system.IsShown(*m_pDialog), false};
    }
    void CountPaints(const CWnd& wnd) override {
        m_pCounted = m_system.PeerOf(wnd);
        m_pCounted->ResetCounters();
    }
    int Paints() override { return m_pCounted->PaintCount(); }

    // The program's start, as its main() does it, in this process: its standard error caught.
    ProgramEnd RunWithoutPictures(const std::filesystem::path&) override {
        ProgramEnd end;
        std::ostringstream out;
        std::ostringstream err;
        std::streambuf* pOld = std::cerr.rdbuf(err.rdbuf());
        const char* const argv[] = {"morvane", nullptr};
        const StartRequest start = PrepareStart(1, argv, static_cast<CDrillApp&>(*AfxGetApp()), out, err);
        end.nStatus = !start.bRun ? start.nStatus : AfxWinMain([&] {
            end.bRanItsLoop = true;
            return RunLoop();
        });
        std::cerr.rdbuf(pOld);
        std::istringstream in(err.str());
        for (std::string line; std::getline(in, line);)
            end.lines.push_back(line);
        return end;
    }

private:
    HeadlessSystem m_system;
    HeadlessPeer* m_pCounted = nullptr;
    std::function<void()> m_call;
    CWnd* m_pDialog = nullptr; // the dialog whose modal loop runs
};

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<HeadlessDriver>();
}

} // namespace

INSTANTIATE_CONFORMANCE(Headless, (Backend{"headless", &MakeDriver}));

} // namespace conformance
