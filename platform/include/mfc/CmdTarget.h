// CCmdTarget: objects with a message map that commands are routed through.
#pragma once

#include "win32.h"
#include "mfc/Object.h"

class CCmdTarget;
class CCmdUI;

#include "mivo/msgcall.h"

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;   // window message, or WM_COMMAND/WM_NOTIFY (plus WM_REFLECT_BASE when reflected)
    UINT nCode;      // notification or command code
    UINT nID;        // first control or command id
    UINT nLastID;    // last id of a range
    UINT_PTR nSig;   // for registered messages: address of the variable holding the message
    mivo::MsgThunk pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg when only asked whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    void (CCmdTarget::*pmf)();
};

// pExtra of OnCmdMsg for WM_NOTIFY.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// What WM_CTLCOLOR handlers get: every WM_CTLCOLORxxx arrives as WM_CTLCOLOR.
struct AFX_CTLCOLOR {
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

// Command codes of OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))
#define CN_EVENT ((UINT)(-2))
#define CN_OLECOMMAND ((UINT)(-3))
#define CN_OLE_UNREGISTER ((UINT)(-4))

// Messages reflected back to the control that sent them.
#define WM_REFLECT_BASE 0xBC00

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

class AFX_EXT_CLASS CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Routes a command (CN_COMMAND, CN_UPDATE_COMMAND_UI) or notification to this object's map.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    virtual void OnFinalRelease() { delete this; }
    DWORD InternalAddRef() { return ++m_dwRef; }
    DWORD InternalRelease();
    DWORD m_dwRef = 1;

    // Finds the entry of `map` (and its bases) handling a window message; NULL when none.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* map, UINT message);

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    // Runs the first matching command entry; TRUE when a handler took it.
    BOOL DispatchCommand(UINT nID, UINT nMsg, UINT nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
};

// Runs the handler of a map entry for a window message; TRUE when it counts as handled.
AFX_EXT_API BOOL AfxCallMessageEntry(const AFX_MSGMAP_ENTRY* entry, CCmdTarget* target, UINT message, WPARAM wParam,
                                     LPARAM lParam, LRESULT* pResult);

#include "mfc/MessageMap.h"
