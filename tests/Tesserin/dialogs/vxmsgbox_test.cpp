// The seven-button message box: which buttons show and where, the number each button answers,
// how closing without a button answers, the shared button look, and the kept window position.
#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "dialogs/DlgVXMsgBox.h"
#include "res/resource.h"
#include "support/DialogDriver.h"
#include "support/GeometryPrinters.h"
#include "support/MessageLoop.h"

#include <functional>
#include <string>

using namespace mivo::test;

namespace {

// Template places of buttons 1 to 7 in dialog units: x, y, width, height.
const RECT kPlaces[CDlgVXMsgBox::kButtons] = {
    {6, 65, 55, 14}, {62, 65, 55, 14}, {118, 65, 54, 14}, {174, 65, 55, 14},
    {33, 81, 55, 14}, {89, 81, 55, 14}, {145, 81, 54, 14},
};

// The box runs without a parent: the application's main window is the owner the script drives.
class VXMsgBoxTest : public ::testing::Test {
protected:
    VXMsgBoxTest()
    {
        owner.Attach(script.Owner());
        profile.app().m_pMainWnd = &owner;
    }
    ~VXMsgBoxTest() override
    {
        profile.app().m_pMainWnd = nullptr;
        owner.Detach();
        PumpUntilIdle();
        DiscardQuitRequest();
    }
    // All seven labels, or only the first `count`; icon ids as given.
    int Run(int count, const std::function<void(HWND)>& step, const int* icons = nullptr)
    {
        script.Then(step);
        CString l[7];
        for (int i = 0; i < count; ++i)
            l[i].Format("선택 %d", i + 1);
        int ic[7] = {-1, -1, -1, -1, -1, -1, -1};
        if (icons)
            std::copy(icons, icons + 7, ic);
        return VxMsgBox("파일 있음", "같은 이름의 파일이 있습니다.", l[0], ic[0], l[1], ic[1], l[2], ic[2], l[3], ic[3],
                        l[4], ic[4], l[5], ic[5], l[6], ic[6]);
    }
    static CRect ButtonPlace(HWND dialog, int number)
    {
        CRect r;
        ::GetWindowRect(::GetDlgItem(dialog, CDlgVXMsgBox::ButtonControlId(number)), &r);
        ::MapWindowPoints(nullptr, dialog, (POINT*)&r, 2);
        return r;
    }
    static CRect TemplatePlace(HWND dialog, int number)
    {
        RECT r = kPlaces[number - 1];
        ::MapDialogRect(dialog, &r);  // position and size are converted apart, as on creation
        return CRect(r.left, r.top, r.left + r.right, r.top + r.bottom);
    }
    static std::string Text(HWND wnd)
    {
        char text[256] = {};
        ::GetWindowText(wnd, text, sizeof(text));
        return text;
    }

    dialogtest::ProfileApp profile;
    ModalScript script;
    CWnd owner;
};

}  // namespace

TEST_F(VXMsgBoxTest, TwoLabelsHideTheOtherFiveWithoutMovingAnyButton)
{
    bool checked = false;
    const int result = Run(2, [&](HWND h) {
        checked = true;
        EXPECT_EQ("파일 있음", Text(h));
        EXPECT_EQ("같은 이름의 파일이 있습니다.", Text(::GetDlgItem(h, IDC_VXMSGBOX_TEXT)));
        for (int n = 1; n <= 7; ++n) {
            HWND button = ::GetDlgItem(h, CDlgVXMsgBox::ButtonControlId(n));
            ASSERT_NE(nullptr, button) << n;
            EXPECT_EQ(n <= 2, ::IsWindowVisible(button) != 0) << "button " << n;
            EXPECT_EQ(TemplatePlace(h, n), ButtonPlace(h, n)) << "button " << n;
        }
        EXPECT_EQ("선택 1", Text(::GetDlgItem(h, IDC_VXMSGBOX_BUTTON1)));
        EXPECT_EQ("선택 2", Text(::GetDlgItem(h, IDC_VXMSGBOX_BUTTON2)));
        EXPECT_EQ(nullptr, ::GetDlgItem(h, 11008)) << "the gap between the rows' ids";
        QueueKey(VK_ESCAPE);
    });
    EXPECT_TRUE(checked);
    EXPECT_EQ(0, result);
}

TEST_F(VXMsgBoxTest, EachButtonAnswersItsNumber)
{
    for (int n = 1; n <= 7; ++n) {
        const UINT id = CDlgVXMsgBox::ButtonControlId(n);
        EXPECT_EQ(n, Run(7, [id](HWND h) { ::SendMessage(::GetDlgItem(h, id), BM_CLICK, 0, 0); }))
            << "control " << id;
    }
    EXPECT_EQ(11009u, CDlgVXMsgBox::ButtonControlId(5));
}

TEST_F(VXMsgBoxTest, ClosingWithoutAButtonAnswersZero)
{
    struct Case {
        const char* name;
        std::function<void(HWND)> close;
    } cases[] = {
        {"Escape", [](HWND) { QueueKey(VK_ESCAPE); }},
        {"close box", [](HWND h) { ::PostMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Case& c : cases)
        EXPECT_EQ(0, Run(3, c.close)) << c.name;
}

TEST_F(VXMsgBoxTest, ButtonsShareTheLibraryLookAndThePositionIsKept)
{
    CImageButton reference;
    reference.OffsetColor(CImageButton::COLOR_BK_IN, 50, FALSE);
    COLORREF expected = 0;
    reference.GetColor(CImageButton::COLOR_BK_IN, &expected);
    const int icons[7] = {IDI_VX_OK, IDI_VX_CANCEL, -1, -1, -1, -1, -1};
    CRect shown;
    Run(
        4,
        [&](HWND h) {
            for (int n = 1; n <= 7; ++n) {
                auto* button = dynamic_cast<CImageButton*>(
                    CWnd::FromHandlePermanent(::GetDlgItem(h, CDlgVXMsgBox::ButtonControlId(n))));
                ASSERT_NE(nullptr, button) << n;
                COLORREF colour = 0;
                button->GetColor(CImageButton::COLOR_BK_IN, &colour);
                EXPECT_EQ(expected, colour) << "button " << n;
            }
            ::MoveWindow(h, 30, 40, 400, 220, TRUE);
            ::GetWindowRect(h, &shown);
            QueueKey(VK_ESCAPE);
        },
        icons);
    CRect saved;
    profile.app().RtrvWindowPos("VXMsgBox", &saved);
    EXPECT_EQ(shown, saved);
}
