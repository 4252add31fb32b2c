// The column chooser beside a grid: its entries, drags onto the header, the
// drag picture's title and the drawing of its entries; and the grid view.
#include <gtest/gtest.h>

#include "grid/VXGridSubItemListCtrl.h"
#include "grid/VXGridView.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"
#include "support/WindowCapture.h"

#include <string>
#include <vector>

using namespace mivo::test;

namespace {

class ChooserHost : public CWnd {
public:
    explicit ChooserHost(DWORD chooserStyle = 0)
    {
        CreateEx(0, AfxRegisterWndClass(0), "chooser host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 560, 300,
                 nullptr, nullptr);
        grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), this, 1001);
        chooser.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                           chooserStyle,
                       CRect(420, 0, 560, 200), this, 1002);
        grid.SetVXGridSubItemListCtrl(&chooser);
        PumpUntilIdle();
    }
    ~ChooserHost() override
    {
        chooser.DestroyWindow();
        grid.DestroyWindow();
        DestroyWindow();
        PumpUntilIdle();
    }
    void Define(const std::vector<std::string>& titles)
    {
        for (size_t i = 0; i < titles.size(); i++) {
            _RVSUBITEM sub;
            sub.nMask = HDF_STRING;
            sub.iWidth = 80;
            sub.lpszText = titles[i].c_str();
            grid.DefineSubItem((int)i, &sub);
        }
    }
    std::vector<int> Entries()
    {
        std::vector<int> subItems;
        for (int i = 0; i < chooser.GetCount(); i++)
            subItems.push_back((int)chooser.GetItemData(i));
        return subItems;
    }
    std::vector<int> Shown()
    {
        std::vector<int> subItems;
        for (int c = 0; c < grid.GetActiveSubItemCount(); c++)
            subItems.push_back(grid.GetSubItemFromColumn(c));
        return subItems;
    }
    CPoint EntryPoint(int index)
    {
        CRect rect;
        chooser.GetItemRect(index, &rect);
        CPoint pt = rect.CenterPoint();
        chooser.ClientToScreen(&pt);
        return pt;
    }
    // The screen point on the header at the left edge of a column (or after the last).
    CPoint HeaderPoint(int divider)
    {
        CFlatHeaderCtrl* header = grid.GetHeaderCtrl();
        CRect client;
        header->GetClientRect(&client);
        int x = 0;
        for (int c = 0; c < divider && c < grid.GetActiveSubItemCount(); c++)
            x += grid.GetSubItemWidth(grid.GetSubItemFromColumn(c));
        CPoint pt(x + 3, client.Height() / 2);
        header->ClientToScreen(&pt);
        return pt;
    }

    CVXGridCtrl grid;
    CVXGridSubItemListCtrl chooser;
};

TEST(GridChooser, ListsHiddenSubItemsInDefinitionOrder)
{
    ChooserHost h;
    h.Define({"c0", "c1", "c2", "c3", "c4"});
    h.grid.ActivateSubItem(3, 0);
    h.grid.ActivateSubItem(1, 1);
    EXPECT_EQ((std::vector<int>{0, 2, 4}), h.Entries());
    CString text;
    h.chooser.GetText(1, text);
    EXPECT_STREQ("c2", text);
}

TEST(GridChooser, EntriesAreTwoPixelsTallerThanTheListBoxLine)
{
    ChooserHost h;
    CListBox plain;
    plain.Create(WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, CRect(0, 0, 50, 50), &h, 1003);
    EXPECT_EQ(plain.GetItemHeight(0) + 2, h.chooser.GetItemHeight(0));
    HWND existing = ::CreateWindow("LISTBOX", "", WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 0, 0, 50, 50, h.m_hWnd,
                                   nullptr, nullptr, nullptr);
    CVXGridSubItemListCtrl subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(existing));
    EXPECT_EQ(plain.GetItemHeight(0) + 2, subclassed.GetItemHeight(0));
}

