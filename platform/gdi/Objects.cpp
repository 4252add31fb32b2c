#include "gdi/Objects.h"

#include <cstring>
#include <deque>

namespace mivo {
namespace gdi {

namespace {

constexpr uint32_t kIndexBits = 20;
constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1;
constexpr uint32_t kKindShift = 20;
constexpr uint32_t kGenShift = 24;
constexpr uint32_t kGenMask = 0x7F;

struct Slot {
    std::shared_ptr<GdiObject> obj;
    uint32_t generation = 1;
};

struct Table {
    std::mutex lock;
    std::vector<Slot> slots{1};  // slot 0 is never used
    std::deque<uint32_t> freeSlots;
};

Table& TheTable()
{
    static Table* table = new Table;  // lives for the whole process
    return *table;
}

HANDLE MakeHandle(uint32_t index, Kind kind, uint32_t generation)
{
    uintptr_t v = ((uintptr_t)(generation & kGenMask) << kGenShift) | ((uintptr_t)kind << kKindShift) | index;
    return (HANDLE)v;
}

// Finds the slot of a live handle; caller holds the lock.
Slot* FindSlot(Table& t, HANDLE h)
{
    uintptr_t v = (uintptr_t)h;
    if (v == 0 || (v >> 31) != 0)
        return nullptr;
    uint32_t index = (uint32_t)(v & kIndexMask);
    uint32_t kind = (uint32_t)((v >> kKindShift) & 0xF);
    uint32_t gen = (uint32_t)((v >> kGenShift) & kGenMask);
    if (index == 0 || index >= t.slots.size())
        return nullptr;
    Slot& s = t.slots[index];
    if (!s.obj || (s.generation & kGenMask) != gen || (uint32_t)s.obj->kind != kind)
        return nullptr;
    return &s;
}

// Empties a slot; the object is handed back so it dies outside the lock.
std::shared_ptr<GdiObject> FreeSlot(Table& t, Slot& s)
{
    std::shared_ptr<GdiObject> obj = std::move(s.obj);
    s.obj.reset();
    s.generation = (s.generation + 1) & kGenMask;
    if (s.generation == 0)
        s.generation = 1;
    uint32_t index = (uint32_t)(&s - t.slots.data());
    t.freeSlots.push_back(index);
    return obj;
}

}  // namespace

HANDLE RegisterObject(const std::shared_ptr<GdiObject>& obj)
{
    if (!obj)
        return nullptr;
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    uint32_t index;
    if (!t.freeSlots.empty() && (t.freeSlots.size() > 1024 || t.slots.size() > kIndexMask)) {
        index = t.freeSlots.front();
        t.freeSlots.pop_front();
    } else if (t.slots.size() <= kIndexMask) {
        index = (uint32_t)t.slots.size();
        t.slots.emplace_back();
    } else {
        return nullptr;
    }
    Slot& s = t.slots[index];
    s.obj = obj;
    obj->handle = MakeHandle(index, obj->kind, s.generation);
    return obj->handle;
}

std::shared_ptr<GdiObject> LookupObject(HANDLE h)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    Slot* s = FindSlot(t, h);
    return s ? s->obj : nullptr;
}

BOOL DeleteGdiObject(HANDLE h)
{
    Table& t = TheTable();
    std::shared_ptr<GdiObject> dying;
    {
        std::lock_guard<std::mutex> guard(t.lock);
        Slot* s = FindSlot(t, h);
        if (s == nullptr)
            return FALSE;
        GdiObject* obj = s->obj.get();
        if (obj->kind == Kind::DC)
            return FALSE;  // DeleteDC's job
        if (obj->stock)
            return TRUE;
        if (obj->selections > 0) {
            if (obj->kind == Kind::Bitmap)
                return FALSE;
            obj->deletePending = true;
            return TRUE;
        }
        dying = FreeSlot(t, *s);
    }
    return TRUE;
}

std::shared_ptr<GdiObject> UnregisterObject(HANDLE h, Kind kind)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    Slot* s = FindSlot(t, h);
    if (s == nullptr || s->obj->kind != kind || s->obj->stock)
        return nullptr;
    return FreeSlot(t, *s);
}

void AddSelection(GdiObject* obj, const void* dc)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    if (obj->selections++ == 0)
        obj->selectedBy = dc;
}

void RemoveSelection(GdiObject* obj)
{
    Table& t = TheTable();
    std::shared_ptr<GdiObject> dying;
    std::lock_guard<std::mutex> guard(t.lock);
    if (--obj->selections > 0)
        return;
    obj->selectedBy = nullptr;
    if (!obj->deletePending)
        return;
    Slot* s = FindSlot(t, obj->handle);
    if (s != nullptr && s->obj.get() == obj)
        dying = FreeSlot(t, *s);
    // `dying` cannot be the last reference: the caller still holds one.
}

