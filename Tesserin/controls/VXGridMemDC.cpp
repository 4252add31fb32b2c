#include "controls/VXGridMemDC.h"

CVXGridMemDC::CVXGridMemDC(CDC* dc)
    : m_oldBitmap(nullptr), m_pDC(dc), m_rect{0, 0, 0, 0}, m_bMemDC(dc && !dc->IsPrinting())
{
    if (!dc)
        return;
    if (m_bMemDC)
        StartInMemory();
    else
        ShareThePrinter();
}

void CVXGridMemDC::StartInMemory()
{
    m_pDC->GetClipBox(&m_rect);
    if (!CreateCompatibleDC(m_pDC))
        return;
    const int width = m_rect.right - m_rect.left, height = m_rect.bottom - m_rect.top;
    if (m_bitmap.CreateCompatibleBitmap(m_pDC, width, height))
        m_oldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
}

void CVXGridMemDC::ShareThePrinter()
{
    m_bPrinting = m_pDC->m_bPrinting;
    m_hDC = m_pDC->m_hDC;
    m_hAttribDC = m_pDC->m_hAttribDC;
}

CVXGridMemDC::~CVXGridMemDC()
{
    if (m_bMemDC && m_hDC) {
        const int width = m_rect.right - m_rect.left, height = m_rect.bottom - m_rect.top;
        if (m_oldBitmap) {
            m_pDC->BitBlt(m_rect.left, m_rect.top, width, height, this, m_rect.left, m_rect.top, SRCCOPY);
            SelectObject(m_oldBitmap);
        }
    } else if (!m_bMemDC) {
        // The handles are the printer's: let go without deleting them.
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
    }
    m_bitmap.DeleteObject();
    DeleteDC();
}
