#include "album/AlbumTreeDropTarget.h"

#include "album/AlbumTreeCtrl.h"

#include <cstdlib>

namespace {

const int kScrollBand = 10;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f';
}

void AddEntry(const char* begin, const char* end, std::vector<AlbumEntry>& out)
{
    const char* tab = begin;
    while (tab < end && *tab != '\t')
        ++tab;
    if (tab == end)
        return;
    const char* kind = begin;
    while (kind < tab && IsBlank(*kind))
        ++kind;
    CString number(kind, (int)(tab - kind));
    AlbumEntry entry;
    entry.nKind = (int)std::strtol(number, nullptr, 10);
    entry.strPath = CString(tab + 1, (int)(end - tab - 1));
    out.push_back(entry);
}

}  // namespace

AlbumTreeDropTarget::~AlbumTreeDropTarget() = default;

DROPEFFECT AlbumTreeDropTarget::EffectFor(DWORD keyState)
{
    return (keyState & MK_SHIFT) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

DROPEFFECT AlbumTreeDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD dwKeyState, CPoint)
{
    return EffectFor(dwKeyState);
}

DROPEFFECT AlbumTreeDropTarget::OnDragOver(CWnd* pWnd, COleDataObject*, DWORD dwKeyState, CPoint point)
{
    m_pTree = dynamic_cast<CAlbumTreeCtrl*>(pWnd);
    if (m_pTree == nullptr)
        return DROPEFFECT_NONE;
    if (HTREEITEM item = m_pTree->HitTest(point))
        m_pTree->SelectDropTarget(item);
    AutoScroll(m_pTree, point);
    return EffectFor(dwKeyState);
}

void AlbumTreeDropTarget::AutoScroll(CWnd* tree, CPoint point)
{
    CRect client;
    tree->GetClientRect(&client);
    tree->ClientToScreen(&client);
    tree->ClientToScreen(&point);
    WPARAM position = (WPARAM)tree->GetScrollPos(SB_VERT) << 16;
    if (!(point.y > client.top + kScrollBand && point.y < client.bottom - kScrollBand))
        tree->SendMessage(WM_VSCROLL, (point.y >= client.bottom - kScrollBand ? SB_LINEDOWN : SB_LINEUP) | position, 0);
    if (!(point.x > client.left + kScrollBand && point.x < client.right - kScrollBand))
        tree->SendMessage(WM_HSCROLL, point.x > client.left + kScrollBand ? SB_LINERIGHT : SB_LINELEFT, 0);
}

void AlbumTreeDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (CAlbumTreeCtrl* tree = dynamic_cast<CAlbumTreeCtrl*>(pWnd))
        tree->SelectDropTarget(nullptr);
}

std::vector<AlbumEntry> AlbumTreeDropTarget::ParseEntries(const char* text, size_t size)
{
    std::vector<AlbumEntry> entries;
    if (text == nullptr)
        return entries;
    const char* end = text + size;
    const char* begin = text;
    for (const char* p = text; p < end && *p; ++p) {
        if (*p != '\r')
            continue;
        AddEntry(begin, p, entries);
        begin = p + 1;
        // The character after a '\r' begins the next entry; a '\n' there is only the line's end.
        if (begin < end && *begin == '\n')
            ++begin;
        p = begin - 1;
    }
    return entries;
}

BOOL AlbumTreeDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT, CPoint)
{
    CAlbumTreeCtrl* tree = dynamic_cast<CAlbumTreeCtrl*>(pWnd);
    if (tree == nullptr || pDataObject == nullptr)
        return FALSE;
    // Without a highlighted album the photos have nowhere to go (the root is no album).
    HTREEITEM target = tree->GetDropHilightItem();
    if (target == nullptr)
        return FALSE;
    HGLOBAL block = pDataObject->GetGlobalData(CF_TEXT);
    if (block == nullptr)
        return FALSE;
    const char* text = (const char*)::GlobalLock(block);
    std::vector<AlbumEntry> entries = ParseEntries(text, text ? ::GlobalSize(block) : 0);
    ::GlobalUnlock(block);
    ::GlobalFree(block);
    int album = (int)tree->GetItemData(target);
    CAlbumTables::AddToAlbum(album, entries);
    tree->SelectDropTarget(nullptr);
    tree->SelectItem(target);
    return TRUE;
}
