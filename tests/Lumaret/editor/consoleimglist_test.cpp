// The open-editor list in the edit-tools pane: columns by width, the empty
// list's placeholders, the selection when entries go, keys, clicks and the
// popup that closes an editor through its frame.
#include "PaneFixture.h"

#include "resource.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/WindowCapture.h"

using namespace editortest;

namespace {

// Resizes the list's window to a client width of `width` (and the given height).
void SizeClient(CWnd* wnd, int width, int height)
{
    CRect window, client;
    wnd->GetWindowRect(&window);
    wnd->GetClientRect(&client);
    wnd->SetWindowPos(nullptr, 0, 0, width + window.Width() - client.Width(), height + window.Height() - client.Height(),
                      SWP_NOMOVE | SWP_NOZORDER);
    mivo::test::PumpUntilIdle();
}

CFrameWnd* ActiveChild(CMDIFrameWnd* main)
{
    HWND child = (HWND)::SendMessage(main->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0);
    return dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(child));
}

}  // namespace

class ListTest : public PaneTest {
protected:
    // `count` editors, each with a picture of its own size.
    std::vector<CImgEditView*> OpenEditors(int count)
    {
        std::vector<CImgEditView*> views;
        for (int i = 0; i < count; ++i)
            views.push_back(OpenInPane(MakePattern(100 + 10 * i, 80)));
        return views;
    }
    // The popups' first items opened for the list while right-clicking at a client point.
    std::vector<UINT> RightClick(CPoint point)
    {
        std::vector<UINT> opened;
        mivo::test::MessageRecorder recorder;
        recorder.Attach(List()->m_hWnd);
        recorder.OnMessage(WM_INITMENUPOPUP, [&](HWND, UINT, WPARAM menu, LPARAM, LRESULT*) {
            opened.push_back(::GetMenuItemID((HMENU)menu, 0));
            return false;
        });
        recorder.OnMessage(WM_ENTERIDLE, [](HWND, UINT, WPARAM, LPARAM, LRESULT* result) {
            ::EndMenu();
            *result = 0;
            return true;
        });
        mivo::test::Click(List()->m_hWnd, point.x, point.y, mivo::MouseButton::Right);
        mivo::test::PumpUntilIdle();
        return opened;
    }
};

TEST_F(ListTest, CellsAreAHundredPixelsAsManyAsFitOrAFixedNumberSharingTheWidth)
{
    CConsoleImgListView* list = List();
    struct Case {
        int fixed;
        int width;
        int columns;
        int cell;
    } cases[] = {{0, 60, 1, 100}, {0, 100, 1, 100}, {0, 199, 1, 100}, {0, 200, 2, 100},
                 {0, 250, 2, 100}, {0, 320, 3, 100}, {3, 240, 3, 80}};
    for (const Case& c : cases) {
        list->m_nFixedColumns = c.fixed;
        SizeClient(list, c.width, 300);
        EXPECT_EQ(c.columns, list->m_nColumns) << c.width;
        EXPECT_EQ(c.cell, list->m_nCellSize) << c.width;
    }
}

TEST_F(ListTest, AnEmptyListDrawsThirtyTwoPlaceholdersAndScrollsOverThemAll)
{
    CConsoleImgListView* list = List();
    for (int width : {150, 250}) {
        SizeClient(list, width, 250);
        list->RedrawWindow();
        int columns = list->m_nColumns;
        EXPECT_EQ(CSize(columns * 100, (31 / columns + 1) * 100), list->GetTotalSize()) << width;
        mivo::test::WindowImage shot = mivo::test::CaptureWindow(list->m_hWnd, true);
        // The first placeholder's top edge, in the cell border colour on the grey ground.
        EXPECT_EQ(0xDCDCDCu, shot.At(50, 4)) << width;
        EXPECT_EQ(0x808080u, shot.At(50, 2)) << width;
        if (columns == 2) {
            EXPECT_EQ(0xDCDCDCu, shot.At(150, 104)) << "the fourth placeholder";
        }
    }
}

TEST_F(ListTest, EditorsAppearAsThumbnailsWithTheActiveOneMarked)
{
    std::vector<CImgEditView*> views = OpenEditors(3);
    CConsoleImgListView* list = List();
    SizeClient(list, 200, 250);
    ASSERT_EQ(3, list->GetCount());
    EXPECT_EQ(2, list->m_nSel) << "the last opened is active";
    CImageObject* thumb = list->GetThumb(0);
    ASSERT_NE(nullptr, thumb);
    EXPECT_EQ(CSize(90, 72), CSize(thumb->GetWidth(), thumb->GetHeight())) << "100 x 80 fitted into 90 x 90";

    list->RedrawWindow();
    mivo::test::WindowImage shot = mivo::test::CaptureWindow(list->m_hWnd, true);
    CRect selected = list->GetCellRect(2), plain = list->GetCellRect(1);
    EXPECT_EQ(0xDD9E75u, shot.At(selected.left + 4, selected.top + 4)) << "the selected cell's fill";
    EXPECT_EQ(0x808080u, shot.At(plain.left + 4, plain.top + 4));
    CRect picture = list->GetThumbRect(0);
    EXPECT_EQ(thumb->GetPixelColor(0, 0), shot.At(picture.left, picture.top));
    EXPECT_EQ(thumb->GetPixelColor(89, 71), shot.At(picture.right - 1, picture.bottom - 1));

    // A click on a cell activates its editor.
    CPoint inCell = list->GetCellRect(0).CenterPoint();
    mivo::test::Click(list->m_hWnd, inCell.x, inCell.y);
    EXPECT_EQ(0, list->m_nSel);
    EXPECT_EQ(views[0]->GetParentFrame(), ActiveChild(m_main));
    EXPECT_EQ(views[0], ActiveView());
    EXPECT_EQ(list->m_hWnd, ::GetFocus());
}

