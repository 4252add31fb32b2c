// Functions the parts of the window manager call on each other.
#pragma once

#include "user/UserState.h"

#include <string>
#include <vector>

namespace mivo {

uint64_t MonotonicMs();
bool HasCurrentQueue();
void ForgetThreadQueue(const std::shared_ptr<ThreadQueue>& q);
void DropWindowsOfThread(DWORD threadId);
bool RetrieveMessage(MSG* out, HWND hwnd, UINT min, UINT max, bool remove, bool wait);
// Handles messages sent to the calling thread by others (for waits that must keep them flowing).
bool ProcessCurrentThreadSentMessages();
// Queues a mouse or keyboard message for the window's thread.
void PostInputMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, POINT screenPt);

// Input state (Input.cpp).
POINT CursorScreenPos();
void NoteInputRetrievedLocked(const MSG& m);

// Painting (Paint.cpp).
HWND FindWindowToPaintLocked(DWORD threadId, HWND within);
// GetDC's default: clip children and siblings as the window's styles ask.
#define DCX_USESTYLE_INTERNAL 0x00010000L
HDC MakeWindowDC(HWND hwnd, const RectSet* intersect, DWORD flags, bool paint);
RectSet VisibleRegionLocked(const Window& w, bool clientOnly, bool clipChildren, bool clipSiblings);
void InvalidateWindowLocked(Window& w, const RECT* clientRect, UINT flags);
void FlushSurface(HWND topLevel, const RECT& dirty);
void HideCaretForPaint(HWND hwnd);
void ShowCaretAfterPaint(HWND hwnd);
void ForgetCaretOf(HWND hwnd);

// Timers (Timers.cpp).
bool IsThreadTimerAlive(UINT_PTR id, TIMERPROC proc);

// Windows (Windows.cpp).
std::vector<HWND>& SiblingListLocked(Window& w);
void UnlinkLocked(Window& w);
void LinkLocked(Window& w, bool atBottom);
void FinishDestroy(HWND hwnd);
void SetWindowTextLocked(Window& w, LPCSTR text);
int CopyWindowTextLocked(const Window& w, LPSTR buffer, int max);

// Geometry (Geometry.cpp).
SIZE ScreenSize();
inline HWND DesktopHandle() { return (HWND)(uintptr_t)0x10000; }
void EnsureDesktopLocked();
HWND DesktopWindow();  // makes sure the desktop window exists and has the screen's size
void RefreshDisplaySurface();
void OffsetRectBy(RECT& r, int dx, int dy);
void ResizeSurfaceLocked(Window& w);
// Invalidates what a move, resize, show or hide uncovered or changed.
void InvalidateAfterMove(HWND hwnd, const RECT& oldRect, const RECT& oldClient, bool wasVisible, bool shown,
                         bool hidden, bool sized, bool moved, bool zordered, bool frameChanged);
MINMAXINFO DefaultMinMaxInfo(HWND hwnd);
// Asks the window for its client area (WM_NCCALCSIZE) after its frame or size changed.
void RecalcClientRect(HWND hwnd, WINDOWPOS* pos);
POINT ClientOriginInParent(HWND hwnd);
bool HasMenuBarLocked(const Window& w);
RECT WindowRectInTopLevelLocked(const Window& w);  // window rectangle in top-level window coordinates

// Surfaces and the native side.
void AttachSurfaceLocked(Window& w);
void DetachSurfaceLocked(Window& w);
void ReleaseNativeWindow(Window& w);
// Tells the native window about geometry, visibility and state changes.
void SyncNativeWindow(HWND hwnd, bool shown, bool hidden);
void NotifyNativeState(HWND hwnd);


// Painting (Paint.cpp).
void InvalidateAfterReparent(HWND hwnd, HWND oldParent);

// Input state (Input.cpp).
void ForgetInputStateLocked(HWND hwnd);
void ReleaseInputStateOnDestroy(HWND hwnd);
void ReleaseInputStateOnDisable(HWND hwnd);
void ActivateOnShow(HWND hwnd);
void ActivateOtherOnHide(HWND hwnd);

// Non-client areas and defaults (NonClient.cpp).
void EnsureScrollBarsFromStyle(HWND hwnd);
HBRUSH DefaultControlColor(UINT msg, HDC hdc);
HBRUSH ScrollBarTroughBrush();
LRESULT DefPrint(HWND hwnd, HDC hdc, DWORD flags, bool clientOnly);
void ForgetMouseTrackingLocked(HWND hwnd);
HWND CaptureWindowLocked();
// The windows under a screen point in hit-test order: deepest first, the top-level window last.
std::vector<HWND> WindowsAtPoint(POINT pt);
HWND FocusOfForegroundLocked(HWND* active);
HWND ActivateByClick(HWND topLevel);
HCURSOR CursorForHitTest(LRESULT hit);

// Frame drawing helpers.
int InternalGetWindowText(HWND hwnd, LPSTR buffer, int max);  // without sending WM_GETTEXT
bool NonClientActive(HWND hwnd);
void DrawMenuBarHook(HWND hwnd, HDC dc, const RECT& bar);
bool ScrollBarInfo(HWND hwnd, int bar, ScrollBarState* out);
void SetScrollTrackPos(HWND hwnd, int bar, int trackPos);

// Upper-cases ASCII letters without touching the trail bytes of CP949 characters.
std::string FoldCaseCp949(const char* s);

}  // namespace mivo
