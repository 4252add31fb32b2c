// Message-map macros. Each entry carries a small function that unpacks the
// message's parameters into the handler's own signature.
#pragma once

// The entries' handler calls (and the classes they name) come with mivo/messagemap.h.
#include "mivo/messagemap.h"

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass __attribute__((unused)); \
        typedef baseClass TheBaseClass __attribute__((unused)); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
    {0, 0, 0, 0, 0, nullptr}}; \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap; \
    }

#define MIVO_MSG(msg, thunk) {(UINT)(msg), 0, 0, 0, 0, thunk},

// Window messages.
#define ON_MESSAGE(message, memberFxn) MIVO_MSG(message, &::mivo::Call_Message<&ThisClass::memberFxn>)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {::mivo::kRegisteredMessage, 0, 0, 0, (UINT_PTR)(const UINT*)(&nMessageVariable), \
     &::mivo::Call_Message<&ThisClass::memberFxn>},
#define ON_THREAD_MESSAGE(message, memberFxn) MIVO_MSG(message, &::mivo::Call_ThreadMessage<&ThisClass::memberFxn>)
#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn) \
    {::mivo::kRegisteredMessage, 0, 0, 0, (UINT_PTR)(const UINT*)(&nMessageVariable), \
     &::mivo::Call_ThreadMessage<&ThisClass::memberFxn>},

#define ON_WM_CREATE() MIVO_MSG(WM_CREATE, &::mivo::Call_CreateStruct<&ThisClass::OnCreate>)
#define ON_WM_NCCREATE() MIVO_MSG(WM_NCCREATE, &::mivo::Call_CreateStruct<&ThisClass::OnNcCreate>)
#define ON_WM_DESTROY() MIVO_MSG(WM_DESTROY, &::mivo::Call_v<&ThisClass::OnDestroy>)
#define ON_WM_NCDESTROY() MIVO_MSG(WM_NCDESTROY, &::mivo::Call_v<&ThisClass::OnNcDestroy>)
#define ON_WM_MOVE() MIVO_MSG(WM_MOVE, &::mivo::Call_Move<&ThisClass::OnMove>)
#define ON_WM_SIZE() MIVO_MSG(WM_SIZE, &::mivo::Call_Size<&ThisClass::OnSize>)
#define ON_WM_SIZING() MIVO_MSG(WM_SIZING, &::mivo::Call_UintRect<&ThisClass::OnSizing>)
#define ON_WM_MOVING() MIVO_MSG(WM_MOVING, &::mivo::Call_UintRect<&ThisClass::OnMoving>)
#define ON_WM_ACTIVATE() MIVO_MSG(WM_ACTIVATE, &::mivo::Call_Activate<&ThisClass::OnActivate>)
#define ON_WM_ACTIVATEAPP() MIVO_MSG(WM_ACTIVATEAPP, &::mivo::Call_ActivateApp<&ThisClass::OnActivateApp>)
#define ON_WM_SETFOCUS() MIVO_MSG(WM_SETFOCUS, &::mivo::Call_WndW<&ThisClass::OnSetFocus>)
#define ON_WM_KILLFOCUS() MIVO_MSG(WM_KILLFOCUS, &::mivo::Call_WndW<&ThisClass::OnKillFocus>)
#define ON_WM_ENABLE() MIVO_MSG(WM_ENABLE, &::mivo::Call_BoolW<&ThisClass::OnEnable>)
#define ON_WM_PAINT() MIVO_MSG(WM_PAINT, &::mivo::Call_v<&ThisClass::OnPaint>)
#define ON_WM_NCPAINT() MIVO_MSG(WM_NCPAINT, &::mivo::Call_v<&ThisClass::OnNcPaint>)
#define ON_WM_CLOSE() MIVO_MSG(WM_CLOSE, &::mivo::Call_v<&ThisClass::OnClose>)
#define ON_WM_ERASEBKGND() MIVO_MSG(WM_ERASEBKGND, &::mivo::Call_DcW<&ThisClass::OnEraseBkgnd>)
#define ON_WM_ICONERASEBKGND() MIVO_MSG(WM_ICONERASEBKGND, &::mivo::Call_DcW<&ThisClass::OnIconEraseBkgnd>)
#define ON_WM_SYSCOLORCHANGE() MIVO_MSG(WM_SYSCOLORCHANGE, &::mivo::Call_v<&ThisClass::OnSysColorChange>)
#define ON_WM_SHOWWINDOW() MIVO_MSG(WM_SHOWWINDOW, &::mivo::Call_ShowWindow<&ThisClass::OnShowWindow>)
#define ON_WM_CTLCOLOR() MIVO_MSG(WM_CTLCOLOR, &::mivo::Call_CtlColor<&ThisClass::OnCtlColor>)
#define ON_WM_SETCURSOR() MIVO_MSG(WM_SETCURSOR, &::mivo::Call_SetCursor<&ThisClass::OnSetCursor>)
#define ON_WM_MOUSEACTIVATE() MIVO_MSG(WM_MOUSEACTIVATE, &::mivo::Call_MouseActivate<&ThisClass::OnMouseActivate>)
#define ON_WM_CHILDACTIVATE() MIVO_MSG(WM_CHILDACTIVATE, &::mivo::Call_v<&ThisClass::OnChildActivate>)
#define ON_WM_GETMINMAXINFO() \
    MIVO_MSG(WM_GETMINMAXINFO, (&::mivo::Call_PtrL<&ThisClass::OnGetMinMaxInfo, MINMAXINFO*>))
