// The framework's window DCs on real windows of the window manager.
#include "platform/gdi/GdiTestUtil.h"

#include "mfc.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/WindowCapture.h"

using namespace mivo::test;

TEST(MfcWindowDC, PaintClientAndWindowDCs)
{
    MessageRecorder rec;
    rec.OnMessage(WM_PAINT, [](HWND h, UINT, WPARAM, LPARAM, LRESULT* result) {
        CPaintDC dc(CWnd::FromHandle(h));
        EXPECT_EQ(WindowFromDC(dc.GetSafeHdc()), h);
        CRect all;
        ::GetClientRect(h, &all);
        dc.FillSolidRect(&all, RGB(0, 0, 255));
        *result = 0;
        return true;
    });
    HWND top = CreateTestWindow("dcs", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30);
    PumpUntilIdle();
    EXPECT_EQ(CaptureWindow(top).Count(RGB(0, 0, 255)), 40 * 30);

    {
        CClientDC dc(CWnd::FromHandle(top));
        dc.SetPixel(3, 4, RGB(255, 0, 0));
        EXPECT_EQ(dc.GetWindow()->GetSafeHwnd(), top);
    }
    EXPECT_EQ(CaptureWindow(top).At(3, 4), RGB(255, 0, 0));
    {
        CWindowDC dc(CWnd::FromHandle(top));
        EXPECT_EQ(dc.GetPixel(3, 4), RGB(255, 0, 0));
    }
    DestroyWindow(top);
    CWnd::DeleteTempMap();
}
