// CString members that read the resource chain.
#include "mfc/String.h"

#include "win32/resources.h"
#include "kernel/ResourceChain.h"

#include <string>

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    std::string text;
    if (!mivo::LoadResourceString(hInstance, nID, text)) {
        Empty();
        return FALSE;
    }
    assign(text.data(), (int)text.size());
    return TRUE;
}

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxFindStringResourceHandle(nID), nID);
}
