// The print-form editor: forms listed by number, items in Seq order, a cell edit
// stored at once and drawn at the same zoom, Escape storing nothing.
#include "PrintFixture.h"

#include "grid/GridTypes.h"
#include "image/ImageObject.h"
#include "print/DlgTemplatePrForm.h"
#include "print/PrintPageBuilder.h"
#include "print/TmplPrintView.h"
#include "resource.h"
#include "support/MessageLoop.h"

using namespace printtest;
using mivo::test::PumpUntilIdle;

namespace {

class FormEditor : public TemplateDatabase {
protected:
    CWnd host;
    std::unique_ptr<CDlgTemplatePrForm> editor;

    void SetUp() override
    {
        TemplateDatabase::SetUp();
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  CRect(0, 0, 1000, 700), nullptr, 0));
        editor.reset(new CDlgTemplatePrForm(&host));
    }
    void TearDown() override
    {
        if (editor->GetSafeHwnd())
            editor->DestroyWindow();
        editor.reset();
        host.DestroyWindow();
        PumpUntilIdle();
    }
    void Open()
    {
        ASSERT_TRUE(editor->Create(IDD_TEMPLATE_PRFORM, &host));
        editor->MoveWindow(0, 0, 980, 660);
        editor->ShowWindow(SW_SHOW);
        PumpUntilIdle();
    }
    int RowOf(int formNo)
    {
        for (int row = 0; row < editor->m_gridForms.GetItemCount(); ++row)
            if ((int)editor->m_gridForms.GetItemData(row) == formNo)
                return row;
        return -1;
    }
    void Click(int formNo) { Notify(IDC_PRFORM_FORM_GRID, RVN_ITEMCLICK, RowOf(formNo), 0, nullptr, 0); }
    LRESULT Notify(UINT grid, int code, int row, int column, const char* text, UINT key)
    {
        _NMRVITEMEDIT edit;
        edit.hdr.hwndFrom = editor->GetDlgItem(grid)->GetSafeHwnd();
        edit.hdr.idFrom = grid;
        edit.hdr.code = (UINT)code;
        edit.iItem = row;
        edit.iSubItem = column;
        edit.lpszText = (LPSTR)text;
        edit.nKey = key;
        if (code == RVN_ITEMCLICK) {
            _NMREPORTVIEW click;
            click.hdr = edit.hdr;
            click.iItem = row;
            click.iSubItem = column;
            return editor->SendMessage(WM_NOTIFY, grid, (LPARAM)&click);
        }
        return editor->SendMessage(WM_NOTIFY, grid, (LPARAM)&edit);
    }
    std::string Stored(const std::string& column, int form, int seq)
    {
        return tmpl.scalar("select " + column + " from PrFormDetail where PrFormNo = " + std::to_string(form) +
                           " and Seq = " + std::to_string(seq));
    }
    COLORREF Sheet(int x, int y) { return editor->m_pFormImg->GetPixelColor(x, y); }
};

}  // namespace

TEST_F(FormEditor, FormsByNumberAndItemsInSeqOrder)
{
    ASSERT_TRUE(tmpl.exec(u8"insert into PrFormMaster values (7, '엽서', '세로', 'P', 1000, 1480, 3, 'User');"
                          "insert into PrFormDetail values (7, 3, 'img', 500, 50, 950, 700, 0, 0, ''),"
                          "(7, 1, 'img', 50, 50, 450, 700, 0, 0, ''), (7, 2, 'line', 0, 760, 1000, 760, 3, 0, 'x');"));
    Open();
    ASSERT_EQ(7, editor->m_gridForms.GetItemCount());
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(row + 1, (int)editor->m_gridForms.GetItemData(row));
    EXPECT_EQ("엽서", std::string(editor->m_gridForms.GetItemText(6, 0)));
    Click(7);
    ASSERT_EQ(3, editor->m_gridItems.GetItemCount());
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(row + 1, (int)editor->m_gridItems.GetItemData(row));
    EXPECT_EQ("line", std::string(editor->m_gridItems.GetItemText(1, 0)));
    EXPECT_EQ(1000, editor->m_pFormImg->GetWidth());
    EXPECT_EQ(CPrintPageBuilder::kSlotColour, Sheet(100, 100));
    EXPECT_EQ(CPrintPageBuilder::kSlotColour, Sheet(600, 100));
    EXPECT_EQ(RGB(255, 255, 255), Sheet(100, 760));  // only "img" items are drawn
}

TEST_F(FormEditor, EditsAreStoredAndDrawnAtTheSameZoom)
{
    Open();
    Click(3);
    int zoom = editor->m_pView->GetZoomRatio();
    ASSERT_EQ(RGB(255, 255, 255), Sheet(1050, 200));
    // Num3 of item 1 from 1000 to 1500: the slot widens into the gap between the slots.
    EXPECT_EQ(0, Notify(IDC_PRFORM_ITEM_GRID, RVN_ENDITEMEDIT, 0, 3, "1500", VK_RETURN));
    EXPECT_EQ("1500", Stored("Num3", 3, 1));
    EXPECT_EQ(CPrintPageBuilder::kSlotColour, Sheet(1050, 200));
    EXPECT_EQ(zoom, editor->m_pView->GetZoomRatio());
    // Escape stores nothing and draws nothing new.
    Notify(IDC_PRFORM_ITEM_GRID, RVN_ENDITEMEDIT, 0, 4, "2000", 27);
    EXPECT_EQ("1435", Stored("Num4", 3, 1));
    EXPECT_EQ(RGB(255, 255, 255), Sheet(500, 1480));
    // Another kind than "img" takes the slot off the sheet.
    Notify(IDC_PRFORM_ITEM_GRID, RVN_ENDITEMEDIT, 1, 0, "frame", VK_RETURN);
    EXPECT_EQ("frame", Stored("DrawType", 3, 2));
    EXPECT_EQ("1435", Stored("Num4", 3, 2));
    EXPECT_EQ(RGB(255, 255, 255), Sheet(1800, 1000));
    // Str1 is never stored: its cell does not open.
    EXPECT_NE(0, Notify(IDC_PRFORM_ITEM_GRID, RVN_BEGINITEMEDIT, 0, 7, "", 0));
    EXPECT_EQ(0, Notify(IDC_PRFORM_ITEM_GRID, RVN_BEGINITEMEDIT, 0, 2, "", 0));
}

TEST_F(FormEditor, ItemsAreFoundBySeqWithinBounds)
{
    ASSERT_TRUE(tmpl.exec("insert into PrFormDetail values (1, 9, 'img', 10, 10, 20, 20, 0, 0, '')"));
    Open();
    Click(1);
    ASSERT_EQ(2, editor->m_gridItems.GetItemCount());
    // Seq 9 has no place among two items: stored, nothing in memory overwritten.
    Notify(IDC_PRFORM_ITEM_GRID, RVN_ENDITEMEDIT, 1, 3, "30", VK_RETURN);
    EXPECT_EQ("30", Stored("Num3", 1, 9));
    EXPECT_EQ(2000u, editor->m_items[0].nNum[2]);
}
