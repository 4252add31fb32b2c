// CVXDlgLayerFrame: an MDI child frame whose only content is a dialog
// layer, so that a modeless dialog can live as an MDI window.
#pragma once

#include "controls/VXDlgLayer.h"

class AFX_EXT_CLASS CVXDlgLayerFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CVXDlgLayerFrame)
public:
    CVXDlgLayerFrame();
    ~CVXDlgLayerFrame() override;

    void SetCaptionVisible(BOOL visible);
    void SetFrameTitle(CString title);
    CDialog* GetPageDialog(int index);
    // The page is always appended and shown: state and position are not used.
    int InsertDialogToLayer(CDialog* dlg, UINT templateId, const char* caption, DWORD state, int position);
    int InsertDialogToLayer(CDialog* dlg, const char* templateName, const char* caption, DWORD state,
                            int position);
    void FitLayerToFrame();
    CVXDlgLayer* GetLayer() { return &m_wndLayer; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

protected:
    CString m_strTitle;
    CVXDlgLayer m_wndLayer;

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()
};
