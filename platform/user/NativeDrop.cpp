#include "user/NativeDrop.h"

#include "win32/ole.h"

#include <atomic>

namespace mivo {
namespace {

std::atomic<NativeDropHandler> g_handler{nullptr};

}  // namespace

void SetNativeDropHandler(NativeDropHandler handler)
{
    g_handler = handler;
}

DWORD DeliverNativeDrop(NativeDropStep step, POINT screen, const std::string& cp949Text)
{
    NativeDropHandler handler = g_handler;
    return handler ? handler(step, screen, cp949Text) : DROPEFFECT_NONE;
}

}  // namespace mivo
