#include "afx/OleDragLoop.h"

#include "afx/DropTargets.h"
#include "mfc/OleDataObject.h"
#include "mfc/OleDataSource.h"
#include "mfc/OleDropTarget.h"
#include "mfc/Wnd.h"
#include "user/Backend.h"
#include "user/NativeDrop.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

const DWORD kEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

// A 32 x 32 arrow with a small page under it, a plus on the page for a copy.
HCURSOR MakeDragCursor(bool plus)
{
    std::vector<uint8_t> andMask(32 * 4, 0xFF), xorMask(32 * 4, 0x00);
    auto put = [&](int x, int y, bool white) {
        andMask[y * 4 + x / 8] &= (uint8_t)~(0x80 >> (x % 8));
        if (white)
            xorMask[y * 4 + x / 8] |= (uint8_t)(0x80 >> (x % 8));
    };
    for (int y = 0; y < 16; ++y)  // the arrow: black edge, white inside
        for (int x = 0; x <= y / 2 + 1 && x < 10; ++x)
            put(x, y, x > 0 && x < y / 2 + 1 && y < 15);
    for (int y = 18; y < 30; ++y)
        for (int x = 10; x < 26; ++x)
            put(x, y, !(y == 18 || y == 29 || x == 10 || x == 25));
    if (plus) {
        for (int i = 20; i < 28; ++i) {
            put(i, 23, false);
            put(i, 24, false);
            put(17, i - 1, false);
            put(18, i - 1, false);
        }
    }
    return ::CreateCursor(nullptr, 0, 0, 32, 32, andMask.data(), xorMask.data());
}

HCURSOR CursorFor(DROPEFFECT effect)
{
    static HCURSOR copy = MakeDragCursor(true);
    static HCURSOR move = MakeDragCursor(false);
    if (effect & DROPEFFECT_COPY)
        return copy;
    if (effect & (DROPEFFECT_MOVE | DROPEFFECT_LINK))
        return move;
    return ::LoadCursor(nullptr, IDC_NO);
}

// The effect a drop makes when the target allows several.
DROPEFFECT Preferred(DROPEFFECT effect, DWORD keys)
{
    if ((effect & DROPEFFECT_COPY) && (effect & DROPEFFECT_MOVE))
        return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    if (effect & DROPEFFECT_MOVE)
        return DROPEFFECT_MOVE;
    if (effect & DROPEFFECT_COPY)
        return DROPEFFECT_COPY;
    return effect & DROPEFFECT_LINK;
}

bool IsInput(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

class DragLoop {
public:
    DragLoop(COleDataSource* source, DWORD allowed) : m_allowed(allowed & kEffects) { m_data.Attach(source); }

    DROPEFFECT Run(LPCRECT startRect);

private:
    bool WaitToLeave(const RECT& start);
    void Over(POINT screen);
    void Leave();
    DROPEFFECT Drop(POINT screen);
    void UpdateKeys(const MSG& msg);
    // The dragged text when the mouse left our windows for the desktop's; empty otherwise.
    std::string TextForDesktop(POINT screen);
    CPoint ClientPoint(POINT screen) const;

    COleDataObject m_data;
    DWORD m_allowed;
    DWORD m_keys = 0;
    UINT m_dropButton = WM_LBUTTONUP;
    POINT m_last = {0, 0};
    bool m_seenMouse = false;  // keys change the effect only once the mouse was seen moving
    HWND m_targetWnd = nullptr;
    COleDropTarget* m_target = nullptr;
    DROPEFFECT m_effect = DROPEFFECT_NONE;
};

void DragLoop::UpdateKeys(const MSG& msg)
{
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && msg.message != WM_MOUSEWHEEL) {
        m_keys = (DWORD)(msg.wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL)) |
                 (m_keys & MK_ALT);
        return;
    }
    DWORD bit = 0;
    if (msg.wParam == VK_SHIFT || msg.wParam == VK_LSHIFT || msg.wParam == VK_RSHIFT)
        bit = MK_SHIFT;
    else if (msg.wParam == VK_CONTROL || msg.wParam == VK_LCONTROL || msg.wParam == VK_RCONTROL)
        bit = MK_CONTROL;
    else if (msg.wParam == VK_MENU)
        bit = MK_ALT;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
        m_keys |= bit;
    else if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP)
        m_keys &= ~bit;
}

