// The editor view's dialog commands: each opens its own dialog, Cancel
// leaves the picture as it was, and OK runs the command's operation.
#include "DialogFixture.h"
#include "EditorFixture.h"

#include "editor/EditorMessages.h"
#include "grid/GridTypes.h"
#include "resource.h"
#include "support/MessageLoop.h"

#include <sys/stat.h>

using editortest::BlobLiteral;
using editortest::EditorTest;
using editortest::MakePattern;
using editortest::MakeSolid;
using editortest::PictureBytes;
using editortest::SamePixels;

namespace {

typedef std::function<void(HWND dialog)> Fill;
typedef std::function<bool(CImgEditView* view, CImageObject* before)> Check;

void Press(HWND dialog, int id)
{
    ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, id));
}

void ChooseFirstRow(HWND dialog, int listId)
{
    _NMREPORTVIEW click;
    click.hdr.hwndFrom = ::GetDlgItem(dialog, listId);
    click.hdr.idFrom = (UINT_PTR)listId;
    click.hdr.code = (UINT)RVN_ITEMCLICK;
    click.iItem = 0;
    click.iSubItem = 0;
    ::SendMessage(dialog, WM_NOTIFY, (WPARAM)listId, (LPARAM)&click);
}

void Slide(HWND dialog, int slider, int position)
{
    HWND bar = ::GetDlgItem(dialog, slider);
    ::SendMessage(bar, TBM_SETPOS, TRUE, position);
    ::SendMessage(dialog, WM_HSCROLL, SB_THUMBPOSITION, (LPARAM)bar);
}

bool SizeIs(CImageObject* picture, int width, int height)
{
    return picture && picture->GetWidth() == width && picture->GetHeight() == height;
}

bool OnlyBlackAndWhite(CImageObject* picture)
{
    for (int y = 0; y < picture->GetHeight(); ++y)
        for (int x = 0; x < picture->GetWidth(); ++x) {
            COLORREF c = picture->GetPixelColor(x, y);
            if (c != RGB(0, 0, 0) && c != RGB(255, 255, 255))
                return false;
        }
    return true;
}

struct CommandCase {
    UINT id;
    const char* caption;
    Fill fill;    // what the user sets before OK
    Check check;  // the picture after OK
};

class EditorDialogs : public EditorTest {
protected:
    CVXApp* m_app = nullptr;
    CString m_savedDataDir, m_savedDSN;
    std::unique_ptr<mivotest::TempDatabase> m_db;
    mivotest::TempFolder m_data{"mivo-editor-data"};

    void SetUp() override
    {
        // The program's application points the pickers at their database and "Temp".
        m_app = dynamic_cast<CVXApp*>(AfxGetApp());
        ASSERT_NE(nullptr, m_app);
        m_savedDataDir = m_app->m_strDataDir;
        m_savedDSN = m_app->m_strTmplDSN;
        m_db.reset(new mivotest::TempDatabase("MivoWiringTest", {"Mivo.sql"}));
        m_app->m_strTmplDSN = m_db->dsn().c_str();
        m_app->m_strDataDir = m_data.windowsPath().c_str();
        ::mkdir(m_data.file("Temp").c_str(), 0700);
        const std::string tile = BlobLiteral(PictureBytes(m_data, "tile.bmp", MakeSolid(8, 8, RGB(120, 60, 20))));
        const std::string mask = BlobLiteral(PictureBytes(m_data, "mask.bmp", MakeSolid(16, 16, RGB(0, 0, 0))));
        ASSERT_TRUE(m_db->exec("insert into FrameImgs (FrameNo, FrameName, FileType1, FileType2, FrameImage1, "
                               "FrameImage2) values (1, 'wood', 'bmp', 'bmp', " + tile + ", " + tile + ")"));
        ASSERT_TRUE(m_db->exec("insert into MaskImgs (MaskNo, MaskName, FileType, MaskImage) values (1, 'dark', "
                               "'bmp', " + mask + ")"));
        EditorTest::SetUp();
    }
    void TearDown() override
    {
        EditorTest::TearDown();
        if (m_app) {
            m_app->m_strDataDir = m_savedDataDir;
            m_app->m_strTmplDSN = m_savedDSN;
        }
    }

