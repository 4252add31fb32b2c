// CVXOutBarCtrl: a vertical stack of folder buttons; the selected folder
// shows its items (large or small icons) or one child window. Everything
// the user does is reported to the owner with WM_OUTBAR_NOTIFY.
#pragma once

#include "mfc.h"

#define WM_OUTBAR_NOTIFY (WM_USER + 1)
#define OBN_ITEM_CLICKED 1
#define OBN_ITEM_RENAMED 2
#define OBN_FOLDER_RENAMED 3
#define OBN_ITEM_DRAGGED 4
#define OBN_FOLDER_CHANGED 5
#define OBN_NOTIFY 6

#define OBF_SMALLICON 0x001
#define OBF_EDITFOLDERS 0x004
#define OBF_EDITITEMS 0x008
#define OBF_REMOVEFOLDERS 0x010
#define OBF_REMOVEITEMS 0x020
#define OBF_DRAGITEMS 0x080
#define OBF_ANIMATION 0x100
#define OBF_SELHIGHLIGHT 0x200

// The record behind lParam of codes 2, 3, 4 and 6; each code fills only
// the fields it names.
struct OutBarNotifyInfo {
    int index;
    const char* text;
    int dragFolder;
    int dragItem;
    WPARAM notifyWParam;
    LPARAM notifyLParam;
};

class AFX_EXT_CLASS CVXOutBarCtrl : public CWnd {
    DECLARE_DYNCREATE(CVXOutBarCtrl)
public:
    enum : int { kHitNone = -1, kHitFolder = 0, kHitItem = 1, kHitUpArrow = 2, kHitDownArrow = 3 };
    enum : UINT { kHoverTimer = 1, kArrowTimer = 2, kBlinkTimer = 3 };
    enum : UINT { ID_GFX_SMALLICON = 19000, ID_GFX_LARGEICON = 19001, ID_GFX_RENAMEITEM = 19002,
                  ID_GFX_REMOVEITEM = 19003 };

    CVXOutBarCtrl();
    ~CVXOutBarCtrl() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, DWORD flags = 0x3FC);

    // Folders.
    int AddFolder(const char* name, DWORD data);
    int AddFolderBar(const char* name, CWnd* child, DWORD data = 0);
    void RemoveFolder(int index);
    int GetFolderCount() const;
    int GetSelFolder() const { return m_nSelFolder; }
    void SetSelFolder(int index);
    void SetFolderText(int index, const char* text);
    DWORD GetFolderData(int index = -1);
    CWnd* GetFolderChild(int index = -1);
    CString GetFolderText(int index);

    // Image lists: type 1 small, 2 large.
    CImageList* SetImageList(CImageList* list, int type);
    CImageList* GetImageList(CImageList* ignored, int type);
    CImageList* SetFolderImageList(int folder, CImageList* list, int type);
    CImageList* GetFolderImageList(int folder, bool small);

    // Items of the selected folder unless a folder is named.
    int InsertItem(int folder, int index, const char* text, int image = -1, DWORD data = 0);
    void RemoveItem(int index);
    int GetItemCount() const;
    int GetFolderItemCount(int folder) const;
    BOOL IsValidItem(int index) const;
    DWORD GetItemData(int index) const;
    void SetItemData(int index, DWORD data);
    int GetItemImage(int index) const;
    void SetItemImage(int index, int image);
    CString GetItemText(int index);
    CString GetItemText(int folder, int item);
    void SetItemText(int index, const char* text);
    void SetSelState(int folder, int item, int state);
    int GetSelItem() const { return m_nSelItem; }
    int GetFirstItem() const { return m_nFirstItem; }

    // View and appearance.
    BOOL IsSmallIconView() const { return (m_dwFlags & OBF_SMALLICON) != 0; }
    void SetSmallIconView(bool small);
    DWORD GetFlag() const { return m_dwFlags; }
    void ModifyFlag(const DWORD& remove, const DWORD& add, UINT swp = 0);
    void SetColors(COLORREF background, COLORREF folderEdge, COLORREF text, COLORREF selectedText);
    void SetButtonColors(COLORREF face, COLORREF folderText, COLORREF highlight, COLORREF darkShadow);
    void SetAnimationTickCount(long tick) { m_nAnimationTick = tick; }
    long GetAnimationTickCount() const { return m_nAnimationTick; }
    void SetAnimSelHighlight(int ms);
    int GetCountPerPage() const { return 0; }

    // In-place rename.
    void StartGroupEdit(int folder);
    void StartItemEdit(int item);

    // Layout and hit testing.
    BOOL GetFolderRect(int index, CRect& rect) const;
    void GetInsideRect(CRect& rect) const;
    void GetItemRect(int folder, int item, CRect& rect);
    void GetIconRect(int folder, int item, CRect& rect);
    void GetLabelRect(int folder, int item, CRect& rect);
    CSize GetItemSize(int folder, int item, int type);
    void GetVisibleRange(int folder, int& first, int& last);
    int GetDragItemRect(int index, CRect& rect);
    int HitTestEx(const CPoint& point, int& index);

    // Drawing steps, public so the folder bar can forward them.
    void DrawFolder(CDC* dc, int index, CRect rect, bool pressed);
    void DrawItem(CDC* dc, int folder, CRect rect, int item, bool imageOnly = false);
    void PaintItems(CDC* dc, int folder, CRect rect);
    void DrawDragArrow(CDC* dc, int from, int to);
    void DrawAnimItem(int dx, int dy, int item);
    void HighlightFolder(int index);
    void HighlightItem(int index, bool pressed = false);
    void AnimateFolderScroll(int from, int to);

