// The resize, canvas and rotation dialogs: every size box recomputes the
// others in 64-bit truncating arithmetic until the texts settle.
#include "DialogFixture.h"

#include "editor/DlgImgCanvasSize.h"
#include "editor/DlgImgResize.h"
#include "editor/DlgImgRotate.h"
#include "resource.h"

#include <climits>

using editortest::DialogTest;

namespace {

struct ResizeCase {
    const char* what;
    int orgWidth, orgHeight;
    BOOL keepRatio;
    int box;  // the box typed into, 0 for none
    const char* typed;
    int spin;  // SB_LINEUP / SB_LINEDOWN on the width spin, -1 for none
    int newWidth, newHeight, widthPercent, heightPercent;
};

const ResizeCase kResizeCases[] = {
    {"half with the ratio kept", 201, 101, TRUE, IDC_RS_WIDTH_PERCENT, "50", -1, 100, 50, 50, 50},
    {"ratio off leaves the height", 200, 100, FALSE, IDC_RS_NEW_WIDTH, "50", -1, 50, 100, 25, 100},
    {"unchanged stays at 100 per cent", 200, 100, TRUE, 0, "", -1, 200, 100, 100, 100},
    {"999 per cent has no upper limit", 100, 80, TRUE, IDC_RS_WIDTH_PERCENT, "999", -1, 999, 799, 999, 999},
    {"a typed height keeps the ratio", 200, 100, TRUE, IDC_RS_NEW_HEIGHT, "30", -1, 60, 30, 30, 30},
    {"spin up adds one per cent", 200, 100, TRUE, 0, "", SB_LINEUP, 202, 101, 101, 101},
    {"spin down takes one off", 200, 100, FALSE, 0, "", SB_LINEDOWN, 198, 100, 99, 100},
    {"a huge per cent holds within int", 200, 100, FALSE, IDC_RS_WIDTH_PERCENT, "2000000000", -1, INT_MAX, 100,
     2000000000, 100},
    {"a huge width divides without overflow", 200, 100, TRUE, IDC_RS_NEW_WIDTH, "2000000000", -1, 2000000000,
     1000000000, 1000000000, 1000000000},
};

class ResizeDialog : public DialogTest {};

}  // namespace

TEST_F(ResizeDialog, EachBoxRecomputesTheOthersUntilTheyAgree)
{
    for (const ResizeCase& c : kResizeCases) {
        CDlgImgResize dlg;
        dlg.m_nOrgWidth = dlg.m_nNewWidth = c.orgWidth;
        dlg.m_nOrgHeight = dlg.m_nNewHeight = c.orgHeight;
        dlg.m_nWidthPercent = dlg.m_nHeightPercent = 100;
        dlg.m_bKeepRatio = c.keepRatio;
        INT_PTR result = Run(dlg, {[&](HWND box) {
                                 if (c.box)
                                     ::SetDlgItemText(box, c.box, c.typed);
                                 if (c.spin >= 0)
                                     ::SendMessage(box, WM_VSCROLL, (WPARAM)c.spin,
                                                   (LPARAM)::GetDlgItem(box, IDC_RS_WIDTH_SPIN));
                                 Press(box, IDOK);
                             }});
        EXPECT_EQ(IDOK, result) << c.what;
        EXPECT_EQ(c.newWidth, dlg.m_nNewWidth) << c.what;
        EXPECT_EQ(c.newHeight, dlg.m_nNewHeight) << c.what;
        EXPECT_EQ(c.widthPercent, dlg.m_nWidthPercent) << c.what;
        EXPECT_EQ(c.heightPercent, dlg.m_nHeightPercent) << c.what;
    }
}

TEST_F(ResizeDialog, TheTwoMethodsExcludeEachOther)
{
    CDlgImgResize dlg;
    dlg.m_nOrgWidth = dlg.m_nNewWidth = 10;
    dlg.m_nOrgHeight = dlg.m_nNewHeight = 10;
    dlg.m_nWidthPercent = dlg.m_nHeightPercent = 100;
    std::string shown;
    Run(dlg, {[&](HWND box) {
        shown = Text(box, IDC_RS_ORG_WIDTH) + "x" + Text(box, IDC_RS_ORG_HEIGHT);
        ::SendMessage(::GetDlgItem(box, IDC_RS_BICUBIC), BM_CLICK, 0, 0);
        Press(box, IDOK);
    }});
    EXPECT_EQ("10x10", shown);
    EXPECT_EQ(1, dlg.m_bBicubic);
    EXPECT_EQ(0, dlg.m_bBilinear);
}

TEST_F(ResizeDialog, CanvasAndRotationReturnWhatWasTyped)
{
    CDlgImgCanvasSize canvas;
    canvas.m_nOrgWidth = canvas.m_nNewWidth = 40;
    canvas.m_nOrgHeight = canvas.m_nNewHeight = 30;
    EXPECT_EQ(IDOK, Run(canvas, {[&](HWND box) {
                  ::SetDlgItemText(box, IDC_CV_NEW_WIDTH, "64");
                  Press(box, IDOK);
              }}));
    EXPECT_EQ(64, canvas.m_nNewWidth);
    EXPECT_EQ(30, canvas.m_nNewHeight);

    CDlgImgRotate rotate;
    int checkedAtStart = -1;
    EXPECT_EQ(IDOK, Run(rotate, {[&](HWND box) {
                  checkedAtStart = (int)::IsDlgButtonChecked(box, IDC_RT_CLOCKWISE);
                  ::SetDlgItemText(box, IDC_RT_ANGLE, "12.5");
                  ::SendMessage(::GetDlgItem(box, IDC_RT_COUNTER), BM_CLICK, 0, 0);
                  Press(box, IDOK);
              }}));
    EXPECT_EQ(1, checkedAtStart);
    EXPECT_FLOAT_EQ(12.5f, rotate.m_fAngle);
    EXPECT_EQ(0, rotate.m_bClockwise);
}