#define ON_WM_DRAWITEM() MIVO_MSG(WM_DRAWITEM, (&::mivo::Call_IdPtr<&ThisClass::OnDrawItem, LPDRAWITEMSTRUCT>))
#define ON_WM_MEASUREITEM() \
    MIVO_MSG(WM_MEASUREITEM, (&::mivo::Call_IdPtr<&ThisClass::OnMeasureItem, LPMEASUREITEMSTRUCT>))
#define ON_WM_DELETEITEM() MIVO_MSG(WM_DELETEITEM, (&::mivo::Call_IdPtr<&ThisClass::OnDeleteItem, LPDELETEITEMSTRUCT>))
#define ON_WM_COMPAREITEM() \
    MIVO_MSG(WM_COMPAREITEM, (&::mivo::Call_IdPtr<&ThisClass::OnCompareItem, LPCOMPAREITEMSTRUCT>))
#define ON_WM_CHARTOITEM() MIVO_MSG(WM_CHARTOITEM, &::mivo::Call_ItemList<&ThisClass::OnCharToItem>)
#define ON_WM_VKEYTOITEM() MIVO_MSG(WM_VKEYTOITEM, &::mivo::Call_ItemList<&ThisClass::OnVKeyToItem>)
#define ON_WM_QUERYDRAGICON() MIVO_MSG(WM_QUERYDRAGICON, &::mivo::Call_v<&ThisClass::OnQueryDragIcon>)
#define ON_WM_WINDOWPOSCHANGING() \
    MIVO_MSG(WM_WINDOWPOSCHANGING, (&::mivo::Call_PtrL<&ThisClass::OnWindowPosChanging, WINDOWPOS*>))
#define ON_WM_WINDOWPOSCHANGED() \
    MIVO_MSG(WM_WINDOWPOSCHANGED, (&::mivo::Call_PtrL<&ThisClass::OnWindowPosChanged, WINDOWPOS*>))
