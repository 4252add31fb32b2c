#include "image/Twain.h"

#include <cstring>

namespace {

const char kManagerLibrary[] = "TWAIN_32.DLL";
const SIZE_T kOneValueBytes = 6;  // item type, then the 32-bit item

void CopyText(char* to, const char* from)
{
    strncpy(to, from, sizeof(TW_STR32) - 1);
    to[sizeof(TW_STR32) - 1] = 0;
}

}  // namespace

CTwain::CTwain(HWND hWnd)
    : m_hTwainDLL(NULL),
      m_pDSMProc(NULL),
      m_returnCode(TWRC_SUCCESS),
      m_hMessageWnd(NULL),
      m_bSourceSelected(FALSE),
      m_bDSMOpen(FALSE),
      m_bSourceOpen(FALSE),
      m_bSourceEnabled(FALSE),
      m_bModalUI(TRUE),
      m_nImageCount(-1)
{
    memset(&m_AppId, 0, sizeof(m_AppId));
    memset(&m_Source, 0, sizeof(m_Source));
    memset(&m_Status, 0, sizeof(m_Status));
    if (hWnd)
        InitTwain(hWnd);
}

CTwain::~CTwain()
{
    ReleaseTwain();
}

void CTwain::GetIdentity()
{
    m_AppId.Id = 0;
    m_AppId.Version.MajorNum = 3;
    m_AppId.Version.MinorNum = 5;
    m_AppId.Version.Language = TWLG_USA;
    m_AppId.Version.Country = TWCY_USA;
    CopyText(m_AppId.Version.Info, "3.5");
    m_AppId.ProtocolMajor = TWON_PROTOCOLMAJOR;
    m_AppId.ProtocolMinor = TWON_PROTOCOLMINOR;
    m_AppId.SupportedGroups = DG_CONTROL | DG_IMAGE;
    CopyText(m_AppId.Manufacturer, "Mivo");
    CopyText(m_AppId.ProductFamily, "Generic");
    CopyText(m_AppId.ProductName, "Twain Test");
}

// TRUE even when the manager did not open: the library is there.
BOOL CTwain::InitTwain(HWND hWnd)
{
    if (IsValidDriver())
        return TRUE;
    memset(&m_AppId, 0, sizeof(m_AppId));
    if (!::IsWindow(hWnd))
        return FALSE;
    m_hMessageWnd = hWnd;
    m_hTwainDLL = ::LoadLibrary(kManagerLibrary);
    if (m_hTwainDLL) {
        m_pDSMProc = (DSMENTRYPROC)(void*)::GetProcAddress(m_hTwainDLL, MAKEINTRESOURCE(1));
        if (!m_pDSMProc) {
            ::FreeLibrary(m_hTwainDLL);
            m_hTwainDLL = NULL;
        }
    }
    if (!IsValidDriver())
        return FALSE;
    GetIdentity();
    if (CallTwainProc(&m_AppId, NULL, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, (TW_MEMREF)&m_hMessageWnd))
        m_bDSMOpen = TRUE;
    return TRUE;
}

void CTwain::ReleaseTwain()
{
    if (!IsValidDriver())
        return;
    CloseDSM();
    ::FreeLibrary(m_hTwainDLL);
    m_hTwainDLL = NULL;
    m_pDSMProc = NULL;
}

void CTwain::FetchStatus(pTW_IDENTITY pSrc)
{
    m_pDSMProc(&m_AppId, pSrc, DG_CONTROL, DAT_STATUS, MSG_GET, (TW_MEMREF)&m_Status);
}

TW_UINT16 CTwain::CallDSMEntry(pTW_IDENTITY pApp, pTW_IDENTITY pSrc, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                               TW_MEMREF pData)
{
    if (!IsValidDriver())
        return TWRC_FAILURE;
    TW_UINT16 rc = m_pDSMProc(pApp, pSrc, DG, DAT, MSG, pData);
    if (rc != TWRC_SUCCESS && DAT != DAT_EVENT)
        FetchStatus(pSrc);
    return rc;
}

BOOL CTwain::CallTwainProc(pTW_IDENTITY pApp, pTW_IDENTITY pSrc, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                           TW_MEMREF pData)
{
    if (!IsValidDriver()) {
        m_returnCode = TWRC_FAILURE;
        return FALSE;
    }
    m_returnCode = m_pDSMProc(pApp, pSrc, DG, DAT, MSG, pData);
    if (m_returnCode == TWRC_SUCCESS)
        return TRUE;
    FetchStatus(pSrc);
    return FALSE;
}

