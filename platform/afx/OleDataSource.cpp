#include "mfc/OleDataSource.h"

#include "afx/OleDragLoop.h"

COleDataSource::COleDataSource() = default;

COleDataSource::~COleDataSource()
{
    Empty();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC)
{
    if (!hGlobal)
        return;
    for (CachedBlock& cached : m_cache) {
        if (cached.format == cfFormat) {
            if (cached.block != hGlobal)
                ::GlobalFree(cached.block);
            cached.block = hGlobal;
            return;
        }
    }
    m_cache.push_back(CachedBlock{cfFormat, hGlobal});
}

void COleDataSource::Empty()
{
    for (CachedBlock& cached : m_cache)
        ::GlobalFree(cached.block);
    m_cache.clear();
}

void COleDataSource::SetClipboard()
{
    if (!::OpenClipboard(nullptr))
        return;
    ::EmptyClipboard();
    for (CachedBlock& cached : m_cache) {
        if (!::SetClipboardData(cached.format, cached.block))
            ::GlobalFree(cached.block);
    }
    m_cache.clear();
    ::CloseClipboard();
}

HGLOBAL COleDataSource::PeekGlobalData(CLIPFORMAT cfFormat) const
{
    for (const CachedBlock& cached : m_cache)
        if (cached.format == cfFormat)
            return cached.block;
    return nullptr;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource*)
{
    return mivo::afx::RunDragLoop(this, dwEffects, lpRectStartDrag);
}
