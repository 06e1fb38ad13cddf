// The conformance suite in a browser page (web_page.html, in headless Chromium): the layer's
// loops on the web backend's queue, which hand the page back to the browser while they wait
// (Asyncify); input as DOM events on the page's elements; sizes and places read from the
// page's layout in device pixels.
#include "conformance_cases.h"

#include "app/startup.h"
#include "platform/message_loop.h"
#include "platform/user_report.h"
#include "platform/web/web_peer.h"
#include "platform/web/web_window_system.h"
#include "platform/winapp.h"
#include "platform/window_scale.h"
#include "testkit/text_lines.h"

#include <emscripten.h>

#include <map>
#include <sstream>

// clang-format off
// The element's rectangle in device pixels (the viewport's for "viewport") and whether it
// is shown, as left, top, right, bottom, shown; 0 when no element matches.
EM_JS(int, page_rect, (const char* pszSelector, int* pOut), {
    var selector = UTF8ToString(pszSelector);
    var el = selector === 'viewport' ? null : document.querySelector(selector);
    if (!el && selector !== 'viewport') return 0;
    var r = el ? el.getBoundingClientRect() : { left: 0, top: 0, right: innerWidth, bottom: innerHeight };
    [r.left, r.top, r.right, r.bottom].forEach(function (v, i) {
        HEAP32[(pOut >> 2) + i] = Math.round(v * devicePixelRatio);
    });
    HEAP32[(pOut >> 2) + 4] = !el || el.checkVisibility() ? 1 : 0;
    return 1;
});
EM_JS(int, page_click, (const char* pszSelector), {
    var el = document.querySelector(UTF8ToString(pszSelector));
    if (el) el.click();
    return el ? 1 : 0;
});
// A key pressed and let go where the keyboard's focus is; the page listens on the window.
EM_JS(void, page_key, (const char* pszCode, const char* pszKey, DWORD modifiers), {
    var init = { code: UTF8ToString(pszCode), key: UTF8ToString(pszKey), shiftKey: (modifiers & 1) !== 0,
                 ctrlKey: (modifiers & 2) !== 0, altKey: (modifiers & 4) !== 0, bubbles: true, cancelable: true };
    var target = document.activeElement || document.body;
    target.dispatchEvent(new KeyboardEvent('keydown', init));
    target.dispatchEvent(new KeyboardEvent('keyup', init));
});
// Whether a click on the game or on the menu bar, away from the dialog, would miss them.
EM_JS(int, page_blocked, (), {
    return ['#screen', '#menubar .menu-title'].every(function (selector) {
        var el = document.querySelector(selector);
        var r = el.getBoundingClientRect();
        var hit = document.elementFromPoint(r.left + 1, r.top + 1);
        return !hit || !el.contains(hit);
    }) ? 1 : 0;
});
// Text the page shows: 0, the menu bar, one "level TAB id TAB text" line an entry, the
// underlined mnemonic marked with '&' as in the program's resources; 1, the page's messages.
EM_JS(int, page_text, (int nWhat, char* pBuf, int nSize), {
    function label(node) {
        var s = "";
        node.childNodes.forEach(function (n) {
            s += n.nodeName === 'U' ? '&' + n.textContent : n.nodeType === 3 ? n.textContent.replace(/&/g, '&&') : label(n);
        });
        return s;
    }
    var lines = [];
    if (nWhat === 0)
        document.querySelectorAll('#menubar .menu').forEach(function (menu) {
            lines.push('0\t0\t' + label(menu.querySelector('.menu-title')));
            menu.querySelectorAll('.menu-item').forEach(function (item) {
                lines.push('1\t' + item.dataset.command + '\t' + label(item));
            });
        });
    var text = nWhat === 0 ? lines.join('\n') : document.getElementById('messages').textContent;
    stringToUTF8(text, pBuf, nSize);
    return lengthBytesUTF8(text);
});
// From now on counts the paints the page's queue hands the program for a window.
EM_JS(void, page_count_paints, (int nWindow), {
    if (!Module.counted) {
        var take = MorvaneWeb.take;
        MorvaneWeb.take = function (ptr) {
            var taken = take(ptr);
            var counted = Module.counted;
            if (taken && HEAP32[ptr >> 2] === counted.hwnd && HEAP32[(ptr >> 2) + 1] === MorvaneWeb.WM_PAINT)
                ++counted.paints;
            return taken;
        };
    }
    Module.counted = { hwnd: nWindow, paints: 0 };
});
EM_JS(int, page_paints, (), { return Module.counted.paints; });
// Hands a waiting loop back to the program every ms, so that it looks at its deadline even
// when nothing comes; the number to stop it with.
EM_JS(int, page_poll_every, (unsigned ms), { return setInterval(function () { MorvaneWeb.wake(); }, ms); });
EM_JS(void, page_poll_stop, (int nPoll), { clearInterval(nPoll); });
// A close from outside the program: WM_CLOSE on the page's queue for the main window.
EM_JS(void, page_post_close, (), { MorvaneWeb.post(MorvaneWeb.frameHwnd, MorvaneWeb.WM_CLOSE, 0, 0, 0); });
EM_JS(void, page_clear_messages, (), { document.getElementById('messages').textContent = ""; });
EM_JS(void, page_done, (int nStatus), { window.conformanceStatus = nStatus; });
// clang-format on

