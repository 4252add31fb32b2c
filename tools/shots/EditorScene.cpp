// The image editor in an MDI frame: one picture fitted at 33 % with a text
// floating on it, one at 400 % with a selection dragged out by the mouse,
// then that selection's context menu open.
#include "ShotSupport.h"

#include "controls/VXMenu.h"
#include "editor/ImgEditDoc.h"
#include "editor/ImgEditFrame.h"
#include "editor/ImgEditView.h"
#include "framework/VXUtil.h"
#include "image/ImageObject.h"
#include "mivo/testing/input.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

const UINT_PTR kShotTimer = 71;


class CShotFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CShotFrame)
public:
    CShotFrame() { m_strTitle = "Mivo 이미지 편집"; }
    const char* m_shotName = nullptr;

protected:
    afx_msg void OnTimer(UINT_PTR id)
    {
        if (id != kShotTimer)
            return;
        KillTimer(kShotTimer);
        HWND popup = ::FindWindow("#32768", nullptr);
        if (popup)
            ::RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Settle();
        Shoot(m_shotName);
        SaveComposite(m_hWnd, m_shotName);
        ::EndMenu();
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CShotFrame, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(CShotFrame, CMDIFrameWnd)
ON_WM_TIMER()
END_MESSAGE_MAP()

// A landscape: sky, sun, hills and a lake, so that zoom and selection read.
CImageObject* Landscape(int width, int height)
{
    CImageObject maker;
    CImageObject* p = maker.MakeBlankImageObject(RGB(135, 190, 235), width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double fx = double(x) / width, fy = double(y) / height;
            double hill = 0.55 + 0.08 * std::sin(fx * 9.0) + 0.05 * std::sin(fx * 23.0);
            COLORREF c = RGB(int(120 + 100 * fy), int(180 + 50 * fy), 240);
            if (std::hypot(fx - 0.75, fy - 0.2) < 0.07)
                c = RGB(250, 210, 60);
            if (fy > hill)
                c = RGB(40 + int(60 * fx), 120 + int(50 * (1 - fy)), 50);
            if (fy > 0.8)
                c = RGB(40, 90 + int(40 * fx), 170 + int(40 * (fy - 0.8) * 5));
            p->SetPixelColor(x, y, c);
        }
    }
    return p;
}

CImgEditView* OpenEditor(CImageObject* picture, const char* title)
{
    CImgEditView* view = dynamic_cast<CImgEditView*>(OpenView("ImgEdit", FALSE, FALSE));
    if (!view)
        return nullptr;
    view->LoadImage("", title);
    delete view->m_pImage;
    view->m_pImage = picture;
    picture->SetParent(view);
    view->OnImageLoaded();
    return view;
}

POINT Screen(CWnd* wnd, int x, int y)
{
    POINT p = {x, y};
    ::ClientToScreen(wnd->GetSafeHwnd(), &p);
    return p;
}

}  // namespace

int main()
{
    CWinApp app("Mivo 이미지 편집");
    // The program draws its menus in the XP look.
    CVXMenu::SetMenuDrawMode(1);
    auto* frame = new CShotFrame;
    if (!frame->LoadFrame(7320))
        return 1;
    app.m_pMainWnd = frame;
    frame->MoveWindow(10, 10, 780, 570);
    frame->ShowWindow(SW_SHOW);
    auto* editorTemplate = new CMultiDocTemplate(157, RUNTIME_CLASS(CImgEditDoc), RUNTIME_CLASS(CImgEditFrame),
                                                 RUNTIME_CLASS(CImgEditView));
    editorTemplate->m_strDocStrings = "\nImgEdit\nImgEdit";
    app.AddDocTemplate(editorTemplate);

    // A large picture fits its window at a third of its size; a text floats on it.
    CImgEditView* wide = OpenEditor(Landscape(1200, 900), "설악산 풍경.JPG");
    wide->GetParentFrame()->MoveWindow(0, 0, 430, 340);
    wide->FitToWindow();
    wide->m_strImprintText = "가을 설악산 2026";
    std::memset(&wide->m_lfImprint, 0, sizeof(LOGFONT));
    wide->m_lfImprint.lfHeight = -36;
    wide->m_lfImprint.lfWeight = FW_BOLD;
    std::strcpy(wide->m_lfImprint.lfFaceName, "굴림");
    wide->m_clrImprintText = RGB(255, 255, 255);
    wide->m_bImprintTransparent = TRUE;
    wide->FloatText(CPoint(120, 640));
    Settle();

    // A small picture at 400 %, a selection dragged out with the mouse.
    CImgEditView* close = OpenEditor(Landscape(160, 120), "호수.BMP");
    close->GetParentFrame()->MoveWindow(300, 120, 450, 370);
    close->ZoomToStep(33081 + 7);
    close->ScrollToPosition(CPoint(300, 180));
    Settle();
    mivo::InjectMouseMove(Screen(close, 42, 38));
    mivo::InjectMouseButton(Screen(close, 42, 38), mivo::MouseButton::Left, true);
    mivo::InjectMouseMove(Screen(close, 120, 100));
    mivo::InjectMouseMove(Screen(close, 231, 171));
    mivo::InjectMouseButton(Screen(close, 231, 171), mivo::MouseButton::Left, false);
    Settle();
    Shoot("editor-zoom-selection");
    SaveSurface(frame->m_hWnd, "editor-zoom-selection-surface");

    // The selection's popup.
    frame->m_shotName = "editor-selection-menu";
    frame->SetTimer(kShotTimer, 1500, nullptr);
    POINT at = Screen(close, 150, 120);
    close->SendMessage(WM_CONTEXTMENU, (WPARAM)close->m_hWnd, MAKELPARAM(at.x, at.y));
    Settle();

    wide->m_bModified = FALSE;
    close->m_bModified = FALSE;
    frame->SendMessage(WM_CLOSE);
    Settle();
    return 0;
}
