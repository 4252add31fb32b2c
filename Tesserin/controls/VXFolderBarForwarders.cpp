// The folder bar's out-bar interface: each call goes to the out-bar; a bar
// without one answers with a fixed value instead.
#include "controls/VXFolderBar.h"

int CVXFolderBar::AddFolder(const char* name, DWORD data)
{
    return m_pOutBar ? m_pOutBar->AddFolder(name, data) : -1;
}

int CVXFolderBar::AddFolderBar(const char* name, CWnd* child, DWORD data)
{
    return m_pOutBar ? m_pOutBar->AddFolderBar(name, child, data) : -1;
}

void CVXFolderBar::RemoveFolder(int index)
{
    if (m_pOutBar)
        m_pOutBar->RemoveFolder(index);
}

int CVXFolderBar::GetFolderCount()
{
    return m_pOutBar ? m_pOutBar->GetFolderCount() : -1;
}

int CVXFolderBar::GetSelFolder()
{
    return m_pOutBar ? m_pOutBar->GetSelFolder() : -1;
}

void CVXFolderBar::SetSelFolder(int index)
{
    if (m_pOutBar)
        m_pOutBar->SetSelFolder(index);
}

void CVXFolderBar::SetFolderText(int index, const char* text)
{
    if (m_pOutBar)
        m_pOutBar->SetFolderText(index, text);
}

DWORD CVXFolderBar::GetFolderData(int index)
{
    return m_pOutBar ? m_pOutBar->GetFolderData(index) : (DWORD)-1;
}

CWnd* CVXFolderBar::GetFolderChild(int index)
{
    return m_pOutBar ? m_pOutBar->GetFolderChild(index) : nullptr;
}

CImageList* CVXFolderBar::SetImageList(CImageList* list, int type)
{
    return m_pOutBar ? m_pOutBar->SetImageList(list, type) : nullptr;
}

CImageList* CVXFolderBar::GetImageList(CImageList* list, int type)
{
    return m_pOutBar ? m_pOutBar->GetImageList(list, type) : nullptr;
}

CImageList* CVXFolderBar::SetFolderImageList(int folder, CImageList* list, int type)
{
    return m_pOutBar ? m_pOutBar->SetFolderImageList(folder, list, type) : nullptr;
}

CImageList* CVXFolderBar::GetFolderImageList(int folder, bool small)
{
    return m_pOutBar ? m_pOutBar->GetFolderImageList(folder, small) : nullptr;
}

int CVXFolderBar::InsertItem(int folder, int index, const char* text, int image, DWORD data)
{
    return m_pOutBar ? m_pOutBar->InsertItem(folder, index, text, image, data) : -1;
}

void CVXFolderBar::RemoveItem(int index)
{
    if (m_pOutBar)
        m_pOutBar->RemoveItem(index);
}

int CVXFolderBar::GetItemCount()
{
    return m_pOutBar ? m_pOutBar->GetItemCount() : -1;
}

int CVXFolderBar::GetFolderItemCount(int folder)
{
    return m_pOutBar ? m_pOutBar->GetFolderItemCount(folder) : -1;
}

BOOL CVXFolderBar::IsValidItem(int index)
{
    return m_pOutBar ? m_pOutBar->IsValidItem(index) : FALSE;
}

DWORD CVXFolderBar::GetItemData(int index)
{
    return m_pOutBar ? m_pOutBar->GetItemData(index) : (DWORD)-1;
}

void CVXFolderBar::SetItemData(int index, DWORD data)
{
    if (m_pOutBar)
        m_pOutBar->SetItemData(index, data);
}

int CVXFolderBar::GetItemImage(int index)
{
    return m_pOutBar ? m_pOutBar->GetItemImage(index) : -1;
}

void CVXFolderBar::SetItemImage(int index, int image)
{
    if (m_pOutBar)
        m_pOutBar->SetItemImage(index, image);
}

CString CVXFolderBar::GetItemText(int index)
{
    return m_pOutBar ? m_pOutBar->GetItemText(index) : CString();
}

CString CVXFolderBar::GetItemText(int folder, int item)
{
    return m_pOutBar ? m_pOutBar->GetItemText(folder, item) : CString();
}

void CVXFolderBar::SetItemText(int index, const char* text)
{
    if (m_pOutBar)
        m_pOutBar->SetItemText(index, text);
}

void CVXFolderBar::SetSelState(int folder, int item, int state)
{
    if (m_pOutBar)
        m_pOutBar->SetSelState(folder, item, state);
}

BOOL CVXFolderBar::IsSmallIconView()
{
    return m_pOutBar ? m_pOutBar->IsSmallIconView() : FALSE;
}

void CVXFolderBar::SetSmallIconView(bool small)
{
    if (m_pOutBar)
        m_pOutBar->SetSmallIconView(small);
}

