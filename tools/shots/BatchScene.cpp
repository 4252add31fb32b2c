// The album's JPEG structure inspector on a camera photo in its layer window, the batch filter
// dialog halfway through a run while it asks about a result that exists, and the batch frame
// dialog showing the first photo in a shipped frame.
#include "ShotSupport.h"

#include "album/DlgImgBrowseFilter.h"
#include "album/DlgImgBrowseFrame.h"
#include "album/DlgJPEGFormat.h"
#include "dialogs/DlgVXMsgBox.h"
#include "framework/DataSource.h"
#include "image/ImageObject.h"
#include "mivo/paths.h"
#include "mivo/testing/msgbox.h"
#include "resource.h"
#include "shell/MainApp.h"
#include "support/TempDatabase.h"
#include "support/TempFolder.h"
#include "support/TiffBuilder.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

namespace {

const UINT kStepMs = 700;

// A landscape: sky, sun, hills and a lake; `shift` moves the light.
CImageObject* Landscape(int width, int height, double shift = 0)
{
    CImageObject maker;
    CImageObject* p = maker.MakeBlankImageObject(RGB(135, 190, 235), width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double fx = double(x) / width, fy = double(y) / height;
            double hill = 0.55 + 0.08 * std::sin(fx * 9.0 + shift) + 0.05 * std::sin(fx * 23.0);
            COLORREF c = RGB(int(120 + 100 * fy), int(180 + 50 * fy), 240);
            if (std::hypot(fx - 0.75 + shift * 0.1, fy - 0.2) < 0.07)
                c = RGB(250, 210, 60);
            if (fy > hill)
                c = RGB(40 + int(60 * fx), 120 + int(50 * (1 - fy)), 50);
            if (fy > 0.8)
                c = RGB(40, 90 + int(40 * fx), 170 + int(40 * (fy - 0.8) * 5));
            p->SetPixelColor(x, y, c);
        }
    return p;
}

std::string ReadAll(const std::string& posix)
{
    std::ifstream in(posix, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A photo as a camera writes it: an Exif block with the camera, the exposure and a thumbnail.
void WriteCameraPhoto(const mivotest::TempFolder& data, const char* name)
{
    std::unique_ptr<CImageObject> photo(Landscape(640, 420));
    std::unique_ptr<CImageObject> thumb(Landscape(160, 105));
    CString folder = data.windowsPath().c_str();
    photo->Save(folder + "plain.jpg");
    thumb->Save(folder + "thumb.jpg");
    std::string picture = ReadAll(data.file("plain.jpg")), small = ReadAll(data.file("thumb.jpg"));
    mivotest::TiffBuilder t(false);
    int ifd0 = t.AddDir(), exif = t.AddDir(), ifd1 = t.AddDir();
    t.Ascii(ifd0, 0x010F, "Canon");
    t.Ascii(ifd0, 0x0110, "Canon EOS 350D DIGITAL");
    t.Short(ifd0, 0x0112, 1);
    t.Rational(ifd0, 0x011A, 72, 1);
    t.Rational(ifd0, 0x011B, 72, 1);
    t.Short(ifd0, 0x0128, 2);
    t.Ascii(ifd0, 0x0132, "2006:08:12 17:42:05");
    t.Link(ifd0, 0x8769, exif);
    t.Next(ifd0, ifd1);
    t.Rational(exif, 0x829A, 1, 250);
    t.Rational(exif, 0x829D, 80, 10);
    t.Short(exif, 0x8822, 2);
    t.Short(exif, 0x8827, 100);
    t.Raw(exif, 0x9000, 7, 4, {'0', '2', '2', '1'});
    t.Ascii(exif, 0x9003, "2006:08:12 17:42:05");
    t.Short(exif, 0x9207, 5);
    t.Short(exif, 0x9209, 16);
    t.Rational(exif, 0x920A, 35, 1);
    t.Short(exif, 0xA403, 0);
    t.Short(ifd1, 0x0103, 6);
    t.Thumbnail(ifd1, mivotest::Bytes(small.begin(), small.end()));
    mivotest::Bytes app1 = mivotest::App1(t.Build());
    std::string out = picture.substr(0, 2) + std::string(app1.begin(), app1.end()) + picture.substr(2);
    FILE* file = mivo::FOpen(folder + name, "wb");
    if (file) {
        fwrite(out.data(), 1, out.size(), file);
        fclose(file);
    }
}

// One scene: a modal dialog driven by a timer, step by step.
std::function<bool(int step)> g_scene;
int g_step = 0;
bool g_busy = false;

void CALLBACK SceneStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_busy || !g_scene)
        return;
    g_busy = true;
    if (g_scene(g_step))
        g_step++;
    g_busy = false;
}

void RunScene(const std::function<void()>& open, std::function<bool(int)> scene)
{
    g_scene = std::move(scene);
    g_step = 0;
    UINT_PTR timer = ::SetTimer(nullptr, 0, kStepMs, SceneStep);
    open();
    ::KillTimer(nullptr, timer);
    g_scene = nullptr;
    Settle();
}

void Photograph(HWND window, const char* name)
{
    Settle(window);
    SaveSurface(window, (std::string(name) + "-surface").c_str());
    Shoot(name);
}

class CShotFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CShotFrame)
public:
    CShotFrame() { m_strTitle = "Mivo"; }
};
IMPLEMENT_DYNCREATE(CShotFrame, CMDIFrameWnd)