namespace conformance {
namespace {

constexpr unsigned LOOP_LIMIT_MS = 60000; // a program that never ends stops here
constexpr unsigned POLL_MS = 10;
constexpr UINT_PTR TIMER_CALL = 1;
constexpr UINT_PTR TIMER_WATCHDOG = 2;

std::string PageText(int nWhat) {
    const int nLength = page_text(nWhat, nullptr, 0);
    std::string text(nLength + 1, '\0');
    page_text(nWhat, text.data(), nLength + 1);
    text.resize(nLength);
    return text;
}

// KeyboardEvent's code and key of a virtual key on a US layout.
std::pair<std::string, std::string> DomKey(UINT nVirtKey, DWORD modifiers) {
    const char ch = static_cast<char>(nVirtKey);
    if (nVirtKey >= 'A' && nVirtKey <= 'Z')
        return {std::string("Key") + ch, std::string(1, modifiers & MOD_SHIFT_DOWN ? ch : ch - 'A' + 'a')};
    static const std::map<UINT, std::string> keys = {
        {VK_BACK, "Backspace"}, {VK_DELETE, "Delete"}, {VK_INSERT, "Insert"},
        {VK_F6, "F6"},          {VK_ESCAPE, "Escape"}, {VK_RETURN, "Enter"},
    };
    const auto it = keys.find(nVirtKey);
    const std::string name = it == keys.end() ? "Unidentified" : it->second;
    return {name, name};
}

// A hidden window of the driver's whose timers call back from whichever loop runs.
class CCallbackWnd : public CWnd {
public:
    std::map<UINT_PTR, std::function<void()>> calls;

protected:
    void OnTimer(UINT_PTR nIDEvent) override {
        if (const auto it = calls.find(nIDEvent); it != calls.end())
            std::function<void()>(it->second)(); // a copy: the call may replace it
    }
};

class WebDriver : public Driver {
public:
    WebDriver() {
        m_system.Install();
        m_callbacks.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 0, 0, nullptr, 0);
    }
    ~WebDriver() override {
        m_callbacks.DestroyWindow();
        AfxSetWindowScale(1);
    }

    bool SetScale(int nScale) override {
        AfxSetWindowScale(nScale);
        return true;
    }

    bool PumpUntil(const std::function<bool()>& pred, unsigned ms) override {
        const double dEnd = emscripten_get_now() + ms;
        const int nPoll = page_poll_every(POLL_MS);
        AfxPumpMessages([&] { return pred() || emscripten_get_now() > dEnd; });
        page_poll_stop(nPoll);
        return pred();
    }
    int RunLoop() override {
        Call(TIMER_WATCHDOG, LOOP_LIMIT_MS, [] { AfxPostQuitMessage(99); });
        const int nStatus = AfxRunMessageLoop();
        m_callbacks.KillTimer(TIMER_WATCHDOG);
        return nStatus;
    }
    void BlockLoop(unsigned ms) override {
        const double dEnd = emscripten_get_now() + ms;
        while (emscripten_get_now() < dEnd) {
        }
    }
    void PumpWaiting() override {
        emscripten_sleep(0); // what the page has for the program reaches its queue
        while (m_system.DispatchWaiting()) {
        }
        AfxDeliverDueTimers();
    }
    void CallEvery(unsigned ms, std::function<void()> fn) override { Call(TIMER_CALL, ms, std::move(fn)); }
    void StopCalling() override { m_callbacks.KillTimer(TIMER_CALL); }

