#include "print/DlgTemplatePrForm.h"

#include "framework/ODBCQuery.h"
#include "framework/VXApp.h"
#include "image/ImageObject.h"
#include "print/ListGrid.h"
#include "print/PrintLayout.h"
#include "print/PrintPageBuilder.h"
#include "print/TmplPrintView.h"
#include "resource.h"

#include <cstdlib>

namespace {

const char kFormLayout[] = "Grid_PrFormList";
const char kItemLayout[] = "Grid_PrDetailList";
const UINT kHandCursor = 128;
const UINT kTreeImages = 131;
const COLORREF kViewBackground = RGB(0xA0, 0xA0, 0xA0);
const int kEscapeKey = 27;
const int kStr1Column = 7;
const char* const kNumColumns[6] = {"Num1", "Num2", "Num3", "Num4", "Num5", "Num6"};

CVXApp* App()
{
    return dynamic_cast<CVXApp*>(AfxGetApp());
}

bool Closing()
{
    CVXApp* app = App();
    return app && app->m_bClosing;
}

const char* Text(CODBCQuery& query, const char* column)
{
    const char* value = query.ColumnValue(column, 1);
    return value ? value : "";
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgTemplatePrForm, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgTemplatePrForm, CDlgWithOverview)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SPLITTER_MOVED, OnSplitterMoved)
    ON_NOTIFY(RVN_ITEMCLICK, IDC_PRFORM_FORM_GRID, OnFormGridNotify)
    ON_NOTIFY(RVN_ENDITEMEDIT, IDC_PRFORM_FORM_GRID, OnFormGridNotify)
    ON_NOTIFY(RVN_BEGINITEMEDIT, IDC_PRFORM_FORM_GRID, OnFormGridNotify)
    ON_NOTIFY(RVN_DRAWROW, IDC_PRFORM_FORM_GRID, OnFormGridNotify)
    ON_NOTIFY(RVN_EDITKILLFOCUS, IDC_PRFORM_FORM_GRID, OnFormGridNotify)
    ON_NOTIFY(RVN_ENDITEMEDIT, IDC_PRFORM_ITEM_GRID, OnItemGridNotify)
    ON_NOTIFY(RVN_ITEMCLICK, IDC_PRFORM_ITEM_GRID, OnItemGridNotify)
    ON_NOTIFY(RVN_BEGINITEMEDIT, IDC_PRFORM_ITEM_GRID, OnItemGridNotify)
    ON_NOTIFY(RVN_DRAWROW, IDC_PRFORM_ITEM_GRID, OnItemGridNotify)
    ON_NOTIFY(RVN_EDITKILLFOCUS, IDC_PRFORM_ITEM_GRID, OnItemGridNotify)
    ON_BN_CLICKED(IDC_PRFORM_REFRESH, LoadFormList)
    ON_BN_CLICKED(IDC_PRINT_ZOOM_IN, OnZoomIn)
    ON_BN_CLICKED(IDC_PRINT_ZOOM_OUT, OnZoomOut)
END_MESSAGE_MAP()

CDlgTemplatePrForm::CDlgTemplatePrForm(CWnd* parent)
    : CDlgWithOverview(IDD_TEMPLATE_PRFORM, parent),
      m_pView(nullptr),
      m_bFirstFit(1),
      m_nFormNo(-1),
      m_nPaperWidth(0),
      m_nPaperHeight(0)
{
}

CDlgTemplatePrForm::~CDlgTemplatePrForm() = default;

void CDlgTemplatePrForm::DoDataExchange(CDataExchange* pDX)
{
    CDlgWithOverview::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PRFORM_FORM_GRID, m_gridForms);
    DDX_Control(pDX, IDC_PRFORM_ITEM_GRID, m_gridItems);
    DDX_Control(pDX, IDC_PRINT_PREVIEW_FRAME, m_stcPreview);
    DDX_Control(pDX, IDC_PRINT_OVERVIEW, m_stcOverview);
    DDX_Control(pDX, IDC_PRFORM_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_PRINT_ZOOM_IN, m_btnZoomIn);
    DDX_Control(pDX, IDC_PRINT_ZOOM_OUT, m_btnZoomOut);
    DDX_Control(pDX, IDC_PRFORM_ZOOM_TEXT, m_editZoom);
    DDX_Text(pDX, IDC_PRFORM_ZOOM_TEXT, m_strZoomText);
}