std::string DragLoop::TextForDesktop(POINT screen)
{
    mivo::NativeBackend* backend = mivo::Backend();
    if (!backend || !backend->CanDragToDesktop() || ::WindowFromPoint(screen) != nullptr)
        return std::string();
    HGLOBAL block = m_data.GetGlobalData(CF_TEXT);
    if (!block)
        return std::string();
    std::string text;
    if (const char* bytes = static_cast<const char*>(::GlobalLock(block))) {
        text.assign(bytes, strnlen(bytes, ::GlobalSize(block)));
        ::GlobalUnlock(block);
    }
    ::GlobalFree(block);
    return text;
}

CPoint DragLoop::ClientPoint(POINT screen) const
{
    if (m_targetWnd)
        ::ScreenToClient(m_targetWnd, &screen);
    return CPoint(screen);
}

void DragLoop::Leave()
{
    if (m_target && ::IsWindow(m_targetWnd))
        m_target->OnDragLeave(CWnd::FromHandle(m_targetWnd));
    m_target = nullptr;
    m_targetWnd = nullptr;
    m_effect = DROPEFFECT_NONE;
}

void DragLoop::Over(POINT screen)
{
    m_last = screen;
    m_seenMouse = true;
    HWND targetWnd = nullptr;
    COleDropTarget* target = mivo::afx::FindDropTarget(::WindowFromPoint(screen), &targetWnd);
    DROPEFFECT effect = DROPEFFECT_NONE;
    if (target != m_target || targetWnd != m_targetWnd) {
        Leave();
        m_target = target;
        m_targetWnd = targetWnd;
        if (m_target)
            effect = m_target->OnDragEnter(CWnd::FromHandle(m_targetWnd), &m_data, m_keys, ClientPoint(screen));
    } else if (m_target) {
        CWnd* wnd = CWnd::FromHandle(m_targetWnd);
        effect = m_target->OnDragScroll(wnd, m_keys, ClientPoint(screen));
        if (effect == DROPEFFECT_NONE)
            effect = m_target->OnDragOver(wnd, &m_data, m_keys, ClientPoint(screen));
    }
    m_effect = effect & (m_allowed | DROPEFFECT_SCROLL);
    ::SetCursor(CursorFor(m_effect));
}

DROPEFFECT DragLoop::Drop(POINT screen)
{
    if (screen.x != m_last.x || screen.y != m_last.y)
        Over(screen);
    DROPEFFECT chosen = Preferred(m_effect, m_keys);
    if (!m_target || chosen == DROPEFFECT_NONE || !::IsWindow(m_targetWnd)) {
        Leave();
        return DROPEFFECT_NONE;
    }
    COleDropTarget* target = m_target;
    CWnd* wnd = CWnd::FromHandle(m_targetWnd);
    CPoint point = ClientPoint(screen);
    m_target = nullptr;  // a drop ends the drag without a leave
    m_targetWnd = nullptr;
    DROPEFFECT result = target->OnDropEx(wnd, &m_data, chosen, m_allowed, point);
    if (result == (DROPEFFECT)-1)
        result = target->OnDrop(wnd, &m_data, chosen, point) ? chosen : DROPEFFECT_NONE;
    return result & m_allowed;
}

bool DragLoop::WaitToLeave(const RECT& start)
{
    for (;;) {
        MSG msg;
        if (::GetMessage(&msg, nullptr, 0, 0) <= 0) {
            ::PostQuitMessage((int)msg.wParam);
            return false;
        }
        if (msg.message == WM_MOUSEMOVE && !::PtInRect(&start, msg.pt))
            return true;
        if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            return false;
        if (!IsInput(msg.message))
            ::DispatchMessage(&msg);
    }
}

DROPEFFECT DragLoop::Run(LPCRECT startRect)
{
    if ((::GetAsyncKeyState(VK_RBUTTON) & 0x8000) && !(::GetAsyncKeyState(VK_LBUTTON) & 0x8000))
        m_dropButton = WM_RBUTTONUP;
    m_keys = m_dropButton == WM_RBUTTONUP ? MK_RBUTTON : MK_LBUTTON;
    if (startRect && !WaitToLeave(*startRect))
        return DROPEFFECT_NONE;

    // A hidden window of this thread holds the capture, so every mouse event comes here.
    HWND holder = ::CreateWindowEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!holder)
        return DROPEFFECT_NONE;
    ::SetCapture(holder);
    ::GetCursorPos(&m_last);

    DROPEFFECT result = DROPEFFECT_NONE;
    for (;;) {
        MSG msg;
        BOOL got = ::GetMessage(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage((int)msg.wParam);
            Leave();
            break;
        }
        if (::GetCapture() != holder) {  // taken away: the drag is cancelled
            Leave();
            ::DispatchMessage(&msg);
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            Leave();
            break;
        }
        UpdateKeys(msg);
        if (msg.message == m_dropButton) {
            result = Drop(msg.pt);
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            // Out of our windows a dragged list goes on as the desktop's own drag.
            std::string text = TextForDesktop(msg.pt);
            if (!text.empty()) {
                Leave();
                ::ReleaseCapture();
                result = mivo::Backend()->RunNativeDrag(text, m_allowed) & m_allowed;
                break;
            }
            Over(msg.pt);
        }
        else if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_SYSKEYDOWN ||
                 msg.message == WM_SYSKEYUP) {
            if (m_seenMouse)
                Over(m_last);
        }  // Shift and Ctrl change the effect where the mouse is
        else if (!IsInput(msg.message))
            ::DispatchMessage(&msg);
    }
    if (::GetCapture() == holder)
        ::ReleaseCapture();
    ::DestroyWindow(holder);
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    return result;
}