TEST(GridChooser, DropOnTheHeaderShowsTheColumnThere)
{
    ChooserHost h;
    h.Define({"c0", "c1", "c2", "c3", "c4"});
    h.grid.ActivateSubItem(0, 0);
    h.grid.ActivateSubItem(1, 1);
    ASSERT_TRUE(h.chooser.BeginDrag(h.EntryPoint(1)));
    EXPECT_EQ(3, h.chooser.GetDraggedSubItem());
    CPoint drop = h.HeaderPoint(1);
    EXPECT_EQ((UINT)DL_MOVECURSOR, h.chooser.Dragging(h.EntryPoint(0)));
    EXPECT_EQ((UINT)DL_MOVECURSOR, h.chooser.Dragging(drop));
    HWND arrows = ::FindWindow("VXFHDropWnd", nullptr);
    EXPECT_TRUE(arrows && ::IsWindowVisible(arrows)); // the header shows where the column goes
    h.chooser.Dropped(1, drop);
    EXPECT_EQ(nullptr, ::FindWindow("VXFHDropWnd", nullptr));
    EXPECT_EQ(nullptr, ::FindWindow("VXFHDragWnd", nullptr));
    EXPECT_EQ((std::vector<int>{0, 3, 1}), h.Shown());
    EXPECT_EQ((std::vector<int>{2, 4}), h.Entries());
    EXPECT_EQ(-1, h.chooser.GetDraggedSubItem());
}

TEST(GridChooser, AMouseDragFromTheListShowsTheColumn)
{
    ChooserHost h;
    h.Define({"c0", "c1", "c2"});
    h.grid.ActivateSubItem(0, 0);
    CPoint from = h.EntryPoint(1), to = h.HeaderPoint(1);
    h.chooser.ScreenToClient(&from);
    h.chooser.ScreenToClient(&to);
    MouseDown(h.chooser.m_hWnd, from.x, from.y);
    MouseMove(h.chooser.m_hWnd, from.x, from.y + 3);
    MouseMove(h.chooser.m_hWnd, to.x, to.y);
    MouseUp(h.chooser.m_hWnd, to.x, to.y);
    PumpUntilIdle();
    EXPECT_EQ((std::vector<int>{0, 2}), h.Shown());
    EXPECT_EQ((std::vector<int>{1}), h.Entries());
}

TEST(GridChooser, AGridWithoutColumnsTakesTheDropAsItsFirst)
{
    ChooserHost h;
    h.Define({"c0", "c1"});
    h.chooser.UpdateList();
    ASSERT_TRUE(h.chooser.BeginDrag(h.EntryPoint(1)));
    CPoint drop = h.HeaderPoint(0);
    h.chooser.Dragging(drop);
    h.chooser.Dropped(1, drop);
    EXPECT_EQ((std::vector<int>{1}), h.Shown());
    EXPECT_EQ((std::vector<int>{0}), h.Entries());
}

TEST(GridChooser, DropsOffTheHeaderAndPressesOnNoEntryDoNothing)
{
    ChooserHost h;
    h.Define({"c0", "c1", "c2"});
    h.grid.ActivateSubItem(0, 0);
    CPoint below = h.EntryPoint(1);
    below.y += 100;
    EXPECT_FALSE(h.chooser.BeginDrag(below));
    EXPECT_EQ(-1, h.chooser.GetDraggedSubItem());

    CPoint farAway = h.HeaderPoint(1);
    farAway.y += 250;
    const CPoint ends[] = {farAway, h.EntryPoint(0)};
    for (CPoint end : ends) {
        ASSERT_TRUE(h.chooser.BeginDrag(h.EntryPoint(0)));
        h.chooser.Dragging(h.HeaderPoint(1)); // a divider was found on the way
        UINT cursor = h.chooser.Dragging(end);
        EXPECT_EQ(end == farAway ? (UINT)DL_STOPCURSOR : (UINT)DL_MOVECURSOR, cursor);
        h.chooser.Dropped(0, end);
        EXPECT_EQ((std::vector<int>{0}), h.Shown());
        EXPECT_EQ((std::vector<int>{1, 2}), h.Entries());
    }
}

