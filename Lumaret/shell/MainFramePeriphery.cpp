// The main frame's commands for the shell's periphery: the music player, the
// settings and screen capture.
#include "MainFrame.h"

#include "DlgMediaPlayer.h"
#include "DlgScreenCapture.h"
#include "DlgSetEnv.h"
#include "MainApp.h"
#include "image/ImageObject.h"

#include <memory>
#include <vector>
#include "album/DlgConsoleBrowse.h"

void CMainFrame::OnMediaPlayer()
{
    if (GetSelFolder() == kFolderBrowse) {
        if (m_pBrowsePane)
            m_pBrowsePane->ShowMusicTab();
        return;
    }
    CDlgMediaPlayer player(m_pBrowsePane ? m_pBrowsePane->GetPlayerBar() : nullptr, this);
    player.DoModal();
}

void CMainFrame::OnSettings()
{
    CDlgSetEnv settings(this);
    settings.DoModal();
}

void CMainFrame::OnScreenCapture()
{
    CDlgScreenCapture chooser;
    if (chooser.DoModal() != IDOK)
        return;
    CaptureWindow(chooser.m_hSelWnd);
}

namespace {

// A logical palette of the system's entries, when the screen is palette-based.
std::unique_ptr<CPalette> ScreenPalette(HDC screen)
{
    if (!(::GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE))
        return nullptr;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    LOGPALETTE* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
    log->palVersion = 0x300;
    log->palNumEntries = 256;
    ::GetSystemPaletteEntries(screen, 0, 256, log->palPalEntry);
    auto palette = std::make_unique<CPalette>();
    palette->CreatePalette(log);
    return palette;
}

}  // namespace

CImgEditView* CMainFrame::CaptureWindow(HWND hWnd)
{
    // A window closed while the chooser was open has no rectangle: capture nothing rather than
    // whatever lies where it was.
    CRect window, area;
    CPoint offset;
    if (!hWnd || !::IsWindow(hWnd) || !::GetWindowRect(hWnd, &window))
        return nullptr;
    CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (!CDlgScreenCapture::ClipToScreen(window, screen, area, offset))
        return nullptr;

    bool desktop = hWnd == ::GetDesktopWindow();
    if (!desktop) {
        ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::Sleep(100);
        ::UpdateWindow(hWnd);
    }
    HDC source = ::GetWindowDC(hWnd);
    HDC screenDC = ::GetDC(nullptr);
    CBitmap bitmap;
    CDC memory;
    memory.CreateCompatibleDC(CDC::FromHandle(screenDC));
    bitmap.CreateCompatibleBitmap(CDC::FromHandle(screenDC), area.Width(), area.Height());
    CBitmap* old = memory.SelectObject(&bitmap);
    ::BitBlt(memory.GetSafeHdc(), 0, 0, area.Width(), area.Height(), source, offset.x, offset.y, SRCCOPY);
    memory.SelectObject(old);
    ::ReleaseDC(hWnd, source);
    auto restoreOrder = [&] {
        if (!desktop)
            ::SetWindowPos(hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    };
    restoreOrder();
    std::unique_ptr<CPalette> palette = ScreenPalette(screenDC);
    ::ReleaseDC(nullptr, screenDC);

    CString title;
    title.Format("Capture-%d", ++theApp.m_nCaptureCount);
    CImageObject converter;
    CImageObject* picture = converter.DDBToImgObj(bitmap, BI_RGB, palette.get());
    CImgEditView* view = picture ? OpenImageAsNewEditor(picture, title) : nullptr;
    restoreOrder();
    return view;
}
