#include "mfc/CmdTarget.h"
#include "mfc/CmdUI.h"
#include "mfc/WinApp.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

CCmdTarget::CCmdTarget() = default;
CCmdTarget::~CCmdTarget() = default;

DWORD CCmdTarget::InternalRelease()
{
    DWORD left = --m_dwRef;
    if (left == 0)
        OnFinalRelease();
    return left;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* map, UINT message)
{
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (e->nMessage == mivo::kRegisteredMessage && e->nSig) {
                if (*(const UINT*)e->nSig == message && message != 0)
                    return e;
                continue;
            }
            if (e->nMessage == message && e->nCode == 0 && e->nID == 0 && message != WM_COMMAND &&
                message != WM_NOTIFY)
                return e;
        }
    }
    return nullptr;
}

BOOL AfxCallMessageEntry(const AFX_MSGMAP_ENTRY* entry, CCmdTarget* target, UINT message, WPARAM wParam,
                         LPARAM lParam, LRESULT* pResult)
{
    LRESULT scratch = 0;
    mivo::MsgCall call{target, message, wParam, lParam, 0, nullptr, pResult ? pResult : &scratch};
    return entry->pfn(call);
}

BOOL CCmdTarget::DispatchCommand(UINT nID, UINT nMsg, UINT nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (e->nMessage != nMsg || e->nCode != nCode || nID < e->nID || nID > e->nLastID)
                continue;
            if (pHandlerInfo) {
                // Only asked whether someone handles it.
                pHandlerInfo->pTarget = this;
                pHandlerInfo->pmf = nullptr;
                return TRUE;
            }
            LRESULT result = 0;
            mivo::MsgCall call{this, nMsg, 0, 0, nID, pExtra, &result};
            return e->pfn(call);
        }
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT code = (UINT)nCode;
    UINT msg = WM_COMMAND;
    if (code != CN_UPDATE_COMMAND_UI && code != CN_EVENT && code != CN_OLECOMMAND && code != CN_OLE_UNREGISTER) {
        msg = HIWORD(code);
        code = LOWORD(code);
        if (msg == 0)
            msg = WM_COMMAND;
    }
    return DispatchCommand(nID, msg, code, pExtra, pHandlerInfo);
}

void CCmdTarget::BeginWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(0);
}
