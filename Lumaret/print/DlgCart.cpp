#include "print/DlgCart.h"

#include "framework/ODBCQuery.h"
#include "print/ListGrid.h"
#include "resource.h"
#include "shell/MainApp.h"

#include <cstdlib>

namespace {

const char kLayoutEntry[] = "Grid_CartList";
const char kDefaultName[] = "기본 장바구니";
const char kNewName[] = "새 장바구니";
const UINT kHandCursor = 128;
const UINT kIconClose = 185;
const UINT kIconOrder = 195;
const UINT kTreeImages = 131;
const DWORD kGridStyle = 0x103B;
const UINT kEditableStyle = 0x1000;
const int kEscapeKey = 27;

struct UserQuery : CODBCQuery {
    UserQuery() : CODBCQuery(theApp.m_strUserDSN, theApp.m_strUserUID, theApp.m_strUserPWD, 1) { InitQuery(); }
};

bool AskYesNo(const CString& text)
{
    return AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgCart, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgCart, CVXDialog)
    ON_WM_DESTROY()
    ON_NOTIFY(RVN_ITEMCLICK, IDC_CART_GRID, OnGridClick)
    ON_NOTIFY(RVN_ENDITEMEDIT, IDC_CART_GRID, OnGridEndEdit)
    ON_NOTIFY(RVN_BEGINITEMEDIT, IDC_CART_GRID, OnGridReplyZero)
    ON_NOTIFY(RVN_DRAWROW, IDC_CART_GRID, OnGridReplyZero)
    ON_NOTIFY(RVN_EDITKILLFOCUS, IDC_CART_GRID, OnGridEditKillFocus)
    ON_BN_CLICKED(IDC_CART_NEW, OnNewList)
    ON_BN_CLICKED(IDC_CART_EMPTY, OnEmptyList)
    ON_BN_CLICKED(IDC_CART_CLEAR_ALL, OnClearAll)
    ON_BN_CLICKED(IDC_CART_ADD, OnAdd)
END_MESSAGE_MAP()

CDlgCart::CDlgCart(CWnd* parent) : CVXDialog(IDD_CART, parent), m_nSelList(-1), m_nCount(0)
{
    m_strProfileName = "Cart";
    m_nIconID = 128;
}

CDlgCart::~CDlgCart() = default;

void CDlgCart::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CART_GRID, m_gridCart);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_Control(pDX, IDC_CART_NEW, m_btnNewList);
    DDX_Control(pDX, IDC_CART_EMPTY, m_btnEmptyList);
    DDX_Control(pDX, IDC_CART_CLEAR_ALL, m_btnClearAll);
    DDX_Control(pDX, IDOK, m_btnOrder);
    DDX_Control(pDX, IDC_CART_ADD, m_btnAdd);
    DDX_Text(pDX, IDC_CART_COUNT, m_nCount);
}

BOOL CDlgCart::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    struct {
        CImageButton* button;
        int icon;
    } buttons[] = {{&m_btnClose, kIconClose},        {&m_btnNewList, IDI_PRINT_NEW_LIST},
                   {&m_btnEmptyList, IDI_PRINT_EMPTY_LIST}, {&m_btnClearAll, kIconOrder},
                   {&m_btnOrder, kIconOrder},        {&m_btnAdd, IDI_PRINT_ADD}};
    for (auto& b : buttons)
        b.button->SetIcon(b.icon, 0);
    m_btnAdd.SetNormalBorder(TRUE);
    for (auto& b : buttons) {
        b.button->SetBtnCursor(kHandCursor, TRUE);
        b.button->OffsetColor(0, 50, TRUE);
    }
    m_imgList.Create(kTreeImages, 16, 1, RGB(255, 255, 255));
    const ListGridColumn columns[] = {
        {"번호", 60, 0x4000}, {"목록의 이름을 정합니다.", 300, 0x4000}, {"현재 이미지갯수", 120, 0x4002}};
    ListGrid::Setup(m_gridCart, columns, 3, kLayoutEntry, kGridStyle, &m_imgList);
    LoadProfile();
    m_nCount = (int)m_arrPaths.GetSize();
    if (ReadLists() == 0)
        InsertDefaultList();
    UpdateData(FALSE);
    return TRUE;
}

void CDlgCart::EnableListButtons(BOOL enable)
{
    m_btnAdd.EnableWindow(enable);
    m_btnEmptyList.EnableWindow(enable);
}

int CDlgCart::ReadLists()
{
    EnableListButtons(FALSE);
    m_gridCart.SetRedraw(FALSE);
    m_gridCart.DeleteAllItems();
    UserQuery query;
    query.SetStringColumn("Master.CartNo", "", 1);
    query.SetStringColumn("Master.CartName", "", 1);
    query.SetStringColumn("Count(Items.OrderItem) as cnt", "", 1);
    query.m_strOrder = "Group By Master.CartNo,Master.CartName Order By Master.CartNo";
    int rows = 0;
    if (query.RunStructQuery("Select From CartMaster Master LEFT OUTER JOIN CartItems Items on Master.CartNo = "
                             "Items.CartNo ")) {
        while (query.FetchNextRow()) {
            const char* no = query.ColumnValue("CartNo", 1);
            const char* name = query.ColumnValue("CartName", 1);
            const char* count = query.ColumnValue("cnt", 1);
            m_gridCart.InsertItem(rows, no ? no : "");
            m_gridCart.SetItemText(rows, 1, name ? name : "");
            m_gridCart.SetItemValue(rows, 2, count ? std::atof(count) : 0.0, 0, -1);
            ++rows;
        }
    }
    query.CloseQuery();
    m_gridCart.SetRedraw(TRUE);
    m_gridCart.UpdateWindow();
    return rows;
}