TEST_F(ListTest, RemovingAnEntryKeepsTheSameEditorSelected)
{
    struct Case {
        int selected;
        int removed;
        int expected;
    } cases[] = {{2, 0, 1}, {2, 2, -1}, {0, 1, 0}};
    for (const Case& c : cases) {
        std::vector<CImgEditView*> views = OpenEditors(3);
        CConsoleImgListView* list = List();
        list->SelectView(views[size_t(c.selected)]);
        list->RemoveView(views[size_t(c.removed)]);
        EXPECT_EQ(c.expected, list->m_nSel) << c.removed;
        EXPECT_EQ(2, list->GetCount());
        EXPECT_EQ(-1, list->FindView(views[size_t(c.removed)]));
        for (CImgEditView* view : views)
            view->GetParentFrame()->SendMessage(WM_CLOSE);
        mivo::test::PumpUntilIdle();
        ASSERT_EQ(0, list->GetCount());
    }
}

TEST_F(ListTest, KeysMoveTheSelectionClampedToTheListAndActivateItsEditor)
{
    CConsoleImgListView* list = List();
    list->SetFocus();
    mivo::test::PressKey(VK_DOWN);
    EXPECT_EQ(-1, list->m_nSel) << "an empty list ignores the keys";

    std::vector<CImgEditView*> views = OpenEditors(7);
    SizeClient(list, 200, 250);  // two columns, a page of two rows
    struct Case {
        int from;
        UINT key;
        int to;
    } cases[] = {
        {0, VK_LEFT, 0},  {3, VK_LEFT, 2},  {6, VK_RIGHT, 6}, {2, VK_RIGHT, 3}, {1, VK_UP, 0},  {4, VK_UP, 2},
        {5, VK_DOWN, 6},  {2, VK_DOWN, 4},  {5, VK_HOME, 0},  {1, VK_END, 6},   {5, VK_PRIOR, 1}, {2, VK_PRIOR, 0},
        {1, VK_NEXT, 5},  {5, VK_NEXT, 6},
    };
    for (const Case& c : cases) {
        list->ChangeSelection(list->m_nSel, c.from);
        list->SetFocus();
        mivo::test::PressKey(c.key);
        EXPECT_EQ(c.to, list->m_nSel) << "from " << c.from << " key " << c.key;
        EXPECT_EQ(views[size_t(c.to)]->GetParentFrame(), ActiveChild(m_main)) << c.key;
        EXPECT_EQ(list->m_hWnd, ::GetFocus());
    }
    // The last row is scrolled into view.
    CRect last = list->GetCellRect(6), client;
    list->GetClientRect(&client);
    EXPECT_LE(last.bottom - 2, client.bottom);
    EXPECT_GE(last.top, 0);
}

TEST_F(ListTest, OnlyAClickOnAThumbnailOpensTheMenu)
{
    std::vector<CImgEditView*> views = OpenEditors(2);
    CConsoleImgListView* list = List();
    SizeClient(list, 200, 250);
    CRect thumb = list->GetThumbRect(0);
    ASSERT_GT(thumb.top, list->GetCellRect(0).top + 2);
    EXPECT_TRUE(RightClick(CPoint(thumb.left + 5, thumb.top - 2)).empty()) << "beside the picture";
    EXPECT_EQ(1, list->m_nSel);
    EXPECT_EQ(std::vector<UINT>{ID_FILE_CLOSE}, RightClick(thumb.CenterPoint()));
    EXPECT_EQ(0, list->m_nSel);
    EXPECT_EQ(0, list->m_nMenuItem);

    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_EDITOR_WINDOW_MENU));
    CString text;
    menu.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ("창 관리(&P)", std::string(text));
    menu.GetSubMenu(0)->GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ("닫기(&C)", std::string(text));
}

// Closing from the list goes through the editor frame's own close: a changed
// picture is asked about, a working editor refuses, an unchanged one closes.
TEST_F(ListTest, CloseAsksAboutAChangedPictureRefusesABusyEditorAndClosesAnUnchangedOne)
{
    std::string path = WritePicture("느린 그림.JPG", 1600, 1200);
    std::vector<CImgEditView*> views = OpenEditors(2);
    CConsoleImgListView* list = List();
    auto closeFromMenu = [&](CImgEditView* view) {
        list->m_nMenuItem = list->FindView(view);
        list->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
        mivo::test::PumpUntilIdle();
    };

    views[0]->m_bModified = TRUE;
    m_boxes.setAnswer(IDCANCEL);
    closeFromMenu(views[0]);
    ASSERT_EQ(1u, m_boxes.shown().size());
    EXPECT_NE(std::string::npos, m_boxes.shown()[0].text.find("저장하시겠습니까?"));
    EXPECT_EQ(2, list->GetCount());

    views[1]->LoadImage(path.c_str(), "");
    ASSERT_TRUE(views[1]->IsBusy());
    closeFromMenu(views[1]);
    ASSERT_EQ(2u, m_boxes.shown().size());
    EXPECT_EQ("이미지 작업이 진행중입니다. 작업이 종료된 후 다시 시도하십시요.", m_boxes.shown()[1].text);
    EXPECT_EQ(2, list->GetCount());
    WaitIdle(views[1]);

    views[0]->m_bModified = FALSE;
    closeFromMenu(views[0]);
    EXPECT_EQ(2u, m_boxes.shown().size());
    EXPECT_EQ(1, list->GetCount());
    EXPECT_EQ(0, list->FindView(views[1]));
}