    // Runs the command; the dialog it opens is filled and ended with `button`.
    std::string RunCommand(CImgEditView* view, UINT id, const Fill& fill, int button)
    {
        std::string caption;
        mivo::test::ModalScript script;
        script.Then([&](HWND dialog) {
            char text[128] = "";
            ::GetWindowText(dialog, text, sizeof text);
            caption = text;
            if (button == IDOK && fill)
                fill(dialog);
            Press(dialog, button);
        });
        m_main->m_pScript = &script;
        view->SendMessage(WM_COMMAND, id);
        m_main->m_pScript = nullptr;
        WaitIdle(view);
        return caption;
    }
};

}  // namespace

TEST_F(EditorDialogs, EachCommandOpensItsDialogCancelKeepsThePictureAndOKRunsIt)
{
    const CommandCase cases[] = {
        {IDM_ED_RESIZE, "이미지 크기 변경",
         [](HWND d) { ::SetDlgItemText(d, IDC_RS_WIDTH_PERCENT, "50"); },
         [](CImgEditView* v, CImageObject*) { return SizeIs(v->m_pImage, 20, 15); }},
        {IDM_ED_CANVAS, "캔바스 크기 변경",
         [](HWND d) { ::SetDlgItemText(d, IDC_CV_NEW_WIDTH, "50"); },
         [](CImgEditView* v, CImageObject* b) {
             return SizeIs(v->m_pImage, 50, 30) && v->m_pImage->GetPixelColor(49, 0) == RGB(255, 255, 255) &&
                    v->m_pImage->GetPixelColor(3, 4) == b->GetPixelColor(3, 4);
         }},
        {IDM_ED_ROTATE_ANGLE, "임의 각도 회전",
         [](HWND d) { ::SetDlgItemText(d, IDC_RT_ANGLE, "180"); },
         [](CImgEditView* v, CImageObject* b) {
             return SizeIs(v->m_pImage, 40, 30) && v->m_pImage->GetPixelColor(0, 0) == b->GetPixelColor(39, 29);
         }},
        {IDM_ED_COLOR_BALANCE, "밝기/대비/색조 조정(Brightness/Contrast/Tone)",
         [](HWND d) { Slide(d, IDC_CB_BRIGHT_SLIDER, 60); },
         [](CImgEditView* v, CImageObject* b) { return !SamePixels(b, v->m_pImage); }},
        {IDM_ED_THRESHOLD, "단색이미지로 변환", nullptr,
         [](CImgEditView* v, CImageObject*) { return OnlyBlackAndWhite(v->m_pImage); }},
        {IDM_ED_MASK, "마스크(Mask)", [](HWND d) { ChooseFirstRow(d, IDC_MK_LIST); },
         [](CImgEditView* v, CImageObject* b) { return !SamePixels(b, v->m_pImage); }},
        {IDM_ED_MARGIN_SHADOW, "여백 및 그림자 넣기", nullptr,
         [](CImgEditView* v, CImageObject*) { return SizeIs(v->m_pImage, 40 + 2 * (40 / 15), 30 + 2 * (40 / 15)); }},
        {IDM_ED_FRAME, "액자(Frame)에 넣기", [](HWND d) { ChooseFirstRow(d, IDC_FR_LIST); },
         [](CImgEditView* v, CImageObject*) { return SizeIs(v->m_pImage, 40 + 2 * (40 / 15), 30 + 2 * (40 / 15)); }},
        {IDM_ED_TEXT, "글꼴선택 및 텍스트입력", [](HWND d) { ::SetDlgItemText(d, IDC_TX_TEXT, "Mivo"); },
         [](CImgEditView* v, CImageObject* b) {
             return v->m_nFloatMode == 2 && v->m_strImprintText == "Mivo" && SamePixels(b, v->m_pImage);
         }},
        {IDM_ED_HISTOGRAM, "이미지 히스토그램", nullptr,
         [](CImgEditView* v, CImageObject* b) { return SamePixels(b, v->m_pImage); }},
    };
    for (const CommandCase& c : cases) {
        CImgEditView* view = OpenWith(MakePattern(40, 30));
        ASSERT_NE(nullptr, view);
        std::unique_ptr<CImageObject> before(view->m_pImage->DuplicateImgObj());
        EXPECT_EQ(c.caption, RunCommand(view, c.id, c.fill, IDCANCEL)) << c.id;
        EXPECT_TRUE(SamePixels(before.get(), view->m_pImage)) << c.id;
        EXPECT_EQ(0, view->m_nFloatMode) << c.id;
        EXPECT_EQ(c.caption, RunCommand(view, c.id, c.fill, IDOK)) << c.id;
        EXPECT_TRUE(c.check(view, before.get())) << c.id;
        view->m_bModified = FALSE;
        view->GetParentFrame()->SendMessage(WM_CLOSE);
        mivo::test::PumpUntilIdle();
    }
}

