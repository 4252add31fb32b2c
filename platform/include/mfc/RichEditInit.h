// Loading the rich edit classes: the layer brings them, so both answer TRUE.
#pragma once

#include "mfc/afxdefs.h"
#include "win32/types.h"

AFX_EXT_API BOOL AFXAPI AfxInitRichEdit();
AFX_EXT_API BOOL AFXAPI AfxInitRichEdit2();
