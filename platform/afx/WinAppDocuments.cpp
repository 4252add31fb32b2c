// The application's document functions: templates, opening, closing, recent files and help.
#include "mfc.h"

#include "afx/FrameworkStrings.h"

namespace {

const char kRecentSection[] = "Recent File List";
const char kRecentEntry[] = "File%d";
const UINT kMostRecentFiles = 16;
const int kRecentDisplayLength = 40;
const UINT kHelpContents = 0x0003;

}  // namespace

void CWinApp::DeleteDocumentState()
{
    while (!m_templateList.IsEmpty()) {
        auto* docTemplate = (CDocTemplate*)m_templateList.RemoveHead();
        if (docTemplate->m_bAutoDelete)
            delete docTemplate;
    }
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (!pTemplate || m_templateList.Find(pTemplate))
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return (CDocTemplate*)m_templateList.GetNext(pos);
}

// A file already open brings its frame forward instead of opening twice.
CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (m_templateList.IsEmpty() || !lpszFileName)
        return nullptr;
    for (POSITION tpos = GetFirstDocTemplatePosition(); tpos;) {
        CDocTemplate* docTemplate = GetNextDocTemplate(tpos);
        for (POSITION dpos = docTemplate->GetFirstDocPosition(); dpos;) {
            CDocument* doc = docTemplate->GetNextDoc(dpos);
            if (doc->GetPathName().CompareNoCase(lpszFileName) != 0)
                continue;
            POSITION vpos = doc->GetFirstViewPosition();
            if (vpos) {
                CFrameWnd* frame = doc->GetNextView(vpos)->GetParentFrame();
                if (frame)
                    frame->ActivateFrame();
            }
            return doc;
        }
    }
    // The template whose filter extension matches, else the first.
    CString extension = lpszFileName;
    extension = extension.Mid(extension.ReverseFind('.') + 1);
    CDocTemplate* chosen = nullptr;
    for (POSITION tpos = GetFirstDocTemplatePosition(); tpos && !chosen;) {
        CDocTemplate* docTemplate = GetNextDocTemplate(tpos);
        CString filter;
        if (docTemplate->GetDocString(filter, CDocTemplate::filterExt) && !filter.IsEmpty() &&
            filter.Mid(filter.ReverseFind('.') + 1).CompareNoCase(extension) == 0)
            chosen = docTemplate;
    }
    if (!chosen) {
        POSITION first = GetFirstDocTemplatePosition();
        chosen = GetNextDocTemplate(first);
    }
    return chosen->OpenDocumentFile(lpszFileName);
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::SaveAllModified()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

// "Name|*.ext|" for a template that names its files; nothing otherwise.
static CString TemplateFilter(CDocTemplate* docTemplate, CString* defaultExt)
{
    CString name, ext;
    if (!docTemplate->GetDocString(name, CDocTemplate::filterName) || name.IsEmpty() ||
        !docTemplate->GetDocString(ext, CDocTemplate::filterExt) || ext.IsEmpty())
        return CString();
    if (defaultExt && defaultExt->IsEmpty())
        *defaultExt = ext[0] == '.' ? ext.Mid(1) : ext;
    return name + "|*" + (ext[0] == '.' ? ext : "." + ext) + "|";
}

// Asks for a file name with the file dialog, filtered by the given template or,
// without one, by every template. FALSE when the user cancels.
BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    CString filter, defaultExt;
    if (pTemplate) {
        filter = TemplateFilter(pTemplate, &defaultExt);
    } else {
        for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
            filter += TemplateFilter(GetNextDocTemplate(pos), &defaultExt);
    }
    CString allFiles = mivo::afx::FrameworkString(AFX_IDS_ALLFILTER);
    filter += (allFiles.IsEmpty() ? CString("*.*") : allFiles) + "|*.*||";

    DWORD flags = lFlags | OFN_HIDEREADONLY | (bOpenFileDialog ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
    CFileDialog dialog(bOpenFileDialog, defaultExt.IsEmpty() ? nullptr : (LPCSTR)defaultExt,
                       fileName.IsEmpty() ? nullptr : (LPCSTR)fileName, flags, filter, AfxGetMainWnd());
    CString title = mivo::afx::FrameworkString(nIDSTitle);
    if (!title.IsEmpty())
        dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    fileName = dialog.GetPathName();
    return TRUE;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU == 0 || m_pRecentFileList)
        return;
    if (nMaxMRU > kMostRecentFiles)
        nMaxMRU = kMostRecentFiles;
    m_pRecentFileList =
        new CRecentFileList(0, kRecentSection, kRecentEntry, (int)nMaxMRU, kRecentDisplayLength);
    m_pRecentFileList->ReadList();
}

void CWinApp::OnFileNew()
{
    POSITION pos = GetFirstDocTemplatePosition();
    if (pos)
        GetNextDocTemplate(pos)->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString name;
    if (DoPromptFileName(name, AFX_IDS_OPENFILE, 0, TRUE, nullptr))
        OpenDocumentFile(name);
}

// A recent file that cannot be opened any more leaves the list.
BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return FALSE;
    int index = (int)(nID - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[index].IsEmpty())
        return FALSE;
    CString path = (*m_pRecentFileList)[index];
    if (!OpenDocumentFile(path))
        m_pRecentFileList->Remove(index);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}

void CWinApp::OnHelp()
{
    WinHelp(0, kHelpContents);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}