    // The key goes in as the page's keyboard handler takes it, and is handled at once.
    void PressKey(CWnd&, UINT nVirtKey, DWORD modifiers) override {
        const auto [code, key] = DomKey(nVirtKey, modifiers);
        page_key(code.c_str(), key.c_str(), modifiers);
        while (m_system.DispatchWaiting()) {
        }
    }
    void ChooseMenuItem(CWnd&, UINT nID) override {
        const std::string item = ".menu-item[data-command=\"" + std::to_string(nID) + "\"]";
        EXPECT_TRUE(page_click(("#menubar .menu:has(" + item + ") .menu-title").c_str())); // opens it
        EXPECT_TRUE(page_click(("#menubar " + item).c_str()));
    }
    void ClickCloseButton(CWnd&) override {
        if (page_click("#window button[aria-label=Close]"))
            return;
        ADD_FAILURE() << "the page has no close control of the window's";
        AfxPostQuitMessage(99); // nothing will end the loop: it is not waited for
    }
    void SendClose(CWnd&) override { page_post_close(); }
    void PressDialogOk() override { EXPECT_TRUE(page_click("#dialog[open] .dialog-button[autofocus]")); }

    RECT WindowRect(const CWnd&) override { return Box("#window").rc; }
    // Every window's client area is the canvas: the frame's and its view's.
    Size ClientSize(const CWnd&) override {
        const RECT rc = Box("#screen").rc;
        return {static_cast<int>(rc.right - rc.left), static_cast<int>(rc.bottom - rc.top)};
    }
    RECT WorkArea() override { return Box("viewport").rc; }
    std::vector<MenuEntry> MenuBar(const CWnd&) override {
        std::vector<MenuEntry> entries;
        for (const std::string& line : testkit::Lines(PageText(0))) {
            const std::size_t nTab = line.find('\t');
            const std::size_t nText = line.find('\t', nTab + 1);
            entries.push_back({line.substr(nText + 1), static_cast<UINT>(std::stoul(line.substr(nTab + 1))),
                               std::stoi(line.substr(0, nTab))});
        }
        return entries;
    }
    std::optional<NativeDialog> OpenDialog() override {
        const PageBox box = Box("#dialog[open]");
        if (!box.bFound)
            return std::nullopt;
        return NativeDialog{box.rc, box.bShown, page_blocked() != 0};
    }
    void CountPaints(const CWnd& wnd) override {
        page_count_paints(dynamic_cast<WebWndPeer*>(wnd.GetSafeHwnd())->Handle());
    }
    int Paints() override { return page_paints(); }

    // The page's program is this one: its start as main() does it, and what reached the page.
    ProgramEnd RunWithoutPictures(const std::filesystem::path&) override {
        page_clear_messages();
        ProgramEnd end;
        std::ostringstream out;
        std::ostringstream err;
        const char* const argv[] = {"morvane", nullptr};
        const StartRequest start = PrepareStart(1, argv, static_cast<CDrillApp&>(*AfxGetApp()), out, err);
        if (!err.str().empty())
            AfxReportToUser(ReportKind::Error, err.str());
        end.nStatus = !start.bRun ? start.nStatus : AfxWinMain([&] {
            end.bRanItsLoop = true;
            return RunLoop();
        });
        end.lines = testkit::Lines(PageText(1));
        return end;
    }

private:
    void Call(UINT_PTR nIDEvent, unsigned ms, std::function<void()> fn) {
        m_callbacks.calls[nIDEvent] = std::move(fn);
        m_callbacks.SetTimer(nIDEvent, ms, nullptr);
    }
    struct PageBox {
        RECT rc{};
        bool bFound = false;
        bool bShown = false;
    };
    static PageBox Box(const char* pszSelector) {
        int v[5] = {};
        const bool bFound = page_rect(pszSelector, v) != 0;
        return {RECT{v[0], v[1], v[2], v[3]}, bFound, v[4] != 0};
    }

    WebWindowSystem m_system;
    CCallbackWnd m_callbacks;
};

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<WebDriver>();
}

} // namespace

INSTANTIATE_CONFORMANCE(Web, (Backend{"web", &MakeDriver}));

} // namespace conformance

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int nStatus = RUN_ALL_TESTS();
    page_done(nStatus);
    return nStatus;
}
