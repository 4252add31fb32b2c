// Pointer, capture, tracking and activation state kept by Input.cpp and Focus.cpp.
#pragma once

#include "user/UserState.h"

#include <vector>

namespace mivo {

POINT CursorScreenPos();
void NoteInputRetrievedLocked(const MSG& m);

void ForgetInputStateLocked(HWND hwnd);
void ReleaseInputStateOnDestroy(HWND hwnd);
void ReleaseInputStateOnDisable(HWND hwnd);
void ActivateOnShow(HWND hwnd);
void ActivateOtherOnHide(HWND hwnd);

void ForgetMouseTrackingLocked(HWND hwnd);
HWND CaptureWindowLocked();
// The windows under a screen point in hit-test order: deepest first, the top-level window last.
std::vector<HWND> WindowsAtPoint(POINT pt);
// The window the mouse reaches at a screen point, asking WM_NCHITTEST (HTTRANSPARENT passes
// through); `hit` gets its answer, HTERROR over a disabled window. Called without the lock.
HWND HitTestWindowAt(POINT pt, LRESULT* hit);
HWND FocusOfForegroundLocked(HWND* active);
HWND ActivateByClick(HWND topLevel);
HCURSOR CursorForHitTest(LRESULT hit);

}  // namespace mivo
