#include "gdi/DeviceContext.h"
#include "mivo/Trace.h"

#include "gdi/Display.h"
#include "gdi/Printer.h"

#include <cstdlib>

namespace mivo {
namespace gdi {

int64_t MulDivRound(int64_t a, int64_t b, int64_t c)
{
    if (c == 0)
        return 0;
    int64_t num = a * b;
    bool negative = (num < 0) != (c < 0);
    int64_t n = num < 0 ? -num : num;
    int64_t d = c < 0 ? -c : c;
    int64_t q = (n + d / 2) / d;
    return negative ? -q : q;
}

DrawTarget::~DrawTarget()
{
    if (surface != nullptr && lock.owns_lock())
        ++surface->generation;
    if (clipHome != nullptr) {
        clipHome->clip = std::move(clip);
        clipHome->lent.store(false);
    }
}

DeviceContext::DeviceContext(DcKind k) : GdiObject(kKind), dcKind(k) {}

DeviceContext::~DeviceContext() = default;

void DeviceContext::InitStock()
{
    st.pen = Selected<PenObject>(Lookup<PenObject>(StockObject(BLACK_PEN)), this);
    st.brush = Selected<BrushObject>(Lookup<BrushObject>(StockObject(WHITE_BRUSH)), this);
    st.font = Selected<FontObject>(Lookup<FontObject>(StockObject(SYSTEM_FONT)), this);
    st.palette = Selected<PaletteObject>(DefaultPalette(), this);
    if (dcKind == DcKind::Memory)
        st.bitmap = Selected<BitmapObject>(DefaultBitmap(), this);
}

bool DeviceContext::IsMonochrome() const
{
    if (dcKind == DcKind::Memory && st.bitmap)
        return st.bitmap->monoDevice;
    return false;
}

bool DeviceContext::Acquire(DrawTarget& t)
{
    RECT full = {0, 0, 0, 0};
    const void* pixels = nullptr;
    switch (dcKind) {
    case DcKind::Memory: {
        BitmapObject* bm = st.bitmap.get();
        if (bm == nullptr)
            return false;
        t.lock = std::unique_lock<std::recursive_mutex>(bm->lock);
        t.raster = bm->View();
        t.origin = POINT{0, 0};
        full = RECT{0, 0, bm->width, bm->height};
        pixels = bm;
        break;
    }
    case DcKind::Surface:
    case DcKind::Display:
    case DcKind::Printer: {
        Surface* s = surface.get();
        if (dcKind == DcKind::Printer)
            s = job ? job->page.get() : nullptr;
        if (s == nullptr)
            return false;
        t.lock = std::unique_lock<std::recursive_mutex>(s->lock);
        t.surface = s;
        t.raster.width = s->width;
        t.raster.height = s->height;
        t.raster.bpp = 32;
        t.raster.row0 = s->pixels.empty() ? nullptr : (uint8_t*)s->pixels.data();
        t.raster.stride = (int64_t)s->width * 4;
        t.origin = dcKind == DcKind::Printer ? POINT{0, 0} : surfaceOrigin;
        full = RECT{0, 0, s->width, s->height};
        pixels = dcKind == DcKind::Printer ? nullptr : s;
        break;
    }
    default:
        return false;
    }
    std::shared_ptr<const Region> deviceClip = dcKind == DcKind::Surface || dcKind == DcKind::Display ? surfaceClip : nullptr;
    // The clip of the last call, when it was worked out from the same things.
    ClipCache& cache = clipCache;
    bool owned = pixels != nullptr && !cache.lent.exchange(true);
    if (owned && cache.valid && cache.pixels == pixels && cache.width == full.right && cache.height == full.bottom &&
        cache.origin.x == t.origin.x && cache.origin.y == t.origin.y && cache.surfaceClip == deviceClip &&
        cache.userClip == st.userClip) {
        t.clip = std::move(cache.clip);
        t.clipHome = &cache;
        return true;
    }
    t.clip = Region(full);
    if (deviceClip)
        t.clip = t.clip.Intersect(*deviceClip);
    if (st.userClip) {
        Region user = *st.userClip;
        user.Offset(t.origin.x, t.origin.y);
        t.clip = t.clip.Intersect(user);
    }
    if (owned) {
        cache.valid = true;
        cache.pixels = pixels;
        cache.width = full.right;
        cache.height = full.bottom;
        cache.origin = t.origin;
        cache.surfaceClip = deviceClip;
        cache.userClip = st.userClip;
        t.clipHome = &cache;
    }
    return true;
}

// ---------------------------------------------------------------- coordinates

POINT DeviceContext::ToDevice(LONG x, LONG y) const
{
    POINT p;
    p.x = (LONG)(MulDivRound((int64_t)x - st.windowOrg.x, st.viewportExt.cx, st.windowExt.cx) + st.viewportOrg.x);
    p.y = (LONG)(MulDivRound((int64_t)y - st.windowOrg.y, st.viewportExt.cy, st.windowExt.cy) + st.viewportOrg.y);
    return p;
}

POINT DeviceContext::ToLogical(LONG x, LONG y) const
{
    POINT p;
    p.x = (LONG)(MulDivRound((int64_t)x - st.viewportOrg.x, st.windowExt.cx, st.viewportExt.cx) + st.windowOrg.x);
    p.y = (LONG)(MulDivRound((int64_t)y - st.viewportOrg.y, st.windowExt.cy, st.viewportExt.cy) + st.windowOrg.y);
    return p;
}

RECT DeviceContext::ToDeviceRect(const RECT& r) const
{
    POINT a = ToDevice(r.left, r.top);
    POINT b = ToDevice(r.right, r.bottom);
    RECT out;
    out.left = a.x < b.x ? a.x : b.x;
    out.right = a.x < b.x ? b.x : a.x;
    out.top = a.y < b.y ? a.y : b.y;
    out.bottom = a.y < b.y ? b.y : a.y;
    return out;
}

int DeviceContext::ScaleX(int logical) const
{
    return (int)std::llabs(MulDivRound(logical, st.viewportExt.cx, st.windowExt.cx));
}

int DeviceContext::ScaleY(int logical) const
{
    return (int)std::llabs(MulDivRound(logical, st.viewportExt.cy, st.windowExt.cy));
}

int DeviceContext::ToLogicalLengthX(int device) const
{
    return (int)std::llabs(MulDivRound(device, st.windowExt.cx, st.viewportExt.cx));
}

int DeviceContext::ToLogicalLengthY(int device) const
{
    return (int)std::llabs(MulDivRound(device, st.windowExt.cy, st.viewportExt.cy));
}

void DeviceContext::SetMapMode(int mode)
{
    int units = 0;  // logical units per inch
    switch (mode) {
    case MM_TEXT:
        st.windowExt = SIZE{1, 1};
        st.viewportExt = SIZE{1, 1};
        break;
    case MM_LOMETRIC:
    case MM_ISOTROPIC:
        units = 254;
        break;
    case MM_HIMETRIC:
        units = 2540;
        break;
    case MM_LOENGLISH:
        units = 100;
        break;
    case MM_HIENGLISH:
        units = 1000;
        break;
    case MM_TWIPS:
        units = 1440;
        break;
    default:
        break;
    }
    if (units != 0) {
        st.windowExt = SIZE{units, units};
        st.viewportExt = SIZE{caps.logPixelsX, -caps.logPixelsY};
    }
    st.mapMode = mode;
}

void DeviceContext::AdjustIsotropic()
{
    if (st.mapMode != MM_ISOTROPIC)
        return;
    int64_t wx = st.windowExt.cx, wy = st.windowExt.cy;
    int64_t vx = st.viewportExt.cx, vy = st.viewportExt.cy;
    if (wx == 0 || wy == 0 || vx == 0 || vy == 0)
        return;
    // Compare |vx / wx| with |vy / wy| and shrink the larger scale.
    int64_t sx = std::llabs(vx * wy), sy = std::llabs(vy * wx);
    if (sx > sy) {
        int64_t nx = MulDivRound(std::llabs(vy), std::llabs(wx), std::llabs(wy));
        st.viewportExt.cx = (LONG)(vx < 0 ? -nx : nx);
    } else if (sy > sx) {
        int64_t ny = MulDivRound(std::llabs(vx), std::llabs(wy), std::llabs(wx));
        st.viewportExt.cy = (LONG)(vy < 0 ? -ny : ny);
    }
}

std::shared_ptr<DeviceContext> LookupDC(HDC hdc)
{
    return Lookup<DeviceContext>((HANDLE)hdc);
}

std::shared_ptr<DeviceContext> NewDC(DcKind kind)
{
    auto dc = MakeObject<DeviceContext>(kind);
    if (!dc)
        return nullptr;
    dc->InitStock();
    // Screen-like DCs answer the display's size.
    std::shared_ptr<Surface> display = DisplaySurface();
    {
        std::lock_guard<std::recursive_mutex> guard(display->lock);
        if (display->width > 0 && display->height > 0) {
            dc->caps.horzRes = display->width;
            dc->caps.vertRes = display->height;
        }
    }
    if (RegisterObject(dc) == nullptr)
        return nullptr;
    return dc;
}

namespace {

std::mutex& DisplayLock()
{
    static std::mutex lock;
    return lock;
}

std::shared_ptr<Surface>& DisplaySlot()
{
    static std::shared_ptr<Surface> surface;
    return surface;
}

}  // namespace

std::shared_ptr<Surface> DisplaySurface()
{
    std::lock_guard<std::mutex> guard(DisplayLock());
    std::shared_ptr<Surface>& s = DisplaySlot();
    if (!s) {
        s = std::make_shared<Surface>();
        s->Resize(1920, 1080);
    }
    return s;
}

}  // namespace gdi

void SetDisplaySurface(std::shared_ptr<Surface> surface)
{
    std::lock_guard<std::mutex> guard(gdi::DisplayLock());
    gdi::DisplaySlot() = std::move(surface);
}

// ---------------------------------------------------------------- surface DCs

HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT origin, HRGN clip, HWND owner)
{
    if (!surface)
        return nullptr;
    auto dc = gdi::NewDC(gdi::DcKind::Surface);
    if (!dc)
        return nullptr;
    dc->surface = std::move(surface);
    dc->owner = owner;
    if (!SetSurfaceDCGeometry((HDC)dc->handle, origin, clip)) {
        gdi::UnregisterObject(dc->handle, gdi::Kind::DC);
        return nullptr;
    }
    return (HDC)dc->handle;
}

