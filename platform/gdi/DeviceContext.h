// Device contexts: state, coordinate mapping, clipping and the pixels they draw into.
#pragma once

#include "gdi/Objects.h"
#include "gdi/Surface.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace mivo {
namespace gdi {

struct PrintJob;

enum class DcKind { Memory, Surface, Display, Printer, Info };

struct DcState {
    Selected<PenObject> pen;
    Selected<BrushObject> brush;
    Selected<FontObject> font;
    Selected<BitmapObject> bitmap;
    Selected<PaletteObject> palette;
    COLORREF textColor = 0;
    COLORREF bkColor = 0x00FFFFFF;
    COLORREF dcBrushColor = 0x00FFFFFF;
    COLORREF dcPenColor = 0;
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int stretchMode = BLACKONWHITE;
    int polyFillMode = ALTERNATE;
    int arcDirection = AD_COUNTERCLOCKWISE;
    int graphicsMode = GM_COMPATIBLE;
    UINT textAlign = 0;
    int charExtra = 0;
    int mapMode = MM_TEXT;
    POINT windowOrg = {0, 0};
    SIZE windowExt = {1, 1};
    POINT viewportOrg = {0, 0};
    SIZE viewportExt = {1, 1};
    POINT brushOrg = {0, 0};
    POINT position = {0, 0};
    // Clip region selected by the program, in device coordinates; null for none.
    std::shared_ptr<const Region> userClip;
};

// Capabilities answered by GetDeviceCaps.
struct DeviceCaps {
    int technology = DT_RASDISPLAY;
    int horzRes = 1920;
    int vertRes = 1080;
    int logPixelsX = 96;
    int logPixelsY = 96;
    int bitsPixel = 32;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int physicalOffsetX = 0;
    int physicalOffsetY = 0;
};

// The clip a DC worked out last and what it was worked out from. It is lent
// to a DrawTarget while that draws and comes back after, so that call after
// call into the same DC builds no region.
struct ClipCache {
    std::atomic<bool> lent{false};
    bool valid = false;
    const void* pixels = nullptr;
    int width = 0, height = 0;
    POINT origin = {0, 0};
    std::shared_ptr<const Region> surfaceClip, userClip;
    Region clip;
};

// The pixels a drawing call works on, locked for the duration of the call.
struct DrawTarget {
    Raster raster;
    Region clip;          // effective clip in raster coordinates
    POINT origin{0, 0};   // raster position of device (0, 0)
    std::unique_lock<std::recursive_mutex> lock;
    Surface* surface = nullptr;  // bumped when drawing ends
    ClipCache* clipHome = nullptr;  // where the clip goes back when drawing ends

    DrawTarget() = default;
    DrawTarget(DrawTarget&&) = default;
    DrawTarget& operator=(DrawTarget&&) = default;
    ~DrawTarget();
};

class DeviceContext : public GdiObject {
public:
    static constexpr Kind kKind = Kind::DC;
    explicit DeviceContext(DcKind k);
    ~DeviceContext() override;

    std::recursive_mutex mutex;
    DcKind dcKind;
    DcState st;
    std::vector<DcState> saved;
    DeviceCaps caps;

    // Surface and display DCs.
    std::shared_ptr<Surface> surface;
    POINT surfaceOrigin = {0, 0};
    std::shared_ptr<const Region> surfaceClip;  // surface coordinates; null for all
    HWND owner = nullptr;

    // Printer DCs.
    std::shared_ptr<PrintJob> job;

    // Locks the pixels and works out the clip. False when the DC has nothing
    // to draw on (an information DC, a printer outside a page).
    bool Acquire(DrawTarget& target);
    ClipCache clipCache;
    // The bitmap whose layout new compatible bitmaps copy, or null.
    std::shared_ptr<BitmapObject> CurrentBitmap() const { return st.bitmap.shared(); }
    bool IsMonochrome() const;

    // Coordinates. Device coordinates are relative to the DC's own origin.
    POINT ToDevice(LONG x, LONG y) const;
    POINT ToLogical(LONG x, LONG y) const;
    RECT ToDeviceRect(const RECT& r) const;  // normalized
    int ScaleX(int logical) const;         // length along x, absolute value
    int ScaleY(int logical) const;
    int ToLogicalLengthX(int device) const;
    int ToLogicalLengthY(int device) const;
    // Recomputes extents after a mapping-mode or extent change.
    void SetMapMode(int mode);
    void AdjustIsotropic();

    void InitStock();
};

std::shared_ptr<DeviceContext> LookupDC(HDC hdc);

// Replaces one field of a DC's state under its lock, handing back the old
// value when `old` is given. False for an unknown DC.
template <class T>
BOOL ExchangeDcState(HDC hdc, T DcState::*field, T value, T* old)
{
    auto dc = LookupDC(hdc);
    if (!dc)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    if (old != nullptr)
        *old = dc->st.*field;
    dc->st.*field = value;
    return TRUE;
}

// Reads one field of a DC's state under its lock.
template <class T>
BOOL ReadDcState(HDC hdc, T DcState::*field, T* out)
{
    auto dc = LookupDC(hdc);
    if (!dc || out == nullptr)
        return FALSE;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    *out = dc->st.*field;
    return TRUE;
}
// Creates and registers a DC of the given kind.
std::shared_ptr<DeviceContext> NewDC(DcKind kind);
// The display's surface: the window manager may install its own.
std::shared_ptr<Surface> DisplaySurface();

// Rounded a * b / c in 64 bits, as MulDiv does (never divides by zero).
int64_t MulDivRound(int64_t a, int64_t b, int64_t c);

}  // namespace gdi
}  // namespace mivo
