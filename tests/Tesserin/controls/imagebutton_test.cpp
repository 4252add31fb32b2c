// The image button: subclassing, borders by state, focus rectangle, clicks,
// colour arithmetic and result codes, bitmap masks and the drop-down menu.
#include <gtest/gtest.h>

#include "ControlHost.h"
#include "controls/ImageButton.h"
#include "res/resource.h"
#include "support/InputSynth.h"
#include "support/MenuTemplateBuilder.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/WindowCapture.h"
#include "mivo/resources.h"
#include "mivo/testing/input.h"

#include <string>
#include <vector>

using controlstest::ControlHost;

namespace {

const COLORREF kIn = RGB(20, 180, 40);
const COLORREF kOut = RGB(200, 30, 30);
const int kId = 300;

struct ButtonField {
    ControlHost host;
    CImageButton button;

    explicit ButtonField(DWORD type = BS_PUSHBUTTON, const char* text = "")
    {
        HWND h = ::CreateWindow("Button", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | type, 20, 20, 80, 30,
                                host.wnd()->m_hWnd, (HMENU)(INT_PTR)kId, nullptr, nullptr);
        button.SubclassWindow(h);
        button.SetColor(CImageButton::COLOR_BK_IN, kIn, FALSE);
        button.SetColor(CImageButton::COLOR_BK_OUT, kOut, FALSE);
        button.SetColor(CImageButton::COLOR_BK_FOCUS, kOut, FALSE);
        Settle();
    }
    void Settle()
    {
        button.Invalidate();
        mivo::test::PumpUntilIdle();
    }
    void Hover()
    {
        mivo::test::MouseMove(button.m_hWnd, 40, 15);
        mivo::test::PumpUntilIdle();
    }
    void Away()
    {
        mivo::test::MouseMove(host.wnd()->m_hWnd, 5, 100);
        mivo::test::PumpUntilIdle();
    }
    mivo::test::WindowImage Shot() { return mivo::test::CaptureWindow(button.m_hWnd, true); }
};

}  // namespace

TEST(ImageButton, SubclassingMakesItOwnerDrawnAndKeepsTheDefaultFlag)
{
    ButtonField def(BS_DEFPUSHBUTTON);
    EXPECT_EQ(def.button.GetButtonStyle() & 0x0F, (UINT)BS_OWNERDRAW);
    EXPECT_TRUE(def.button.GetDefault());
    EXPECT_TRUE(def.button.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
    def.button.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_FALSE(def.button.GetDefault());
    EXPECT_EQ(def.button.GetButtonStyle() & 0x0F, (UINT)BS_OWNERDRAW);
    EXPECT_TRUE(def.button.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);

    ButtonField check(BS_AUTOCHECKBOX);
    check.button.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(check.button.SendMessage(BM_GETCHECK), 1);
    EXPECT_EQ(check.button.GetCheck(), 1);
}

TEST(ImageButton, BorderByFlatDrawBorderCheckBoxAndHover)
{
    struct Case {
        BOOL flat, drawBorder, checkBox, hovered;
        bool border;
    };
    std::vector<Case> cases;
    for (int bits = 0; bits < 16; ++bits) {
        Case c = {bits & 1, (bits >> 1) & 1, (bits >> 2) & 1, (bits >> 3) & 1, false};
        c.border = !c.flat || (c.hovered && (c.drawBorder || c.checkBox));
        cases.push_back(c);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "flat " << c.flat << " drawBorder " << c.drawBorder << " checkBox "
                                        << c.checkBox << " hovered " << c.hovered);
        ButtonField f(c.checkBox ? BS_AUTOCHECKBOX : BS_PUSHBUTTON);
        f.button.SetFlat(c.flat);
        f.button.DrawBorder(c.drawBorder);
        if (c.hovered)
            f.Hover();
        else
            f.Away();
        f.Settle();
        mivo::test::WindowImage img = f.Shot();
        COLORREF back = (c.hovered && c.flat) ? kIn : kOut;
        EXPECT_EQ(img.At(img.width / 2, img.height / 2), back);
        EXPECT_EQ(img.At(img.width - 1, img.height - 1) != back, c.border);
        EXPECT_EQ(img.At(0, 0) != back, c.border);
    }
}

