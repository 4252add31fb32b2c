// The main frame and the editor windows: opening or re-activating an editor,
// handing it a new picture, and asking about unsaved pictures at close.
#include "MainFrame.h"

#include "MainApp.h"
#include "editor/ImgEditView.h"
#include "editor/OwnedSlot.h"
#include "framework/VXUtil.h"
#include "image/ImageObject.h"

#include <memory>

namespace {

const char kBusyMessage[] = "이미지 작업이 진행중입니다. 작업이 종료된 후 다시 시도하십시요.";

std::vector<CImgEditView*> EditorViews()
{
    CPtrArray list;
    GetDocViewList("ImgEdit", &list);
    std::vector<CImgEditView*> views;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (auto* view = dynamic_cast<CImgEditView*>(static_cast<CView*>(list[i])))
            views.push_back(view);
    return views;
}

}  // namespace

void CMainFrame::ActivateEditor(CImgEditView* view)
{
    CFrameWnd* frame = view->GetParentFrame();
    if (frame && m_hWndMDIClient)
        ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)frame->GetSafeHwnd(), 0);
}

CImgEditView* CMainFrame::OpenImageEditor(CString path, CString title)
{
    if (!path.IsEmpty()) {
        for (CImgEditView* view : EditorViews()) {
            if (view->m_strPathName.CompareNoCase(path) == 0) {
                ActivateEditor(view);
                SetSelFolder(kFolderEditTools);
                return view;
            }
        }
    }
    CImgEditView* view = dynamic_cast<CImgEditView*>(OpenView("ImgEdit", TRUE, FALSE));
    if (!view)
        return nullptr;
    view->m_pEditToolsPane = m_pEditToolsPane;
    if (CFrameWnd* frame = view->GetParentFrame())
        frame->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    view->LoadImage(path, title);
    SetSelFolder(kFolderEditTools);
    return view;
}

CImgEditView* CMainFrame::OpenImageAsNewEditor(CImageObject* image, CString title)
{
    // Freed here when no editor opens to take it.
    std::unique_ptr<CImageObject> owned(image);
    CImgEditView* view = OpenImageEditor("", title);
    if (!view)
        return nullptr;
    owned_slot::Replace(view->m_pImage, std::move(owned));
    view->m_strTitle = title;
    image->SetParent(view);
    view->m_bModified = TRUE;
    view->OnImageLoaded();
    return view;
}

BOOL CMainFrame::QueryCloseEditors()
{
    BOOL refused = FALSE;
    for (CImgEditView* view : EditorViews()) {
        if (view->IsBusy()) {
            AfxMessageBox(kBusyMessage, MB_OK | MB_ICONINFORMATION);
            return FALSE;
        }
        if (!view->m_bModified)
            continue;
        ActivateEditor(view);
        CString question;
        question.Format("%s 이미지가 변경되었습니다.\r\n저장하시겠습니까?",
                        (LPCSTR)(view->m_strPathName.IsEmpty() ? view->m_strTitle : view->m_strPathName));
        switch (AfxMessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            // A save that fails or is cancelled must not lose the picture.
            if (!view->Save())
                refused = TRUE;
            break;
        case IDNO:
            break;
        default:
            refused = TRUE;
            break;
        }
    }
    return !refused;
}
