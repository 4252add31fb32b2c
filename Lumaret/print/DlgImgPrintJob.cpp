// CDlgImgPrint: the print job, on the user-interface thread.
#include "print/DlgImgPrint.h"

#include "image/ImageObject.h"
#include "print/DlgImgPrintOption.h"
#include "print/ImgPrintView.h"
#include "print/PrintPicture.h"
#include "resource.h"

namespace {

const char kNoForm[] = "인쇄 포맷을 선택하세요.";
const char kPrinterTrouble[] = "프린터 설정에 문제가 있습니다.";
const short kPaperA4 = 9;

}  // namespace

void CDlgImgPrint::OnPrint()
{
    // The job reads what a running build reads.
    WaitForBuild();
    if (m_form.nFormNo == -1) {
        AfxMessageBox(kNoForm);
        return;
    }
    CWinApp* app = AfxGetApp();
    PRINTDLG defaults = {};
    defaults.lStructSize = sizeof(defaults);
    if (!app->GetPrinterDeviceDefaults(&defaults)) {
        AfxMessageBox(kPrinterTrouble);
        return;
    }
    CPrintInfo info;
    if (!info.m_pPD) {
        AfxMessageBox(kPrinterTrouble);
        return;
    }
    info.SetMinPage(1);
    UINT maxPage = (UINT)(m_form.nPageCount > 0 ? m_form.nPageCount : 0);
    if (info.GetMinPage() > maxPage)
        maxPage = info.GetMinPage();
    info.SetMaxPage(maxPage);
    info.m_pPD->m_pd.nFromPage = (WORD)info.GetMinPage();
    info.m_pPD->m_pd.nToPage = (WORD)info.GetMaxPage();
    app->GetPrinterDeviceDefaults(&info.m_pPD->m_pd);
    if (DEVMODE* dm = (DEVMODE*)::GlobalLock(info.m_pPD->m_pd.hDevMode)) {
        if (m_form.IsA4())
            dm->dmPaperSize = kPaperA4;
        dm->dmPaperLength = (short)m_form.nPaperHeight;
        dm->dmPaperWidth = (short)m_form.nPaperWidth;
        dm->dmOrientation = m_form.IsLandscape() ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        ::GlobalUnlock(info.m_pPD->m_pd.hDevMode);
    }
    INT_PTR answer = app->DoPrintDialog(info.m_pPD);
    if (m_pView && m_pView->GetSafeHwnd()) {
        m_pView->Invalidate();
        m_pView->UpdateWindow();
    }
    Invalidate();
    UpdateWindow();
    if (answer != IDOK || !info.m_pPD->m_pd.hDC)
        return;

    CDC dc;
    dc.Attach(info.m_pPD->m_pd.hDC);
    dc.m_bPrinting = TRUE;
    CString docName;
    docName.LoadString(128);
    DOCINFO di = {};
    di.cbSize = sizeof(di);
    di.lpszDocName = docName;
    if (dc.StartDoc(&di) <= 0) {
        dc.AbortDoc();
    } else {
        int first = (int)info.GetFromPage() - 1, last = (int)info.GetToPage() - 1;
        PrintPages(dc, first, last);
    }
    dc.Detach();
}

void CDlgImgPrint::PrintPages(CDC& dc, int first, int last)
{
    int dx = PrintLayout::CentringOffset(dc.GetDeviceCaps(HORZSIZE), m_form.nPaperWidth);
    int dy = PrintLayout::CentringOffset(dc.GetDeviceCaps(VERTSIZE), m_form.nPaperHeight);
    PrintLayout::FitMode mode = PrintLayout::CROP;
    if (m_pOptionDlg)
        mode = PrintLayout::ModeOf(m_pOptionDlg->m_bCrop, m_pOptionDlg->m_bStretch);
    CPrintPicture picture(m_pBorrowImg, m_arrPaths, mode, true, this, nullptr);
    int pictures = m_pBorrowImg ? 1 : (int)m_arrPaths.GetSize();
    bool pageOk = true;
    for (int p = first; p <= last && pageOk; ++p) {
        dc.StartPage();
        dc.SetMapMode(MM_LOMETRIC);
        // Photos shrink or grow on the way to the printer: average, do not drop pixels.
        dc.SetStretchBltMode(HALFTONE);
        dc.SetBrushOrg(0, 0);
        int counter = 0;
        for (const PrintFormItem& item : m_form.items) {
            if (!item.IsSlot() || !PrintLayout::ItemOnSheet(item, m_form.nPaperWidth, m_form.nPaperHeight))
                continue;
            int x1 = (int)item.nNum[0] + dx, y1 = (int)item.nNum[1] + dy;
            int x2 = (int)item.nNum[2] + dx, y2 = (int)item.nNum[3] + dy;
            int w = x2 - x1, h = y2 - y1;
            int k = PrintLayout::PictureIndex(p, m_form.PicturesPerPage(), counter, pictures);
            bool reused = false;
            CImageObject* pic = picture.ForSlot(w, h, k, &reused);
            if (!reused)
                ++counter;
            if (!pic || (m_form.nPageCount == 1 && item.nPrintFlag != 1))
                continue;
            int r2 = pic->GetThumbRatio(CSize(w, h), nullptr, FALSE);
            int dw = (int)((long long)pic->GetWidth() * r2 / 1000);
            int dh = (int)((long long)pic->GetHeight() * r2 / 1000);
            // The borrowed picture's own drawing rectangles stay as the editor left them.
            if (dw < 2 || dh < 2)
                continue;
            int x = x1, y = -y1;
            if (mode == PrintLayout::FIT) {
                x = x1 + (x2 - dw - x1) / 2;
                y = -(y1 + (y2 - dh - y1) / 2);
            }
            pic->DrawStretchDirect(&dc, 0, 0, -1, -1, x, y, dw, -dh);
        }
        picture.Release();
        pageOk = dc.EndPage() > 0;
    }
    if (pageOk)
        dc.EndDoc();
    else
        dc.AbortDoc();
}
