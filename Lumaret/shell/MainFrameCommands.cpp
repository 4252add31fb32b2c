// The main frame's program-wide commands: new, open, paste into a new image,
// scanning, the home page, help, online ordering and the hand-over from a
// second copy of the program.
#include "MainFrame.h"

#include "DlgImgFileOpen.h"
#include "MainApp.h"
#include "album/DlgJPEGFormat.h"
#include "framework/VXUtil.h"
#include "image/ImageObject.h"
#include "resource.h"

#include <memory>

namespace {

const char kOpenFilter[] = "Jpeg Files(*.JPG)|*.JPG|BMP Files(*.BMP)|*.BMP||";
const char kHelpTitle[] = "Mivo 도움말";

// A 24-bit copy of a packed DIB; the handle stays its owner's.
CImageObject* ImageFromDibCopy(HANDLE hDib)
{
    SIZE_T size = ::GlobalSize(hDib);
    const void* source = ::GlobalLock(hDib);
    if (!source || size == 0) {
        if (source)
            ::GlobalUnlock(hDib);
        return nullptr;
    }
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    void* target = copy ? ::GlobalLock(copy) : nullptr;
    if (!target) {
        ::GlobalUnlock(hDib);
        if (copy)
            ::GlobalFree(copy);
        return nullptr;
    }
    memcpy(target, source, size);
    ::GlobalUnlock(copy);
    ::GlobalUnlock(hDib);
    CImageObject converter;
    return converter.HandleToImgObj(copy);  // frees the copy
}

// A logical palette of the system's 256 entries, when the screen is palette-based.
std::unique_ptr<CPalette> SystemPalette(CWnd* wnd)
{
    CClientDC dc(wnd);
    if (!(dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE))
        return nullptr;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    LOGPALETTE* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
    log->palVersion = 0x300;
    log->palNumEntries = 256;
    ::GetSystemPaletteEntries(dc.GetSafeHdc(), 0, 256, log->palPalEntry);
    auto palette = std::make_unique<CPalette>();
    palette->CreatePalette(log);
    return palette;
}

}  // namespace

void CMainFrame::OnNewImage()
{
    CString title;
    title.Format("새 이미지-%d", ++theApp.m_nNewImageCount);
    OpenImageEditor("", title);
}

void CMainFrame::OnFileOpen()
{
    CDlgImgFileOpen dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kOpenFilter, this);
    dialog.m_ofn.nFilterIndex = 1;
    if (theApp.m_szImageOpenDir[0])
        dialog.m_ofn.lpstrInitialDir = theApp.m_szImageOpenDir;
    if (dialog.DoModal() != IDOK)
        return;
    char folder[MAX_PATH] = "";
    ::GetCurrentDirectory(MAX_PATH, folder);
    CMainApp::CopyFolderBuffer(theApp.m_szImageOpenDir, folder);
    CString path = dialog.GetPathName();
    path.MakeUpper();
    OpenImageEditor(path, "");
}

void CMainFrame::OnPasteNewImage()
{
    if (!::OpenClipboard(m_hWnd))
        return;
    HBITMAP bitmap = (HBITMAP)::GetClipboardData(CF_BITMAP);
    HANDLE dib = ::GetClipboardData(CF_DIB);
    if (!bitmap && !dib) {
        ::CloseClipboard();
        return;
    }
    std::unique_ptr<CPalette> palette = SystemPalette(this);
    std::unique_ptr<CImageObject> pasted;
    if (bitmap) {
        CBitmap wrapper;
        wrapper.Attach(bitmap);
        CImageObject converter;
        pasted.reset(converter.DDBToImgObj(wrapper, BI_RGB, palette.get()));
        wrapper.Detach();  // the clipboard keeps its bitmap
    } else {
        pasted.reset(ImageFromDibCopy(dib));
    }
    ::CloseClipboard();
    if (!pasted)
        return;

    int width = pasted->GetWidth(), height = pasted->GetHeight();
    std::unique_ptr<CImageObject> picture(pasted->MakeBlankImageObject(RGB(255, 255, 255), width, height));
    if (!picture)
        return;
    picture->ImageProjection(CRect(0, 0, width - 1, height - 1), pasted.get(), 100, -1);

    CString title;
    title.Format("새 이미지-%d", ++theApp.m_nNewImageCount);
    OpenImageAsNewEditor(picture.release(), title);
}

void CMainFrame::OnUpdatePasteNewImage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(::IsClipboardFormatAvailable(CF_DIB) || ::IsClipboardFormatAvailable(CF_BITMAP));
}

void CMainFrame::OnSelectSource()
{
    SelectSource();
}

void CMainFrame::OnScan()
{
    Acquire(-1);
}

void CMainFrame::CopyImage(HANDLE hBitmap, TW_IMAGEINFO&)
{
    if (!hBitmap)
        return;
    CImageObject* picture = ImageFromDibCopy(hBitmap);
    if (!picture)
        return;
    CString title;
    title.Format("Scan-%d", ++theApp.m_nScanCount);
    CMainFrame* main = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    (main ? main : this)->OpenImageAsNewEditor(picture, title);
}

void CMainFrame::OnHomepage()
{
    CString host;
    host.LoadString(IDS_WDBC_HOST);
    ::ShellExecute(m_hWnd, "open", "IEXPLORE.EXE", "http://" + host, nullptr, SW_SHOWNORMAL);
}

void CMainFrame::OnJpegFormat()
{
    CDlgJPEGFormat::OpenInLayer(CString());
}

void CMainFrame::OnHelpContents()
{
    HWND help = ::FindWindow(nullptr, kHelpTitle);
    if (!help) {
        CString file = theApp.m_strDataDir + theApp.m_strAppKey + ".chm";
        ::ShellExecute(m_hWnd, "open", file, nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    ::BringWindowToTop(help);
    ::SetForegroundWindow(help);
    ::ShowWindow(help, SW_SHOWNA);
    if (::IsIconic(help))
        ::ShowWindow(help, SW_RESTORE);
    HWND popup = ::GetLastActivePopup(help);
    if (popup && popup != help)
        ::BringWindowToTop(popup);
}

void CMainFrame::OnOnlinePrintOrder()
{
    if (!theApp.m_bServerReachable) {
        CString host;
        host.LoadString(IDS_AD_HOST);
        if (PINGTest(host) <= 255) {
            AfxMessageBox("컴퓨터의 인터넷 연결이 확인되지 않았습니다.");
            return;
        }
    }
    CString server, argument;
    server.LoadString(IDS_WDBC_HOST);
    argument.Format("WDBCServer=%s", (LPCSTR)server);
    ::ShellExecute(m_hWnd, "open", theApp.m_strDataDir + "Kestrune.exe", argument, nullptr, SW_SHOWNORMAL);
}

LRESULT CMainFrame::OnOpenFromInstance(WPARAM, LPARAM)
{
    // The other copy wrote the path into the store: reopen it to see the write.
    theApp.CloseDBProfile();
    theApp.OpenDBProfile("Profile." + theApp.m_strAppKey);
    CString path = theApp.LoadProfileString(theApp.m_strAppKey, "OpenFile");
    if (!path.IsEmpty())
        OpenImageEditor(path, "");
    return 0;
}
