// What the console pane tests share: a temporary user database and data folder with a profile
// store of their own, a host window for the panes, a browser link that records what the panes
// asked for, and menus caught while a synthesized right click has them open.
#pragma once

#include "AlbumFixture.h"

#include "album/ConsoleBrowserLink.h"
#include "shell/MainApp.h"
#include "support/InputSynth.h"
#include "support/MessageRecorder.h"

#include "mivo/testing/input.h"

#include <map>
#include <string>
#include <vector>

namespace consoletest {

// Records the panes' requests, one line each ("open 128", "album 7 0", "folder C:\x\ 1"...), and
// keeps a listing of image paths that folder removals take from.
class RecordingBrowser : public CConsoleBrowserLink {
public:
    RecordingBrowser() { Install(this); }
    ~RecordingBrowser() override { Install(nullptr); }

    BOOL IsOpen() override { return open; }
    BOOL Open(UINT frame) override
    {
        calls.push_back("open " + std::to_string(frame));
        open = TRUE;
        return TRUE;
    }
    void ListAlbum(int albumId, int reload) override
    {
        calls.push_back("album " + std::to_string(albumId) + " " + std::to_string(reload));
    }
    void ListFolder(CString folder, int reload) override
    {
        calls.push_back("folder " + std::string((LPCSTR)folder) + " " + std::to_string(reload));
    }
    void SearchAlbums(CString keyword) override { calls.push_back("search " + std::string((LPCSTR)keyword)); }
    void RemoveFolderImages(CString folder) override
    {
        calls.push_back("remove " + std::string((LPCSTR)folder));
        for (size_t i = images.size(); i-- > 0;) {
            std::string path = images[i];
            if (path.compare(0, path.rfind('\\') + 1, (LPCSTR)folder) == 0 &&
                path.rfind('\\') + 1 == (size_t)folder.GetLength())
                images.erase(images.begin() + (long)i);
        }
    }
    void StopThumbnailThread() override { calls.push_back("stop"); }
    void StartThumbnailThread() override { calls.push_back("start"); }
    void ShowDetail(CImgDetailView*) override { calls.push_back("detail"); }

    std::string Calls() const
    {
        std::string all;
        for (const std::string& c : calls)
            all += (all.empty() ? "" : " ; ") + c;
        return all;
    }

    BOOL open = FALSE;
    std::vector<std::string> calls;
    std::vector<std::string> images;
};

// The album database, a profile store in the data folder and a visible host window.
class ConsoleTest : public albumtest::AlbumDatabase {
protected:
    void SetUp() override
    {
        AlbumDatabase::SetUp();
        savedSingle = app->m_bSingleInstance;
        savedProfile = app->m_strProfileFile;
        savedRunDir = app->m_strRunDir;
        app->m_bSingleInstance = 0;
        app->m_strRunDir = data.windowsPath().c_str();
        app->SetDBProfile("Profile.console");
        theApp.m_arrClipPaths.RemoveAll();
        theApp.m_arrClipKinds.RemoveAll();
        theApp.m_arrClipMove.RemoveAll();
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                  260, 560, nullptr, nullptr));
    }
    void TearDown() override
    {
        if (host.m_hWnd)
            host.DestroyWindow();
        mivo::test::PumpUntilIdle();
        theApp.m_arrClipPaths.RemoveAll();
        theApp.m_arrClipKinds.RemoveAll();
        theApp.m_arrClipMove.RemoveAll();
        app->m_bSingleInstance = savedSingle;
        app->m_strProfileFile = savedProfile;
        app->m_strRunDir = savedRunDir;
    }
    // Creates the pane as a child of the host, sized as a folder bar would.
    template <class Pane>
    void Place(Pane& pane, UINT templateId)
    {
        ASSERT_TRUE(pane.Create(templateId, &host));
        pane.MoveWindow(0, 0, 260, 560);
        pane.ShowWindow(SW_SHOW);
        mivo::test::PumpUntilIdle();
    }
    static void Clip(const CString& path, int kind, int move)
    {
        theApp.m_arrClipPaths.Add(path);
        theApp.m_arrClipKinds.Add((UINT)kind);
        theApp.m_arrClipMove.Add((UINT)move);
    }

    RecordingBrowser browser;
    CWnd host;
    BOOL savedSingle = TRUE;
    CString savedProfile;
    CString savedRunDir;
};

// The states of a popup menu's commands while a right click has it open: MF_GRAYED set or not,
// by command; the menu is closed with Escape once it waits for input.
class MenuCatcher {
public:
    explicit MenuCatcher(HWND owner)
    {
        recorder.Attach(owner);
        recorder.OnMessage(WM_INITMENUPOPUP, [this](HWND, UINT, WPARAM wParam, LPARAM, LRESULT*) {
            HMENU menu = (HMENU)wParam;
            for (int i = 0; i < ::GetMenuItemCount(menu); i++) {
                UINT id = ::GetMenuItemID(menu, i);
                if (id != 0 && id != (UINT)-1)
                    greyed[id] = (::GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
            }
            shown = true;
            return false;
        });
        recorder.OnMessage(WM_ENTERIDLE, [this](HWND, UINT, WPARAM wParam, LPARAM, LRESULT*) {
            if (wParam == MSGF_MENU && !closing) {
                closing = true;
                mivo::InjectKey(VK_ESCAPE, true);
                mivo::InjectKey(VK_ESCAPE, false);
            }
            return false;
        });
    }
    // "id:g" for greyed, "id:e" for enabled, in command order.
    std::string States() const
    {
        std::string all;
        for (const auto& entry : greyed)
            all += (all.empty() ? "" : " ") + std::to_string(entry.first) + (entry.second ? ":g" : ":e");
        return all;
    }

    mivo::test::MessageRecorder recorder;
    std::map<UINT, bool> greyed;
    bool shown = false;
    bool closing = false;
};

// A right click on a point of a tree's client area, as the user makes it.
inline void RightClick(CWnd& tree, CPoint point)
{
    mivo::test::Click(tree.m_hWnd, point.x, point.y, mivo::MouseButton::Right);
    mivo::test::PumpUntilIdle();
}

}  // namespace consoletest
