// ScreenSession: the headless desktop with one game view on it, moved on by the script.
#include "screen_session.h"

#include "png_writer.h"

#include "platform/afxres.h"

#include <fstream>

namespace {
// The game's own tick is the shortest; a step the script waits for comes within minutes.
constexpr int MAX_TICKS_PER_WAIT = 1000000;
} // namespace

ScreenSession::ScreenSession(std::string strAssetDir, std::filesystem::path outDir, unsigned int nSeed,
                             int nScale)
    : m_random(nSeed), m_strAssetDir(std::move(strAssetDir)), m_outDir(std::move(outDir)), m_nScale(nScale) {
    m_system.Install();
    // Paint whenever a tick or a key has been handled, as the message loop does when it goes
    // idle, so the captured picture is what a player would be looking at.
    m_system.SetAutoPaint(true);
}

// The view goes before the desktop it lives on.
ScreenSession::~ScreenSession() {
    m_pView.reset();
}

void ScreenSession::Start() {
    m_pView = std::make_unique<CGameView>(m_random);
    m_pView->SetAssetDirectory(m_strAssetDir);
    if (!m_pView->CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, nullptr,
                           AFX_IDW_PANE_FIRST)) {
        std::string strWhat = "the game view did not start";
        for (const AssetFailure& failure : m_pView->GetLoadFailures())
            strWhat += "\n  " + failure.strFile + ": " + failure.strReason;
        throw ScriptError(strWhat);
    }
    m_pView->SetFocus();
}

void ScreenSession::WaitUntil(const std::function<bool()>& bDone, std::uint64_t qwLimit,
                              const std::string& strWhat) {
    const std::uint64_t qwStart = m_system.Elapsed();
    for (int nTicks = 0; !bDone(); ++nTicks) {
        Require(nTicks < MAX_TICKS_PER_WAIT && m_system.Elapsed() - qwStart <= qwLimit,
                "waited " + std::to_string(m_system.Elapsed() - qwStart) + " ms for " + strWhat);
        Require(m_system.DeliverNextTick(), "no timer runs while waiting for " + strWhat);
    }
}

std::filesystem::path ScreenSession::Shoot(const std::string& strName) {
    const HeadlessPeer* pPeer = m_system.PeerOf(*m_pView);
    Require(pPeer != nullptr, "the game view is gone before " + strName);
    Require(!pPeer->IsInvalid(), "the screen is not painted up to date for " + strName);
    const CapturedPicture& picture = pPeer->Picture();
    Require(picture.Width() == SCREEN_WIDTH && picture.Height() == SCREEN_HEIGHT,
            "the window shows " + std::to_string(picture.Width()) + " x " + std::to_string(picture.Height()) +
                " pixels for " + strName);

    const std::vector<std::uint8_t> scaled =
        ScaleNearest(picture.Width(), picture.Height(), picture.Bytes(), m_nScale);
    const std::vector<std::uint8_t> png =
        EncodePng(picture.Width() * m_nScale, picture.Height() * m_nScale, scaled);

    const std::filesystem::path path = m_outDir / (strName + ".png");
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    file.close();
    Require(file.good(), "cannot write " + path.string());
    return path;
}
