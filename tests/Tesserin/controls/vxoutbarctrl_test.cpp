// The out-bar: folder layout, item geometry, clicks, drags and renames as
// its owner hears them, removals that leave no stale state behind, the
// context menu, the folder animation and the scroll arrows.
#include <gtest/gtest.h>

#include "controls/VXOutBarCtrl.h"
#include "mivo/testing/input.h"
#include "support/GeometryPrinters.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>
#include "support/FrameworkThrow.h"

using namespace mivo::test;

namespace {

struct Heard {
    WPARAM code;
    LPARAM value;       // lParam for codes 1 and 5
    int index;          // the record's fields for 2, 3, 4, 6
    std::string text;
    int dragFolder, dragItem;
};

// The owner window: records every notification and answers with `reply`.
class CRecordingOwner : public CWnd {
public:
    std::vector<Heard> heard;
    LRESULT reply = 1;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_OUTBAR_NOTIFY)
            return CWnd::WindowProc(message, wParam, lParam);
        Heard h{wParam, lParam, -1, "", -1, -1};
        if (wParam >= 2 && wParam <= 4) {
            const OutBarNotifyInfo* info = reinterpret_cast<const OutBarNotifyInfo*>(lParam);
            h.index = info->index;
            h.text = info->text ? info->text : "";
            h.dragFolder = info->dragFolder;
            h.dragItem = info->dragItem;
        }
        heard.push_back(h);
        return reply;
    }
    std::vector<WPARAM> Codes() const
    {
        std::vector<WPARAM> codes;
        for (const Heard& h : heard)
            codes.push_back(h.code);
        return codes;
    }
};

// Records the context menu instead of tracking it.
class CMenuRecordingBar : public CVXOutBarCtrl {
public:
    std::vector<std::pair<UINT, std::string>> entries;

protected:
    void TrackContextMenu(CMenu* menu, CPoint) override
    {
        entries.clear();
        for (int i = 0; i < (int)menu->GetMenuItemCount(); ++i) {
            CString text;
            menu->GetMenuString(i, text, MF_BYPOSITION);
            entries.emplace_back(menu->GetMenuItemID(i), std::string(text));
        }
    }
};

// A child shown by a folder; remembers the DCs WM_PAINT brought in wParam.
class CPaintRecorder : public CWnd {
public:
    std::vector<WPARAM> paints;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT) {
            paints.push_back(wParam);
            if (wParam)
                return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Runs input steps one per timer tick, so that a press loop reads them one by
// one (moves in a row would otherwise merge into one).
class InputScript {
public:
    explicit InputScript(std::vector<std::function<void()>> steps) : m_steps(steps.begin(), steps.end()) {}
    void Run()
    {
        s_current = this;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 1, &InputScript::Tick);
        PumpUntil([this] { return m_steps.empty(); }, 5000);
        PumpUntilIdle();
        ::KillTimer(nullptr, timer);
        s_current = nullptr;
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (!s_current || s_current->m_steps.empty())
            return;
        auto step = s_current->m_steps.front();
        s_current->m_steps.pop_front();
        step();
    }
    std::deque<std::function<void()>> m_steps;
    static InputScript* s_current;
};
InputScript* InputScript::s_current = nullptr;

class OutBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                   100, 100, 260, 420, nullptr, nullptr));
        ASSERT_TRUE(bar.Create(WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 200, 400), &owner, 5, 0x1FC));
        bar.SetAnimationTickCount(-1);
        large.Create(32, 32, ILC_COLOR24 | ILC_MASK, 4, 0);
        small.Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 0);
        AddImages(large, 32);
        AddImages(small, 16);
        bar.SetImageList(&large, 2);
        bar.SetImageList(&small, 1);
        PumpUntilIdle();
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        PumpUntilIdle();
    }
    static void AddImages(CImageList& list, int size)
    {
        CClientDC screen(nullptr);
        CBitmap strip;
        strip.CreateCompatibleBitmap(&screen, size * 2, size);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap* old = dc.SelectObject(&strip);
        dc.FillSolidRect(0, 0, size, size, RGB(200, 40, 40));
        dc.FillSolidRect(size, 0, size, size, RGB(40, 40, 200));
        dc.SelectObject(old);
        list.Add(&strip, RGB(255, 0, 255));
    }
    // Folder 0 with `count` items named "item N".
    void FillFirstFolder(int count)
    {
        bar.AddFolder("사진", 0);
        for (int i = 0; i < count; ++i)
            bar.InsertItem(0, -1, ("item " + std::to_string(i)).c_str(), i % 2, 100 + i);
        bar.Invalidate();
        PumpUntilIdle();
    }
    std::vector<std::string> ItemTexts()
    {
        std::vector<std::string> texts;
        for (int i = 0; i < bar.GetItemCount(); ++i)
            texts.push_back(std::string(bar.GetItemText(i)));
        return texts;
    }
    POINT Screen(CPoint client)
    {
        bar.ClientToScreen(&client);
        return client;
    }
    CPoint IconCentre(int item)
    {
        CRect r;
        bar.GetIconRect(bar.GetSelFolder(), item, r);
        return r.CenterPoint();
    }
    std::function<void()> Down(CPoint p)
    {
        return [this, p] { mivo::InjectMouseButton(Screen(p), mivo::MouseButton::Left, true); };
    }
    std::function<void()> Up(CPoint p)
    {
        return [this, p] { mivo::InjectMouseButton(Screen(p), mivo::MouseButton::Left, false); };
    }
    std::function<void()> Move(CPoint p)
    {
        return [this, p] { mivo::InjectMouseMove(Screen(p)); };
    }
    void ClickAt(CPoint p) { InputScript({Move(p), Down(p), Up(p)}).Run(); }
    void ClickOnOwner()
    {
        mivo::InjectMouseButton(POINT{330, 105}, mivo::MouseButton::Left, true);
        mivo::InjectMouseButton(POINT{330, 105}, mivo::MouseButton::Left, false);
        PumpUntilIdle();
    }
    // The arrow loop eats timer messages, so the release waits in the queue first.
    void PressArrow(CPoint p)
    {
        mivo::InjectMouseButton(Screen(p), mivo::MouseButton::Left, false);
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        PumpUntilIdle();
    }

    CRecordingOwner owner;
    CMenuRecordingBar bar;
    CImageList large, small;
};

}  // namespace

TEST_F(OutBarTest, FolderAndInsideRectanglesForEverySelection)
{
    CRect client;
    bar.GetClientRect(&client);
    const int B = client.bottom;
    struct Row {
        int count, sel;
        std::vector<std::pair<int, int>> folders;  // top, bottom
        std::pair<int, int> inside;
    } rows[] = {
        {0, 0, {}, {0, B}},
        {1, 0, {{-1, 21}}, {21, B + 1}},
        {2, 0, {{-1, 21}, {B - 22, B}}, {21, B + 1 - 22}},
        {2, 1, {{-1, 21}, {21, 43}}, {43, B + 1}},
        {3, 0, {{-1, 21}, {B - 44, B - 22}, {B - 22, B}}, {21, B + 1 - 44}},
        {3, 1, {{-1, 21}, {21, 43}, {B - 22, B}}, {43, B + 1 - 22}},
        {3, 2, {{-1, 21}, {21, 43}, {43, 65}}, {65, B + 1}},
    };
    for (const Row& row : rows) {
        while (bar.GetFolderCount() > 0)
            bar.RemoveFolder(0);
        for (int i = 0; i < row.count; ++i)
            bar.AddFolder("folder", i);
        if (row.count)
            bar.SetSelFolder(row.sel);
        const std::string name = std::to_string(row.count) + " folders, selected " + std::to_string(row.sel);
        for (int i = 0; i < row.count; ++i) {
            CRect r;
            ASSERT_TRUE(bar.GetFolderRect(i, r)) << name;
            EXPECT_EQ(CRect(0, row.folders[i].first, client.right, row.folders[i].second), r) << name << " #" << i;
        }
        CRect r;
        EXPECT_FALSE(bar.GetFolderRect(row.count, r)) << name;
        bar.GetInsideRect(r);
        EXPECT_EQ(CRect(0, row.inside.first, client.right, row.inside.second), r) << name;
    }
    EXPECT_EQ(nullptr, bar.GetFolderChild());
}

