// CDlgCart: named lists of pictures kept for online print ordering (the cart). The
// caller fills m_arrPaths; "담기" puts them into the list clicked; "주문하기" ends with
// IDOK, upon which the caller starts the online order.
#pragma once

#include "mfc.h"

#include "controls/ImageButton.h"
#include "dialogs/VXDialog.h"
#include "grid/VXGridCtrl.h"

class CDlgCart : public CVXDialog {
    DECLARE_DYNAMIC(CDlgCart)
public:
    explicit CDlgCart(CWnd* parent = nullptr);
    ~CDlgCart() override;

    BOOL OnInitDialog() override;
    // Reads every list with its number of items into the grid; returns the number of rows.
    int ReadLists();

    CStringArray m_arrPaths;
    CImageList m_imgList;
    int m_nSelList;
    CVXGridCtrl m_gridCart;
    CImageButton m_btnClose;
    CImageButton m_btnNewList;
    CImageButton m_btnEmptyList;
    CImageButton m_btnClearAll;
    CImageButton m_btnOrder;
    CImageButton m_btnAdd;
    int m_nCount;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnDestroy();
    afx_msg void OnGridClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGridEndEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGridReplyZero(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGridEditKillFocus(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNewList();
    afx_msg void OnEmptyList();
    afx_msg void OnClearAll();
    afx_msg void OnAdd();
    DECLARE_MESSAGE_MAP()

private:
    void EnableListButtons(BOOL enable);
    // The default list (1, "기본 장바구니") when the cart holds no list.
    void InsertDefaultList();
    void RunDelete(const char* head, int cartNo);
};
