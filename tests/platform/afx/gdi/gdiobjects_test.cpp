// The framework's GDI classes.
#include "platform/gdi/GdiTestUtil.h"

#include "mfc.h"

using namespace gditest;

namespace {

// A CDC over a 32-bit memory bitmap.
struct MemDC {
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
    MemDC(int w, int h, COLORREF fill = kWhite)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(w, h, 1, 32, nullptr);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, w, h, fill);
    }
    ~MemDC() { dc.SelectObject(old); }
};

}  // namespace

TEST(MfcGdi, ObjectsOwnTheirHandles)
{
    HGDIOBJ h;
    {
        CPen pen(PS_SOLID, 2, RGB(1, 2, 3));
        h = pen.GetSafeHandle();
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(pen.GetObjectType(), (UINT)OBJ_PEN);
        LOGPEN lp;
        EXPECT_EQ(pen.GetLogPen(&lp), (int)sizeof(lp));
        EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
        EXPECT_EQ(CPen::FromHandle((HPEN)h), &pen);  // attached objects are found
    }
    EXPECT_EQ(GetObjectType(h), 0u);  // the destructor deleted it

    CBrush brush;
    EXPECT_EQ(brush.GetSafeHandle(), nullptr);
    EXPECT_FALSE(brush.DeleteObject());
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(9, 8, 7)));
    HGDIOBJ raw = brush.Detach();
    EXPECT_EQ(brush.GetSafeHandle(), nullptr);
    EXPECT_EQ(GetObjectType(raw), (DWORD)OBJ_BRUSH);
    DeleteObject(raw);

    try {
        CBrush bad(99, RGB(0, 0, 0));  // no such hatch
        ADD_FAILURE() << "no exception";
    } catch (CResourceException* e) {
        e->Delete();
    }
}

TEST(MfcGdi, TemporaryWrappersLiveUntilDeleteTempMap)
{
    HPEN raw = CreatePen(PS_SOLID, 1, 0);
    CPen* temp = CPen::FromHandle(raw);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ((HPEN)*temp, raw);
    EXPECT_EQ(CPen::FromHandle(raw), temp);
    CGdiObject::DeleteTempMap();
    EXPECT_EQ(GetObjectType(raw), (DWORD)OBJ_PEN);  // the handle outlives its wrapper
    DeleteObject(raw);
    EXPECT_EQ(CPen::FromHandle(nullptr), nullptr);

    HDC rawDC = CreateCompatibleDC(nullptr);
    CDC* dc = CDC::FromHandle(rawDC);
    EXPECT_EQ(dc->GetSafeHdc(), rawDC);
    EXPECT_EQ(dc->m_hAttribDC, rawDC);
    CDC::DeleteTempMap();
    EXPECT_EQ(GetObjectType(rawDC), (DWORD)OBJ_MEMDC);
    DeleteDC(rawDC);
}

TEST(MfcGdi, SelectObjectReturnsThePreviousObject)
{
    MemDC m(10, 10);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* old = m.dc.SelectObject(&red);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->GetSafeHandle(), GetStockObject(BLACK_PEN));
    EXPECT_EQ(m.dc.GetCurrentPen(), &red);
    m.dc.MoveTo(0, 0);
    m.dc.LineTo(5, 0);
    EXPECT_EQ(m.dc.GetPixel(4, 0), RGB(255, 0, 0));
    CGdiObject* stock = m.dc.SelectStockObject(NULL_PEN);
    EXPECT_EQ(stock->GetSafeHandle(), red.GetSafeHandle());
    m.dc.SelectObject(old);
    CPoint p = m.dc.MoveTo(3, 4);
    EXPECT_EQ(p, CPoint(5, 0));
    EXPECT_EQ(m.dc.GetCurrentPosition(), CPoint(3, 4));
}

TEST(MfcGdi, FillSolidRectAndDraw3dRect)
{
    MemDC m(10, 10, RGB(1, 1, 1));
    m.dc.SetBkColor(RGB(5, 5, 5));
    m.dc.FillSolidRect(CRect(1, 1, 4, 4), RGB(0, 0, 255));
    EXPECT_EQ(m.dc.GetPixel(1, 1), RGB(0, 0, 255));
    EXPECT_EQ(m.dc.GetPixel(4, 4), RGB(1, 1, 1));
    EXPECT_EQ(m.dc.GetBkColor(), RGB(0, 0, 255));  // the framework leaves it set

    m.dc.FillSolidRect(0, 0, 10, 10, RGB(1, 1, 1));
    m.dc.Draw3dRect(2, 2, 6, 5, RGB(255, 255, 255), RGB(128, 128, 128));
    EXPECT_EQ(m.dc.GetPixel(2, 2), RGB(255, 255, 255));
    EXPECT_EQ(m.dc.GetPixel(6, 2), RGB(255, 255, 255));
    EXPECT_EQ(m.dc.GetPixel(7, 2), RGB(128, 128, 128));  // top-right corner: bottom-right colour
    EXPECT_EQ(m.dc.GetPixel(2, 6), RGB(128, 128, 128));  // bottom-left corner too
    EXPECT_EQ(m.dc.GetPixel(7, 6), RGB(128, 128, 128));
    EXPECT_EQ(m.dc.GetPixel(4, 4), RGB(1, 1, 1));
    EXPECT_EQ(m.dc.GetPixel(8, 4), RGB(1, 1, 1));
}

