// The narrow interface between the Win32 backend's two halves. The layer half cannot
// include <windows.h> (the layer's own DWORD, RECT, WM_*, VK_* and TRUE clash with it) and
// the native half includes nothing of the layer, so they meet here in plain integers,
// pointers and small structs. Message, style, key and command values are Win32's on both
// sides and cross as integers.
#pragma once

#include <cstdint>
#include <string>

namespace w32 {

using Handle = void*; // an HWND; null for none

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// Modifier bits of a key message, with the layer's MOD_SHIFT_DOWN, MOD_CONTROL_DOWN and
// MOD_ALT_DOWN values.
enum : std::uint32_t { SHIFT_DOWN = 0x1, CONTROL_DOWN = 0x2, ALT_DOWN = 0x4 };

// 24-bit pixels, blue-green-red, rows of nPitch bytes stored bottom-up: a DIB's layout.
struct Bits {
    const std::uint8_t* pBits = nullptr;
    int nWidth = 0;
    int nHeight = 0;
    int nPitch = 0;
};

// The window being painted, while its WM_PAINT is handled; x and y in the layer's pixels,
// each shown as a square of the window's factor.
class IPaintTarget {
public:
    virtual void DrawBits(int x, int y, const Bits& bits) = 0;

protected:
    ~IPaintTarget() = default;
};

// What a native window reports to the layer window it stands for (the layer half
// implements it). Nothing else reaches the layer: every other message has the system's
// default handling.
class IWindowEvents {
public:
    // WM_SIZE (its size in the layer's pixels), WM_CLOSE, WM_COMMAND and
    // WM_SETFOCUS (whose wParam is always 0:
    // the window that lost the focus is not passed on). The window may be gone afterwards.
    virtual void OnMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual void OnPaint(IPaintTarget& target) = 0;
    // WM_KEYDOWN or WM_SYSKEYDOWN with the modifiers held; true when an accelerator used the
    // key up. An unused system key goes on to the system's menu handling (Alt, F10).
    virtual bool OnKeyDown(std::uint32_t message, std::uint32_t nVirtKey, std::intptr_t lParam,
                           std::uint32_t modifiers) = 0;

protected:
    ~IWindowEvents() = default;
};

// The window class a window is made with: the layer's class name and description.
struct ClassDesc {
    std::string strName;
    std::uint32_t nStyle = 0;
    bool bArrowCursor = false;
    bool bBrush = false;        // erased with rgbBrush; otherwise never erased
    std::uint32_t rgbBrush = 0; // 0xRRGGBB
};

struct WindowDesc {
    ClassDesc wndClass;
    std::string strTitle; // UTF-8
    std::uint32_t dwStyle = 0;
    std::uint32_t dwExStyle = 0;
    Rect rcWindow;               // in the parent's client coordinates for a child
    Handle hParent = nullptr;    // the parent of a child, the owner of a top-level window
    std::uint32_t nIDorMenu = 0; // child id, or the menu resource id
};

// How large a top-level window shows its pictures on a display of nDpi: a whole factor
// (the layer's rule, given once before any window is made). Its client area is the layer's
// times the factor, and everything the layer sees of it (client rectangles, sizes, the
// places it paints and puts child windows at) is divided back.
using FactorRule = int (*)(std::uint32_t nDpi);
void SetFactorRule(FactorRule rule);
// The factor of hWnd's top-level window (1 for a dialog, which the system scales itself).
int FactorOf(Handle hWnd);

// Makes a window; null when the system refuses. pEvents hears from it from its first
// message after creation until DestroyNativeWindow.
Handle CreateNativeWindow(const WindowDesc& desc, IWindowEvents* pEvents);
// Stops the events first, then destroys the window (and its timers).
void DestroyNativeWindow(Handle hWnd);

void InvalidateWindow(Handle hWnd, bool bErase);
void FocusWindow(Handle hWnd);
void ShowNativeWindow(Handle hWnd, int nCmdShow);
void UpdateNativeWindow(Handle hWnd);
// The rectangle in the layer's pixels: a child's is multiplied by the factor; a top-level
// window keeps its centre and grows so that its client area is the layer's times the factor.
void PlaceWindow(Handle hWnd, const Rect& rc);
// In the system's pixels.
Rect ClientRectOf(Handle hWnd);
// The outer rectangle in screen coordinates.
Rect WindowRectOf(Handle hWnd);
// The events of the window with the keyboard focus, when it is one of this program's.
IWindowEvents* FocusEvents();

// Makes dialog template nTemplateID from the program's resources, hidden, owned by hOwner;
// its WM_COMMAND and WM_CLOSE go to pEvents. Null when the system refuses. Destroyed with
// DestroyNativeWindow.
Handle CreateNativeDialog(std::uint32_t nTemplateID, Handle hOwner, IWindowEvents* pEvents);
// Shows the dialog modal over hOwner, which takes no input until EndModalDialog; the
// dialog's keys (Enter, Esc, Tab) go to its controls meanwhile.
void BeginModalDialog(Handle hDialog, Handle hOwner);
// Gives hOwner its input back, hides the dialog and activates the owner again.
void EndModalDialog(Handle hDialog, Handle hOwner);

// Handles every message already waiting; false when one was WM_QUIT (*pExitCode then holds
// its code). Keys reach the windows as they are: accelerators are the layer's to translate.
bool PumpMessages(int* pExitCode);
// Returns when a message arrives or nMilliseconds pass (0xFFFFFFFF: no limit).
void WaitForMessages(std::uint32_t nMilliseconds);
// Calls pfnWake once, nMilliseconds from now, from whichever loop runs then; 0xFFFFFFFF
// cancels. A new call replaces the last.
void SetWake(std::uint32_t nMilliseconds, void (*pfnWake)());

// timeGetTime.
std::uint32_t Now();
Rect WorkArea();

// The system's border, edge, caption and menu sizes, for the layer's AdjustWindowRectEx.
struct Metrics {
    int cxFixedFrame, cyFixedFrame, cxSizeFrame, cySizeFrame, cxBorder, cyBorder, cxEdge, cyEdge, cyCaption,
        cyMenu;
};
Metrics CurrentMetrics();

} // namespace w32
