// The resource compiler, run as the build runs it: scripts in, generated C++ out.
// Scripts are written as u8 literals (the compiler reads UTF-8); expected
// 8-bit texts are plain literals, which this test is compiled to hold as CP949.
#include <gtest/gtest.h>

#include "RcRunner.h"
#include "mivo/resources.h"
#include "mivo/templates.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

using rctest::CompiledResource;
using rctest::RcResult;
using rctest::RcRunner;

constexpr WORD kRtCursor = 1, kRtBitmap = 2, kRtIcon = 3, kRtMenu = 4, kRtDialog = 5, kRtString = 6,
               kRtAccelerator = 9, kRtRcData = 10, kRtGroupCursor = 12, kRtGroupIcon = 14, kRtVersion = 16,
               kRtDlgInit = 240, kRtToolbar = 241;

const char* const kResourceH = u8R"rc(// ids shared with the code
#pragma once
#define IDR_MAINFRAME 128
#define IDR_MENU 129
#define IDD_SAMPLE 100
#define IDD_EX 101
#define IDC_NAME 1001
#define IDC_KIND 1002
#define IDC_LIST 1003
#define IDC_BIG 1004
#define IDC_PROGRESS 1005
#define IDC_CHECK 1006
#define IDC_SCROLL 1007
#define ID_FILE_OPEN 0xE101
#define ID_APP_EXIT 0xE141
#define ID_EDIT_COPY 0xE122
#define ID_HELP 0xE146
#define IDS_HELLO 200
#define IDS_QUOTE (IDS_HELLO + 1)
)rc";

class RcTest : public ::testing::Test {
protected:
    void SetUp() override { rc_.Write("resource.h", kResourceH); }

    RcResult Compile(const std::string& script, const std::vector<std::string>& args = {})
    {
        RcResult r = rc_.CompileText(script, args);
        EXPECT_EQ(0, r.exitCode) << r.errors;
        EXPECT_TRUE(r.outputWritten);
        return r;
    }

    RcRunner rc_;
};

// Windows' style values, under names of this test (the window headers define the real ones).
constexpr DWORD kWsPopup = 0x80000000, kWsChild = 0x40000000, kWsVisible = 0x10000000, kWsCaption = 0x00C00000,
                kWsBorder = 0x00800000, kWsVScroll = 0x00200000, kWsSysMenu = 0x00080000, kWsGroup = 0x00020000,
                kWsTabStop = 0x00010000, kDsModalFrame = 0x80, kDsSetFont = 0x40, kSsLeft = 0, kSsRight = 2,
                kSsIcon = 3, kSsNoPrefix = 0x80, kEsAutoHScroll = 0x80, kCbsDropDownList = 3, kLbsNotify = 1,
                kBsDefPushButton = 1, kBsAutoCheckBox = 3, kBsGroupBox = 7, kSbsHorz = 0, kPbsSmooth = 1,
                kTvsHasButtons = 1, kWsExTransparent = 0x20, kWsExControlParent = 0x10000;
const DWORD kChildVisible = kWsChild | kWsVisible;