#define ON_WM_CONTEXTMENU() MIVO_MSG(WM_CONTEXTMENU, &::mivo::Call_ContextMenu<&ThisClass::OnContextMenu>)
#define ON_WM_STYLECHANGING() MIVO_MSG(WM_STYLECHANGING, &::mivo::Call_StyleChange<&ThisClass::OnStyleChanging>)
#define ON_WM_STYLECHANGED() MIVO_MSG(WM_STYLECHANGED, &::mivo::Call_StyleChange<&ThisClass::OnStyleChanged>)
#define ON_WM_NCCALCSIZE() MIVO_MSG(WM_NCCALCSIZE, &::mivo::Call_NcCalcSize<&ThisClass::OnNcCalcSize>)
#define ON_WM_NCHITTEST() MIVO_MSG(WM_NCHITTEST, &::mivo::Call_Point<&ThisClass::OnNcHitTest>)
#define ON_WM_NCACTIVATE() MIVO_MSG(WM_NCACTIVATE, &::mivo::Call_NcActivate<&ThisClass::OnNcActivate>)
#define ON_WM_GETDLGCODE() MIVO_MSG(WM_GETDLGCODE, &::mivo::Call_v<&ThisClass::OnGetDlgCode>)
#define ON_WM_NCMOUSEMOVE() MIVO_MSG(WM_NCMOUSEMOVE, &::mivo::Call_Mouse<&ThisClass::OnNcMouseMove>)
#define ON_WM_NCLBUTTONDOWN() MIVO_MSG(WM_NCLBUTTONDOWN, &::mivo::Call_Mouse<&ThisClass::OnNcLButtonDown>)
#define ON_WM_NCLBUTTONUP() MIVO_MSG(WM_NCLBUTTONUP, &::mivo::Call_Mouse<&ThisClass::OnNcLButtonUp>)
#define ON_WM_NCLBUTTONDBLCLK() MIVO_MSG(WM_NCLBUTTONDBLCLK, &::mivo::Call_Mouse<&ThisClass::OnNcLButtonDblClk>)
#define ON_WM_NCRBUTTONDOWN() MIVO_MSG(WM_NCRBUTTONDOWN, &::mivo::Call_Mouse<&ThisClass::OnNcRButtonDown>)
#define ON_WM_NCRBUTTONUP() MIVO_MSG(WM_NCRBUTTONUP, &::mivo::Call_Mouse<&ThisClass::OnNcRButtonUp>)
#define ON_WM_NCRBUTTONDBLCLK() MIVO_MSG(WM_NCRBUTTONDBLCLK, &::mivo::Call_Mouse<&ThisClass::OnNcRButtonDblClk>)
#define ON_WM_NCMBUTTONDOWN() MIVO_MSG(WM_NCMBUTTONDOWN, &::mivo::Call_Mouse<&ThisClass::OnNcMButtonDown>)
#define ON_WM_NCMBUTTONUP() MIVO_MSG(WM_NCMBUTTONUP, &::mivo::Call_Mouse<&ThisClass::OnNcMButtonUp>)
#define ON_WM_NCMBUTTONDBLCLK() MIVO_MSG(WM_NCMBUTTONDBLCLK, &::mivo::Call_Mouse<&ThisClass::OnNcMButtonDblClk>)
#define ON_WM_KEYDOWN() MIVO_MSG(WM_KEYDOWN, &::mivo::Call_Key<&ThisClass::OnKeyDown>)
#define ON_WM_KEYUP() MIVO_MSG(WM_KEYUP, &::mivo::Call_Key<&ThisClass::OnKeyUp>)
#define ON_WM_CHAR() MIVO_MSG(WM_CHAR, &::mivo::Call_Key<&ThisClass::OnChar>)
#define ON_WM_DEADCHAR() MIVO_MSG(WM_DEADCHAR, &::mivo::Call_Key<&ThisClass::OnDeadChar>)
#define ON_WM_SYSKEYDOWN() MIVO_MSG(WM_SYSKEYDOWN, &::mivo::Call_Key<&ThisClass::OnSysKeyDown>)
#define ON_WM_SYSKEYUP() MIVO_MSG(WM_SYSKEYUP, &::mivo::Call_Key<&ThisClass::OnSysKeyUp>)
#define ON_WM_SYSCHAR() MIVO_MSG(WM_SYSCHAR, &::mivo::Call_Key<&ThisClass::OnSysChar>)
#define ON_WM_SYSDEADCHAR() MIVO_MSG(WM_SYSDEADCHAR, &::mivo::Call_Key<&ThisClass::OnSysDeadChar>)
#define ON_WM_SYSCOMMAND() MIVO_MSG(WM_SYSCOMMAND, &::mivo::Call_SysCommand<&ThisClass::OnSysCommand>)
#define ON_WM_TIMER() MIVO_MSG(WM_TIMER, &::mivo::Call_TimerId<&ThisClass::OnTimer>)
#define ON_WM_HSCROLL() MIVO_MSG(WM_HSCROLL, &::mivo::Call_Scroll<&ThisClass::OnHScroll>)
#define ON_WM_VSCROLL() MIVO_MSG(WM_VSCROLL, &::mivo::Call_Scroll<&ThisClass::OnVScroll>)
#define ON_WM_INITMENU() MIVO_MSG(WM_INITMENU, &::mivo::Call_Menu<&ThisClass::OnInitMenu>)
#define ON_WM_INITMENUPOPUP() MIVO_MSG(WM_INITMENUPOPUP, &::mivo::Call_InitMenuPopup<&ThisClass::OnInitMenuPopup>)
#define ON_WM_MENUSELECT() MIVO_MSG(WM_MENUSELECT, &::mivo::Call_MenuSelect<&ThisClass::OnMenuSelect>)
#define ON_WM_MENUCHAR() MIVO_MSG(WM_MENUCHAR, &::mivo::Call_MenuChar<&ThisClass::OnMenuChar>)
#define ON_WM_ENTERIDLE() MIVO_MSG(WM_ENTERIDLE, &::mivo::Call_EnterIdle<&ThisClass::OnEnterIdle>)
#define ON_WM_ENTERMENULOOP() MIVO_MSG(WM_ENTERMENULOOP, &::mivo::Call_BoolW<&ThisClass::OnEnterMenuLoop>)
#define ON_WM_EXITMENULOOP() MIVO_MSG(WM_EXITMENULOOP, &::mivo::Call_BoolW<&ThisClass::OnExitMenuLoop>)
#define ON_WM_MOUSEMOVE() MIVO_MSG(WM_MOUSEMOVE, &::mivo::Call_Mouse<&ThisClass::OnMouseMove>)
#define ON_WM_LBUTTONDOWN() MIVO_MSG(WM_LBUTTONDOWN, &::mivo::Call_Mouse<&ThisClass::OnLButtonDown>)
#define ON_WM_LBUTTONUP() MIVO_MSG(WM_LBUTTONUP, &::mivo::Call_Mouse<&ThisClass::OnLButtonUp>)
#define ON_WM_LBUTTONDBLCLK() MIVO_MSG(WM_LBUTTONDBLCLK, &::mivo::Call_Mouse<&ThisClass::OnLButtonDblClk>)
#define ON_WM_RBUTTONDOWN() MIVO_MSG(WM_RBUTTONDOWN, &::mivo::Call_Mouse<&ThisClass::OnRButtonDown>)
#define ON_WM_RBUTTONUP() MIVO_MSG(WM_RBUTTONUP, &::mivo::Call_Mouse<&ThisClass::OnRButtonUp>)
#define ON_WM_RBUTTONDBLCLK() MIVO_MSG(WM_RBUTTONDBLCLK, &::mivo::Call_Mouse<&ThisClass::OnRButtonDblClk>)
#define ON_WM_MBUTTONDOWN() MIVO_MSG(WM_MBUTTONDOWN, &::mivo::Call_Mouse<&ThisClass::OnMButtonDown>)
#define ON_WM_MBUTTONUP() MIVO_MSG(WM_MBUTTONUP, &::mivo::Call_Mouse<&ThisClass::OnMButtonUp>)
#define ON_WM_MBUTTONDBLCLK() MIVO_MSG(WM_MBUTTONDBLCLK, &::mivo::Call_Mouse<&ThisClass::OnMButtonDblClk>)
#define ON_WM_MOUSEWHEEL() MIVO_MSG(WM_MOUSEWHEEL, &::mivo::Call_MouseWheel<&ThisClass::OnMouseWheel>)
#define ON_WM_MOUSELEAVE() MIVO_MSG(WM_MOUSELEAVE, &::mivo::Call_v<&ThisClass::OnMouseLeave>)
#define ON_WM_MOUSEHOVER() MIVO_MSG(WM_MOUSEHOVER, &::mivo::Call_Mouse<&ThisClass::OnMouseHover>)
#define ON_WM_PARENTNOTIFY() MIVO_MSG(WM_PARENTNOTIFY, &::mivo::Call_ParentNotify<&ThisClass::OnParentNotify>)
#define ON_WM_CAPTURECHANGED() MIVO_MSG(WM_CAPTURECHANGED, &::mivo::Call_CaptureChanged<&ThisClass::OnCaptureChanged>)
#define ON_WM_MDIACTIVATE() MIVO_MSG(WM_MDIACTIVATE, &::mivo::Call_MdiActivate<&ThisClass::OnMDIActivate>)
#define ON_WM_DROPFILES() MIVO_MSG(WM_DROPFILES, &::mivo::Call_Handle<&ThisClass::OnDropFiles>)
#define ON_WM_QUERYNEWPALETTE() MIVO_MSG(WM_QUERYNEWPALETTE, &::mivo::Call_v<&ThisClass::OnQueryNewPalette>)
#define ON_WM_PALETTECHANGED() MIVO_MSG(WM_PALETTECHANGED, &::mivo::Call_WndW<&ThisClass::OnPaletteChanged>)
#define ON_WM_PALETTEISCHANGING() MIVO_MSG(WM_PALETTEISCHANGING, &::mivo::Call_WndW<&ThisClass::OnPaletteIsChanging>)
#define ON_WM_SETTINGCHANGE() MIVO_MSG(WM_SETTINGCHANGE, &::mivo::Call_SettingChange<&ThisClass::OnSettingChange>)
#define ON_WM_WININICHANGE() MIVO_MSG(WM_WININICHANGE, &::mivo::Call_StringL<&ThisClass::OnWinIniChange>)
#define ON_WM_CANCELMODE() MIVO_MSG(WM_CANCELMODE, &::mivo::Call_v<&ThisClass::OnCancelMode>)
#define ON_WM_QUERYENDSESSION() MIVO_MSG(WM_QUERYENDSESSION, &::mivo::Call_v<&ThisClass::OnQueryEndSession>)
#define ON_WM_ENDSESSION() MIVO_MSG(WM_ENDSESSION, &::mivo::Call_EndSession<&ThisClass::OnEndSession>)
#define ON_WM_QUERYOPEN() MIVO_MSG(WM_QUERYOPEN, &::mivo::Call_v<&ThisClass::OnQueryOpen>)
#define ON_WM_TIMECHANGE() MIVO_MSG(WM_TIMECHANGE, &::mivo::Call_v<&ThisClass::OnTimeChange>)
#define ON_WM_FONTCHANGE() MIVO_MSG(WM_FONTCHANGE, &::mivo::Call_v<&ThisClass::OnFontChange>)
#define ON_WM_DEVMODECHANGE() MIVO_MSG(WM_DEVMODECHANGE, &::mivo::Call_StringL<&ThisClass::OnDevModeChange>)
#define ON_WM_COPYDATA() MIVO_MSG(WM_COPYDATA, &::mivo::Call_CopyData<&ThisClass::OnCopyData>)
#define ON_WM_HELPINFO() MIVO_MSG(WM_HELP, &::mivo::Call_HelpInfo<&ThisClass::OnHelpInfo>)
#define ON_WM_SETTEXT() MIVO_MSG(WM_SETTEXT, &::mivo::Call_Message<&ThisClass::OnSetText>)

