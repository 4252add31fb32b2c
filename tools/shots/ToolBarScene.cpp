// The true-colour tool bar, photographed by scripts/screenshots.sh: a frame
// whose tool bar shows 24-bit images (shaded sphere, sunset photo, colour
// wheel, heart, leaf, colour picker, ring) on a light grey made transparent,
// one button hot and one disabled, and a palette bar in two columns docked on
// the left.
#include "ShotSupport.h"
#include <mfc.h>
#include <mivo/modules.h>
#include <mivo/resources.h>

#include "controls/ToolPaletteBar.h"
#include "controls/VXToolBar.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

const WORD kNormalImages = 31601, kDisabledImages = 31602, kHotImages = 31603;
const int kSide = 24, kImages = 7;
const COLORREF kMask = RGB(192, 192, 192);
const UINT kFirstCommand = 0x8400, kDisabledCommand = kFirstCommand + 5;

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t)
{
    t = std::min(1.0, std::max(0.0, t));
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Hue(double h, double s, double v)
{
    h = std::fmod(h < 0 ? h + 360 : h, 360) / 60;
    double c = v * s, x = c * (1 - std::fabs(std::fmod(h, 2) - 1)), m = v - c;
    Rgb p = h < 1 ? Rgb{c, x, 0} : h < 2 ? Rgb{x, c, 0} : h < 3 ? Rgb{0, c, x} : h < 4 ? Rgb{0, x, c}
          : h < 5 ? Rgb{x, 0, c} : Rgb{c, 0, x};
    return {(p.r + m) * 255, (p.g + m) * 255, (p.b + m) * 255};
}

// One pixel of image `image`; false where the background shows.
bool Pixel(int image, int x, int y, Rgb& out)
{
    double dx = x - 11.5, dy = y - 11.5, r = std::sqrt(dx * dx + dy * dy);
    double angle = std::atan2(dy, dx) * 180 / M_PI;
    switch (image) {
    case 0: {  // a sphere lit from the top left
        if (r > 10.5)
            return false;
        double nz = std::sqrt(std::max(0.0, 1 - r * r / 110.25));
        double light = std::max(0.0, (-dx * 0.5 - dy * 0.6) / 10.5 + nz * 0.62);
        out = Mix(Rgb{10, 40, 110}, Rgb{60, 140, 250}, std::min(1.0, light));
        out = Mix(out, Rgb{255, 255, 255}, std::pow(std::min(1.0, light), 12));
        return true;
    }
    case 1: {  // a sunset photo in a dark frame
        if (x < 1 || x > 22 || y < 3 || y > 20)
            return false;
        if (x == 1 || x == 22 || y == 3 || y == 20) {
            out = {40, 40, 40};
        } else if (y < 14) {
            double sx = x - 15, sy = y - 10;
            out = sx * sx + sy * sy <= 10 ? Rgb{255, 245, 190} : Mix(Rgb{250, 190, 40}, Rgb{200, 50, 120}, (y - 4) / 10.0);
        } else {
            out = Mix(Rgb{40, 60, 140}, Rgb{10, 20, 60}, (y - 14) / 6.0);
            if ((x + y) % 5 == 0 && x > 10 && x < 20)
                out = {240, 150, 90};  // the sun's glitter on the water
        }
        return true;
    }
    case 2:  // a colour wheel
        if (r > 10.5)
            return false;
        out = Hue(angle, std::min(1.0, r / 10.5), 1);
        return true;
    case 3: {  // a heart, light at the top
        double u = dx / 9.0, v = -(dy + 1) / 9.0;
        double a = u * u + v * v - 1;
        if (a * a * a - u * u * v * v * v > 0)
            return false;
        out = Mix(Rgb{255, 120, 130}, Rgb{150, 0, 20}, (y - 2) / 20.0);
        return true;
    }
    case 4: {  // a leaf, green to yellow along its length
        double u = (dx + dy) / 1.414, v = (dx - dy) / 1.414;
        if (u * u / 121 + v * v / 30 > 1)
            return false;
        out = Mix(Rgb{20, 120, 40}, Rgb{210, 220, 40}, (u + 11) / 22);
        if (std::fabs(v) < 0.6)
            out = {240, 250, 200};  // the middle vein
        return true;
    }
    case 5:  // a colour picker: hue across, brightness down
        if (x < 2 || x > 21 || y < 2 || y > 21)
            return false;
        out = Hue((x - 2) * 18.0, 1, 1 - (y - 2) / 22.0);
        return true;
    default:  // a ring from cyan to magenta
        if (r > 10.5 || r < 5.5)
            return false;
        out = Mix(Rgb{0, 200, 230}, Rgb{230, 0, 200}, (angle + 180) / 360);
        return true;
    }
}

enum class Look { Normal, Disabled, Hot };

COLORREF Shade(Rgb c, Look look)
{
    if (look == Look::Disabled) {
        double grey = 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
        c = Mix(Rgb{grey, grey, grey}, Rgb{235, 235, 235}, 0.45);
    } else if (look == Look::Hot) {
        c = Mix(c, Rgb{255, 255, 255}, 0.3);
    }
    auto channel = [](double v) { return (int)std::lround(std::min(255.0, std::max(0.0, v))); };
    COLORREF out = RGB(channel(c.r), channel(c.g), channel(c.b));
    return out == kMask ? RGB(193, 192, 192) : out;  // only the background is transparent
}

// A packed 24-bit DIB of all images side by side on the mask colour.
std::vector<BYTE> Strip(Look look)
{
    int width = kSide * kImages, stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = kSide;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    std::vector<BYTE> dib(sizeof(header) + (size_t)stride * kSide, 0);
    std::memcpy(dib.data(), &header, sizeof(header));
    for (int y = 0; y < kSide; ++y) {
        BYTE* row = dib.data() + sizeof(header) + (size_t)(kSide - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            Rgb c;
            COLORREF colour = Pixel(x / kSide, x % kSide, y, c) ? Shade(c, look) : kMask;
            row[x * 3] = GetBValue(colour);
            row[x * 3 + 1] = GetGValue(colour);
            row[x * 3 + 2] = GetRValue(colour);
        }
    }
    return dib;
}

// The frame handles every button and greys one.
class CSceneFrame : public CFrameWnd {
public:
    void OnButton(UINT) {}
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSceneFrame, CFrameWnd)
ON_COMMAND_RANGE(kFirstCommand, kFirstCommand + 0x20, OnButton)
ON_UPDATE_COMMAND_UI(kDisabledCommand, OnUpdateDisabled)
END_MESSAGE_MAP()

}  // namespace

