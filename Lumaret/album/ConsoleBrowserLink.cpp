#include "album/ConsoleBrowserLink.h"

#include "browser/DlgImgBrowser.h"
#include "browser/ImgBrowserDetailView.h"
#include "controls/VXDlgLayerFrame.h"
#include "shell/MainFrame.h"

namespace {

const char kBrowserTitle[] = "이미지 브라우저";

// The program's browser: the page of the one layer frame titled "이미지 브라우저".
class CProgramBrowserLink : public CConsoleBrowserLink {
public:
    BOOL IsOpen() override { return Find() != nullptr; }
    BOOL Open(UINT frameResource) override { return CDlgImgBrowser::OpenLayer(frameResource) != nullptr; }
    void ListAlbum(int albumId, int reload) override
    {
        if (CDlgImgBrowser* browser = Find())
            browser->ListAlbum(albumId, reload);
    }
    void ListFolder(CString folder, int reload) override
    {
        if (CDlgImgBrowser* browser = Find())
            browser->ListFolder(folder, reload);
    }
    void SearchAlbums(CString keyword) override
    {
        if (CDlgImgBrowser* browser = Find())
            browser->SearchAlbums(keyword);
    }
    void RemoveFolderImages(CString folder) override
    {
        CDlgImgBrowser* browser = Find();
        if (!browser)
            return;
        browser->StopThumbnailThread();
        for (int i = browser->m_nItemCount - 1; i >= 0; i--) {
            const CString& path = browser->m_arrPath[i];
            int cut = path.ReverseFind('\\');
            if (path.Left(cut + 1) == folder)
                browser->RemoveItem(i);
        }
    }
    void StopThumbnailThread() override
    {
        if (CDlgImgBrowser* browser = Find())
            browser->StopThumbnailThread();
    }
    void StartThumbnailThread() override
    {
        if (CDlgImgBrowser* browser = Find())
            browser->StartThumbnailThread();
    }
    void ShowDetail(CImgDetailView* view) override
    {
        auto* detail = dynamic_cast<CImgBrowserDetailView*>(view);
        if (detail && detail->m_pBrowser)
            detail->m_pBrowser->ShowDetail();
    }

private:
    static CDlgImgBrowser* Find()
    {
        CWnd* main = AfxGetMainWnd();
        auto* frame = main ? dynamic_cast<CMDIFrameWnd*>(main) : nullptr;
        if (!frame || !frame->m_hWndMDIClient)
            return nullptr;
        for (HWND child = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); child;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            auto* layer = dynamic_cast<CVXDlgLayerFrame*>(CWnd::FromHandlePermanent(child));
            if (!layer)
                continue;
            CString title;
            layer->GetWindowText(title);
            if (title != kBrowserTitle)
                continue;
            if (auto* browser = dynamic_cast<CDlgImgBrowser*>(layer->GetPageDialog(0)))
                return browser;
        }
        return nullptr;
    }
};

CConsoleBrowserLink* g_installed = nullptr;

}  // namespace

CConsoleBrowserLink& CConsoleBrowserLink::Get()
{
    static CProgramBrowserLink program;
    return g_installed ? *g_installed : program;
}

void CConsoleBrowserLink::Install(CConsoleBrowserLink* link)
{
    g_installed = link;
}