TEST_F(RcTest, DialogRoundTrip)
{
    RcResult r = Compile(u8R"rc(#include "resource.h"
IDD_SAMPLE DIALOG DISCARDABLE 10, 20, 200, 120
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "사진 정보"
FONT 9, "굴림"
MENU IDR_MENU
BEGIN
    LTEXT "이름(&N):", IDC_STATIC, 7, 9, 40, 8
    EDITTEXT IDC_NAME, 50, 7, 140, 14, ES_AUTOHSCROLL | NOT WS_TABSTOP
    COMBOBOX IDC_KIND, 50, 25, 140, 60, CBS_DROPDOWNLIST | WS_VSCROLL
    LISTBOX IDC_LIST, 7, 45, 80, 40
    AUTOCHECKBOX "크게 보기", IDC_BIG, 95, 45, 60, 10
    GROUPBOX "옵션", IDC_STATIC, 95, 60, 95, 30
    ICON IDR_MAINFRAME, IDC_STATIC, 7, 90
    CONTROL "", IDC_PROGRESS, "msctls_progress32", PBS_SMOOTH | WS_BORDER, 7, 100, 100, 8
    CONTROL "Ok?", IDC_CHECK, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, 110, 100, 40, 10
    DEFPUSHBUTTON "확인", IDOK, 140, 100, 50, 14
    SCROLLBAR IDC_SCROLL, 7, 112, 100, 8
END
)rc");
    const CompiledResource* res = r.Find(kRtDialog, 100);
    ASSERT_NE(nullptr, res);
    const std::vector<BYTE>& d = res->data;

    // The fixed header, read as the structure.
    ASSERT_GE(d.size(), sizeof(DLGTEMPLATE));
    DLGTEMPLATE header;
    memcpy(&header, d.data(), sizeof header);
    EXPECT_EQ(18u, sizeof(DLGTEMPLATE));
    EXPECT_EQ((DWORD)(kDsModalFrame | kWsPopup | kWsCaption | kWsSysMenu | kDsSetFont), header.style);
    EXPECT_EQ(11, header.cdit);
    EXPECT_EQ(10, header.x);
    EXPECT_EQ(120, header.cy);
    // Menu as an ordinal right after the header.
    EXPECT_EQ(0xFF, d[18]);
    EXPECT_EQ(0xFF, d[19]);
    EXPECT_EQ(129, d[20] | (d[21] << 8));
    // The first item starts on the DWORD boundary after the font (offset 44),
    // the second after it at 84: header 18, menu 4, class 2, title 12, font 8.
    DLGITEMTEMPLATE first, second;
    memcpy(&first, d.data() + 44, sizeof first);
    memcpy(&second, d.data() + 84, sizeof second);
    EXPECT_EQ((DWORD)(kChildVisible | kWsGroup | kSsLeft), first.style);
    EXPECT_EQ(0xFFFF, first.id);
    EXPECT_EQ(1001, second.id);

    mivo::DialogTemplateInfo info;
    ASSERT_TRUE(mivo::ReadDialogTemplate(d.data(), d.size(), info));
    EXPECT_FALSE(info.extended);
    EXPECT_EQ(std::u16string(u"사진 정보"), info.title);
    ASSERT_TRUE(info.hasMenu);
    EXPECT_TRUE(info.menu.isOrdinal);
    EXPECT_FALSE(info.hasClass);
    ASSERT_TRUE(info.hasFont);
    EXPECT_EQ(9, info.pointSize);
    EXPECT_EQ(std::u16string(u"굴림"), info.typeface);
    ASSERT_EQ(11u, info.items.size());

    const struct {
        WORD atom;                // 0: a class name
        const char16_t* className;
        const char16_t* text;     // null: an ordinal title
        DWORD id;
        DWORD style;
        short cx;
    } expected[] = {
        {0x82, nullptr, u"이름(&N):", 0xFFFF, kChildVisible | kWsGroup | kSsLeft, 40},
        {0x81, nullptr, u"", 1001, kChildVisible | kWsBorder | kEsAutoHScroll, 140},
        {0x85, nullptr, u"", 1002, kChildVisible | kWsTabStop | kCbsDropDownList | kWsVScroll, 140},
        {0x83, nullptr, u"", 1003, kChildVisible | kWsBorder | kLbsNotify, 80},
        {0x80, nullptr, u"크게 보기", 1004, kChildVisible | kWsTabStop | kBsAutoCheckBox, 60},
        {0x80, nullptr, u"옵션", 0xFFFF, kChildVisible | kBsGroupBox, 95},
        {0x82, nullptr, nullptr, 0xFFFF, kChildVisible | kSsIcon, 0},
        {0, u"msctls_progress32", u"", 1005, kChildVisible | kPbsSmooth | kWsBorder, 100},
        {0x80, nullptr, u"Ok?", 1006, kChildVisible | kBsAutoCheckBox | kWsTabStop, 40},
        {0x80, nullptr, u"확인", 1, kChildVisible | kWsTabStop | kBsDefPushButton, 50},
        {0x84, nullptr, u"", 1007, kChildVisible | kSbsHorz, 100},
    };
    for (size_t i = 0; i < info.items.size(); ++i) {
        const mivo::DialogItemInfo& item = info.items[i];
        SCOPED_TRACE("control " + std::to_string(i));
        if (expected[i].atom) {
            EXPECT_TRUE(item.windowClass.isOrdinal);
            EXPECT_EQ(expected[i].atom, item.windowClass.ordinal);
        } else {
            EXPECT_FALSE(item.windowClass.isOrdinal);
            EXPECT_EQ(std::u16string(expected[i].className), item.windowClass.text);
        }
        if (expected[i].text) {
            EXPECT_FALSE(item.title.isOrdinal);
            EXPECT_EQ(std::u16string(expected[i].text), item.title.text);
        } else {
            EXPECT_TRUE(item.title.isOrdinal);
            EXPECT_EQ(128, item.title.ordinal);
        }
        EXPECT_EQ(expected[i].id, item.id);
        EXPECT_EQ(expected[i].style, item.style);
        EXPECT_EQ(expected[i].cx, item.cx);
        EXPECT_TRUE(item.creationData.empty());
    }
}

