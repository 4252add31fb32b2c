// CString members that read the resource chain.
#include "mfc/String.h"

BOOL CString::LoadString(UINT)
{
    Empty();
    return FALSE;
}

BOOL CString::LoadString(HINSTANCE, UINT nID)
{
    return LoadString(nID);
}
