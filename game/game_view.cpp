// CGameView's state and pictures: construction, the window class, start-up with the
// loading of every picture, painting, and the release of the pictures at the end.
#include "game_view.h"

#include "asset_rules.h"

#include "platform/paintdc.h"
#include "platform/wndclass.h"

#include <ctime>

CGameView::CGameView() : CGameView(DefaultRandomSource()) {}

CGameView::CGameView(RandomSource& random) : m_pRandom(&random) {
    // Seeded once per run; two runs started within the same second show the same letters.
    m_pRandom->Seed(static_cast<unsigned int>(std::time(nullptr)));
    m_bPlaying = FALSE;
    m_nGauge = GAUGE_START;
    m_dwShownAt = 0;
    // Replaced before any letter is shown, but it takes its value from the sequence.
    m_nLetter = static_cast<std::int8_t>(m_pRandom->Rand() % LETTER_COUNT);
}

// The members go in reverse order of declaration: the letters from Z to A, then the font,
// logo, title, sprite sheet, frame and back buffer (already empty after OnDestroy).
CGameView::~CGameView() = default;

BOOL CGameView::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style &= ~WS_BORDER;
    cs.lpszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW),
                                       COLOR_WINDOW + 1, nullptr);
    return TRUE;
}

int CGameView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return LoadAssets() ? 0 : -1;
}

bool CGameView::LoadPicture(Surface& picture, const std::string& strFile, const PictureRule& rule) {
    const std::string strPath = m_strAssetDir.empty() ? strFile : m_strAssetDir + "/" + strFile;
    std::string strReason;
    if (!picture.LoadBMP(strPath.c_str(), strReason)) {
        m_loadFailures.push_back({strFile, strReason});
        return false;
    }
    // The drawing steps copy without clipping; a picture of another size could reach
    // outside a surface, so it is refused here like a file that cannot be read.
    if (std::string strRule = CheckPictureSize(picture, rule); !strRule.empty()) {
        picture.Release();
        m_loadFailures.push_back({strFile, strRule});
        return false;
    }
    return true;
}

BOOL CGameView::LoadAssets() {
    m_nPhase = PHASE_LOGO;
    m_bPlaying = FALSE;
    m_bPaused = FALSE;
    m_loadFailures.clear();

    // Every one of the 32 operations is tried whatever the ones before it gave.
    bool ok = m_back.Create(SCREEN_WIDTH, SCREEN_HEIGHT);
    if (!ok)
        m_loadFailures.push_back({"back buffer", "out of memory"}); // its size is fixed: only memory can fail
    ok = LoadPicture(m_frame, "frame.bmp", RULE_FRAME) && ok;
    ok = LoadPicture(m_sprite, "sprite.bmp", RULE_SPRITE) && ok;
    ok = LoadPicture(m_logo, "vel.bmp", RULE_LOGO) && ok;
    ok = LoadPicture(m_title, "title.bmp", RULE_TITLE) && ok;
    ok = LoadPicture(m_font, "fonts.bmp", RULE_FONT) && ok;
    for (int i = 0; i < LETTER_COUNT; ++i) {
        const char c = static_cast<char>('A' + i);
        m_letters[i].m_chLetter = c;
        ok = LoadPicture(m_letters[i].m_image, std::string(1, c) + ".bmp", RULE_LETTER) && ok;
    }
    if (!ok)
        return FALSE; // no timer; what did load is released by OnDestroy and the destructor

    StartLogo();
    return TRUE;
}

GameSnapshot CGameView::Snapshot() const {
    return {
        .m_nLetter = m_nLetter,
        .m_dwShownAt = m_dwShownAt,
        .m_nGauge = m_nGauge,
        .m_bPlaying = m_bPlaying,
        .m_bPaused = m_bPaused,
        .m_dwTimeLeft = m_dwTimeLeft,
        .m_nRank = m_nRank,
        .m_hitDigits = m_hitDigits,
        .m_missDigits = m_missDigits,
        .m_nMark = m_nMark,
        .m_nPhase = m_nPhase,
        .m_nTick = m_nTick,
    };
}

void CGameView::OnPaint() {
    // Painting only copies: every screen was composed by the handler that changed it.
    CPaintDC dc(this);
    m_back.Present(dc, 0, 0);
}

void CGameView::OnDestroy() {
    CWnd::OnDestroy();
    // The letter pictures stay until the destructor; the timers end with the window.
    m_font.Release();
    m_sprite.Release();
    m_title.Release();
    m_frame.Release();
    m_logo.Release();
    m_back.Release();
}

void CGameView::InvalidateView() {
    InvalidateRect(nullptr, FALSE);
}
