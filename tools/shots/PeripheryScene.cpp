// The shell's periphery as a user sees it: the main frame with the advertising
// band showing its page from the web-database stand-in, the screen-capture
// chooser and the captured window in an editor, the settings dialog with the
// community member fetched from the site, the folder pane's music tab and the
// player window with a play list.
#include "ShotSupport.h"

#include "album/DlgConsoleBrowse.h"
#include "shell/DlgAdvertising.h"
#include "shell/DlgMediaPlayerBar.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "resource.h"
#include "support/PrivateRuntimeFolder.h"
#include "support/TempFolder.h"
#include "support/WebDatabaseSeed.h"
#include "support/WebDatabaseStub.h"

#include "mivo/codepage.h"
#include "mivo/testing/net.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

std::function<void()> g_step;

void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    std::function<void()> step = std::move(g_step);
    g_step = nullptr;
    if (step)
        step();
}

// Runs the step from inside whatever modal loop is running by then.
void Later(int ms, std::function<void()> step)
{
    g_step = std::move(step);
    ::SetTimer(nullptr, 0, ms, RunStep);
}

// A second of silence as a WAV file.
void WriteSong(const std::string& posix)
{
    const unsigned rate = 8000, bytes = rate * 2 * 95;
    std::vector<unsigned char> w;
    auto put32 = [&](unsigned v) { for (int i = 0; i < 4; ++i) w.push_back((unsigned char)(v >> (8 * i))); };
    auto put16 = [&](unsigned v) { w.push_back((unsigned char)v); w.push_back((unsigned char)(v >> 8)); };
    w.insert(w.end(), {'R', 'I', 'F', 'F'});
    put32(36 + bytes);
    w.insert(w.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(16);
    put16(1);
    put16(1);
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    w.insert(w.end(), {'d', 'a', 't', 'a'});
    put32(bytes);
    w.resize(w.size() + bytes, 0);
    FILE* f = fopen(posix.c_str(), "wb");
    if (f) {
        fwrite(w.data(), 1, w.size(), f);
        fclose(f);
    }
}

void ShootAdvertising(CMainFrame* frame)
{
    CDlgAdvertising* band = frame->m_pAdDialog;
    if (!band)
        return;
    band->SendMessage(WM_TIMER, CDlgAdvertising::kTimerId, 0);
    for (int i = 0; i < 4; ++i)
        Settle();
    Shoot("periphery-advertising");
    SaveSurface(frame->m_hWnd, "periphery-advertising.ppm");
}

void ShootCapture(CMainFrame* frame)
{
    Later(1500, [] {
        HWND chooser = ::FindWindow(nullptr, "화면 캡쳐");
        Shoot("periphery-capture-chooser");
        if (!chooser)
            return;
        HWND list = ::GetDlgItem(chooser, IDC_CAPTURE_WINDOWS);
        int index = (int)::SendMessage(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "Mivo Lite");
        ::SendMessage(list, LB_SETCURSEL, index < 0 ? 0 : index, 0);
        ::SendMessage(chooser, WM_COMMAND, IDOK, 0);
    });
    frame->SendMessage(WM_COMMAND, ID_FILE_CAPTURE);
    Settle();
    Shoot("periphery-captured");
    // The desktop: on X11 the screen as shown, the window manager's title bars included.
    frame->CaptureWindow(::GetDesktopWindow());
    Settle();
    Shoot("periphery-captured-desktop");
}

void ShootSettings(CMainFrame* frame)
{
    Later(1500, [] {
        HWND settings = ::FindWindow(nullptr, "프로그램 환경 관리");
        if (!settings)
            return;
        ::SetDlgItemText(settings, IDC_SETENV_CUSTID, "mivo");
        ::SetDlgItemText(settings, IDC_SETENV_CUSTPWD, "mivo");
        ::SetDlgItemText(settings, IDC_SETENV_CUSTPWD2, "mivo");
        ::SendMessage(settings, WM_COMMAND, MAKEWPARAM(IDC_SETENV_FETCH, BN_CLICKED), 0);
        Later(1500, [settings] {
            Shoot("periphery-settings");
            ::SendMessage(settings, WM_COMMAND, IDCANCEL, 0);
        });
    });
    frame->SendMessage(WM_COMMAND, ID_TOOLS_SETTINGS);
    Settle();
}

void ShootPlayer(CMainFrame* frame, const std::string& music)
{
    frame->SetSelFolder(kFolderBrowse);
    Settle();
    frame->SendMessage(WM_COMMAND, ID_TOOLS_MUSIC);
    CDlgMediaPlayerBar* bar = frame->m_pBrowsePane ? frame->m_pBrowsePane->GetPlayerBar() : nullptr;
    if (!bar)
        return;
    // As the file chooser hands them over.
    CStringArray paths, titles;
    for (const char* name : {"봄날.wav", "바다의 노래.wav", "Morning.wav"}) {
        paths.Add(CString(music.c_str()) + "\\" + name);
        titles.Add(name);
    }
    bar->PlayFiles(paths, titles);
    Settle();
    Shoot("periphery-music-tab");
    SaveSurface(frame->m_hWnd, "periphery-music-tab.ppm");

    frame->SetSelFolder(kFolderAlbum);
    Settle();
    Later(1500, [] {
        Shoot("periphery-player");
        if (HWND player = ::FindWindow(nullptr, "MP3, CD 플레이어"))
            ::SendMessage(player, WM_CLOSE, 0, 0);
    });
    frame->SendMessage(WM_COMMAND, ID_TOOLS_MUSIC);
    Settle();
    bar->Stop();
}

}  // namespace

