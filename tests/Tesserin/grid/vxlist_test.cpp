// The report list: sorting with the title marks, the cell editors, the Delete
// key, row colours and the export files.
#include <gtest/gtest.h>

#include "ListFixture.h"
#include "grid/VXListCombo.h"
#include "grid/VXListEdit.h"
#include "mivo/process.h"
#include "support/DialogDriver.h"
#include "support/DialogTemplateBuilder.h"
#include "support/InputSynth.h"
#include "support/TempDatabase.h"
#include "support/TempFolder.h"
#include "support/WindowCapture.h"

#include <fstream>
#include <iterator>

using listtest::ListHost;
using namespace mivo::test;

namespace {

const char kKorean20[] = "가나다라마바사아자차"; // 20 bytes

std::string Title(CVXListCtrl& list, int column)
{
    char text[256] = "";
    LVCOLUMN col = {LVCF_TEXT};
    col.pszText = text;
    col.cchTextMax = sizeof(text);
    list.GetColumn(column, &col);
    return text;
}

// Clicks alternate between two points apart, so that two of them never make a double click.
int g_clicks = 0;

int ClickX(const CRect& rect)
{
    return rect.CenterPoint().x + (g_clicks++ % 2 ? 20 : -20);
}

void ClickHeader(CVXListCtrl& list, int column)
{
    CHeaderCtrl* header = list.GetHeaderCtrl();
    CRect rect;
    header->GetItemRect(column, &rect);
    Click(header->m_hWnd, ClickX(rect), rect.CenterPoint().y);
}

void ClickCell(ListHost& h, int row, int column)
{
    CRect cell = h.Cell(row, column);
    Click(h.list.m_hWnd, ClickX(cell), cell.CenterPoint().y);
}

TEST(VXListSort, HeaderClicksSortAndMarkOnlyTheSortedTitle)
{
    ListHost h;
    h.Columns({"a △", "b", kKorean20});
    h.Rows({{"1", "x", "b"}, {"2", "y", "c"}, {"3", "z", "a"}});
    ClickHeader(h.list, 2);
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), h.Column(2));
    EXPECT_EQ(std::string(kKorean20) + " △", Title(h.list, 2));
    EXPECT_EQ("a", Title(h.list, 0));
    EXPECT_EQ("b", Title(h.list, 1));
    ClickHeader(h.list, 2);
    EXPECT_EQ((std::vector<std::string>{"c", "b", "a"}), h.Column(2));
    EXPECT_EQ(std::string(kKorean20) + " ▽", Title(h.list, 2));
    ClickHeader(h.list, 0);
    EXPECT_EQ(kKorean20, Title(h.list, 2));
    EXPECT_EQ("a △", Title(h.list, 0));
}

struct SortCase {
    bool numeric;
    BOOL ascending;
    int first, last;
    int result;
    std::vector<std::string> order;
};