TEST_F(RcTest, ExtendedDialogRoundTrip)
{
    RcResult r = Compile(u8R"rc(#include "resource.h"
IDD_EX DIALOGEX 0, 0, 100, 50, 77
STYLE DS_SETFONT | WS_CHILD
EXSTYLE WS_EX_CONTROLPARENT
CLASS "MivoDlg"
FONT 9, "돋움", 700, 1, 0x81
BEGIN
    RTEXT "오른쪽", IDC_STATIC, 1, 2, 30, 8, SS_NOPREFIX, WS_EX_TRANSPARENT, 55
    CONTROL "", 70000, "SysTreeView32", TVS_HASBUTTONS, 1, 12, 50, 30
    PUSHBUTTON "X", 5, 60, 12, 20, 12
    BEGIN
        0x1234, 7L
    END
END
)rc");
    const CompiledResource* res = r.Find(kRtDialog, 101);
    ASSERT_NE(nullptr, res);
    DLGTEMPLATEEX header;
    ASSERT_GE(res->data.size(), sizeof header);
    memcpy(&header, res->data.data(), sizeof header);
    EXPECT_EQ(1, header.dlgVer);
    EXPECT_EQ(0xFFFF, header.signature);
    EXPECT_EQ(77u, header.helpID);
    EXPECT_EQ(kWsExControlParent, header.exStyle);
    EXPECT_EQ(kDsSetFont | kWsChild, header.style);  // STYLE replaces the default
    EXPECT_EQ(3, header.cDlgItems);

    mivo::DialogTemplateInfo info;
    ASSERT_TRUE(mivo::ReadDialogTemplate(res->data.data(), res->data.size(), info));
    EXPECT_TRUE(info.extended);
    ASSERT_TRUE(info.hasClass);
    EXPECT_EQ(std::u16string(u"MivoDlg"), info.windowClass.text);
    EXPECT_EQ(700, info.weight);
    EXPECT_EQ(1, info.italic);
    EXPECT_EQ(0x81, info.charset);
    EXPECT_EQ(std::u16string(u"돋움"), info.typeface);
    EXPECT_TRUE(info.title.empty());
    ASSERT_EQ(3u, info.items.size());
    EXPECT_EQ(0xFFFFFFFFu, info.items[0].id);  // ids are DWORDs in DIALOGEX
    EXPECT_EQ(55u, info.items[0].helpId);
    EXPECT_EQ(kWsExTransparent, info.items[0].exStyle);
    EXPECT_EQ(kChildVisible | kWsGroup | kSsRight | kSsNoPrefix, info.items[0].style);
    EXPECT_EQ(70000u, info.items[1].id);
    EXPECT_EQ(std::u16string(u"SysTreeView32"), info.items[1].windowClass.text);
    EXPECT_EQ(kChildVisible | kTvsHasButtons, info.items[1].style);
    EXPECT_EQ((std::vector<BYTE>{0x34, 0x12, 7, 0, 0, 0}), info.items[2].creationData);
}

TEST_F(RcTest, DefaultDialogStyleAndCaption)
{
    RcResult r = Compile(u8R"rc(1 DIALOG 0, 0, 10, 10
CAPTION "x"
BEGIN
END
)rc");
    const CompiledResource* res = r.Find(kRtDialog, 1);
    ASSERT_NE(nullptr, res);
    mivo::DialogTemplateInfo info;
    ASSERT_TRUE(mivo::ReadDialogTemplate(res->data.data(), res->data.size(), info));
    EXPECT_EQ(kWsPopup | kWsBorder | kWsSysMenu | kWsCaption, info.style);
    EXPECT_FALSE(info.hasFont);
    EXPECT_TRUE(info.items.empty());
}

TEST_F(RcTest, SmallMenuHasTheWindowsLayout)
{
    RcResult r = Compile(u8R"rc(1 MENU
BEGIN
    POPUP "A"
    BEGIN
        MENUITEM "B", 5
        MENUITEM SEPARATOR
    END
END
)rc");
    const CompiledResource* res = r.Find(kRtMenu, 1);
    ASSERT_NE(nullptr, res);
    std::vector<BYTE> expected = {
        0, 0, 0, 0,                    // header: version 0, offset 0
        0x90, 0, 'A', 0, 0, 0,         // MF_POPUP | MF_END, "A"
        0x00, 0, 5, 0, 'B', 0, 0, 0,   // id 5, "B"
        0x80, 0x08, 0, 0, 0, 0,        // MF_SEPARATOR | MF_END, id 0, ""
    };
    EXPECT_EQ(expected, res->data);
}

TEST_F(RcTest, MenuRoundTripNestsThreeDeep)
{
    RcResult r = Compile(u8R"rc(#include "resource.h"
IDR_MENU MENU
BEGIN
    POPUP "파일(&F)"
    BEGIN
        MENUITEM "열기(&O)...\tCtrl+O", ID_FILE_OPEN
        MENUITEM SEPARATOR
        POPUP "최근 파일"
        BEGIN
            POPUP "더 보기"
            BEGIN
                MENUITEM "첫째", 201, CHECKED
                MENUITEM "둘째", 202, GRAYED, MENUBREAK
            END
        END
        MENUITEM "끝내기(&X)", ID_APP_EXIT
    END
    MENUITEM "도움말", 300, HELP INACTIVE
END
)rc");
    const CompiledResource* res = r.Find(kRtMenu, 129);
    ASSERT_NE(nullptr, res);
    mivo::MenuTemplateInfo menu;
    ASSERT_TRUE(mivo::ReadMenuTemplate(res->data.data(), res->data.size(), menu));
    EXPECT_FALSE(menu.extended);
    ASSERT_EQ(2u, menu.items.size());
    const mivo::MenuTemplateItem& file = menu.items[0];
    EXPECT_TRUE(file.popup);
    EXPECT_EQ(std::u16string(u"파일(&F)"), file.text);
    ASSERT_EQ(4u, file.children.size());
    EXPECT_EQ(std::u16string(u"열기(&O)...\tCtrl+O"), file.children[0].text);
    EXPECT_EQ(0xE101u, file.children[0].id);
    EXPECT_TRUE(file.children[1].separator);
    const mivo::MenuTemplateItem& recent = file.children[2];
    ASSERT_TRUE(recent.popup);
    ASSERT_EQ(1u, recent.children.size());
    const mivo::MenuTemplateItem& more = recent.children[0];
    ASSERT_TRUE(more.popup);
    EXPECT_EQ(std::u16string(u"더 보기"), more.text);
    ASSERT_EQ(2u, more.children.size());
    EXPECT_EQ((DWORD)MF_CHECKED, more.children[0].flags);
    EXPECT_EQ((DWORD)(MF_GRAYED | MF_MENUBREAK), more.children[1].flags);
    EXPECT_EQ(202u, more.children[1].id);
    EXPECT_EQ(0xE141u, file.children[3].id);
    EXPECT_EQ((DWORD)(MF_HELP | MF_DISABLED), menu.items[1].flags);
    EXPECT_EQ(300u, menu.items[1].id);

    // MF_END closes each level: the last top-level item's flags are the last
    // but one word before its text.
    const std::vector<BYTE>& d = res->data;
    size_t helpText = d.size() - 2 * (3 + 1);
    WORD lastFlags = (WORD)(d[helpText - 4] | (d[helpText - 3] << 8));
    EXPECT_EQ(MF_HELP | MF_DISABLED | MF_END, lastFlags);
}

