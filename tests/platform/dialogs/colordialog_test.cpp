// The colour dialog: the starting colour, numbers typed in, custom colours.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/DialogDriver.h"

using namespace mivo::test;

namespace {

// The colour dialog's number fields (Windows' ids).
const int kHue = 0x2BF, kSat = 0x2C0, kLum = 0x2C1, kRed = 0x2C2, kGreen = 0x2C3, kBlue = 0x2C4;
const int kAddCustom = 0x2C8;
const int kDefineCustom = 0x2CF;

void Press(HWND dialog, int id)
{
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

CHOOSECOLOR Request(HWND owner, COLORREF start, DWORD flags, COLORREF* custom)
{
    CHOOSECOLOR cc = {};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = owner;
    cc.rgbResult = start;
    cc.Flags = flags;
    cc.lpCustColors = custom;
    return cc;
}

TEST(ColorDialog, StartsOnTheGivenColourAndReturnsTheOneTyped)
{
    ModalScript script;
    COLORREF custom[16] = {};
    CHOOSECOLOR cc = Request(script.Owner(), RGB(10, 20, 30), CC_RGBINIT | CC_FULLOPEN, custom);
    UINT shownRed = 0, shownBlue = 0;
    bool defineEnabled = true;
    script
        .Then([&](HWND dlg) {
            shownRed = GetDlgItemInt(dlg, kRed, nullptr, FALSE);
            shownBlue = GetDlgItemInt(dlg, kBlue, nullptr, FALSE);
            defineEnabled = IsWindowEnabled(GetDlgItem(dlg, kDefineCustom)) != FALSE;
            SetDlgItemInt(dlg, kRed, 200, FALSE);
            SetDlgItemInt(dlg, kGreen, 100, FALSE);
            SetDlgItemInt(dlg, kBlue, 50, FALSE);
        })
        .Then([](HWND dlg) { Press(dlg, IDOK); });
    ASSERT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(10u, shownRed);
    EXPECT_EQ(30u, shownBlue);
    EXPECT_FALSE(defineEnabled);  // already open in full
    EXPECT_EQ(RGB(200, 100, 50), cc.rgbResult);
}

TEST(ColorDialog, HueSaturationAndLuminanceGiveTheColour)
{
    ModalScript script;
    COLORREF custom[16] = {};
    CHOOSECOLOR cc = Request(script.Owner(), 0, CC_FULLOPEN, custom);
    script
        .Then([](HWND dlg) {
            SetDlgItemInt(dlg, kHue, 80, FALSE);  // a third of the way round: green
            SetDlgItemInt(dlg, kSat, 240, FALSE);
            SetDlgItemInt(dlg, kLum, 120, FALSE);
        })
        .Then([](HWND dlg) { Press(dlg, IDOK); });
    ASSERT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(RGB(0, 255, 0), cc.rgbResult);
}

TEST(ColorDialog, CancelKeepsTheColourAndReportsNoError)
{
    ModalScript script;
    COLORREF custom[16] = {};
    CHOOSECOLOR cc = Request(script.Owner(), RGB(1, 2, 3), CC_RGBINIT, custom);
    script.Then([](HWND dlg) {
        SetDlgItemInt(dlg, kRed, 99, FALSE);
        Press(dlg, IDCANCEL);
    });
    EXPECT_FALSE(ChooseColor(&cc));
    EXPECT_EQ(RGB(1, 2, 3), cc.rgbResult);
    EXPECT_EQ(0u, CommDlgExtendedError());
}

TEST(ColorDialog, AddedCustomColoursStayWithTheCaller)
{
    ModalScript script;
    COLORREF custom[16];
    for (COLORREF& c : custom)
        c = RGB(255, 255, 255);
    CHOOSECOLOR cc = Request(script.Owner(), RGB(12, 34, 56), CC_RGBINIT | CC_FULLOPEN, custom);
    script.Then([](HWND dlg) { Press(dlg, kAddCustom); }).Then([](HWND dlg) { Press(dlg, IDOK); });
    ASSERT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(RGB(12, 34, 56), custom[0]);
    EXPECT_EQ(RGB(255, 255, 255), custom[1]);
}

TEST(ColorDialog, RefusesAStructureOfTheWrongSize)
{
    CHOOSECOLOR cc = {};
    cc.lStructSize = 8;
    EXPECT_FALSE(ChooseColor(&cc));
    EXPECT_EQ((DWORD)CDERR_STRUCTSIZE, CommDlgExtendedError());
}

}  // namespace