TEST(VXListSort, TextAndNumberTablesMoveWholeRows)
{
    const SortCase cases[] = {
        {false, TRUE, 0, -1, 1, {"1,000", "10", "9", "999"}},
        {false, FALSE, 0, -1, 1, {"999", "9", "10", "1,000"}},
        {true, TRUE, 0, -1, 1, {"9", "10", "999", "1,000"}},
        {true, FALSE, 0, 3, 1, {"1,000", "999", "10", "9"}},
        {true, TRUE, 0, 2, 1, {"9", "10", "1,000", "999"}},
        {true, TRUE, 2, 2, 0, {"10", "9", "1,000", "999"}},
        {false, TRUE, 3, 1, 0, {"10", "9", "1,000", "999"}},
    };
    for (const SortCase& c : cases) {
        ListHost h;
        h.Columns({"v", "tag"});
        h.Rows({{"10", "r0"}, {"9", "r1"}, {"1,000", "r2"}, {"999", "r3"}});
        for (int row = 0; row < 4; row++)
            h.list.SetItemData(row, (DWORD_PTR)(100 + row));
        h.list.SetCheck(1, TRUE);
        h.list.SetCheck(3, TRUE);
        h.list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
        int result = c.numeric ? h.list.SortNumericItems(0, c.ascending, c.first, c.last)
                               : h.list.SortTextItems(0, c.ascending, c.first, c.last);
        std::string label = std::to_string(c.numeric) + "/" + std::to_string(c.ascending) + " " +
                            std::to_string(c.first) + ".." + std::to_string(c.last);
        EXPECT_EQ(c.result, result) << label;
        EXPECT_EQ(c.order, h.Column(0)) << label;
        for (int row = 0; row < 4; row++) {
            int tag = h.Column(1)[(size_t)row][1] - '0';
            EXPECT_EQ((DWORD_PTR)(100 + tag), h.list.GetItemData(row)) << label << " row " << row;
            EXPECT_EQ(tag == 1 || tag == 3, h.list.GetCheck(row) != 0) << label << " row " << row;
            EXPECT_EQ(tag == 2, h.list.GetItemState(row, LVIS_SELECTED) != 0) << label << " row " << row;
        }
    }
}

TEST(VXListSort, EqualTextsStayAndColumnsBeyondTheHeaderAreRefused)
{
    ListHost h;
    h.Columns({"v", "tag"});
    h.Rows({{"5", "r0"}, {"5", "r1"}});
    EXPECT_EQ(1, h.list.SortTextItems(0, FALSE));
    EXPECT_EQ((std::vector<std::string>{"r0", "r1"}), h.Column(1));
    EXPECT_EQ(0, h.list.SortTextItems(2, TRUE));
    EXPECT_EQ(0, h.list.SortNumericItems(-1, TRUE));
}

TEST(VXListEdit, SecondClickOpensTheBoxEnterStoresEscapeLeaves)
{
    ListHost h;
    h.Columns({"name", "value"});
    h.Rows({{"a", "old"}, {"b", "two"}});
    h.list.SetExtendedStyle(h.list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    h.list.EnableEditing(TRUE);
    ClickCell(h, 1, 1);
    EXPECT_TRUE(h.list.GetItemState(1, LVIS_SELECTED));
    EXPECT_EQ(nullptr, h.list.GetOpenEdit());
    ClickCell(h, 1, 1);
    CVXListEdit* edit = h.list.GetOpenEdit();
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ(IDC_VXLIST_EDIT, edit->GetDlgCtrlID());
    EXPECT_EQ(edit->m_hWnd, ::GetFocus());
    CRect box, cell = h.Cell(1, 1);
    edit->GetWindowRect(&box);
    h.list.ScreenToClient(&box);
    EXPECT_EQ(cell.left + 2, box.left);
    CString text;
    edit->GetWindowText(text);
    EXPECT_STREQ("two", text);
    TypeText("새");
    PressKey(VK_RETURN);
    PumpUntilIdle();
    EXPECT_EQ(nullptr, h.list.GetOpenEdit());
    EXPECT_STREQ("새two", h.list.GetItemText(1, 1));
    ASSERT_EQ(1u, h.endEdits.size());
    EXPECT_EQ(IDC_VXLIST_EDIT, h.endEdits[0].id);
    EXPECT_EQ("새two", h.endEdits[0].text);

    ClickCell(h, 1, 1);
    ASSERT_NE(nullptr, h.list.GetOpenEdit());
    TypeText("zz");
    PressKey(VK_ESCAPE);
    PumpUntilIdle();
    EXPECT_EQ(nullptr, h.list.GetOpenEdit());
    EXPECT_STREQ("새two", h.list.GetItemText(1, 1));
    EXPECT_EQ(1u, h.endEdits.size());
    // The box is gone: scrolling, the wheel and a header click must not reach it.
    h.list.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    h.list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA));
    ClickHeader(h.list, 0);
}

