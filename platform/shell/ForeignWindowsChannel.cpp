// The window manager reaches windows of other processes through the instance channel.
#include "mivo/instance.h"
#include "user/ForeignWindows.h"

namespace {

class ChannelWindows final : public mivo::ForeignWindows {
public:
    bool Owns(HWND hwnd) override { return mivo::IsForeignWindow(hwnd); }
    HWND Find(const char* className, const char* windowName) override
    {
        return mivo::FindInstanceWindow(className, windowName);
    }
    BOOL IsWindow(HWND hwnd) override { return mivo::ForeignIsWindow(hwnd); }
    BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        return mivo::ForeignPostMessage(hwnd, msg, wParam, lParam);
    }
    LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        return mivo::ForeignSendMessage(hwnd, msg, wParam, lParam);
    }
    BOOL ShowWindow(HWND hwnd, int nCmdShow) override { return mivo::ForeignShowWindow(hwnd, nCmdShow); }
    BOOL SetForegroundWindow(HWND hwnd) override { return mivo::ForeignSetForegroundWindow(hwnd); }
    BOOL BringWindowToTop(HWND hwnd) override { return mivo::ForeignBringWindowToTop(hwnd); }
    BOOL IsIconic(HWND hwnd) override { return mivo::ForeignIsIconic(hwnd); }
    HWND GetLastActivePopup(HWND hwnd) override { return mivo::ForeignGetLastActivePopup(hwnd); }
    DWORD ProcessId(HWND hwnd) override { return mivo::ForeignWindowProcessId(hwnd); }
};

ChannelWindows g_channelWindows;
const bool kInstalled = (mivo::SetForeignWindows(&g_channelWindows), true);

}  // namespace
