#include "controls/DirTreeDropTarget.h"
#include "controls/DirTreeCtrl.h"

#include <cstdlib>
#include <cstring>

namespace {

const size_t kLineMax = 255;
const size_t kNamePartMax = 255;
const int kScrollMargin = 10;

}  // namespace

CDirTreeCtrl* DirTreeDropTarget::TreeOf(CWnd* pWnd) const
{
    return dynamic_cast<CDirTreeCtrl*>(pWnd);
}

DROPEFFECT DirTreeDropTarget::EffectFor(DWORD keyState)
{
    return (keyState & MK_SHIFT) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

DROPEFFECT DirTreeDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD dwKeyState, CPoint)
{
    return EffectFor(dwKeyState);
}

DROPEFFECT DirTreeDropTarget::OnDragOver(CWnd* pWnd, COleDataObject*, DWORD dwKeyState, CPoint point)
{
    CDirTreeCtrl* tree = TreeOf(pWnd);
    if (!tree)
        return DROPEFFECT_NONE;
    m_treeWindow = tree->GetSafeHwnd();
    HTREEITEM item = tree->HitTest(point);
    if (item)
        tree->SelectDropTarget(item);
    AutoScroll(tree, point);
    return EffectFor(dwKeyState);
}

void DirTreeDropTarget::AutoScroll(CWnd* tree, CPoint point)
{
    CRect window;
    tree->GetWindowRect(&window);
    tree->ClientToScreen(&point);
    if (point.y >= window.bottom - kScrollMargin)
        tree->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    else if (point.y <= window.top + kScrollMargin)
        tree->SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    if (point.x >= window.right - kScrollMargin)
        tree->SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    else if (point.x <= window.left + kScrollMargin)
        tree->SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
}

void DirTreeDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (CDirTreeCtrl* tree = TreeOf(pWnd))
        tree->SelectDropTarget(nullptr);
}

void DirTreeDropTarget::AddLine(const std::string& line, const CString& targetFolder, std::vector<Entry>& out)
{
    long kind = atol(line.c_str());
    for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', tab + 1)) {
        std::string source = line.substr(tab + 1);
        char drive[kNamePartMax + 1], dir[kNamePartMax + 1], name[kNamePartMax + 1], ext[kNamePartMax + 1];
        if (source.size() > kNamePartMax)
            continue;  // every part fits when the whole does
        _splitpath(source.c_str(), drive, dir, name, ext);
        out.push_back(Entry{kind, CString(source.c_str()), targetFolder + name + ext});
    }
}

// Lines end with CR; the LF after it is skipped, and a line without its CR is not taken.
std::vector<DirTreeDropTarget::Entry> DirTreeDropTarget::ParseText(const char* text, size_t size,
                                                                   const CString& targetFolder)
{
    std::vector<Entry> out;
    size_t length = text ? strnlen(text, size) : 0;
    size_t start = 0;
    while (start < length) {
        auto cr = (const char*)memchr(text + start, '\r', length - start);
        if (!cr)
            break;
        size_t end = (size_t)(cr - text);
        std::string line(text + start, end - start);
        if (!line.empty() && line[0] == '\n')
            line.erase(0, 1);
        if (line.size() <= kLineMax)
            AddLine(line, targetFolder, out);
        start = end + 1;
        if (start < length && text[start] == '\n')
            ++start;
    }
    return out;
}

BOOL DirTreeDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT, CPoint)
{
    CDirTreeCtrl* tree = TreeOf(pWnd);
    HTREEITEM target = tree ? tree->GetDropHilightItem() : nullptr;
    if (!target || !pDataObject)
        return FALSE;
    CString folder = tree->GetFullPath(target);
    HGLOBAL block = pDataObject->GetGlobalData(CF_TEXT);
    const char* text = block ? (const char*)GlobalLock(block) : nullptr;
    if (!text) {
        if (block)
            GlobalFree(block);
        return FALSE;
    }
    std::vector<Entry> entries = ParseText(text, GlobalSize(block), folder);
    GlobalUnlock(block);
    GlobalFree(block);
    int moved = 0;
    {
        CWaitCursor wait;
        for (Entry& entry : entries) {
            if (entry.kind == 1 || entry.source == entry.destination)
                continue;
            if (!MoveFile(entry.source, entry.destination))
                continue;
            if (CWnd* owner = tree->GetParentWindow())
                ::SendMessage(owner->GetSafeHwnd(), WM_TREE_ITEM_DROPPED, (WPARAM)&entry.source,
                              (LPARAM)&entry.destination);
            ++moved;
        }
    }
    CString message;
    if (moved > 0)
        message.Format("%d 파일을 \r%s 폴더로 \r이동했습니다.", moved, (const char*)folder);
    else
        message = "파일 이동이 이루어지지 않았습니다.";
    AfxMessageBox(message, MB_OK);
    tree->SelectDropTarget(nullptr);
    tree->Select(target, TVGN_CARET);
    return TRUE;
}
