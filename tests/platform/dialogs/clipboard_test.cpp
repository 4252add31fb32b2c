// The clipboard: Korean text crossing to the desktop's clipboard as UTF-8,
// pictures as images, private formats, synthesized formats, delayed rendering.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "mivo/clipboard.h"

#include <cstring>
#include <thread>

using namespace mivo::test;

namespace {

HGLOBAL Block(const void* data, size_t size)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(h), data, size);
    GlobalUnlock(h);
    return h;
}

HGLOBAL TextBlock(const char* text)
{
    return Block(text, strlen(text) + 1);
}

std::string TextOf(HANDLE h)
{
    const char* p = (const char*)GlobalLock(h);
    std::string s = p ? p : "";
    GlobalUnlock(h);
    return s;
}

void Put(UINT format, HANDLE h)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    SetClipboardData(format, h);
    CloseClipboard();
}

std::string ClipboardText()
{
    if (!OpenClipboard(nullptr))
        return "<closed>";
    HANDLE h = GetClipboardData(CF_TEXT);
    std::string s = h ? TextOf(h) : "<none>";
    CloseClipboard();
    return s;
}

}  // namespace

TEST(Clipboard, KoreanTextCrossesAsUtf8BothWays)
{
    Put(CF_TEXT, TextBlock("한글 텍스트 123"));
    std::string utf8;
    ASSERT_TRUE(mivo::GetSystemClipboardText(utf8));
    EXPECT_EQ(utf8, u8"한글 텍스트 123");
    EXPECT_EQ(ClipboardText(), "한글 텍스트 123");

    // Another program puts text there.
    ASSERT_TRUE(mivo::SetSystemClipboardText(u8"다른 프로그램의 글"));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(ClipboardText(), "다른 프로그램의 글");
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE wide = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(std::u16string((const char16_t*)GlobalLock(wide)), u"다른 프로그램의 글");
    GlobalUnlock(wide);
    EXPECT_EQ(GetClipboardOwner(), nullptr) << "another program's data has no owner here";
    CloseClipboard();
}

TEST(Clipboard, UnicodeTextIsOfferedAsAnsiToo)
{
    const char16_t text[] = u"유니코드";
    Put(CF_UNICODETEXT, Block(text, sizeof(text)));
    EXPECT_EQ(ClipboardText(), "유니코드");
    std::string utf8;
    ASSERT_TRUE(mivo::GetSystemClipboardText(utf8));
    EXPECT_EQ(utf8, u8"유니코드");
}

TEST(Clipboard, PicturesCrossAsImagesAndConvertBetweenDibAndBitmap)
{
    // A 2x2 24-bit bottom-up DIB: red, green / blue, white (top row first on screen).
    BYTE dib[40 + 16] = {};
    BITMAPINFOHEADER* h = (BITMAPINFOHEADER*)dib;
    h->biSize = 40;
    h->biWidth = 2;
    h->biHeight = 2;
    h->biPlanes = 1;
    h->biBitCount = 24;
    BYTE* bits = dib + 40;
    BYTE bottom[] = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF};  // blue, white
    BYTE top[] = {0, 0, 0xFF, 0, 0xFF, 0};           // red, green
    memcpy(bits, bottom, 6);
    memcpy(bits + 8, top, 6);
    Put(CF_DIB, Block(dib, sizeof(dib)));

    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP)) << "a DIB is offered as a bitmap as well";
    HBITMAP bitmap = (HBITMAP)GetClipboardData(CF_BITMAP);
    ASSERT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 255));
    SelectObject(dc, old);
    DeleteDC(dc);
    CloseClipboard();

    std::string utf8;
    EXPECT_FALSE(mivo::GetSystemClipboardText(utf8)) << "the desktop holds the picture, no text";
    ASSERT_TRUE(OpenClipboard(nullptr));
    std::vector<UINT> formats;
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f))
        formats.push_back(f);
    EXPECT_NE(std::find(formats.begin(), formats.end(), (UINT)CF_DIB), formats.end());
    CloseClipboard();
}

TEST(Clipboard, PrivateFormatsStayInTheProcess)
{
    UINT format = RegisterClipboardFormat("Mivo Album Items");
    EXPECT_GE(format, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormat("MIVO ALBUM ITEMS"), format) << "names compare without case";
    char name[64];
    EXPECT_EQ(GetClipboardFormatName(format, name, sizeof(name)), 16);
    EXPECT_STREQ(name, "Mivo Album Items");

    int ids[] = {7, 8, 9};
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(format, Block(ids, sizeof(ids)));
    SetClipboardData(CF_TEXT, TextBlock("앨범 항목 3개"));
    CloseClipboard();
    std::string utf8;
    ASSERT_TRUE(mivo::GetSystemClipboardText(utf8));
    EXPECT_EQ(utf8, u8"앨범 항목 3개") << "the text goes out with the private data";

    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(format);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), sizeof(ids));
    EXPECT_EQ(((int*)GlobalLock(h))[2], 9);
    GlobalUnlock(h);
    CloseClipboard();
}

TEST(Clipboard, OneThreadAtATimeAndOnlyWhileOpen)
{
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr) << "closed";
    EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr);
    ASSERT_TRUE(OpenClipboard(nullptr));
    bool otherOpened = true;
    std::thread other([&] { otherOpened = OpenClipboard(nullptr); });
    other.join();
    EXPECT_FALSE(otherOpened);
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
    std::thread later([&] {
        otherOpened = OpenClipboard(nullptr);
        CloseClipboard();
    });
    later.join();
    EXPECT_TRUE(otherOpened);
}

TEST(Clipboard, PromisedFormatIsRenderedByItsOwner)
{
    MessageRecorder recorder;
    HWND owner = CreateTestWindow("owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    UINT format = RegisterClipboardFormat("Mivo Delayed");
    int renders = 0;
    recorder.OnMessage(WM_RENDERFORMAT, [&](HWND, UINT, WPARAM wParam, LPARAM, LRESULT* r) {
        ++renders;
        SetClipboardData((UINT)wParam, TextBlock("rendered"));
        *r = 0;
        return true;
    });
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    SetClipboardData(format, nullptr);
    CloseClipboard();
    EXPECT_TRUE(IsClipboardFormatAvailable(format));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(format);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(TextOf(h), "rendered");
    EXPECT_EQ(GetClipboardData(format), h);
    CloseClipboard();
    EXPECT_EQ(renders, 1);

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(recorder.Count(owner, WM_DESTROYCLIPBOARD), 1) << "the old owner hears that its data went";
    DestroyWindow(owner);
}

TEST(Clipboard, DamagedPicturesAreRefused)
{
    BYTE broken[40] = {};
    BITMAPINFOHEADER* h = (BITMAPINFOHEADER*)broken;
    h->biSize = 40;
    h->biWidth = 100000;
    h->biHeight = 100000;
    h->biPlanes = 1;
    h->biBitCount = 24;
    Put(CF_DIB, Block(broken, sizeof(broken)));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardData(CF_BITMAP), nullptr) << "bits the block does not hold are never read";
    CloseClipboard();
}
