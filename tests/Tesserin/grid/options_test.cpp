// The options grid: clicks and Space on check and radio options, the editors
// opened by a double click and the ways they end, item data that is no editor
// class, and a parent that shows a message box while it is told of a new text.
#include <gtest/gtest.h>

#include "grid/VXGridOptionsCombo.h"
#include "grid/VXGridOptionsCtrl.h"
#include "grid/VXGridOptionsEdit.h"
#include "mivo/testing/msgbox.h"
#include "support/DialogDriver.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/WindowCapture.h"

#include <functional>
#include <string>
#include <vector>

namespace {

class CNameEdit : public CVXGridOptionsEdit {
    DECLARE_DYNCREATE(CNameEdit)
};
IMPLEMENT_DYNCREATE(CNameEdit, CVXGridOptionsEdit)

// A drop-down list of paper sizes, narrower than the default.
class CPaperCombo : public CVXGridOptionsCombo {
    DECLARE_DYNCREATE(CPaperCombo)
public:
    int GetWidth() override { return 80; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = CVXGridOptionsCombo::WindowProc(message, wParam, lParam);
        if (message == WM_CREATE && result == 0)
            for (const char* paper : {"A4", "B5", "4x6"})
                AddString(paper);
        return result;
    }
};
IMPLEMENT_DYNCREATE(CPaperCombo, CVXGridOptionsCombo)

// Registered classes that are no editors.
class CPlainWnd : public CWnd {
    DECLARE_DYNCREATE(CPlainWnd)
};
IMPLEMENT_DYNCREATE(CPlainWnd, CWnd)

struct OptionNotice {
    int code;
    _TREEITEM* parent;
    _TREEITEM* node;
    int value;
    bool operator==(const OptionNotice& o) const
    {
        return code == o.code && parent == o.parent && node == o.node && value == o.value;
    }
};

std::ostream& operator<<(std::ostream& out, const OptionNotice& n)
{
    return out << "{" << n.code << ", " << n.parent << ", " << n.node << ", " << n.value << "}";
}

// A tree of options in a recording host:
//   보기 (group): four check boxes, states 0, 1, 2 (disabled), 3 (disabled, checked)
//   크기 (group): radio options 5, 4, 4 and a disabled one, 6
//   위, 아래: top-level radio options 5 and 4
//   설명: a plain row; 이름: old with an edit box; 용지: B5 with a drop-down list
struct OptionsHost {
    OptionsHost()
    {
        host = mivo::test::CreateTestWindow("options host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 320, 400);
        recorder.OnMessage(WM_NOTIFY, [this](HWND, UINT, WPARAM, LPARAM lParam, LRESULT* result) {
            const NMHDR* header = (const NMHDR*)lParam;
            int code = (int)header->code;
            *result = 0;
            if (code > RVN_OPTIONTEXTCHANGED || code < RVN_OPTIONCHOICECHANGED)
                return true;
            const _NMRVOPTION* option = (const _NMRVOPTION*)lParam;
            EXPECT_EQ(grid.m_hWnd, header->hwndFrom);
            EXPECT_EQ(7u, header->idFrom);
            notices.push_back({code, option->hParent, option->hItem, option->iValue});
            if (onOption)
                onOption(*option);
            return true;
        });
        grid.Create(WS_CHILD | WS_VISIBLE | RVS_TREEMODEL, CRect(0, 0, 300, 380), CWnd::FromHandle(host), 7);
        view = Add("보기", -1, RVTI_ROOT);
        for (int i = 0; i < 4; i++)
            checks.push_back(Add(("선택 " + std::to_string(i)).c_str(), i, view));
        size = Add("크기", -1, RVTI_ROOT);
        for (int kind : {5, 4, 4, 6})
            radios.push_back(Add("크기 선택", kind, size));
        tops.push_back(Add("위", 5, RVTI_ROOT));
        tops.push_back(Add("아래", 4, RVTI_ROOT));
        plain = Add("설명", -1, RVTI_ROOT);
        name = Add("이름: old", -1, RVTI_ROOT);
        grid.SetItemData(grid.GetItemIndex(name), (DWORD_PTR)RUNTIME_CLASS(CNameEdit));
        paper = Add("용지: B5", -1, RVTI_ROOT);
        grid.SetItemData(grid.GetItemIndex(paper), (DWORD_PTR)RUNTIME_CLASS(CPaperCombo));
        grid.ExpandAll(RVTI_ROOT, 1);
        ::SetForegroundWindow(host);
        grid.SetFocus();
        mivo::test::PumpUntilIdle();
    }
    ~OptionsHost()
    {
        grid.DestroyWindow();
        ::DestroyWindow(host);
        mivo::test::PumpUntilIdle();
    }
    _TREEITEM* Add(const char* text, int check, _TREEITEM* parent)
    {
        return grid.InsertItem(text, -1, check, -1, parent, RVTI_LAST);
    }
    int Check(_TREEITEM* node) { return grid.GetItemCheck(grid.GetItemIndex(node), 0); }
    std::string Text(_TREEITEM* node) { return (LPCSTR)grid.GetItemText(grid.GetItemIndex(node), 0); }
    // Every option's check field, groups first.
    std::vector<int> Checks()
    {
        std::vector<int> all;
        for (auto* list : {&checks, &radios, &tops})
            for (_TREEITEM* node : *list)
                all.push_back(Check(node));
        return all;
    }
    POINT RowPoint(_TREEITEM* node)
    {
        CRect rect;
        EXPECT_TRUE(grid.GetItemRect(grid.GetItemIndex(node), 0, &rect));
        return {rect.left + 150, rect.top + rect.Height() / 2};
    }
    void Click(_TREEITEM* node, UINT message = WM_LBUTTONDOWN)
    {
        POINT pt = RowPoint(node);
        grid.SendMessage(message, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        if (message == WM_LBUTTONDOWN)
            grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        mivo::test::PumpUntilIdle();
    }
    void Space(_TREEITEM* node)
    {
        grid.SetTreeFocus(node);
        grid.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
        mivo::test::PumpUntilIdle();
    }
    HWND Editor() { return grid.GetOptionEditorWnd(); }
    // Edit boxes and drop-down lists among the grid's children.
    int EditorChildren()
    {
        int count = 0;
        for (HWND child = ::GetWindow(grid.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            char cls[32] = "";
            ::GetClassName(child, cls, sizeof(cls));
            count += std::string(cls) == "Edit" || std::string(cls) == "ComboBox";
        }
        return count;
    }
    std::string EditorClass()
    {
        char cls[32] = "";
        ::GetClassName(Editor(), cls, sizeof(cls));
        return cls;
    }
    std::string EditorText()
    {
        char text[256] = "";
        ::GetWindowText(Editor(), text, sizeof(text));
        return text;
    }

    mivo::test::MessageRecorder recorder;
    HWND host = nullptr;
    CVXGridOptionsCtrl grid;
    _TREEITEM *view = nullptr, *size = nullptr, *plain = nullptr, *name = nullptr, *paper = nullptr;
    std::vector<_TREEITEM*> checks, radios, tops;
    std::vector<OptionNotice> notices;
    std::function<void(const _NMRVOPTION&)> onOption;
};

using Checks = std::vector<int>;
const Checks kStart = {0, 1, 2, 3, 5, 4, 4, 6, 5, 4};

struct ChangeCase {
    const char* what;
    std::function<_TREEITEM*(OptionsHost&)> target;
    Checks after;
    // Code, parent and value of the one notice expected; code 0: none.
    int code;
    std::function<_TREEITEM*(OptionsHost&)> parent;
    int value;
};

std::vector<ChangeCase> ChangeCases()
{
    auto none = [](OptionsHost&) -> _TREEITEM* { return nullptr; };
    auto view = [](OptionsHost& h) { return h.view; };
    auto size = [](OptionsHost& h) { return h.size; };
    return {
        {"unchecked box", [](OptionsHost& h) { return h.checks[0]; }, {1, 1, 2, 3, 5, 4, 4, 6, 5, 4},
         RVN_OPTIONCHECKCHANGED, view, 1},
        {"checked box", [](OptionsHost& h) { return h.checks[1]; }, {0, 0, 2, 3, 5, 4, 4, 6, 5, 4},
         RVN_OPTIONCHECKCHANGED, view, 0},
        {"disabled box", [](OptionsHost& h) { return h.checks[2]; }, kStart, 0, none, 0},
        {"disabled checked box", [](OptionsHost& h) { return h.checks[3]; }, kStart, 0, none, 0},
        {"third radio", [](OptionsHost& h) { return h.radios[2]; }, {0, 1, 2, 3, 4, 4, 5, 6, 5, 4},
         RVN_OPTIONCHOICECHANGED, size, 2},
        {"selected radio", [](OptionsHost& h) { return h.radios[0]; }, kStart, RVN_OPTIONCHOICECHANGED, size, 0},
        {"disabled radio", [](OptionsHost& h) { return h.radios[3]; }, kStart, 0, none, 0},
        // The root's radio children are one group; the index counts every top-level row.
        {"top-level radio", [](OptionsHost& h) { return h.tops[1]; }, {0, 1, 2, 3, 5, 4, 4, 6, 4, 5},
         RVN_OPTIONCHOICECHANGED, none, 3},
        {"plain row", [](OptionsHost& h) { return h.plain; }, kStart, 0, none, 0},
        {"group row", [](OptionsHost& h) { return h.size; }, kStart, 0, none, 0},
    };
}

void ExpectChange(OptionsHost& h, const ChangeCase& c, const char* how)
{
    SCOPED_TRACE(std::string(how) + " on " + c.what);
    EXPECT_EQ(c.after, h.Checks());
    std::vector<OptionNotice> expected;
    if (c.code)
        expected.push_back({c.code, c.parent(h), c.target(h), c.value});
    EXPECT_EQ(expected, h.notices);
    EXPECT_EQ(nullptr, h.Editor());
}

TEST(GridOptions, ClicksChangeCheckAndRadioOptions)
{
    for (const ChangeCase& c : ChangeCases()) {
        OptionsHost h;
        ASSERT_EQ(kStart, h.Checks());
        h.Click(c.target(h));
        ExpectChange(h, c, "click");
    }
}

TEST(GridOptions, SpaceChangesTheFocusedOption)
{
    for (const ChangeCase& c : ChangeCases()) {
        OptionsHost h;
        h.Space(c.target(h));
        ExpectChange(h, c, "Space");
    }
}

TEST(GridOptions, CreationHidesTheHeaderAndShowsOneFullWidthColumn)
{
    OptionsHost h;
    EXPECT_EQ((DWORD)(RVS_SINGLESELECT | RVS_NOHEADER | RVS_NOSORT | RVS_TREEMODEL), h.grid.GetStyle() & 0xFFFF);
    CRect client;
    h.grid.GetClientRect(&client);
    ASSERT_EQ(1, h.grid.GetActiveSubItemCount());
    EXPECT_EQ(client.Width(), h.grid.GetSubItemWidth(0));
    structSUBITEM column;
    ASSERT_TRUE(h.grid.GetSubItemDefinition(0, column));
    EXPECT_EQ((UINT)HDF_STRING, column.nMask);
    EXPECT_STREQ("", column.strText);
    EXPECT_FALSE(::IsWindowVisible(h.grid.GetHeaderCtrl()->m_hWnd));
}

TEST(GridOptions, MadeByItsClassAndAttachedToAWindowOfItsClass)
{
    CObject* object = RUNTIME_CLASS(CVXGridOptionsCtrl)->CreateObject();
    CVXGridOptionsCtrl* grid = DYNAMIC_DOWNCAST(CVXGridOptionsCtrl, object);
    ASSERT_NE(nullptr, grid);
    WNDCLASS wc = {};
    EXPECT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), "VXGridOptionsCtrl", &wc));
    EXPECT_TRUE(wc.style & CS_DBLCLKS);
    HWND host = mivo::test::CreateTestWindow("host", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    // As a dialog's custom control: the window exists first, the grid attaches to it.
    HWND window = ::CreateWindow("VXGridOptionsCtrl", "", WS_CHILD | WS_VISIBLE | RVS_TREEMODEL, 0, 0, 180, 150, host,
                                 (HMENU)9, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(grid->SubclassWindow(window));
    EXPECT_EQ(1, grid->GetActiveSubItemCount());
    EXPECT_EQ(180, grid->GetSubItemWidth(0));
    EXPECT_TRUE(grid->GetStyle() & RVS_NOHEADER);
    grid->DestroyWindow();
    delete grid;
    ::DestroyWindow(host);
    mivo::test::PumpUntilIdle();
}

TEST(GridOptions, DoubleClickOpensTheEditBoxRightAfterTheName)
{
    OptionsHost h;
    h.Click(h.name, WM_LBUTTONDBLCLK);
    ASSERT_NE(nullptr, h.Editor());
    EXPECT_EQ("Edit", h.EditorClass());
    EXPECT_EQ("old", h.EditorText());
    EXPECT_EQ(h.Editor(), ::GetFocus());
    DWORD start = 0, end = 0;
    ::SendMessage(h.Editor(), EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(0u, start);
    EXPECT_EQ(3u, end);
    EXPECT_TRUE(::GetWindowLong(h.Editor(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ("이름", h.Text(h.name));
    CRect box;
    ::GetWindowRect(h.Editor(), &box);
    ::MapWindowPoints(nullptr, h.grid.m_hWnd, (LPPOINT)&box, 2);
    EXPECT_EQ(100, box.Width());
    // The name's ink ends just before the box.
    h.grid.RedrawWindow();
    mivo::test::WindowImage image = mivo::test::CaptureWindow(h.grid.m_hWnd, true);
    COLORREF background = ::GetSysColor(COLOR_WINDOW);
    int inkLeft = -1, inkRight = -1;
    for (int x = 0; x < box.left; x++)
        for (int y = box.top + 2; y < box.bottom - 2; y++)
            if (image.At(x, y) != background) {
                inkLeft = inkLeft < 0 ? x : inkLeft;
                inkRight = x;
            }
    ASSERT_GT(inkLeft, 0) << "the name is drawn";
    EXPECT_GE(inkRight, box.left - 4);
    EXPECT_LT(inkRight, box.left);
}

struct EndCase {
    const char* how;
    std::function<void(OptionsHost&)> end;
    const char* text;
    bool notified;
};

TEST(GridOptions, AnOpenEditBoxEnds)
{
    EndCase cases[] = {
        {"Enter", [](OptionsHost&) { mivo::test::PressKey(VK_RETURN); }, "이름: new", true},
        {"Escape", [](OptionsHost&) { mivo::test::PressKey(VK_ESCAPE); }, "이름: old", false},
        {"a click on another row", [](OptionsHost& h) { h.Click(h.plain); }, "이름: new", true},
        {"scrolling", [](OptionsHost& h) { h.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN); }, "이름: old", false},
        {"a wheel", [](OptionsHost& h) { h.grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -120)); }, "이름: old",
         false},
        {"Space on the grid", [](OptionsHost& h) { h.Space(h.plain); }, "이름: old", false},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.how);
        OptionsHost h;
        h.Click(h.name, WM_LBUTTONDBLCLK);
        ASSERT_NE(nullptr, h.Editor());
        ::SetWindowText(h.Editor(), "new");
        c.end(h);
        mivo::test::PumpUntilIdle();
        EXPECT_EQ(nullptr, h.Editor());
        EXPECT_EQ(c.text, h.Text(h.name));
        std::vector<OptionNotice> expected;
        if (c.notified)
            expected.push_back({RVN_OPTIONTEXTCHANGED, nullptr, h.name, -1});
        EXPECT_EQ(expected, h.notices);
    }
}

TEST(GridOptions, TheDropDownListSelectsTheValueAmongItsEntries)
{
    OptionsHost h;
    h.Click(h.paper, WM_LBUTTONDBLCLK);
    ASSERT_NE(nullptr, h.Editor());
    EXPECT_EQ("ComboBox", h.EditorClass());
    EXPECT_EQ(3, (int)::SendMessage(h.Editor(), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(1, (int)::SendMessage(h.Editor(), CB_GETCURSEL, 0, 0));
    CRect box;
    ::GetWindowRect(h.Editor(), &box);
    EXPECT_EQ(80, box.Width());
    EXPECT_EQ("용지", h.Text(h.paper));
    ::SendMessage(h.Editor(), CB_SETCURSEL, 2, 0);
    mivo::test::PressKey(VK_RETURN);
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(nullptr, h.Editor());
    EXPECT_EQ("용지: 4x6", h.Text(h.paper));
    EXPECT_EQ((std::vector<OptionNotice>{{RVN_OPTIONTEXTCHANGED, nullptr, h.paper, -1}}), h.notices);
}

TEST(GridOptions, ItemDataThatIsNoEditorClassOpensNothing)
{
    CRuntimeClass copy = *RUNTIME_CLASS(CNameEdit);
    struct DataCase {
        const char* what;
        DWORD_PTR data;
    } cases[] = {
        {"no data", 0},
        {"a small number", 0x4D2},
        {"an odd number", 0x7FFF1235},
        {"a copy of an editor class", (DWORD_PTR)&copy},
        {"a window class", (DWORD_PTR)RUNTIME_CLASS(CPlainWnd)},
        {"the options grid's class", (DWORD_PTR)RUNTIME_CLASS(CVXGridOptionsCtrl)},
        {"an edit box that is no options editor", (DWORD_PTR)RUNTIME_CLASS(CEdit)},
    };
    for (const DataCase& c : cases) {
        SCOPED_TRACE(c.what);
        OptionsHost h;
        h.grid.SetItemData(h.grid.GetItemIndex(h.name), c.data);
        h.Click(h.name, WM_LBUTTONDBLCLK);
        EXPECT_EQ(nullptr, h.Editor());
        EXPECT_FALSE(h.grid.BeginOptionEdit(h.name));
        h.Space(h.name);
        EXPECT_EQ(nullptr, h.Editor());
        EXPECT_EQ(0, h.EditorChildren());
        EXPECT_EQ("이름: old", h.Text(h.name));
        EXPECT_TRUE(h.notices.empty());
    }
}

TEST(GridOptions, SpaceOpensTheEditorOfTheFocusedRow)
{
    OptionsHost h;
    h.Space(h.name);
    ASSERT_NE(nullptr, h.Editor());
    EXPECT_EQ("old", h.EditorText());
    EXPECT_TRUE(h.notices.empty());
}

TEST(GridOptions, DeletingTheEditedRowClosesItsEditor)
{
    OptionsHost h;
    h.Click(h.name, WM_LBUTTONDBLCLK);
    ASSERT_NE(nullptr, h.Editor());
    ::SetWindowText(h.Editor(), "new");
    EXPECT_TRUE(h.grid.DeleteItem(h.name));
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(nullptr, h.Editor());
    EXPECT_EQ(0, h.EditorChildren());
    EXPECT_TRUE(h.notices.empty());
    EXPECT_EQ("용지: B5", h.Text(h.paper));
}

TEST(GridOptions, TheNotifyMaskSilencesOptionNoticesButNotTheChange)
{
    OptionsHost h;
    h.grid.ModifyProperty(RVP_NOTIFYMASK, ~(1u << (RVN_FIRST - RVN_OPTIONCHECKCHANGED)));
    h.Click(h.checks[0]);
    h.Click(h.radios[1]);
    EXPECT_EQ(1, h.Check(h.checks[0]));
    EXPECT_EQ((std::vector<OptionNotice>{{RVN_OPTIONCHOICECHANGED, h.size, h.radios[1], 1}}), h.notices);
}

TEST(GridOptions, EndingWithoutAnOpenEditorDoesNothing)
{
    OptionsHost h;
    EXPECT_FALSE(h.grid.EndOptionEdit(TRUE));
    EXPECT_EQ(0, (int)h.grid.SendMessage(WM_USER, VK_RETURN, 0));
    EXPECT_TRUE(h.notices.empty());
    EXPECT_EQ("이름: old", h.Text(h.name));
}

// Answers the message box once its loop goes idle.
struct RealBoxes {
    RealBoxes() { mivo::ShowMessageBoxesWithoutScreen(true); }
    ~RealBoxes() { mivo::ShowMessageBoxesWithoutScreen(false); }
};

TEST(GridOptions, AParentShowingAMessageBoxOnTheNewTextEndsTheEditorOnce)
{
    RealBoxes real;
    OptionsHost h;
    int boxes = 0;
    h.recorder.OnMessage(WM_ENTERIDLE, [](HWND, UINT, WPARAM, LPARAM, LRESULT* result) {
        mivo::test::QueueKey(VK_RETURN);
        *result = 0;
        return true;
    });
    h.onOption = [&](const _NMRVOPTION& option) {
        if ((int)option.hdr.code == RVN_OPTIONTEXTCHANGED) {
            boxes++;
            ::MessageBox(h.host, "이름을 바꿨습니다.", "알림", MB_OK);
        }
    };
    for (const char* how : {"Enter", "focus"}) {
        SCOPED_TRACE(how);
        boxes = 0;
        h.notices.clear();
        h.Click(h.name, WM_LBUTTONDBLCLK);
        ASSERT_NE(nullptr, h.Editor());
        ::SetWindowText(h.Editor(), how);
        if (how[0] == 'E')
            mivo::test::PressKey(VK_RETURN);
        else
            h.grid.SetFocus();
        mivo::test::PumpUntilIdle();
        EXPECT_EQ(1, boxes);
        EXPECT_EQ(1u, h.notices.size());
        EXPECT_EQ(nullptr, h.Editor());
        EXPECT_EQ(std::string("이름: ") + how, h.Text(h.name));
    }
}

} // namespace