BOOL SetSurfaceDCGeometry(HDC hdc, POINT origin, HRGN clip)
{
    auto dc = gdi::LookupDC(hdc);
    if (!dc || dc->dcKind != gdi::DcKind::Surface)
        return FALSE;
    std::shared_ptr<const gdi::Region> region;
    if (clip != nullptr) {
        auto r = gdi::Lookup<gdi::RegionObject>((HANDLE)clip);
        if (!r)
            return FALSE;
        region = std::make_shared<const gdi::Region>(r->Get());
    }
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    dc->surfaceOrigin = origin;
    dc->surfaceClip = std::move(region);
    return TRUE;
}

BOOL DeleteSurfaceDC(HDC hdc)
{
    auto dc = gdi::LookupDC(hdc);
    if (!dc || dc->dcKind != gdi::DcKind::Surface)
        return FALSE;
    return gdi::UnregisterObject((HANDLE)hdc, gdi::Kind::DC) ? TRUE : FALSE;
}

}  // namespace mivo

using namespace mivo;
using namespace mivo::gdi;

// ---------------------------------------------------------------- DC lifetime

HDC CreateCompatibleDC(HDC hdc)
{
    MIVO_TRACE(kTraceGdi, "CreateCompatibleDC(%p)", (void*)hdc);
    DeviceCaps caps;
    if (hdc != nullptr) {
        auto src = LookupDC(hdc);
        if (!src)
            return nullptr;
        std::lock_guard<std::recursive_mutex> guard(src->mutex);
        caps = src->caps;
    }
    auto dc = NewDC(DcKind::Memory);
    if (!dc)
        return nullptr;
    dc->caps = caps;
    return (HDC)dc->handle;
}