TEST_F(OutBarTest, DropMarkerRectanglesAtTheStartInsideAndAtTheEnd)
{
    FillFirstFolder(4);
    for (bool smallView : {false, true}) {
        bar.SetSmallIconView(smallView);
        CRect inside, first, second, last, r;
        bar.GetInsideRect(inside);
        inside.DeflateRect(2, 2);
        bar.GetItemRect(0, 0, first);
        bar.GetItemRect(0, 2, second);
        bar.GetItemRect(0, 3, last);
        const char* view = smallView ? "small" : "large";
        EXPECT_EQ(0, bar.GetDragItemRect(0, r)) << view;
        EXPECT_EQ(CRect(inside.left, first.top - 2, inside.right, first.top + 3), r) << view;
        EXPECT_EQ(1, bar.GetDragItemRect(2, r)) << view;
        const int down = smallView ? 8 : 0;
        EXPECT_EQ(CRect(inside.left, second.top - 13 + down, inside.right, second.top - 4 + down), r) << view;
        EXPECT_EQ(2, bar.GetDragItemRect(4, r)) << view;
        EXPECT_EQ(CRect(inside.left, last.bottom + 6, inside.right, last.bottom + 11), r) << view;
    }
}

TEST_F(OutBarTest, ClickOnAnItemPostsItsIndexOnce)
{
    FillFirstFolder(3);
    const CPoint p = IconCentre(1);
    // The release waits in the queue for the press loop.
    mivo::InjectMouseButton(Screen(p), mivo::MouseButton::Left, false);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_TRUE(owner.heard.empty()) << "posted, not sent";
    EXPECT_EQ(1, bar.GetSelItem());
    PumpUntilIdle();
    ASSERT_EQ(1u, owner.heard.size());
    EXPECT_EQ(OBN_ITEM_CLICKED, (int)owner.heard[0].code);
    EXPECT_EQ(1, owner.heard[0].value);
}

TEST_F(OutBarTest, DraggedItemsMoveAsTheOwnerAllows)
{
    struct Row {
        const char* name;
        int source, target;  // target 4: below the last item
        LRESULT reply;
        bool asked;
        std::vector<std::string> order;
    } rows[] = {
        {"on itself", 1, 1, 1, false, {"item 0", "item 1", "item 2", "item 3"}},
        {"below the last", 0, 4, 1, true, {"item 1", "item 2", "item 3", "item 0"}},
        {"on a later item", 0, 2, 1, true, {"item 1", "item 0", "item 2", "item 3"}},
        {"on an earlier item", 3, 1, 1, true, {"item 0", "item 3", "item 1", "item 2"}},
        {"refused", 0, 2, 0, true, {"item 0", "item 1", "item 2", "item 3"}},
    };
    FillFirstFolder(4);
    for (const Row& row : rows) {
        while (bar.GetItemCount() > 0)
            bar.RemoveItem(0);
        for (int i = 0; i < 4; ++i)
            bar.InsertItem(0, -1, ("item " + std::to_string(i)).c_str(), 0, 0);
        PumpUntilIdle();
        owner.heard.clear();
        owner.reply = row.reply;
        CRect inside, last;
        bar.GetInsideRect(inside);
        bar.GetItemRect(0, 3, last);
        const CPoint from = IconCentre(row.source);
        const CPoint away(inside.left + 3, from.y);  // beside the icon: off every item
        const CPoint to = row.target == 4 ? CPoint(from.x, last.bottom + 10) : IconCentre(row.target);
        ClickOnOwner();  // so that this press is no double click
        InputScript({Move(from), Down(from), Move(away), Move(to), Up(to)}).Run();
        ASSERT_EQ(row.asked ? 1u : 0u, owner.heard.size()) << row.name;
        if (row.asked) {
            EXPECT_EQ(OBN_ITEM_DRAGGED, (int)owner.heard[0].code) << row.name;
            EXPECT_EQ(0, owner.heard[0].dragFolder) << row.name;
            EXPECT_EQ(row.source, owner.heard[0].dragItem) << row.name;
        }
        EXPECT_EQ(row.order, ItemTexts()) << row.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << row.name;
    }
}

