#include "mfc.h"

#include "afx/FrameworkStrings.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    // Views still around (a program deleting its document early) must not reach it.
    for (POSITION pos = GetFirstViewPosition(); pos;)
        GetNextView(pos)->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : "";
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = lpszPathName ? lpszPathName : "";
    int slash = m_strPathName.ReverseFind('\\');
    SetTitle(m_strPathName.Mid(slash + 1));
    if (bAddToMRU && !m_strPathName.IsEmpty() && AfxGetApp())
        AfxGetApp()->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView)
{
    if (!pView || m_viewList.Find(pView))
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (!pos)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* view = GetNextView(pos);
        if (view != pSender)
            view->OnUpdate(pSender, lHint, pHint);
    }
}

// The document closes with its last view.
void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

// Frames showing this document are numbered (":1", ":2") only when there are several.
void CDocument::UpdateFrameCounts()
{
    CPtrList frames;
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CFrameWnd* frame = GetNextView(pos)->GetParentFrame();
        if (frame && !frames.Find(frame))
            frames.AddTail(frame);
    }
    int number = frames.GetCount() > 1 ? 1 : -1;
    for (POSITION pos = frames.GetHeadPosition(); pos;) {
        auto* frame = (CFrameWnd*)frames.GetNext(pos);
        frame->m_nWindow = number > 0 ? number++ : -1;
        frame->OnUpdateFrameTitle(TRUE);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

// Reading the file is the derived document's work; the base only checks that
// the file can be opened, so a missing file is reported as a failure.
BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    CFile file;
    if (!lpszPathName || !file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    file.Close();
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

// The base document has nothing to write: succeeding would leave the user
// believing their work was saved (or truncate the file), so it fails.
BOOL CDocument::OnSaveDocument(LPCSTR)
{
    return FALSE;
}

void CDocument::OnCloseDocument()
{
    // Closing the frames removes the views; the document must not delete
    // itself halfway through.
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* view = (CView*)m_viewList.GetHead();
        CFrameWnd* frame = view->GetParentFrame();
        if (frame) {
            PreCloseFrame(frame);
            frame->DestroyWindow();
        } else {
            view->DestroyWindow();
        }
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == view)
            RemoveView(view);  // a view that outlives its window lets go here
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CFrameWnd* other = GetNextView(pos)->GetParentFrame();
        if (other && other != pFrame)
            return TRUE;  // another frame still shows the document
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName;
    if (name.IsEmpty())
        name = m_strTitle.IsEmpty() ? mivo::afx::FrameworkString(AFX_IDS_UNTITLED) : m_strTitle;
    else
        name = name.Mid(name.ReverseFind('\\') + 1);
    CString prompt = mivo::afx::FrameworkString(AFX_IDP_ASK_TO_SAVE);
    prompt.Replace("%1", name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::DoFileSave()
{
    DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributes(m_strPathName);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

// Saving under a new name asks the application for it (the file dialog).
BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace)
{
    CString path = lpszPathName ? lpszPathName : "";
    if (path.IsEmpty()) {
        CWinApp* app = AfxGetApp();
        path = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
        if (!app || !app->DoPromptFileName(path, AFX_IDS_SAVEFILE, 0, FALSE,
                                           m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(path)) {
        AfxMessageBox(mivo::afx::FrameworkString(AFX_IDP_FAILED_TO_SAVE_DOC), MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (bReplace)
        SetPathName(path);
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