void AddFile(CDlgImgBatch& dlg, const CString& folder, const char* name)
{
    dlg.m_arrSrcPath.Add(folder + name);
    dlg.m_arrSrcName.Add(name);
    dlg.m_arrDstName.Add("");
    dlg.m_arrDstPath.Add("");
}

}  // namespace

int main()
{
    mivotest::TempFolder data("mivo-batch-shot");
    ::mkdir(data.file("Temp").c_str(), 0755);
    mivotest::TempDatabase user("MivoUser", {"MivoUser.sql", "MivoUserSeed.sql"});
    mivotest::TempDatabase templates("MivoBatchShots", {"Mivo.sql", "MivoSeed.sql", "TemplateSeed.sql"});
    // Both sources in the one private odbc.ini the template database left in use.
    RegisterLocalDataSource("MivoUser", (user.folder().windowsPath() + "MivoUser.dat").c_str());
    // The end-of-run notes answer themselves; the question of the worker is the dialog's own.
    mivo::SetMessageBoxHook([](HWND, const char*, const char*, UINT) { return IDOK; });

    CMainApp& app = theApp;
    app.m_strDataDir = data.windowsPath().c_str();
    app.m_strTmplDSN = templates.dsn().c_str();
    auto* frame = new CShotFrame;
    if (!frame->LoadFrame(7320))
        return 1;
    app.m_pMainWnd = frame;
    frame->MoveWindow(10, 10, 780, 570);
    frame->ShowWindow(SW_SHOW);
    Settle();

    // The inspector on a camera photo, analysed.
    CString photos = CString(data.windowsPath().c_str()) + "사진\\";
    ::CreateDirectory(photos, nullptr);
    WriteCameraPhoto(data, "사진\\IMG_0412.JPG");
    CDlgJPEGFormat* inspector = CDlgJPEGFormat::OpenInLayer(photos + "IMG_0412.JPG");
    if (!inspector)
        return 1;
    inspector->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_JPEG_ANALYSE, BN_CLICKED));
    Photograph(frame->m_hWnd, "album-jpeg-inspector");
    inspector->GetParentFrame()->DestroyWindow();
    Settle();

    // Four photos; the result of the second is there already, so the run stops to ask.
    const char* names[] = {"설악산.jpg", "동해 바다.jpg", "단풍길.jpg", "일출.jpg"};
    for (int i = 0; i < 4; i++) {
        std::unique_ptr<CImageObject> photo(Landscape(480, 320, i * 0.8));
        photo->Save(photos + names[i]);
    }
    if (FILE* earlier = mivo::FOpen(photos + "Filter_동해 바다.jpg", "wb")) {
        fputs("earlier result", earlier);
        fclose(earlier);
    }
    CDlgImgBrowseFilter filter;
    for (const char* name : names)
        AddFile(filter, photos, name);
    RunScene([&] { std::fprintf(stderr, "batch scene: filter %d\n", (int)filter.DoModal()); },
             [&](int step) {
                 HWND dlg = filter.GetSafeHwnd();
                 HWND question = ::FindWindow(nullptr, "이미지 크기 일괄 변경");
                 switch (step) {
                 case 0:
                     if (!dlg)
                         return false;
                     filter.SetWindowPos(nullptr, 60, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                     filter.m_bSameFolder = 1;
                     filter.m_bDiffFolder = 0;
                     filter.m_bAddPrefix = 1;
                     filter.m_strOnExisting = "물어보기";
                     filter.UpdateData(FALSE);
                     filter.PostMessage(WM_COMMAND, IDOK);
                     return true;
                 case 1:
                     if (!question)
                         return false;
                     ::SetWindowPos(question, HWND_TOP, 220, 240, 0, 0, SWP_NOSIZE);
                     Photograph(question, "album-batch-filter-question");
                     SaveSurface(dlg, "album-batch-filter-running-surface");
                     ::PostMessage(question, WM_COMMAND,
                                   MAKEWPARAM(CDlgVXMsgBox::ButtonControlId(1), BN_CLICKED), 0);
                     return true;
                 case 2:
                     if (CDlgImgBatch::IsRunning(CDlgImgBatch::kBatchFilter))
                         return false;
                     Photograph(dlg, "album-batch-filter-done");
                     return true;
                 default:
                     filter.PostMessage(WM_COMMAND, IDCANCEL);
                     return true;
                 }
             });

    // The frame dialog with the first shipped frame chosen.
    CDlgImgBrowseFrame frameDialog;
    for (const char* name : names)
        AddFile(frameDialog, photos, name);
    RunScene([&] { std::fprintf(stderr, "batch scene: frame %d\n", (int)frameDialog.DoModal()); },
             [&](int step) {
                 HWND dlg = frameDialog.GetSafeHwnd();
                 if (!dlg)
                     return false;
                 switch (step) {
                 case 0:
                     frameDialog.SetWindowPos(nullptr, 60, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                     Photograph(dlg, "album-batch-frame-before");
                     frameDialog.m_gridFrames.SetSelection(0);
                     frameDialog.ChooseTemplate((int)frameDialog.m_gridFrames.GetItemData(0));
                     return true;
                 case 1:
                     Photograph(dlg, "album-batch-frame");
                     return true;
                 default:
                     frameDialog.PostMessage(WM_COMMAND, IDCANCEL);
                     return true;
                 }
             });
    frame->SendMessage(WM_CLOSE);
    Settle();
    return 0;
}
