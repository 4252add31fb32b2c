#include "print/DlgImgPrintTmpl.h"

#include "framework/ODBCQuery.h"
#include "framework/VXApp.h"
#include "print/DlgImgPrint.h"
#include "print/ListGrid.h"
#include "resource.h"

namespace {

const char kLayoutEntry[] = "Grid_PrFormTmpl";
const DWORD kGridStyle = 0x3A;

bool Closing()
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    return app && app->m_bClosing;
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgImgPrintTmpl, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgPrintTmpl, CVXDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_NOTIFY(RVN_ITEMCLICK, IDC_PRINT_FORM_GRID, OnGridNotify)
END_MESSAGE_MAP()

CDlgImgPrintTmpl::CDlgImgPrintTmpl(CWnd* parent) : CVXDialog(IDD_IMG_PRINT_TMPL, parent), m_pPrintDlg(nullptr)
{
}

CDlgImgPrintTmpl::~CDlgImgPrintTmpl() = default;

void CDlgImgPrintTmpl::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PRINT_FORM_GRID, m_gridForms);
}

BOOL CDlgImgPrintTmpl::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    const ListGridColumn columns[] = {{"용지", 40, 0x4002}, {"인쇄 포맷", 140, 0x4000}, {"방향", 40, 0x4002}};
    ListGrid::Setup(m_gridForms, columns, 3, kLayoutEntry, kGridStyle, nullptr);
    LoadForms();
    return TRUE;
}

void CDlgImgPrintTmpl::LoadForms()
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    if (!app)
        return;
    CWaitCursor wait;
    CODBCQuery query(app->m_strTmplDSN, app->m_strTmplUID, app->m_strTmplPWD, 1);
    query.InitQuery();
    for (const char* column : {"PrFormNo", "FormName", "PaperDir", "SizeName"})
        query.SetStringColumn(column, "", 1);
    if (query.RunStructQuery("Select From PrFormMaster")) {
        for (int row = 0; query.FetchNextRow(); ++row) {
            auto text = [&](const char* column) {
                const char* value = query.ColumnValue(column, 1);
                return value ? value : "";
            };
            m_gridForms.InsertItem(row, text("SizeName"));
            m_gridForms.SetItemText(row, 1, text("FormName"));
            m_gridForms.SetItemText(row, 2, text("PaperDir"));
            m_gridForms.SetItemData(row, (DWORD_PTR)PrintFormNumber(query.ColumnValue("PrFormNo", 1)));
        }
    }
    query.CloseQuery();
}

void CDlgImgPrintTmpl::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    if (cx == 0 || cy == 0 || Closing() || !m_gridForms.GetSafeHwnd())
        return;
    CRect rect;
    m_gridForms.GetWindowRect(&rect);
    ScreenToClient(&rect);
    m_gridForms.MoveWindow(rect.left, rect.top, cx - 2 * rect.left, cy - 2 * rect.left);
}

void CDlgImgPrintTmpl::OnGridNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* record = reinterpret_cast<_NMREPORTVIEW*>(pNMHDR);
    if (record->iItem >= 0 && record->iSubItem >= 0 && m_pPrintDlg)
        m_pPrintDlg->ChooseForm((int)m_gridForms.GetItemData(record->iItem));
    *pResult = 0;
}

void CDlgImgPrintTmpl::OnDestroy()
{
    CVXDialog::OnDestroy();
    ListGrid::SaveLayout(m_gridForms, kLayoutEntry);
}