TEST_F(RcTest, ExtendedMenuRoundTrip)
{
    RcResult r = Compile(u8R"rc(2 MENUEX
BEGIN
    POPUP "보기", 100, MFT_STRING, MFS_ENABLED, 9
    BEGIN
        MENUITEM "큰 아이콘", 101, MFT_RADIOCHECK, MFS_CHECKED
        MENUITEM "", , MFT_SEPARATOR
        MENUITEM SEPARATOR
        MENUITEM "목록", 102
    END
END
)rc");
    const CompiledResource* res = r.Find(kRtMenu, 2);
    ASSERT_NE(nullptr, res);
    EXPECT_EQ(0u, res->data.size() % 2);
    mivo::MenuTemplateInfo menu;
    ASSERT_TRUE(mivo::ReadMenuTemplate(res->data.data(), res->data.size(), menu));
    EXPECT_TRUE(menu.extended);
    ASSERT_EQ(1u, menu.items.size());
    const mivo::MenuTemplateItem& view = menu.items[0];
    EXPECT_TRUE(view.popup);
    EXPECT_EQ(100u, view.id);
    EXPECT_EQ(9u, view.helpId);
    ASSERT_EQ(4u, view.children.size());
    EXPECT_EQ(0x200u, view.children[0].flags);  // MFT_RADIOCHECK
    EXPECT_EQ(8u, view.children[0].state);      // MFS_CHECKED
    EXPECT_TRUE(view.children[1].separator);
    EXPECT_TRUE(view.children[2].separator);
    EXPECT_EQ(std::u16string(u"목록"), view.children[3].text);
    EXPECT_EQ(102u, view.children[3].id);
}

TEST_F(RcTest, StringTableComesOutAsCp949)
{
    RcResult r = Compile(u8R"rc(#include "resource.h"
STRINGTABLE
BEGIN
    IDS_HELLO "안녕하세요"
    IDS_QUOTE, "그가 ""좋아""라고 했다\t끝"
    1 "첫 블록"
    17 "다음 블록"
    65535 L"마지막"
END
STRINGTABLE DISCARDABLE
BEGIN
    IDS_HELLO + 2 "줄\n바꿈"
END
)rc");
    EXPECT_EQ(4u, r.Count(kRtString));  // blocks 1, 2, 13 and 4096
    rctest::RegisteredResources chain(r, "StringTableTest.dll");
    char buffer[64];
    EXPECT_EQ(10, LoadString(chain.Module(), 200, buffer, sizeof buffer));
    EXPECT_STREQ("안녕하세요", buffer);
    EXPECT_GT(LoadString(chain.Module(), 201, buffer, sizeof buffer), 0);
    EXPECT_STREQ("그가 \"좋아\"라고 했다\t끝", buffer);
    EXPECT_GT(LoadString(chain.Module(), 202, buffer, sizeof buffer), 0);
    EXPECT_STREQ("줄\n바꿈", buffer);
    EXPECT_GT(LoadString(chain.Module(), 1, buffer, sizeof buffer), 0);
    EXPECT_STREQ("첫 블록", buffer);
    EXPECT_GT(LoadString(chain.Module(), 17, buffer, sizeof buffer), 0);
    EXPECT_STREQ("다음 블록", buffer);
    EXPECT_GT(LoadString(chain.Module(), 65535, buffer, sizeof buffer), 0);
    EXPECT_STREQ("마지막", buffer);
    EXPECT_EQ(0, LoadString(chain.Module(), 203, buffer, sizeof buffer));

    // The block itself is Windows' layout: 16 counted UTF-16 strings.
    const CompiledResource* block = r.Find(kRtString, 13);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(0, block->data[0] | block->data[1]);  // string 192 is absent
}