BOOL CDlgTemplatePrForm::OnInitDialog()
{
    CDlgWithOverview::OnInitDialog();
    m_btnRefresh.SetIcon(IDI_PRINT_REFRESH);
    m_btnRefresh.SetNormalBorder(TRUE);
    m_btnRefresh.SetBtnCursor(kHandCursor);
    m_btnZoomIn.SetIcon(IDI_PRINT_ZOOM_IN);
    m_btnZoomIn.SetBtnCursor(kHandCursor);
    m_btnZoomOut.SetIcon(IDI_PRINT_ZOOM_OUT);
    m_btnZoomOut.SetBtnCursor(kHandCursor);

    m_wndSplitter.BindWithControl(this, IDC_PRFORM_SPLITTER);
    m_wndSplitter.SetMinWidth(100, 150);
    m_wndSplitter.AttachAsLeftPane(IDC_PRFORM_FORM_GRID);
    m_wndSplitter.AttachAsRightPane(IDC_PRFORM_ITEM_GRID);

    CreateView();
    m_overview.Attach(this, IDC_PRINT_OVERVIEW);
    m_overview.SetView(m_pView);
    m_overview.SetZoomSink(COverviewPanel::kEditZoomFormat, [this](const CString& text) {
        m_strZoomText = text;
        if (m_editZoom.GetSafeHwnd())
            UpdateData(FALSE);
    });

    m_imgList.Create(kTreeImages, 16, 1, RGB(255, 255, 255));
    const ListGridColumn forms[] = {{"인쇄 양식 이름", 250, 0x4000}, {"용지방향", 60, 0x4000}, {"크기", 60, 0x4000},
                                    {"가로", 60, 0x4000},           {"세로", 60, 0x4000},     {"이미지수", 60, 0x4000}};
    ListGrid::Setup(m_gridForms, forms, 6, kFormLayout, 0x3A, &m_imgList);
    const ListGridColumn items[] = {{"Type", 60, 0x4000}, {"Num1", 60, 0x4000}, {"Num2", 60, 0x4000},
                                    {"Num3", 60, 0x4000}, {"Num4", 60, 0x4000}, {"Num5", 60, 0x4000},
                                    {"Num6", 200, 0x4000}, {"Str1", 0, 0x4000}};
    ListGrid::Setup(m_gridItems, items, 8, kItemLayout, 0x103A, &m_imgList);
    LoadFormList();
    return TRUE;
}

void CDlgTemplatePrForm::CreateView()
{
    m_pView = dynamic_cast<CTmplPrintView*>(RUNTIME_CLASS(CTmplPrintView)->CreateObject());
    if (!m_pView)
        return;
    CRect frame;
    m_stcPreview.GetWindowRect(&frame);
    ScreenToClient(&frame);
    if (!m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, frame, this, AFX_IDW_PANE_FIRST,
                         nullptr)) {
        m_pView = nullptr;
        return;
    }
    m_pView->ModifyStyleEx(WS_EX_CLIENTEDGE, WS_EX_STATICEDGE, SWP_FRAMECHANGED);
    m_pView->m_pEditor = this;
    m_pView->m_crBackground = kViewBackground;
    m_pView->SendMessage(WM_INITIALUPDATE);
    if (!(GetStyle() & WS_CHILD))
        m_pView->m_bActivateOnClick = FALSE;
    m_pView->MoveWindow(&frame);
}

void CDlgTemplatePrForm::LoadFormList()
{
    UpdateData(TRUE);
    CVXApp* app = App();
    if (app) {
        CWaitCursor wait;
        m_gridForms.SetRedraw(FALSE);
        m_gridForms.DeleteAllItems();
        CODBCQuery query(app->m_strTmplDSN, app->m_strTmplUID, app->m_strTmplPWD, 1);
        query.InitQuery();
        for (const char* column :
             {"PrFormNo", "FormName", "PaperDir", "SizeName", "PaperWidth", "PaperHeight", "NumOfPics", "RegUser"})
            query.SetStringColumn(column, "", 1);
        query.m_strOrder = "Order By PrFormNo";
        if (query.RunStructQuery("Select From PrFormMaster")) {
            for (int row = 0; query.FetchNextRow(); ++row) {
                m_gridForms.InsertItem(row, Text(query, "FormName"));
                int column = 1;
                for (const char* name : {"PaperDir", "SizeName", "PaperWidth", "PaperHeight", "NumOfPics"})
                    m_gridForms.SetItemText(row, column++, Text(query, name));
                m_gridForms.SetItemData(row, (DWORD_PTR)PrintFormNumber(query.ColumnValue("PrFormNo", 1)));
            }
        }
        query.CloseQuery();
        m_gridForms.SetRedraw(TRUE);
    }
    UpdateData(FALSE);
}

