#include "support/InputSynth.h"

#include "support/MessageLoop.h"
#include "mivo/testing/input.h"

namespace mivo::test {

namespace {

POINT ToScreen(HWND hwnd, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

}  // namespace

void MouseMove(HWND hwnd, int x, int y)
{
    mivo::InjectMouseMove(ToScreen(hwnd, x, y));
    PumpUntilIdle();
}

void MouseDown(HWND hwnd, int x, int y, mivo::MouseButton button)
{
    POINT p = ToScreen(hwnd, x, y);
    mivo::InjectMouseMove(p);
    mivo::InjectMouseButton(p, button, true);
    PumpUntilIdle();
}

void MouseUp(HWND hwnd, int x, int y, mivo::MouseButton button)
{
    mivo::InjectMouseButton(ToScreen(hwnd, x, y), button, false);
    PumpUntilIdle();
}

void Click(HWND hwnd, int x, int y, mivo::MouseButton button)
{
    MouseDown(hwnd, x, y, button);
    MouseUp(hwnd, x, y, button);
}

void Wheel(HWND hwnd, int x, int y, int delta)
{
    mivo::InjectMouseWheel(ToScreen(hwnd, x, y), delta);
    PumpUntilIdle();
}

void PressKey(UINT vk, bool shift, bool ctrl)
{
    if (shift)
        mivo::InjectKey(VK_SHIFT, true);
    if (ctrl)
        mivo::InjectKey(VK_CONTROL, true);
    mivo::InjectKey(vk, true);
    mivo::InjectKey(vk, false);
    if (ctrl)
        mivo::InjectKey(VK_CONTROL, false);
    if (shift)
        mivo::InjectKey(VK_SHIFT, false);
    PumpUntilIdle();
}

void TypeText(const std::string& cp949)
{
    mivo::InjectText(cp949);
    PumpUntilIdle();
}

}  // namespace mivo::test