TEST_F(RcTest, ToolbarLayout)
{
    RcResult r = Compile(u8R"rc(#include "resource.h"
IDR_MAINFRAME TOOLBAR 16, 15
BEGIN
    BUTTON ID_FILE_OPEN
    SEPARATOR
    BUTTON ID_EDIT_COPY
    BUTTON ID_HELP
END
)rc");
    const CompiledResource* res = r.Find(kRtToolbar, 128);
    ASSERT_NE(nullptr, res);
    std::vector<BYTE> expected = {1, 0, 16, 0, 15, 0, 4, 0, 0x01, 0xE1, 0, 0, 0x22, 0xE1, 0x46, 0xE1};
    EXPECT_EQ(expected, res->data);
    mivo::ToolBarResourceData header;
    memcpy(&header, res->data.data(), sizeof header);
    EXPECT_EQ(16, header.wWidth);
    EXPECT_EQ(4, header.wItemCount);
}

TEST_F(RcTest, AcceleratorTable)
{
    RcResult r = Compile(u8R"rc(#include "resource.h"
IDR_MAINFRAME ACCELERATORS
BEGIN
    "o", ID_FILE_OPEN, VIRTKEY, CONTROL, NOINVERT
    "^C", ID_EDIT_COPY
    VK_F1, ID_HELP, VIRTKEY
    "a", 40001, ASCII, ALT
    VK_DELETE, 40002, VIRTKEY, SHIFT
END
)rc");
    const CompiledResource* res = r.Find(kRtAccelerator, 128);
    ASSERT_NE(nullptr, res);
    ASSERT_EQ(5u * sizeof(ACCELTABLEENTRY), res->data.size());
    const ACCELTABLEENTRY expected[] = {
        {0x0B, 'O', 0xE101, 0}, {0x00, 3, 0xE122, 0}, {0x01, 0x70, 0xE146, 0},
        {0x10, 'a', 40001, 0},  {0x85, 0x2E, 40002, 0},
    };
    for (size_t i = 0; i < 5; ++i) {
        ACCELTABLEENTRY e;
        memcpy(&e, res->data.data() + i * sizeof e, sizeof e);
        EXPECT_EQ(expected[i].fFlags, e.fFlags) << i;
        EXPECT_EQ(expected[i].wAnsi, e.wAnsi) << i;
        EXPECT_EQ(expected[i].wId, e.wId) << i;
        EXPECT_EQ(0, e.padding) << i;
    }
    rctest::RegisteredResources chain(r, "AccelTest.dll");
    std::vector<ACCEL> entries;
    ASSERT_TRUE(mivo::LoadAcceleratorEntries(chain.Module(), MAKEINTRESOURCE(128), entries));
    ASSERT_EQ(5u, entries.size());
    EXPECT_EQ(FVIRTKEY | FSHIFT, entries[4].fVirt);
}

TEST_F(RcTest, DlgInitDataAsWritten)
{
    RcResult r = Compile(u8R"rc(#include "resource.h"
IDD_SAMPLE DLGINIT
BEGIN
    IDC_KIND, 0x403, 6, 0
0xb0c7, 0xc7b0, 0x0031,
    IDC_KIND, 0x403, 5, 0
"사진\000"
    0
END
)rc");
    const CompiledResource* res = r.Find(kRtDlgInit, 100);
    ASSERT_NE(nullptr, res);
    std::string photo = "사진";  // CP949
    ASSERT_EQ(4u, photo.size());
    std::vector<BYTE> expected = {0xEA, 0x03, 0x03, 0x04, 6, 0, 0, 0, 0xC7, 0xB0, 0xB0, 0xC7, 0x31, 0x00,
                                  0xEA, 0x03, 0x03, 0x04, 5, 0, 0, 0};
    expected.insert(expected.end(), photo.begin(), photo.end());
    expected.insert(expected.end(), {0, 0, 0});
    EXPECT_EQ(expected, res->data);
}

std::vector<BYTE> Le16(WORD v) { return {(BYTE)(v & 0xFF), (BYTE)(v >> 8)}; }
std::vector<BYTE> Le32(DWORD v) { return {(BYTE)v, (BYTE)(v >> 8), (BYTE)(v >> 16), (BYTE)(v >> 24)}; }
void Append(std::vector<BYTE>& to, const std::vector<BYTE>& more) { to.insert(to.end(), more.begin(), more.end()); }

// A BITMAPINFOHEADER-based image of the given size and bit count with `extra` bytes of pixels.
std::vector<BYTE> Dib(int width, int height, WORD bits, size_t pixelBytes, BYTE fill)
{
    std::vector<BYTE> d;
    Append(d, Le32(40));
    Append(d, Le32((DWORD)width));
    Append(d, Le32((DWORD)height));
    Append(d, Le16(1));
    Append(d, Le16(bits));
    d.resize(40, 0);
    d.insert(d.end(), pixelBytes, fill);
    return d;
}