void CDlgTemplatePrForm::OnFormClick(int row, int column)
{
    if (row < 0 || column < 0)
        return;
    m_nFormNo = (int)m_gridForms.GetItemData(row);
    m_nPaperWidth = PrintFormNumber(m_gridForms.GetItemText(row, 3));
    m_nPaperHeight = PrintFormNumber(m_gridForms.GetItemText(row, 4));
    m_items.clear();
    m_gridItems.SetRedraw(FALSE);
    m_gridItems.DeleteAllItems();
    ListItems();
    UpdateData(FALSE);
    m_gridItems.SetRedraw(TRUE);
    m_gridItems.UpdateWindow();
    m_bFirstFit = 1;
    DrawFormPicture();
}

void CDlgTemplatePrForm::ListItems()
{
    CVXApp* app = App();
    if (!app)
        return;
    CWaitCursor wait;
    CODBCQuery query(app->m_strTmplDSN, app->m_strTmplUID, app->m_strTmplPWD, 1);
    query.InitQuery();
    query.SetStringColumn("Seq", "", 1);
    query.SetStringColumn("DrawType", "", 1);
    for (const char* column : kNumColumns)
        query.SetStringColumn(column, "", 1);
    query.SetStringColumn("Str1", "", 1);
    CString filter;
    filter.Format("PrFormNo = %d", m_nFormNo);
    query.SetFilter(filter);
    query.m_strOrder = "Order by Seq";
    if (query.RunStructQuery("Select From PrFormDetail")) {
        for (int row = 0; query.FetchNextRow(); ++row) {
            PrintFormItem item;
            item.strDrawType = Text(query, "DrawType");
            m_gridItems.InsertItem(row, item.strDrawType);
            for (int i = 0; i < 6; ++i) {
                m_gridItems.SetItemText(row, i + 1, Text(query, kNumColumns[i]));
                item.nNum[i] = (UINT)PrintFormNumber(query.ColumnValue(kNumColumns[i], 1));
            }
            item.strStr1 = Text(query, "Str1");
            m_gridItems.SetItemText(row, kStr1Column, item.strStr1);
            m_gridItems.SetItemData(row, (DWORD_PTR)PrintFormNumber(query.ColumnValue("Seq", 1)));
            m_items.push_back(item);
        }
    }
    query.CloseQuery();
}

void CDlgTemplatePrForm::OnItemEdited(int row, int column, const CString& text, UINT key)
{
    // The grid keeps its old text after Escape; so does the database.
    if (key == kEscapeKey || row < 0 || column < 0 || column >= kStr1Column)
        return;
    int seq = (int)m_gridItems.GetItemData(row);
    CString drawType = column == 0 ? text : m_gridItems.GetItemText(row, 0);
    int nums[6];
    for (int i = 0; i < 6; ++i)
        nums[i] = PrintFormNumber(column == i + 1 ? (const char*)text : (const char*)m_gridItems.GetItemText(row, i + 1));
    if (seq >= 1 && seq <= (int)m_items.size()) {
        PrintFormItem& item = m_items[seq - 1];
        if (column == 0)
            item.strDrawType = text;
        else
            item.nNum[column - 1] = (UINT)nums[column - 1];
    }
    CVXApp* app = App();
    if (app) {
        CODBCQuery query(app->m_strTmplDSN, app->m_strTmplUID, app->m_strTmplPWD, 1);
        query.InitQuery();
        query.SetStringColumn(CString("DrawType"), drawType, 1);
        for (int i = 0; i < 6; ++i)
            query.SetNumberColumn(kNumColumns[i], nums[i], 0);
        CString filter;
        filter.Format("PrFormNo = %d and Seq = %d", m_nFormNo, seq);
        query.SetFilter(filter);
        query.RunStructQuery("Update PrFormDetail");
        query.CloseQuery();
    }
    DrawFormPicture();
}

