// The calls behind the message-map entries: each unpacks a message's parameters into the
// handler's own signature.
#pragma once

#include "mfc/Point.h"
#include "mivo/msgcall.h"

class CWnd;
class CDC;
class CMenu;
class CScrollBar;
class CListBox;
class CCmdUI;

namespace mivo {

AFX_EXT_API CWnd* WndFromHandle(HWND hwnd);
AFX_EXT_API CDC* DCFromHandle(HDC hdc);
AFX_EXT_API CMenu* MenuFromHandle(HMENU hmenu);
// Lets the menu classes answer MenuFromHandle and say which handle a menu object holds.
AFX_EXT_API void SetMenuFromHandleHook(CMenu* (*hook)(HMENU));
AFX_EXT_API void SetMenuHandleHook(HMENU (*hook)(CMenu*));
AFX_EXT_API HMENU MenuHandle(CMenu* menu);

template <class T>
struct MemberOf;
template <class C, class R, class... A>
struct MemberOf<R (C::*)(A...)> {
    typedef C Class;
    typedef R Result;
};
template <class C, class R, class... A>
struct MemberOf<R (C::*)(A...) const> {
    typedef C Class;
    typedef R Result;
};

template <auto F>
inline typename MemberOf<decltype(F)>::Class* Self(MsgCall& c)
{
    return static_cast<typename MemberOf<decltype(F)>::Class*>(c.target);
}

template <class R>
struct Answer {
    template <class Fn>
    static void Set(MsgCall& c, Fn&& fn) { *c.result = (LRESULT)fn(); }
};
template <>
struct Answer<void> {
    template <class Fn>
    static void Set(MsgCall& c, Fn&& fn)
    {
        fn();
        *c.result = 0;
    }
};

#define MIVO_ANSWER(F, expr) \
    ::mivo::Answer<typename ::mivo::MemberOf<decltype(F)>::Result>::Set(c, [&]() { return expr; }); \
    return TRUE

// The window a handler runs for.
AFX_EXT_API HWND ThisHwnd(MsgCall& c);

inline CPoint PointOf(LPARAM lp)
{
    return CPoint(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
}

// --- window messages by handler shape
template <auto F> BOOL Call_v(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)()); }
template <auto F> BOOL Call_Message(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)(c.wParam, c.lParam)); }
template <auto F> BOOL Call_CreateStruct(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((LPCREATESTRUCT)c.lParam)); }
template <auto F> BOOL Call_Move(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)((int)(short)LOWORD(c.lParam), (int)(short)HIWORD(c.lParam)));
}
template <auto F> BOOL Call_Size(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)c.wParam, (int)(short)LOWORD(c.lParam), (int)(short)HIWORD(c.lParam)));
}
template <auto F> BOOL Call_UintRect(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)c.wParam, (LPRECT)c.lParam)); }
template <auto F> BOOL Call_Activate(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)LOWORD(c.wParam), WndFromHandle((HWND)c.lParam), (BOOL)HIWORD(c.wParam)));
}
template <auto F> BOOL Call_ActivateApp(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((BOOL)c.wParam, (DWORD)c.lParam)); }
template <auto F> BOOL Call_WndW(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)(WndFromHandle((HWND)c.wParam))); }
template <auto F> BOOL Call_WndL(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)(WndFromHandle((HWND)c.lParam))); }
template <auto F> BOOL Call_BoolW(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((BOOL)c.wParam)); }
template <auto F> BOOL Call_UintW(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)c.wParam)); }
template <auto F> BOOL Call_TimerId(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT_PTR)c.wParam)); }
template <auto F> BOOL Call_DcW(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)(DCFromHandle((HDC)c.wParam))); }
template <auto F> BOOL Call_ShowWindow(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((BOOL)c.wParam, (UINT)c.lParam)); }
template <auto F> BOOL Call_SetCursor(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)(WndFromHandle((HWND)c.wParam), (UINT)(short)LOWORD(c.lParam), (UINT)HIWORD(c.lParam)));
}
template <auto F> BOOL Call_MouseActivate(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)(WndFromHandle((HWND)c.wParam), (UINT)(short)LOWORD(c.lParam), (UINT)HIWORD(c.lParam)));
}
template <auto F, class P> BOOL Call_PtrL(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((P)c.lParam)); }
template <auto F, class P> BOOL Call_IdPtr(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((int)c.wParam, (P)c.lParam)); }
template <auto F> BOOL Call_NcCalcSize(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)((BOOL)c.wParam, (NCCALCSIZE_PARAMS*)c.lParam));
}
template <auto F> BOOL Call_Point(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)(PointOf(c.lParam))); }
template <auto F> BOOL Call_Mouse(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)c.wParam, PointOf(c.lParam))); }
template <auto F> BOOL Call_MouseWheel(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)LOWORD(c.wParam), (short)HIWORD(c.wParam), PointOf(c.lParam)));
}
template <auto F> BOOL Call_Key(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)c.wParam, (UINT)LOWORD(c.lParam), (UINT)HIWORD(c.lParam)));
}
// Sliders and spin buttons send scroll messages too, so the control is not always a scroll bar;
// the handler's signature names one all the same, and programs test its id or type before use.
inline CScrollBar* ScrollBarOf(LPARAM lParam)
{
    return reinterpret_cast<CScrollBar*>(WndFromHandle((HWND)lParam));
}
template <auto F> BOOL Call_Scroll(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)LOWORD(c.wParam), (UINT)(short)HIWORD(c.wParam), ScrollBarOf(c.lParam)));
}
template <auto F> BOOL Call_ScrollReflect(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)LOWORD(c.wParam), (UINT)(short)HIWORD(c.wParam)));
}
template <auto F> BOOL Call_ContextMenu(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)(WndFromHandle((HWND)c.wParam), PointOf(c.lParam)));
}
template <auto F> BOOL Call_StyleChange(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)((int)c.wParam, (LPSTYLESTRUCT)c.lParam));
}
template <auto F> BOOL Call_SysCommand(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)c.wParam, c.lParam)); }
template <auto F> BOOL Call_ParentNotify(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)LOWORD(c.wParam), c.lParam)); }
template <auto F> BOOL Call_MdiActivate(MsgCall& c)
{
    // Sent to both children: wParam is the one losing activation, lParam the one gaining it.
    MIVO_ANSWER(F, (Self<F>(c)->*F)((HWND)c.lParam == ThisHwnd(c) ? TRUE : FALSE, WndFromHandle((HWND)c.lParam),
                                    WndFromHandle((HWND)c.wParam)));
}
template <auto F> BOOL Call_Menu(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)(MenuFromHandle((HMENU)c.wParam))); }
template <auto F> BOOL Call_InitMenuPopup(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)(MenuFromHandle((HMENU)c.wParam), (UINT)LOWORD(c.lParam), (BOOL)HIWORD(c.lParam)));
}
template <auto F> BOOL Call_MenuSelect(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)LOWORD(c.wParam), (UINT)HIWORD(c.wParam), (HMENU)c.lParam));
}
template <auto F> BOOL Call_MenuChar(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)LOWORD(c.wParam), (UINT)HIWORD(c.wParam), MenuFromHandle((HMENU)c.lParam)));
}
template <auto F> BOOL Call_EnterIdle(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)c.wParam, WndFromHandle((HWND)c.lParam))); }
template <auto F> BOOL Call_ItemList(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)LOWORD(c.wParam), (CListBox*)WndFromHandle((HWND)c.lParam), (UINT)HIWORD(c.wParam)));
}
template <auto F> BOOL Call_ItemListReflect(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)LOWORD(c.wParam), (UINT)HIWORD(c.wParam))); }
template <auto F> BOOL Call_CopyData(MsgCall& c)
{
    MIVO_ANSWER(F, (Self<F>(c)->*F)(WndFromHandle((HWND)c.wParam), (COPYDATASTRUCT*)c.lParam));
}
template <auto F> BOOL Call_SettingChange(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)c.wParam, (LPCSTR)c.lParam)); }
template <auto F> BOOL Call_StringL(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((LPCSTR)c.lParam)); }
template <auto F> BOOL Call_EndSession(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((BOOL)c.wParam)); }
template <auto F> BOOL Call_Handle(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((HDROP)c.wParam)); }
template <auto F> BOOL Call_CaptureChanged(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)(WndFromHandle((HWND)c.lParam))); }
template <auto F> BOOL Call_NcActivate(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((BOOL)c.wParam)); }
template <auto F> BOOL Call_HelpInfo(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((HELPINFO*)c.lParam)); }
template <auto F> BOOL Call_CtlColor(MsgCall& c)
{
    auto* cc = (AFX_CTLCOLOR*)c.lParam;
    MIVO_ANSWER(F, (Self<F>(c)->*F)(DCFromHandle(cc->hDC), WndFromHandle(cc->hWnd), cc->nCtlType));
}
template <auto F> BOOL Call_CtlColorReflect(MsgCall& c)
{
    auto* cc = (AFX_CTLCOLOR*)c.lParam;
    MIVO_ANSWER(F, (Self<F>(c)->*F)(DCFromHandle(cc->hDC), cc->nCtlType));
}
template <auto F> BOOL Call_DrawItemReflect(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((LPDRAWITEMSTRUCT)c.lParam)); }
template <auto F> BOOL Call_MeasureItemReflect(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((LPMEASUREITEMSTRUCT)c.lParam)); }
template <auto F> BOOL Call_CompareItemReflect(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((LPCOMPAREITEMSTRUCT)c.lParam)); }
template <auto F> BOOL Call_DeleteItemReflect(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((LPDELETEITEMSTRUCT)c.lParam)); }
template <auto F> BOOL Call_ParentNotifyReflect(MsgCall& c) { MIVO_ANSWER(F, (Self<F>(c)->*F)((UINT)LOWORD(c.wParam), c.lParam)); }

