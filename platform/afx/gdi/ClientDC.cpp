#include "mfc/ClientDC.h"

#include "afx/gdi/WindowDCs.h"
#include "mfc/ResourceException.h"

#ifdef MIVO_HAVE_CWND

IMPLEMENT_DYNAMIC(CClientDC, CDC)

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr)
{
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

#endif
