// Image list storage, masks and drawing.
#include "controls/ImageList.h"
#include "win32/usersys.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>
#include <set>

namespace mivo {

namespace {

std::mutex& RegistryLock()
{
    static std::mutex lock;
    return lock;
}

std::set<ImageList*>& Registry()
{
    static std::set<ImageList*>* lists = new std::set<ImageList*>;
    return *lists;
}

uint32_t FromColorRef(COLORREF c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

uint32_t Mix(uint32_t a, uint32_t b, int weightB, int total)
{
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int ca = (int)((a >> shift) & 0xFF), cb = (int)((b >> shift) & 0xFF);
        out |= (uint32_t)((ca * (total - weightB) + cb * weightB) / total) << shift;
    }
    return out;
}

BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

HBITMAP MakeDib(int width, int height, void** bits)
{
    BITMAPINFO bi = TopDown32(width, height);
    return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace

bool ReadBitmapPixels(HBITMAP bitmap, std::vector<uint32_t>& pixels, int& width, int& height)
{
    BITMAP bm = {};
    if (!bitmap || GetObject(bitmap, sizeof(bm), &bm) != (int)sizeof(bm))
        return false;
    if (bm.bmWidth <= 0 || bm.bmHeight <= 0 || bm.bmWidth > ImageList::kMaxImageSide * 64 ||
        bm.bmHeight > ImageList::kMaxImageSide)
        return false;
    width = bm.bmWidth;
    height = bm.bmHeight;
    uint64_t n = (uint64_t)width * (uint64_t)height;
    pixels.assign((size_t)n, 0);
    DIBSECTION ds = {};
    if (GetObject(bitmap, sizeof(ds), &ds) == (int)sizeof(ds) && ds.dsBm.bmBits && ds.dsBmih.biBitCount == 32 &&
        ds.dsBmih.biCompression == BI_RGB && ds.dsBm.bmWidthBytes >= width * 4) {
        // A 32-bit DIB section is read in place so its alpha channel survives.
        const auto* base = static_cast<const uint8_t*>(ds.dsBm.bmBits);
        bool bottomUp = ds.dsBmih.biHeight > 0;
        for (int y = 0; y < height; ++y) {
            const uint8_t* row = base + (size_t)(bottomUp ? height - 1 - y : y) * (size_t)ds.dsBm.bmWidthBytes;
            memcpy(&pixels[(size_t)y * width], row, (size_t)width * 4);
        }
        return true;
    }
    BITMAPINFO bi = TopDown32(width, height);
    HDC dc = CreateCompatibleDC(nullptr);
    int lines = GetDIBits(dc, bitmap, 0, (UINT)height, pixels.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    return lines == height;
}

ImageList::ImageList(int cx, int cy, UINT flags, int grow) : cx_(cx), cy_(cy), flags_(flags), grow_(grow)
{
    std::fill(std::begin(overlays_), std::end(overlays_), -1);
}

ImageList::~ImageList()
{
    DropInfoBitmaps();
    DropScratch();
}

bool ImageList::EnsureScratch() const
{
    if (scratchBits_)
        return true;
    void* bits = nullptr;
    scratchBmp_ = MakeDib(cx_, cy_, &bits);
    scratchDc_ = CreateCompatibleDC(nullptr);
    if (!scratchBmp_ || !scratchDc_ || !bits) {
        const_cast<ImageList*>(this)->DropScratch();
        return false;
    }
    scratchOld_ = SelectObject(scratchDc_, scratchBmp_);
    scratchBits_ = static_cast<uint32_t*>(bits);
    return true;
}

void ImageList::DropScratch()
{
    if (scratchDc_) {
        if (scratchOld_)
            SelectObject(scratchDc_, scratchOld_);
        DeleteDC(scratchDc_);
    }
    if (scratchBmp_)
        DeleteObject(scratchBmp_);
    scratchDc_ = nullptr;
    scratchBmp_ = nullptr;
    scratchOld_ = nullptr;
    scratchBits_ = nullptr;
}

ImageList* ImageList::From(HIMAGELIST handle)
{
    auto* list = reinterpret_cast<ImageList*>(handle);
    std::lock_guard<std::mutex> hold(RegistryLock());
    return Registry().count(list) ? list : nullptr;
}

HIMAGELIST ImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    if (cx <= 0 || cy <= 0 || cx > kMaxImageSide || cy > kMaxImageSide || initial < 0 || grow < 0)
        return nullptr;
    auto* list = new (std::nothrow) ImageList(cx, cy, flags, grow);
    if (!list)
        return nullptr;
    std::lock_guard<std::mutex> hold(RegistryLock());
    Registry().insert(list);
    return Handle(list);
}

bool ImageList::Destroy(HIMAGELIST handle)
{
    auto* list = reinterpret_cast<ImageList*>(handle);
    {
        std::lock_guard<std::mutex> hold(RegistryLock());
        if (!Registry().erase(list))
            return false;
    }
    delete list;
    return true;
}

COLORREF ImageList::SetBkColor(COLORREF color)
{
    COLORREF old = bk_;
    bk_ = color;
    return old;
}

bool ImageList::SetOverlay(int image, int overlay)
{
    if (overlay < 1 || overlay > 15 || !Valid(image))
        return false;
    overlays_[overlay - 1] = image;
    return true;
}

bool ImageList::SetCount(int count)
{
    if (count < 0 || !Fits(count))
        return false;
    Resize(count);
    return true;
}

bool ImageList::SetIconSize(int cx, int cy)
{
    if (cx <= 0 || cy <= 0 || cx > kMaxImageSide || cy > kMaxImageSide)
        return false;
    std::lock_guard<std::mutex> hold(drawLock_);
    DropScratch();
    cx_ = cx;
    cy_ = cy;
    Resize(0);
    return true;
}

void ImageList::Resize(int count)
{
    count_ = count;
    pixels_.resize(ImageSize() * (size_t)count, 0);
    mask_.resize(ImageSize() * (size_t)count, 0);
    DropInfoBitmaps();
}

void ImageList::Store(int first, int images, const std::vector<uint32_t>& strip, const std::vector<uint8_t>& clear,
                      int width)
{
    for (int i = 0; i < images; ++i) {
        size_t base = Offset(first + i);
        for (int y = 0; y < cy_; ++y) {
            for (int x = 0; x < cx_; ++x) {
                size_t from = (size_t)y * width + (size_t)i * cx_ + x;
                pixels_[base + (size_t)y * cx_ + x] = strip[from];
                mask_[base + (size_t)y * cx_ + x] = clear.empty() ? 0 : clear[from];
            }
        }
    }
    DropInfoBitmaps();
}

bool ImageList::Append(const std::vector<uint32_t>& pixels, const std::vector<uint8_t>& clear)
{
    if (!Fits(count_ + 1))
        return false;
    int at = count_;
    Resize(count_ + 1);
    Store(at, 1, pixels, clear, cx_);
    return true;
}

int ImageList::AddBitmap(HBITMAP image, HBITMAP mask)
{
    std::vector<uint32_t> strip, maskPixels;
    int w = 0, h = 0, mw = 0, mh = 0;
    if (!ReadBitmapPixels(image, strip, w, h) || h < cy_ || w < cx_)
        return -1;
    std::vector<uint8_t> clear;
    if (mask && ReadBitmapPixels(mask, maskPixels, mw, mh) && mw >= w && mh >= h) {
        clear.resize(strip.size());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                clear[(size_t)y * w + x] = (maskPixels[(size_t)y * mw + x] & 0xFFFFFF) != 0;
    }
    int images = w / cx_;
    if (images <= 0 || !Fits(count_ + images))
        return -1;
    int first = count_;
    Resize(count_ + images);
    Store(first, images, strip, clear, w);
    return first;
}

int ImageList::AddMasked(HBITMAP image, COLORREF maskColor)
{
    std::vector<uint32_t> strip;
    int w = 0, h = 0;
    if (!ReadBitmapPixels(image, strip, w, h) || h < cy_ || w < cx_)
        return -1;
    uint32_t key = FromColorRef(maskColor);
    std::vector<uint8_t> clear(strip.size(), 0);
    if (maskColor != CLR_NONE)
        for (size_t i = 0; i < strip.size(); ++i)
            clear[i] = (strip[i] & 0xFFFFFF) == key;
    int images = w / cx_;
    if (images <= 0 || !Fits(count_ + images))
        return -1;
    int first = count_;
    Resize(count_ + images);
    Store(first, images, strip, clear, w);
    return first;
}

int ImageList::ReplaceIcon(int index, HICON icon)
{
    ICONINFO ii = {};
    if (!icon || !GetIconInfo(icon, &ii))
        return -1;
    // Icons come in at the list's size, drawn through the icon's own masks.
    void* bits = nullptr;
    HBITMAP color = MakeDib(cx_, cy_, &bits);
    HBITMAP maskBmp = MakeDib(cx_, cy_, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    int result = -1;
    if (color && maskBmp && dc) {
        HGDIOBJ old = SelectObject(dc, color);
        DrawIconEx(dc, 0, 0, icon, cx_, cy_, 0, nullptr, DI_IMAGE);
        SelectObject(dc, maskBmp);
        DrawIconEx(dc, 0, 0, icon, cx_, cy_, 0, nullptr, DI_MASK);
        SelectObject(dc, old);
        if (index < 0)
            result = AddBitmap(color, maskBmp);
        else if (Replace(index, color, maskBmp))
            result = index;
    }
    if (dc)
        DeleteDC(dc);
    if (color)
        DeleteObject(color);
    if (maskBmp)
        DeleteObject(maskBmp);
    if (ii.hbmColor)
        DeleteObject(ii.hbmColor);
    if (ii.hbmMask)
        DeleteObject(ii.hbmMask);
    return result;
}

bool ImageList::Replace(int index, HBITMAP image, HBITMAP mask)
{
    if (!Valid(index))
        return false;
    ImageList one(cx_, cy_, flags_ | ILC_MASK, 0);
    if (one.AddBitmap(image, mask) < 0)
        return false;
    std::copy_n(one.pixels_.begin(), ImageSize(), pixels_.begin() + (long)Offset(index));
    std::copy_n(one.mask_.begin(), ImageSize(), mask_.begin() + (long)Offset(index));
    DropInfoBitmaps();
    return true;
}

bool ImageList::Remove(int index)
{
    if (index == -1) {
        Resize(0);
        return true;
    }
    if (!Valid(index))
        return false;
    pixels_.erase(pixels_.begin() + (long)Offset(index), pixels_.begin() + (long)Offset(index + 1));
    mask_.erase(mask_.begin() + (long)Offset(index), mask_.begin() + (long)Offset(index + 1));
    --count_;
    for (int& o : overlays_)
        if (o == index)
            o = -1;
        else if (o > index)
            --o;
    DropInfoBitmaps();
    return true;
}

bool ImageList::CopyImage(int dst, const ImageList& src, int srcIndex, bool swap)
{
    if (!Valid(dst) || !src.Valid(srcIndex) || src.cx_ != cx_ || src.cy_ != cy_)
        return false;
    if (swap && &src == this) {
        std::swap_ranges(pixels_.begin() + (long)Offset(dst), pixels_.begin() + (long)Offset(dst + 1),
                         pixels_.begin() + (long)Offset(srcIndex));
        std::swap_ranges(mask_.begin() + (long)Offset(dst), mask_.begin() + (long)Offset(dst + 1),
                         mask_.begin() + (long)Offset(srcIndex));
    } else {
        std::copy_n(src.pixels_.begin() + (long)src.Offset(srcIndex), ImageSize(), pixels_.begin() + (long)Offset(dst));
        std::copy_n(src.mask_.begin() + (long)src.Offset(srcIndex), ImageSize(), mask_.begin() + (long)Offset(dst));
    }
    DropInfoBitmaps();
    return true;
}

bool ImageList::HasAlpha(int index) const
{
    if ((flags_ & 0xFE) != ILC_COLOR32)
        return false;
    for (size_t i = Offset(index); i < Offset(index + 1); ++i)
        if (pixels_[i] >> 24)
            return true;
    return false;
}

bool ImageList::Draw(const IMAGELISTDRAWPARAMS& p) const
{
    if (!Valid(p.i) || !p.hdcDst)
        return false;
    int w = p.cx > 0 ? std::min(p.cx, cx_) : cx_;
    int h = p.cy > 0 ? std::min(p.cy, cy_) : cy_;
    int sx = std::max(0, std::min(p.xBitmap, cx_ - 1)), sy = std::max(0, std::min(p.yBitmap, cy_ - 1));
    w = std::min(w, cx_ - sx);
    h = std::min(h, cy_ - sy);
    std::lock_guard<std::mutex> hold(drawLock_);
    if (!EnsureScratch())
        return false;
    HDC mem = scratchDc_;
    BitBlt(mem, 0, 0, w, h, p.hdcDst, p.x, p.y, SRCCOPY);
    uint32_t* out = scratchBits_;
    const size_t stride = (size_t)cx_;

    COLORREF bk = p.rgbBk == CLR_DEFAULT ? bk_ : p.rgbBk;
    bool seeThrough = Masked() && ((p.fStyle & ILD_TRANSPARENT) || bk == CLR_NONE);
    COLORREF fgRef = (p.rgbFg == CLR_DEFAULT || p.rgbFg == CLR_NONE) ? GetSysColor(COLOR_HIGHLIGHT) : p.rgbFg;
    uint32_t fg = FromColorRef(fgRef), bkPixel = FromColorRef(bk);
    int blend = (p.fStyle & ILD_BLEND50) ? 2 : (p.fStyle & ILD_BLEND25) ? 1 : 0;
    bool alpha = HasAlpha(p.i);
    bool maskOnly = (p.fStyle & ILD_MASK) && !(p.fStyle & ILD_IMAGE);

    auto paint = [&](int index, bool overlay) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                uint32_t& dst = out[(size_t)y * stride + x];
                bool clear = Clear(index, sx + x, sy + y);
                if (maskOnly) {
                    dst = clear ? 0xFFFFFF : 0;
                    continue;
                }
                if (clear && (seeThrough || overlay))
                    continue;
                uint32_t src = clear ? bkPixel : (Pixel(index, sx + x, sy + y) & 0xFFFFFF);
                if (alpha && !clear) {
                    int a = (int)(Pixel(index, sx + x, sy + y) >> 24);
                    src = Mix(dst & 0xFFFFFF, src, a, 255);
                }
                if (blend && !clear)
                    src = Mix(src, fg, blend, 4);
                dst = src;
            }
        }
    };
    paint(p.i, false);
    int overlay = (int)((p.fStyle & ILD_OVERLAYMASK) >> 8);
    if (overlay >= 1 && overlay <= 15 && Valid(overlays_[overlay - 1]))
        paint(overlays_[overlay - 1], true);

