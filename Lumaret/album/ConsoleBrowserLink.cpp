#include "album/ConsoleBrowserLink.h"

#include "mivo/Trace.h"

namespace {

// Until the image browser window is part of the program, no browser layer opens: the panes
// keep their own state and ask for nothing.
class CProgramBrowserLink : public CConsoleBrowserLink {
public:
    BOOL IsOpen() override { return FALSE; }
    BOOL Open(UINT) override
    {
        MIVO_FIXME(kTraceLumaret, "the image browser window is not part of the program yet");
        return FALSE;
    }
    void ListAlbum(int, int) override {}
    void ListFolder(CString, int) override {}
    void SearchAlbums(CString) override {}
    void RemoveFolderImages(CString) override {}
    void StopThumbnailThread() override {}
    void StartThumbnailThread() override {}
    void ShowDetail(CImgDetailView*) override {}
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