DWORD CVXFolderBar::GetFlag()
{
    return m_pOutBar ? m_pOutBar->GetFlag() : (DWORD)-1;
}

void CVXFolderBar::ModifyFlag(const DWORD& remove, const DWORD& add, UINT swp)
{
    if (m_pOutBar)
        m_pOutBar->ModifyFlag(remove, add, swp);
}

void CVXFolderBar::SetColors(COLORREF background, COLORREF folderEdge, COLORREF text, COLORREF selectedText)
{
    if (m_pOutBar)
        m_pOutBar->SetColors(background, folderEdge, text, selectedText);
}

void CVXFolderBar::SetButtonColors(COLORREF face, COLORREF folderText, COLORREF highlight, COLORREF darkShadow)
{
    if (m_pOutBar)
        m_pOutBar->SetButtonColors(face, folderText, highlight, darkShadow);
}

void CVXFolderBar::SetAnimationTickCount(long tick)
{
    if (m_pOutBar)
        m_pOutBar->SetAnimationTickCount(tick);
}

long CVXFolderBar::GetAnimationTickCount()
{
    return m_pOutBar ? m_pOutBar->GetAnimationTickCount() : -1;
}

void CVXFolderBar::SetAnimSelHighlight(int ms)
{
    if (m_pOutBar)
        m_pOutBar->SetAnimSelHighlight(ms);
}

int CVXFolderBar::GetCountPerPage()
{
    return m_pOutBar ? m_pOutBar->GetCountPerPage() : -1;
}

void CVXFolderBar::StartGroupEdit(int folder)
{
    if (m_pOutBar)
        m_pOutBar->StartGroupEdit(folder);
}

void CVXFolderBar::StartItemEdit(int item)
{
    if (m_pOutBar)
        m_pOutBar->StartItemEdit(item);
}

BOOL CVXFolderBar::GetFolderRect(int index, CRect& rect)
{
    return m_pOutBar ? m_pOutBar->GetFolderRect(index, rect) : FALSE;
}

void CVXFolderBar::GetInsideRect(CRect& rect)
{
    if (m_pOutBar)
        m_pOutBar->GetInsideRect(rect);
}

void CVXFolderBar::GetItemRect(int folder, int item, CRect& rect)
{
    if (m_pOutBar)
        m_pOutBar->GetItemRect(folder, item, rect);
}

void CVXFolderBar::GetIconRect(int folder, int item, CRect& rect)
{
    if (m_pOutBar)
        m_pOutBar->GetIconRect(folder, item, rect);
}

void CVXFolderBar::GetLabelRect(int folder, int item, CRect& rect)
{
    if (m_pOutBar)
        m_pOutBar->GetLabelRect(folder, item, rect);
}

CSize CVXFolderBar::GetItemSize(int folder, int item, int type)
{
    return m_pOutBar ? m_pOutBar->GetItemSize(folder, item, type) : CSize(0, 0);
}

void CVXFolderBar::GetVisibleRange(int folder, int& first, int& last)
{
    if (m_pOutBar)
        m_pOutBar->GetVisibleRange(folder, first, last);
}

int CVXFolderBar::GetDragItemRect(int index, CRect& rect)
{
    return m_pOutBar ? m_pOutBar->GetDragItemRect(index, rect) : -1;
}

int CVXFolderBar::HitTestEx(const CPoint& point, int& index)
{
    return m_pOutBar ? m_pOutBar->HitTestEx(point, index) : -1;
}

void CVXFolderBar::DrawItem(CDC* dc, int folder, CRect rect, int item, bool imageOnly)
{
    if (m_pOutBar)
        m_pOutBar->DrawItem(dc, folder, rect, item, imageOnly);
}

void CVXFolderBar::PaintItems(CDC* dc, int folder, CRect rect)
{
    if (m_pOutBar)
        m_pOutBar->PaintItems(dc, folder, rect);
}

void CVXFolderBar::DrawDragArrow(CDC* dc, int from, int to)
{
    if (m_pOutBar)
        m_pOutBar->DrawDragArrow(dc, from, to);
}

void CVXFolderBar::DrawAnimItem(int dx, int dy, int item)
{
    if (m_pOutBar)
        m_pOutBar->DrawAnimItem(dx, dy, item);
}

void CVXFolderBar::HighlightFolder(int index)
{
    if (m_pOutBar)
        m_pOutBar->HighlightFolder(index);
}

void CVXFolderBar::HighlightItem(int index, bool pressed)
{
    if (m_pOutBar)
        m_pOutBar->HighlightItem(index, pressed);
}

void CVXFolderBar::AnimateFolderScroll(int from, int to)
{
    if (m_pOutBar)
        m_pOutBar->AnimateFolderScroll(from, to);
}