// ---------------------------------------------------------------- bitmaps

BitmapObject::~BitmapObject()
{
    delete[] bits;
}

Raster BitmapObject::View()
{
    Raster r;
    r.width = width;
    r.height = height;
    r.bpp = storageBpp;
    if (bottomUp) {
        r.row0 = bits + (int64_t)(height - 1) * stride;
        r.stride = -stride;
    } else {
        r.row0 = bits;
        r.stride = stride;
    }
    r.colors = colors.empty() ? nullptr : colors.data();
    r.numColors = (int)colors.size();
    r.monoDevice = monoDevice;
    if (compression == BI_BITFIELDS)
        r.SetMasks(masks[0], masks[1], masks[2]);
    return r;
}

namespace {

constexpr int64_t kMaxPixelBytes = int64_t(1) << 32;
constexpr int kMaxSide = 1 << 26;

uint8_t* AllocatePixels(int64_t bytes)
{
    if (bytes <= 0 || bytes > kMaxPixelBytes)
        return nullptr;
    uint8_t* p = new (std::nothrow) uint8_t[(size_t)bytes];
    if (p != nullptr)
        std::memset(p, 0, (size_t)bytes);
    return p;
}

bool ValidBpp(int bpp)
{
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

}  // namespace

std::shared_ptr<BitmapObject> NewDeviceBitmap(int width, int height, int bpp)
{
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || !ValidBpp(bpp))
        return nullptr;
    auto bm = MakeObject<BitmapObject>();
    if (!bm)
        return nullptr;
    bm->width = width;
    bm->height = height;
    bm->bpp = bpp;
    if (bpp == 1) {
        bm->storageBpp = 1;
        bm->monoDevice = true;
        RGBQUAD black = {0, 0, 0, 0}, white = {255, 255, 255, 0};
        bm->colors = {black, white};
    } else {
        bm->storageBpp = 32;
    }
    bm->stride = DibStride(width, bm->storageBpp);
    bm->bits = AllocatePixels(bm->stride * (int64_t)height);
    if (bm->bits == nullptr)
        return nullptr;
    return bm;
}

std::shared_ptr<BitmapObject> NewDibSection(const BITMAPINFOHEADER& h, const RGBQUAD* colors, int numColors,
                                            const DWORD* masks)
{
    int64_t height = h.biHeight < 0 ? -(int64_t)h.biHeight : (int64_t)h.biHeight;
    if (h.biWidth <= 0 || height <= 0 || h.biWidth > kMaxSide || height > kMaxSide || !ValidBpp(h.biBitCount))
        return nullptr;
    if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && (h.biBitCount == 16 || h.biBitCount == 32)))
        return nullptr;
    auto bm = MakeObject<BitmapObject>();
    if (!bm)
        return nullptr;
    bm->width = h.biWidth;
    bm->height = (int)height;
    bm->bpp = h.biBitCount;
    bm->storageBpp = h.biBitCount;
    bm->dibSection = true;
    bm->bottomUp = h.biHeight > 0;
    bm->compression = h.biCompression;
    if (h.biBitCount <= 8) {
        int maxColors = 1 << h.biBitCount;
        int n = numColors > maxColors ? maxColors : numColors;
        bm->colors.assign(colors, colors + (n > 0 ? n : 0));
        for (RGBQUAD& q : bm->colors)
            q.rgbReserved = 0;
        if (bm->colors.empty()) {
            RGBQUAD black = {0, 0, 0, 0};
            bm->colors.push_back(black);
        }
    }
    if (h.biCompression == BI_BITFIELDS && masks != nullptr) {
        bm->masks[0] = masks[0];
        bm->masks[1] = masks[1];
        bm->masks[2] = masks[2];
    } else if (h.biBitCount == 16) {
        bm->masks[0] = 0x7C00;
        bm->masks[1] = 0x03E0;
        bm->masks[2] = 0x001F;
    } else if (h.biBitCount == 32) {
        bm->masks[0] = 0x00FF0000;
        bm->masks[1] = 0x0000FF00;
        bm->masks[2] = 0x000000FF;
    }
    bm->stride = DibStride(h.biWidth, h.biBitCount);
    bm->bits = AllocatePixels(bm->stride * height);
    if (bm->bits == nullptr)
        return nullptr;
    return bm;
}

std::recursive_mutex& QtTextLock()
{
    static std::recursive_mutex* lock = new std::recursive_mutex;
    return *lock;
}

}  // namespace gdi
}  // namespace mivo
