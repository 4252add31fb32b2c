// Shows the zooming image view and TWAIN acquisition to be checked by eye:
// the view zoomed in and scrolled, then zoomed out on its grey surround with
// the shadow; the source manager's selection dialog; the test source's panel;
// and the scanned picture in the view. Runs MIVO_SHOT_COMMAND at each moment.
#include "ShotSupport.h"
#include <mfc.h>

#include "image/ImageObject.h"
#include "image/ImgDetailView.h"
#include "image/Twain.h"

#include <memory>

namespace {

// A picture worth zooming into: sky, sea, sun and a hill, with a grid of fine lines.
std::unique_ptr<CImageObject> MakeLandscape()
{
    CImageObject maker;
    std::unique_ptr<CImageObject> img(maker.MakeBlankImageObject(RGB(120, 170, 230), 320, 240));
    if (!img)
        return img;
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < 320; x++) {
            COLORREF c = y < 150 ? RGB(120 + y / 3, 170 + y / 5, 230) : RGB(20, 90 + (y - 150), 150);
            int dx = x - 230, dy = y - 70;
            if (dx * dx + dy * dy < 30 * 30)
                c = RGB(250, 200, 60);
            if (y > 120 + (x - 60) * (x - 60) / 120 && x < 160 && y < 190)
                c = RGB(60, 140, 60);
            if (x % 16 == 0 || y % 16 == 0)
                c = RGB(255, 255, 255);
            img->SetPixelColor(x, y, c);
        }
    return img;
}

class CScanFrame : public CWnd, public CTwain {
public:
    CImgDetailView* view = nullptr;
    std::unique_ptr<CImageObject> scanned;

    void CopyImage(HANDLE hBitmap, TW_IMAGEINFO&) override
    {
        CImageObject maker;
        scanned.reset(maker.HandleToImgObj((HGLOBAL)hBitmap));
    }
};

// Runs messages for a moment with the source's filter in front.
void SettleScanning(CScanFrame& frame)
{
    DWORD end = GetTickCount() + 1000;
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (frame.SourceEnabled() && frame.ProcessMessage(msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        Sleep(20);
    }
}

// Photographs the selection dialog once it has been up for a moment, then
// chooses the test source in it.
void CALLBACK ShootSelection(HWND, UINT, UINT_PTR id, DWORD)
{
    static int ticksShown = 0;
    HWND dialog = FindWindow(nullptr, "원본 선택");
    if (!dialog || ++ticksShown < 3)
        return;
    KillTimer(nullptr, id);
    Shoot("twain-select");
    SaveSurface(dialog, "twain-select-surface.ppm");
    HWND list = GetWindow(dialog, GW_CHILD);
    while (list && SendMessage(list, LB_GETCOUNT, 0, 0) <= 0)
        list = GetWindow(list, GW_HWNDNEXT);
    if (list)
        SendMessage(list, LB_SETCURSEL, 0, 0);
    PostMessage(dialog, WM_COMMAND, IDOK, 0);
}

void ShowView(CScanFrame& frame, std::unique_ptr<CImageObject>& picture)
{
    frame.view = new CImgDetailView;
    frame.view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 440), &frame, 1);
    frame.view->m_pImgObj = picture.get();
    frame.view->SetZoomRatio(2000);
    frame.view->RebuildScrollSizes();
    frame.view->ScrollToPosition(CPoint(180, 60));
    Settle();
    Shoot("imgview-zoomed");
    SaveSurface(frame.m_hWnd, "imgview-zoomed-surface.ppm");
    frame.view->ZoomOut();
    frame.view->ZoomOut();
    frame.view->ZoomOut();
    frame.view->ZoomOut();
    frame.view->ZoomOut();
    Settle();
    Shoot("imgview-surround");
    SaveSurface(frame.m_hWnd, "imgview-surround-surface.ppm");
}

void Scan(CScanFrame& frame)
{
    frame.InitTwain(frame.m_hWnd);
    SetTimer(nullptr, 0, 400, ShootSelection);
    frame.SelectSource();
    if (!frame.Acquire(1))
        return;
    SettleScanning(frame);
    Shoot("twain-test-source");
    if (HWND panel = FindWindow(nullptr, "테스트 원본")) {
        SaveSurface(panel, "twain-test-source-surface.ppm");
        if (HWND scan = FindWindowEx(panel, nullptr, "Button", "스캔"))
            SendMessage(scan, BM_CLICK, 0, 0);
    }
    SettleScanning(frame);
    if (HWND panel = FindWindow(nullptr, "테스트 원본"))
        SendMessage(FindWindowEx(panel, nullptr, "Button", "취소"), BM_CLICK, 0, 0);
    SettleScanning(frame);
    if (frame.scanned) {
        frame.view->m_pImgObj = frame.scanned.get();
        frame.view->SetZoomRatio(4000);
        frame.view->RebuildScrollSizes();
        Settle();
        Shoot("twain-scanned");
    }
    frame.ReleaseTwain();
}

}  // namespace

int main()
{
    CWinApp app("Mivo 사진 보기");
    CScanFrame frame;
    if (!frame.CreateEx(0, AfxRegisterWndClass(0), "사진 보기", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 40, 40,
                        600, 440, nullptr, nullptr))
        return 1;
    CRect client;
    frame.GetClientRect(&client);
    frame.SetWindowPos(nullptr, 0, 0, 600 + (600 - client.Width()), 440 + (440 - client.Height()),
                       SWP_NOMOVE | SWP_NOZORDER);
    app.m_pMainWnd = &frame;
    frame.ShowWindow(SW_SHOW);
    std::unique_ptr<CImageObject> picture = MakeLandscape();
    if (!picture)
        return 1;
    ShowView(frame, picture);
    Scan(frame);
    app.m_pMainWnd = nullptr;
    frame.DestroyWindow();
    Settle();
    return 0;
}
