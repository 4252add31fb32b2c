#include "DlgImgFileOpen.h"

#include "MainApp.h"
#include "editor/OwnedSlot.h"
#include "image/ImageObject.h"
#include "resource.h"

#include <memory>

BEGIN_MESSAGE_MAP(CPreviewArea, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CPreviewArea::OnPaint()
{
    CRect client;
    GetClientRect(&client);
    {
        CPaintDC dc(this);
        if (m_pOwner && m_pOwner->PaintPreview(&dc, client))
            return;
    }
    // Without a thumbnail the static paints itself; the update region is already validated.
    CClientDC dc(this);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_3DFACE));
}

BEGIN_MESSAGE_MAP(CDlgImgFileOpen, CFileDialog)
    ON_BN_CLICKED(IDC_PREVIEW_CHECK, OnPreviewCheck)
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgImgFileOpen::CDlgImgFileOpen(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                                 LPCSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd),
      m_bPreview(1),
      m_pPreviewImage(nullptr),
      m_rcPreview(0, 0, 0, 0)
{
    m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLETEMPLATE;
    m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_FILEOPEN_PREVIEW);
    m_ofn.hInstance = AfxGetResourceHandle();
}

CDlgImgFileOpen::~CDlgImgFileOpen()
{
    FreePreview();
}

void CDlgImgFileOpen::FreePreview()
{
    owned_slot::Free(m_pPreviewImage);
}

BOOL CDlgImgFileOpen::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    m_wndPreview.m_pOwner = this;
    m_wndPreview.SubclassDlgItem(IDC_PREVIEW_AREA, this);
    SendDlgItemMessage(IDC_PREVIEW_CHECK, BM_SETCHECK, m_bPreview ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CDlgImgFileOpen::OnFileNameChange()
{
    CFileDialog::OnFileNameChange();
    if (m_bPreview)
        UpdatePreview();
}

void CDlgImgFileOpen::UpdatePreview()
{
    if (!m_wndPreview.GetSafeHwnd())
        return;
    m_wndPreview.GetWindowRect(&m_rcPreview);
    ScreenToClient(&m_rcPreview);
    CString path = GetPathName();
    if (path == m_strPreviewPath)
        return;
    m_strPreviewPath = path;
    CWaitCursor wait;
    FreePreview();
    CFileStatus status;
    if (!path.IsEmpty() && CFile::GetStatus(path, status) && !(status.m_attribute & CFile::directory)) {
        CString scratch;
        scratch.Format("%sTemp\\MivoThumb.jpg", (LPCSTR)theApp.m_strDataDir);
        auto image = std::make_unique<CImageObject>();
        CSize full;
        if (image->LoadThumbnail(path, scratch, CSize(m_rcPreview.Width(), m_rcPreview.Height()), &full, 1))
            m_pPreviewImage = image.release();
    }
    InvalidateRect(&m_rcPreview, TRUE);
    m_wndPreview.Invalidate();
}

void CDlgImgFileOpen::SetPreview(BOOL bOn)
{
    m_bPreview = bOn;
    if (m_bPreview) {
        UpdatePreview();
        return;
    }
    FreePreview();
    // Turned on again later, the same file is shown once more.
    m_strPreviewPath.Empty();
    if (m_wndPreview.GetSafeHwnd()) {
        CClientDC dc(&m_wndPreview);
        CRect client;
        m_wndPreview.GetClientRect(&client);
        client.DeflateRect(1, 1);
        dc.FillSolidRect(&client, RGB(0x80, 0x80, 0x80));
    }
}

void CDlgImgFileOpen::OnPreviewCheck()
{
    SetPreview(!m_bPreview);
}

BOOL CDlgImgFileOpen::PaintPreview(CDC* pDC, CRect area)
{
    if (!m_pPreviewImage)
        return FALSE;
    int width = m_pPreviewImage->GetWidth(), height = m_pPreviewImage->GetHeight();
    CRect picture(CPoint(area.left + (area.Width() - width) / 2, area.top + (area.Height() - height) / 2),
                  CSize(width, height));
    m_pPreviewImage->SetSrc_x(0);
    m_pPreviewImage->SetSrc_y(0);
    m_pPreviewImage->SetSrc_width(width);
    m_pPreviewImage->SetSrc_height(height);
    m_pPreviewImage->SetDst_x(picture.left);
    m_pPreviewImage->SetDst_y(picture.top);
    m_pPreviewImage->SetDst_width(width);
    m_pPreviewImage->SetDst_height(height);
    CRect inside = area;
    inside.DeflateRect(1, 1);
    pDC->FillSolidRect(&inside, RGB(0x80, 0x80, 0x80));
    m_pPreviewImage->DrawStretch(pDC);
    picture.InflateRect(1, 1);
    pDC->Draw3dRect(&picture, RGB(255, 255, 255), RGB(255, 255, 255));
    return TRUE;
}

void CDlgImgFileOpen::OnPaint()
{
    CPaintDC dc(this);
    PaintPreview(&dc, m_rcPreview);
}

void CDlgImgFileOpen::OnDestroy()
{
    CFileDialog::OnDestroy();
    FreePreview();
}