// An .ico or .cur file holding the given images.
std::vector<BYTE> IconFile(bool cursor, const std::vector<std::vector<BYTE>>& images, int size)
{
    std::vector<BYTE> f;
    Append(f, Le16(0));
    Append(f, Le16(cursor ? 2 : 1));
    Append(f, Le16((WORD)images.size()));
    DWORD offset = 6 + 16 * (DWORD)images.size();
    for (const auto& img : images) {
        f.push_back((BYTE)size);
        f.push_back((BYTE)size);
        f.push_back(0);
        f.push_back(0);
        Append(f, Le16(cursor ? 3 : 0));  // hot spot x, or planes (0: take the image's)
        Append(f, Le16(cursor ? 4 : 0));  // hot spot y, or bit count
        Append(f, Le32((DWORD)img.size()));
        Append(f, Le32(offset));
        offset += (DWORD)img.size();
    }
    for (const auto& img : images)
        Append(f, img);
    return f;
}

TEST_F(RcTest, PictureFilesBecomeWindowsResources)
{
    std::vector<BYTE> bmp = {'B', 'M'};
    Append(bmp, Le32(14 + 40 + 16));
    Append(bmp, Le32(0));
    Append(bmp, Le32(14 + 40));
    Append(bmp, Dib(2, 2, 24, 16, 0xAB));
    rc_.Write("toolbar.bmp", bmp);
    std::vector<BYTE> small = Dib(16, 32, 4, 64, 0x11), large = Dib(32, 64, 32, 128, 0x22);
    rc_.Write("app.ico", IconFile(false, {small, large}, 16));
    std::vector<BYTE> hand = Dib(32, 64, 1, 32, 0x33);
    rc_.Write("hand.cur", IconFile(true, {hand}, 32));

    RcResult r = Compile(u8R"rc(#include "resource.h"
IDR_MAINFRAME BITMAP "toolbar.bmp"
IDR_MAINFRAME ICON DISCARDABLE "app.ico"
10128 CURSOR "hand.cur"
)rc");
    const CompiledResource* bitmap = r.Find(kRtBitmap, 128);
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ(std::vector<BYTE>(bmp.begin() + 14, bmp.end()), bitmap->data);

    const CompiledResource* group = r.Find(kRtGroupIcon, 128);
    ASSERT_NE(nullptr, group);
    ASSERT_EQ(sizeof(NEWHEADER) + 2 * sizeof(RESDIR), group->data.size());
    EXPECT_EQ(14u, sizeof(RESDIR));
    NEWHEADER head;
    memcpy(&head, group->data.data(), sizeof head);
    EXPECT_EQ(1, head.ResType);
    EXPECT_EQ(2, head.ResCount);
    const std::vector<BYTE>* images[] = {&small, &large};
    for (int i = 0; i < 2; ++i) {
        RESDIR entry;
        memcpy(&entry, group->data.data() + sizeof head + i * sizeof entry, sizeof entry);
        EXPECT_EQ(i == 0 ? 4 : 32, entry.BitCount);  // from the image when the file says 0
        EXPECT_EQ(1, entry.Planes);
        EXPECT_EQ(images[i]->size(), entry.BytesInRes);
        const CompiledResource* icon = r.Find(kRtIcon, entry.IconCursorId);
        ASSERT_NE(nullptr, icon);
        EXPECT_EQ(*images[i], icon->data);
    }

    const CompiledResource* cursors = r.Find(kRtGroupCursor, 10128);
    ASSERT_NE(nullptr, cursors);
    RESDIR entry;
    memcpy(&entry, cursors->data.data() + sizeof(NEWHEADER), sizeof entry);
    EXPECT_EQ(32, entry.ResInfo.Cursor.Width);
    EXPECT_EQ(64, entry.ResInfo.Cursor.Height);
    EXPECT_EQ(hand.size() + 4, entry.BytesInRes);
    const CompiledResource* cursor = r.Find(kRtCursor, entry.IconCursorId);
    ASSERT_NE(nullptr, cursor);
    std::vector<BYTE> expected = {3, 0, 4, 0};  // hot spot first
    Append(expected, hand);
    EXPECT_EQ(expected, cursor->data);
}

TEST_F(RcTest, PreprocessorRawDataAndNamedResources)
{
    rc_.Write("logo.bin", std::string("\x89PNG", 4));
    RcResult r = Compile(u8R"rc(// comments are ignored
#include "resource.h"
#define BASE (WM_USER + 0x10)
#define NEXT BASE+1
/* a block comment
   "with an unterminated quote
*/
#if 0
this is skipped, even "unterminated
#elif defined(NEXT) && NEXT == 0x411
IDR_MENU RCDATA BEGIN 1, 2L, "ab", L"c", NEXT END
#else
#error wrong branch
#endif
#ifdef APSTUDIO_INVOKED
1 TEXTINCLUDE BEGIN "resource.h\0" END
#endif
#ifndef NEXT
#error NEXT is defined
#endif
LANGUAGE LANG_KOREAN, SUBLANG_DEFAULT
#pragma code_page(65001)
LOGO PNG "logo.bin"
"Named" RCDATA { 0x0102 }
VS_VERSION_INFO VERSIONINFO
 FILEVERSION 1,0,0,1
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        VALUE "FileDescription", "Mivo"
    END
END
)rc");
    const CompiledResource* data = r.Find(kRtRcData, 129);
    ASSERT_NE(nullptr, data);
    EXPECT_EQ((std::vector<BYTE>{1, 0, 2, 0, 0, 0, 'a', 'b', 'c', 0, 0x11, 0x04}), data->data);
    const CompiledResource* logo = r.Find("PNG", "LOGO");
    ASSERT_NE(nullptr, logo);
    EXPECT_EQ((std::vector<BYTE>{0x89, 'P', 'N', 'G'}), logo->data);
    EXPECT_EQ(0u, r.Count(kRtVersion));
    EXPECT_NE(std::string::npos, r.errors.find("warning: VERSIONINFO"));

    rctest::RegisteredResources chain(r, "NamedTest.dll");
    HRSRC named = FindResource(chain.Module(), "named", RT_RCDATA);
    ASSERT_NE(nullptr, named);
    EXPECT_EQ(2u, SizeofResource(chain.Module(), named));
    EXPECT_NE(nullptr, FindResource(chain.Module(), "Logo", "png"));
}

