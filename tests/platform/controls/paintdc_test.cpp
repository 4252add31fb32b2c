// Every common control paints into the DC a WM_PAINT brings in wParam, as a
// parent drawing its children off screen expects, and settles once painted.
#include "CommonFixture.h"

namespace commctrl_test {
namespace {

struct PaintCase {
    const char* cls;
    DWORD style;
};

const PaintCase kCases[] = {
    {WC_HEADER, HDS_BUTTONS},
    {WC_LISTVIEW, LVS_REPORT},
    {WC_TREEVIEW, TVS_HASLINES},
};

class PaintIntoGivenDc : public CommonFixture {};

TEST_F(PaintIntoGivenDc, EachControlPaintsTheDcOfItsWmPaint)
{
    const COLORREF sentinel = RGB(1, 2, 3);
    for (const PaintCase& c : kCases) {
        SCOPED_TRACE(c.cls);
        HWND control = Child(c.cls, c.style, 10, 10, 120, 60, 900);
        ASSERT_NE(control, nullptr);
        mivo::test::PumpUntilIdle();
        UpdateWindow(control);
        EXPECT_EQ(mivo::test::PumpUntilIdle(), 0) << "a painted control asks for no further paint";

        HDC screen = GetDC(control);
        HDC mem = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateCompatibleBitmap(screen, 120, 60);
        ReleaseDC(control, screen);
        HGDIOBJ old = SelectObject(mem, bmp);
        RECT all = {0, 0, 120, 60};
        HBRUSH fill = CreateSolidBrush(sentinel);
        FillRect(mem, &all, fill);
        DeleteObject(fill);

        SendMessage(control, WM_PAINT, (WPARAM)mem, 0);
        EXPECT_NE(GetPixel(mem, 60, 30), sentinel) << "the control painted the given DC";

        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
        DestroyWindow(control);
    }
}

}  // namespace
}  // namespace commctrl_test
