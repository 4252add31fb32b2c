// CDlgSelFolder: a folder tree under a message line, with a field to type a path into and a
// button that re-reads the tree and goes to the typed path. What it shows comes from a
// _bffinfo record, copied whole.
#pragma once

#include "dialogs/VXDialog.h"

#include "controls/DirTreeCtrl.h"
#include "controls/ImageButton.h"

// _bffinfo::m_nFlags. At most one root kind (none: the whole namespace); exactly one
// selection kind.
const UINT BFF_ROOT_BY_PATH = 0x08;
const UINT BFF_ROOT_BY_IDL = 0x10;
const UINT BFF_ROOT_BY_CSIDL = 0x20;
const UINT BFF_SELECT_BY_PATH = 0x40;
const UINT BFF_SELECT_SPECIAL = 0x80;  // My Computer, or Network with m_bSelectNetwork
const UINT BFF_SELECT_BY_IDL = 0x100;

struct _bffinfo {
    HWND m_hParent;
    UINT m_nFlags;
    char m_szRootPath[MAX_PATH];
    const ITEMIDLIST* m_pidlRoot;  // the caller's; not freed here
    int m_nRootCSIDL;
    char m_szInitialPath[MAX_PATH];
    const ITEMIDLIST* m_pidlInitial;  // the caller's; not freed here
    BOOL m_bSelectNetwork;
    char m_szTitle[128];    // window title
    char m_szMessage[256];  // the line above the tree
};

class AFX_EXT_CLASS CDlgSelFolder : public CVXDialog {
    DECLARE_DYNAMIC(CDlgSelFolder)
public:
    explicit CDlgSelFolder(const _bffinfo* info);

    BOOL OnInitDialog() override;

    const ITEMIDLIST* GetIdlRoot() const { return m_info.m_pidlRoot; }
    const char* GetStrRoot() const { return m_info.m_szRootPath; }
    CDirTreeCtrl& GetTreeCtrl() { return m_tree; }
    // The path field's text (while open, else as it was when the dialog closed); out holds
    // MAX_PATH bytes.
    void GetTypedPath(char* out);
    CString GetTreeSelectedPath();
    CString GetTreeSelectedName();
    // Copies the caller frees with the shell allocator.
    ITEMIDLIST* GetTreeSelectedFullIDL() { return m_tree.GetTreeSelectedFullIDL(); }
    ITEMIDLIST* GetTreeSelectedRelativeIDL() { return m_tree.GetTreeSelectedRelativeIDL(); }

protected:
    // The one root kind asked for, 0 for none or more than one.
    UINT ValidateRootFlags();
    // 1 when exactly one selection kind is asked for; else says so and gives 0.
    int ValidateSelectedFlags();
    void OnOK() override;
    afx_msg void OnSynch();
    afx_msg void OnDestroy();
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()

    _bffinfo m_info;
    CImageButton m_btnOK;
    CImageButton m_btnCancel;
    CImageButton m_btnSynch;
    CDirTreeCtrl m_tree;

private:
    void ShowRoot();
    bool SelectRequested();
    bool SelectTyped();
    void KeepResults();

    char m_szTypedPath[MAX_PATH];
    CString m_strSelectedPath;
    CString m_strSelectedName;
};