    BitBlt(p.hdcDst, p.x, p.y, w, h, mem, 0, 0, SRCCOPY);
    return true;
}

HICON ImageList::MakeIcon(int index) const
{
    if (!Valid(index))
        return nullptr;
    void* colorBits = nullptr;
    void* maskBits = nullptr;
    HBITMAP color = MakeDib(cx_, cy_, &colorBits);
    HBITMAP mask = MakeDib(cx_, cy_, &maskBits);
    HICON icon = nullptr;
    if (color && mask && colorBits && maskBits) {
        auto* c = static_cast<uint32_t*>(colorBits);
        auto* m = static_cast<uint32_t*>(maskBits);
        for (size_t i = 0; i < ImageSize(); ++i) {
            bool clear = Masked() && mask_[Offset(index) + i];
            c[i] = clear ? 0 : pixels_[Offset(index) + i];
            m[i] = clear ? 0xFFFFFF : 0;
        }
        ICONINFO ii = {};
        ii.fIcon = TRUE;
        ii.hbmColor = color;
        ii.hbmMask = mask;
        icon = CreateIconIndirect(&ii);
    }
    if (color)
        DeleteObject(color);
    if (mask)
        DeleteObject(mask);
    return icon;
}

bool ImageList::Info(int index, IMAGEINFO* info)
{
    if (!Valid(index) || !info)
        return false;
    if (!infoImage_) {
        void* imageBits = nullptr;
        void* maskBits = nullptr;
        infoImage_ = MakeDib(cx_ * count_, cy_, &imageBits);
        infoMask_ = Masked() ? MakeDib(cx_ * count_, cy_, &maskBits) : nullptr;
        if (!infoImage_ || !imageBits)
            return false;
        auto* c = static_cast<uint32_t*>(imageBits);
        auto* m = static_cast<uint32_t*>(maskBits);
        for (int i = 0; i < count_; ++i)
            for (int y = 0; y < cy_; ++y)
                for (int x = 0; x < cx_; ++x) {
                    size_t to = (size_t)y * cx_ * count_ + (size_t)i * cx_ + x;
                    c[to] = Pixel(i, x, y);
                    if (m)
                        m[to] = Clear(i, x, y) ? 0xFFFFFF : 0;
                }
    }
    info->hbmImage = infoImage_;
    info->hbmMask = infoMask_;
    info->Unused1 = info->Unused2 = 0;
    info->rcImage = {index * cx_, 0, (index + 1) * cx_, cy_};
    return true;
}

void ImageList::DropInfoBitmaps()
{
    if (infoImage_)
        DeleteObject(infoImage_);
    if (infoMask_)
        DeleteObject(infoMask_);
    infoImage_ = infoMask_ = nullptr;
}

}  // namespace mivo