// Reflected messages: the control handles what it sent to its parent.
#define ON_WM_CTLCOLOR_REFLECT() \
    MIVO_MSG(WM_REFLECT_BASE + WM_CTLCOLOR, &::mivo::Call_CtlColorReflect<&ThisClass::CtlColor>)
#define ON_WM_DRAWITEM_REFLECT() \
    MIVO_MSG(WM_REFLECT_BASE + WM_DRAWITEM, &::mivo::Call_DrawItemReflect<&ThisClass::DrawItem>)
#define ON_WM_MEASUREITEM_REFLECT() \
    MIVO_MSG(WM_REFLECT_BASE + WM_MEASUREITEM, &::mivo::Call_MeasureItemReflect<&ThisClass::MeasureItem>)
#define ON_WM_DELETEITEM_REFLECT() \
    MIVO_MSG(WM_REFLECT_BASE + WM_DELETEITEM, &::mivo::Call_DeleteItemReflect<&ThisClass::DeleteItem>)
#define ON_WM_COMPAREITEM_REFLECT() \
    MIVO_MSG(WM_REFLECT_BASE + WM_COMPAREITEM, &::mivo::Call_CompareItemReflect<&ThisClass::CompareItem>)
#define ON_WM_CHARTOITEM_REFLECT() \
    MIVO_MSG(WM_REFLECT_BASE + WM_CHARTOITEM, &::mivo::Call_ItemListReflect<&ThisClass::CharToItem>)
