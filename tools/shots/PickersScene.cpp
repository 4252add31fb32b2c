// The library's small dialogs as a user meets them: the date picker dropped under a date
// field, the input box asking for an album name, and the explorer on a drive with Korean
// folders. Each is photographed while it waits for input, then closed.
#include "ShotSupport.h"
#include <mfc.h>
#include <mivo/codepage.h>
#include <mivo/paths.h>

#include "dialogs/DlgSelDate.h"
#include "dialogs/DlgUserInputBox.h"
#include "dialogs/DlgVXExplorer.h"
#include "framework/VXApp.h"
#include "res/resource.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

// The main window: a date field, and the hand that photographs each dialog once it is idle.
class SceneWindow : public CWnd {
public:
    std::function<void(HWND)> onIdle;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ENTERIDLE && onIdle) {
            auto run = onIdle;
            onIdle = nullptr;
            run((HWND)lParam);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

const UINT_PTR kShotTimer = 77;
const char* g_shotName = nullptr;

// Photographed from a timer of the dialog's own modal loop, once the desktop has shown it.
void CALLBACK ShootAndClose(HWND dialog, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(dialog, id);
    Settle(dialog);
    Shoot(g_shotName);
    SaveSurface(dialog, (std::string(g_shotName) + "-surface.ppm").c_str());
    ::PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
}

void Photograph(SceneWindow& main, const char* name, std::function<void(HWND)> prepare = nullptr)
{
    main.onIdle = [name, prepare](HWND dialog) {
        if (prepare)
            prepare(dialog);
        g_shotName = name;
        ::SetTimer(dialog, kShotTimer, 1500, ShootAndClose);
    };
}

void MakeDrive(const std::filesystem::path& base)
{
    for (const char* d : {"home/사진", "drive/앨범/2005 여름/바다", "drive/앨범/2005 여름/산", "drive/앨범/가족 모임",
                          "drive/앨범/졸업식", "drive/스캔"})
        std::filesystem::create_directories(base / mivo::ToUtf8(d));
    for (const char* f : {"해변.jpg", "일출.jpg", "모래성.jpg", "여행 메모.txt", "지도.bmp"})
        std::ofstream(base / mivo::ToUtf8((std::string("drive/앨범/2005 여름/") + f).c_str()))
            << std::string(150000, 'x');
}

}  // namespace

int main()
{
    char pattern[] = "/tmp/mivo-pickers-shot-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    std::filesystem::path base(pattern);
    MakeDrive(base);
    setenv("HOME", (base / "home").c_str(), 1);
    mivo::SetDriveRoot('M', (base / "drive").string());
    {
        CVXApp app;
        app.m_strRunDir = ("C:" + base.string() + "/").c_str();
        SceneWindow main;
        main.CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_BTNFACE + 1)), "촬영 일정",
                      WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 420, 300, nullptr, nullptr);
        app.m_pMainWnd = &main;
        CWnd label, field;
        label.Create("Static", "촬영일:", WS_CHILD | WS_VISIBLE, CRect(16, 22, 70, 40), &main, 1);
        field.CreateEx(WS_EX_CLIENTEDGE, "Edit", "2005-02-28", WS_CHILD | WS_VISIBLE, CRect(72, 18, 190, 40), &main,
                       2);
        ::SetForegroundWindow(main.GetSafeHwnd());
        Settle();

        char date[16] = "";
        Photograph(main, "datepicker");
        SelectDate(date, "2005-02-28", &field);

        char name[kUserInputBufferSize] = "";
        Photograph(main, "inputbox", [](HWND box) {
            ::SetDlgItemText(box, IDC_USERINPUT_EDIT, "2005 여름 바다 여행");
            ::SetWindowPos(box, nullptr, 40, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        });
        GetUserInput("새 앨범 이름", name);

        CDlgVXExplorer explorer("M:\\앨범\\2005 여름");
        Photograph(main, "explorer", [](HWND box) {
            ::SetWindowPos(box, nullptr, 10, 10, 760, 520, SWP_NOZORDER);
        });
        explorer.DoModal();

        app.m_pMainWnd = nullptr;
        main.DestroyWindow();
    }
    std::filesystem::remove_all(base);
    return 0;
}