TEST_F(EditorDialogs, AFloatingPictureTakesTheMaskDialogsMask)
{
    CImgEditView* view = OpenWith(MakePattern(40, 30));
    ASSERT_NE(nullptr, view);
    view->m_pFloatImage = MakeSolid(10, 10, RGB(0, 0, 255));
    view->m_pFloatShown = view->m_pFloatImage->DuplicateImgObj();
    view->m_nFloatMode = 1;
    view->m_pTracker = new CRectTracker(CRect(0, 0, 10, 10), CRectTracker::dottedLine);
    view->SelectionFromTracker();
    EXPECT_EQ("마스크(Mask)", RunCommand(view, IDM_ED_MASK_FLOAT, [](HWND d) { ChooseFirstRow(d, IDC_MK_LIST); }, IDOK));
    ASSERT_NE(nullptr, view->m_pFloatMask);
    EXPECT_EQ(view, view->m_pFloatMask->GetParent());
    RunCommand(view, IDM_ED_MASK_FLOAT, nullptr, IDCANCEL);
    EXPECT_EQ(nullptr, view->m_pFloatMask);
}

TEST_F(EditorDialogs, SelectionColourBalanceChangesOnlyTheSelection)
{
    CImgEditView* view = OpenWith(MakePattern(40, 30));
    ASSERT_NE(nullptr, view);
    view->m_pTracker = new CRectTracker(view->ImageToClient(CRect(5, 5, 14, 14)), CRectTracker::dottedLine);
    view->SelectionFromTracker();
    const CRect selection = view->m_rcSelection;
    std::unique_ptr<CImageObject> before(view->m_pImage->DuplicateImgObj());
    EXPECT_EQ("밝기/대비/색조 조정(Brightness/Contrast/Tone)",
              RunCommand(view, IDM_ED_SEL_COLOR_BALANCE, [](HWND d) { Slide(d, IDC_CB_BRIGHT_SLIDER, 60); }, IDOK));
    int changedInside = 0, changedOutside = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= selection.left && x <= selection.right && y >= selection.top && y <= selection.bottom;
            const bool changed = before->GetPixelColor(x, y) != view->m_pImage->GetPixelColor(x, y);
            (inside ? changedInside : changedOutside) += changed ? 1 : 0;
        }
    EXPECT_GT(changedInside, 0);
    EXPECT_EQ(0, changedOutside);
    // Undo brings back only that piece.
    view->Undo();
    EXPECT_TRUE(SamePixels(before.get(), view->m_pImage));
}
