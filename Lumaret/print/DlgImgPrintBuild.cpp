// CDlgImgPrint: building the preview page on the worker thread.
#include "print/DlgImgPrint.h"

#include "image/ImageObject.h"
#include "mivo/Trace.h"
#include "print/DlgImgPrintOption.h"
#include "print/ImgPrintView.h"

bool CDlgImgPrint::CanBuild() const
{
    bool pictures = m_pBorrowImg != nullptr || m_arrPaths.GetSize() > 0;
    return m_form.nFormNo != -1 && m_form.nPaperWidth > 0 && m_form.nPaperHeight > 0 && pictures;
}

void CDlgImgPrint::DropPageImage()
{
    m_overview.Drop();
    if (m_pView && m_pView->GetSafeHwnd()) {
        m_pView->m_pImgObj = nullptr;
        m_pView->Invalidate();
    }
    m_pPageImg.reset();
}

int CDlgImgPrint::ShowPage(int page)
{
    if (g_bPrintPageBusy || !CanBuild())
        return 0;
    // Set here, not by the worker, so that a second click cannot start a second build.
    g_bPrintPageBusy = 1;
    JoinBuild();
    m_nCurPage = page;
    CString text;
    text.Format("페이지 %d / %d", page + 1, m_form.nPageCount);
    if (m_wndStatusBar.GetSafeHwnd())
        m_wndStatusBar.SetText(text, 2, 0);
    DropPageImage();

    m_buildForm = m_form;
    m_buildInput = PrintJobInput();
    m_buildInput.form = &m_buildForm;
    m_buildInput.borrowed = m_pBorrowImg;
    m_buildInput.paths = &m_arrPaths;
    if (m_pOptionDlg) {
        m_buildInput.mode = PrintLayout::ModeOf(m_pOptionDlg->m_bCrop, m_pOptionDlg->m_bStretch);
        m_buildInput.realPreview = m_pOptionDlg->m_bRealPreview;
    }
    m_buildInput.progressWnd = this;
    m_buildInput.cancel = &m_nBuildCancel;
    m_nBuildPage = page;
    m_nBuildCancel = 0;

    CWinThread* thread = AfxBeginThread(BuildPrintPageThread, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!thread) {
        g_bPrintPageBusy = 0;
        return 0;
    }
    thread->m_bAutoDelete = FALSE;
    m_pBuildThread.reset(thread);
    thread->ResumeThread();
    return 1;
}

void CDlgImgPrint::BuildPage()
{
    CPrintPageBuilder builder(m_buildInput);
    m_pPageImg.reset(builder.MakeBlankPage());
    if (m_pPageImg)
        builder.FillPage(m_pPageImg.get(), m_nBuildPage);
    else
        MIVO_WARN(kTraceLumaret, "print page of %d x %d could not be made", m_buildForm.nPaperWidth / 2,
                  m_buildForm.nPaperHeight / 2);
}

UINT BuildPrintPageThread(LPVOID param)
{
    CDlgImgPrint* dlg = static_cast<CDlgImgPrint*>(param);
    g_bPrintPageBusy = 1;
    dlg->BuildPage();
    // A stopped build tells nobody: the dialog is closing and waits for it.
    if (!dlg->m_nBuildCancel)
        ::SendMessage(dlg->GetSafeHwnd(), WM_IMAGE_DONE, 100, 0);
    g_bPrintPageBusy = 0;
    ::PostMessage(dlg->GetSafeHwnd(), CDlgImgPrint::WM_PRINT_BUILD_ENDED, 0, 0);
    return 0;
}

void CDlgImgPrint::JoinBuild()
{
    if (!m_pBuildThread)
        return;
    ::WaitForSingleObject(m_pBuildThread->m_hThread, INFINITE);
    m_pBuildThread.reset();
}

void CDlgImgPrint::WaitForBuild()
{
    JoinBuild();
    // What was held back runs now, so nothing changes the form once the caller goes on.
    while (m_nHeldForm != -1 || m_bHeldRebuild) {
        RunHeldRequests();
        JoinBuild();
    }
}

void CDlgImgPrint::RunHeldRequests()
{
    if (m_nHeldForm != -1) {
        int form = m_nHeldForm;
        m_nHeldForm = -1;
        m_bHeldRebuild = FALSE;
        LoadPrForm(form);
        ShowPage(0);
    } else if (m_bHeldRebuild) {
        m_bHeldRebuild = FALSE;
        ShowPage(m_nCurPage);
    }
}

void CDlgImgPrint::StopBuild()
{
    if (!m_pBuildThread)
        return;
    m_nBuildCancel = 1;
    JoinBuild();
    m_nHeldForm = -1;
    m_bHeldRebuild = FALSE;
}

LRESULT CDlgImgPrint::OnBuildEnded(WPARAM, LPARAM)
{
    if (g_bPrintPageBusy)
        return 0;  // a newer build runs; it posts its own end
    JoinBuild();
    RunHeldRequests();
    return 0;
}
