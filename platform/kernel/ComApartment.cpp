// COM start-up per thread. Nothing here crosses processes, so an apartment is
// only a count that must balance.
#include "win32/ole.h"

namespace {

thread_local int t_comInits = 0;

}  // namespace

HRESULT CoInitialize(LPVOID)
{
    return ++t_comInits == 1 ? S_OK : S_FALSE;
}

HRESULT CoInitializeEx(LPVOID reserved, DWORD)
{
    return CoInitialize(reserved);
}

void CoUninitialize()
{
    if (t_comInits > 0)
        --t_comInits;
}

HRESULT OleInitialize(LPVOID reserved)
{
    return CoInitialize(reserved);
}

void OleUninitialize()
{
    CoUninitialize();
}
