#include "mfc/OleDataObject.h"

#include "mfc/OleDataSource.h"

#include <cstring>

namespace {

HGLOBAL CopyBlock(HGLOBAL source)
{
    SIZE_T size = ::GlobalSize(source);
    const void* from = ::GlobalLock(source);
    if (!from)
        return nullptr;
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    void* to = copy ? ::GlobalLock(copy) : nullptr;
    if (to) {
        std::memcpy(to, from, size);
        ::GlobalUnlock(copy);
    } else if (copy) {
        ::GlobalFree(copy);
        copy = nullptr;
    }
    ::GlobalUnlock(source);
    return copy;
}

}  // namespace

COleDataObject::COleDataObject() = default;

COleDataObject::~COleDataObject() = default;

void COleDataObject::Attach(COleDataSource* pSource)
{
    m_pSource = pSource;
    m_bClipboard = FALSE;
}

BOOL COleDataObject::AttachClipboard()
{
    m_pSource = nullptr;
    m_bClipboard = TRUE;
    return TRUE;
}

void COleDataObject::Release()
{
    m_pSource = nullptr;
    m_bClipboard = FALSE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC)
{
    if (m_pSource)
        return m_pSource->PeekGlobalData(cfFormat) != nullptr;
    return m_bClipboard && ::IsClipboardFormatAvailable(cfFormat);
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC)
{
    if (m_pSource) {
        HGLOBAL block = m_pSource->PeekGlobalData(cfFormat);
        return block ? CopyBlock(block) : nullptr;
    }
    if (!m_bClipboard || !::OpenClipboard(nullptr))
        return nullptr;
    HGLOBAL block = (HGLOBAL)::GetClipboardData(cfFormat);
    HGLOBAL copy = block ? CopyBlock(block) : nullptr;
    ::CloseClipboard();
    return copy;
}