void CDlgTemplatePrForm::DrawFormPicture()
{
    m_overview.Drop();
    if (m_pView)
        m_pView->m_pImgObj = nullptr;
    m_pFormImg.reset();
    CWaitCursor wait;
    if (m_nPaperWidth > 0 && m_nPaperHeight > 0) {
        CImageObject maker;
        m_pFormImg.reset(maker.MakeBlankImageObject(RGB(255, 255, 255), m_nPaperWidth, m_nPaperHeight));
    }
    if (m_pFormImg) {
        for (const PrintFormItem& item : m_items) {
            if (!item.IsSlot() || !PrintLayout::ItemOnSheet(item, m_nPaperWidth, m_nPaperHeight))
                continue;
            CRect slot((int)item.nNum[0], (int)item.nNum[1], (int)item.nNum[2], (int)item.nNum[3]);
            m_pFormImg->DrawRect(slot, CPrintPageBuilder::kSlotColour, TRUE, 0, 1, FALSE, 0);
        }
    }
    if (!m_pView || !m_pView->GetSafeHwnd())
        return;
    m_pView->m_pImgObj = m_pFormImg.get();
    if (m_bFirstFit && m_pFormImg) {
        m_pView->FitImageToView();
        m_bFirstFit = 0;
    }
    m_pView->RebuildScrollSizes();
    m_pView->Invalidate();
    m_overview.Rebuild();
    m_pView->SetNavigationRect();
}

void CDlgTemplatePrForm::OnViewRectChanged(CRect source)
{
    m_overview.OnViewRectChanged(source);
}

void CDlgTemplatePrForm::OnFormGridNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (pNMHDR->code == (UINT)RVN_ITEMCLICK) {
        auto* record = reinterpret_cast<_NMREPORTVIEW*>(pNMHDR);
        OnFormClick(record->iItem, record->iSubItem);
    }
}

void CDlgTemplatePrForm::OnItemGridNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (pNMHDR->code == (UINT)RVN_ENDITEMEDIT) {
        auto* edit = reinterpret_cast<_NMRVITEMEDIT*>(pNMHDR);
        OnItemEdited(edit->iItem, edit->iSubItem, edit->lpszText ? edit->lpszText : "", edit->nKey);
    } else if (pNMHDR->code == (UINT)RVN_BEGINITEMEDIT) {
        // Str1 is never written: its cell does not open.
        auto* edit = reinterpret_cast<_NMRVITEMEDIT*>(pNMHDR);
        *pResult = edit->iSubItem == kStr1Column ? 1 : 0;
    }
}

LRESULT CDlgTemplatePrForm::OnSplitterMoved(WPARAM, LPARAM)
{
    return 1;
}

void CDlgTemplatePrForm::OnZoomIn()
{
    if (m_pView)
        m_pView->ZoomIn();
}

void CDlgTemplatePrForm::OnZoomOut()
{
    if (m_pView)
        m_pView->ZoomOut();
}

void CDlgTemplatePrForm::OnSize(UINT nType, int cx, int cy)
{
    CDlgWithOverview::OnSize(nType, cx, cy);
    if (cx == 0 || cy == 0 || Closing() || !m_gridItems.GetSafeHwnd())
        return;
    CRect items;
    m_gridItems.GetWindowRect(&items);
    ScreenToClient(&items);
    m_gridItems.MoveWindow(items.left, items.top, cx - items.left - 10, items.Height());
    CRect frame;
    m_stcPreview.GetWindowRect(&frame);
    ScreenToClient(&frame);
    frame.right = cx - 10;
    frame.bottom = cy - 10;
    m_stcPreview.MoveWindow(&frame);
    if (m_pView && m_pView->GetSafeHwnd()) {
        m_pView->MoveWindow(&frame);
        m_pView->Invalidate();
    }
}

void CDlgTemplatePrForm::OnDestroy()
{
    m_overview.Drop();
    if (m_pView && m_pView->GetSafeHwnd())
        m_pView->m_pImgObj = nullptr;
    CDlgWithOverview::OnDestroy();
    ListGrid::SaveLayout(m_gridForms, kFormLayout);
    ListGrid::SaveLayout(m_gridItems, kItemLayout);
    m_wndSplitter.Unbind();
}