void CDlgCart::InsertDefaultList()
{
    {
        UserQuery query;
        query.SetNumberColumn("CartNo", 1, 0);
        query.SetStringColumn("CartName", kDefaultName, 1);
        query.RunStructQuery("Insert Into CartMaster");
        query.CloseQuery();
    }
    m_gridCart.InsertItem(0, "1");
    m_gridCart.SetItemText(0, 1, kDefaultName);
    m_gridCart.SetItemValue(0, 2, 0.0, 0, -1);
}

void CDlgCart::OnGridClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* record = reinterpret_cast<_NMREPORTVIEW*>(pNMHDR);
    // Only the name can be edited in place.
    if (record->iSubItem == 1)
        m_gridCart.ModifyStyle(0, kEditableStyle, 0);
    else
        m_gridCart.ModifyStyle(kEditableStyle, 0, 0);
    if (record->iItem >= 0 && record->iSubItem >= 0) {
        m_nSelList = record->iItem;
        EnableListButtons(TRUE);
    }
    *pResult = 0;
}

void CDlgCart::OnGridEndEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* edit = reinterpret_cast<_NMRVITEMEDIT*>(pNMHDR);
    *pResult = 0;
    // Escape keeps the old name in the grid; the list keeps it too.
    if (edit->nKey == kEscapeKey || edit->iSubItem != 1 || edit->iItem < 0)
        return;
    int cartNo = std::atoi(m_gridCart.GetItemText(edit->iItem, 0));
    UserQuery query;
    query.SetStringColumn(CString("CartName"), CString(edit->lpszText ? edit->lpszText : ""), 1);
    CString filter;
    filter.Format("CartNo = %d", cartNo);
    query.SetFilter(filter);
    query.RunStructQuery("Update CartMaster");
    query.CloseQuery();
}

void CDlgCart::OnGridReplyZero(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CDlgCart::OnGridEditKillFocus(NMHDR*, LRESULT* pResult)
{
    *pResult = 1;
}

void CDlgCart::OnNewList()
{
    UserQuery query;
    query.SetStringColumn("Max(CartNo)+1", "", 1);
    int number = 0;
    if (query.RunStructQuery("Select from CartMaster") && query.FetchNextRow())
        number = std::atoi(query.ColumnValue(0, 1) ? query.ColumnValue(0, 1) : "0");
    if (number == 0)
        number = 1;
    query.ResetQuery();
    query.SetNumberColumn("CartNo", number, 0);
    query.SetStringColumn("CartName", kNewName, 1);
    query.RunStructQuery("Insert Into CartMaster");
    query.Commit();
    query.CloseQuery();
    ReadLists();
}

void CDlgCart::RunDelete(const char* head, int cartNo)
{
    UserQuery query;
    if (cartNo >= 0) {
        CString filter;
        filter.Format("CartNo = %d", cartNo);
        query.SetFilter(filter);
    }
    query.RunStructQuery(head);
    query.Commit();
    query.CloseQuery();
}

void CDlgCart::OnEmptyList()
{
    if (m_nSelList < 0 || m_nSelList >= m_gridCart.GetItemCount())
        return;
    int cartNo = std::atoi(m_gridCart.GetItemText(m_nSelList, 0));
    int count = (int)m_gridCart.GetItemValue(m_nSelList, 2);
    if (count > 0) {
        CString question;
        question.Format("[%s] 에 있는 모든 항목을 지우시겠습니까?", (const char*)m_gridCart.GetItemText(m_nSelList, 1));
        if (!AskYesNo(question))
            return;
        RunDelete("Delete From CartItems", cartNo);
        ReadLists();
    }
    if (!AskYesNo("목록을 삭제하시겠습니까?"))
        return;
    RunDelete("Delete From CartMaster", cartNo);
    if (ReadLists() == 0)
        InsertDefaultList();
}

void CDlgCart::OnClearAll()
{
    if (!AskYesNo("현재 장바구니 목록과 장바구니의 모든 항목을 지우시겠습니까?"))
        return;
    UserQuery query;
    query.RunStructQuery("Delete From CartMaster");
    query.ResetQuery();
    query.RunStructQuery("Delete From CartItems");
    query.Commit();
    query.CloseQuery();
    if (ReadLists() == 0)
        InsertDefaultList();
}

void CDlgCart::OnAdd()
{
    if (m_nSelList < 0 || m_nSelList >= m_gridCart.GetItemCount())
        return;
    int cartNo = std::atoi(m_gridCart.GetItemText(m_nSelList, 0));
    int added = 0, failed = 0;
    {
        UserQuery query;
        for (INT_PTR i = 0; i < m_arrPaths.GetSize(); ++i) {
            query.ResetQuery();
            query.SetNumberColumn("CartNo", cartNo, 0);
            query.SetStringColumn(CString("OrderItem"), m_arrPaths[i], 1);
            if (query.RunStructQuery("Insert Into CartItems"))
                ++added;
            else
                ++failed;
        }
        query.Commit();
        query.CloseQuery();
    }
    ReadLists();
    CString message;
    message.Format("%d 개 항목이 추가되었습니다.", added);
    if (failed > 0) {
        CString first = message;
        message.Format("%s\r\n%d 개 항목은 추가될 수 없습니다.중복된 항목인지 확인하십시요.", (const char*)first, failed);
    }
    AfxMessageBox(message, MB_YESNO | MB_ICONQUESTION);
}

void CDlgCart::OnDestroy()
{
    CVXDialog::OnDestroy();
    ListGrid::SaveLayout(m_gridCart, kLayoutEntry);
}
