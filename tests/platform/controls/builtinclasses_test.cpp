// The built-in window classes are there from the start, each as its row says.
#include <gtest/gtest.h>

#include <win32.h>

namespace {

struct ClassRow {
    const char* name;
    UINT style;
    LPCSTR cursor;
};

const ClassRow kRows[] = {
    {"Button", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW},
    {"Static", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW},
    {"Edit", CS_DBLCLKS, IDC_IBEAM},
    {"ListBox", CS_DBLCLKS, IDC_ARROW},
    {"ComboLBox", CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW},
    {"ComboBox", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW},
    {"ScrollBar", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW},
    {"SysHeader32", CS_DBLCLKS, IDC_ARROW},
    {"SysListView32", CS_DBLCLKS, IDC_ARROW},
    {"SysTreeView32", CS_DBLCLKS, IDC_ARROW},
    {"tooltips_class32", CS_SAVEBITS, IDC_ARROW},
};

}  // namespace

TEST(BuiltinClasses, EachIsRegisteredForEveryModuleWithItsRow)
{
    HINSTANCE someModule = (HINSTANCE)(UINT_PTR)0x5000;
    for (const ClassRow& row : kRows) {
        SCOPED_TRACE(row.name);
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        ASSERT_TRUE(GetClassInfoEx(someModule, row.name, &wc));
        EXPECT_EQ(wc.style, row.style | CS_GLOBALCLASS);
        EXPECT_EQ(wc.cbWndExtra, (int)sizeof(LONG_PTR));
        EXPECT_EQ(wc.cbClsExtra, 0);
        EXPECT_EQ(wc.hCursor, LoadCursor(nullptr, row.cursor));
        EXPECT_EQ(wc.hbrBackground, nullptr);
        EXPECT_NE(wc.lpfnWndProc, nullptr);
    }
}