int main()
{
    mivotest::PrivateRuntimeFolder runtime;
    mivotest::TempFolder run("mivo-shot-periphery");
    setenv("ODBCINI", run.file("odbc.ini").c_str(), 1);
    setenv("MIVO_REGISTRY_FILE", run.file("registry").c_str(), 1);
    setenv("MIVO_AUDIO", "null", 1);
    for (const char* name : {"Mivo.dat", "MivoUser.dat"})
        std::filesystem::copy_file(std::string(MIVO_DATA_BUILD_DIR) + "/" + name, run.file(name));
    std::string music = run.windowsPath() + "음악";
    ::CreateDirectory(music.c_str(), nullptr);
    for (const char* name : {"봄날.wav", "바다의 노래.wav", "Morning.wav"})
        WriteSong(run.file(mivo::ToUtf8(("음악/" + std::string(name)).c_str())));

    // The servers of the string table (127.0.0.1): the web database and its pages here, the
    // advertising host answering its echo.
    mivotest::WebDatabaseStub stub;
    mivotest::SeedDemo(stub);
    std::string map = "127.0.0.1:80=127.0.0.1:" + std::to_string(stub.port());
    setenv("MIVO_HTTP_PORT_MAP", map.c_str(), 1);
    mivo::SetEchoTransport([](uint32_t, const std::vector<uint8_t>& request, unsigned, std::vector<uint8_t>& reply) {
        reply = request;
        reply[0] = 0;
        return true;
    });

    theApp.m_strRunDir = run.windowsPath().c_str();
    theApp.m_lpCmdLine = strdup("Show=1");
    if (!theApp.StartUp())
        return 1;
    CMainFrame* frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    Settle();
    theApp.CloseSplash();
    Settle();

    ShootAdvertising(frame);
    ShootCapture(frame);
    ShootSettings(frame);
    ShootPlayer(frame, music);

    for (int i = 0; i < 3 && CDlgAdvertising::RunningWorkers() > 0; ++i)
        Settle();
    frame->DestroyWindow();
    Settle();
    theApp.CloseDBProfile();
    mivo::SetEchoTransport(nullptr);
    return 0;
}