BOOL DeleteDC(HDC hdc)
{
    MIVO_TRACE(kTraceGdi, "DeleteDC(%p)", (void*)hdc);
    auto dc = LookupDC(hdc);
    if (!dc || dc->dcKind == DcKind::Surface)
        return FALSE;
    {
        std::lock_guard<std::recursive_mutex> guard(dc->mutex);
        if (dc->dcKind == DcKind::Printer && dc->job)
            AbortPrintJob(*dc);
    }
    std::shared_ptr<GdiObject> dying = UnregisterObject((HANDLE)hdc, Kind::DC);
    if (!dying)
        return FALSE;
    {
        // Let go of the selected objects now, so a bitmap can be deleted
        // right after even while another thread still holds this DC.
        std::lock_guard<std::recursive_mutex> guard(dc->mutex);
        dc->saved.clear();
        dc->st = DcState();
    }
    return TRUE;
}

BOOL GetDCOrgEx(HDC hdc, LPPOINT lppt)
{
    auto dc = LookupDC(hdc);
    if (!dc || lppt == nullptr)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    *lppt = dc->dcKind == DcKind::Surface ? dc->surfaceOrigin : POINT{0, 0};
    return TRUE;
}

int SaveDC(HDC hdc)
{
    MIVO_TRACE(kTraceGdi, "SaveDC(%p)", (void*)hdc);
    auto dc = LookupDC(hdc);
    if (!dc)
        return 0;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    dc->saved.push_back(dc->st);
    return (int)dc->saved.size();
}

