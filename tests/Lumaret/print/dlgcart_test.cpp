// The order cart on a temporary user database: the default list, new lists, adding
// pictures twice, emptying and deleting lists, clearing all, renaming in place, and
// the list buttons enabled only by a click on a row.
#include "PrintFixture.h"

#include "grid/GridTypes.h"
#include "mivo/testing/msgbox.h"
#include "print/DlgCart.h"
#include "resource.h"
#include "support/MessageLoop.h"

#include <deque>

using namespace printtest;
using mivo::test::PumpUntilIdle;

namespace {

class Cart : public UserDatabase {
protected:
    std::unique_ptr<CDlgCart> dlg;
    std::deque<int> answers;            // for the questions, in order
    std::vector<std::string> asked;     // every box's text
    mivo::MessageBoxHook previous;

    void SetUp() override
    {
        UserDatabase::SetUp();
        previous = mivo::SetMessageBoxHook([this](HWND, const char* text, const char*, UINT) {
            asked.push_back(text);
            int answer = answers.empty() ? IDNO : answers.front();
            if (!answers.empty())
                answers.pop_front();
            return answer;
        });
        dlg.reset(new CDlgCart(nullptr));
    }
    void TearDown() override
    {
        if (dlg->GetSafeHwnd())
            dlg->DestroyWindow();
        dlg.reset();
        mivo::SetMessageBoxHook(previous);
        PumpUntilIdle();
    }
    void Open()
    {
        ASSERT_TRUE(dlg->Create(IDD_CART, nullptr));
        PumpUntilIdle();
    }
    void Click(int row, int column)
    {
        _NMREPORTVIEW click;
        click.hdr.hwndFrom = dlg->m_gridCart.GetSafeHwnd();
        click.hdr.idFrom = IDC_CART_GRID;
        click.hdr.code = (UINT)RVN_ITEMCLICK;
        click.iItem = row;
        click.iSubItem = column;
        dlg->SendMessage(WM_NOTIFY, IDC_CART_GRID, (LPARAM)&click);
    }
    void Press(UINT id) { dlg->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)dlg->GetDlgItem(id)->GetSafeHwnd()); }
    // The grid as "no:name:count" rows joined by " ; ".
    std::string Grid()
    {
        std::string text;
        for (int row = 0; row < dlg->m_gridCart.GetItemCount(); ++row) {
            if (row)
                text += " ; ";
            text += std::string(dlg->m_gridCart.GetItemText(row, 0)) + ":" +
                    std::string(dlg->m_gridCart.GetItemText(row, 1)) + ":" +
                    std::to_string((int)dlg->m_gridCart.GetItemValue(row, 2));
        }
        return text;
    }
    std::string Lists()
    {
        return user.scalar("select group_concat(r, ' ; ') from (select CartNo||':'||CartName as r from CartMaster "
                           "order by CartNo)");
    }
    bool ListButtonsEnabled() { return dlg->m_btnAdd.IsWindowEnabled() && dlg->m_btnEmptyList.IsWindowEnabled(); }
};

}  // namespace

TEST_F(Cart, AnEmptyCartOpensWithTheDefaultListStored)
{
    dlg->m_arrPaths.Add("C:\\a.jpg");
    dlg->m_arrPaths.Add("C:\\b.jpg");
    Open();
    EXPECT_EQ("1:기본 장바구니:0", Grid());
    EXPECT_EQ(u8"1:기본 장바구니", Lists());
    EXPECT_EQ(2, dlg->m_nCount);
    EXPECT_EQ("2", std::string([&] {
                  CString t;
                  dlg->GetDlgItemText(IDC_CART_COUNT, t);
                  return t;
              }()));
    EXPECT_FALSE(ListButtonsEnabled());
    Click(0, 0);
    EXPECT_TRUE(ListButtonsEnabled());
    Click(-1, -1);
    EXPECT_TRUE(ListButtonsEnabled());
}

TEST_F(Cart, AddingTheSamePicturesTwiceReportsThemAsPossibleDuplicates)
{
    dlg->m_arrPaths.Add("C:\\사진\\a.jpg");
    dlg->m_arrPaths.Add("C:\\b's.jpg");
    Open();
    Click(0, 1);
    Press(IDC_CART_ADD);
    EXPECT_FALSE(ListButtonsEnabled());
    Click(0, 1);
    Press(IDC_CART_ADD);
    ASSERT_EQ(2u, asked.size());
    EXPECT_EQ("2 개 항목이 추가되었습니다.", asked[0]);
    EXPECT_EQ("0 개 항목이 추가되었습니다.\r\n2 개 항목은 추가될 수 없습니다.중복된 항목인지 확인하십시요.", asked[1]);
    EXPECT_EQ("1:기본 장바구니:2", Grid());
    EXPECT_EQ("2", user.scalar("select count(*) from CartItems where CartNo = 1"));
}