TEST_F(OutBarTest, RenamedItemsFollowTheKeyAndTheOwnersReply)
{
    struct Row {
        const char* name;
        bool clear;  // empty the text before typing
        const char* typed;
        UINT key;
        LRESULT reply;
        bool asked;
        const char* result;
    } rows[] = {
        {"Enter", true, "바다", VK_RETURN, 1, true, "바다"},
        {"Escape", true, "바다", VK_ESCAPE, 1, false, "item 1"},
        {"empty text", true, "", VK_RETURN, 1, false, "item 1"},
        {"refused", true, "바다", VK_RETURN, 0, true, "item 1"},
    };
    FillFirstFolder(3);
    for (const Row& row : rows) {
        bar.SetItemText(1, "item 1");
        owner.heard.clear();
        owner.reply = row.reply;
        bar.StartItemEdit(1);
        HWND edit = ::GetFocus();
        ASSERT_NE(bar.m_hWnd, edit) << row.name;
        ASSERT_EQ(bar.m_hWnd, ::GetParent(edit)) << row.name;
        if (row.clear)
            ::SendMessage(edit, EM_SETSEL, 0, -1), ::SendMessage(edit, WM_CLEAR, 0, 0);
        TypeText(row.typed);
        PressKey(row.key);
        PumpUntilIdle();
        EXPECT_FALSE(::IsWindow(edit)) << row.name << ": the edit closes itself";
        ASSERT_EQ(row.asked ? 1u : 0u, owner.heard.size()) << row.name;
        if (row.asked) {
            EXPECT_EQ(OBN_ITEM_RENAMED, (int)owner.heard[0].code) << row.name;
            EXPECT_EQ(1, owner.heard[0].index) << row.name;
            EXPECT_EQ(row.typed, owner.heard[0].text) << row.name;
        }
        EXPECT_STREQ(row.result, bar.GetItemText(1)) << row.name;
    }
}

TEST_F(OutBarTest, RenamedFolderIsStoredOnTheOwnersConsent)
{
    FillFirstFolder(1);
    bar.AddFolder("두번째", 0);
    bar.StartGroupEdit(1);
    HWND edit = ::GetFocus();
    ::SendMessage(edit, EM_SETSEL, 0, -1);
    TypeText("앨범");
    PressKey(VK_RETURN);
    PumpUntilIdle();
    ASSERT_EQ(1u, owner.heard.size());
    EXPECT_EQ(OBN_FOLDER_RENAMED, (int)owner.heard[0].code);
    EXPECT_EQ(1, owner.heard[0].index);
    EXPECT_STREQ("앨범", bar.GetFolderText(1));
}

TEST_F(OutBarTest, SetSelFolderNotifiesEveryTimeAndAClickOnTheSelectedFolderDoesNot)
{
    FillFirstFolder(2);
    bar.AddFolder("second", 0);
    owner.heard.clear();
    bar.SetSelFolder(1);
    bar.SetSelFolder(1);
    // Heard before the calls returned: sent.
    ASSERT_EQ((std::vector<WPARAM>{OBN_FOLDER_CHANGED, OBN_FOLDER_CHANGED}), owner.Codes());
    EXPECT_EQ(1, owner.heard[1].value);

    owner.heard.clear();
    CRect selected, other;
    bar.GetFolderRect(1, selected);
    ClickAt(selected.CenterPoint());
    EXPECT_TRUE(owner.heard.empty());
    bar.GetFolderRect(0, other);
    ClickAt(other.CenterPoint());
    EXPECT_EQ(std::vector<WPARAM>{OBN_FOLDER_CHANGED}, owner.Codes());
    EXPECT_EQ(0, bar.GetSelFolder());
}