BOOL RestoreDC(HDC hdc, int nSavedDC)
{
    MIVO_TRACE(kTraceGdi, "RestoreDC(%p, %d)", (void*)hdc, nSavedDC);
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    int count = (int)dc->saved.size();
    int level = nSavedDC < 0 ? count + nSavedDC + 1 : nSavedDC;
    if (level < 1 || level > count)
        return FALSE;
    dc->st = dc->saved[(size_t)level - 1];
    dc->saved.resize((size_t)level - 1);
    return TRUE;
}

int GetDeviceCaps(HDC hdc, int index)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return 0;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    const DeviceCaps& c = dc->caps;
    bool printer = c.technology == DT_RASPRINTER;
    switch (index) {
    case DRIVERVERSION:
        return 0x4000;
    case TECHNOLOGY:
        return c.technology;
    case HORZSIZE:
        return (int)MulDivRound(c.horzRes, 254, (int64_t)c.logPixelsX * 10);
    case VERTSIZE:
        return (int)MulDivRound(c.vertRes, 254, (int64_t)c.logPixelsY * 10);
    case HORZRES:
        return c.horzRes;
    case VERTRES:
        return c.vertRes;
    case DESKTOPHORZRES:
        return c.horzRes;
    case DESKTOPVERTRES:
        return c.vertRes;
    case BITSPIXEL:
        return dc->IsMonochrome() ? 1 : c.bitsPixel;
    case PLANES:
        return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS:
        return dc->IsMonochrome() ? 2 : -1;
    case NUMMARKERS:
        return 0;
    case NUMFONTS:
        return 0;
    case PDEVICESIZE:
        return 0;
    case CURVECAPS:
        return CC_CIRCLES | CC_PIE | CC_CHORD | CC_ELLIPSES | CC_WIDE | CC_STYLED | CC_WIDESTYLED | CC_INTERIORS |
               CC_ROUNDRECT;
    case LINECAPS:
        return LC_POLYLINE | LC_MARKER | LC_POLYMARKER | LC_WIDE | LC_STYLED | LC_WIDESTYLED | LC_INTERIORS;
    case POLYGONALCAPS:
        return PC_POLYGON | PC_RECTANGLE | PC_WINDPOLYGON | PC_SCANLINE | PC_WIDE | PC_STYLED | PC_WIDESTYLED |
               PC_INTERIORS | PC_POLYPOLYGON;
    case TEXTCAPS:
        return 0x7804;  // TC_CR_ANY | TC_SA_DOUBLE | TC_UA_ABLE | TC_SO_ABLE | TC_VA_ABLE
    case CLIPCAPS:
        return CP_RECTANGLE | CP_REGION;
    case RASTERCAPS: {
        int caps = RC_BITBLT | RC_BITMAP64 | RC_GDI20_OUTPUT | RC_DI_BITMAP | RC_DIBTODEV | RC_BIGFONT |
                   RC_STRETCHBLT | RC_FLOODFILL | RC_STRETCHDIB | RC_OP_DX_OUTPUT;
        if (printer)
            caps |= RC_BANDING;
        return caps;
    }
    case ASPECTX:
    case ASPECTY:
        return 36;
    case ASPECTXY:
        return 51;
    case LOGPIXELSX:
        return c.logPixelsX;
    case LOGPIXELSY:
        return c.logPixelsY;
    case SIZEPALETTE:
    case NUMRESERVED:
        return 0;
    case COLORRES:
        return 24;
    case PHYSICALWIDTH:
        return printer ? c.physicalWidth : 0;
    case PHYSICALHEIGHT:
        return printer ? c.physicalHeight : 0;
    case PHYSICALOFFSETX:
        return printer ? c.physicalOffsetX : 0;
    case PHYSICALOFFSETY:
        return printer ? c.physicalOffsetY : 0;
    case SCALINGFACTORX:
    case SCALINGFACTORY:
        return 0;
    case VREFRESH:
        return printer ? 0 : 60;
    case BLTALIGNMENT:
        return 0;
    case SHADEBLENDCAPS:
        return SB_CONST_ALPHA | SB_PIXEL_ALPHA | SB_PREMULT_ALPHA | SB_GRAD_RECT | SB_GRAD_TRI;
    case COLORMGMTCAPS:
        return 0;
    default:
        return 0;
    }
}