BOOL CTwain::SelectDefaultSource()
{
    m_bSourceSelected = CallTwainProc(&m_AppId, NULL, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &m_Source);
    return m_bSourceSelected;
}

// A cancelled choice keeps whatever was selected before.
BOOL CTwain::SelectSource()
{
    memset(&m_Source, 0, sizeof(m_Source));
    if (!m_bSourceSelected)
        SelectDefaultSource();
    if (CallTwainProc(&m_AppId, NULL, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &m_Source))
        m_bSourceSelected = TRUE;
    return m_bSourceSelected;
}

BOOL CTwain::OpenSource(TW_IDENTITY* pSource)
{
    if (pSource)
        m_Source = *pSource;
    if (!DSMOpen())
        return FALSE;
    if (!m_bSourceSelected)
        SelectDefaultSource();
    if (CallTwainProc(&m_AppId, NULL, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &m_Source))
        m_bSourceOpen = TRUE;
    return m_bSourceOpen;
}

int CTwain::ShouldTransfer(TW_IMAGEINFO&)
{
    return 0;
}

BOOL CTwain::CanClose()
{
    return TRUE;
}

BOOL CTwain::Acquire(int numImages)
{
    if (!DSOpen() && !OpenSource(NULL))
        return FALSE;
    if (!SetImageCount((TW_INT16)numImages))
        return FALSE;
    return EnableSource(TRUE);
}

// A source that refuses the signed count gets its own current value back, unsigned.
BOOL CTwain::SetImageCount(TW_INT16 nCount)
{
    if (SetCapability(CAP_XFERCOUNT, (TW_UINT16)nCount, TRUE)) {
        m_nImageCount = nCount;
        return TRUE;
    }
    if (m_returnCode != TWRC_CHECKSTATUS)
        return FALSE;
    DWORD current = 0;
    if (!GetCapability(CAP_XFERCOUNT, current) || !SetCapability(CAP_XFERCOUNT, (TW_UINT16)current, FALSE))
        return FALSE;
    m_nImageCount = (TW_INT16)current;
    return TRUE;
}

BOOL CTwain::GetCapability(TW_CAPABILITY& twCap, TW_UINT16 cap, TW_UINT16 conType)
{
    if (!DSOpen())
        return FALSE;
    twCap.Cap = cap;
    twCap.ConType = conType;
    twCap.hContainer = NULL;
    return CallTwainProc(&m_AppId, &m_Source, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &twCap);
}

// The container is the source's: nothing is read that it does not hold.
BOOL CTwain::GetCapability(TW_UINT16 cap, DWORD& value)
{
    TW_CAPABILITY twCap;
    if (!GetCapability(twCap, cap, TWON_DONTCARE16))
        return FALSE;
    HGLOBAL container = (HGLOBAL)twCap.hContainer;
    if (!container)
        return FALSE;
    const BYTE* block = ::GlobalSize(container) >= kOneValueBytes ? (const BYTE*)::GlobalLock(container) : NULL;
    if (block) {
        TW_ONEVALUE one;
        memcpy(&one, block, sizeof(one));
        value = one.Item;
        ::GlobalUnlock(container);
    }
    ::GlobalFree(container);
    return block != NULL;
}

BOOL CTwain::SetCapability(TW_CAPABILITY& twCap)
{
    return CallTwainProc(&m_AppId, &m_Source, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &twCap);
}

BOOL CTwain::SetCapability(TW_UINT16 cap, TW_UINT16 value, BOOL sign)
{
    if (!DSOpen())
        return FALSE;
    HGLOBAL container = ::GlobalAlloc(GHND, kOneValueBytes);
    TW_ONEVALUE* one = container ? (TW_ONEVALUE*)::GlobalLock(container) : NULL;
    if (!one) {
        if (container)
            ::GlobalFree(container);
        return FALSE;
    }
    one->ItemType = sign ? TWTY_INT16 : TWTY_UINT16;
    one->Item = value;
    ::GlobalUnlock(container);
    TW_CAPABILITY twCap;
    twCap.Cap = cap;
    twCap.ConType = TWON_ONEVALUE;
    twCap.hContainer = container;
    BOOL ok = SetCapability(twCap);
    ::GlobalFree(container);
    return ok;
}