TEST_F(RcTest, RegistrarNamesTheModuleAndItsKind)
{
    RcResult lib = Compile("1 RCDATA { 1 }\n", {"--module", "Tesserin"});
    EXPECT_EQ("Tesserin", lib.moduleName);
    EXPECT_FALSE(lib.program);
    RcResult program = Compile("1 RCDATA { 1 }\n", {"--module", "Lumaret", "--program"});
    EXPECT_EQ("Lumaret", program.moduleName);
    EXPECT_TRUE(program.program);
    RcResult empty = Compile("// nothing here\n");
    EXPECT_EQ("test", empty.moduleName);
    EXPECT_TRUE(empty.resources.empty());
}

TEST_F(RcTest, DependencyFileListsEverythingRead)
{
    rc_.Write("logo.bin", std::string("x"));
    Compile("#include \"resource.h\"\nLOGO PNG \"logo.bin\"\n", {"--depfile", rc_.Path("out.d")});
    std::ifstream in(rc_.Path("out.d"));
    std::string deps((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(std::string::npos, deps.find("out.cpp:"));
    EXPECT_NE(std::string::npos, deps.find("test.rc"));
    EXPECT_NE(std::string::npos, deps.find("resource.h"));
    EXPECT_NE(std::string::npos, deps.find("logo.bin"));
}

TEST_F(RcTest, MalformedScriptsFailWithFileAndLine)
{
    rc_.Write("broken.h", "#define A 1\n#if A\n#define B 2\n");
    rc_.Write("notabitmap.bmp", std::string("GIF89a"));
    std::string deepMenu = "1 MENU\n";
    for (int i = 0; i < 20; ++i)
        deepMenu += "BEGIN POPUP \"x\"\n";
    const struct {
        std::string script;
        const char* file;
        int line;
        const char* message;
    } cases[] = {
        {"1 RCDATA { " + std::string(300, '(') + "1" + std::string(300, ')') + " }\n", "test.rc", 1,
         "nested too deeply"},
        {deepMenu, "test.rc", 19, "menus nested too deeply"},
        {u8"STRINGTABLE\nBEGIN\n    1 \"abc\nEND\n", "test.rc", 3, "unterminated string"},
        {u8"1 DIALOG 0,0,10,10\nBEGIN\n    BUTTONX \"x\", 1, 0, 0, 1, 1\nEND\n", "test.rc", 3,
         "unknown control statement 'BUTTONX'"},
        {u8"1 MENU\nBEGIN\n    MENUITEMS \"x\", 1\nEND\n", "test.rc", 3, "unknown menu statement 'MENUITEMS'"},
        {u8"1 DIALOG 0,0,10,10\nCAPTION \"x\"\nBEGIN\n    LTEXT \"a\", 1, 0, 0, 1, 1\n", "test.rc", 3, "missing END"},
        {u8"1 DIALOG 0,0,10,10\nBEGIN\n    LTEXT \"x\", IDC_NOPE, 0, 0, 1, 1\nEND\n", "test.rc", 3,
         "undefined identifier 'IDC_NOPE'"},
        {u8"1 DIALOG 0,0,10,10\nBEGIN\n  LTEXT \"x\", 1, 0, 0, 1\nEND\n", "test.rc", 4, "expected ','"},
        {u8"#ifdef X\n1 RCDATA { 1 }\n", "test.rc", 1, "#if without #endif"},
        {u8"#include \"broken.h\"\n", "broken.h", 2, "#if without #endif"},
        {u8"#endif\n", "test.rc", 1, "#endif without #if"},
        {u8"#include \"missing.h\"\n", "test.rc", 1, "cannot open include file 'missing.h'"},
        {u8"#frobnicate\n", "test.rc", 1, "unknown directive"},
        {u8"1 RCDATA { 1 }\n\n1 RCDATA { 2 }\n", "test.rc", 3, "already defined at line 1"},
        {u8"STRINGTABLE { 5 \"a\"\n 5 \"b\" }\n", "test.rc", 2, "string id 5 is already defined"},
        {u8"1 BITMAP \"nothere.bmp\"\n", "test.rc", 1, "cannot find file 'nothere.bmp'"},
        {u8"1 BITMAP \"notabitmap.bmp\"\n", "test.rc", 1, "not a BMP file"},
        {u8"1 ICON \"notabitmap.bmp\"\n", "test.rc", 1, "not an ICO file"},
        {u8"1 DIALOG 0,0,1,1\nCAPTION \"웃음 😀\"\nBEGIN\nEND\n", "test.rc", 2, "no CP949 form"},
        {u8"1 DIALOG 0,0,1,1\nSTYLE DS_SETFONT\nBEGIN\nEND\n", "test.rc", 3, "no FONT statement"},
        {u8"1 MENU\nBEGIN\n  POPUP \"x\"\n  BEGIN\n  END\nEND\n", "test.rc", 4, "popup menu has no items"},
        {u8"1 ACCELERATORS\nBEGIN\n  \"^1\", 5\nEND\n", "test.rc", 3, "\"^\" must be followed by a letter"},
        {u8"1 ACCELERATORS\nBEGIN\n  \"x\", 5, VIRTKEY, FOO\nEND\n", "test.rc", 3, "unknown accelerator option"},
        {u8"1 DLGINIT\nBEGIN\n  1001, 0x403, 6, 0, 0x6261\nEND\n", "test.rc", 1, "DLGINIT"},
        {u8"1 RCDATA { 0x1FFFFFFFF }\n", "test.rc", 1, "number too large"},
        {u8"1 TOOLBAR 16, 15\nBEGIN\n  KNOB 5\nEND\n", "test.rc", 3, "unknown toolbar statement"},
        {u8"FOO BAR BAZ\n", "test.rc", 1, "expected a file name or BEGIN"},
        {u8"1 DIALOG 0,0,1,1\nBEGIN\n  LTEXT \"x\" 1, 0, 0, 1, 1\nEND\n", "test.rc", 3, "expected ','"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        RcResult r = rc_.CompileText(c.script);
        EXPECT_EQ(1, r.exitCode);
        EXPECT_FALSE(r.outputWritten);
        std::string where = rc_.Path(c.file) + ":" + std::to_string(c.line) + ": ";
        EXPECT_EQ(0u, r.errors.find(where)) << r.errors;
        EXPECT_NE(std::string::npos, r.errors.find(c.message)) << r.errors;
    }
}

TEST_F(RcTest, BadCommandLinesAreRefused)
{
    RcResult r = rc_.Compile("nothing.rc");
    EXPECT_NE(0, r.exitCode);
    EXPECT_NE(std::string::npos, r.errors.find("cannot open"));
    RcResult usage = rc_.Compile("test.rc", {"--bogus"});
    EXPECT_EQ(2, usage.exitCode);
}

// The template readers are the checked way in for the window code: no
// truncation of a valid template reads as valid or reads past the end.
TEST_F(RcTest, TemplateReadersRefuseTruncatedTemplates)
{
    RcResult r = Compile(u8R"rc(#include "resource.h"
1 DIALOG 0, 0, 50, 50
FONT 9, "굴림"
BEGIN
    LTEXT "가", 1, 0, 0, 1, 1
    CONTROL "b", 2, "SysListView32", 0, 0, 0, 1, 1
END
2 DIALOGEX 0, 0, 50, 50
BEGIN
    PUSHBUTTON "다", 3, 0, 0, 1, 1
    BEGIN 1, 2 END
END
3 MENU { POPUP "a" { MENUITEM "b", 1 POPUP "c" { MENUITEM "d", 2 } } }
4 MENUEX { POPUP "a" { MENUITEM "b", 1 } MENUITEM "c", 2 }
)rc");
    for (WORD id : {1, 2}) {
        const CompiledResource* res = r.Find(kRtDialog, id);
        ASSERT_NE(nullptr, res);
        mivo::DialogTemplateInfo info;
        EXPECT_TRUE(mivo::ReadDialogTemplate(res->data.data(), res->data.size(), info));
        for (size_t n = 0; n < res->data.size(); ++n) {
            std::vector<BYTE> cut(res->data.begin(), res->data.begin() + n);
            EXPECT_FALSE(mivo::ReadDialogTemplate(cut.data(), cut.size(), info)) << "dialog " << id << " cut to " << n;
        }
    }
    for (WORD id : {3, 4}) {
        const CompiledResource* res = r.Find(kRtMenu, id);
        ASSERT_NE(nullptr, res);
        mivo::MenuTemplateInfo menu;
        EXPECT_TRUE(mivo::ReadMenuTemplate(res->data.data(), res->data.size(), menu));
        // The DWORD padding after the last MENUEX item is not needed to read it.
        size_t needed = id == 4 ? res->data.size() - 2 : res->data.size();
        for (size_t n = 0; n < needed; ++n) {
            std::vector<BYTE> cut(res->data.begin(), res->data.begin() + n);
            EXPECT_FALSE(mivo::ReadMenuTemplate(cut.data(), cut.size(), menu)) << "menu " << id << " cut to " << n;
        }
    }
    // Popups nested without end: refused at the depth limit, not by running out of stack.
    std::vector<BYTE> deep = {0, 0, 0, 0};
    for (int i = 0; i < 1000; ++i)
        deep.insert(deep.end(), {0x10, 0, 'x', 0, 0, 0});
    mivo::MenuTemplateInfo menu;
    EXPECT_FALSE(mivo::ReadMenuTemplate(deep.data(), deep.size(), menu));
}

}  // namespace
