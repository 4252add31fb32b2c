// Starting OLE for the program.
#pragma once

#include "win32.h"
#include "mfc/afxdefs.h"

AFX_EXT_API BOOL AfxOleInit();
AFX_EXT_API void AfxEnableControlContainer();
AFX_EXT_API void AfxOleTerm(BOOL bJustRevoke = FALSE);