TEST(ImageButton, RaisedEdgeAndFocusRectanglePixels)
{
    ButtonField f;
    f.button.SetFlat(FALSE);
    f.Settle();
    mivo::test::WindowImage plain = f.Shot();
    int w = plain.width, h = plain.height;
    EXPECT_EQ(plain.At(0, 0), GetSysColor(COLOR_BTNHILIGHT));
    EXPECT_EQ(plain.At(w - 2, 0), GetSysColor(COLOR_BTNHILIGHT));
    EXPECT_EQ(plain.At(w - 1, 0), GetSysColor(COLOR_3DDKSHADOW)) << "the right line is drawn over the top one";
    EXPECT_EQ(plain.At(1, 1), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(plain.At(w - 1, h - 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(plain.At(0, h - 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(plain.At(w - 2, h - 2), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(plain.At(4, 4), kOut);

    f.button.SetFocus();
    f.Settle();
    mivo::test::WindowImage focused = f.Shot();
    EXPECT_EQ(focused.At(0, 0), RGB(0, 0, 0)) << "a focused button is framed in black";
    EXPECT_EQ(focused.At(1, 1), GetSysColor(COLOR_BTNHILIGHT));
    EXPECT_NE(focused.At(4, 4), kOut) << "the focus rectangle three pixels inside the edge";
    EXPECT_EQ(focused.At(5, 5), kOut);
}

TEST(ImageButton, DoubleClickCountsAsTwoClicks)
{
    ButtonField f;
    mivo::test::MessageRecorder rec;
    rec.Attach(f.host.wnd()->m_hWnd);
    mivo::test::Click(f.button.m_hWnd, 30, 15);
    mivo::test::Click(f.button.m_hWnd, 30, 15);
    mivo::test::PumpUntilIdle();
    int clicks = 0;
    for (const auto& m : rec.All())
        if (m.hwnd == f.host.wnd()->m_hWnd && m.msg == WM_COMMAND && HIWORD(m.wParam) == BN_CLICKED)
            ++clicks;
    EXPECT_EQ(clicks, 2) << "the parent hears every click";
}

TEST(ImageButton, CheckBoxTogglesOnClickAndDrawsPressed)
{
    ButtonField f(BS_AUTOCHECKBOX);
    f.button.SetFlat(FALSE);
    mivo::test::Click(f.button.m_hWnd, 30, 15);
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(f.button.GetCheck(), 1);
    f.Settle();
    mivo::test::WindowImage img = f.Shot();
    EXPECT_EQ(img.At(img.width / 2, img.height / 2), kIn) << "checked is drawn pressed";
    mivo::test::Click(f.button.m_hWnd, 30, 15);
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(f.button.GetCheck(), 0);
}

TEST(ImageButton, ColourOffsetsAndResultCodes)
{
    CImageButton b;
    EXPECT_EQ(b.SetColor(0, RGB(230, 100, 10), FALSE), 0u);
    EXPECT_EQ(b.OffsetColor(0, 40, FALSE), 0u);
    COLORREF c = 0;
    EXPECT_EQ(b.GetColor(0, &c), 0u);
    EXPECT_EQ(c, RGB(255, 125, 35));
    EXPECT_EQ(b.OffsetColor(0, -50, FALSE), 0u);
    b.GetColor(0, &c);
    EXPECT_EQ(c, RGB(220, 90, 0)) << "lowered only as far as the darkest channel allows";
    EXPECT_EQ(b.OffsetColor(0, -300, FALSE), 5u);
    b.GetColor(0, &c);
    EXPECT_EQ(c, RGB(220, 90, 0));
    EXPECT_EQ(b.OffsetColor(6, 10, FALSE), 3u);
    EXPECT_EQ(b.SetColor(6, 0, FALSE), 3u);
    EXPECT_EQ(b.GetColor(7, &c), 3u);
    EXPECT_EQ(b.SetAlign(4, FALSE), 4u);
    EXPECT_EQ(b.SetAlign(3, FALSE), 0u);
    EXPECT_EQ(b.SetPressedStyle(2, FALSE), 6u);
    EXPECT_EQ(b.SetPressedStyle(1, FALSE), 0u);
    EXPECT_EQ(b.SetBk(nullptr), 5u);
    EXPECT_EQ(b.SetBtnCursor(0x7777, FALSE), 1u);
    EXPECT_EQ(b.SetBtnCursor(0, FALSE), 0u);
    EXPECT_EQ(b.SetMenu(0x7777, nullptr, 0, 0, CSize(16, 15), 0, FALSE), 1u);
    EXPECT_EQ(b.SetBitmaps((HBITMAP)(INT_PTR)0x123457, 0), 1u) << "not a bitmap";
    EXPECT_EQ(b.SetIcon((HICON)(INT_PTR)0x123457), 1u) << "not an icon";
    b.SetDefaultColors(FALSE);
    b.GetColor(0, &c);
    EXPECT_EQ(c, GetSysColor(COLOR_BTNFACE));
    b.GetColor(5, &c);
    EXPECT_EQ(c, GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(CImageButton::GetVersionI(), 37);
    EXPECT_STREQ(CImageButton::GetVersionC(), "3.7");
}

TEST(ImageButton, MaskTruthTableAndTheCallersBitmap)
{
    const COLORREF key = RGB(255, 0, 255), ink = RGB(10, 100, 200);
    CClientDC screen(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 2, 1);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.SetPixel(0, 0, key);
    dc.SetPixel(1, 0, ink);
    dc.SelectObject(old);

    HBITMAP mask = CImageButton::CreateBitmapMask((HBITMAP)bitmap.GetSafeHandle(), 2, 1, key);
    ASSERT_NE(mask, nullptr);
    HGDIOBJ previous = ::SelectObject(dc.m_hDC, mask);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 255, 255)) << "key pixel: white in the mask";
    EXPECT_EQ(dc.GetPixel(1, 0), RGB(0, 0, 0)) << "other pixel: black in the mask";
    ::SelectObject(dc.m_hDC, bitmap.GetSafeHandle());
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 0, 0)) << "the caller's key pixel turned black";
    EXPECT_EQ(dc.GetPixel(1, 0), ink) << "the rest is kept";
    ::SelectObject(dc.m_hDC, previous);
    ::DeleteObject(mask);
}

TEST(ImageButton, MaskedBitmapShowsTheBackgroundThroughTheKey)
{
    ButtonField f;
    CClientDC screen(nullptr);
    CBitmap picture;
    picture.CreateCompatibleBitmap(&screen, 10, 10);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* old = dc.SelectObject(&picture);
    dc.FillSolidRect(0, 0, 10, 10, RGB(255, 0, 255));
    dc.FillSolidRect(3, 3, 4, 4, RGB(0, 0, 255));
    dc.SelectObject(old);
    ASSERT_EQ(f.button.SetBitmaps((HBITMAP)picture.Detach(), RGB(255, 0, 255)), 0u);
    f.Away();
    f.Settle();
    mivo::test::WindowImage img = f.Shot();
    int x = (img.width - 10) / 2, y = (img.height - 10) / 2;
    EXPECT_EQ(img.At(x + 1, y + 1), kOut) << "key colour is transparent";
    EXPECT_EQ(img.At(x + 4, y + 4), RGB(0, 0, 255));
    f.button.SizeToContent();
    CRect r;
    f.button.GetWindowRect(&r);
    EXPECT_EQ(r.Width(), 10);
    EXPECT_EQ(r.Height(), 10);
}

TEST(ImageButton, DropDownMenuTellsTheCallbackFirstAndPostsTheCommand)
{
    static std::vector<BYTE> menu = mivo::test::BuildMenuTemplate(
        {mivo::test::Popup(u"m", {mivo::test::Item(u"first", 801), mivo::test::Item(u"second", 802)})});
    static const mivo::ResourceEntry entries[] = {{4, nullptr, 7400, nullptr, menu.data(), (DWORD)menu.size()}};
    static const mivo::ResourceTable resources = {entries, 1};
    mivo::RegisterModuleResources("imagebutton_test", &resources, false);

    ButtonField f;
    HWND owner = f.host.wnd()->m_hWnd;
    mivo::test::MessageRecorder rec;
    rec.Attach(owner);
    HMENU told = nullptr;
    rec.OnMessage(WM_APP + 5, [&](HWND, UINT, WPARAM wp, LPARAM lp, LRESULT* r) {
        told = (HMENU)wp;
        EXPECT_EQ(lp, 77);
        // Choose the second item once the menu runs.
        for (UINT vk : {VK_DOWN, VK_DOWN, VK_RETURN}) {
            mivo::InjectKey(vk, true);
            mivo::InjectKey(vk, false);
        }
        *r = 0;
        return true;
    });
    ASSERT_EQ(f.button.SetMenu(7400, owner), 0u);
    f.button.SetMenuCallback(owner, WM_APP + 5, 77);
    ::SendMessage(owner, WM_COMMAND, MAKEWPARAM(kId, BN_CLICKED), (LPARAM)f.button.m_hWnd);
    mivo::test::PumpUntilIdle();
    ASSERT_NE(told, nullptr);
    EXPECT_EQ(::GetMenuItemID(told, 0), 801u);

    std::vector<UINT> order;
    bool posted = false;
    for (const auto& m : rec.All()) {
        if (m.msg == WM_APP + 5)
            order.push_back(m.msg);
        if (m.msg == WM_COMMAND && m.wParam == 802 && m.lParam == 0) {
            order.push_back(m.msg);
            posted = m.posted;
        }
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_APP + 5, WM_COMMAND}));
    EXPECT_TRUE(posted);
    mivo::UnregisterModuleResources(&resources);
}

TEST(ImageButton, GreyIconWhileIdleColourWhileHovered)
{
    CClientDC screen(nullptr);
    CBitmap colour, mask;
    colour.CreateCompatibleBitmap(&screen, 16, 16);
    mask.CreateBitmap(16, 16, 1, 1, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* old = dc.SelectObject(&colour);
    dc.FillSolidRect(0, 0, 16, 16, RGB(200, 40, 40));
    dc.FillSolidRect(0, 0, 4, 4, RGB(0, 0, 0));
    dc.SelectObject(&mask);
    dc.FillSolidRect(0, 0, 16, 16, RGB(0, 0, 0));
    dc.SelectObject(old);
    ICONINFO info = {TRUE, 8, 8, (HBITMAP)mask.GetSafeHandle(), (HBITMAP)colour.GetSafeHandle()};
    HICON icon = ::CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);

    ButtonField f;
    ASSERT_EQ(f.button.SetIcon(icon, (HICON)(INT_PTR)CImageButton::GRAY_ICON), 0u);
    f.Away();
    f.Settle();
    mivo::test::WindowImage idle = f.Shot();
    int x = (idle.width - 16) / 2, y = (idle.height - 16) / 2;
    BYTE grey = (BYTE)(0.299 * 200 + 0.587 * 40 + 0.114 * 40);
    EXPECT_EQ(idle.At(x + 10, y + 10), RGB(grey, grey, grey));
    EXPECT_EQ(idle.At(x + 1, y + 1), RGB(0, 0, 0)) << "pure black stays black";
    f.Hover();
    f.Settle();
    mivo::test::WindowImage hovered = f.Shot();
    EXPECT_EQ(hovered.At(x + 10, y + 10), RGB(200, 40, 40));
}

// The icon the button keeps, for its size.
struct IconProbe : CImageButton {
    static SIZE Loaded(const CImageButton& button)
    {
        const IconRecord& r = (button.*(&IconProbe::m_csIcons))[0];
        return SIZE{(LONG)r.width, (LONG)r.height};
    }
};

// The transfer icon holds a 16 and a 32 pixel image, in that order.
TEST(ImageButton, IconsOfTheResourcesLoadAtTheirOwnSizeOrTheSizeAsked)
{
    ButtonField f;
    struct {
        int size;
        LONG expected;
    } cases[] = {{0, 16}, {16, 16}, {32, 32}};
    for (const auto& c : cases) {
        ASSERT_EQ(0u, f.button.SetIcon(IDI_FT_TRANSFER, 0, c.size)) << c.size;
        SIZE loaded = IconProbe::Loaded(f.button);
        EXPECT_EQ(c.expected, loaded.cx) << c.size;
        EXPECT_EQ(c.expected, loaded.cy) << c.size;
    }
}
