// The column layout string, export files, the clipboard copy, TempReport and
// a tree read from a table.
#include <gtest/gtest.h>

#include "GridFixture.h"
#include "mivo/process.h"
#include "support/TempDatabase.h"
#include "support/TempFolder.h"

#include <fstream>
#include <iterator>

using gridtest::GridHost;
using mivotest::TempDatabase;
using mivotest::TempFolder;

namespace {

void Define(GridHost& h, std::vector<int> widths)
{
    for (size_t i = 0; i < widths.size(); i++) {
        std::string title = "c" + std::to_string(i);
        _RVSUBITEM sub;
        sub.nMask = HDF_STRING;
        sub.iWidth = widths[i];
        sub.lpszText = title.c_str();
        h.grid.DefineSubItem((int)i, &sub);
    }
}

TEST(GridLayout, RoundTrip)
{
    GridHost h;
    Define(h, {120, 80, 200});
    h.grid.ActivateSubItem(2, 0);
    h.grid.ActivateSubItem(0, 1);
    EXPECT_STREQ("(3,2) 120 80 200 2 0", h.grid.GridProfileString());

    GridHost other;
    Define(other, {10, 10, 10});
    ASSERT_TRUE(other.grid.ApplyProfileString("(3,2) 120 80 200 2 0"));
    EXPECT_STREQ("(3,2) 120 80 200 2 0", other.grid.GridProfileString());
    EXPECT_EQ(2, other.grid.GetSubItemFromColumn(0));
    EXPECT_EQ(200, other.grid.GetSubItemWidth(2));
}

TEST(GridLayout, RejectedStringsChangeNothing)
{
    const char* rejected[] = {
        "",                     "(4,2) 1 2 3 4 0 1", "(3,0) 1 2 3",    "(3,2) 1 2 3 0",  // short
        "(3,2) 1 2 3 0 3",      "(3,2) 1 2 3 1 1",   "(3,4) 1 2 3 0 1 2 0", "(3,2",
        "(x,2) 1 2 3 0 1",      "(3,2) 1 2 3 -1 0",
    };
    for (const char* layout : rejected) {
        GridHost h;
        Define(h, {50, 60, 70});
        h.grid.ActivateSubItem(1, 0);
        EXPECT_FALSE(h.grid.ApplyProfileString(layout)) << layout;
        EXPECT_STREQ("(3,1) 50 60 70 1", h.grid.GridProfileString()) << layout;
    }
}

TEST(GridLayout, StoredWidthsIgnoreTheMinimum)
{
    GridHost h;
    _RVSUBITEM sub;
    sub.nMask = HDF_STRING;
    sub.iWidth = 50;
    sub.iMinWidth = 30;
    sub.lpszText = "a";
    h.grid.DefineSubItem(0, &sub);
    ASSERT_TRUE(h.grid.ApplyProfileString("(1,1) 5 0"));
    EXPECT_EQ(5, h.grid.GetSubItemWidth(0));
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct ExportGrid : GridHost {
    TempFolder folder{"mivo-grid"};
    std::vector<std::vector<std::string>> starts;
    ExportGrid()
    {
        Define(*this, {50, 50, 50});
        grid.ActivateSubItem(2, 0);
        grid.ActivateSubItem(0, 1);
        grid.ActivateSubItem(1, 2);
        Rows({"a0", "b0"});
        grid.SetItemText(0, 1, "a1");
        grid.SetItemText(0, 2, "a\t2");
        grid.SetItemText(1, 1, "b\r1");
        grid.SetRunDirectory(folder.windowsPath().c_str());
        grid.SetRunFile("grid");
        mivo::SetSpawnHook([this](const std::vector<std::string>& argv) {
            starts.push_back(argv);
            return true;
        });
    }
    ~ExportGrid() { mivo::SetSpawnHook(nullptr); }
};

TEST(GridExport, SpreadsheetAndTextBytes)
{
    ExportGrid g;
    g.grid.SendMessage(WM_COMMAND, 18773);
    EXPECT_EQ("a 2\ta0\ta1\t\r\tb0\tb 1\t\r", ReadAll(g.folder.path() + "/Temp/grid.xls"));
    g.grid.OnVxgridText();
    EXPECT_EQ("a 2\ta0\ta1\t\r\n\tb0\tb 1\t\r\n", ReadAll(g.folder.path() + "/Temp/grid.txt"));
    ASSERT_EQ(2u, g.starts.size());
    EXPECT_EQ(g.folder.path() + "/Temp/grid.txt", g.starts[1].back());
}

TEST(GridExport, CopyJoinsSelectedRowsInRowOrder)
{
    GridHost h;
    h.Columns(2);
    h.Rows({"a", "b\tx", "c"});
    h.grid.SetSelection(2);
    h.grid.SetSelection(1, TRUE);
    h.grid.Copy();
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE data = ::GetClipboardData(CF_TEXT);
    ASSERT_NE(nullptr, data);
    std::string text = (const char*)::GlobalLock(data);
    ::GlobalUnlock(data);
    ::CloseClipboard();
    EXPECT_EQ("b x\t\nc\t\n", text);
}

const char* kTempReport =
    "CREATE TABLE TempReport (RepID TEXT, RowNum INTEGER, Column000 TEXT, Column001 TEXT, Column002 TEXT);"
    "CREATE TABLE Tree (ID INTEGER, Name TEXT, Parent INTEGER, Note TEXT);";

TEST(GridTransfer, SaveToLocalDbReplacesTheReportsRows)
{
    TempDatabase db("GridTest", {}, kTempReport);
    db.exec("INSERT INTO TempReport (RepID, RowNum) VALUES ('O\x1Eld', 9);");
    db.exec("INSERT INTO TempReport (RepID, RowNum) VALUES ('other', 9);");
    GridHost h;
    h.Columns(3);
    h.Rows({"x'1", "y"});
    h.grid.SetItemText(1, 2, "z");
    h.grid.SaveToLocalDB(db.dsn().c_str(), "O'ld");
    EXPECT_EQ("3", db.scalar("SELECT COUNT(*) FROM TempReport"));
    EXPECT_EQ("x\x1E" "1", db.scalar("SELECT Column000 FROM TempReport WHERE RowNum = 0"));
    EXPECT_EQ("z", db.scalar("SELECT Column002 FROM TempReport WHERE RowNum = 1"));
    h.grid.SaveToLocalDB(db.dsn().c_str(), "new"); // nothing to delete is no failure
    EXPECT_EQ("5", db.scalar("SELECT COUNT(*) FROM TempReport"));
}

TEST(GridTransfer, HierarchyPlacesChildrenFetchedBeforeTheirParents)
{
    TempDatabase db("GridTree", {}, kTempReport);
    db.exec("INSERT INTO Tree VALUES (3, 'grandchild', 2, 'g'), (2, 'child', 1, 'c'), (1, 'top', 0, 't'),"
            " (9, 'orphan', 77, 'o');");
    GridHost h(RVS_TREEMODEL);
    h.Columns(2);
    int read = h.grid.MakeHierarchyGridFromTable(db.dsn().c_str(), "", "", "Tree", "ID", "Name", "Parent", "Note",
                                                 "", "Order By ID", 0, 1);
    EXPECT_EQ(4, read);
    _TREEITEM* top = h.grid.SearchTreeItemByData(RVTI_ROOT, 1);
    _TREEITEM* child = h.grid.SearchTreeItemByData(RVTI_ROOT, 2);
    _TREEITEM* grandchild = h.grid.SearchTreeItemByData(RVTI_ROOT, 3);
    ASSERT_TRUE(top && child && grandchild);
    EXPECT_TRUE(h.grid.IsChild(top, child));
    EXPECT_TRUE(h.grid.IsChild(child, grandchild));
    EXPECT_TRUE(h.grid.IsChild(RVTI_ROOT, h.grid.SearchTreeItemByData(RVTI_ROOT, 9)));
    EXPECT_STREQ("c", h.grid.GetItemText(h.grid.GetItemIndex(child), 1));
    EXPECT_EQ(1, h.grid.GetItemImage(h.grid.GetItemIndex(child), 0));
}

} // namespace
