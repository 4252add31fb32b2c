// The main frame and the editor windows: opening or re-activating an editor,
// handing it a new picture, and asking about unsaved pictures at close.
#include "MainFrame.h"

#include "MainApp.h"
#include "image/ImageObject.h"

CImgEditView* CMainFrame::OpenImageEditor(CString, CString)
{
    // No editor template in this build yet.
    return nullptr;
}

CImgEditView* CMainFrame::OpenImageAsNewEditor(CImageObject* image, CString title)
{
    CImgEditView* view = OpenImageEditor("", title);
    if (!view)
        delete image;
    return view;
}

BOOL CMainFrame::QueryCloseEditors()
{
    return TRUE;
}