// A drag of another program over our windows, one at a time: the target under the mouse sees
// it as a drag of CF_TEXT, entered, moved over, left or dropped on.
class DesktopDrag {
public:
    DWORD Step(mivo::NativeDropStep step, POINT screen, const std::string& text)
    {
        if (step == mivo::NativeDropStep::Leave) {
            Leave();
            return DROPEFFECT_NONE;
        }
        HWND targetWnd = nullptr;
        COleDropTarget* target = mivo::afx::FindDropTarget(::WindowFromPoint(screen), &targetWnd);
        if (target != m_target || targetWnd != m_targetWnd || text != m_text) {
            Leave();
            if (!target)
                return DROPEFFECT_NONE;
            m_target = target;
            m_targetWnd = targetWnd;
            m_text = text;
            Offer(text);
            m_effect = m_target->OnDragEnter(CWnd::FromHandle(m_targetWnd), &m_data, MK_LBUTTON, Client(screen));
        } else if (step == mivo::NativeDropStep::Over) {
            m_effect = m_target->OnDragOver(CWnd::FromHandle(m_targetWnd), &m_data, MK_LBUTTON, Client(screen));
        }
        m_effect &= DROPEFFECT_COPY | DROPEFFECT_MOVE;
        if (step == mivo::NativeDropStep::Over || m_effect == DROPEFFECT_NONE)
            return m_effect;
        // The other program's files are copied, never moved away under it.
        COleDropTarget* dropOn = m_target;
        CWnd* wnd = CWnd::FromHandle(m_targetWnd);
        m_target = nullptr;
        m_targetWnd = nullptr;
        DROPEFFECT result = dropOn->OnDropEx(wnd, &m_data, DROPEFFECT_COPY, DROPEFFECT_COPY, Client(screen));
        if (result == (DROPEFFECT)-1)
            result = dropOn->OnDrop(wnd, &m_data, DROPEFFECT_COPY, Client(screen)) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        m_text.clear();
        return result & DROPEFFECT_COPY;
    }

private:
    void Offer(const std::string& text)
    {
        m_source.Empty();
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        if (char* bytes = block ? static_cast<char*>(::GlobalLock(block)) : nullptr) {
            memcpy(bytes, text.c_str(), text.size() + 1);
            ::GlobalUnlock(block);
            m_source.CacheGlobalData(CF_TEXT, block);
        }
        m_data.Release();
        m_data.Attach(&m_source);
    }
    void Leave()
    {
        if (m_target && ::IsWindow(m_targetWnd))
            m_target->OnDragLeave(CWnd::FromHandle(m_targetWnd));
        m_target = nullptr;
        m_targetWnd = nullptr;
        m_text.clear();
    }
    CPoint Client(POINT screen) const
    {
        if (m_targetWnd)
            ::ScreenToClient(m_targetWnd, &screen);
        return CPoint(screen);
    }

    COleDataSource m_source;
    COleDataObject m_data;
    COleDropTarget* m_target = nullptr;
    HWND m_targetWnd = nullptr;
    std::string m_text;
    DWORD m_effect = DROPEFFECT_NONE;
};

DWORD DeliverDesktopDrag(mivo::NativeDropStep step, POINT screen, const std::string& cp949Text)
{
    static DesktopDrag drag;
    return drag.Step(step, screen, cp949Text);
}

}  // namespace

void mivo::afx::InstallDesktopDrops()
{
    mivo::SetNativeDropHandler(DeliverDesktopDrag);
}

DROPEFFECT mivo::afx::RunDragLoop(COleDataSource* source, DWORD allowed, LPCRECT startRect)
{
    DragLoop loop(source, allowed);
    return loop.Run(startRect);
}
