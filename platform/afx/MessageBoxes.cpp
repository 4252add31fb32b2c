#include "mfc.h"

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* app = AfxGetApp())
        return app->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBox(nullptr, lpszText, nullptr, nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString prompt;
    if (!prompt.LoadString(nIDPrompt))
        prompt.Format("%u", nIDPrompt);
    return AfxMessageBox(prompt, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}