int main()
{
    std::vector<BYTE> normal = Strip(Look::Normal), disabled = Strip(Look::Disabled), hot = Strip(Look::Hot);
    std::vector<mivo::ResourceEntry> entries = {
        {2, nullptr, kNormalImages, nullptr, normal.data(), (DWORD)normal.size()},
        {2, nullptr, kDisabledImages, nullptr, disabled.data(), (DWORD)disabled.size()},
        {2, nullptr, kHotImages, nullptr, hot.data(), (DWORD)hot.size()}};
    mivo::ResourceTable table = {entries.data(), entries.size()};
    mivo::RegisterModuleResources(mivo::ProgramModule(), &table, true);

    CWinApp app("Mivo");
    CFrameWnd* frame = new CSceneFrame;
    if (!frame->Create(nullptr, "Mivo - 트루컬러 도구 모음", WS_OVERLAPPEDWINDOW, CRect(20, 20, 620, 420)))
        return 1;
    app.m_pMainWnd = frame;
    frame->EnableDocking(CBRS_ALIGN_ANY);

    const UINT ids[] = {kFirstCommand,     kFirstCommand + 1, kFirstCommand + 2, ID_SEPARATOR,
                        kFirstCommand + 3, kFirstCommand + 4, kFirstCommand + 5, kFirstCommand + 6};
    CVXToolBar toolBar;
    toolBar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS);
    toolBar.SetButtons(ids, 8);
    toolBar.SetSizes(CSize(kSide + 9, kSide + 8), CSize(kSide, kSide));
    toolBar.SetVXToolBarBasic(kSide, kSide, 8, kMask);
    toolBar.AttachToolbarImages(kNormalImages, kDisabledImages, kHotImages);

    const UINT paletteIds[] = {kFirstCommand + 0x10, kFirstCommand + 0x11, kFirstCommand + 0x12,
                               kFirstCommand + 0x13, kFirstCommand + 0x14, kFirstCommand + 0x15};
    CToolPaletteBar palette;
    palette.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_FIXED | CBRS_TOOLTIPS, 0xE843);
    palette.SetWindowText("팔레트");
    palette.SetButtons(paletteIds, 6);
    palette.SetSizes(CSize(kSide + 9, kSide + 8), CSize(kSide, kSide));
    CToolBarCtrl& paletteCtrl = palette.GetToolBarCtrl();
    CToolBarCtrl& barCtrl = toolBar.GetToolBarCtrl();
    paletteCtrl.SetImageList((HIMAGELIST)barCtrl.SendMessage(TB_GETIMAGELIST));
    paletteCtrl.SetHotImageList((HIMAGELIST)barCtrl.SendMessage(TB_GETHOTIMAGELIST));
    palette.EnableDocking(CBRS_ALIGN_ANY);
    palette.SetColumns(2);
    frame->DockControlBar(&palette, AFX_IDW_DOCKBAR_LEFT);

    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    Settle();
    app.OnIdle(0);
    barCtrl.SetHotItem(2);
    Settle();
    Shoot("vxtoolbar");
    SaveSurface(frame->m_hWnd, "vxtoolbar-frame.ppm");
    frame->DestroyWindow();
    Settle();
    mivo::UnregisterModuleResources(&table);
    return 0;
}
