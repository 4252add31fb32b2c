// CDlgTemplatePage: what the frame, mask and pattern template pages share. A page keeps a list
// of the stored templates of its table, a form for one template (title, date, description and
// one or two pictures with their previews), and saves, removes and re-reads rows through
// CTemplateTables. The pages differ only in what their Layout says and in the frame's sample.
#pragma once

#include "mfc.h"
#include "controls/ImageButton.h"
#include "controls/VXEdit.h"
#include "dialogs/VXDialog.h"
#include "grid/VXGridCtrl.h"
#include "templates/TemplateTables.h"

#include <memory>

class CImageObject;

class CDlgTemplatePage : public CVXDialog {
    DECLARE_DYNAMIC(CDlgTemplatePage)
public:
    enum { MAX_PICTURES = 2 };

    // Everything that tells the pages apart.
    struct Layout {
        TemplateFamily family;
        UINT nTemplateId;
        UINT nListId;
        UINT nKeyId;
        const char* pszProfileEntry;   // column layout under the application key
        const char* pszNameTitle;      // title of list column 0
        UINT nFileButtonIds[MAX_PICTURES];
        UINT nPathIds[MAX_PICTURES];
        UINT nAreaIds[MAX_PICTURES];   // preview areas
        BOOL bChosenEvenUnloaded;      // a chosen file counts even when its preview does not load
        BOOL bEnlargePreview;          // the preview is drawn enlarged by a whole factor
    };

    CDlgTemplatePage(const Layout& layout, CWnd* pParent);
    ~CDlgTemplatePage() override;

    const Layout& GetLayout() const { return m_layout; }
    int PictureCount() const { return CTemplateTables::PictureCount(m_layout.family); }

    void LoadTemplateList();
    // which = 1 or 2: 1 when the preview is shown or the path is empty, 0 when it failed.
    int LoadPreview(int which);
    // Opens the stored template of a list row, as a click on it does.
    void OpenTemplate(int row);
    // Runs the picture file dialog for picture 1 or 2.
    void SelectFile(int which);

    CImageList m_imgList;
    int m_nCurRow;
    std::unique_ptr<CImageObject> m_pPreview[MAX_PICTURES];
    CString m_strFileType[MAX_PICTURES];
    CSize m_szPicture[MAX_PICTURES];
    int m_bNewPicture[MAX_PICTURES];
    CVXGridCtrl m_wndList;
    CImageButton m_btnFile[MAX_PICTURES];
    CImageButton m_btnNew;
    CImageButton m_btnSave;
    CImageButton m_btnEdit;
    CImageButton m_btnDelete;
    CImageButton m_btnRefresh;
    CVXEdit m_edtTitle;
    CVXEdit m_edtPath;
    CVXEdit m_edtDate;
    CVXEdit m_edtMemo;
    CEdit m_edtPath2;
    CString m_strTitle;
    CString m_strPath[MAX_PICTURES];
    CString m_strDate;
    CString m_strMemo;
    int m_nCurKey;

    afx_msg void NewTemplate();
    afx_msg void SaveTemplate();
    afx_msg void DeleteTemplate();
    afx_msg void EditImage();
    afx_msg void OnRefresh();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // After a stored template was opened (the frame composes its sample here).
    virtual void OnTemplateOpened() {}
    // After the form became a new template.
    virtual void OnFormCleared() {}
    // After the grid was laid out for a new page size; (left, top) is the grid's corner.
    virtual void ResizeAreas(int cx, int left);
    virtual void PaintPictures(CDC& dc);
    // A preview area in the page's client coordinates.
    CRect AreaRect(int which) const;
    CRect ControlRect(UINT id) const;
    // The list row whose item data is the key; -1 when none has it.
    int RowOfKey(int key);
    void SetListRow(int row, const TemplateInfo& info);
    TemplateInfo FormInfo() const;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnGridItemClick(NMHDR* pNotifyStruct, LRESULT* pResult);
    afx_msg void OnSelectFile1();
    afx_msg void OnSelectFile2();
    DECLARE_MESSAGE_MAP()

private:
    void SetUpButtons();
    void SetUpList();
    void SetUpColours();

    Layout m_layout;
};