BOOL GdiFlush()
{
    return TRUE;
}

DWORD GdiSetBatchLimit(DWORD)
{
    return 1;
}

BOOL CancelDC(HDC hdc)
{
    return LookupDC(hdc) ? TRUE : FALSE;
}

// ---------------------------------------------------------------- attributes

namespace {

template <class T>
T Swap(T& slot, T value)
{
    T old = slot;
    slot = value;
    return old;
}

}  // namespace

#define DC_ATTRIBUTE(expr, fail)                          \
    auto dc = LookupDC(hdc);                              \
    if (!dc)                                              \
        return fail;                                      \
    std::lock_guard<std::recursive_mutex> guard(dc->mutex); \
    return expr

COLORREF SetBkColor(HDC hdc, COLORREF color)
{
    DC_ATTRIBUTE(Swap(dc->st.bkColor, color), CLR_INVALID);
}

COLORREF GetBkColor(HDC hdc)
{
    DC_ATTRIBUTE(dc->st.bkColor, CLR_INVALID);
}

COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    DC_ATTRIBUTE(Swap(dc->st.textColor, color), CLR_INVALID);
}

COLORREF GetTextColor(HDC hdc)
{
    DC_ATTRIBUTE(dc->st.textColor, CLR_INVALID);
}

int SetBkMode(HDC hdc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    DC_ATTRIBUTE(Swap(dc->st.bkMode, mode), 0);
}

int GetBkMode(HDC hdc)
{
    DC_ATTRIBUTE(dc->st.bkMode, 0);
}