TEST_F(Cart, NewListsTakeTheNextNumber)
{
    ASSERT_TRUE(user.exec(u8"insert into CartMaster values (1, '가족'), (5, '여행')"));
    Open();
    Press(IDC_CART_NEW);
    EXPECT_EQ("1:가족:0 ; 5:여행:0 ; 6:새 장바구니:0", Grid());
    EXPECT_FALSE(ListButtonsEnabled());
}

TEST_F(Cart, EmptyingAndDeletingFollowTheAnswers)
{
    ASSERT_TRUE(user.exec(u8"insert into CartMaster values (1, '가족'), (2, '여행');"
                          "insert into CartItems values (2, 'C:\\x.jpg'), (2, 'C:\\y.jpg')"));
    struct Case {
        const char* name;
        int row;
        std::vector<int> answers;
        std::vector<std::string> questions;
        const char* after;
        bool reread;  // a change re-reads the lists, which disables the list buttons
    } cases[] = {
        {"yes then no keeps the emptied list", 1, {IDYES, IDNO},
         {"[여행] 에 있는 모든 항목을 지우시겠습니까?", "목록을 삭제하시겠습니까?"}, "1:가족:0 ; 2:여행:0", true},
        {"no keeps the items", 1, {IDNO}, {"[여행] 에 있는 모든 항목을 지우시겠습니까?"}, "1:가족:0 ; 2:여행:2", false},
        {"an empty list is only asked about deleting", 0, {IDYES}, {"목록을 삭제하시겠습니까?"}, "2:여행:2", true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(user.exec(u8"delete from CartMaster; delete from CartItems;"
                              u8"insert into CartMaster values (1, '가족'), (2, '여행');"
                              "insert into CartItems values (2, 'C:\\x.jpg'), (2, 'C:\\y.jpg')"));
        dlg.reset(new CDlgCart(nullptr));
        Open();
        asked.clear();
        answers.assign(c.answers.begin(), c.answers.end());
        Click(c.row, 0);
        Press(IDC_CART_EMPTY);
        EXPECT_EQ(c.questions, asked) << c.name;
        EXPECT_EQ(c.after, Grid()) << c.name;
        EXPECT_EQ(!c.reread, ListButtonsEnabled()) << c.name;
        dlg->DestroyWindow();
    }
}

TEST_F(Cart, NoListIsEverLeftBehind)
{
    ASSERT_TRUE(user.exec(u8"insert into CartMaster values (3, '여행'); insert into CartItems values (3, 'C:\\x.jpg')"));
    Open();
    answers = {IDYES, IDYES};
    Click(0, 1);
    Press(IDC_CART_EMPTY);
    EXPECT_EQ("1:기본 장바구니:0", Grid());
    EXPECT_EQ(u8"1:기본 장바구니", Lists());

    ASSERT_TRUE(user.exec(u8"insert into CartMaster values (4, '가족'); insert into CartItems values (4, 'C:\\y.jpg')"));
    dlg->ReadLists();
    asked.clear();
    answers = {IDYES};
    Press(IDC_CART_CLEAR_ALL);
    EXPECT_EQ(std::vector<std::string>{"현재 장바구니 목록과 장바구니의 모든 항목을 지우시겠습니까?"}, asked);
    EXPECT_EQ("1:기본 장바구니:0", Grid());
    EXPECT_EQ("0", user.scalar("select count(*) from CartItems"));
}

TEST_F(Cart, OnlyTheNameIsRenamedInPlaceAndEscapeKeepsIt)
{
    Open();
    Click(0, 0);
    EXPECT_FALSE(dlg->m_gridCart.GetStyle() & 0x1000);
    Click(0, 1);
    auto edit = [&](int column, const char* text, UINT key) {
        _NMRVITEMEDIT e;
        e.hdr.hwndFrom = dlg->m_gridCart.GetSafeHwnd();
        e.hdr.idFrom = IDC_CART_GRID;
        e.hdr.code = (UINT)RVN_ENDITEMEDIT;
        e.iItem = 0;
        e.iSubItem = column;
        e.lpszText = (LPSTR)text;
        e.nKey = key;
        return dlg->SendMessage(WM_NOTIFY, IDC_CART_GRID, (LPARAM)&e);
    };
    EXPECT_EQ(0, edit(1, "여름 휴가", VK_RETURN));
    EXPECT_EQ(u8"1:여름 휴가", Lists());
    edit(1, "취소된 이름", 27);
    EXPECT_EQ(u8"1:여름 휴가", Lists());
    edit(0, "9", VK_RETURN);
    EXPECT_EQ(u8"1:여름 휴가", Lists());
}
