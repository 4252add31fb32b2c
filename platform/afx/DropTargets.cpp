#include "afx/DropTargets.h"

#include "mfc/Wnd.h"

#include <map>
#include <mutex>

namespace {

struct Registration {
    COleDropTarget* target;
    CWnd* permanent;  // the window object at registration, to notice a handle used again
};

std::mutex g_lock;
std::map<HWND, Registration>& Targets()
{
    static std::map<HWND, Registration> targets;
    return targets;
}

}  // namespace

bool mivo::afx::RegisterDropTarget(HWND hwnd, COleDropTarget* target)
{
    if (!::IsWindow(hwnd) || !target)
        return false;
    CWnd* permanent = CWnd::FromHandlePermanent(hwnd);
    std::lock_guard<std::mutex> guard(g_lock);
    auto found = Targets().find(hwnd);
    if (found != Targets().end() && found->second.permanent == permanent)
        return false;  // already registered
    Targets()[hwnd] = Registration{target, permanent};
    return true;
}

void mivo::afx::RevokeDropTarget(HWND hwnd, COleDropTarget* target)
{
    std::lock_guard<std::mutex> guard(g_lock);
    auto found = Targets().find(hwnd);
    if (found != Targets().end() && found->second.target == target)
        Targets().erase(found);
}

COleDropTarget* mivo::afx::FindDropTarget(HWND hwnd, HWND* pTargetWnd)
{
    for (HWND w = hwnd; w && ::IsWindow(w); w = (::GetWindowLong(w, GWL_STYLE) & WS_CHILD) ? ::GetParent(w) : nullptr) {
        CWnd* permanent = CWnd::FromHandlePermanent(w);
        std::lock_guard<std::mutex> guard(g_lock);
        auto found = Targets().find(w);
        if (found == Targets().end())
            continue;
        if (found->second.permanent != permanent) {
            Targets().erase(found);  // the window went and its handle came back
            continue;
        }
        if (pTargetWnd)
            *pTargetWnd = w;
        return found->second.target;
    }
    return nullptr;
}
