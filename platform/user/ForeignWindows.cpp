#include "user/ForeignWindows.h"

#include <atomic>

namespace mivo {

namespace {

std::atomic<ForeignWindows*> g_foreign{nullptr};

}  // namespace

void SetForeignWindows(ForeignWindows* foreign)
{
    g_foreign.store(foreign);
}

ForeignWindows* RegisteredForeignWindows()
{
    return g_foreign.load();
}

ForeignWindows* ForeignWindowsFor(HWND hwnd)
{
    ForeignWindows* foreign = g_foreign.load();
    return foreign && foreign->Owns(hwnd) ? foreign : nullptr;
}

}  // namespace mivo