int SetROP2(HDC hdc, int rop2)
{
    if (rop2 < R2_BLACK || rop2 > R2_WHITE)
        return 0;
    DC_ATTRIBUTE(Swap(dc->st.rop2, rop2), 0);
}

int GetROP2(HDC hdc)
{
    DC_ATTRIBUTE(dc->st.rop2, 0);
}

int SetStretchBltMode(HDC hdc, int mode)
{
    if (mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    DC_ATTRIBUTE(Swap(dc->st.stretchMode, mode), 0);
}

int GetStretchBltMode(HDC hdc)
{
    DC_ATTRIBUTE(dc->st.stretchMode, 0);
}

int SetPolyFillMode(HDC hdc, int mode)
{
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    DC_ATTRIBUTE(Swap(dc->st.polyFillMode, mode), 0);
}

int GetPolyFillMode(HDC hdc)
{
    DC_ATTRIBUTE(dc->st.polyFillMode, 0);
}

int SetArcDirection(HDC hdc, int dir)
{
    if (dir != AD_COUNTERCLOCKWISE && dir != AD_CLOCKWISE)
        return 0;
    DC_ATTRIBUTE(Swap(dc->st.arcDirection, dir), 0);
}

int GetArcDirection(HDC hdc)
{
    DC_ATTRIBUTE(dc->st.arcDirection, 0);
}

int SetGraphicsMode(HDC hdc, int iMode)
{
    if (iMode != GM_COMPATIBLE && iMode != GM_ADVANCED)
        return 0;
    DC_ATTRIBUTE(Swap(dc->st.graphicsMode, iMode), 0);
}

int GetGraphicsMode(HDC hdc)
{
    DC_ATTRIBUTE(dc->st.graphicsMode, 0);
}

UINT SetTextAlign(HDC hdc, UINT align)
{
    DC_ATTRIBUTE(Swap(dc->st.textAlign, align), (UINT)GDI_ERROR);
}

UINT GetTextAlign(HDC hdc)
{
    DC_ATTRIBUTE(dc->st.textAlign, (UINT)GDI_ERROR);
}

int SetTextCharacterExtra(HDC hdc, int extra)
{
    DC_ATTRIBUTE(Swap(dc->st.charExtra, extra), (int)0x80000000);
}

int GetTextCharacterExtra(HDC hdc)
{
    DC_ATTRIBUTE(dc->st.charExtra, (int)0x80000000);
}

BOOL SetTextJustification(HDC hdc, int, int)
{
    return LookupDC(hdc) ? TRUE : FALSE;
}

COLORREF SetDCBrushColor(HDC hdc, COLORREF color)
{
    DC_ATTRIBUTE(Swap(dc->st.dcBrushColor, color), CLR_INVALID);
}

COLORREF SetDCPenColor(HDC hdc, COLORREF color)
{
    DC_ATTRIBUTE(Swap(dc->st.dcPenColor, color), CLR_INVALID);
}

COLORREF GetDCBrushColor(HDC hdc)
{
    DC_ATTRIBUTE(dc->st.dcBrushColor, CLR_INVALID);
}

COLORREF GetDCPenColor(HDC hdc)
{
    DC_ATTRIBUTE(dc->st.dcPenColor, CLR_INVALID);
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return ExchangeDcState(hdc, &DcState::brushOrg, POINT{x, y}, lppt);
}

BOOL GetBrushOrgEx(HDC hdc, LPPOINT lppt)
{
    return ReadDcState(hdc, &DcState::brushOrg, lppt);
}

// ---------------------------------------------------------------- mapping modes

int SetMapMode(HDC hdc, int iMode)
{
    if (iMode < MM_MIN || iMode > MM_MAX)
        return 0;
    auto dc = LookupDC(hdc);
    if (!dc)
        return 0;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    int old = dc->st.mapMode;
    if (iMode != old || iMode != MM_ANISOTROPIC)
        dc->SetMapMode(iMode);
    return old;
}

int GetMapMode(HDC hdc)
{
    DC_ATTRIBUTE(dc->st.mapMode, 0);
}

namespace {

bool ScalableMode(const DeviceContext& dc)
{
    return dc.st.mapMode == MM_ISOTROPIC || dc.st.mapMode == MM_ANISOTROPIC;
}

}  // namespace

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return ExchangeDcState(hdc, &DcState::windowOrg, POINT{x, y}, lppt);
}

BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppoint)
{
    return ReadDcState(hdc, &DcState::windowOrg, lppoint);
}

BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    if (lppt != nullptr)
        *lppt = dc->st.windowOrg;
    dc->st.windowOrg.x += x;
    dc->st.windowOrg.y += y;
    return TRUE;
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return ExchangeDcState(hdc, &DcState::viewportOrg, POINT{x, y}, lppt);
}

BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppoint)
{
    return ReadDcState(hdc, &DcState::viewportOrg, lppoint);
}

BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    if (lppt != nullptr)
        *lppt = dc->st.viewportOrg;
    dc->st.viewportOrg.x += x;
    dc->st.viewportOrg.y += y;
    return TRUE;
}

BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    if (lpsz != nullptr)
        *lpsz = dc->st.windowExt;
    if (!ScalableMode(*dc))
        return TRUE;
    if (x == 0 || y == 0)
        return FALSE;
    dc->st.windowExt = SIZE{x, y};
    dc->AdjustIsotropic();
    return TRUE;
}

BOOL GetWindowExtEx(HDC hdc, LPSIZE lpsize)
{
    return ReadDcState(hdc, &DcState::windowExt, lpsize);
}

BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    if (lpsz != nullptr)
        *lpsz = dc->st.viewportExt;
    if (!ScalableMode(*dc))
        return TRUE;
    if (x == 0 || y == 0)
        return FALSE;
    dc->st.viewportExt = SIZE{x, y};
    dc->AdjustIsotropic();
    return TRUE;
}

BOOL GetViewportExtEx(HDC hdc, LPSIZE lpsize)
{
    return ReadDcState(hdc, &DcState::viewportExt, lpsize);
}

namespace {

BOOL ScaleExtent(HDC hdc, bool window, int xn, int xd, int yn, int yd, LPSIZE lpsz)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    SIZE& ext = window ? dc->st.windowExt : dc->st.viewportExt;
    if (lpsz != nullptr)
        *lpsz = ext;
    if (!ScalableMode(*dc))
        return TRUE;
    if (xd == 0 || yd == 0)
        return FALSE;
    int64_t cx = (int64_t)ext.cx * xn / xd, cy = (int64_t)ext.cy * yn / yd;
    if (cx == 0 || cy == 0)
        return FALSE;
    ext = SIZE{(LONG)cx, (LONG)cy};
    dc->AdjustIsotropic();
    return TRUE;
}

}  // namespace

BOOL ScaleWindowExtEx(HDC hdc, int xn, int xd, int yn, int yd, LPSIZE lpsz)
{
    return ScaleExtent(hdc, true, xn, xd, yn, yd, lpsz);
}

BOOL ScaleViewportExtEx(HDC hdc, int xn, int xd, int yn, int yd, LPSIZE lpsz)
{
    return ScaleExtent(hdc, false, xn, xd, yn, yd, lpsz);
}

BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c)
{
    auto dc = LookupDC(hdc);
    if (!dc || (lppt == nullptr && c > 0) || c < 0)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    for (int i = 0; i < c; ++i)
        lppt[i] = dc->ToDevice(lppt[i].x, lppt[i].y);
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c)
{
    auto dc = LookupDC(hdc);
    if (!dc || (lppt == nullptr && c > 0) || c < 0)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    for (int i = 0; i < c; ++i)
        lppt[i] = dc->ToLogical(lppt[i].x, lppt[i].y);
    return TRUE;
}