#define ON_WM_VKEYTOITEM_REFLECT() \
    MIVO_MSG(WM_REFLECT_BASE + WM_VKEYTOITEM, &::mivo::Call_ItemListReflect<&ThisClass::VKeyToItem>)
#define ON_WM_HSCROLL_REFLECT() MIVO_MSG(WM_REFLECT_BASE + WM_HSCROLL, &::mivo::Call_ScrollReflect<&ThisClass::HScroll>)
#define ON_WM_VSCROLL_REFLECT() MIVO_MSG(WM_REFLECT_BASE + WM_VSCROLL, &::mivo::Call_ScrollReflect<&ThisClass::VScroll>)
#define ON_WM_PARENTNOTIFY_REFLECT() \
    MIVO_MSG(WM_REFLECT_BASE + WM_PARENTNOTIFY, &::mivo::Call_ParentNotifyReflect<&ThisClass::ParentNotify>)

// Commands and notifications.
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), 0, &::mivo::Call_Command<&ThisClass::memberFxn>},
#define ON_COMMAND_EX(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), 0, &::mivo::Call_CommandEx<&ThisClass::memberFxn>},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), 0, &::mivo::Call_CommandRange<&ThisClass::memberFxn>},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), 0, &::mivo::Call_CommandEx<&ThisClass::memberFxn>},
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), 0, &::mivo::Call_UpdateUI<&ThisClass::memberFxn>},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), 0, &::mivo::Call_UpdateUI<&ThisClass::memberFxn>},
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), 0, &::mivo::Call_Notify<&ThisClass::memberFxn>},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), 0, \
     &::mivo::Call_NotifyRange<&ThisClass::memberFxn>},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), 0, &::mivo::Call_NotifyEx<&ThisClass::memberFxn>},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), 0, \
     &::mivo::Call_NotifyEx<&ThisClass::memberFxn>},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(WORD)(wNotifyCode), 0, 0, 0, &::mivo::Call_Notify<&ThisClass::memberFxn>},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(WORD)(wNotifyCode), 0, 0, 0, \
     &::mivo::Call_NotifyReflectEx<&ThisClass::memberFxn>},
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), 0, &::mivo::Call_Command<&ThisClass::memberFxn>},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), 0, \
     &::mivo::Call_CommandRange<&ThisClass::memberFxn>},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(WORD)(wNotifyCode), 0, 0, 0, &::mivo::Call_Command<&ThisClass::memberFxn>},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(WORD)(wNotifyCode), 0, 0, 0, \
     &::mivo::Call_ControlReflectEx<&ThisClass::memberFxn>},

// Control notifications (their codes come with the controls).
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn) ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_ERRSPACE(id, memberFxn) ON_CONTROL(LBN_ERRSPACE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_CBN_ERRSPACE(id, memberFxn) ON_CONTROL(CBN_ERRSPACE, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_STN_ENABLE(id, memberFxn) ON_CONTROL(STN_ENABLE, id, memberFxn)
#define ON_STN_DISABLE(id, memberFxn) ON_CONTROL(STN_DISABLE, id, memberFxn)
