// Per-thread and per-process state of the framework's window layer.
#pragma once

#include "mfc.h"
#include "mfc/GdiWrappers.h"

#include <unordered_map>

namespace mivo {

struct MfcThreadState {
    CWnd* pendingCreate = nullptr;        // attached to the next window this thread creates
    MSG lastSentMsg = {};                 // the message being handled (CWnd::Default, ReflectLastMsg)
    std::unordered_map<HWND, CWnd*> temporary;  // FromHandle objects for windows without a permanent one
    CWinThread* thread = nullptr;
    int sendDepth = 0;
};

MfcThreadState& MfcThread();

// The permanent map: every attached CWnd by handle, process wide.
CWnd* LookupPermanent(HWND hwnd);
void AddPermanent(HWND hwnd, CWnd* wnd);
void RemovePermanent(HWND hwnd, CWnd* wnd);

// Reports an exception that reached the dispatcher; the program goes on.
void ReportHandlerException(CException* e);
void ReportHandlerFailure(const char* what);

CWinApp*& AppPointer();

}  // namespace mivo
