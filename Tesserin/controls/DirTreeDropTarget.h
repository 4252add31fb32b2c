// The folder tree's drop target: files named in a CF_TEXT block (lines of "kind<TAB>path",
// each ended by CR LF) are moved into the folder item under the drop point.
#pragma once

#include "mfc.h"

#include <string>
#include <vector>

class CDirTreeCtrl;

class AFX_EXT_CLASS DirTreeDropTarget : public COleDropTarget {
public:
    DirTreeDropTarget() = default;

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;

    bool IsRegistered() const { return m_hWnd != nullptr; }

    // One file named by the drop text.
    struct Entry {
        long kind;
        CString source;
        CString destination;
    };
    // The entries of a drop text of `size` bytes (it may lack a terminator) for a target folder
    // ending in a backslash. Lines over 255 characters and names over 255 are left out.
    static std::vector<Entry> ParseText(const char* text, size_t size, const CString& targetFolder);

private:
    CDirTreeCtrl* TreeOf(CWnd* pWnd) const;
    static DROPEFFECT EffectFor(DWORD keyState);
    static void AutoScroll(CWnd* tree, CPoint point);
    static void AddLine(const std::string& line, const CString& targetFolder, std::vector<Entry>& out);

    HWND m_treeWindow = nullptr;
};