// --- commands and notifications
template <auto F> BOOL Call_Command(MsgCall& c)
{
    (Self<F>(c)->*F)();
    return TRUE;
}
template <auto F> BOOL Call_CommandEx(MsgCall& c) { return (Self<F>(c)->*F)(c.id) ? TRUE : FALSE; }
template <auto F> BOOL Call_CommandRange(MsgCall& c)
{
    (Self<F>(c)->*F)(c.id);
    return TRUE;
}
template <auto F> BOOL Call_UpdateUI(MsgCall& c);  // defined with CCmdUI
template <auto F> BOOL Call_Notify(MsgCall& c)
{
    auto* n = (AFX_NOTIFY*)c.extra;
    (Self<F>(c)->*F)(n->pNMHDR, n->pResult);
    return TRUE;
}
template <auto F> BOOL Call_NotifyRange(MsgCall& c)
{
    auto* n = (AFX_NOTIFY*)c.extra;
    (Self<F>(c)->*F)(c.id, n->pNMHDR, n->pResult);
    return TRUE;
}
template <auto F> BOOL Call_NotifyEx(MsgCall& c)
{
    auto* n = (AFX_NOTIFY*)c.extra;
    return (Self<F>(c)->*F)(c.id, n->pNMHDR, n->pResult) ? TRUE : FALSE;
}
template <auto F> BOOL Call_NotifyReflectEx(MsgCall& c)
{
    auto* n = (AFX_NOTIFY*)c.extra;
    return (Self<F>(c)->*F)(n->pNMHDR, n->pResult) ? TRUE : FALSE;
}
template <auto F> BOOL Call_ControlReflectEx(MsgCall& c) { return (Self<F>(c)->*F)() ? TRUE : FALSE; }
template <auto F> BOOL Call_ThreadMessage(MsgCall& c)
{
    (Self<F>(c)->*F)(c.wParam, c.lParam);
    return TRUE;
}

// Marks entries for registered messages (their number lives in a variable).
constexpr UINT kRegisteredMessage = 0xC000;

}  // namespace mivo