protected:
    class CBarItem;
    class CBarFolder;

    DWORD m_dwFlags;
    CPtrArray m_folders;
    int m_nSelFolder;
    int m_nFirstItem;
    int m_nSelItem;
    int m_nHoverFolder;
    int m_nHoverItem;
    int m_nDropTarget;
    int m_nDropKind;
    int m_nMenuHitKind;
    int m_nMenuHitIndex;
    BYTE m_bUpArrow, m_bDownArrow, m_bUpPressed, m_bDownPressed;
    CRect m_rcUpArrow, m_rcDownArrow;
    BOOL m_bArrowPress;
    long m_nAnimationTick;
    int m_nBlinkPeriod;
    int m_nBlinkPhase;
    COLORREF m_crBackground, m_crFolderEdge, m_crText, m_crSelectedText;
    COLORREF m_crFace, m_crFolderText, m_crHighlight, m_crDarkShadow;
    int m_nFolderHeight;
    int m_nSmallLabelOffset, m_nLargeLabelOffset;
    int m_nSmallSpacing, m_nLargeSpacing;
    int m_nLeftMargin, m_nTopMargin;
    CImageList* m_pLargeImageList;
    CImageList* m_pSmallImageList;
    HCURSOR m_hHandCursor, m_hDragCursor, m_hNoDropCursor;
    CPen m_blackPen;

    void BuildContextMenu(CMenu& menu, int hitKind);
    // Shows the context menu; the commands come back to this window.
    virtual void TrackContextMenu(CMenu* menu, CPoint screen);

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg LRESULT OnEndLabelEdit(WPARAM wParam, LPARAM lParam);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnGfxLargeicon();
    afx_msg void OnUpdateGfxLargeicon(CCmdUI* pCmdUI);
    afx_msg void OnGfxSmallicon();
    afx_msg void OnUpdateGfxSmallicon(CCmdUI* pCmdUI);
    afx_msg void OnGfxRemoveitem();
    afx_msg void OnGfxRenameitem();
    DECLARE_MESSAGE_MAP()

private:
    CBarFolder* Folder(int index) const;  // raises on a bad index
    CBarItem* Item(int index) const;      // of the selected folder, null when out of range
    CWnd* NotifyTarget();
    LRESULT SendNotify(WPARAM code, LPARAM lParam);
    CImageList* ViewImageList(int folder);
    CSize LabelSize(int folder, int item);
    int ItemOffset(int folder);
    int Spacing() const;
    void ShowSelectedChild();
    void PlaceChildren();
    void ClampAfterItemRemoval(int removed);
    void PaintInto(CDC& dc, const CRect& client);
    void PaintArrows(CDC& dc, int folder);
    void EraseHoverFrame(CDC& dc, int item);
    void DrawHoverFrame(CDC& dc, int item, bool pressed);
    void DrawFolderEdges(CDC& dc, int index, COLORREF outer, COLORREF inner);
    void BlinkStep();
    bool ArrowCanScroll(int hit);
    void ScrollOneItem(int hit);
    void RunFolderPress(int index);
    void RunItemPress(int index);
    void RunArrowPress(int hit);
    void FinishItemClick(int index);
    void FinishItemDrag(int source, int target);
    void MoveItem(int source, int target);
    void UpdateDropMarker(CPoint point);
    void RenderFolderContent(CDC& dc, int folder, const CRect& area, int yOffset);
    bool OurCaptureHeld();

    friend class CVXGroupEdit;
};
