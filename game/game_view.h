// CGameView: the game. The child window that fills the main window, holding every picture
// and all state of the cycle from logo to result; it reacts to timer ticks, key-downs and
// paints, composes each screen into its back buffer and paints by copying that buffer.
#pragma once

#include "digits.h"
#include "game_constants.h"
#include "random_source.h"
#include "surface/surface.h"

#include "platform/wnd.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct PictureRule;

// One entry of the letter table: the letter's code ('A' to 'Z', also its key code) and
// its picture.
struct LetterImage {
    char m_chLetter; // set by LoadAssets
    Surface m_image;
};

// A picture that could not be used at start-up, for the shell to report.
struct AssetFailure {
    std::string strFile;   // "frame.bmp", ..., "Z.bmp"; "back buffer" for the back buffer
    std::string strReason; // from the reader, or the size rule the picture breaks
};

// The view's game state at one moment, under the names the view keeps it by: what the
// tests, the benchmark and the screens tool read. A copy; changing it changes nothing.
struct GameSnapshot {
    std::int8_t m_nLetter;
    DWORD m_dwShownAt;
    int m_nGauge;
    BOOL m_bPlaying;
    BOOL m_bPaused;
    DWORD m_dwTimeLeft;
    int m_nRank;
    DigitCounter m_hitDigits;
    DigitCounter m_missDigits;
    int m_nMark;
    int m_nPhase;
    int m_nTick;

    friend bool operator==(const GameSnapshot&, const GameSnapshot&) = default;
};

class CGameView : public CWnd {
public:
    // Seeds the generator with the calendar time and draws a first letter, from the C
    // runtime's generator or the given one (which must outlive the view).
    CGameView();
    explicit CGameView(RandomSource& random);
    ~CGameView() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The folder the picture files are read from; empty (the default) is the current one.
    void SetAssetDirectory(std::string strDirectory) { m_strAssetDir = std::move(strDirectory); }
    // The pictures that failed at the last start-up, in the order they were tried.
    const std::vector<AssetFailure>& GetLoadFailures() const { return m_loadFailures; }

    // The state as it stands, and the back buffer every screen is composed in (read only:
    // the view alone draws).
    GameSnapshot Snapshot() const;
    const Surface& BackBuffer() const { return m_back; }

    // The time bar's width in pixels: floor(dwTimeLeft x 427 / 100000), exact for any value.
    static int TimeBarWidth(DWORD dwTimeLeft);
    // Gauge change for a reaction time: the gain of a correct key, the cost of a wrong one.
    static int GainFor(DWORD dwReaction);
    static int PenaltyFor(DWORD dwReaction);
    // Rank 0 (best) to 3 for a score.
    static int RankForScore(int nScore);

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnPaint() override;
    void OnDestroy() override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnTimer(UINT_PTR nIDEvent) override;

    // Drawing steps: each composes into m_back only; the caller invalidates the view.
    void DrawFrame();
    void DrawLetter(int nLetter);
    void DrawGauge(int nWidth);
    void DrawTimeBar();
    void DrawMissCount();
    void DrawHitMark();
    void DrawMissMark();
    void DrawIntroCaption();
    void DrawStartCaption();
    void DrawEndBanner();
    void DrawQuitPrompt();
    void DrawTimeUpBanner();
    void DrawPlayScreen();
    void DrawResults();
    // Frame, miss count and gauge: what the time-up and result ticks draw first.
    void DrawResultBackdrop();
    // One pass of the eight-pass row wipe from source into target, starting at row nStart.
    // Invalidates the view; true after the last pass (start row 8 or more).
    bool WipeRows(Surface& target, const Surface& source, int nStart);

    // Flow steps.
    void StartLogo();
    void ShowTitle();
    void StartGame();
    void GameOver();
    void TimeUp();

    // Fields, in the order that makes construction and destruction release as they must.
    std::int8_t m_nLetter = 0;
    DWORD m_dwShownAt = 0;
    int m_nGauge = GAUGE_START;
    BOOL m_bPlaying = FALSE;
    BOOL m_bPaused = FALSE;
    DWORD m_dwTimeLeft = 0;
    int m_nRank = 0;
    DigitCounter m_hitDigits{};
    DigitCounter m_missDigits{};
    int m_nMark = MARK_NONE;
    Surface m_back;
    Surface m_frame;
    Surface m_sprite;
    Surface m_title;
    Surface m_logo;
    Surface m_font;
    std::array<LetterImage, LETTER_COUNT> m_letters{};
    int m_nPhase = PHASE_LOGO;
    int m_nTick = 0;

private:
    BOOL LoadAssets();
    bool LoadPicture(Surface& picture, const std::string& strFile, const PictureRule& rule);
    // Asks for a paint of the whole view without erasing; the window shows the back buffer
    // when that paint comes, not here.
    void InvalidateView();
    void DrawRegion(const SpriteRegion& region);
    void DrawDigit(int nDigit, int x, int y);
    int Score() const;

    // The logo and frame wipes: idle ticks, eight passes, then a hold up to nHoldLast.
    // True on the tick after the hold, when the caller moves on.
    bool StepWipe(const Surface& source, int nHoldLast);

    // Tick handlers, one per timer.
    void OnLogoTick();
    void OnFrameWipeTick();
    void OnIntroTick();
    void OnStartCaptionTick();
    void OnRestartTick();
    void OnDrainTick();
    void OnClockTick();
    void OnTimeUpTick();
    void OnResultTick();

    // Key steps.
    void JudgeLetter(UINT nChar);
    void Pause();
    void Resume();
    void QuitToLogo();

    // Tests only, defined with them: the few changes of state a test makes to reach a case
    // quickly, the single drawing steps it checks by themselves, and the pictures.
    friend class GameViewTestAccess;

    RandomSource* m_pRandom;
    std::string m_strAssetDir;
    std::vector<AssetFailure> m_loadFailures;
};