TEST(VXListEdit, NoEditorOnACellOutsideTheList)
{
    ListHost h;
    h.Columns({"name", "value"});
    h.Rows({{"a", "x"}, {"b", "y"}});
    const CPoint cells[] = {{2, 1}, {-1, 0}, {0, 2}, {0, -1}};
    for (CPoint cell : cells) {
        EXPECT_EQ(nullptr, h.list.EditItem(cell.x, cell.y)) << cell.x << "," << cell.y;
        EXPECT_EQ(nullptr, h.list.ComboItem(cell.x, cell.y)) << cell.x << "," << cell.y;
    }
    EXPECT_EQ(nullptr, h.list.GetOpenEdit());
    EXPECT_EQ(nullptr, h.list.GetOpenCombo());
}

TEST(VXListEdit, BoxWidensWithItsTextUpToTheListEdge)
{
    ListHost h(300, 150);
    h.Columns({"name", "value"});
    h.Rows({{"a", "x"}});
    CEdit* edit = h.list.EditItem(0, 1);
    ASSERT_NE(nullptr, edit);
    CRect before;
    edit->GetWindowRect(&before);
    TypeText("wwwwwwwwwwwwwwwwwwwwwwwwwwww");
    CRect after, client;
    edit->GetWindowRect(&after);
    h.list.GetClientRect(&client);
    h.list.ClientToScreen(&client);
    EXPECT_GT(after.Width(), before.Width());
    EXPECT_EQ(client.right, after.right);
    PressKey(VK_ESCAPE);
    PumpUntilIdle();
}

TEST(VXListEdit, EditorsClosedWhileEditingIsOffAreForgotten)
{
    ListHost h;
    h.Columns({"name", "value"});
    h.Rows({{"a", "x"}, {"b", "y"}});
    ASSERT_NE(nullptr, h.list.EditItem(0, 1));
    PressKey(VK_RETURN);
    PumpUntilIdle();
    EXPECT_EQ(nullptr, h.list.GetOpenEdit());
    // Editing off: the list leaves the cell and the parent hears of it.
    EXPECT_STREQ("x", h.list.GetItemText(0, 1));
    ASSERT_EQ(1u, h.endEdits.size());
    h.list.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    h.list.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    ClickHeader(h.list, 1);
}

TEST(VXListCombo, SelectsTheCellTextAndReportsTheChosenEntry)
{
    ListHost h;
    h.Columns({"name", "fruit"});
    h.Rows({{"a", "배"}, {"b", "자두"}});
    h.list.GetChoices().AddTail("사과");
    h.list.GetChoices().AddTail("배");
    h.list.GetChoices().AddTail("감");
    CComboBox* combo = h.list.ComboItem(0, 1);
    ASSERT_NE(nullptr, combo);
    EXPECT_EQ(IDC_VXLIST_COMBO, combo->GetDlgCtrlID());
    EXPECT_EQ(1, combo->GetCurSel());
    combo->SetItemData(2, 77);
    combo->SetCurSel(2);
    PressKey(VK_RETURN);
    PumpUntilIdle();
    EXPECT_EQ(nullptr, h.list.GetOpenCombo());
    ASSERT_EQ(1u, h.endEdits.size());
    EXPECT_EQ(IDC_VXLIST_COMBO, h.endEdits[0].id);
    EXPECT_EQ("감", h.endEdits[0].text);
    EXPECT_EQ(77, h.endEdits[0].data);

    // No entry equals "자두": nothing selected, nothing reported, the cell stays.
    h.list.EnableEditing(TRUE);
    combo = h.list.ComboItem(1, 1);
    ASSERT_NE(nullptr, combo);
    EXPECT_EQ(-1, combo->GetCurSel());
    PressKey(VK_ESCAPE);
    PumpUntilIdle();
    EXPECT_EQ(nullptr, h.list.GetOpenCombo());
    EXPECT_EQ(1u, h.endEdits.size());
    EXPECT_STREQ("자두", h.list.GetItemText(1, 1));
    h.list.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    h.list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));
    ClickHeader(h.list, 1);
}