TEST_F(OutBarTest, EscapeDuringAFolderPressDoesNotCancelIt)
{
    FillFirstFolder(1);
    bar.AddFolder("second", 0);
    owner.heard.clear();
    CRect second;
    bar.GetFolderRect(1, second);
    const CPoint p = second.CenterPoint();
    InputScript({Move(p), Down(p), [] { mivo::InjectKey(VK_ESCAPE, true); }, [] { mivo::InjectKey(VK_ESCAPE, false); },
                 Up(p)})
        .Run();
    EXPECT_EQ(1, bar.GetSelFolder());
}

TEST_F(OutBarTest, RemovingTheSelectedFolderShowsTheNextOnesChildQuietly)
{
    CPaintRecorder first, second;
    ASSERT_TRUE(first.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 10, 10), &bar, 11));
    ASSERT_TRUE(second.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 10, 10), &bar, 12));
    bar.AddFolderBar("one", &first);
    bar.AddFolderBar("two", &second);
    bar.SetSelFolder(0);
    ASSERT_TRUE(first.IsWindowVisible());
    owner.heard.clear();
    bar.RemoveFolder(0);
    PumpUntilIdle();
    EXPECT_FALSE(first.IsWindowVisible());
    EXPECT_TRUE(second.IsWindowVisible());
    EXPECT_EQ(0, bar.GetSelFolder());
    EXPECT_EQ(&second, bar.GetFolderChild());
    EXPECT_TRUE(owner.heard.empty());
    first.DestroyWindow();
    second.DestroyWindow();
}

TEST_F(OutBarTest, RemovingAnEarlierFolderKeepsTheSameFolderSelected)
{
    FillFirstFolder(2);
    bar.AddFolder("second", 7);
    bar.AddFolder("third", 9);
    bar.SetSelFolder(2);
    bar.RemoveFolder(0);
    EXPECT_EQ(1, bar.GetSelFolder());
    EXPECT_EQ(9u, bar.GetFolderData());
    EXPECT_TRUE(mivo::test::ThrowsFrameworkException<CInvalidArgException>([&] { bar.RemoveFolder(5); }));
}

TEST_F(OutBarTest, RemovingItemsClampsTheScrollAndMovesTheSelection)
{
    FillFirstFolder(12);
    bar.SetAnimSelHighlight(1);
    CRect inside;
    bar.GetInsideRect(inside);
    // Scroll down as far as the arrow goes, then select an item below the removals.
    for (int i = 0; i < 12 && bar.GetFirstItem() < 10; ++i) {
        PumpUntilIdle();
        const int before = bar.GetFirstItem();
        const int w = ::GetSystemMetrics(SM_CXVSCROLL);
        PressArrow(CPoint(inside.right - 5 - w / 2, inside.bottom - 5 - w / 2));
        if (bar.GetFirstItem() == before)
            break;
    }
    const int scrolled = bar.GetFirstItem();
    ASSERT_GT(scrolled, 0);
    ClickAt(IconCentre(scrolled));
    ASSERT_EQ(scrolled, bar.GetSelItem());
    bar.RemoveItem(0);
    EXPECT_EQ(scrolled - 1, bar.GetSelItem()) << "the selection follows its item";
    bar.RemoveItem(bar.GetSelItem());
    EXPECT_EQ(-1, bar.GetSelItem()) << "a removed selection is cleared";
    while (bar.GetItemCount() > 1)
        bar.RemoveItem(bar.GetItemCount() - 1);
    EXPECT_EQ(0, bar.GetFirstItem());
    bar.Invalidate();
    PumpUntil([] { return false; }, 50);  // paints and blink ticks over the shortened list
    bar.RemoveItem(0);
    bar.RemoveItem(0);  // nothing left: ignored
    PumpUntil([] { return false; }, 20);
    EXPECT_EQ(0, bar.GetItemCount());
}

