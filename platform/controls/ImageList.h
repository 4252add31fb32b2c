// An image list: equal-sized images side by side with an optional mask, kept
// as 32-bit pixels in memory so drawing can blend and mask without device tricks.
#pragma once

#include "win32/commctrl.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace mivo {

class ImageList {
public:
    // Refuses sizes beyond these: a hostile resource cannot ask for gigabytes.
    static const int kMaxImageSide = 4096;
    static const int kMaxImages = 65536;
    // All images together stay below this many pixels (256 MB of storage).
    static const uint64_t kMaxPixels = (uint64_t)1 << 26;

    ImageList(int cx, int cy, UINT flags, int grow);

    static HIMAGELIST Handle(ImageList* list) { return reinterpret_cast<HIMAGELIST>(list); }
    // The live list a handle names, or null for a stale or foreign handle.
    static ImageList* From(HIMAGELIST handle);
    static HIMAGELIST Create(int cx, int cy, UINT flags, int initial, int grow);
    static bool Destroy(HIMAGELIST handle);

    int Count() const { return count_; }
    int Width() const { return cx_; }
    int Height() const { return cy_; }
    UINT Flags() const { return flags_; }
    bool Masked() const { return (flags_ & ILC_MASK) != 0; }
    COLORREF BkColor() const { return bk_; }
    COLORREF SetBkColor(COLORREF color);
    bool SetOverlay(int image, int overlay);
    bool SetCount(int count);
    bool SetIconSize(int cx, int cy);

    // Appends the bitmap's images (its width divided by the image width);
    // returns the index of the first, -1 on failure.
    int AddBitmap(HBITMAP image, HBITMAP mask);
    int AddMasked(HBITMAP image, COLORREF maskColor);
    int ReplaceIcon(int index, HICON icon);
    bool Replace(int index, HBITMAP image, HBITMAP mask);
    bool Remove(int index);
    bool CopyImage(int dst, const ImageList& src, int srcIndex, bool swap);

    bool Draw(const IMAGELISTDRAWPARAMS& p) const;
    HICON MakeIcon(int index) const;
    // Bitmaps holding the whole strip, for IMAGEINFO; the list owns them.
    bool Info(int index, IMAGEINFO* info);

    // Pixel access for drag images and duplicates: 0xAARRGGBB, and whether a pixel is see-through.
    uint32_t Pixel(int index, int x, int y) const { return pixels_[Offset(index) + (size_t)y * cx_ + x]; }
    bool Clear(int index, int x, int y) const { return Masked() && mask_[Offset(index) + (size_t)y * cx_ + x]; }
    bool Append(const std::vector<uint32_t>& pixels, const std::vector<uint8_t>& clear);

    ~ImageList();

private:
    size_t Offset(int index) const { return (size_t)index * cx_ * cy_; }
    size_t ImageSize() const { return (size_t)cx_ * cy_; }
    bool Valid(int index) const { return index >= 0 && index < count_; }
    // Cuts a strip of width x height pixels into images at `first`.
    void Store(int first, int images, const std::vector<uint32_t>& strip, const std::vector<uint8_t>& clear, int width);
    void Resize(int count);
    // Whether `count` images fit the pixel budget.
    bool Fits(int count) const { return count <= kMaxImages && (uint64_t)ImageSize() * (uint64_t)count <= kMaxPixels; }
    bool HasAlpha(int index) const;
    void DropInfoBitmaps();
    // One image-sized scratch bitmap per list, reused by every draw.
    bool EnsureScratch() const;
    void DropScratch();

    int cx_, cy_;
    UINT flags_;
    int grow_;
    int count_ = 0;
    COLORREF bk_ = CLR_NONE;
    int overlays_[15];
    std::vector<uint32_t> pixels_;
    std::vector<uint8_t> mask_;  // 1 = see-through
    HBITMAP infoImage_ = nullptr;
    HBITMAP infoMask_ = nullptr;
    mutable std::mutex drawLock_;
    mutable HDC scratchDc_ = nullptr;
    mutable HBITMAP scratchBmp_ = nullptr;
    mutable HGDIOBJ scratchOld_ = nullptr;
    mutable uint32_t* scratchBits_ = nullptr;
};

// Reads a bitmap as top-down 0xAARRGGBB pixels; false for a bitmap that is no bitmap or too big.
bool ReadBitmapPixels(HBITMAP bitmap, std::vector<uint32_t>& pixels, int& width, int& height);

}  // namespace mivo
