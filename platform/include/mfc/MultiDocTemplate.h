// CMultiDocTemplate: any number of documents of one kind, each in MDI child
// frames sharing the template's menu and accelerators.
#pragma once

#include "mfc/DocTemplate.h"
#include "mfc/PtrList.h"

class AFX_EXT_CLASS CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    void LoadTemplate() override;
    POSITION GetFirstDocPosition() const override { return m_docList.GetHeadPosition(); }
    CDocument* GetNextDoc(POSITION& rPos) const override { return (CDocument*)m_docList.GetNext(rPos); }
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

    // The program may replace the shared menu with its own handle; the template then leaves it alone.
    HMENU m_hMenuShared = nullptr;
    HACCEL m_hAccelTable = nullptr;
    CPtrList m_docList;
    UINT m_nUntitledCount = 0;

private:
    HMENU m_hMenuLoaded = nullptr;  // what LoadTemplate loaded, destroyed with the template
};
