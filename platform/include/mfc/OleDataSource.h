// COleDataSource: the offering side of a data transfer; runs the drag loop.
#pragma once

#include "win32.h"
#include "mfc/CmdTarget.h"

#include <vector>

class COleDropSource;

class AFX_EXT_CLASS COleDataSource : public CCmdTarget {
public:
    COleDataSource();
    ~COleDataSource() override;
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // The source takes the block over and frees it with the cache.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    void Empty();
    // Hands every cached block to the clipboard, emptying the cache.
    void SetClipboard();

    // Follows the mouse until its button goes up (the target's effect) or
    // Escape (DROPEFFECT_NONE). With a start rectangle (screen coordinates)
    // the drag begins only once the mouse leaves it.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);

    // The cached block of a format, still the source's; NULL when none.
    HGLOBAL PeekGlobalData(CLIPFORMAT cfFormat) const;

private:
    struct CachedBlock {
        CLIPFORMAT format;
        HGLOBAL block;
    };
    std::vector<CachedBlock> m_cache;
};
