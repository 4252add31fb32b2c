// GDI objects and the handle table that names them.
//
// Every GDI handle is an entry in one table: a handle carries a slot number, a
// kind and the slot's generation, so a stale or foreign handle finds nothing
// and the call fails without touching freed memory. Objects are shared
// pointers: a call holds the object alive for its duration even when another
// thread deletes the handle meanwhile.
//
// Deleting an object that is selected into a DC: a bitmap fails (FALSE), as
// Windows does. A pen, brush, font, region or palette reports success; its
// handle stays valid until the last DC deselects it and is freed then.
#pragma once

#include "win32/types.h"
#include "win32/gdi.h"
#include "win32/gditext.h"
#include "win32/gdiprint.h"
#include "win32/uidraw.h"

#include "gdi/Raster.h"
#include "gdi/Region.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace mivo {
namespace gdi {

enum class Kind : uint8_t { None = 0, DC, Pen, Brush, Font, Bitmap, Region, Palette };

struct GdiObject {
    explicit GdiObject(Kind k) : kind(k) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    const Kind kind;
    HANDLE handle = nullptr;
    bool stock = false;
    // Number of DC state slots (current and saved) holding this object.
    int selections = 0;
    bool deletePending = false;
    const void* selectedBy = nullptr;  // bitmaps: the DC holding them
};

// Handle table. Register returns NULL when the table is full.
HANDLE RegisterObject(const std::shared_ptr<GdiObject>& obj);
std::shared_ptr<GdiObject> LookupObject(HANDLE h);
// DeleteObject's rules (see above).
BOOL DeleteGdiObject(HANDLE h);
// Removes a handle of the given kind whatever its state; returns the object
// (to be released by the caller outside any lock) or null.
std::shared_ptr<GdiObject> UnregisterObject(HANDLE h, Kind kind);

template <class T>
std::shared_ptr<T> Lookup(HANDLE h)
{
    std::shared_ptr<GdiObject> o = LookupObject(h);
    if (!o || o->kind != T::kKind)
        return nullptr;
    return std::static_pointer_cast<T>(o);
}

template <class T, class... Args>
std::shared_ptr<T> MakeObject(Args&&... args)
{
    return std::shared_ptr<T>(new (std::nothrow) T(std::forward<Args>(args)...));
}

// Registers and returns the typed handle, or NULL.
template <class H, class T>
H Publish(const std::shared_ptr<T>& obj)
{
    if (!obj)
        return nullptr;
    return (H)RegisterObject(obj);
}

// Marks an object as held by a DC state slot. Selection bookkeeping runs
// under the table lock so that deferred deletion cannot be missed.
void AddSelection(GdiObject* obj, const void* dc);
void RemoveSelection(GdiObject* obj);

template <class T>
class Selected {
public:
    Selected() = default;
    Selected(std::shared_ptr<T> p, const void* dc) : p_(std::move(p)), dc_(dc)
    {
        if (p_)
            AddSelection(p_.get(), dc_);
    }
    Selected(const Selected& o) : p_(o.p_), dc_(o.dc_)
    {
        if (p_)
            AddSelection(p_.get(), dc_);
    }
    Selected& operator=(const Selected& o)
    {
        if (this != &o) {
            Selected copy(o);
            Swap(copy);
        }
        return *this;
    }
    ~Selected() { Reset(); }
    void Reset()
    {
        if (p_)
            RemoveSelection(p_.get());
        p_.reset();
    }
    void Swap(Selected& o)
    {
        std::swap(p_, o.p_);
        std::swap(dc_, o.dc_);
    }
    T* get() const { return p_.get(); }
    T* operator->() const { return p_.get(); }
    explicit operator bool() const { return (bool)p_; }
    const std::shared_ptr<T>& shared() const { return p_; }
    HANDLE handle() const { return p_ ? p_->handle : nullptr; }

private:
    std::shared_ptr<T> p_;
    const void* dc_ = nullptr;
};

// ---------------------------------------------------------------- objects

struct PenObject : GdiObject {
    static constexpr Kind kKind = Kind::Pen;
    PenObject() : GdiObject(kKind) {}
    DWORD style = PS_SOLID;  // full style including type, caps and joins
    int width = 1;           // logical units; 0 means one pixel
    COLORREF color = 0;
    bool extended = false;
    std::vector<DWORD> userStyle;
    bool dcPen = false;  // DC_PEN: colour comes from the DC
    int Style() const { return (int)(style & PS_STYLE_MASK); }
    bool Geometric() const { return (style & PS_TYPE_MASK) == PS_GEOMETRIC; }
};

// Pixels of a pattern brush, copied when the brush is made.
struct PatternPixels {
    int width = 0;
    int height = 0;
    bool mono = false;            // 1 = background colour, 0 = text colour of the DC
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, or 0/1 when mono
};

struct BrushObject : GdiObject {
    static constexpr Kind kKind = Kind::Brush;
    BrushObject() : GdiObject(kKind) {}
    UINT style = BS_SOLID;
    COLORREF color = 0;
    int hatch = 0;
    std::shared_ptr<const PatternPixels> pattern;
    ULONG_PTR patternHandle = 0;  // for GetObject
    bool dcBrush = false;
};

struct FontObject : GdiObject {
    static constexpr Kind kKind = Kind::Font;
    FontObject() : GdiObject(kKind) {}
    LOGFONTA lf{};
};

struct PaletteObject : GdiObject {
    static constexpr Kind kKind = Kind::Palette;
    PaletteObject() : GdiObject(kKind) {}
    std::mutex lock;
    std::vector<PALETTEENTRY> entries;
};

struct RegionObject : GdiObject {
    static constexpr Kind kKind = Kind::Region;
    RegionObject() : GdiObject(kKind) {}
    std::mutex lock;
    Region region;
    Region Get()
    {
        std::lock_guard<std::mutex> guard(lock);
        return region;
    }
    void Set(Region r)
    {
        std::lock_guard<std::mutex> guard(lock);
        region = std::move(r);
    }
};

struct BitmapObject : GdiObject {
    static constexpr Kind kKind = Kind::Bitmap;
    BitmapObject() : GdiObject(kKind) {}
    ~BitmapObject() override;

    std::recursive_mutex lock;
    int width = 0;
    int height = 0;
    int bpp = 32;            // bits per pixel as reported
    int storageBpp = 32;     // layout of `bits`
    bool dibSection = false;
    bool monoDevice = false;  // 1-bit device bitmap
    bool bottomUp = false;
    uint8_t* bits = nullptr;  // owned
    int64_t stride = 0;       // bytes per stored row
    std::vector<RGBQUAD> colors;
    DWORD masks[3] = {0, 0, 0};
    DWORD compression = BI_RGB;
    HANDLE section = nullptr;
    DWORD sectionOffset = 0;
    SIZE dimension = {0, 0};

    Raster View();
};

// Makes a bitmap with zeroed pixels; NULL on bad sizes or no memory.
std::shared_ptr<BitmapObject> NewDeviceBitmap(int width, int height, int bpp);
std::shared_ptr<BitmapObject> NewDibSection(const BITMAPINFOHEADER& h, const RGBQUAD* colors, int numColors,
                                            const DWORD* masks);

// The process' stock objects.
HGDIOBJ StockObject(int index);
std::shared_ptr<BitmapObject> DefaultBitmap();
std::shared_ptr<PaletteObject> DefaultPalette();

// A global lock for Qt's font engine: text is drawn from any thread.
std::recursive_mutex& QtTextLock();

}  // namespace gdi
}  // namespace mivo
