// CDlgImgTemplatePicker: what the frame, mask and margin dialogs share. A
// list of the templates of one table of the template database; a click
// unpacks the chosen template's pictures into "Temp" (CTemplateTables) and
// hands their paths to the dialog, which loads them and previews the result
// on a small copy of the picture.
#pragma once

#include "editor/DlgImgPreview.h"
#include "grid/VXGridCtrl.h"
#include "templates/TemplateTables.h"

#include <memory>

class CDlgImgTemplatePicker : public CDlgImgPreview {
    DECLARE_DYNAMIC(CDlgImgTemplatePicker)
public:
    enum { kMaxPictures = 2 };

    // The table a dialog lists, and how its list looks.
    struct TableInfo {
        TemplateFamily family;
        const char* header;
        int listWidth;
        int listId;
    };

    CDlgImgTemplatePicker(UINT nIDTemplate, CWnd* pParent);
    ~CDlgImgTemplatePicker() override;

    // Lists the table's templates in key order.
    void FillTemplateList();
    // What a click on a list row does (row and column as the grid reports).
    void ChooseTemplate(int item, int subItem);

    // The chosen template's key, -1 before a choice.
    int m_nTemplateNo;
    CVXGridCtrl m_wndList;

protected:
    CImageList m_imageList;

    virtual const TableInfo& Table() const = 0;
    // The chosen template's files, one per picture ("" where nothing may be
    // loaded); the dialog loads them and refreshes its previews.
    virtual void OnTemplateFiles(const CString* paths) = 0;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void StyleList();
    // The untouched and processed previews as the pickers make them.
    void MakePickerPreviews();
    // Loads a picture file at full size; NULL for an empty path or a file
    // that gives no picture.
    std::unique_ptr<CImageObject> LoadTemplatePicture(const CString& path);
    static void DrawThirdFrame(CDC* pDC, const CRect& rect);

    DECLARE_MESSAGE_MAP()
};