BOOL CTwain::EnableSource(BOOL showUI)
{
    if (!DSOpen() || m_bSourceEnabled)
        return FALSE;
    TW_USERINTERFACE ui;
    ui.ShowUI = (TW_BOOL)showUI;
    ui.ModalUI = 0;
    ui.hParent = (TW_HANDLE)m_hMessageWnd;
    if (CallTwainProc(&m_AppId, &m_Source, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui)) {
        m_bSourceEnabled = TRUE;
        m_bModalUI = ui.ModalUI;
    } else {
        m_bSourceEnabled = FALSE;
        m_bModalUI = TRUE;
    }
    return m_bSourceEnabled;
}

BOOL CTwain::DisableSource()
{
    if (!m_bSourceEnabled)
        return FALSE;
    TW_USERINTERFACE ui;
    ui.ShowUI = 0;
    ui.ModalUI = 0;
    ui.hParent = (TW_HANDLE)m_hMessageWnd;
    if (!CallTwainProc(&m_AppId, &m_Source, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui))
        return FALSE;
    m_bSourceEnabled = FALSE;
    return TRUE;
}

BOOL CTwain::ProcessMessage(MSG msg)
{
    if (!m_bSourceEnabled || !IsValidDriver())
        return FALSE;
    TW_EVENT twEvent;
    twEvent.pEvent = (TW_MEMREF)&msg;
    twEvent.TWMessage = MSG_NULL;
    TW_UINT16 rc = m_pDSMProc(&m_AppId, &m_Source, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &twEvent);
    TranslateMessage(twEvent);
    return rc == TWRC_DSEVENT;
}

void CTwain::TranslateMessage(TW_EVENT& twEvent)
{
    if (twEvent.TWMessage == MSG_XFERREADY) {
        TransferImage();
    } else if (twEvent.TWMessage == MSG_CLOSEDSREQ) {
        if (CanClose())
            CloseDS();
    }
}

BOOL CTwain::GetImageInfo(TW_IMAGEINFO& info)
{
    if (!m_bSourceEnabled)
        return FALSE;
    return CallTwainProc(&m_AppId, &m_Source, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info);
}

void CTwain::TransferImage()
{
    BOOL more = TRUE;
    while (more) {
        if (!IsValidDriver() || !m_bSourceEnabled)
            return;
        TW_IMAGEINFO info;
        memset(&info, 0, sizeof(info));
        if (!GetImageInfo(info))
            return;
        switch (ShouldTransfer(info)) {
        case 0:
            more = GetImage(info);
            break;
        case 1:
            more = EndTransfer();
            break;
        default:
            CancelTransfer();
            return;
        }
    }
}

// A transfer done without a handle has nothing to copy; it ends like the others.
BOOL CTwain::GetImage(TW_IMAGEINFO& info)
{
    TW_HANDLE hBitmap = NULL;
    CallTwainProc(&m_AppId, &m_Source, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &hBitmap);
    if (m_returnCode == TWRC_FAILURE) {
        CancelTransfer();
        return FALSE;
    }
    if (m_returnCode == TWRC_XFERDONE && hBitmap) {
        CopyImage((HANDLE)hBitmap, info);
        ::GlobalFree((HGLOBAL)hBitmap);
    }
    return EndTransfer();
}

BOOL CTwain::EndTransfer()
{
    TW_PENDINGXFERS pending;
    memset(&pending, 0, sizeof(pending));
    if (!CallTwainProc(&m_AppId, &m_Source, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending))
        return FALSE;
    return pending.Count != 0;
}

BOOL CTwain::CancelTransfer()
{
    TW_PENDINGXFERS pending;
    memset(&pending, 0, sizeof(pending));
    return CallTwainProc(&m_AppId, &m_Source, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
}

void CTwain::CloseDS()
{
    if (!DSOpen())
        return;
    DisableSource();
    CallTwainProc(&m_AppId, NULL, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &m_Source);
    m_bSourceOpen = FALSE;
}

void CTwain::CloseDSM()
{
    if (!DSMOpen())
        return;
    CloseDS();
    CallTwainProc(&m_AppId, NULL, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, (TW_MEMREF)&m_hMessageWnd);
    m_bDSMOpen = FALSE;
}
