#include "mfc/OleFunctions.h"

BOOL AfxOleInit()
{
    return SUCCEEDED(::OleInitialize(nullptr));
}

void AfxEnableControlContainer() {}

void AfxOleTerm(BOOL)
{
    ::OleUninitialize();
}