TEST(VXListCombo, SecondClickOnAComboColumnStoresTheChoice)
{
    ListHost h;
    h.Columns({"name", "fruit"});
    h.Rows({{"a", "배"}});
    h.list.AddColumnType(VXLIST_COLUMN_EDIT);
    h.list.AddColumnType(VXLIST_COLUMN_COMBO);
    h.list.GetChoices().AddTail("사과");
    h.list.GetChoices().AddTail("배");
    h.list.EnableEditing(TRUE);
    ClickCell(h, 0, 1);
    ClickCell(h, 0, 1);
    CVXListCombo* combo = h.list.GetOpenCombo();
    ASSERT_NE(nullptr, combo);
    EXPECT_EQ(nullptr, h.list.GetOpenEdit());
    combo->SetCurSel(0);
    PressKey(VK_RETURN);
    PumpUntilIdle();
    EXPECT_STREQ("사과", h.list.GetItemText(0, 1));
    EXPECT_TRUE(h.endEdits.empty()); // the list keeps a choice to itself
}

TEST(VXListKeys, DeleteRemovesTheRowAtTheSelectionMark)
{
    struct Case {
        int mark;
        std::vector<std::string> left;
    } cases[] = {{1, {"a", "c"}}, {-1, {"a", "b", "c"}}};
    for (const Case& c : cases) {
        ListHost h;
        h.Columns({"name"});
        h.Rows({{"a"}, {"b"}, {"c"}});
        h.list.SetFocus();
        h.list.SetSelectionMark(c.mark);
        PressKey(VK_DELETE);
        PumpUntilIdle();
        EXPECT_EQ(c.left, h.Column(0)) << c.mark;
    }
}

TEST(VXListPaint, RowsTakeTheirColourFromTheirData)
{
    ListHost h(300, 160);
    h.Columns({"name", "blank"});
    h.Rows({{"■■■■"}, {"■■■■"}, {"■■■■"}, {"■■■■"}});
    const LPARAM data[] = {10000000, 29999999, 0, 35000000};
    const COLORREF text[] = {RGB(0, 0, 128), RGB(0, 0, 0), RGB(128, 0, 0), RGB(128, 0, 0)};
    for (int row = 0; row < 4; row++)
        h.list.SetItemData(row, (DWORD_PTR)data[row]);
    h.list.SetColorByData(TRUE);
    h.list.Invalidate();
    PumpUntilIdle();
    WindowImage image = CaptureWindow(h.list.m_hWnd, true);
    for (int row = 0; row < 4; row++) {
        CRect cell = h.Cell(row, 1), label;
        h.list.GetItemRect(row, &label, LVIR_LABEL);
        EXPECT_EQ(RGB(192, 192, 192), image.At(cell.CenterPoint().x, cell.CenterPoint().y)) << row;
        int found = 0, other = 0;
        for (int x = label.left; x < label.right; x++) {
            COLORREF pixel = image.At(x, label.CenterPoint().y);
            found += pixel == text[row];
            for (COLORREF candidate : {RGB(0, 0, 128), RGB(0, 0, 0), RGB(128, 0, 0)})
                other += candidate != text[row] && pixel == candidate;
        }
        EXPECT_GT(found, 0) << row;
        EXPECT_EQ(0, other) << row;
    }
}

