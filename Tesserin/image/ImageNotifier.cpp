#include "image/ImageNotifier.h"

#include "image/ImageMessages.h"
#include "mfc.h"

#include <mutex>

namespace mivo {
namespace image {

namespace {

std::mutex g_hookLock;
NoticeHook g_hook = nullptr;
void* g_hookContext = nullptr;

// True when a test hook took the notice.
bool Report(const Notice& notice)
{
    NoticeHook hook;
    void* context;
    {
        std::lock_guard<std::mutex> lock(g_hookLock);
        hook = g_hook;
        context = g_hookContext;
    }
    if (hook)
        hook(notice, context);
    return hook != nullptr;
}

void Send(CWnd* wnd, UINT message, WPARAM wParam)
{
    Notice notice{Notice::Message, wnd, message, wParam, nullptr, nullptr, 0};
    if (!Report(notice))
        ::SendMessage(wnd->GetSafeHwnd(), message, wParam, 0);
}

}  // namespace

void SendProgress(CWnd* wnd, const int* interrupt, int percent)
{
    if (MayNotify(wnd, interrupt))
        Send(wnd, WM_IMAGE_PROGRESS, WPARAM(percent));
}

void SendRowProgress(CWnd* wnd, const int* interrupt, uint64_t row, uint64_t rows)
{
    if (rows <= 20 || row % (rows / 20) != 0)
        return;
    SendProgress(wnd, interrupt, int(row * 100 / rows));
}

void SendDone(CWnd* wnd, const int* interrupt, int value)
{
    if (MayNotify(wnd, interrupt))
        Send(wnd, WM_IMAGE_DONE, WPARAM(value));
}

void ShowMessage(const char* text, UINT type)
{
    Notice notice{Notice::Box, nullptr, 0, 0, text, nullptr, type};
    if (!Report(notice))
        ::MessageBox(nullptr, text, nullptr, type);
}

void ShowMessageBox(const char* text, const char* caption, UINT type)
{
    Notice notice{Notice::Box, nullptr, 0, 0, text, caption, type};
    if (!Report(notice))
        ::MessageBox(nullptr, text, caption, type);
}

void SetNoticeHook(NoticeHook hook, void* context)
{
    std::lock_guard<std::mutex> lock(g_hookLock);
    g_hook = hook;
    g_hookContext = context;
}

}  // namespace image
}  // namespace mivo
