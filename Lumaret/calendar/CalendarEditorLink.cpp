#include "calendar/CalendarEditorLink.h"

#include "editor/ImgEditView.h"
#include "image/ImageObject.h"
#include "shell/MainFrame.h"
#include "editor/OwnedSlot.h"

namespace {

const char kTitle[] = "Calendar";

class CProgramEditorLink : public CCalendarEditorLink {
public:
    BOOL TakeCalendar(CImageObject* picture) override
    {
        CMainFrame* frame = dynamic_cast<CMainFrame*>(AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr);
        CImgEditView* view = frame ? frame->OpenImageEditor("", kTitle) : nullptr;
        if (!view)
            return FALSE;
        owned_slot::Replace(view->m_pImage, std::unique_ptr<CImageObject>(picture));
        picture->SetParent(view);
        view->m_strTitle = kTitle;
        view->OnImageLoaded(0, 0);
        if (!view->m_bModified) {
            view->m_bModified = TRUE;
            view->UpdateFrameTitle();
        }
        view->UpdateSizeStatus();
        return TRUE;
    }
};

CCalendarEditorLink* g_pInstalled = nullptr;

}  // namespace

CCalendarEditorLink& CCalendarEditorLink::Get()
{
    static CProgramEditorLink program;
    return g_pInstalled ? *g_pInstalled : program;
}

void CCalendarEditorLink::Install(CCalendarEditorLink* link)
{
    g_pInstalled = link;
}
