#include "mfc.h"

#include "afx/FrameworkStrings.h"

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    for (POSITION pos = GetFirstDocPosition(); pos;)
        GetNextDoc(pos)->m_pDocTemplate = nullptr;
    if (m_hMenuLoaded)
        ::DestroyMenu(m_hMenuLoaded);
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (m_nIDResource == 0)
        return;
    HINSTANCE instance = AfxGetInstanceHandle();
    if (!m_hMenuShared)
        m_hMenuShared = m_hMenuLoaded = ::LoadMenu(instance, MAKEINTRESOURCE(m_nIDResource));
    if (!m_hAccelTable)
        m_hAccelTable = ::LoadAccelerators(instance, MAKEINTRESOURCE(m_nIDResource));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    if (!m_docList.Find(pDoc))
        m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (POSITION pos = m_docList.Find(pDoc))
        m_docList.RemoveAt(pos);
}

// The template's document name numbered ("Image1", "Image2"), or the
// framework's untitled name when the template has none.
void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (GetDocString(title, docName) && !title.IsEmpty()) {
        CString number;
        number.Format("%u", m_nUntitledCount + 1);
        title += number;
    } else {
        title = mivo::afx::FrameworkString(AFX_IDS_UNTITLED);
    }
    pDocument->SetTitle(title);
}

// NULL makes a new untitled document.
CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* doc = CreateNewDocument();
    if (!doc) {
        AfxMessageBox(mivo::afx::FrameworkString(AFX_IDP_FAILED_TO_CREATE_DOC), MB_ICONEXCLAMATION);
        return nullptr;
    }
    // The frame's views come and go while it is made: the document must stay.
    BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        AfxMessageBox(mivo::afx::FrameworkString(AFX_IDP_FAILED_TO_CREATE_DOC), MB_ICONEXCLAMATION);
        delete doc;
        return nullptr;
    }
    if (!lpszPathName) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            frame->DestroyWindow();  // takes the document with its last view
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        CWaitCursor wait;
        if (!doc->OnOpenDocument(lpszPathName)) {
            frame->DestroyWindow();
            return nullptr;
        }
        doc->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}
