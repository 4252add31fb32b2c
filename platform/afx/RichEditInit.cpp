#include "mfc.h"

BOOL AFXAPI AfxInitRichEdit()
{
    return TRUE;
}

BOOL AFXAPI AfxInitRichEdit2()
{
    return TRUE;
}
