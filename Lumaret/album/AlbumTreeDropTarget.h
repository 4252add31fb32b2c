// AlbumTreeDropTarget: photos dragged from the thumbnail view and dropped on an album of the
// album tree become rows of that album.
#pragma once

#include "mfc.h"

#include "album/AlbumTables.h"

#include <vector>

class CAlbumTreeCtrl;

class AlbumTreeDropTarget : public COleDropTarget {
public:
    AlbumTreeDropTarget() = default;
    ~AlbumTreeDropTarget() override;

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;

    bool IsRegistered() const { return m_hWnd != nullptr; }

    // The entries of a dragged photo list of `size` bytes (it need not be terminated): each
    // ends at '\r' (a '\n' right after it is skipped; text after the last '\r' is no entry),
    // the kind before the first tab (leading blanks skipped), the path after it, whole at any
    // length. Entries without a tab are left out.
    static std::vector<AlbumEntry> ParseEntries(const char* text, size_t size);

    CAlbumTreeCtrl* m_pTree = nullptr;

private:
    static DROPEFFECT EffectFor(DWORD keyState);
    static void AutoScroll(CWnd* tree, CPoint point);
};