TEST(VXListExport, HeaderMenuNamesBothExports)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(11001));
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, popup);
    CString text;
    const struct {
        UINT id;
        const char* text;
    } items[] = {{18775, "엑셀"}, {18776, "텍스트"}};
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(items[i].id, popup->GetMenuItemID(i));
        popup->GetMenuString(i, text, MF_BYPOSITION);
        EXPECT_STREQ(items[i].text, text);
    }
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(VXListExport, FilesOfEveryRowAndHeaderColumn)
{
    mivotest::TempFolder folder("mivo-list");
    std::vector<std::vector<std::string>> starts;
    mivo::SetSpawnHook([&](const std::vector<std::string>& argv) {
        starts.push_back(argv);
        return true;
    });
    ListHost h;
    h.Columns({"a", "b"});
    h.Rows({{"1", "x\ty"}, {"", "가"}});
    h.list.SetRunDirectory(folder.windowsPath().c_str());
    h.list.SetRunFile("list");
    h.list.SendMessage(WM_COMMAND, 18775);
    h.list.SendMessage(WM_COMMAND, 18776);
    mivo::SetSpawnHook(nullptr);
    EXPECT_EQ("1\tx y\t\r\t가\t\r", ReadAll(folder.path() + "/Temp/list.xls"));
    EXPECT_EQ("1\tx y\t\r\n\t가\t\r\n", ReadAll(folder.path() + "/Temp/list.txt"));
    ASSERT_EQ(2u, starts.size());
    EXPECT_EQ(folder.path() + "/Temp/list.txt", starts[1].back());
}

TEST(VXListExport, SaveToLocalDbWritesEveryRow)
{
    mivotest::TempDatabase db("ListTest", {},
                              "CREATE TABLE TempReport (RepID TEXT, RowNum INTEGER, Column000 TEXT, Column001 TEXT);");
    db.exec("INSERT INTO TempReport (RepID, RowNum) VALUES ('R\x1E" "1', 9);");
    ListHost h;
    h.Columns({"a", "b"});
    h.Rows({{"it's", "x"}, {"y", "z"}});
    h.list.SaveToLocalDB(db.dsn().c_str(), "R'1");
    EXPECT_EQ("2", db.scalar("SELECT COUNT(*) FROM TempReport"));
    EXPECT_EQ("it\x1Es", db.scalar("SELECT Column000 FROM TempReport WHERE RowNum = 0"));
    EXPECT_EQ("z", db.scalar("SELECT Column001 FROM TempReport WHERE RowNum = 1"));
}

} // namespace

namespace {

// A dialog around a report list: Enter and Escape in a cell editor must not end the dialog.
class ListDialog : public CDialog {
public:
    CVXListCtrl list;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(5, 5, 305, 125), this, 1200);
        list.InsertColumn(0, "name", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "value", LVCFMT_LEFT, 100);
        list.InsertItem(0, "a");
        list.SetItemText(0, 1, "old");
        list.EnableEditing(TRUE);
        return TRUE;
    }
};

TEST(VXListEdit, KeysOfTheEditorsNeverReachTheDialog)
{
    DialogTemplateBuilder layout(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 220, 110, u"목록");
    layout.Item(ItemClass::Button, u"확인", IDOK, 150, 90, 60, 14, WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON);
    ModalScript script;
    ListDialog dlg;
    dlg.InitModalIndirect(layout.Get(), CWnd::FromHandle(script.Owner()));
    script
        .Then([&](HWND) {
            ASSERT_NE(nullptr, dlg.list.EditItem(0, 1));
            QueueText("x");
            QueueKey(VK_DELETE); // the caret's character, not the row
            QueueKey(VK_RETURN);
        })
        .Then([&](HWND dialog) {
            EXPECT_TRUE(::IsWindowVisible(dialog));
            EXPECT_STREQ("xld", dlg.list.GetItemText(0, 1));
            EXPECT_EQ(1, dlg.list.GetItemCount());
            ASSERT_NE(nullptr, dlg.list.ComboItem(0, 1));
            QueueKey(VK_ESCAPE);
        })
        .Then([&](HWND dialog) {
            EXPECT_TRUE(::IsWindowVisible(dialog));
            EXPECT_EQ(nullptr, dlg.list.GetOpenCombo());
            QueueKey(VK_ESCAPE); // now the list has the focus: the dialog ends
        });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

} // namespace
