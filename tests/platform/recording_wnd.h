// A window for the layer's tests that writes every message it handles into a shared log,
// and a fixture with a headless desktop installed.
#pragma once

#include "platform/headless/headless_system.h"
#include "platform/paintdc.h"
#include "platform/wnd.h"
#include "surface/surface.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

struct Event {
    std::string strWnd;
    UINT message = 0;
    WPARAM wParam = 0;
    std::uint64_t qwTime = 0;
    friend bool operator==(const Event&, const Event&) = default;
};

class RecordingWnd : public CWnd {
public:
    RecordingWnd(std::string strName, std::vector<Event>& log, HeadlessSystem& system)
        : m_strName(std::move(strName)), m_log(log), m_system(system) {}

    // A plain visible window of 320 x 240, a child of pParent when given.
    BOOL CreateSimple(CWnd* pParent = nullptr, LPCSTR lpszClass = nullptr) {
        return CreateEx(0, lpszClass, m_strName.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 320, 240, pParent, 1);
    }

    std::function<int()> onCreate;
    std::function<void(UINT_PTR)> onTimer;
    std::function<void(UINT)> onKey;
    std::function<BOOL(MSG*)> preTranslate;
    std::function<void()> onPaint;
    bool bDeleteOnNcDestroy = false;

protected:
    void Log(UINT message, WPARAM wParam = 0) {
        m_log.push_back({m_strName, message, wParam, m_system.Elapsed()});
    }

    int OnCreate(LPCREATESTRUCT pcs) override {
        Log(WM_CREATE);
        return onCreate ? onCreate() : CWnd::OnCreate(pcs);
    }
    void OnDestroy() override { Log(WM_DESTROY); }
    void OnNcDestroy() override {
        Log(WM_NCDESTROY);
        CWnd::OnNcDestroy();
    }
    void PostNcDestroy() override {
        if (bDeleteOnNcDestroy)
            delete this;
    }
    void OnTimer(UINT_PTR nIDEvent) override {
        Log(WM_TIMER, nIDEvent);
        if (onTimer)
            onTimer(nIDEvent);
    }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override {
        Log(WM_KEYDOWN, nChar);
        lastRepCnt = nRepCnt;
        lastFlags = nFlags;
        if (onKey)
            onKey(nChar);
    }
    void OnSetFocus(CWnd* pOldWnd) override { Log(WM_SETFOCUS, reinterpret_cast<WPARAM>(pOldWnd)); }
    void OnSize(UINT, int cx, int cy) override { Log(WM_SIZE, static_cast<WPARAM>(cx * 10000 + cy)); }
    void OnPaint() override {
        Log(WM_PAINT);
        if (onPaint)
            onPaint();
    }
    BOOL PreTranslateMessage(MSG* pMsg) override { return preTranslate ? preTranslate(pMsg) : FALSE; }

public:
    UINT lastRepCnt = 0;
    UINT lastFlags = 0;

private:
    std::string m_strName;
    std::vector<Event>& m_log;
    HeadlessSystem& m_system;
};

class HeadlessTest : public ::testing::Test {
protected:
    HeadlessTest() { system.Install(); }

    // Messages of one kind from the log, as "name:wParam" strings.
    std::vector<std::string> Logged(UINT message) const {
        std::vector<std::string> out;
        for (const Event& e : log)
            if (e.message == message)
                out.push_back(e.strWnd + ":" + std::to_string(e.wParam));
        return out;
    }

    HeadlessSystem system;
    std::vector<Event> log;
};
