#include "mfc.h"

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

CToolBarCtrl::~CToolBarCtrl()
{
    DestroyWindow();
}

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create(TOOLBARCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SetButtonStructSize(sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBarCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::CreateEx(dwExStyle, TOOLBARCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SetButtonStructSize(sizeof(TBBUTTON));
    return TRUE;
}

int CToolBarCtrl::AddBitmap(int nNumButtons, UINT nBitmapID)
{
    TBADDBITMAP add = {AfxGetResourceHandle(), nBitmapID};
    return Msg(TB_ADDBITMAP, (WPARAM)nNumButtons, (LPARAM)&add);
}

int CToolBarCtrl::AddBitmap(int nNumButtons, CBitmap* pBitmap)
{
    TBADDBITMAP add = {nullptr, (UINT_PTR)(pBitmap ? (HBITMAP)pBitmap->GetSafeHandle() : nullptr)};
    return Msg(TB_ADDBITMAP, (WPARAM)nNumButtons, (LPARAM)&add);
}

int CToolBarCtrl::AddString(UINT nStringID)
{
    return Msg(TB_ADDSTRING, (WPARAM)AfxGetResourceHandle(), (LPARAM)nStringID);
}

CString CToolBarCtrl::GetButtonText(UINT nID) const
{
    int length = GetButtonText(nID, nullptr);
    if (length <= 0)
        return CString();
    CString text;
    GetButtonText(nID, text.GetBuffer(length + 1));
    text.ReleaseBuffer();
    return text;
}
