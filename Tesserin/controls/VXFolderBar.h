// CVXFolderBar: a resizable docking bar around one out-bar, with its own
// gripper (close and docking boxes) and a sizing edge facing the frame's
// centre; it forwards the out-bar's interface.
#pragma once

#include "controls/VXOutBarCtrl.h"
#include "controls/VXSizingBar.h"

#include <memory>

class AFX_EXT_CLASS CVXFolderBar : public CVXSizingBar {
    DECLARE_DYNAMIC(CVXFolderBar)
public:
    CVXFolderBar();
    ~CVXFolderBar() override;

    int Create(CWnd* parent, CString& title, DWORD style);
    CVXOutBarCtrl* GetOutBar() { return m_pOutBar.get(); }
    void SetMinSize(CSize size) { m_sizeMin = size; }
    void SetWidth(int cx);
    int GetWidth();
    // The rounded caption with the title instead of the two gripper lines.
    void SetClassicGripper(BOOL classic) { m_bClassicGripper = classic; }

    // Forwarders to the out-bar; without one they answer -1, null, false, empty
    // text or (0, 0), or do nothing.
    int AddFolder(const char* name, DWORD data);
    int AddFolderBar(const char* name, CWnd* child, DWORD data = 0);
    void RemoveFolder(int index);
    int GetFolderCount();
    int GetSelFolder();
    void SetSelFolder(int index);
    void SetFolderText(int index, const char* text);
    DWORD GetFolderData(int index = -1);
    CWnd* GetFolderChild(int index = -1);
    CImageList* SetImageList(CImageList* list, int type);
    CImageList* GetImageList(CImageList* list, int type);
    CImageList* SetFolderImageList(int folder, CImageList* list, int type);
    CImageList* GetFolderImageList(int folder, bool small);
    int InsertItem(int folder, int index, const char* text, int image = -1, DWORD data = 0);
    void RemoveItem(int index);
    int GetItemCount();
    int GetFolderItemCount(int folder);
    BOOL IsValidItem(int index);
    DWORD GetItemData(int index);
    void SetItemData(int index, DWORD data);
    int GetItemImage(int index);
    void SetItemImage(int index, int image);
    CString GetItemText(int index);
    CString GetItemText(int folder, int item);
    void SetItemText(int index, const char* text);
    void SetSelState(int folder, int item, int state);
    BOOL IsSmallIconView();
    void SetSmallIconView(bool small);
    DWORD GetFlag();
    void ModifyFlag(const DWORD& remove, const DWORD& add, UINT swp = 0);
    void SetColors(COLORREF background, COLORREF folderEdge, COLORREF text, COLORREF selectedText);
    void SetButtonColors(COLORREF face, COLORREF folderText, COLORREF highlight, COLORREF darkShadow);
    void SetAnimationTickCount(long tick);
    long GetAnimationTickCount();
    void SetAnimSelHighlight(int ms);
    int GetCountPerPage();
    void StartGroupEdit(int folder);
    void StartItemEdit(int item);
    BOOL GetFolderRect(int index, CRect& rect);
    void GetInsideRect(CRect& rect);
    void GetItemRect(int folder, int item, CRect& rect);
    void GetIconRect(int folder, int item, CRect& rect);
    void GetLabelRect(int folder, int item, CRect& rect);
    CSize GetItemSize(int folder, int item, int type);
    void GetVisibleRange(int folder, int& first, int& last);
    int GetDragItemRect(int index, CRect& rect);
    int HitTestEx(const CPoint& point, int& index);
    void DrawItem(CDC* dc, int folder, CRect rect, int item, bool imageOnly = false);
    void PaintItems(CDC* dc, int folder, CRect rect);
    void DrawDragArrow(CDC* dc, int from, int to);
    void DrawAnimItem(int dx, int dy, int item);
    void HighlightFolder(int index);
    void HighlightItem(int index, bool pressed = false);
    void AnimateFolderScroll(int from, int to);

protected:
    std::unique_ptr<CVXOutBarCtrl> m_pOutBar;
    BOOL m_bClassicGripper;
    COLORREF m_crCaptionText, m_crRoundBorder, m_crRoundFill;
    CString m_strTitle;

    int VerticalBottomInset() const override { return 2 * m_cxBorder; }
    int FixedLayoutPad() const override { return m_cxBorder; }
    void PlaceContent() override;
    void PaintCaption(CDC& dc) override;
};