TEST_F(OutBarTest, ContextMenuOffersWhatTheFlagsAllowForWhatWasHit)
{
    FillFirstFolder(2);
    const std::pair<UINT, std::string> large{19001, "큰 아이콘"}, smallIcons{19000, "작은 아이콘"},
        separator{0, ""}, remove{19003, "Remove"}, rename{19002, "Rename"};
    CRect folder, inside;
    bar.GetFolderRect(0, folder);
    bar.GetInsideRect(inside);
    struct Row {
        const char* name;
        CPoint point;
        DWORD flags;
        std::vector<std::pair<UINT, std::string>> entries;
    } rows[] = {
        {"folder, all allowed", folder.CenterPoint(), 0x1FC, {large, smallIcons, separator, remove, rename}},
        {"folder, rename only", folder.CenterPoint(), OBF_EDITFOLDERS, {large, smallIcons, separator, rename}},
        {"folder, item rights only", folder.CenterPoint(), OBF_EDITITEMS | OBF_REMOVEITEMS, {large, smallIcons}},
        {"item, remove only", IconCentre(1), OBF_REMOVEITEMS, {large, smallIcons, separator, remove}},
        {"empty space", CPoint(inside.left + 3, inside.bottom - 3), 0x1FC, {large, smallIcons}},
    };
    for (const Row& row : rows) {
        bar.ModifyFlag(0xFFFFFFFF, row.flags);
        bar.entries.clear();
        ClickOnOwner();  // keeps two rows on one point from making a double click
        mivo::InjectMouseButton(Screen(row.point), mivo::MouseButton::Right, true);
        mivo::InjectMouseButton(Screen(row.point), mivo::MouseButton::Right, false);
        PumpUntilIdle();
        EXPECT_EQ(row.entries, bar.entries) << row.name;
    }
    // Remove on an item takes it away without telling the owner.
    bar.ModifyFlag(0, 0x1FC);
    const CPoint item = IconCentre(1);
    mivo::InjectMouseButton(Screen(item), mivo::MouseButton::Right, true);
    PumpUntilIdle();
    owner.heard.clear();
    bar.SendMessage(WM_COMMAND, 19003);
    EXPECT_EQ(std::vector<std::string>{"item 0"}, ItemTexts());
    EXPECT_TRUE(owner.heard.empty());
    bar.SendMessage(WM_COMMAND, 19000);
    EXPECT_TRUE(bar.IsSmallIconView());
}

TEST_F(OutBarTest, NegativeTickSkipsTheAnimationAndZeroAnimates)
{
    CPaintRecorder child;
    ASSERT_TRUE(child.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 10, 10), &bar, 11));
    FillFirstFolder(2);
    bar.AddFolderBar("child", &child);
    auto memoryPaints = [&] {
        int n = 0;
        for (WPARAM w : child.paints)
            n += w != 0;
        return n;
    };
    bar.SetAnimationTickCount(-1);
    bar.SetSelFolder(1);
    EXPECT_EQ(0, memoryPaints());
    bar.SetSelFolder(0);
    bar.SetAnimationTickCount(0);
    bar.SetSelFolder(1);
    EXPECT_GT(memoryPaints(), 0);
    EXPECT_TRUE(child.IsWindowVisible());
    child.DestroyWindow();
}

TEST_F(OutBarTest, ArrowPressAndReleaseScrollsOneItem)
{
    FillFirstFolder(12);
    CRect inside;
    bar.GetInsideRect(inside);
    const int w = ::GetSystemMetrics(SM_CXVSCROLL);
    const CPoint down(inside.right - 5 - w / 2, inside.bottom - 5 - w / 2);
    int index = -1;
    ASSERT_EQ(CVXOutBarCtrl::kHitDownArrow, bar.HitTestEx(down, index));
    PressArrow(down);
    EXPECT_EQ(1, bar.GetFirstItem());
    PumpUntilIdle();
    const CPoint up(inside.right - 5 - w / 2, inside.top + 5 + w / 2);
    ASSERT_EQ(CVXOutBarCtrl::kHitUpArrow, bar.HitTestEx(up, index));
    PressArrow(up);
    EXPECT_EQ(0, bar.GetFirstItem());
}

TEST_F(OutBarTest, ForeignCaptureStartsNoPressLoop)
{
    FillFirstFolder(3);
    owner.SetCapture();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(IconCentre(1).x, IconCentre(1).y));
    EXPECT_EQ(owner.m_hWnd, ::GetCapture());
    ::ReleaseCapture();
    EXPECT_EQ(-1, bar.GetSelItem());
}
