// CVXGridOptionsCtrl: a property sheet made of the tree grid. Each row is an
// option "name: value" in cell 0; the cell's check field is the option's kind
// (0..3 check box, 4..7 radio, bit 0 the state, bit 1 disabled) and the row's
// item data the run-time class of its editor, or 0. Radio options of a group
// are the radio children of one parent row (top-level ones: of the root).
#pragma once

#include "grid/VXGridCtrl.h"

class CVXGridOptionsEdit;
class CVXGridOptionsCombo;

// What the options grid tells its parent (RVN_OPTIONTEXTCHANGED, RVN_OPTIONCHECKCHANGED,
// RVN_OPTIONCHOICECHANGED).
struct _NMRVOPTION {
    NMHDR hdr;
    _TREEITEM* hParent = nullptr;
    _TREEITEM* hItem = nullptr;
    int iValue = 0;
};

class AFX_EXT_CLASS CVXGridOptionsCtrl : public CVXGridCtrl {
    DECLARE_DYNCREATE(CVXGridOptionsCtrl)
public:
    CVXGridOptionsCtrl();
    ~CVXGridOptionsCtrl() override;

    using CVXGridCtrl::Create;
    BOOL Create() override;
    LRESULT Notify(_NMREPORTVIEW* record) override;
    using CVXGridCtrl::Notify;
    virtual BOOL BeginOptionEdit(_TREEITEM* node);
    virtual BOOL EndOptionEdit(BOOL commit, BOOL flag = FALSE);
    virtual LRESULT SendOptionNotify(UINT code, _TREEITEM* parent, _TREEITEM* node, int value);

    CString GetOptionName(int item);
    CString GetOptionValue(_TREEITEM* node);
    void SetOptionValue(int item, LPCSTR text);
    BOOL HasOptionEditor(_TREEITEM* node);
    BOOL IsCheckOption(_TREEITEM* node);
    BOOL IsRadioOption(_TREEITEM* node);
    BOOL IsOptionDisabled(_TREEITEM* node);
    BOOL GetOptionCheck(_TREEITEM* node, int& state);
    BOOL SetOptionCheck(_TREEITEM* node, int state);
    BOOL GetOptionRadio(_TREEITEM* parent, int& index);
    BOOL SetOptionRadio(_TREEITEM* parent, int index);
    BOOL SetOptionRadio(_TREEITEM* node);

    // The open editor's window, or none.
    HWND GetOptionEditorWnd() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    _TREEITEM* m_hEditNode = nullptr;
    CString m_strEditValue;
    CVXGridOptionsEdit* m_pOptionEdit = nullptr;
    CVXGridOptionsCombo* m_pOptionCombo = nullptr;

    static void RegisterOptionsClass();
    int CheckField(_TREEITEM* node);
    // The option's group: its parent row, or the root for a top-level option.
    _TREEITEM* GroupOf(_TREEITEM* node);
    // A click or Space on an option: toggles a check box, selects a radio option.
    void ChangeOption(_TREEITEM* node);
    // The run-time class in the row's item data when it is an editor class, else null.
    CRuntimeClass* EditorClassOf(_TREEITEM* node);
    // Where the editor goes: right after the option's name within its cell.
    BOOL EditorRect(_TREEITEM* node, LPCSTR name, CRect& rect);
    BOOL OpenEdit(CVXGridOptionsEdit* edit, CRect rect, LPCSTR value);
    BOOL OpenCombo(CVXGridOptionsCombo* combo, CRect rect, LPCSTR value);
    // Space: closes an open editor, changes the focused option, runs the grid's
    // own Space, then opens the focused option's editor.
    void OnSpace(UINT flags);
};
