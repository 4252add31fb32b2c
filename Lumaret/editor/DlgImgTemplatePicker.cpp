#include "editor/DlgImgTemplatePicker.h"

#include "image/ImageObject.h"
#include "resource.h"

#include <memory>

IMPLEMENT_DYNAMIC(CDlgImgTemplatePicker, CDlgImgPreview)

BEGIN_MESSAGE_MAP(CDlgImgTemplatePicker, CDlgImgPreview)
END_MESSAGE_MAP()

namespace {

const COLORREF kListColours[] = {RGB(0xC0, 0xC0, 0xC0), RGB(0x00, 0x00, 0xA0), RGB(0xA0, 0x00, 0x00),
                                 RGB(0x00, 0x80, 0x00), RGB(0x60, 0x60, 0x60)};
const DWORD kListStyle = 0x3A;
const int kRowHeight = 18;
const int kPreviewInset = 6;

}  // namespace

CDlgImgTemplatePicker::CDlgImgTemplatePicker(UINT nIDTemplate, CWnd* pParent)
    : CDlgImgPreview(nIDTemplate, pParent), m_nTemplateNo(-1)
{
}

CDlgImgTemplatePicker::~CDlgImgTemplatePicker() = default;

void CDlgImgTemplatePicker::DoDataExchange(CDataExchange* pDX)
{
    CDlgImgPreview::DoDataExchange(pDX);
    DDX_Control(pDX, Table().listId, m_wndList);
}

void CDlgImgTemplatePicker::StyleList()
{
    const TableInfo& table = Table();
    for (int i = 0; i < (int)(sizeof kListColours / sizeof kListColours[0]); ++i)
        m_wndList.InsertColor(i, kListColours[i]);
    _RVSUBITEM column;
    column.nMask = HDF_STRING | HDF_LEFT;
    column.iWidth = table.listWidth;
    column.lpszText = table.header;
    m_wndList.DefineSubItem(0, &column);
    m_wndList.ActivateSubItem(0, 0);
    m_wndList.ModifyStyle(0, kListStyle);
    if (m_imageList.Create(IDB_TEMPLATE_LIST, 16, 1, RGB(255, 255, 255)))
        m_wndList.SetImageList(&m_imageList);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    m_wndList.SetBkColor(face);
    m_wndList.SetGridColor(RGB(GetRValue(face) * 8 / 10, GetGValue(face) * 8 / 10, GetBValue(face) * 8 / 10));
    m_wndList.SetItemHeight(kRowHeight);
}

void CDlgImgTemplatePicker::MakePickerPreviews()
{
    FreePreviews();
    if (!m_pSrcImage || !m_pSrcImage->IsLoaded())
        return;
    CSize box(max(m_rcPreviewNew.Width() - kPreviewInset, 1), max(m_rcPreviewNew.Height() - kPreviewInset, 1));
    UINT width = 0, height = 0;
    m_pPreviewNew = m_pSrcImage->MakeScaledImgObj(box, &width, &height);
    if (!m_pPreviewNew)
        return;
    m_pPreviewNew->SetParent(this);
    CentreIn(m_pPreviewNew, m_rcPreviewNew);
    m_pPreviewOrg = m_pPreviewNew->DuplicateImgObj();
    if (m_pPreviewOrg) {
        m_pPreviewOrg->SetParent(this);
        CentreIn(m_pPreviewOrg, m_rcPreviewOrg);
    }
}

void CDlgImgTemplatePicker::FillTemplateList()
{
    UpdateData(TRUE);
    CWaitCursor wait;
    m_wndList.DeleteAllItems();
    m_wndList.SetRedraw(FALSE);
    for (const TemplateInfo& row : CTemplateTables::List(Table().family)) {
        const int item = m_wndList.AddItem(row.strName);
        if (item >= 0)
            m_wndList.SetItemData(item, (DWORD_PTR)row.nKey);
    }
    m_wndList.SetRedraw(TRUE);
    m_wndList.Invalidate();
    UpdateData(FALSE);
}

void CDlgImgTemplatePicker::ChooseTemplate(int item, int subItem)
{
    if (item < 0 || subItem < 0 || item >= m_wndList.GetItemCount())
        return;
    m_nTemplateNo = (int)m_wndList.GetItemData(item);
    CWaitCursor wait;
    TemplateInfo info;
    TemplateUnpacked pictures[kMaxPictures];
    if (CTemplateTables::Load(Table().family, m_nTemplateNo, info, pictures)) {
        CString paths[kMaxPictures];
        for (int i = 0; i < kMaxPictures; ++i)
            paths[i] = pictures[i].strPath;
        OnTemplateFiles(paths);
    }
    UpdateData(FALSE);
}

BOOL CDlgImgTemplatePicker::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && (int)header->idFrom == Table().listId && header->code == (UINT)RVN_ITEMCLICK) {
        const _NMREPORTVIEW* click = reinterpret_cast<const _NMREPORTVIEW*>(lParam);
        ChooseTemplate(click->iItem, click->iSubItem);
        *pResult = 0;
        return TRUE;
    }
    return CDlgImgPreview::OnNotify(wParam, lParam, pResult);
}

std::unique_ptr<CImageObject> CDlgImgTemplatePicker::LoadTemplatePicture(const CString& path)
{
    if (path.IsEmpty())
        return nullptr;
    std::unique_ptr<CImageObject> picture(new CImageObject(nullptr, nullptr));
    // A file that gives no picture leaves nothing to frame or tile with.
    if (!picture->LoadImageFromFile(path, 1) || !picture->IsLoaded() || picture->GetWidth() <= 0 ||
        picture->GetHeight() <= 0)
        return nullptr;
    return picture;
}

void CDlgImgTemplatePicker::DrawThirdFrame(CDC* pDC, const CRect& rect)
{
    DrawFrame(pDC, rect, RGB(0xC8, 0xC8, 0xC8));
}