TEST(GridChooser, DragPictureTitleNeverSplitsACharacter)
{
    std::string korean;
    for (int i = 0; i < 50; i++)
        korean += "한";
    const struct {
        std::string title;
        size_t kept;
    } cases[] = {{korean, 78}, {"a" + korean, 79}, {std::string(100, 'x'), 79}, {"짧은", 4}};
    for (const auto& c : cases) {
        ChooserHost h;
        h.Define({"shown", c.title});
        h.grid.ActivateSubItem(0, 0);
        ASSERT_TRUE(h.chooser.BeginDrag(h.EntryPoint(0)));
        const HDITEM& record = h.chooser.GetDragItemRecord();
        EXPECT_EQ(c.title.substr(0, c.kept), record.pszText);
        EXPECT_EQ(HDF_STRING, record.fmt);
        CRect client;
        h.chooser.GetClientRect(&client);
        EXPECT_EQ(client.Width(), record.cxy);
        h.chooser.CancelDrag(h.EntryPoint(0));
        EXPECT_EQ(-1, h.chooser.GetDraggedSubItem());
    }
}

TEST(GridChooser, FramedEntriesTakeTheGridsColours)
{
    ChooserHost h(VXSLS_GRIDCOLORS);
    h.Define({"a", "b"});
    h.chooser.UpdateList();
    h.chooser.SetCurSel(-1);
    h.chooser.Invalidate();
    PumpUntilIdle();
    WindowImage image = CaptureWindow(h.chooser.m_hWnd, true);
    CRect entry;
    h.chooser.GetItemRect(0, &entry);
    EXPECT_EQ(h.grid.GetGridColor(10), image.At(entry.left, entry.top));
    EXPECT_EQ(h.grid.GetGridColor(9), image.At(entry.right - 1, entry.bottom - 1));
    EXPECT_EQ(h.grid.GetGridColor(7), image.At(entry.right - 3, entry.top + 2));

    h.chooser.SetCurSel(0);
    PumpUntilIdle();
    image = CaptureWindow(h.chooser.m_hWnd, true);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), image.At(entry.right - 3, entry.top + 3));

    // A disabled chooser shows the button face where it has no entries.
    h.chooser.EnableWindow(FALSE);
    h.chooser.Invalidate();
    PumpUntilIdle();
    image = CaptureWindow(h.chooser.m_hWnd, true);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), image.At(entry.left + 5, image.height - 3));
}

TEST(GridView, TheGridFillsTheViewAndFollowsItsFrame)
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CVXGridView);
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "grid", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, nullptr, 0,
                              &context));
    frame->InitialUpdateFrame(nullptr, TRUE);
    PumpUntilIdle();
    auto* view = (CVXGridView*)frame->GetDlgItem(AFX_IDW_PANE_FIRST);
    ASSERT_NE(nullptr, view);
    CVXGridCtrl& grid = view->GetVXGridCtrl();
    ASSERT_TRUE(::IsWindow(grid.m_hWnd));
    for (CSize size : {CSize(400, 300), CSize(520, 260)}) {
        frame->MoveWindow(0, 0, size.cx, size.cy);
        PumpUntilIdle();
        CRect viewClient, gridRect;
        view->GetClientRect(&viewClient);
        grid.GetWindowRect(&gridRect);
        view->ScreenToClient(&gridRect);
        EXPECT_EQ(viewClient, gridRect) << size.cx;
    }
    view->SetFocus();
    EXPECT_EQ(grid.m_hWnd, ::GetFocus());
    frame->DestroyWindow();
    PumpUntilIdle();
}

TEST(GridView, TheGridTakesTheLowStyleBitsOfTheView)
{
    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "view host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr);
    auto* view = (CVXGridView*)RUNTIME_CLASS(CVXGridView)->CreateObject();
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | 0x0040, CRect(0, 0, 300, 200), &host, 5));
    view->SendMessage(WM_INITIALUPDATE);
    EXPECT_TRUE(view->GetVXGridCtrl().GetStyle() & 0x0040);
    EXPECT_TRUE(view->GetVXGridCtrl().GetStyle() & WS_TABSTOP);
    host.DestroyWindow();
    PumpUntilIdle();
}

} // namespace
