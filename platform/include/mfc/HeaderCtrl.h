// CHeaderCtrl: the "SysHeader32" control.
#pragma once

#include "mfc/Wnd.h"
#include "mfc/ImageList.h"

class AFX_EXT_CLASS CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    CHeaderCtrl() = default;
    ~CHeaderCtrl() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return (int)Send(HDM_GETITEMCOUNT); }
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const { return (BOOL)Send(HDM_GETITEM, (WPARAM)nPos, (LPARAM)pHeaderItem); }
    BOOL SetItem(int nPos, HDITEM* pHeaderItem) { return (BOOL)Send(HDM_SETITEM, (WPARAM)nPos, (LPARAM)pHeaderItem); }
    int InsertItem(int nPos, HDITEM* phdi) { return (int)Send(HDM_INSERTITEM, (WPARAM)nPos, (LPARAM)phdi); }
    BOOL DeleteItem(int nPos) { return (BOOL)Send(HDM_DELETEITEM, (WPARAM)nPos); }
    BOOL Layout(HDLAYOUT* pHeaderLayout) { return (BOOL)Send(HDM_LAYOUT, 0, (LPARAM)pHeaderLayout); }
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) { return (int)Send(HDM_HITTEST, 0, (LPARAM)pHeaderHitTestInfo); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return (BOOL)Send(HDM_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect); }
    CImageList* SetImageList(CImageList* pImageList)
    {
        return CImageList::FromHandle((HIMAGELIST)Send(HDM_SETIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle()));
    }
    CImageList* GetImageList() const { return CImageList::FromHandle((HIMAGELIST)Send(HDM_GETIMAGELIST)); }
    int OrderToIndex(int nOrder) const { return (int)Send(HDM_ORDERTOINDEX, (WPARAM)nOrder); }
    BOOL GetOrderArray(LPINT piArray, int iCount = -1);
    BOOL SetOrderArray(int iCount, LPINT piArray) { return (BOOL)Send(HDM_SETORDERARRAY, (WPARAM)iCount, (LPARAM)piArray); }
    int SetHotDivider(CPoint pt) { return (int)Send(HDM_SETHOTDIVIDER, TRUE, MAKELPARAM(pt.x, pt.y)); }
    int SetHotDivider(int nIndex) { return (int)Send(HDM_SETHOTDIVIDER, FALSE, (LPARAM)nIndex); }

    // HDF_OWNERDRAW items draw here (WM_DRAWITEM reflected from the parent).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessage(m_hWnd, msg, wParam, lParam); }
};