TEST(MfcGdi, DrawDragRectXorsTheFrame)
{
    MemDC m(40, 40, RGB(100, 150, 200));
    CRect a(5, 5, 25, 25), b(10, 8, 30, 30);
    m.dc.DrawDragRect(a, CSize(3, 3), nullptr, CSize(0, 0));
    int changed = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (m.dc.GetPixel(x, y) != RGB(100, 150, 200))
                ++changed;
    EXPECT_GT(changed, 50);
    EXPECT_EQ(m.dc.GetPixel(15, 15), RGB(100, 150, 200));
    m.dc.DrawDragRect(b, CSize(3, 3), a, CSize(3, 3));  // moves the frame
    m.dc.DrawDragRect(b, CSize(3, 3), nullptr, CSize(0, 0));  // removes it
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(m.dc.GetPixel(x, y), RGB(100, 150, 200)) << x << "," << y;
}

TEST(MfcGdi, PointFontsFollowTheDevice)
{
    CFont screen;
    ASSERT_TRUE(screen.CreatePointFont(90, "굴림"));
    LOGFONT lf;
    screen.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -12);  // 9 points at 96 dots per inch
    EXPECT_STREQ(lf.lfFaceName, "굴림");

    DEVMODE dm = {};
    dm.dmSize = sizeof(dm);
    dm.dmFields = DM_PRINTQUALITY;
    dm.dmPrintQuality = 300;
    CDC printer;
    ASSERT_TRUE(printer.CreateDC(nullptr, "Mivo PDF", nullptr, &dm));
    EXPECT_FALSE(printer.IsPrinting());
    printer.SetMapMode(MM_LOMETRIC);
    CFont paper;
    paper.CreatePointFont(100, "Arial", &printer);
    paper.GetLogFont(&lf);
    EXPECT_NEAR(lf.lfHeight, -35, 1);  // 10 points is 3.5 mm
}

TEST(MfcGdi, RegionsPalettesAndBitmaps)
{
    CRgn a, b, c;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateEllipticRgn(5, 5, 15, 15);
    c.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(c.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(c.PtInRegion(CPoint(12, 10)));
    EXPECT_EQ(c.CopyRgn(&a), SIMPLEREGION);
    EXPECT_TRUE(c.EqualRgn(&a));
    c.OffsetRgn(CPoint(1, 1));
    CRect box;
    c.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(1, 1, 11, 11));

    MemDC m(20, 20);
    CBrush red(RGB(255, 0, 0));
    m.dc.FillRgn(&a, &red);
    EXPECT_EQ(m.dc.GetPixel(9, 9), RGB(255, 0, 0));
    EXPECT_EQ(m.dc.SelectClipRgn(&b), COMPLEXREGION);
    EXPECT_FALSE(m.dc.PtVisible(0, 0));

    CPalette pal;
    ASSERT_TRUE(pal.CreateHalftonePalette(&m.dc));
    EXPECT_EQ(pal.GetEntryCount(), 256);
    CPalette* oldPal = m.dc.SelectPalette(&pal, FALSE);
    EXPECT_EQ(m.dc.RealizePalette(), 0u);
    m.dc.SelectPalette(oldPal, FALSE);

    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&m.dc, 7, 3));
    BITMAP bm;
    bmp.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 7);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bmp.SetBitmapDimension(70, 30), CSize(0, 0));
    EXPECT_EQ(bmp.GetBitmapDimension(), CSize(70, 30));
}

TEST(MfcGdi, TextThroughCDC)
{
    MemDC m(100, 30);
    CFont font;
    font.CreatePointFont(120, "돋움");
    CFont* old = m.dc.SelectObject(&font);
    CString text = "한글";
    CSize size = m.dc.GetTextExtent(text);
    EXPECT_GT(size.cx, 10);
    CRect r(0, 0, 100, 30);
    int h = m.dc.DrawText(text, &r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(h, size.cy);
    EXPECT_EQ(r.Width(), size.cx);
    EXPECT_EQ(text, "한글");  // DrawText never changes the string object
    m.dc.SetBkMode(TRANSPARENT);
    EXPECT_TRUE(m.dc.TextOut(2, 2, text));
    CString face;
    m.dc.GetTextFace(face);
    EXPECT_EQ(face, "돋움");
    m.dc.SelectObject(old);
}
